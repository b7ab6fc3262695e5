// The worked example of docs/station.md is what the kit prints: its
// console blocks run on the station PC's side, in a scratch folder with
// this checkout's tools/ and tarnel-station at hand, command after command.
#include <regex>

#include "dut_fixture.h"
#include "station.h"

namespace {

// What changes from run to run is compared as "some value".
std::string steady(const std::string &text)
{
  static const std::regex varying(R"re(("(duration_ms|started|mbps|sha256)": )("[^"]*"|[-0-9.e+]+))re");
  return std::regex_replace(text, varying, "$1*");
}

TEST(StationDoc, ExamplesPrintWhatTheySay)
{
  std::vector<Example> all = examples(STATION_DOC);
  ASSERT_GE(all.size(), 2u) << "the page's examples were not found";
  char tmpl[] = "/tmp/station-doc-XXXXXX";
  std::string dir = mkdtemp(tmpl), path = std::string(STATION_BIN);

  setenv("TARNEL_BUILD", TARNEL_BUILD_DIR, 1);
  setenv("PATH", (path.substr(0, path.rfind('/')) + ":" + getenv("PATH")).c_str(), 1);
  EXPECT_EQ(symlink(REPO_DIR "/tools", (dir + "/tools").c_str()), 0);
  for (const auto &e : all) {
    SCOPED_TRACE("docs/station.md:" + std::to_string(e.line));
    for (const auto &s : e.steps) {
      SCOPED_TRACE("$ " + s.command);
      ::Run r = spawn({"/bin/sh", "-c", "cd " + quote(dir) + " && { " + s.command + "\n} 2>&1"}, 300);
      EXPECT_EQ(steady(asShown(r.out)), steady(s.output));
    }
  }
  spawn({"/bin/sh", "-c", "cd " + quote(dir) + " && tools/dut stop unit; rm -rf " + quote(dir)}, 60);
}

}  // namespace
