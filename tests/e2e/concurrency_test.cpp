// Twenty runs at once on one device, as when two stations reach the same
// gateway: the store lock has one holder at a time, no run gives up on it,
// and the flash copy is the whole store afterwards. That a save never shows
// a part of the store is the kill test's.
#include <map>

#include "dut_fixture.h"

using Concurrency = Dut;

// Each run takes the lock for a few platform calls only: 32 holds in all,
// each a matter of milliseconds even under emulation. A run could only time
// out if the holds before its own added up to its timeout of 5 s or more,
// about 160 ms each; so every run must get the lock, and a timeout message
// here is a fault, not bad luck.
TEST_F(Concurrency, TwentyRunsShareTheStoreLock)
{
  // what each prints; the web report's values change as the others clear
  // and commit, so only its frame is checked
  const struct {
    std::vector<std::string> args;
    const char *out;
  } mix[] = {
      {{"-c"}, ""},
      {{"-e"}, "All info in flash memory is cleared.\n"},
      {{"-a", "-w"}, nullptr},
      {{"-k", "enable"}, ""},
      {{"-f"}, "Up to 600 Mbps\n"},
  };
  // holds per run of each kind: the web report takes the lock for the
  // 2.4 GHz rate, twice for the 5 GHz rate and for the wizard setting
  const std::map<std::string, int> holdsOf = {
      {"saveToFlash", 8}, {"get_nmode_dataRate", 8}, {"get_nmode_dataRate5g", 8},
      {"getWizardFirst", 4}, {"SetVoipTestMode", 4}};
  put("/tmp/SN.txt", "SN0001");
  put("/tmp/SSID_2_4G.txt", "Home24");

  clearTrace();
  std::vector<pid_t> runs;
  for (int i = 0; i < 20; i++) {
    std::vector<std::string> cmd = {"tarnel"};
    cmd.insert(cmd.end(), mix[i % 5].args.begin(), mix[i % 5].args.end());
    runs.push_back(start(cmd));
  }
  std::vector<Result> results;
  for (pid_t p : runs) results.push_back(finish(p));

  for (size_t i = 0; i < results.size(); i++) {
    const auto &m = mix[i % 5];
    const Result &r = results[i];
    SCOPED_TRACE("run " + std::to_string(i) + ": " + m.args[0]);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.find("failed to get lock"), std::string::npos) << r.out;
    if (m.out) {
      EXPECT_EQ(r.out, m.out);
    } else {
      EXPECT_NE(r.out.find("[{'FW Version:':'KR4410_V1.02.17',"), std::string::npos) << r.out;
      EXPECT_EQ(r.out.substr(r.out.size() - 3), "}]\n");
    }
  }

  // held and released alternate, each release by the name that held
  std::map<std::string, int> holds;
  std::string holder;
  for (const auto &l : traceLines({"cms: lock "})) {
    std::string rest = l.substr(10), name = rest.substr(0, rest.find(' '));
    std::string what = rest.substr(name.size() + 1);
    if (what == "held") {
      EXPECT_EQ(holder, "") << "taken by " << name << " while " << holder << " held it";
      holder = name;
      holds[name]++;
    } else {
      EXPECT_EQ(what, "released");
      EXPECT_EQ(holder, name);
      holder = "";
    }
  }
  EXPECT_EQ(holder, "");
  EXPECT_EQ(holds, holdsOf);

  // every file of the store and its sum
  auto files = [&](const std::string &dir) {
    return run({"sh", "-c", "cd " + dir + " && find . -type f | sort | xargs md5sum"}).out;
  };
  EXPECT_NE(files("/var/dutsim/cms"), "");
  EXPECT_EQ(files("/var/dutsim/flash"), files("/var/dutsim/cms"));
  EXPECT_FALSE(exists("/var/dutsim/.flash.new"));
}

// Thirty language listings at once: each run rewrites the one listing file
// and reads it back, so they take turns; a run that read another's file
// emptied or half written would print "ENG" without its listing.
TEST_F(Concurrency, ThirtyListingsTakeTurns)
{
  Result r = run({"sh", "-c",
                  "for i in $(seq 30); do tarnel -D 0 >/tmp/out.$i 2>&1 & done; wait; "
                  "for i in $(seq 30); do cat /tmp/out.$i; done"});
  std::string each = "ENG,DEU,FRAENG\n", all;
  for (int i = 0; i < 30; i++) all += each;
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, all);
}
