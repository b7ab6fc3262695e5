// The device's /bin/sh: every "sh -c CMD" (system, popen, a command given
// over SSH) goes to the trace as it was passed, then busybox sh runs it.
// A line that names a flash entry with behaviour of its own (the base MAC
// entry, an entry whose writes are dropped) runs in a child, and the
// entries are settled once it has ended; every other line is exec'd as it
// is, so it costs no process more.
//
// Interactive shells (the console, an SSH login, tools/dut shell) read
// lines through the terminal's own line discipline (echo, erase, CR to
// line end) and run each as "sh -c LINE", so a typed line behaves, and is
// traced, as the same line run by a program would be. Each line is a
// shell of its own: cd, variables and functions last for that line only,
// and a construct spanning lines must be written on one.
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include "cmds.h"

// Runs busybox sh with argv, whose word at is the command line: in place of
// this process when nothing needs settling afterwards, else in a child,
// whose wait status it returns.
static int runLine(char **argv, int at, bool inPlace)
{
  std::string line = argv[at];
  trace("sh: " + line);
  std::vector<EntryState> watched = watchedEntries(line);
  // busybox sh runs its own applet for a bare "reboot", never the
  // device's: a function, found first, sends it there
  std::string withReboot = "reboot() { /bin/reboot \"$@\"; }\n" + line;
  if (line.find("reboot") != std::string::npos) argv[at] = &withReboot[0];

  argv[0] = (char *)"sh";
  if (inPlace && watched.empty()) {
    execv("/bin/busybox", argv);
    return 127 << 8;
  }
  // as system() does: the caller's terminal keys are the child's to take
  struct sigaction ignore, oldInt, oldQuit;
  memset(&ignore, 0, sizeof(ignore));
  ignore.sa_handler = SIG_IGN;
  sigaction(SIGINT, &ignore, &oldInt);
  sigaction(SIGQUIT, &ignore, &oldQuit);
  fflush(nullptr);
  pid_t pid = fork();
  if (pid == 0) {
    signal(SIGINT, SIG_DFL);
    signal(SIGQUIT, SIG_DFL);
    execv("/bin/busybox", argv);
    _exit(127);
  }
  int st = 0;
  while (pid > 0 && waitpid(pid, &st, 0) < 0 && errno == EINTR) {}
  sigaction(SIGINT, &oldInt, nullptr);
  sigaction(SIGQUIT, &oldQuit, nullptr);
  settleEntries(watched);
  return pid < 0 ? 127 << 8 : st;
}

// A login through the unit's SSH server (dropbear marks its sessions with
// DUTSIM_LOGIN) gets the environment and folder of every other program
// run in the device: what dropbear adds goes, PATH and HOME are the
// device's, the folder is /.
static void deviceSession()
{
  static const char *const dropbearVars[] = {
      "DUTSIM_LOGIN", "USER", "LOGNAME", "SHELL", "MAIL", "PWD", "SSH_CLIENT", "SSH_CONNECTION",
      "SSH_TTY", "SSH_PUBKEYINFO", "SSH_AUTH_SOCK", "SSH_ORIGINAL_COMMAND"};

  if (!getenv("DUTSIM_LOGIN")) return;
  for (const char *v : dropbearVars) unsetenv(v);
  setenv("PATH", "/bin:/sbin:/usr/bin:/usr/sbin", 1);
  setenv("HOME", "/root", 1);
  if (chdir("/")) perror("sh: /");
}

static volatile sig_atomic_t interrupted;

static void onInterrupt(int)
{
  interrupted = 1;
}

// One line from the terminal, its line end taken off; false at the end of
// input, or when ^C discarded what was typed.
static bool readLine(std::string &line)
{
  char buf[1024];

  line.clear();
  while (fgets(buf, sizeof(buf), stdin)) {
    line += buf;
    if (line.back() == '\n') {
      line.pop_back();
      return true;
    }
  }
  return !line.empty() && !interrupted;
}

// The interactive shell: "# " before each line on a terminal. "exit" or the
// end of input ends it; on the console, as a respawned console shell, it
// only gives a new prompt.
static int interactive(bool console)
{
  bool tty = isatty(0);
  int ends = 0;
  struct sigaction sa;

  // the terminal's keys (^C) reach this shell's group only, not whatever
  // started it (bwrap on the console)
  if (tty) {
    signal(SIGTTOU, SIG_IGN);
    setpgid(0, 0);
    tcsetpgrp(0, getpgrp());
  }
  memset(&sa, 0, sizeof(sa));
  sa.sa_handler = onInterrupt;
  // no SA_RESTART: ^C at the prompt ends the read and gives a fresh prompt
  sigaction(SIGINT, &sa, nullptr);
  signal(SIGQUIT, SIG_IGN);
  for (;;) {
    std::string line;

    if (tty) fputs("# ", stdout);
    fflush(stdout);
    interrupted = 0;
    bool got = readLine(line);
    if (interrupted) {
      clearerr(stdin);
      fputs("\n", stdout);
      continue;
    }
    size_t from = line.find_first_not_of(" \t"), to = line.find_last_not_of(" \t");
    std::string word = from == std::string::npos ? "" : line.substr(from, to - from + 1);
    if (got && word.empty()) continue;
    if (!got || word == "exit" || word.compare(0, 5, "exit ") == 0) {
      int status = got && word.size() > 5 ? atoi(word.c_str() + 5) : 0;

      // a hung-up terminal reads as endless ends: the console gives up then
      if (!console || ++ends > 100) return status;
      clearerr(stdin);
      if (!got) fputs("\n", stdout);
      continue;
    }
    ends = 0;
    char *argv[] = {(char *)"sh", (char *)"-c", &line[0], nullptr};
    int st = runLine(argv, 2, false);
    // the prompt after a ^C'd command starts a line of its own
    if (WIFSIGNALED(st) && WTERMSIG(st) == SIGINT) fputs("\n", stdout);
  }
}

int sh_main(int argc, char **argv)
{
  bool login = argv[0][0] == '-';
  // the console's shell: DUTSIM_CONSOLE names the file that tells the
  // launcher the shell is up
  const char *up = getenv("DUTSIM_CONSOLE");
  bool console = up != nullptr;

  if (up) writeFile(up, "");
  unsetenv("DUTSIM_CONSOLE");
  deviceSession();
  if (argc > 2 && !strcmp(argv[1], "-c")) {
    // newer C libraries pass "sh -c -- CMD"
    int at = (argc > 3 && !strcmp(argv[2], "--")) ? 3 : 2;
    int st = runLine(argv, at, true);

    // a line ended by a signal ends this shell the same way
    if (WIFSIGNALED(st)) {
      signal(WTERMSIG(st), SIG_DFL);
      raise(WTERMSIG(st));
    }
    return WEXITSTATUS(st);
  }
  if ((argc == 2 && !strcmp(argv[1], "-i")) || (argc == 1 && (login || isatty(0))))
    return interactive(console);
  argv[0] = (char *)"sh";
  execv("/bin/busybox", argv);
  return 127;
}
