// Host side, not device commands: what tools/dut needs to keep the unit's
// servers and a held store lock running in the background, and to stop
// them. Each background process is a daemon of its own session that
// reports once it is ready, so the launcher returns only then, and ends
// by itself once its device root is gone.
#include <arpa/inet.h>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include "cmds.h"

static volatile sig_atomic_t stopping;

static void onStop(int)
{
  stopping = 1;
}

static void sleepMs(long ms)
{
  struct timespec ts = {ms / 1000, (ms % 1000) * 1000000};

  nanosleep(&ts, nullptr);
}

static bool exists(const std::string &path)
{
  struct stat st;

  return stat(path.c_str(), &st) == 0;
}

// The root folder's identity: a root removed and made anew (dut init on a
// served root) is another root, and the daemons of the old one end.
static ino_t rootInode(const std::string &root)
{
  struct stat st;

  return stat((root + "/var/dutsim/model").c_str(), &st) == 0 && stat(root.c_str(), &st) == 0 ? st.st_ino : 0;
}

static bool portAnswers(int port)
{
  int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  struct sockaddr_in a;

  memset(&a, 0, sizeof(a));
  a.sin_family = AF_INET;
  a.sin_port = htons((unsigned short)port);
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bool ok = fd >= 0 && connect(fd, (struct sockaddr *)&a, sizeof(a)) == 0;
  if (fd >= 0) close(fd);
  return ok;
}

// Forks the daemon. The caller returns (as its process's status) 0 once
// the daemon reports ready and 1 when it gives up; the daemon gets true,
// in a session of its own, stdin from /dev/null, stdout and stderr into
// log, its pid in pidFile, and *ready the descriptor to report on.
static bool daemonize(const std::string &log, const std::string &pidFile, int *ready, int *status)
{
  int p[2];

  if (pipe(p)) return false;
  pid_t pid = fork();
  if (pid != 0) {
    char c = 0;

    close(p[1]);
    while (pid > 0 && read(p[0], &c, 1) < 0 && errno == EINTR) {}
    *status = c == 'y' ? 0 : 1;
    return false;
  }
  close(p[0]);
  setsid();
  int in = open("/dev/null", O_RDONLY);
  int out = open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
  dup2(in, 0);
  dup2(out < 0 ? in : out, 1);
  dup2(out < 0 ? in : out, 2);
  FILE *f = fopen(pidFile.c_str(), "w");
  if (f) {
    fprintf(f, "%d\n", (int)getpid());
    fclose(f);
  }
  *ready = p[1];
  return true;
}

static void report(int &ready, bool ok)
{
  if (ready < 0) return;
  if (write(ready, ok ? "y" : "n", 1) < 0) {}
  close(ready);
  ready = -1;
}

// dutsim supervise ROOT NAME [--port N] [--file PATH] -- CMD...: runs CMD
// as a daemon's child (logging to ROOT/var/dutsim/run/NAME.log, pid in
// NAME.pid) and returns once it is ready: the port answers on 127.0.0.1
// and PATH exists. The daemon stops CMD (SIGTERM, then SIGKILL after 2 s)
// when it is sent SIGTERM, when ROOT is removed (or replaced), and ends
// when CMD does.
int supervise_main(int argc, char **argv)
{
  const char *use = "dutsim supervise ROOT NAME [--port N] [--file PATH] -- CMD...";
  int port = 0, at = 3, ready = -1, status = 1;
  std::string file;

  if (argc < 5) return usage(use);
  for (; at + 1 < argc && strcmp(argv[at], "--"); at += 2) {
    if (!strcmp(argv[at], "--port"))
      port = atoi(argv[at + 1]);
    else if (!strcmp(argv[at], "--file"))
      file = argv[at + 1];
    else
      return usage(use);
  }
  if (at + 1 >= argc) return usage(use);
  std::string root = argv[1], run = root + "/var/dutsim/run/" + argv[2];
  ino_t inode = rootInode(root);
  if (!daemonize(run + ".log", run + ".pid", &ready, &status)) return status;

  signal(SIGTERM, onStop);
  signal(SIGINT, onStop);
  pid_t child = fork();
  if (child == 0) {
    close(ready);
    signal(SIGTERM, SIG_DFL);
    signal(SIGINT, SIG_DFL);
    execvp(argv[at + 1], argv + at + 1);
    perror(argv[at + 1]);
    _exit(127);
  }
  // ready within 10 s, or never: a loaded machine may be slow to start
  // bwrap, but not that slow
  for (int waited = 0; ready >= 0 && child > 0; waited += 10) {
    if ((!port || portAnswers(port)) && (file.empty() || exists(file))) report(ready, true);
    if (waitpid(child, nullptr, WNOHANG) != 0 || waited > 10000 || stopping) break;
    sleepMs(10);
  }
  report(ready, false);
  while (!stopping && rootInode(root) == inode && waitpid(child, nullptr, WNOHANG) == 0) sleepMs(100);
  if (kill(child, SIGTERM) == 0) {
    int i = 0;

    while (i++ < 200 && waitpid(child, nullptr, WNOHANG) == 0) sleepMs(10);
    if (i > 200) {
      kill(child, SIGKILL);
      waitpid(child, nullptr, 0);
    }
  }
  unlink((run + ".pid").c_str());
  return 0;
}

// dutsim hold ROOT MS: the store lock of the device at ROOT held for MS
// milliseconds from now, by a daemon that returns once it holds it (as
// "cmslock MS" would inside the device). While it holds, the fault file
// "lock" holds MS; SIGTERM, or the root's removal, makes it let go early.
int hold_main(int argc, char **argv)
{
  int ready = -1, status = 1;

  if (argc != 3 || atol(argv[2]) <= 0) return usage("dutsim hold ROOT MS");
  dutRoot = argv[1];
  if (!daemonize(dutPath("/var/dutsim/run/lock.log"), dutPath("/var/dutsim/run/lock.pid"), &ready,
                 &status))
    return status;
  signal(SIGTERM, onStop);
  ino_t inode = rootInode(argv[1]);
  bool held = lockAcquire("cmslock", 3600 * 1000) == 0;
  if (held) writeFile("/var/dutsim/fault/lock", argv[2]);
  report(ready, held);
  // SIGTERM, or the root's removal, lets go early
  for (long left = held ? atol(argv[2]) : 0; left > 0 && !stopping && rootInode(argv[1]) == inode;
       left -= 100)
    sleepMs(left < 100 ? left : 100);
  removeTree("/var/dutsim/fault/lock");
  lockRelease("cmslock");
  unlink(dutPath("/var/dutsim/run/lock.pid").c_str());
  return 0;
}

// dutsim freeport: a TCP port free on 127.0.0.1 now.
int freeport_main(int, char **)
{
  int fd = socket(AF_INET, SOCK_STREAM, 0);
  struct sockaddr_in a;
  socklen_t len = sizeof(a);

  memset(&a, 0, sizeof(a));
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (fd < 0 || bind(fd, (struct sockaddr *)&a, sizeof(a)) ||
      getsockname(fd, (struct sockaddr *)&a, &len)) {
    perror("freeport");
    return 1;
  }
  printf("%d\n", ntohs(a.sin_port));
  close(fd);
  return 0;
}
