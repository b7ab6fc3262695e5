// Reading parameters back: -g NAME in plain and web mode, the -s list and
// the product sheet ending the run, staged values read in place of stored
// ones.
#include "dut_fixture.h"

using ReadBack = Dut;

TEST_F(ReadBack, HwgetEveryNameInBothModes)
{
  const struct {
    std::string name;
    const char *plain, *web, *command;  // command nullptr: nothing runs
  } cases[] = {
      {"LAN_MAC", "00:1A:2B:44:10:01\n", "00:1A:2B:44:10:01\n", "cat /proc/nvram/BaseMacAddr"},
      {"WLAN_2.4G_MAC", "2.4G WLAN MAC 00:1A:2B:44:10:03\n", "00:1A:2B:44:10:03\n", "nvram get wl0_hwaddr"},
      {"WLAN_5G_MAC", "5G WLAN MAC 00:1A:2B:44:10:04\n", "00:1A:2B:44:10:04\n", "nvram get wl1_hwaddr"},
      {"SN", "SN KR44102603120001\n", "KR44102603120001\n", "cat /proc/nvram/ModemSerialNumber"},
      {"PINCode", "PIN Code 12345670\n", "12345670\n", "cat /proc/nvram/wps_device_pin"},
      {"SSID_2.4G", "SSID_2.4G KR4410-1001\n", "KR4410-1001\n", "nvram get wl0_ssid"},
      {"SSID_5G", "SSID_5G KR4410-1001-5G\n", "KR4410-1001-5G\n", "nvram get wl1_ssid"},
      {"passphrase_2.4G", "kr4410Factory01\n\n", "kr4410Factory01\n\n", "cat /proc/nvram/BasePreShareKey"},
      {"passphrase_5G", "kr4410Factory5G\n\n", "kr4410Factory5G\n\n", "cat /proc/nvram/BasePreShareKey_5g"},
      {"WPS_PIN", "WPS_PIN 51849387\n", "51849387\n", "nvram get wps_sta_pin"},
      {"sn", "sn N/A\n", "sn N/A\n", nullptr},
      {"LAN_MAC ", "LAN_MAC  N/A\n", "LAN_MAC  N/A\n", nullptr},
      {"", " N/A\n", " N/A\n", nullptr},
      {std::string(10240, 'n'), nullptr, nullptr, nullptr},
  };

  for (const auto &c : cases) {
    SCOPED_TRACE(c.name.substr(0, 20));
    std::string unknown = c.name + " N/A\n";
    Lines commands;
    if (c.command) commands.push_back(std::string("sh: ") + c.command);
    for (bool web : {false, true}) {
      Result r = web ? tarnel({"-w", "-g", c.name}) : tarnel({"-g", c.name});
      EXPECT_EQ(r.status, 0);
      EXPECT_EQ(r.out, c.plain ? (web ? c.web : c.plain) : unknown);
      EXPECT_EQ(traceLines({"sh: ", "call: "}), commands);
    }
  }
}

// The list and the sheet are the same in web mode, and each ends the run
// after printing: nothing given with it runs.
TEST_F(ReadBack, ListAndSheetEndTheRun)
{
  for (const char *list : {"-s", "-n"}) {
    SCOPED_TRACE(list);
    std::string alone = tarnel({list}).out;
    Lines reads = traceLines({"sh: ", "call: "});
    Result r = tarnel({"-c", "-S", "X", "-i", "-g", "SN", list, "-M", "x", "-Z", "1", "-w"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, alone);
    EXPECT_EQ(traceLines({"sh: ", "call: "}), reads);
    EXPECT_FALSE(exists("/tmp/SN.txt"));
  }
}

// A staged LAN MAC and SSID are read in place of the stored ones wherever
// they are read back, until their files go (-g's forms of them are the
// readers' test's).
TEST_F(ReadBack, StagedValuesWin)
{
  tarnel({"-i", "-L", "0a1b2c3d4e5f"});
  tarnel({"-i", "-I", "Staged SSID"});
  tarnel({"-c", "-e"});
  std::string list = tarnel({"-s"}).out;
  EXPECT_NE(list.find("LAN_MAC 0a1b2c3d4e5f\nWAN_MAC_1 N/A\n"), std::string::npos) << list;
  EXPECT_NE(list.find("SSID_2.4G Staged SSID\nSSID_5G "), std::string::npos) << list;
  std::string sheet = tarnel({"-n"}).out;
  EXPECT_NE(sheet.find("\nLAN MAC: 0a1b2c3d4e5f\nWLAN MAC 1: N/A\n"), std::string::npos) << sheet;
  EXPECT_NE(sheet.find("\n2.4G SSID: Staged SSID\n2.4G PassPhrase: "), std::string::npos) << sheet;
  std::string web = tarnel({"-a", "-w"}).out;
  EXPECT_NE(web.find("'2.4G SSID:':'Staged SSID',"), std::string::npos) << web;
  EXPECT_NE(web.find("'LAN MAC:':'0a1b2c3d4e5f',"), std::string::npos) << web;

  remove("/tmp/Lan_MAC.txt");
  remove("/tmp/SSID_2_4G.txt");
  put("/proc/nvram/BaseMacAddr", "00 11 22 33 44 55 \n");
  EXPECT_EQ(tarnel({"-g", "LAN_MAC"}).out, "00:11:22:33:44:55\n");
  // the clear above emptied the stored SSID
  EXPECT_EQ(tarnel({"-g", "SSID_2.4G"}).out, "SSID_2.4G N/A\n");
}
