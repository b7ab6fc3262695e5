// tarnel-station against simulated units over each transport: what a run
// hands back byte for byte, a good unit through program, run-all and
// clear, and the bad units of the fault table, each ending with its code
// and failing step.
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

#include "dut_fixture.h"
#include "station.h"

namespace {

const char *goodValues = "LAN_MAC=00:1a:2b:44:10:99\nSN=KR44109999\nPINCode=12345670\n"
                         "SSID_2.4G=Station-24\nSSID_5G=Station-5G\npassphrase_2.4G=Factory2024.01\n"
                         "passphrase_5G=Factory5G_2024\nWPS_PIN=51849382\n";
const char *ledHook = "\"$DUT\" ledstate \"$ROOT\"", *pressHook = "\"$DUT\" btnpress \"$ROOT\"";

class StationUnit : public Dut {
protected:
  std::vector<std::string> access;  // --unit and what it needs
  json record;

  void SetUp() override
  {
    Dut::SetUp();
    setenv("TARNEL_BUILD", TARNEL_BUILD_DIR, 0);
    setenv("DUT", DUT_TOOL, 1);
    setenv("ROOT", root.c_str(), 1);
  }

  void TearDown() override
  {
    sh("\"$DUT\" stop \"$ROOT\"");
    Dut::TearDown();
  }

  // A line for the host's shell, $DUT and $ROOT at hand.
  Result sh(const std::string &line)
  {
    return host({"/bin/sh", "-c", line});
  }

  // The unit through the transport; the lines of serve and console name
  // what the station needs.
  void reach(const std::string &transport)
  {
    std::map<std::string, std::string> said;
    if (transport == "sim") {
      access = {"--unit", "sim:" + root};
      return;
    }
    Result r = sh("\"$DUT\" " + std::string(transport == "ssh" ? "serve" : "console") + " \"$ROOT\"");
    ASSERT_EQ(r.status, 0) << r.err;
    std::istringstream lines(r.out);
    for (std::string l; std::getline(lines, l);) said[l.substr(0, l.find(' '))] = l.substr(l.find(' ') + 1);
    if (transport == "serial")
      access = {"--unit", "serial:" + said["tty"]};
    else
      access = {"--unit", "ssh:root@127.0.0.1:" + said["port"], "--identity", said["identity"],
                "--known-hosts", said["known_hosts"]};
  }

  std::unique_ptr<Transport> open()
  {
    Options opt;
    opt.dut = DUT_TOOL;
    opt.sshPersist = 0;
    for (size_t i = 0; i + 1 < access.size(); i += 2) {
      if (access[i] == "--identity") opt.identity = access[i + 1];
      if (access[i] == "--known-hosts") opt.knownHosts = access[i + 1];
    }
    return openTransport(access[1], opt);
  }

  // The station's exit status; its record in record.
  int station(std::vector<std::string> args)
  {
    std::vector<std::string> argv = {STATION_BIN};
    std::string path = top + "/record.json";
    argv.insert(argv.end(), access.begin(), access.end());
    argv.insert(argv.end(), args.begin(), args.end());
    argv.insert(argv.end(), {"--record", path});
    ::Run r = spawn(argv, 240);
    std::ifstream in(path);
    record = json::parse(in, nullptr, false);
    EXPECT_TRUE(record.is_object()) << r.err;
    return r.status;
  }

  std::string values(const std::string &text)
  {
    std::string path = top + "/values.txt";
    std::ofstream(path) << text;
    return path;
  }

  std::vector<std::string> stepNames()
  {
    std::vector<std::string> names;
    for (const auto &s : record["steps"]) names.push_back(s["step"]);
    return names;
  }
};

const std::vector<std::string> transports = {"sim", "ssh", "serial"};

class StationTransport : public StationUnit, public ::testing::WithParamInterface<std::string> {};

TEST_P(StationTransport, HandsBackWhatTheUnitPrinted)
{
  const struct {
    const char *command;
    std::string out, err;
    int status;
  } cases[] = {
      {"printf 'a\\000b\\r\\n\\377'; printf 'e\\r' >&2; exit 255", std::string("a\0b\r\n\xff", 6), "e\r", 255},
      {"printf NULL", "NULL", "", 0},
      {"head -c 70000 /dev/zero | tr '\\000' x; exit 7", std::string(70000, 'x'), "", 7},
  };

  reach(GetParam());
  auto unit = open();
  for (const auto &c : cases) {
    SCOPED_TRACE(c.command);
    ::Run r = unit->run(c.command, 30);
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.err, c.err);
    EXPECT_EQ(r.status, c.status);
    EXPECT_FALSE(r.timedOut);
  }
  // a command past its time-out is stopped, and the next one runs
  ::Run slow = unit->run("sleep 5", 1);
  EXPECT_TRUE(slow.timedOut);
  EXPECT_LT(slow.seconds, 4);
  EXPECT_EQ(unit->run("echo ok", 10).out, "ok\n");
  // a line the console's line editor would cut is not typed at all
  if (GetParam() == "serial") {
    EXPECT_THROW(unit->run("echo " + std::string(2000, 'x'), 10), StationFault);
  }
}

INSTANTIATE_TEST_SUITE_P(Each, StationTransport, ::testing::ValuesIn(transports));

class StationGoodUnit : public StationUnit, public ::testing::WithParamInterface<std::string> {};

// program (through a reboot), run-all and clear pass a good unit; program
// makes the same runs whatever carries them, and over SSH the commands
// share one connection.
TEST_P(StationGoodUnit, PassesEveryStep)
{
  const std::vector<std::string> programRuns = {
      "tarnel -M x", "sha256sum \"$(command -v tarnel)\"", "tarnel -i -L '00:1A:2B:44:10:99'",
      "tarnel -i -S 'KR44109999'", "tarnel -i -P '12345670'", "tarnel -i -I 'Station-24'",
      "tarnel -i -Q 'Station-5G'", "tarnel -i -K 'Factory2024.01'", "tarnel -i -Y 'Factory5G_2024'",
      "tarnel -i -J '51849382'", "tarnel -c", ": > /tmp/.tarnel-station-boot", "reboot",
      "[ ! -e /tmp/.tarnel-station-boot ]",
      "rm -f /tmp/Lan_MAC.txt /tmp/SN.txt /tmp/PIN_Code.txt /tmp/SSID_2_4G.txt /tmp/SSID_5G.txt /tmp/WPSPSK.txt "
      "/tmp/WPSPSK5G.txt /tmp/WPS_PIN.txt /tmp/Wlan_MAC.txt; for f in /tmp/Lan_MAC.txt /tmp/SN.txt "
      "/tmp/PIN_Code.txt /tmp/SSID_2_4G.txt /tmp/SSID_5G.txt /tmp/WPSPSK.txt /tmp/WPSPSK5G.txt "
      "/tmp/WPS_PIN.txt /tmp/Wlan_MAC.txt; do [ -e \"$f\" ] && echo \"$f\"; done; true",
      "tarnel -s", "cat /proc/nvram/ssid"};
  std::vector<std::string> runs;

  reach(GetParam());
  run({"usbplug", "-s", "4000000", "1"});
  ASSERT_EQ(station({"program", values(goodValues), "--reboot-verify"}), 0) << record.dump(1);
  for (const auto &s : record["steps"])
    for (const auto &r : s.value("runs", json::array())) runs.push_back(r["command"]);
  EXPECT_EQ(runs, programRuns);
  EXPECT_EQ(record["unit"]["model"], "KR4410");
  EXPECT_EQ(record["steps"].back()["output"]["compared"]["SSID_2.4G"]["read"], "Station-24");
  EXPECT_EQ(station({"run-all", values(goodValues), "--led-hook", ledHook, "--press-hook", pressHook}), 0)
      << record.dump(1);
  EXPECT_EQ(stepNames(), (std::vector<std::string>{"validate", "connect", "identify", "usb", "leds", "buttons", "report"}));
  if (GetParam() == "ssh") {
    EXPECT_EQ(record["unit"]["transport"]["connection"], "reused");
  }
  EXPECT_EQ(station({"clear", values(goodValues), "--ssh-persist", "0"}), 0) << record.dump(1);
  EXPECT_EQ(file("/proc/BtnMode"), "0\n");
}

INSTANTIATE_TEST_SUITE_P(Each, StationGoodUnit, ::testing::ValuesIn(transports));

// What the station cannot use, and units it cannot reach: refused before
// anything runs on the unit (status 2), or not judged (status 3).
TEST_F(StationUnit, RefusesBadInputAndReportsNoReach)
{
  const struct {
    std::vector<std::string> args;
    int code;
    const char *step, *stderrStart;
  } cases[] = {
      {{"--unit", "sim:ROOT", "program", "VALUES-BAD"}, 2, "validate", "REFUSED validate: SSID_5G holds ';'"},
      {{"--unit", "telnet:gw", "usb"}, 2, "connect", "REFUSED connect: unknown transport telnet"},
      {{"--unit", "sim:/nonexistent", "usb"}, 3, "connect", "ERROR connect: /nonexistent is not"},
      {{"--unit", "ssh:root@127.0.0.1:1", "usb"}, 3, "connect", "ERROR connect: ssh to root@127.0.0.1:"},
      {{"--unit", "serial:/dev/null", "usb"}, 3, "connect", "ERROR connect: /dev/null is not a terminal"},
  };
  std::string text = goodValues, bad = values(text.replace(text.find("Station-5G"), 10, "a;reboot"));

  clearTrace();
  for (const auto &c : cases) {
    std::vector<std::string> argv = {STATION_BIN, "--record", top + "/record.json"};
    for (const auto &a : c.args) argv.push_back(a == "sim:ROOT" ? "sim:" + root : a == "VALUES-BAD" ? bad : a);
    SCOPED_TRACE(words(argv));
    ::Run r = spawn(argv, 60);
    record = json::parse(std::ifstream(top + "/record.json"), nullptr, false);
    EXPECT_EQ(r.status, c.code);
    EXPECT_EQ(record["failing_step"], c.step);
    EXPECT_EQ(r.err.rfind(c.stderrStart, 0), 0u) << r.err;
  }
  EXPECT_EQ(trace(), "");
}

// A bad unit: one change to a good one, the command that catches it, and
// how the command ends.
struct BadUnit {
  const char *what, *change;  // a host shell line with $DUT and $ROOT
  std::vector<std::string> command;
  int code;
  const char *step;
  const char *transport = "ssh";
};

const BadUnit badUnits[] = {
    {"wrong model", "\"$DUT\" fault \"$ROOT\" cmd:fwinfo 'print XX9999\\n'", {"program"}, 1, "identify"},
    {"another model than the line's", "", {"program", "--model", "KR8800"}, 1, "identify"},
    {"values never programmed", "", {"report"}, 1, "report"},
    {"store fault", "\"$DUT\" fault \"$ROOT\" cmsMsg_init 2", {"program"}, 1, "commit"},
    {"lock held throughout", "\"$DUT\" fault \"$ROOT\" lock 60000", {"program"}, 1, "commit"},
    {"read-only serial number", "\"$DUT\" fault \"$ROOT\" entry:ModemSerialNumber readonly", {"program"}, 1, "commit"},
    {"dropped write", "\"$DUT\" fault \"$ROOT\" entry:ssid drop", {"program"}, 1, "readback"},
    {"failed flash save", "\"$DUT\" fault \"$ROOT\" cmsMgm_saveConfigToFlash 9002", {"program", "--reboot-verify"}, 1, "readback"},
    {"no stick", "\"$DUT\" fault \"$ROOT\" usb none", {"run-all"}, 1, "usb"},
    {"wrong USB version", "\"$DUT\" fault \"$ROOT\" usb version 1.10", {"run-all"}, 1, "usb"},
    {"empty stick", "\"$DUT\" run \"$ROOT\" -- usbplug 1", {"run-all"}, 1, "usb"},
    {"button never pressed", "\"$DUT\" fault \"$ROOT\" cmd:btnpress exit 1", {"run-all", "--button-timeout", "1"}, 1, "buttons"},
    {"NULL report", "echo 0 > \"$ROOT\"/var/dutsim/cms/TempPool1Cfg/wizard_first", {"run-all"}, 1, "report"},
    {"LED call fails", "\"$DUT\" fault \"$ROOT\" cmsLed_ContrlAllBlueLED 1", {"run-all"}, 1, "leds"},
    {"transport drops", "", {"run-all", "--led-hook", "\"$DUT\" stop \"$ROOT\"; true"}, 3, "leds"},
    {"console drops", "", {"run-all", "--led-hook", "\"$DUT\" stop \"$ROOT\"; true"}, 3, "leds", "serial"},
};

class StationBadUnit : public StationUnit, public ::testing::WithParamInterface<int> {};

TEST_P(StationBadUnit, EndsWithItsCodeAndStep)
{
  const BadUnit &bad = badUnits[GetParam()];
  std::vector<std::string> args = bad.command;

  SCOPED_TRACE(bad.what);
  run({"usbplug", "-s", "4000000", "1"});
  reach(bad.transport);
  if (*bad.change) {
    ASSERT_EQ(sh(bad.change).status, 0);
  }
  if (args[0] != "run-all") args.insert(args.begin() + 1, values(goodValues));
  // the row's own options come last, and win
  args.insert(args.begin() + 1, {"--led-hook", ledHook, "--press-hook", pressHook});
  EXPECT_EQ(station(args), bad.code) << record.dump(1);
  EXPECT_EQ(record["failing_step"], bad.step);
  EXPECT_EQ(record["code"], bad.code);
}

INSTANTIATE_TEST_SUITE_P(Each, StationBadUnit, ::testing::Range(0, (int)std::size(badUnits)),
                         [](const auto &info) {
                           std::string n = badUnits[info.param].what;
                           for (char &c : n)
                             if (!isalnum((unsigned char)c)) c = '_';
                           return n;
                         });

}  // namespace
