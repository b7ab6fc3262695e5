// The examples of the usage reference are what tarnel prints: each console
// block of docs/usage.md runs on a fresh simulated gateway, command after
// command, and every output must be the page's, byte for byte.
#include "dut_fixture.h"

using UsageDoc = Dut;

TEST_F(UsageDoc, ExamplesPrintWhatTheySay)
{
  std::vector<Example> all = examples(USAGE_DOC);

  ASSERT_GE(all.size(), 20u) << "the page's examples were not found";
  for (const auto &e : all) {
    SCOPED_TRACE("docs/usage.md:" + std::to_string(e.line) + " (" + e.model + ")");
    init(e.model);
    for (const auto &s : e.steps) {
      SCOPED_TRACE("$ " + s.command);
      // stderr joins stdout where the command writes it, as on a terminal
      Result r = run({"sh", "-c", "{ " + s.command + "\n} 2>&1"});
      EXPECT_EQ(r.err, "");
      EXPECT_EQ(asShown(r.out), s.output);
    }
  }
}
