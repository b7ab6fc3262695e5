// The front end's exit paths as a station sees them: output, status, and
// nothing run on the device. The help's bytes are the usage reference's
// "tarnel -h" example.
#include <cstring>

#include "dut_fixture.h"

using FrontEnd = Dut;

TEST_F(FrontEnd, ExitPaths)
{
  const std::string help = tarnel({"-h"}).out;
  const struct {
    std::vector<std::string> args;
    bool help;
    const char *stderrText;
  } cases[] = {
      {{"-h"}, true, ""},
      {{}, true, ""},
      {{"-a", "-Q", "x", "-h"}, true, ""},
      {{"-c", "--bogus", "-h"}, false, "tarnel: unrecognized option '--bogus'\n"},
      {{"-a", "-y"}, false, "tarnel: invalid option -- 'y'\n"},
      {{"-c", "-g"}, false, "tarnel: option requires an argument -- 'g'\n"},
      {{"-e", "--show"}, false, "tarnel: option '--show' is ambiguous; possibilities:"},
  };

  ASSERT_NE(help, "");
  for (const auto &c : cases) {
    SCOPED_TRACE(words(c.args));
    Result r = tarnel(c.args);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, c.help ? help : "");
    EXPECT_EQ(r.err.compare(0, strlen(c.stderrText), c.stderrText), 0) << r.err;
    // nothing ran on the device
    EXPECT_EQ(trace(), "");
  }
}
