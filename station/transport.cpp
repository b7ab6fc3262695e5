// The transports that run a command line on the unit: the simulated
// unit's launcher (sim:ROOT) and the system's OpenSSH client over one
// shared connection (ssh:[user@]host[:port]). Both hand the line to the
// unit's sh -c with a mark of its own after it, which carries the exit
// status: a missing mark means the link failed, whatever status the client
// itself returned (ssh's 255 is also tarnel's status when the store cannot
// be opened).
#include <cstring>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

#include "station.h"

namespace {

const std::string endMark = "@@tarnel-station-end ";

// The command in a subshell of its own, so that an exit in it still leaves
// the mark to be printed.
std::string framed(const std::string &command)
{
  return "(" + command + "\n)\nprintf '\\n" + endMark + "%d\\n' $?";
}

// Takes the mark off stdout into the status; false when it is missing.
bool unframe(Run &r)
{
  size_t at = r.out.rfind("\n" + endMark);
  if (at == std::string::npos) return false;
  std::string tail = r.out.substr(at + 1 + endMark.size());
  if (tail.size() < 2 || tail.size() > 5 || tail.back() != '\n' ||
      tail.find_first_not_of("0123456789\n") != std::string::npos)
    return false;
  r.status = std::stoi(tail);
  r.out.erase(at);
  return true;
}

// The first line of a message, without the CR ssh puts before line ends.
std::string firstLine(const std::string &text)
{
  std::string line = text.substr(0, text.find('\n'));
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

class SimUnit : public Transport {
  std::string root, dut;

public:
  SimUnit(const std::string &root, const std::string &dut) : root(root), dut(dut)
  {
    struct stat st;
    if (stat((root + "/var/dutsim/model").c_str(), &st) != 0)
      throw StationFault(root + " is not a simulated unit (tools/dut init " + root + ")");
  }

  Run run(const std::string &command, double timeout) override
  {
    Run r = spawn({dut, "run", root, "--", "sh", "-c", framed(command)}, timeout);
    r.command = command;
    if (!r.timedOut && !unframe(r)) throw StationFault("tools/dut run failed: " + firstLine(r.err));
    return r;
  }

  // every run starts the unit's shell afresh
  void reconnect(double) override {}

  json describe() const override
  {
    return {{"transport", "sim"}, {"root", root}};
  }
};

// One master connection carries every run (ControlMaster), and stays for
// --ssh-persist seconds after the command (ControlPersist), so that the
// next command on the same unit needs no handshake either. Its socket is
// named after everything that chooses the connection.
class SshUnit : public Transport {
  std::string target, port, controlPath;
  std::vector<std::string> common;
  int persist, opened = 0;
  bool reused = false;

  static std::string socketDir()
  {
    const char *run = getenv("XDG_RUNTIME_DIR");
    std::string dir = run && *run ? std::string(run) + "/tarnel-station"
                                  : "/tmp/tarnel-station-" + std::to_string(getuid());
    struct stat st;
    mkdir(dir.c_str(), 0700);
    if (lstat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != getuid() ||
        (st.st_mode & 077))
      throw StationFault(dir + " is not a private folder of this user");
    return dir;
  }

  std::vector<std::string> ssh(std::initializer_list<std::string> more) const
  {
    std::vector<std::string> argv = {"ssh"};
    argv.insert(argv.end(), common.begin(), common.end());
    argv.insert(argv.end(), more);
    return argv;
  }

  bool alive()
  {
    return spawn({"ssh", "-o", "ControlPath=" + controlPath, "-O", "check", target}, 10).status == 0;
  }

  void open(double timeout)
  {
    std::string err = controlPath + ".err";
    // the master leaves its stderr open in the background: a file, not a pipe
    Run r = spawn(ssh({"-o", "ControlMaster=yes", "-o", "ControlPath=" + controlPath, "-o",
                       "ControlPersist=" + std::to_string(persist ? persist : 600), "-f", "-N", target}),
                  timeout, err);
    std::string why;
    std::getline(std::ifstream(err), why);
    unlink(err.c_str());
    if (r.status != 0 || !alive())
      throw StationFault("ssh to " + target + ": " + (why.empty() ? "no connection" : firstLine(why)));
    opened++;
  }


public:
  SshUnit(const std::string &spec, const Options &opt) : persist(opt.sshPersist)
  {
    std::string host = spec, user = "root";
    size_t at = host.find('@');
    if (at != std::string::npos) {
      user = host.substr(0, at);
      host.erase(0, at + 1);
    }
    // host, host:port, [v6 address] or [v6 address]:port
    size_t colon = host[0] == '[' ? host.find("]:") : host.find(':');
    if (colon != std::string::npos && (host[0] == '[' || host.find(':', colon + 1) == std::string::npos)) {
      colon += host[0] == '[';
      port = host.substr(colon + 1);
      host.erase(colon);
      if (port.empty() || port.size() > 5 || port.find_first_not_of("0123456789") != std::string::npos)
        throw BadInput("bad port in ssh:" + spec);
    }
    if (host.size() > 2 && host[0] == '[' && host.back() == ']') host = host.substr(1, host.size() - 2);
    if (host.empty() || user.empty() || host[0] == '-' || user[0] == '-')
      throw BadInput("bad unit ssh:" + spec);
    target = user + "@" + host;
    common = {"-T", "-o", "BatchMode=yes", "-o", "ConnectTimeout=10", "-o", "ServerAliveInterval=5",
              "-o", "ServerAliveCountMax=3", "-o", "LogLevel=ERROR"};
    if (!port.empty()) common.insert(common.end(), {"-p", port});
    if (!opt.identity.empty()) common.insert(common.end(), {"-i", opt.identity, "-o", "IdentitiesOnly=yes"});
    if (!opt.knownHosts.empty())
      common.insert(common.end(), {"-o", "UserKnownHostsFile=" + opt.knownHosts, "-o",
                                   "GlobalKnownHostsFile=/dev/null", "-o", "StrictHostKeyChecking=yes"});
    // FNV-1a over what chooses the connection
    unsigned long long h = 1469598103934665603ull;
    for (const auto &w : common)
      for (unsigned char c : w + '\n' + target) h = (h ^ c) * 1099511628211ull;
    char name[32];
    snprintf(name, sizeof(name), "/%016llx", h);
    controlPath = socketDir() + name;
    reused = alive();
    if (!reused) open(30);
  }

  ~SshUnit() override
  {
    if (persist == 0) spawn({"ssh", "-o", "ControlPath=" + controlPath, "-O", "exit", target}, 10);
  }

  Run run(const std::string &command, double timeout) override
  {
    // a master that is gone must not turn into a second handshake: the
    // fallback connection has no way to the unit
    Run r = spawn(ssh({"-o", "ControlMaster=no", "-o", "ControlPath=" + controlPath, "-o",
                       "ProxyCommand=false", target, framed(command)}),
                  timeout);
    r.command = command;
    if (r.timedOut ? !alive() : !unframe(r))
      throw StationFault("the SSH link to " + target + " failed" +
                         (r.err.empty() ? "" : ": " + firstLine(r.err)));
    return r;
  }

  void reconnect(double timeout) override
  {
    double deadline = now() + timeout;
    while (now() < deadline) {
      if (alive()) return;
      spawn({"ssh", "-o", "ControlPath=" + controlPath, "-O", "exit", target}, 10);
      try {
        open(std::max(1.0, std::min(30.0, deadline - now())));
        return;
      } catch (const StationFault &) {
        sleep(1);
      }
    }
    throw StationFault("the unit did not answer over SSH within " + std::to_string((int)timeout) + " s");
  }

  json describe() const override
  {
    return {{"transport", "ssh"},
            {"target", target},
            {"port", port.empty() ? json() : json(std::stoi(port))},
            {"connection", reused ? "reused" : "opened"},
            {"handshakes", opened}};
  }
};

}  // namespace

std::unique_ptr<Transport> openTransport(const std::string &uri, const Options &opt)
{
  size_t colon = uri.find(':');
  std::string scheme = uri.substr(0, colon), rest = colon == std::string::npos ? "" : uri.substr(colon + 1);

  if (rest.empty()) throw BadInput("--unit wants sim:ROOT, ssh:[user@]host[:port] or serial:/dev/ttyX[,baud]");
  if (scheme == "sim") return std::make_unique<SimUnit>(rest, opt.dut);
  if (scheme == "ssh") return std::make_unique<SshUnit>(rest, opt);
  if (scheme == "serial") {
    size_t comma = rest.find(',');
    int baud = 115200;
    if (comma != std::string::npos) {
      std::string b = rest.substr(comma + 1);
      if (b.empty() || b.size() > 7 || b.find_first_not_of("0123456789") != std::string::npos)
        throw BadInput("bad baud rate in " + uri);
      baud = std::stoi(b);
      rest.erase(comma);
    }
    return openSerial(rest, baud);
  }
  throw BadInput("unknown transport " + scheme + " (sim, ssh, serial)");
}
