// The simulated unit reached as a station reaches a real one: over SSH with
// OpenSSH's client and the identity and known_hosts that serve prints, and
// over the console's terminal opened as a serial line. tarnel leaves the
// same lines in the trace as under tools/dut run; the servers stop on
// command and when their root goes, taking every process with them.
#include <algorithm>
#include <chrono>
#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <map>
#include <poll.h>
#include <set>
#include <termios.h>
#include <thread>
#include <unistd.h>

#include "dut_fixture.h"

class Remote : public Dut {
protected:
  std::map<std::string, std::string> served;  // serve's lines by their first word

  void TearDown() override
  {
    host({DUT_TOOL, "stop", root});
    Dut::TearDown();
  }

  Result serve()
  {
    Result r = host({DUT_TOOL, "serve", root});

    for (const auto &l : splitLines(r.out)) served[l.substr(0, l.find(' '))] = l.substr(l.find(' ') + 1);
    return r;
  }

  // ssh ... COMMAND, its standard input from the host file input
  Result ssh(const std::string &command, const std::string &input = "/dev/null")
  {
    return host({"/bin/sh", "-c", "exec \"$@\" <" + input, "sh", "ssh", "-F", "/dev/null", "-o",
                 "BatchMode=yes", "-o", "ConnectTimeout=20", "-i", served["identity"], "-o",
                 "UserKnownHostsFile=" + served["known_hosts"], "-p", served["port"],
                 "root@127.0.0.1", command});
  }

  // The daemon of serve, console or a held lock, and every process below it.
  std::set<pid_t> processesOf(const std::string &daemon)
  {
    std::map<pid_t, pid_t> parent;
    std::set<pid_t> tree;
    DIR *d = opendir("/proc");

    while (struct dirent *e = d ? readdir(d) : nullptr) {
      pid_t pid = atoi(e->d_name), ppid = 0;
      std::string stat;
      std::getline(std::ifstream("/proc/" + std::string(e->d_name) + "/stat"), stat);
      size_t close = stat.rfind(')');
      if (pid > 0 && close != std::string::npos && sscanf(stat.c_str() + close + 2, "%*c %d", &ppid) == 1)
        parent[pid] = ppid;
    }
    if (d) closedir(d);
    std::string first = file("/var/dutsim/run/" + daemon + ".pid");
    if (atoi(first.c_str()) > 0) tree.insert(atoi(first.c_str()));
    for (size_t size = 0; size != tree.size();) {
      size = tree.size();
      for (const auto &p : parent)
        if (tree.count(p.second)) tree.insert(p.first);
    }
    return tree;
  }
};

// Running, not a zombie waiting for its reaper.
static bool alive(pid_t pid)
{
  char path[64], state = 'Z';

  snprintf(path, sizeof(path), "/proc/%d/stat", (int)pid);
  FILE *f = fopen(path, "r");
  if (!f) return false;
  if (fscanf(f, "%*d (%*[^)]) %c", &state) != 1) state = 'Z';
  fclose(f);
  return state != 'Z';
}

// The console's terminal as a station opens a serial port: raw, the mode
// set at once so that nothing waiting in the line is lost.
static int openSerial(const std::string &tty)
{
  int fd = open(tty.c_str(), O_RDWR | O_NOCTTY);
  struct termios t;

  if (fd < 0 || tcgetattr(fd, &t)) return -1;
  cfmakeraw(&t);
  tcsetattr(fd, TCSANOW, &t);
  return fd;
}

// What the line brings up to and with marker; at most 20 s.
static std::string readUntil(int fd, const std::string &marker)
{
  std::string got;
  auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);

  while (got.size() < marker.size() || got.compare(got.size() - marker.size(), marker.size(), marker)) {
    struct pollfd p = {fd, POLLIN, 0};
    char buf[4096];

    if (std::chrono::steady_clock::now() > end || poll(&p, 1, 100) < 0) break;
    ssize_t n = p.revents & POLLIN ? read(fd, buf, sizeof(buf)) : 0;
    if (n > 0) got.append(buf, n);
  }
  return got;
}

static std::string crlf(const std::string &text)
{
  std::string out;

  for (char c : text) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
  return out;
}

// A staging, a commit and read-backs, as a station sends them: each step's
// output and trace under tools/dut run, then the same over SSH and the
// console, where the line the station sent comes first, as the sh -c line
// it runs as. The steps leave the same state each time round.
TEST_F(Remote, CommitAndReadBackAsUnderRun)
{
  const std::string mac(600, 'm');
  const std::vector<std::string> steps = {"tarnel -i -S SN0042", "tarnel -i -L " + mac, "tarnel -c",
                                          "tarnel -g SN", "tarnel -g LAN_MAC"};
  std::vector<Result> underRun;
  std::vector<Lines> traces;

  for (const auto &s : steps) {
    clearTrace();
    underRun.push_back(run({"sh", "-c", s}));
    traces.push_back(traceLines());
  }
  EXPECT_EQ(underRun[3].out, "SN SN0042\n");
  ASSERT_EQ(serve().status, 0);
  for (size_t i = 0; i < steps.size(); i++) {
    SCOPED_TRACE("ssh " + steps[i].substr(0, 30));
    clearTrace();
    Result r = ssh(steps[i]);
    EXPECT_EQ(r.out, underRun[i].out);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(traceLines(), traces[i]);
  }
  Result c = host({DUT_TOOL, "console", root});
  ASSERT_EQ(c.status, 0) << c.err;
  ASSERT_EQ(c.out.compare(0, 9, "tty /dev/"), 0) << c.out;
  int fd = openSerial(c.out.substr(4, c.out.size() - 5));
  ASSERT_GE(fd, 0);
  EXPECT_EQ(readUntil(fd, "# "), "# ");
  for (size_t i = 0; i < steps.size(); i++) {
    SCOPED_TRACE("console " + steps[i].substr(0, 30));
    clearTrace();
    ASSERT_EQ(write(fd, (steps[i] + "\r").data(), steps[i].size() + 1), (ssize_t)steps[i].size() + 1);
    // the line echoed, the output with CR LF line ends, the next prompt
    EXPECT_EQ(readUntil(fd, "\r\n# "), steps[i] + "\r\n" + crlf(underRun[i].out) + "# ");
    EXPECT_EQ(traceLines(), traces[i]);
  }
  close(fd);

  // dropbear takes command lines up to 9000 bytes; a longer value goes
  // through standard input
  const std::string ssid(10240, 's');
  EXPECT_EQ(ssh("tarnel -i -I " + ssid).status, 255);
  EXPECT_FALSE(exists("/tmp/SSID_2_4G.txt"));
  put("/tmp/ssid.in", ssid);
  EXPECT_EQ(ssh("tarnel -i -I \"$(cat)\"", root + "/tmp/ssid.in").status, 0);
  EXPECT_TRUE(file("/tmp/SSID_2_4G.txt") == ssid) << file("/tmp/SSID_2_4G.txt").size();
}

// serve and console run until stop, or until their root is removed, and
// leave no process behind either way; a second serve or console on a
// served root gives the running one's lines.
TEST_F(Remote, ServersStopAndLeaveNothingBehind)
{
  for (const char *how : {"stop", "root removed"}) {
    SCOPED_TRACE(how);
    Result s = serve(), c = host({DUT_TOOL, "console", root});
    ASSERT_EQ(s.status, 0) << s.err;
    ASSERT_EQ(c.status, 0) << c.err;
    EXPECT_EQ(serve().out, s.out);
    EXPECT_EQ(host({DUT_TOOL, "console", root}).out, c.out);
    std::string other = std::to_string(atoi(served["port"].c_str()) == 65535 ? 1024 : atoi(served["port"].c_str()) + 1);
    Result busy = host({DUT_TOOL, "serve", root, "--port", other});
    EXPECT_EQ(busy.status, 2);
    EXPECT_EQ(busy.err, "dut: " + root + " is served on port " + served["port"] +
                            " already (dut stop " + root + ")\n");

    std::set<pid_t> all = processesOf("serve"), console = processesOf("console");
    // the daemon, bwrap's two processes and dropbear; the daemon, socat,
    // bwrap's two and the console's shell
    EXPECT_GE(all.size(), 4u);
    EXPECT_GE(console.size(), 5u);
    all.insert(console.begin(), console.end());
    if (std::string(how) == "stop") {
      EXPECT_EQ(host({DUT_TOOL, "stop", root}).status, 0);
    } else {
      remove("");
    }
    // gone at once after stop; within a few polls of the root's removal
    for (int i = 0; i < 100 && std::any_of(all.begin(), all.end(), alive); i++)
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    for (pid_t p : all) EXPECT_FALSE(alive(p)) << p;
    if (std::string(how) == "stop") EXPECT_EQ(ssh("true").status, 255);
    else init("KR4410");
  }
}
