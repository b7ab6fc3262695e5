// The simulated unit behaving as a gateway does, where a station relies on
// it: the base MAC entry, restore defaults, a power cycle, the fault
// catalogue of tools/dut fault and the fixture's buttons and LEDs.
#include <chrono>
#include <functional>

#include "dut_fixture.h"

class Unit : public Dut {
protected:
  Result tool(const std::vector<std::string> &args)
  {
    std::vector<std::string> argv = {DUT_TOOL, args[0], root};

    argv.insert(argv.end(), args.begin() + 1, args.end());
    return host(argv);
  }

  Result sh(const std::string &line) { return run({"sh", "-c", line}); }

  // Inside the device, so an entry made read-only reads as the device sees it.
  std::string entry(const std::string &name) { return sh("cat /proc/nvram/" + name).out; }
};

using Entry = Unit;

// Written by a shell redirect (tarnel's commit, or a station's own line),
// the base MAC entry takes 12 hex digits bare or in pairs separated by one
// kind of separator, and shows six lower-case pairs each followed by a
// blank; it refuses anything else and keeps what it held. -g LAN_MAC reads
// it back once the staged file is gone (a power cycle empties /tmp).
TEST_F(Entry, BaseMacTakesTheDeviceForm)
{
  const std::string before = "00 11 22 33 44 55 \n", mac600(600, 'a');
  const struct {
    std::string line, entry, lanMac;
  } cases[] = {
      {"tarnel -i -L 001A2B441099; tarnel -c", "00 1a 2b 44 10 99 \n", "00:1A:2B:44:10:99\n"},
      {"tarnel -i -L 00:1A:2B:44:10:98; tarnel -c", "00 1a 2b 44 10 98 \n", "00:1A:2B:44:10:98\n"},
      {"echo 00-1a-2b-44-10-97 > /proc/nvram/BaseMacAddr", "00 1a 2b 44 10 97 \n", "00:1A:2B:44:10:97\n"},
      {"printf 001a2b441096 > /proc/nvram/BaseMacAddr", "00 1a 2b 44 10 96 \n", "00:1A:2B:44:10:96\n"},
      // what the issue saw read back, and other malformed MACs
      {"echo 001A2B44109 > /proc/nvram/BaseMacAddr", before, "00:11:22:33:44:55\n"},
      {"echo 00:1A-2B:44:10:99 > /proc/nvram/BaseMacAddr", before, "00:11:22:33:44:55\n"},
      {"echo 00:1A:2B:44:10:9G > /proc/nvram/BaseMacAddr", before, "00:11:22:33:44:55\n"},
      {"tarnel -i -L " + mac600 + "; tarnel -c", before, "00:11:22:33:44:55\n"},
      // tarnel -e's empty write
      {"tarnel -e", before, "00:11:22:33:44:55\n"},
  };

  for (const auto &c : cases) {
    SCOPED_TRACE(c.line.substr(0, 60));
    put("/proc/nvram/BaseMacAddr", before);
    EXPECT_EQ(sh(c.line).status, 0);
    EXPECT_EQ(file("/proc/nvram/BaseMacAddr"), c.entry);
    remove("/tmp/Lan_MAC.txt");
    EXPECT_EQ(tarnel({"-g", "LAN_MAC"}).out, c.lanMac);
  }
  // other entries keep what is written
  EXPECT_EQ(sh("echo 001A2B441099 > /proc/nvram/ssid").status, 0);
  EXPECT_EQ(file("/proc/nvram/ssid"), "001A2B441099\n");
}

using Config = Unit;

// A restore of the defaults resets the nvram variables and the store, saved
// copies too, deriving the addresses, the 2.4 GHz SSID and pass-phrase and
// the WPS PIN from the flash entries as committed; the entries stay.
TEST_F(Config, RestoreDefaultsKeepsTheFactoryEntries)
{
  for (const char *line : {"tarnel -i -I Home24", "tarnel -i -K Psk24Value", "tarnel -i -S SN0001",
                           "tarnel -i -L 00:11:22:33:44:55", "tarnel -c", "nvram set wl1_ssid=Changed",
                           "nvram set extra=1", "tarnel -r"})
    ASSERT_EQ(sh(line).status, 0) << line;
  put("/var/dutsim/cms/TempPool1Cfg/wizard_first", "7");
  const Files expected = {
      // kept
      {"/proc/nvram/ssid", "Home24\n"},
      {"/proc/nvram/BasePreShareKey", "Psk24Value\n"},
      {"/proc/nvram/ModemSerialNumber", "SN0001\n"},
      {"/proc/nvram/BaseMacAddr", "00 11 22 33 44 55 \n"},
      {"/proc/nvram/BasePreShareKey_5g", "kr4410Factory5G\n"},
      // back at the defaults
      {"/var/dutsim/nvram/wl0_ssid", "Home24"},
      {"/var/dutsim/nvram/wl0_wpa_psk", "Psk24Value"},
      {"/var/dutsim/nvram/lan_hwaddr", "00:11:22:33:44:55"},
      {"/var/dutsim/nvram/wl0_hwaddr", "00:11:22:33:44:57"},
      {"/var/dutsim/nvram/wl1_hwaddr", "00:11:22:33:44:58"},
      {"/var/dutsim/nvram/wps_device_pin", "12345670"},
      {"/var/dutsim/nvram/wl1_ssid", "KR4410-1001-5G"},
      {"/var/dutsim/flash-nvram/wl1_ssid", "KR4410-1001-5G"},
      {"/var/dutsim/cms/TempPool1Cfg/wizard_first", "1"},
      {"/var/dutsim/flash/TempPool1Cfg/wizard_first", "1"},
  };

  EXPECT_EQ(sh("tarnel -r").out, "Reset to Default OK\n");
  for (const auto &f : expected) EXPECT_EQ(file(f.first), f.second) << f.first;
  EXPECT_FALSE(exists("/var/dutsim/nvram/extra"));
}

// A power cycle keeps what the last save put in flash and the factory
// entries, and loses the rest: /tmp, configuration changes not saved,
// register and LED state, button test mode. A failed save shows as a
// value gone after it.
TEST_F(Config, RebootKeepsWhatWasSaved)
{
  for (const char *line : {"tarnel -i -Q Home5", "tarnel -i -S SN0002", "tarnel -c", "tarnel -B enable",
                           "tarnel -E on -F B"})
    ASSERT_EQ(sh(line).status, 0) << line;
  ASSERT_EQ(tool({"fault", "cmsMgm_saveConfigToFlash", "555"}).status, 0);
  ASSERT_EQ(sh("tarnel -i -Q Lost5; tarnel -c").status, 0);
  EXPECT_EQ(sh("nvram get wl1_ssid").out, "Lost5\n");
  clearTrace();
  EXPECT_EQ(tool({"reboot"}).status, 0);
  EXPECT_EQ(sh("nvram get wl1_ssid; ls /tmp; cat /proc/BtnMode; ledstate blue on").out, "Home5\n0\n");
  EXPECT_EQ(sh("ledstate blue off").status, 0);
  EXPECT_EQ(entry("ModemSerialNumber"), "SN0002\n");
  // inside the device too; the reboot leaves its trace line
  Result r = sh("reboot");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(traceLines(), Lines({"reboot: ", "sh: nvram get wl1_ssid; ls /tmp; cat /proc/BtnMode; ledstate blue on",
                                 "sh: ledstate blue off", "sh: cat /proc/nvram/ModemSerialNumber",
                                 "sh: reboot", "reboot: "}));
}

using Faults = Unit;

// Every row of the fault table: set with tools/dut fault, listed, taking
// effect on what runs next, and cleared. A slowed or hung call is shown by
// the run lasting at least that long (a sleep never ends early).
TEST_F(Faults, EveryRowTakesEffect)
{
  using Check = std::function<void()>;
  const Check nothing = [] {};
  const struct {
    std::string name, value, line, out;
    int status;
    long atLeastMs;
    Check after;
  } rows[] = {
      {"cmsMsg_init", "1234", "tarnel -c", "cmsMsg_init failed, ret=1234\n", 255, 0, nothing},
      {"cmsLed_ContrlAllBlueLED", "7", "tarnel -E on -F B; ledstate blue on", "", 1, 0, nothing},
      {"slow:xdslCtl_GetConnectionInfo", "400", "tarnel -u", "uplink 1023 Kbps\n", 0, 400, nothing},
      {"cmd:nvram", "exit 3", "nvram set wl0_ssid=X", "", 3, 0,
       [&] { EXPECT_EQ(file("/var/dutsim/nvram/wl0_ssid"), "KR4410-1001"); }},
      {"cmd:nvram", "silent", "nvram set wl0_ssid=Y; nvram get wl0_ssid", "", 0, 0,
       [&] { EXPECT_EQ(file("/var/dutsim/nvram/wl0_ssid"), "Y"); }},
      {"cmd:fwinfo", "print A\\tB\\r\\n\\\\x", "fwinfo -g boardID", "A\tB\r\n\\x", 0, 0, nothing},
      {"cmd:wl", "hang 400", "wl country", "DE (DE/0) GERMANY\n", 0, 400, nothing},
      {"entry:ssid", "readonly", "echo X > /proc/nvram/ssid", "", 1, 0,
       [&] { EXPECT_EQ(entry("ssid"), "KR4410-1001\n"); }},
      {"entry:ssid", "drop", "echo X > /proc/nvram/ssid", "", 0, 0,
       [&] { EXPECT_EQ(entry("ssid"), "KR4410-1001\n"); }},
      // the commit's save waits for the holder, then takes the lock
      {"lock", "1000", "tarnel -c", "", 0, 0,
       [&] {
         Lines t = traceLines({"cms: "});
         EXPECT_EQ(t, Lines({"cms: lock cmslock held", "cms: lock cmslock released",
                             "cms: lock saveToFlash held", "cms: lock saveToFlash released"}));
       }},
      {"usb", "none", "usbplug 1; tarnel -U", "No USB device is plug\n", 0, 0, nothing},
      {"usb", "version  1.10", "usbplug 1; tarnel -U",
       "show usb device\nUSB 0:  1.1 \nUSB 1: No USB device is Plug \n", 0, 0, nothing},
  };

  for (const auto &r : rows) {
    SCOPED_TRACE(r.name + " " + r.value);
    clearTrace();
    Result set = tool({"fault", r.name, r.value});
    EXPECT_EQ(set.status, 0) << set.err;
    EXPECT_EQ(tool({"fault"}).out, r.name + " " + r.value + "\n");
    auto start = std::chrono::steady_clock::now();
    Result got = sh(r.line);
    long ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(got.out, r.out);
    EXPECT_EQ(got.status, r.status) << got.err;
    EXPECT_GE(ms, r.atLeastMs);
    r.after();
    EXPECT_EQ(tool({"fault", r.name, "off"}).status, 0);
    EXPECT_EQ(tool({"fault"}).out, "");
  }
  // a read-only entry refuses a write with the file system's error
  ASSERT_EQ(tool({"fault", "entry:HWID", "readonly"}).status, 0);
  EXPECT_NE(sh("echo X > /proc/nvram/HWID").err.find("Read-only file system"), std::string::npos);
  // "off" clears them all, the read-only entry a plain file again
  ASSERT_EQ(tool({"fault", "cmd:sw", "exit 1"}).status, 0);
  EXPECT_EQ(tool({"fault"}).out, "cmd:sw exit 1\nentry:HWID readonly\n");
  EXPECT_EQ(tool({"fault", "off"}).status, 0);
  EXPECT_EQ(tool({"fault"}).out, "");
  EXPECT_EQ(sh("echo X > /proc/nvram/HWID").status, 0);
  EXPECT_EQ(file("/proc/nvram/HWID"), "X\n");
  // what is not in the table is refused
  const std::vector<std::string> refused[] = {
      {"fault", "nosuch", "1"},          {"fault", "cmsMsg_cleanup", "1"},
      {"fault", "cmd:sh", "exit 1"},     {"fault", "cmd:nvram", "loud"},
      {"fault", "entry:nosuch", "drop"}, {"fault", "slow:nosuch", "5"}};
  for (const auto &bad : refused) EXPECT_EQ(tool(bad).status, 2) << words(bad);
  EXPECT_EQ(tool({"fault"}).out, "");
}

using Fixture = Unit;

// A press while button test mode is on counts and rewrites the record with
// every button of the model; a count of 0 starts a fresh record. Without
// test mode, or for a button the model lacks, nothing changes.
TEST_F(Fixture, ButtonPresses)
{
  const std::string off = "btnpress: button test mode is off; the press changes nothing\n";
  const struct {
    std::vector<std::string> command;  // in the device; "host" first: tools/dut
    int status;
    std::string err, count, record;
  } steps[] = {
      {{"btnpress", "WPS"}, 1, off, "0\n", gone},
      {{"tarnel", "-B", "enable"}, 0, "", "0\n", gone},
      {{"btnpress", "WPS"}, 0, "", "1\n", "WPS:1&Reset:0&WLAN:0&DECT:0&\n"},
      {{"host", "btnpress", "WLAN"}, 0, "", "2\n", "WPS:1&Reset:0&WLAN:1&DECT:0&\n"},
      {{"btnpress", "WLAN"}, 0, "", "3\n", "WPS:1&Reset:0&WLAN:2&DECT:0&\n"},
      {{"btnpress", "Power"}, 2, "btnpress: the KR4410 has no button Power (it has WPS Reset WLAN DECT)\n",
       "3\n", "WPS:1&Reset:0&WLAN:2&DECT:0&\n"},
      {{"tarnel", "-B", "disable"}, 0, "", "0\n", "WPS:1&Reset:0&WLAN:2&DECT:0&\n"},
      {{"tarnel", "-B", "enable"}, 0, "", "0\n", "WPS:1&Reset:0&WLAN:2&DECT:0&\n"},
      {{"btnpress", "Reset"}, 0, "", "1\n", "WPS:0&Reset:1&WLAN:0&DECT:0&\n"},
  };

  for (const auto &s : steps) {
    SCOPED_TRACE(words(s.command));
    Result r = s.command[0] == "host" ? tool({s.command.begin() + 1, s.command.end()}) : run(s.command);
    EXPECT_EQ(r.status, s.status);
    EXPECT_EQ(r.err, s.err);
    EXPECT_EQ(file("/proc/BtnCnt"), s.count);
    if (s.record == gone) EXPECT_FALSE(exists("/tmp/button.txt"));
    else EXPECT_EQ(file("/tmp/button.txt"), s.record);
  }
  EXPECT_EQ(tarnel({"-b"}).out, "WPS:0\nReset:1\nWLAN:0\nDECT:0\n");
  // each model its own buttons
  init("PZ7720E");
  EXPECT_EQ(sh("tarnel -B enable; btnpress WPS; cat /tmp/button.txt").out, "WPS:1&Reset:0&\n");
  EXPECT_EQ(sh("btnpress WLAN").status, 2);
}

// ledstate: the colour LEDs as the LED platform calls left them, green from
// its register field, the LAN LEDs from each model's register writes.
TEST_F(Fixture, LedState)
{
  for (const char *model : {"KR4410", "PZ7720E", "MTX-2150", "MTX-2450", "KR8800"}) {
    SCOPED_TRACE(model);
    init(model);
    EXPECT_EQ(sh("ledstate lan off && tarnel -A enable >/dev/null && ledstate lan on && "
                 "tarnel -A disable >/dev/null && ledstate lan off").status, 0);
  }
  init("KR4410");
  const struct {
    std::string line, shows;
  } steps[] = {
      {"true", "blue off\nred off\norange off\ngreen off\nlan off\n"},
      {"tarnel -E on -F B", "blue on\nred off\norange off\ngreen off\nlan off\n"},
      {"tarnel -E on -F G", "blue on\nred off\norange off\ngreen on\nlan off\n"},
      {"tarnel -E off -F B", "blue off\nred off\norange off\ngreen off\nlan off\n"},
      {"tarnel -E on -F O", "blue off\nred off\norange on\ngreen off\nlan off\n"},
      {"tarnel -E on -F All", "blue off\nred off\norange on\ngreen on\nlan off\n"},
      // one of the five LAN LEDs (LED 9's field) lit
      {"sw 0xb0001908 0xc", "blue off\nred off\norange on\ngreen on\nlan mixed\n"},
  };
  for (const auto &s : steps) {
    SCOPED_TRACE(s.line);
    EXPECT_EQ(sh(s.line + " && ledstate").out, s.shows);
  }
  EXPECT_EQ(tool({"ledstate"}).out, steps[6].shows);
  EXPECT_EQ(sh("ledstate lan mixed").status, 0);
  EXPECT_EQ(sh("ledstate orange off").status, 1);
  Result unknown = sh("ledstate pink on");
  EXPECT_EQ(unknown.status, 2);
  EXPECT_EQ(unknown.err, "ledstate: no LED pink (it has blue red orange green lan)\n");
}
