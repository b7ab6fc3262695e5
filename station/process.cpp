// Child processes of the station PC: the simulated unit's launcher, the
// ssh client, fixture hooks. Each gets /dev/null as stdin, its output is
// collected whole, and a time-out stops its whole process group.
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include "station.h"

double now()
{
  struct timespec ts;

  clock_gettime(CLOCK_MONOTONIC, &ts);
  return ts.tv_sec + ts.tv_nsec / 1e9;
}

std::string quote(const std::string &word)
{
  std::string q = "'";

  for (char c : word) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

static void childExec(const std::vector<std::string> &argv, int out, int err)
{
  std::vector<char *> args;

  setpgid(0, 0);
  int in = open("/dev/null", O_RDONLY);
  dup2(in, 0);
  dup2(out, 1);
  dup2(err, 2);
  for (const auto &a : argv) args.push_back(const_cast<char *>(a.c_str()));
  args.push_back(nullptr);
  execvp(args[0], args.data());
  dprintf(2, "tarnel-station: cannot run %s: %s\n", args[0], strerror(errno));
  _exit(127);
}

// Reads both pipes until they close or the deadline passes; false on the
// deadline.
static bool collect(int fds[2], std::string *bufs[2], double deadline)
{
  char chunk[65536];

  while (fds[0] >= 0 || fds[1] >= 0) {
    struct pollfd p[2] = {{fds[0], POLLIN, 0}, {fds[1], POLLIN, 0}};
    double left = deadline - now();
    if (left <= 0) return false;
    if (poll(p, 2, (int)(left * 1000) + 1) < 0 && errno != EINTR) return false;
    for (int i = 0; i < 2; i++) {
      if (fds[i] < 0 || !(p[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
      ssize_t n = read(fds[i], chunk, sizeof(chunk));
      if (n > 0) {
        bufs[i]->append(chunk, n);
      } else if (n == 0 || errno != EINTR) {
        close(fds[i]);
        fds[i] = -1;
      }
    }
  }
  return true;
}

static int waitStatus(pid_t pid)
{
  int st = 0;

  while (waitpid(pid, &st, 0) < 0 && errno == EINTR) {}
  return WIFEXITED(st) ? WEXITSTATUS(st) : 128 + WTERMSIG(st);
}

Run spawn(const std::vector<std::string> &argv, double timeout, const std::string &errFile)
{
  Run r;
  int out[2], err[2] = {-1, -1};
  double start = now();

  for (const auto &a : argv) r.command += (r.command.empty() ? "" : " ") + quote(a);
  if (pipe2(out, O_CLOEXEC) < 0) throw StationFault("pipe: " + std::string(strerror(errno)));
  if (errFile.empty() ? pipe2(err, O_CLOEXEC) < 0
                      : (err[1] = open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600)) < 0)
    throw StationFault("stderr of " + argv[0] + ": " + strerror(errno));
  fflush(nullptr);
  pid_t pid = fork();
  if (pid < 0) throw StationFault("fork: " + std::string(strerror(errno)));
  if (pid == 0) childExec(argv, out[1], err[1]);
  setpgid(pid, pid);
  close(out[1]);
  close(err[1]);
  int fds[2] = {out[0], err[0]};
  std::string *bufs[2] = {&r.out, &r.err};
  if (!collect(fds, bufs, start + timeout)) {
    r.timedOut = true;
    kill(-pid, SIGTERM);
    if (!collect(fds, bufs, now() + 1)) kill(-pid, SIGKILL);
    for (int fd : fds)
      if (fd >= 0) close(fd);
  }
  r.status = waitStatus(pid);
  r.seconds = now() - start;
  return r;
}

Run hook(const std::string &cmd, const std::vector<std::string> &words, double timeout)
{
  std::vector<std::string> argv = {"/bin/sh", "-c", cmd + " \"$@\"", "hook"};

  argv.insert(argv.end(), words.begin(), words.end());
  Run r = spawn(argv, timeout);
  r.command = cmd;
  for (const auto &w : words) r.command += " " + w;
  return r;
}
