// The blocks run in their fixed order, whatever the order of the options,
// with their nesting and early ends.
#include <gtest/gtest.h>

#include "cli/cli.h"
#include "cli_state.h"
#include "recorder.h"

using Calls = std::vector<std::string>;

static const Calls everything = {
    "ctrlAllLED", "trun_LAN_LED(enable)", "hwget", "hwset", "commit", "hwclear",
    "reset_to_default", "GetADSL_Uplink(1)", "GetADSL_Downlink(1)", "GetADSL_LinkState(1)",
    "SetCoexist(disable)", "SetCoexist_5G(enable)", "ShowCoexist", "GetUsbDeviceCheck",
    "GetUsbTransferRate", "DoSysModelID(1)", "ShowButtonStatus", "GetWlan24GStatus(1)",
    "GetWlan5GStatus(1)", "GetLanguage(1)", "SetButtonTestMode(1)", "GetDataRate(1)",
    "GetDataRate_5G(1)", "GetCoexist(1)", "GetCoexist_5G(1)", "GetHiddenInfoData(1)",
    "SetVoipTestMode(1)"};

TEST(Dispatch, BlocksRunInTheirOrder)
{
  const struct {
    std::vector<std::string> words;
    int hwsetEnds;
    Calls calls;
    const char *out;
  } cases[] = {
      // every block but the two listings, given in reverse
      {{"-k", "enable", "-a", "-q", "-j", "-x", "-f", "-B", "enable", "-D", "0", "-m", "-l", "-b",
        "-M", "x", "-t", "r", "-U", "-o", "-X", "enable", "-C", "disable", "-p", "-d", "-u", "-r",
        "-e", "-c", "-i", "-g", "SN", "-A", "enable", "-E", "on", "-F", "B"},
       0, everything, "uplink downlink "},
      {{"-w"}, 0, {}, ""},
      {{"-s", "-n"}, 0, {"hwshow"}, ""},
      {{"-n", "-g", "SN"}, 0, {"show_product_Info"}, ""},
      {{"-s", "-E", "on", "-F", "O", "-A", "x"}, 0, {"ctrlAllLED", "trun_LAN_LED(x)", "hwshow"}, ""},
      {{"-E", "on"}, 0, {}, ""},
      {{"-F", "B"}, 0, {}, ""},
      {{"-d", "-u", "-w"}, 0, {"GetADSL_Uplink(1)", "GetADSL_Downlink(1)"}, ""},
      {{"-D", "0"}, 0, {"GetLanguage(1)"}, ""},
      {{"-D", "1"}, 0, {"GetRegion(1)"}, ""},
      {{"-D", "2"}, 0, {}, ""},
      {{"-B", "Enable"}, 0, {"SetButtonTestMode(0)"}, ""},
      {{"-k", "Enable"}, 0, {"SetVoipTestMode(0)"}, ""},
      {{"-a", "-w"}, 0, {"GetHiddenInfoData(0)"}, ""},
      {{"-a"}, 0, {"GetHiddenInfoData(1)"}, ""},
      {{"-v", "5"}, 0, {}, ""},
      {{"-Z", "1"}, 0, {}, ""},
      // a rejected pass-phrase ends the run before commit
      {{"-i", "-K", "short", "-c", "-e"}, 1, {"hwset"}, ""},
      {{"-i", "-K", "longenough", "-c"}, 0, {"hwset", "commit"}, ""},
  };

  for (const auto &c : cases) {
    SCOPED_TRACE(c.words[0] + " " + std::to_string(c.words.size()));
    ASSERT_EQ(parseWords(c.words), 0);
    calls.clear();
    hwsetResult = c.hwsetEnds;
    testing::internal::CaptureStdout();
    EXPECT_EQ(dispatch(), 0);
    fflush(stdout);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), c.out);
    EXPECT_EQ(calls, c.calls);
  }
}
