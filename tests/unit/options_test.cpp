// The option table and the parse loop: every letter and long name, the
// forms the C library takes, and arguments kept as they stand. The help
// text and the front end's exit paths are the end-to-end tests'.
#include <gtest/gtest.h>
#include <map>

#include "cli/cli.h"
#include "cli_state.h"

using Values = std::map<std::string *, std::string>;

// Each letter records its action (the long name's unless given), and its
// long name does the same: the same action, its argument stored in the same
// place.
TEST(Options, EveryLetterAndLongName)
{
  const struct {
    char letter;
    const char *longName;
    const char *action = nullptr;  // the long name when not given
  } rows[] = {
      {'h', "help", ""}, {'a', "show_hidden_info"}, {'b', "show_button_status"}, {'c', "commit"},
      {'d', "downlink"}, {'e', "hwclear"}, {'f', "datarate"}, {'p', "dsl_status"}, {'x', "datarate5g"},
      {'i', "hwset"}, {'j', "show24coexistence"}, {'q', "show5gcoexistence"},
      {'l', "wlan24status", "wlan24Status"}, {'m', "wlan5gstatus", "wlan5gStatus"},
      {'n', "Show_product_Info", "show_product_Info"}, {'o', "show_coexistence"},
      {'r', "reset_to_default"}, {'s', "hwshow"}, {'u', "uplink"}, {'w', "web"},
      {'t', "usb_transfer_rate"}, {'v', "usb_write_file_size"}, {'U', "usb_device_check"},
      {'g', "hwget"}, {'B', "btnmode"}, {'C', "coexistence_2.4G"}, {'X', "coexistence_5G"},
      {'D', "language"}, {'I', "SSID_2.4G"}, {'Q', "SSID_5G"}, {'J', "WPS_PIN"},
      {'K', "passphrase_2.4G"}, {'Y', "passphrase_5G"}, {'L', "LAN_MAC"}, {'M', "ModelID"},
      {'P', "PINCode"}, {'S', "SN"}, {'W', "WLAN_2.4G_MAC"}, {'k', "voip_testmode"},
      {'A', "led_lan_on"}, {'E', "led"}, {'F', "color"}, {'Z', "productionmode"},
  };
  const std::string letters = "habcdefxijqlmnorsuwpUE:A:g:B:C:X:D:I:Q:J:K:Y:L:M:P:S:W:k:F:t:v:Z:";

  EXPECT_EQ(std::string(shortopts), letters);
  for (const auto &r : rows) {
    SCOPED_TRACE(r.longName);
    std::vector<std::string> byLetter = {std::string("-") + r.letter};
    std::vector<std::string> byName = {std::string("--") + r.longName};
    if (letters[letters.find(r.letter) + 1] == ':') {
      byLetter.push_back("v");
      byName.push_back("v");
    }
    testing::internal::CaptureStdout();
    int ret = parseWords(byLetter);
    std::set<std::string> actions = f;
    std::vector<std::string> values = optionValues();
    EXPECT_EQ(parseWords(byName), ret);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(f, actions);
    EXPECT_EQ(optionValues(), values);
    std::string action = r.action ? r.action : r.longName;
    EXPECT_EQ(f, action.empty() ? std::set<std::string>{} : std::set<std::string>{action});
  }
}

// Grouped letters, prefixes, ambiguity, exact names and case, attached and
// separate arguments, the last of a repeated option, stray words, and where
// -h and a missing argument stop the loop.
TEST(Options, Forms)
{
  const struct {
    std::vector<std::string> words;
    int ret;
    std::set<std::string> actions;
    Values values;
  } cases[] = {
      {{"-ab"}, 0, {"show_hidden_info", "show_button_status"}, {}},
      {{"--wlan24Status"}, 1, {}, {}},
      {{"--show_product_info"}, 1, {}, {}},
      {{"--hwse"}, 0, {"hwset"}, {}},
      {{"--show"}, 1, {}, {}},
      {{"--led", "on"}, 0, {"led"}, {{&ledAll, "on"}}},
      {{"--led_lan", "on"}, 0, {"led_lan_on"}, {{&ledOnOff, "on"}}},
      {{"-gLAN_MAC"}, 0, {"hwget"}, {{&name, "LAN_MAC"}}},
      {{"--hwget", "LAN_MAC"}, 0, {"hwget"}, {{&name, "LAN_MAC"}}},
      {{"-C", "enable", "-C", "disable", "-o"}, 0, {"coexistence_2.4G", "show_coexistence"},
       {{&coexistence, "disable"}}},
      {{"stray", "-a", "words"}, 0, {"show_hidden_info"}, {}},
      {{"-a", "-g"}, 1, {"show_hidden_info"}, {}},
      {{"-h", "-Q", "x"}, 1, {}, {{&SSID5G, ""}}},
      {{"-a", "-Q", "x", "-h"}, 1, {"show_hidden_info", "SSID_5G"}, {{&SSID5G, "x"}}},
  };

  for (const auto &c : cases) {
    SCOPED_TRACE(c.words[0] + " " + std::to_string(c.words.size()));
    testing::internal::CaptureStderr();
    testing::internal::CaptureStdout();
    EXPECT_EQ(parseWords(c.words), c.ret);
    testing::internal::GetCapturedStdout();
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(f, c.actions);
    for (const auto &v : c.values) EXPECT_EQ(*v.first, v.second);
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
