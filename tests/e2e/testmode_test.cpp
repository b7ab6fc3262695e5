// Button test mode, the button record and the VoIP test mode as a station
// sees them: output, status, the command lines and platform calls in the
// trace, and the state of the buttons and the voice service afterwards.
#include "dut_fixture.h"

using TestMode = Dut;

TEST_F(TestMode, ButtonRecord)
{
  // 2119 characters: the pieces of 511 cut "ABCDEFGHIJ" and the runs of Y and Z
  const std::string cut = std::string(505, 'X') + "&ABCDEFGHIJ&" + std::string(1000, 'Y') + "&" +
                          std::string(600, 'Z') + "&\n";
  const struct {
    const char *name;
    std::string record;
    std::string out;
  } cases[] = {
      {"empty file", "", ""},
      {"missing file", gone, ""},
      {"runs of &", "&&A&&&B&&\n", "A\nB\n"},
      {"several lines, the last without line break", "PWR&1&\nWPS&0&\nC&D", "PWR\n1\nWPS\n0\nC\nD\n"},
      {"blank line", "A&\n\nB&\n", "A\n\n\nB\n"},
      {"2119-character line", cut,
       std::string(505, 'X') + "\nABCDE\nFGHIJ\n" + std::string(505, 'Y') + "\n" +
           std::string(495, 'Y') + "\n" + std::string(15, 'Z') + "\n" + std::string(511, 'Z') +
           "\n" + std::string(74, 'Z') + "\n"},
      {"2000 characters without &", std::string(2000, 'A') + "\n",
       std::string(511, 'A') + "\n" + std::string(511, 'A') + "\n" + std::string(511, 'A') +
           "\n" + std::string(467, 'A') + "\n\n"},
      // the closing & ends the first piece, the line break is a piece of its own
      {"511 characters then the line break", std::string(510, 'X') + "&\n",
       std::string(510, 'X') + "\n\n\n"},
  };

  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    putAll({{"/tmp/button.txt", c.record}});
    Result r = tarnel({"-b"});
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(traceLines({"sh: ", "call: "}), Lines{});
  }
}

// Only the exact "enable" switches a mode on; anything else switches it
// off. The buttons' files and the voice service start in the other state,
// with a configuration of their own, so every change shows.
TEST_F(TestMode, ModeSwitching)
{
  const std::string btn = "/proc/BtnMode", cnt = "/proc/BtnCnt", state = "/var/dutsim/voice/state",
                    config = "/var/dutsim/voice/config", saved = "/var/dutsim/voice/saved";
  const Files buttons = {{btn, "?\n"}, {cnt, "7\n"}};
  const Lines btnOff = {"sh: echo 0 > /proc/BtnMode", "sh: echo 0 > /proc/BtnCnt"};
  const Files voiceOn = {{state, "running"}, {config, "custom"}, {saved, "custom"}};
  const Lines voipOff = connection("SetVoipTestMode", 6000, {"call: dalVoice_vodslStop()"});
  const Files voiceOff = {{state, "stopped"}, {config, "custom"}, {saved, "custom"}};
  const struct {
    std::vector<std::string> args;
    Files before;
    Lines lines;
    Files after;
  } cases[] = {
      {{"-B", "enable"}, buttons, {"sh: echo 1 > /proc/BtnMode"}, {{btn, "1\n"}, {cnt, "7\n"}}},
      {{"-B", "disable"}, buttons, btnOff, {{btn, "0\n"}, {cnt, "0\n"}}},
      {{"-B", "Enable"}, buttons, btnOff, {{btn, "0\n"}, {cnt, "0\n"}}},
      {{"-B", "x"}, buttons, btnOff, {{btn, "0\n"}, {cnt, "0\n"}}},
      {{"-k", "enable"}, voiceOff,
       connection("SetVoipTestMode", 6000,
                  {"call: dalVoice_SetDefaults()", "call: dalVoice_Save()", "call: dalVoice_vodslStop()",
                   "call: dalVoice_vodslStart()"}),
       {{state, "running"}, {config, "defaults"}, {saved, "defaults"}}},
      {{"-k", "disable"}, voiceOn, voipOff, voiceOff},
      {{"-k", "Enable"}, voiceOn, voipOff, voiceOff},
  };

  for (const auto &c : cases) {
    SCOPED_TRACE(words(c.args));
    putAll(c.before);
    Result r = tarnel(c.args);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(traceLines({"sh: ", "call: ", "cms: "}), c.lines);
    for (const auto &f : c.after) EXPECT_EQ(file(f.first), f.second) << f.first;
  }
}

TEST_F(TestMode, VoipConnectionFailures)
{
  const struct {
    const char *fault, *code, *out;
    Lines calls;
  } cases[] = {
      {"cmsMsg_init", "9002", "cmsMsg_init failed, ret=9002\n", {"call: cmsMsg_init(5001)"}},
      {"cmsMdm_init", "9003", "cmsMdm_init failed, ret=9003\n",
       {"call: cmsMsg_init(5001)", "call: cmsMdm_init(5001)", "call: cmsMsg_cleanup()"}},
      {"cmsLck_acquireLockWithTimeoutTraced", "9011", "failed to get lock, ret=9011\n",
       {"call: cmsMsg_init(5001)", "call: cmsMdm_init(5001)",
        "call: cmsLck_acquireLockWithTimeoutTraced(SetVoipTestMode, 6000)",
        "call: cmsMdm_cleanup()", "call: cmsMsg_cleanup()"}},
  };

  put("/tmp/button.txt", "RST&1&\n");
  for (const auto &c : cases) {
    SCOPED_TRACE(c.fault);
    put(std::string("/var/dutsim/fault/") + c.fault, c.code);
    for (const char *value : {"enable", "disable"}) {
      SCOPED_TRACE(value);
      // the record shown before is out ahead of the message
      Result r = tarnel({"-b", "-k", value});
      EXPECT_EQ(r.out, std::string("RST\n1\n") + c.out);
      EXPECT_EQ(r.err, "");
      EXPECT_EQ(r.status, 255);
      EXPECT_EQ(traceLines({"sh: ", "call: ", "cms: "}), c.calls);
      EXPECT_EQ(file("/var/dutsim/voice/state"), "running");
      EXPECT_EQ(file("/var/dutsim/voice/config"), "custom");
    }
    remove(std::string("/var/dutsim/fault/") + c.fault);
  }
}
