// The front end's exit paths as a station sees them: output, status, and
// nothing run on the device.
#include <cstring>
#include <fstream>
#include <sstream>

#include "dut_fixture.h"

static std::string helpText()
{
  std::ifstream in(GOLDEN_DIR "/help.txt", std::ios::binary);
  std::stringstream s;

  s << in.rdbuf();
  return s.str();
}

using FrontEnd = Dut;

TEST_F(FrontEnd, ExitPaths)
{
  const struct {
    std::vector<std::string> args;
    bool help;
    const char *stderrText;
  } cases[] = {
      {{}, true, ""},
      {{"-a", "-Q", "x", "-h"}, true, ""},
      {{"-h", "-c"}, true, ""},
      {{"-c", "--bogus", "-h"}, false, "tarnel: unrecognized option '--bogus'\n"},
      {{"-a", "-y"}, false, "tarnel: invalid option -- 'y'\n"},
      {{"-c", "-g"}, false, "tarnel: option requires an argument -- 'g'\n"},
      {{"-e", "--show"}, false, "tarnel: option '--show' is ambiguous; possibilities:"},
  };

  for (const auto &c : cases) {
    std::string words;
    for (const auto &w : c.args) words += w + " ";
    SCOPED_TRACE(words);
    Result r = tarnel(c.args);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, c.help ? helpText() : "");
    EXPECT_EQ(r.err.compare(0, strlen(c.stderrText), c.stderrText), 0) << r.err;
    // nothing ran on the device
    EXPECT_EQ(trace(), "");
  }
}
