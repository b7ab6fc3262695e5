// Reading parameters back: -g NAME in plain and web mode, the -s list and
// the product sheet's own lines, and which of them ends the run.
#include <cstring>

#include "dut_fixture.h"

using ReadBack = Dut;

static const char hwshowText[] =
    "LAN_MAC 00:1A:2B:44:10:01\n"
    "WAN_MAC_1 N/A\n"
    "WAN_MAC_2 N/A\n"
    "WAN_MAC_3 N/A\n"
    "WLAN_2.4G_MAC 00:1A:2B:44:10:03\n"
    "WLAN_5G_MAC 00:1A:2B:44:10:04\n"
    "SN KR44102603120001\n"
    "PIN Code 12345670\n"
    "SSID_2.4G KR4410-1001\n"
    "SSID_5G KR4410-1001-5G\n"
    "passphrase_2.4G kr4410Factory01\n\n"
    "passphrase_5G kr4410Factory5G\n\n"
    "WPS_PIN 51849387\n";

static const Lines hwshowCommands = {
    "sh: cat /proc/nvram/BaseMacAddr",   "sh: nvram get wl0_hwaddr",
    "sh: nvram get wl1_hwaddr",          "sh: cat /proc/nvram/ModemSerialNumber",
    "sh: cat /proc/nvram/wps_device_pin", "sh: nvram get wl0_ssid",
    "sh: nvram get wl1_ssid",            "sh: cat /proc/nvram/BasePreShareKey",
    "sh: cat /proc/nvram/BasePreShareKey_5g", "sh: nvram get wps_sta_pin",
};

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

// The list is the same in web mode, and nothing given with it runs.
TEST_F(ReadBack, HwshowListsEverythingAndEndsTheRun)
{
  const std::vector<std::string> argsList[] = {
      {"-s"},
      {"-s", "-w"},
      {"-c", "-S", "X", "-i", "-g", "SN", "-n", "-s", "-M", "x", "-Z", "1"},
  };

  for (const auto &args : argsList) {
    SCOPED_TRACE(args.size());
    Result r = tarnel(args);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, hwshowText);
    EXPECT_EQ(traceLines({"sh: ", "call: "}), hwshowCommands);
    EXPECT_FALSE(exists("/tmp/SN.txt"));
    EXPECT_EQ(file("/proc/nvram/BoardFlag"), "0\n");
  }
}

// Erased flash (first byte 0xFF) reads as "N/A" wherever it is read back;
// 0xFE is a value like any other.
TEST_F(ReadBack, ErasedFlashShowsNA)
{
  for (const char *e : {"wps_device_pin", "BasePreShareKey", "BasePreShareKey_5g", "HWID", "DectRFPI"})
    put(std::string("/proc/nvram/") + e, "\xff\xff\xff\xff\n");
  EXPECT_EQ(tarnel({"-g", "PINCode"}).out, "PIN Code N/A\n");
  EXPECT_EQ(tarnel({"-g", "passphrase_2.4G"}).out, "N/A\n");
  EXPECT_EQ(tarnel({"-g", "passphrase_5G"}).out, "N/A\n");
  std::string sheet = tarnel({"-n"}).out;
  for (const char *line : {"\nPIN Code: N/A\n", "\nBoard HW ID:N/A\nBoard Model ID: ", "\nDECT RFPI: N/A\n",
                           "\n2.4G PassPhrase: N/A\n", "\n5G PassPhrase:N/A\n"})
    EXPECT_NE(sheet.find(line), std::string::npos) << line << "\nin\n" << sheet;
  put("/proc/nvram/wps_device_pin", "\xfe" "1234\n");
  EXPECT_EQ(tarnel({"-g", "PINCode"}).out, "PIN Code \xfe" "1234\n");
}

// A staged LAN MAC and SSID are shown in place of the stored ones
// wherever they are read back, until their files go.
TEST_F(ReadBack, StagedValuesWin)
{
  tarnel({"-i", "-L", "0a1b2c3d4e5f"});
  tarnel({"-i", "-I", "Staged SSID"});
  tarnel({"-c", "-e"});
  EXPECT_EQ(tarnel({"-g", "LAN_MAC"}).out, "0a1b2c3d4e5f\n");
  EXPECT_EQ(tarnel({"-g", "SSID_2.4G"}).out, "SSID_2.4G Staged SSID\n");
  std::string list = tarnel({"-s"}).out;
  EXPECT_NE(list.find("LAN_MAC 0a1b2c3d4e5f\nWAN_MAC_1 N/A\n"), std::string::npos) << list;
  EXPECT_NE(list.find("SSID_2.4G Staged SSID\nSSID_5G "), std::string::npos) << list;
  std::string sheet = tarnel({"-n"}).out;
  EXPECT_NE(sheet.find("\nLAN MAC: 0a1b2c3d4e5f\nWLAN MAC 1: N/A\n"), std::string::npos) << sheet;
  EXPECT_NE(sheet.find("\n2.4G SSID: Staged SSID\n2.4G PassPhrase: "), std::string::npos) << sheet;

  remove("/tmp/Lan_MAC.txt");
  remove("/tmp/SSID_2_4G.txt");
  put("/proc/nvram/BaseMacAddr", "00 11 22 33 44 55 \n");
  EXPECT_EQ(tarnel({"-g", "LAN_MAC"}).out, "00:11:22:33:44:55\n");
  // the clear above emptied the stored SSID
  EXPECT_EQ(tarnel({"-g", "SSID_2.4G"}).out, "SSID_2.4G N/A\n");
}

// The sheet's own lines: labels in order, the coexistence states read
// quietly first, the fixed lines; the value lines of the link-rate and
// xDSL readers are theirs to test.
TEST_F(ReadBack, ProductSheetOwnLines)
{
  const char *const pieces[] = {
      "FW Version: KR4410_V1.02.17\nSeries number: KR44102603120001\n2.4G SSID: KR4410-1001\n"
      "2.4G PassPhrase: kr4410Factory01\n\n2.4G Coexist: enable\n2.4G Data rate: ",
      "2.4G Channel: Auto(0)\n2.4G WLAN MAC: 00:1A:2B:44:10:03\n5G SSID:KR4410-1001-5G\n"
      "5G PassPhrase:kr4410Factory5G\n\n5G Coexist: disable\n5G Data rate: ",
      "5G Channel:36\n5G WLAN MAC:00:1A:2B:44:10:04\nLAN MAC: 00:1A:2B:44:10:01\n"
      "WLAN MAC 1: N/A\nWLAN MAC 2: N/A\nWLAN MAC 3: N/A\nPIN Code: 12345670\n"
      "Region: DE (DE/0) GERMANY\nLanguage: ENG,DEU,FRAENG\nBoard HW ID:KR4410-HW-B1\n\n"
      "Board Model ID: KR4410\nADSL Modem Code Version: ",
      "WLAN Version: 7.14.164.301\nADSL downstream link rate: ",
      "ADSL upstream link rate: ",
      "Build time: 2026-03-12 10:41:07\nDECT Version: N/A\nDECT RFPI: 023F8A10C8\n"
      "DECT Handset: N/A\nFACTORY MODE: N/A\n",
  };

  for (const auto &args : {Lines{"-n"}, Lines{"-w", "-n"}, Lines{"-g", "SN", "-n", "-i", "-S", "X"}}) {
    SCOPED_TRACE(args.size());
    Result r = tarnel(args);
    EXPECT_EQ(r.status, 0);
    size_t at = 0;
    for (const char *p : pieces) {
      size_t found = r.out.find(p, at);
      ASSERT_NE(found, std::string::npos) << p << "\nin\n" << r.out;
      if (at == 0) {
        EXPECT_EQ(found, 0u) << r.out;
      }
      at = found + strlen(p);
    }
    EXPECT_EQ(at, r.out.size()) << r.out;
    Lines sh = traceLines({"sh: "});
    ASSERT_GE(sh.size(), 3u);
    EXPECT_EQ(sh[0], "sh: wl -i wl0 obss_coex");
    EXPECT_EQ(sh[1], "sh: wl -i wl1 obss_coex");
    EXPECT_EQ(sh.back(), "sh: cat /proc/nvram/DectRFPI");
    EXPECT_FALSE(exists("/tmp/SN.txt"));
  }
}
