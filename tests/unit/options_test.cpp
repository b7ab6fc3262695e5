// The option table, the short-option string, the help text and the parse loop.
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <sstream>

#include "cli/cli.h"
#include "cli_state.h"

using Values = std::map<std::string *, std::string>;

static std::string golden(const char *file)
{
  std::ifstream in(std::string(GOLDEN_DIR) + "/" + file, std::ios::binary);
  std::stringstream s;

  s << in.rdbuf();
  return s.str();
}

TEST(Help, IsByteForByteTheFixedText)
{
  resetCli();
  EXPECT_EQ(help, golden("help.txt"));
  // 3 rules, the heading and 39 option lines
  EXPECT_EQ(std::count(help.begin(), help.end(), '\n'), 43);
  EXPECT_NE(help.find(" -h --help" + std::string(33, ' ') + "Show this message\n"), std::string::npos);
}

TEST(Options, ShortStringAgreesWithTheTable)
{
  int letters = 0;

  for (const char *p = shortopts; *p; p++) {
    if (*p == ':') continue;
    letters++;
    bool takesArg = p[1] == ':';
    int row = 0;
    while (options[row].name && options[row].val != *p) row++;
    ASSERT_NE(options[row].name, nullptr) << "letter " << *p;
    EXPECT_EQ(options[row].has_arg, takesArg ? 1 : 0) << options[row].name;
  }
  EXPECT_EQ(letters, 43);
  EXPECT_EQ(options[43].name, nullptr);
  EXPECT_EQ(std::string(shortopts),
            "habcdefxijqlmnorsuwpUE:A:g:B:C:X:D:I:Q:J:K:Y:L:M:P:S:W:k:F:t:v:Z:");
}

// Every long name records its action, and stores its argument where it has one.
TEST(Options, EveryLongNameRecordsItsAction)
{
  const struct {
    const char *longName, *action;
    std::string *value;
  } rows[] = {
      {"show_hidden_info", "show_hidden_info", nullptr},
      {"show_button_status", "show_button_status", nullptr},
      {"commit", "commit", nullptr},
      {"downlink", "downlink", nullptr},
      {"hwclear", "hwclear", nullptr},
      {"datarate", "datarate", nullptr},
      {"dsl_status", "dsl_status", nullptr},
      {"datarate5g", "datarate5g", nullptr},
      {"hwset", "hwset", nullptr},
      {"show24coexistence", "show24coexistence", nullptr},
      {"show5gcoexistence", "show5gcoexistence", nullptr},
      {"wlan24status", "wlan24Status", nullptr},
      {"wlan5gstatus", "wlan5gStatus", nullptr},
      {"Show_product_Info", "show_product_Info", nullptr},
      {"show_coexistence", "show_coexistence", nullptr},
      {"reset_to_default", "reset_to_default", nullptr},
      {"hwshow", "hwshow", nullptr},
      {"uplink", "uplink", nullptr},
      {"web", "web", nullptr},
      {"usb_transfer_rate", "usb_transfer_rate", &usbactive},
      {"usb_write_file_size", "usb_write_file_size", &write_file_size},
      {"usb_device_check", "usb_device_check", nullptr},
      {"hwget", "hwget", &name},
      {"btnmode", "btnmode", &btnmode},
      {"coexistence_2.4G", "coexistence_2.4G", &coexistence},
      {"coexistence_5G", "coexistence_5G", &coexistence5G},
      {"language", "language", &Language},
      {"SSID_2.4G", "SSID_2.4G", &SSID},
      {"SSID_5G", "SSID_5G", &SSID5G},
      {"WPS_PIN", "WPS_PIN", &WPS_PIN},
      {"passphrase_2.4G", "passphrase_2.4G", &passphrase},
      {"passphrase_5G", "passphrase_5G", &passphrase5g},
      {"LAN_MAC", "LAN_MAC", &Lan_MAC},
      {"ModelID", "ModelID", &ModelID},
      {"PINCode", "PINCode", &PIN_Code},
      {"SN", "SN", &SN},
      {"WLAN_2.4G_MAC", "WLAN_2.4G_MAC", &WlanMAC},
      {"voip_testmode", "voip_testmode", &arg1},
      {"led_lan_on", "led_lan_on", &ledOnOff},
      {"led", "led", &ledAll},
      {"color", "color", &color},
      {"productionmode", "productionmode", &productionmode},
  };

  for (const auto &r : rows) {
    SCOPED_TRACE(r.longName);
    std::string word = std::string("--") + r.longName;
    if (r.value) word += "=v-" + std::string(r.longName);
    EXPECT_EQ(parseWords({word}), 0);
    EXPECT_EQ(f, std::set<std::string>({r.action}));
    if (r.value) {
      EXPECT_EQ(*r.value, "v-" + std::string(r.longName));
    }
  }
}

TEST(Options, Forms)
{
  const struct {
    std::vector<std::string> words;
    int ret;
    std::set<std::string> actions;
    Values values;
  } cases[] = {
      {{"-ab"}, 0, {"show_hidden_info", "show_button_status"}, {}},
      {{"-l"}, 0, {"wlan24Status"}, {}},
      {{"--wlan24Status"}, 1, {}, {}},
      {{"-n"}, 0, {"show_product_Info"}, {}},
      {{"--show_product_info"}, 1, {}, {}},
      {{"--hwse"}, 0, {"hwset"}, {}},
      {{"--show"}, 1, {}, {}},
      {{"--led", "on"}, 0, {"led"}, {{&ledAll, "on"}}},
      {{"--led_lan", "on"}, 0, {"led_lan_on"}, {{&ledOnOff, "on"}}},
      {{"-g", "LAN_MAC"}, 0, {"hwget"}, {{&name, "LAN_MAC"}}},
      {{"-gLAN_MAC"}, 0, {"hwget"}, {{&name, "LAN_MAC"}}},
      {{"--hwget=LAN_MAC"}, 0, {"hwget"}, {{&name, "LAN_MAC"}}},
      {{"--hwget", "LAN_MAC"}, 0, {"hwget"}, {{&name, "LAN_MAC"}}},
      {{"-C", "enable", "-C", "disable", "-o"}, 0, {"coexistence_2.4G", "show_coexistence"},
       {{&coexistence, "disable"}}},
      {{"-S", ""}, 0, {"SN"}, {{&SN, ""}}},
      {{"stray", "-a", "words"}, 0, {"show_hidden_info"}, {}},
      {{"-g"}, 1, {}, {}},
      {{"-a", "-g"}, 1, {"show_hidden_info"}, {}},
      {{"-h", "-Q", "x"}, 1, {}, {{&SSID5G, ""}}},
      {{"-a", "-Q", "x", "-h"}, 1, {"show_hidden_info", "SSID_5G"}, {{&SSID5G, "x"}}},
  };

  for (const auto &c : cases) {
    std::string words;
    for (const auto &w : c.words) words += w + " ";
    SCOPED_TRACE(words);
    testing::internal::CaptureStderr();
    testing::internal::CaptureStdout();
    EXPECT_EQ(parseWords(c.words), c.ret);
    testing::internal::GetCapturedStdout();
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(f, c.actions);
    for (const auto &v : c.values) EXPECT_EQ(*v.first, v.second);
  }
}

// -h prints the help only when the loop gets to it; a bad option before it
// ends the run with the C library's diagnostic and no help.
TEST(Options, HelpAndBadOptions)
{
  const struct {
    std::vector<std::string> words;
    bool helpPrinted;
    const char *stderrHas;
  } cases[] = {
      {{"-h"}, true, ""},
      {{"-a", "-Q", "x", "-h"}, true, ""},
      {{"--bogus", "-h"}, false, "unrecognized option"},
      {{"-a", "-y"}, false, "invalid option"},
      {{"-g"}, false, "requires an argument"},
      {{"--show"}, false, "ambiguous"},
  };

  for (const auto &c : cases) {
    SCOPED_TRACE(c.words[0]);
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    EXPECT_EQ(parseWords(c.words), 1);
    fflush(stdout);
    std::string out = testing::internal::GetCapturedStdout();
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(out, c.helpPrinted ? golden("help.txt") : "");
    EXPECT_NE(err.find(c.stderrHas), std::string::npos) << err;
  }
}

// Any argument is stored as it stood: long, empty, any byte but NUL.
TEST(Options, ArgumentsAreStoredUnchanged)
{
  std::string big(100 * 1024, 'x');
  std::string bytes;

  for (int b = 1; b < 256; b++) bytes += (char)b;
  EXPECT_EQ(parseWords({"-I", big, "-K", bytes, "-L", ""}), 0);
  EXPECT_EQ(SSID, big);
  EXPECT_EQ(passphrase, bytes);
  EXPECT_EQ(Lan_MAC, "");
}
