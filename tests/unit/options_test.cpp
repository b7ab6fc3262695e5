// The option table and the parse loop: every option by its letter and by
// its long name, the forms the C library takes, and arguments kept as they
// stand. The help text and the front end's exit paths are the end-to-end
// tests'.
#include <gtest/gtest.h>
#include <map>

#include "cli/cli.h"
#include "cli_state.h"

using Values = std::map<std::string *, std::string>;

// Each option's letter and long name record its action, and store their
// argument where they take one; -h records nothing.
TEST(Options, EveryLetterAndLongNameRecordsItsAction)
{
  const struct {
    char letter;
    const char *longName, *action;
    std::string *value;
  } rows[] = {
      {'a', "show_hidden_info", "show_hidden_info", nullptr},
      {'b', "show_button_status", "show_button_status", nullptr},
      {'c', "commit", "commit", nullptr},
      {'d', "downlink", "downlink", nullptr},
      {'e', "hwclear", "hwclear", nullptr},
      {'f', "datarate", "datarate", nullptr},
      {'p', "dsl_status", "dsl_status", nullptr},
      {'x', "datarate5g", "datarate5g", nullptr},
      {'i', "hwset", "hwset", nullptr},
      {'j', "show24coexistence", "show24coexistence", nullptr},
      {'q', "show5gcoexistence", "show5gcoexistence", nullptr},
      {'l', "wlan24status", "wlan24Status", nullptr},
      {'m', "wlan5gstatus", "wlan5gStatus", nullptr},
      {'n', "Show_product_Info", "show_product_Info", nullptr},
      {'o', "show_coexistence", "show_coexistence", nullptr},
      {'r', "reset_to_default", "reset_to_default", nullptr},
      {'s', "hwshow", "hwshow", nullptr},
      {'u', "uplink", "uplink", nullptr},
      {'w', "web", "web", nullptr},
      {'t', "usb_transfer_rate", "usb_transfer_rate", &usbactive},
      {'v', "usb_write_file_size", "usb_write_file_size", &write_file_size},
      {'U', "usb_device_check", "usb_device_check", nullptr},
      {'g', "hwget", "hwget", &name},
      {'B', "btnmode", "btnmode", &btnmode},
      {'C', "coexistence_2.4G", "coexistence_2.4G", &coexistence},
      {'X', "coexistence_5G", "coexistence_5G", &coexistence5G},
      {'D', "language", "language", &Language},
      {'I', "SSID_2.4G", "SSID_2.4G", &SSID},
      {'Q', "SSID_5G", "SSID_5G", &SSID5G},
      {'J', "WPS_PIN", "WPS_PIN", &WPS_PIN},
      {'K', "passphrase_2.4G", "passphrase_2.4G", &passphrase},
      {'Y', "passphrase_5G", "passphrase_5G", &passphrase5g},
      {'L', "LAN_MAC", "LAN_MAC", &Lan_MAC},
      {'M', "ModelID", "ModelID", &ModelID},
      {'P', "PINCode", "PINCode", &PIN_Code},
      {'S', "SN", "SN", &SN},
      {'W', "WLAN_2.4G_MAC", "WLAN_2.4G_MAC", &WlanMAC},
      {'k', "voip_testmode", "voip_testmode", &arg1},
      {'A', "led_lan_on", "led_lan_on", &ledOnOff},
      {'E', "led", "led", &ledAll},
      {'F', "color", "color", &color},
      {'Z', "productionmode", "productionmode", &productionmode},
  };

  EXPECT_EQ(std::string(shortopts), "habcdefxijqlmnorsuwpUE:A:g:B:C:X:D:I:Q:J:K:Y:L:M:P:S:W:k:F:t:v:Z:");
  for (const auto &r : rows) {
    SCOPED_TRACE(r.longName);
    std::vector<std::string> byLetter = {std::string("-") + r.letter};
    std::vector<std::string> byName = {std::string("--") + r.longName};
    if (r.value) {
      byLetter.push_back("v-" + std::string(r.longName));
      byName[0] += "=v-" + std::string(r.longName);
    }
    for (const auto &words : {byLetter, byName}) {
      EXPECT_EQ(parseWords(words), 0);
      EXPECT_EQ(f, std::set<std::string>({r.action}));
      if (r.value) {
        EXPECT_EQ(*r.value, "v-" + std::string(r.longName));
      }
    }
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
