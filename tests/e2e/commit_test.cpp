// Commit of staged parameters, clear, reset and the flash save's store
// connection, as a station sees them: output, status, the command lines
// and platform calls in the trace, and what lands in the device's storage.
#include <map>
#include <string>

#include "dut_fixture.h"

using Staged = std::map<std::string, std::string>;

// Every staging file with a value of its own.
static const Staged everyFile = {
    {"/tmp/Lan_MAC.txt", "00:11:22:33:44:55"},
    {"/tmp/WPSPSK.txt", "Psk24Value"},
    {"/tmp/WPSPSK5G.txt", "Psk5Value"},
    {"/tmp/PIN_Code.txt", "11112222"},
    {"/tmp/SSID_2_4G.txt", "Home24"},
    {"/tmp/SSID_5G.txt", "Home5"},
    {"/tmp/WPS_PIN.txt", "33334444"},
    {"/tmp/SN.txt", "SN0001"},
    {"/tmp/Wlan_MAC.txt", "66:77:88:99:AA:BB"},
};

// The command lines a commit runs for these values, in its order.
static Lines commitLines(const std::string &mac, const std::string &psk, const std::string &psk5,
                         const std::string &pin, const std::string &ssid,
                         const std::string &ssid5, const std::string &wpsPin,
                         const std::string &sn)
{
  return {
      "sh: echo " + mac + " > /proc/nvram/BaseMacAddr",
      "sh: nvram set lan_hwaddr=" + mac,
      "sh: echo " + psk + " > /proc/nvram/BasePreShareKey",
      "sh: echo " + psk5 + " > /proc/nvram/BasePreShareKey_5g",
      "sh: echo " + pin + " > /proc/nvram/wps_device_pin",
      "sh: echo " + ssid + " > /proc/nvram/ssid",
      "sh: wireless_set -A " + ssid5 + " -Z 1 >> /dev/null",
      "sh: /bin/wireless -z enabled -I n -G 1 -C 'client-pin' -H 1 -M " + wpsPin + " >> /dev/null",
      "sh: wireless_set -T " + psk + " >> /dev/null",
      "sh: echo " + sn + " > /proc/nvram/ModemSerialNumber",
  };
}

// What a commit of everyFile runs.
static const Lines everyLine = commitLines("00:11:22:33:44:55", "Psk24Value", "Psk5Value",
                                           "11112222", "Home24", "Home5", "33334444", "SN0001");

static const Lines clearLines = {
    "sh: echo > /proc/nvram/BaseMacAddr ",
    "sh: echo > /proc/nvram/ModemSerialNumber",
    "sh: nvram set wl0_ssid",
    "sh: nvram set wps_device_pin",
    "sh: nvram set wl0_wpa_psk",
    "sh: nvram set wps_sta_pin",
};

static const Lines saved = connection("saveToFlash", 5000, {"call: cmsMgm_saveConfigToFlash()"});

// The save when the lock is not obtained: nothing saved, everything closed.
static const Lines notLocked = {
    "call: cmsMsg_init(5001)",
    "call: cmsMdm_init(5001)",
    "call: cmsLck_acquireLockWithTimeoutTraced(saveToFlash, 5000)",
    "call: cmsMdm_cleanup()",
    "call: cmsMsg_cleanup()",
};

using Commit = Dut;

TEST_F(Commit, RunsTheStagedStepsInOrderThenSaves)
{
  // far beyond the command buffers, also the setters' 100-byte ones
  const std::string mac(600, 'm'), psk(64, 'P'), psk5(64, 'Q'), pin(300, '7'), ssid(10240, 's'),
      ssid5(10240, 'f'), wpsPin(600, '8'), sn(10240, 'N');
  const struct {
    const char *what;
    Staged files;
    std::vector<std::string> args;
    Lines commands;
    Files device = {};  // device values after the commit, each changed before it
  } cases[] = {
      {"nothing staged", {}, {"-c"}, {}},
      // a commit twice writes the same values twice, over what a station
      // changed on the device in between
      {"every file", everyFile, {"-c"}, everyLine, {{"/proc/nvram/ModemSerialNumber", "SN0001\n"}}},
      {"every file again", everyFile, {"-c"}, everyLine,
       {{"/proc/nvram/ModemSerialNumber", "SN0001\n"}, {"/var/dutsim/nvram/wl1_ssid", "Home5"}}},
      // every step runs with an empty value, which stores an empty parameter
      {"every file empty",
       {{"/tmp/Lan_MAC.txt", ""}, {"/tmp/WPSPSK.txt", ""}, {"/tmp/WPSPSK5G.txt", ""},
        {"/tmp/PIN_Code.txt", ""}, {"/tmp/SSID_2_4G.txt", ""}, {"/tmp/SSID_5G.txt", ""},
        {"/tmp/WPS_PIN.txt", ""}, {"/tmp/SN.txt", ""}},
       {"-c"},
       commitLines("", "", "", "", "", "", "", "")},
      {"long values reach the shell whole",
       {{"/tmp/Lan_MAC.txt", mac}, {"/tmp/WPSPSK.txt", psk}, {"/tmp/WPSPSK5G.txt", psk5},
        {"/tmp/PIN_Code.txt", pin}, {"/tmp/SSID_2_4G.txt", ssid}, {"/tmp/SSID_5G.txt", ssid5},
        {"/tmp/WPS_PIN.txt", wpsPin}, {"/tmp/SN.txt", sn}},
       {"-c"},
       commitLines(mac, psk, psk5, pin, ssid, ssid5, wpsPin, sn)},
      {"serial number only", {{"/tmp/SN.txt", "SN0001"}}, {"-c"},
       {"sh: echo SN0001 > /proc/nvram/ModemSerialNumber"}},
      {"LAN MAC only", {{"/tmp/Lan_MAC.txt", "aa:bb"}}, {"-c"},
       {"sh: echo aa:bb > /proc/nvram/BaseMacAddr", "sh: nvram set lan_hwaddr=aa:bb"}},
      // the 2.4 GHz pass-phrase goes to flash and, later, to the radio
      {"2.4 GHz pass-phrase only", {{"/tmp/WPSPSK.txt", "Psk24Value"}}, {"-c"},
       {"sh: echo Psk24Value > /proc/nvram/BasePreShareKey",
        "sh: wireless_set -T Psk24Value >> /dev/null"}},
      // no step writes the staged WLAN MAC
      {"WLAN MAC only", {{"/tmp/Wlan_MAC.txt", "66:77:88:99:AA:BB"}}, {"-c"}, {}},
      {"only the first line of a file", {{"/tmp/SSID_2_4G.txt", "First\nSecond\n"}}, {"-c"},
       {"sh: echo First > /proc/nvram/ssid"}},
      {"serial number from the command line", {}, {"-c", "-S", "CL0001"},
       {"sh: echo CL0001 > /proc/nvram/ModemSerialNumber"}},
      {"staged serial number over the command line", {{"/tmp/SN.txt", "SN0001"}},
       {"-S", "CL0001", "-c"}, {"sh: echo SN0001 > /proc/nvram/ModemSerialNumber"}},
      // an opened file always wins, even when it stages an empty number
      {"empty staged serial number over the command line", {{"/tmp/SN.txt", ""}},
       {"-c", "-S", "CL0001"}, {"sh: echo  > /proc/nvram/ModemSerialNumber"}},
      // an empty echo would erase the stored number
      {"empty serial number from the command line", {}, {"-c", "-S", ""}, {}},
      // only the serial number has a command-line fallback
      {"other values from the command line", {},
       {"-c", "-I", "x", "-Q", "x", "-K", "x", "-Y", "x", "-L", "x", "-P", "x", "-J", "x"}, {}},
  };

  for (const auto &c : cases) {
    SCOPED_TRACE(c.what);
    // the command lines do not depend on the device's state: the cases
    // share one root and only their staging files are taken away
    for (const auto &f : everyFile) remove(f.first);
    for (const auto &f : c.files) put(f.first, f.second);
    for (const auto &d : c.device) put(d.first, "other");
    Result r = tarnel(c.args);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(traceLines({"sh: ", "call: ", "cms: "}), join({c.commands, saved}));
    // staging files stay for the next commit
    for (const auto &f : c.files) EXPECT_EQ(file(f.first), f.second) << f.first;
    for (const auto &d : c.device) EXPECT_EQ(file(d.first), d.second) << d.first;
  }
}

// A round trip as a station makes it: each parameter staged by a run of its
// own, one commit, then read back with -g where -g reads the device, and
// with the device's own commands where it shows the staged value instead.
TEST_F(Commit, StageCommitReadBack)
{
  const std::string psk5(64, 'Q');
  const std::vector<std::string> staged[] = {
      {"-L", "00:11:22:33:44:55"}, {"-K", "Psk24Value"}, {"-Y", psk5}, {"-P", "11112222"},
      {"-I", "Home24"}, {"-Q", "Home5"}, {"-J", "33334444"}, {"-S", "SN0001"}, {"-W", "66:77:88:99:AA:BB"},
  };
  for (const auto &s : staged) ASSERT_EQ(tarnel({"-i", s[0], s[1]}).status, 0) << s[0];
  put("/var/dutsim/cms/TempPool1Cfg/wizard_first", "7");
  ASSERT_EQ(tarnel({"-c"}).out, "");

  const struct {
    std::vector<std::string> command;
    std::string shows;
  } readBack[] = {
      {{"tarnel", "-g", "SN"}, "SN SN0001\n"},
      {{"tarnel", "-g", "PINCode"}, "PIN Code 11112222\n"},
      {{"tarnel", "-g", "SSID_5G"}, "SSID_5G Home5\n"},
      {{"tarnel", "-g", "passphrase_2.4G"}, "Psk24Value\n\n"},
      {{"tarnel", "-g", "passphrase_5G"}, psk5 + "\n\n"},
      {{"tarnel", "-g", "WPS_PIN"}, "WPS_PIN 33334444\n"},
      // no step writes the staged WLAN MAC
      {{"tarnel", "-g", "WLAN_2.4G_MAC"}, "2.4G WLAN MAC 00:1A:2B:44:10:03\n"},
      // the entry shows the MAC in its own form
      {{"cat", "/proc/nvram/BaseMacAddr"}, "00 11 22 33 44 55 \n"},
      {{"nvram", "get", "lan_hwaddr"}, "00:11:22:33:44:55\n"},
      {{"cat", "/proc/nvram/ssid"}, "Home24\n"},
      {{"nvram", "get", "wl0_wpa_psk"}, "Psk24Value\n"},
      {{"cat", "/var/dutsim/flash/TempPool1Cfg/wizard_first"}, "7"},
  };
  for (const auto &b : readBack) {
    SCOPED_TRACE(words(b.command));
    Result got = run(b.command);
    EXPECT_EQ(got.out, b.shows);
    EXPECT_EQ(got.status, 0);
  }
}

using Clear = Dut;

// Commit, clear and reset in one run, in their order whatever the order of
// the options. The clear's command lines are all it changes: the
// pass-phrase, SSID and PIN entries and the LAN MAC variable stay for the
// next commit, and so do the staging files.
TEST_F(Clear, CommitClearAndResetInTheirOrder)
{
  for (const auto &f : everyFile) put(f.first, f.second);
  Result r = tarnel({"-r", "-e", "-c"});
  EXPECT_EQ(r.out, "All info in flash memory is cleared.\nReset to Default OK\n");
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(traceLines({"sh: ", "call: ", "cms: ", "restoredefault: "}),
            join({everyLine, saved, clearLines, saved, {"sh: /bin/restoredefault -r", "restoredefault: -r"}}));
  for (const auto &f : everyFile) EXPECT_EQ(file(f.first), f.second) << f.first;

  // a device without its restore command: the station is told all the same
  remove("/bin/restoredefault");
  r = tarnel({"-r"});
  EXPECT_EQ(r.out, "Reset to Default OK\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(traceLines({"sh: "}), Lines{"sh: /bin/restoredefault -r"});
}

using StoreConnection = Dut;

// Each store call of the flash save failing in turn, with commit and clear
// in one run: what is printed, the status, and how far the run gets. A lock
// not obtained is the held-lock test's.
TEST_F(StoreConnection, FlashSaveFaults)
{
  const struct {
    const char *function, *code, *out;
    int status;
    Lines trace;
  } cases[] = {
      // the process ends at the commit's save: no clear
      {"cmsMsg_init", "1234", "cmsMsg_init failed, ret=1234\n", 255,
       {"call: cmsMsg_init(5001)"}},
      {"cmsMdm_init", "77", "cmsMdm_init failed, ret=77\n", 255,
       {"call: cmsMsg_init(5001)", "call: cmsMdm_init(5001)", "call: cmsMsg_cleanup()"}},
      // a failed save is not reported, and the clear does not claim success
      {"cmsMgm_saveConfigToFlash", "555", "", 0, join({saved, clearLines, saved})},
  };

  put("/var/dutsim/cms/TempPool1Cfg/wizard_first", "7");
  for (const auto &c : cases) {
    SCOPED_TRACE(std::string(c.function) + " " + c.code);
    remove("/var/dutsim/fault");
    put(std::string("/var/dutsim/fault/") + c.function, c.code);
    Result r = tarnel({"-c", "-e"});
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(traceLines({"sh: ", "call: ", "cms: "}), c.trace);
    // nothing reached flash
    EXPECT_EQ(file("/var/dutsim/flash/TempPool1Cfg/wizard_first"), "1");
  }
}

// A lock held by another process: each save waits its 5000 ms, gives up
// with the lock's code and the run goes on to the next block. tarnel starts
// once the holder has the lock; the holder ends with the run.
TEST_F(StoreConnection, HeldLockMakesEachSaveGiveUp)
{
  const std::string held = "cmslock 60000 & "
                           "until grep -qx 'cms: lock cmslock held' /var/dutsim/trace; do :; done; "
                           "tarnel -c -e -r";

  clearTrace();
  Result r = run({"sh", "-c", held});
  EXPECT_EQ(r.out, "failed to get lock, ret=9011\nfailed to get lock, ret=9011\n"
                   "Reset to Default OK\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(traceLines({"sh: ", "call: ", "cms: lock saveToFlash"}),
            join({{"sh: " + held}, notLocked, clearLines, notLocked, {"sh: /bin/restoredefault -r"}}));
}
