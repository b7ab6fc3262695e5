// Twenty runs at once on one device, as when two stations reach the same
// gateway: the store lock has one holder at a time, no run gives up on it,
// and the flash copy is a whole store at every moment.
#include <atomic>
#include <dirent.h>
#include <fstream>
#include <map>
#include <sstream>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "dut_fixture.h"

using Tree = std::map<std::string, std::string>;

// Every file below dir, by its path below dir, with its content.
static void readTree(const std::string &dir, const std::string &below, Tree &tree)
{
  DIR *d = opendir((dir + below).c_str());
  if (!d) return;
  while (struct dirent *e = readdir(d)) {
    std::string name = e->d_name, path = below + "/" + name;
    struct stat st;
    if (name == "." || name == ".." || stat((dir + path).c_str(), &st)) continue;
    if (S_ISDIR(st.st_mode)) {
      readTree(dir, path, tree);
    } else {
      std::ifstream in(dir + path, std::ios::binary);
      std::stringstream s;
      s << in.rdbuf();
      tree[path] = s.str();
    }
  }
  closedir(d);
}

static bool sameFolder(const struct stat &a, const struct stat &b)
{
  return a.st_ino == b.st_ino && a.st_ctim.tv_sec == b.st_ctim.tv_sec &&
         a.st_ctim.tv_nsec == b.st_ctim.tv_nsec;
}

// Reads the flash copy over and over while the runs go on. A save swaps a
// new folder in and removes the old one, so a read that a swap overtook
// (the folder at the path changed while it was read) proves nothing and is
// done again; every other read must find the whole store.
struct FlashChecker {
  std::string flash;
  Tree store;
  std::atomic<bool> stop{false};
  int reads = 0, overtaken = 0;
  std::vector<std::string> faults;

  void fault(const std::string &what)
  {
    if (faults.size() < 10) faults.push_back(what);
  }

  void loop()
  {
    for (; !stop; usleep(500)) {
      struct stat before, after;
      Tree seen;
      if (stat(flash.c_str(), &before)) {
        fault("no flash copy");
        continue;
      }
      readTree(flash, "", seen);
      if (stat(flash.c_str(), &after) || !sameFolder(before, after)) {
        overtaken++;
        continue;
      }
      reads++;
      if (seen != store) fault("flash holds " + std::to_string(seen.size()) + " files");
    }
  }
};

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

  FlashChecker checker;
  checker.flash = root + "/var/dutsim/flash";
  readTree(root + "/var/dutsim/cms", "", checker.store);
  ASSERT_FALSE(checker.store.empty());
  clearTrace();
  std::thread watching(&FlashChecker::loop, &checker);
  std::vector<pid_t> runs;
  for (int i = 0; i < 20; i++) {
    std::vector<std::string> cmd = {"tarnel"};
    cmd.insert(cmd.end(), mix[i % 5].args.begin(), mix[i % 5].args.end());
    runs.push_back(start(cmd));
  }
  std::vector<Result> results;
  for (pid_t p : runs) results.push_back(finish(p));
  checker.stop = true;
  watching.join();

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

  EXPECT_EQ(checker.faults, std::vector<std::string>{});
  Tree flash;
  readTree(checker.flash, "", flash);
  EXPECT_EQ(flash, checker.store);
  EXPECT_FALSE(exists("/var/dutsim/.flash.new"));
  RecordProperty("flash_reads", checker.reads);
  printf("flash copy read %d times whole, %d reads overtaken by a save\n", checker.reads,
         checker.overtaken);
}
