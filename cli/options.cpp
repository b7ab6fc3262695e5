// The option table, the help text and the parse loop.
#include <cstdio>
#include <getopt.h>

#include "cli.h"

std::set<std::string> f;
int web;
std::string help;

std::string usbactive, write_file_size, name, btnmode, coexistence,
    coexistence5G, Language, SSID, SSID5G, WPS_PIN, passphrase, passphrase5g,
    Lan_MAC, ModelID, PIN_Code, SN, WlanMAC, arg1, ledOnOff, ledAll, color,
    productionmode;

const char shortopts[] =
    "habcdefxijqlmnorsuwpUE:A:g:B:C:X:D:I:Q:J:K:Y:L:M:P:S:W:k:F:t:v:Z:";

const struct option options[44] = {
    {"help", 0, nullptr, 'h'},
    {"show_hidden_info", 0, nullptr, 'a'},
    {"show_button_status", 0, nullptr, 'b'},
    {"commit", 0, nullptr, 'c'},
    {"downlink", 0, nullptr, 'd'},
    {"hwclear", 0, nullptr, 'e'},
    {"datarate", 0, nullptr, 'f'},
    {"dsl_status", 0, nullptr, 'p'},
    {"datarate5g", 0, nullptr, 'x'},
    {"hwset", 0, nullptr, 'i'},
    {"show24coexistence", 0, nullptr, 'j'},
    {"show5gcoexistence", 0, nullptr, 'q'},
    {"wlan24status", 0, nullptr, 'l'},
    {"wlan5gstatus", 0, nullptr, 'm'},
    {"Show_product_Info", 0, nullptr, 'n'},
    {"show_coexistence", 0, nullptr, 'o'},
    {"reset_to_default", 0, nullptr, 'r'},
    {"hwshow", 0, nullptr, 's'},
    {"uplink", 0, nullptr, 'u'},
    {"web", 0, nullptr, 'w'},
    {"usb_transfer_rate", 1, nullptr, 't'},
    {"usb_write_file_size", 1, nullptr, 'v'},
    {"usb_device_check", 0, nullptr, 'U'},
    {"hwget", 1, nullptr, 'g'},
    {"btnmode", 1, nullptr, 'B'},
    {"coexistence_2.4G", 1, nullptr, 'C'},
    {"coexistence_5G", 1, nullptr, 'X'},
    {"language", 1, nullptr, 'D'},
    {"SSID_2.4G", 1, nullptr, 'I'},
    {"SSID_5G", 1, nullptr, 'Q'},
    {"WPS_PIN", 1, nullptr, 'J'},
    {"passphrase_2.4G", 1, nullptr, 'K'},
    {"passphrase_5G", 1, nullptr, 'Y'},
    {"LAN_MAC", 1, nullptr, 'L'},
    {"ModelID", 1, nullptr, 'M'},
    {"PINCode", 1, nullptr, 'P'},
    {"SN", 1, nullptr, 'S'},
    {"WLAN_2.4G_MAC", 1, nullptr, 'W'},
    {"voip_testmode", 1, nullptr, 'k'},
    {"led_lan_on", 1, nullptr, 'A'},
    {"led", 1, nullptr, 'E'},
    {"color", 1, nullptr, 'F'},
    {"productionmode", 1, nullptr, 'Z'},
    {nullptr, 0, nullptr, 0},
};

// What each row of options records, row for row; row 0 (help) records nothing.
static const struct {
  const char *action;
  std::string *value;
} records[43] = {
    {nullptr, nullptr},
    {"show_hidden_info", nullptr},
    {"show_button_status", nullptr},
    {"commit", nullptr},
    {"downlink", nullptr},
    {"hwclear", nullptr},
    {"datarate", nullptr},
    {"dsl_status", nullptr},
    {"datarate5g", nullptr},
    {"hwset", nullptr},
    {"show24coexistence", nullptr},
    {"show5gcoexistence", nullptr},
    {"wlan24Status", nullptr},
    {"wlan5gStatus", nullptr},
    {"show_product_Info", nullptr},
    {"show_coexistence", nullptr},
    {"reset_to_default", nullptr},
    {"hwshow", nullptr},
    {"uplink", nullptr},
    {"web", nullptr},
    {"usb_transfer_rate", &usbactive},
    {"usb_write_file_size", &write_file_size},
    {"usb_device_check", nullptr},
    {"hwget", &name},
    {"btnmode", &btnmode},
    {"coexistence_2.4G", &coexistence},
    {"coexistence_5G", &coexistence5G},
    {"language", &Language},
    {"SSID_2.4G", &SSID},
    {"SSID_5G", &SSID5G},
    {"WPS_PIN", &WPS_PIN},
    {"passphrase_2.4G", &passphrase},
    {"passphrase_5G", &passphrase5g},
    {"LAN_MAC", &Lan_MAC},
    {"ModelID", &ModelID},
    {"PINCode", &PIN_Code},
    {"SN", &SN},
    {"WLAN_2.4G_MAC", &WlanMAC},
    {"voip_testmode", &arg1},
    {"led_lan_on", &ledOnOff},
    {"led", &ledAll},
    {"color", &color},
    {"productionmode", &productionmode},
};

// The help lines, in the order the help prints them; p, v, F and Z have none.
static const struct {
  char letter;
  const char *printed;
  const char *text;
} helpLines[] = {
    {'h', "help", "Show this message"},
    {'a', "show_hidden_info", "Show all hidden info data in one time"},
    {'b', "show_button_status", "Show all the button status"},
    {'c', "commit", "Write the buffer to DUT flash memory"},
    {'d', "downlink", "Show adsl downlink"},
    {'e', "hwclear", "Clear all parameters from DUT flash memory"},
    {'f', "datarate", "WLAN 2.4 date rate"},
    {'x', "datarate5g", "WLAN 5G date rate"},
    {'i', "hwset", "Set a name,value to buffer"},
    {'j', "show24coexistence", "Show Coexistence_2.4G status"},
    {'q', "show5gcoexistence", "Show Coexistence_5G status"},
    {'l', "wlan24Status", "WLAN 2.4 status"},
    {'m', "wlan5gStatus", "WLAN 5G status"},
    {'n', "show_product_info", "Show information  from DUT flash memory"},
    {'o', "show_coexistence", "Show Coexistence_2.4G/5G status"},
    {'r', "reset_to_default", "Reset to Default"},
    {'s', "hwshow", "Show all parameters from DUT flash memory"},
    {'u', "uplink", "Show adsl uplink"},
    {'w', "web", "Show data in Web"},
    {'g', "hwget", "Get a parameter from DUT flash memory"},
    {'t', "usbtransrate", "USB Tranfter Data Rate"},
    {'B', "btnmode", "Button test mode enable/disable"},
    {'C', "coexistence_2.4G", "Coexistence_2.4G enable/disable"},
    {'X', "coexistence_5G", "Coexistence_5G enable/disable"},
    {'D', "language", "Show language"},
    {'I', "SSID_2.4G", "The name of SSID_2.4G"},
    {'Q', "SSID_5G", "The name of SSID_5G"},
    {'J', "WPS_PIN", "The value of WPS_PIN"},
    {'U', "usb_device_check", "Check the status of usb devices"},
    {'K', "passphrase_2.4G", "The value of passphrase_2.4G"},
    {'Y', "passphrase_5G", "The value of passphrase_5G"},
    {'L', "LAN_MAC", "The MAC address of LAN"},
    {'M', "ModelID", "The Model ID name"},
    {'P', "PINCode", "The PIN Code"},
    {'S', "SN", "The serial number"},
    {'W', "WLAN_2.4G_MAC", "The MAC address of WLan2.4G_MAC"},
    {'k', "voip_testmode", "Voip test mode enable/disable"},
    {'A', "Trun On LAN LED", "Trun On LAN LED"},
    {'E', "Control ALL LED On/Off", "On/Off All LED"},
};

// Built on every run, so it is written in place into one buffer of its
// final size (about 3.5 kB): no temporaries, no growing.
void buildHelp()
{
  help.clear();
  help.reserve(4096);
  help.append(80, '-').append("\n");
  help.append(" options           argument\t\t\t\tfunction explanation\n");
  help.append(80, '-').append("\n");
  for (const auto &h : helpLines) {
    size_t start = help.size();

    help.append(" -").append(1, h.letter).append(" --").append(h.printed);
    // every description starts at column 44
    if (help.size() - start < 43) help.append(43 - (help.size() - start), ' ');
    help.append(h.text).append("\n");
  }
  help.append(80, '-').append("\n");
}

static int rowOf(int letter)
{
  for (int i = 0; options[i].name; i++)
    if (options[i].val == letter) return i;
  return -1;
}

int parseOptions(int argc, char **argv)
{
  for (;;) {
    int index = 0;
    int c = getopt_long(argc, argv, shortopts, options, &index);

    if (c == -1) return 0;
    if (c == 'h') {
      fputs(help.c_str(), stdout);
      return 1;
    }
    int row = rowOf(c);
    // '?' is the C library's answer to an unknown option or a missing
    // argument; it has already said so on stderr.
    if (row <= 0) return 1;
    f.insert(records[row].action);
    if (records[row].value) *records[row].value = optarg;
  }
}
