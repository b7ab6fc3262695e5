// The examples of the usage reference are what tarnel prints: each console
// block of docs/usage.md runs on a fresh simulated gateway, command after
// command, and every output must be the page's, byte for byte.
#include <fstream>

#include "dut_fixture.h"

namespace {

struct Step {
  std::string command, output;
};

struct Example {
  int line;  // of the opening fence
  std::string model;
  std::vector<Step> steps;
};

// The page's conventions: a block opens with "```console" and an optional
// model, "$ " begins a command, the lines up to the next command are its
// output, a lone "%" ends output without a line end, "^M" is a carriage
// return.
std::vector<Example> examples(const std::string &path)
{
  std::ifstream in(path);
  std::vector<Example> all;
  std::string line;
  bool inBlock = false, open = false;

  EXPECT_TRUE(in.good()) << path;
  for (int n = 1; std::getline(in, line); n++) {
    if (!inBlock && line.rfind("```console", 0) == 0) {
      std::string model = line.size() > 11 ? line.substr(11) : "KR4410";
      all.push_back({n, model, {}});
      inBlock = true;
    } else if (inBlock && line == "```") {
      inBlock = false;
    } else if (inBlock && line.rfind("$ ", 0) == 0) {
      all.back().steps.push_back({line.substr(2), ""});
      open = true;
    } else if (inBlock && all.back().steps.empty()) {
      ADD_FAILURE() << path << ":" << n << ": output before any command";
    } else if (inBlock && line == "%") {
      // the output ends with the line before, without its line end
      std::string &out = all.back().steps.back().output;
      EXPECT_TRUE(open && !out.empty()) << path << ":" << n << ": % after no output";
      if (!out.empty()) out.pop_back();
      open = false;
    } else if (inBlock) {
      EXPECT_TRUE(open) << path << ":" << n << ": output after a closing %";
      all.back().steps.back().output += line + "\n";
    }
  }
  EXPECT_FALSE(inBlock) << path << ": the last block is not closed";
  return all;
}

std::string asShown(const std::string &out)
{
  std::string shown;

  for (char c : out) shown += c == '\r' ? std::string("^M") : std::string(1, c);
  return shown;
}

}  // namespace

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
