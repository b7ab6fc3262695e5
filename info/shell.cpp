// Running device commands and reading the first line of what they print;
// how a run ends when one of them is interrupted or the output cannot be
// written.
#include <cerrno>
#include <csignal>
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "info.h"

char tmpstr[512];
char cmd[512];
FILE *pp;

// Why standard output first failed: the C library drops what it could not
// write, so the reason is known only at that moment.
static int outErrno;

// A child writes straight to the terminal or pipe we share, so whatever we
// printed before must be out first.
void flushOut()
{
  errno = 0;
  if (fflush(stdout) && !outErrno) outErrno = errno ? errno : EIO;
  std::cout.flush();
}

// Once, as the run ends by any path (exit(-1) of the store included): a
// full disk or a closed pipe is said on standard error. The exit status
// stays what it is.
static void reportOutputError()
{
  flushOut();
  if (ferror(stdout))
    fprintf(stderr, "tarnel: write error on standard output: %s\n", strerror(outErrno ? outErrno : EIO));
}

static void noop(int) {}

// A closed standard output must not end a hardware action halfway: writes
// fail instead of killing tarnel. Not SIG_IGN, which device commands would
// inherit across exec; a handler is reset there.
void guardOutput()
{
  struct sigaction sa;

  memset(&sa, 0, sizeof(sa));
  sa.sa_handler = noop;
  sigaction(SIGPIPE, &sa, nullptr);
  atexit(reportOutputError);
}

// A device command ended by SIGINT or SIGQUIT (Ctrl-C, Ctrl-\ at a
// terminal) ends the run there, as a shell would: nothing after it runs (no
// further command, no flash save), and tarnel ends by the same signal, its
// output flushed first.
static int stopIfInterrupted(int status)
{
  if (status == -1 || !WIFSIGNALED(status)) return status;
  int sig = WTERMSIG(status);
  if (sig != SIGINT && sig != SIGQUIT) return status;
  reportOutputError();
  signal(sig, SIG_DFL);
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, sig);
  sigprocmask(SIG_UNBLOCK, &set, nullptr);
  raise(sig);
  _exit(128 + sig);
}

int runCmd(const char *command)
{
  flushOut();
  return stopIfInterrupted(system(command));
}

// Formats into buf (size bytes) and runs it. A value longer than buf can
// hold is never cut: the command line then goes through a buffer that fits
// it.
static int vrunIn(char *buf, size_t size, const char *fmt, va_list ap)
{
  va_list again;
  int ret;

  va_copy(again, ap);
  int len = vsnprintf(buf, size, fmt, ap);
  if (len < 0) {
    ret = -1;
  } else if ((size_t)len < size) {
    ret = runCmd(buf);
  } else {
    std::string big(len + 1, '\0');

    vsnprintf(&big[0], big.size(), fmt, again);
    ret = runCmd(big.c_str());
  }
  va_end(again);
  return ret;
}

int runIn(char *buf, size_t size, const char *fmt, ...)
{
  va_list ap;

  va_start(ap, fmt);
  int ret = vrunIn(buf, size, fmt, ap);
  va_end(ap);
  return ret;
}

// The same through cmd, which is zeroed again afterwards, as every user of
// it expects.
int runf(const char *fmt, ...)
{
  va_list ap;

  va_start(ap, fmt);
  int ret = vrunIn(cmd, sizeof(cmd), fmt, ap);
  va_end(ap);
  memset(cmd, 0, sizeof(cmd));
  return ret;
}

// The reads below on a stream of their own, so that what parses a
// command's output can be fed from a file or memory as well.

// One line of at most size-1 characters into buf, which is emptied first.
void lineFrom(FILE *in, char *buf, int size)
{
  buf[0] = 0;
  if (!fgets(buf, size, in)) buf[0] = 0;
}

// Reads in to its end, in pieces of at most size-1 characters through
// tmpstr; line (size bytes) receives the last piece that begins with
// prefix. False when no piece did, line then untouched.
bool lastLineFrom(FILE *in, const char *prefix, char *line, int size)
{
  bool found = false;

  if (size > (int)sizeof(tmpstr)) size = sizeof(tmpstr);
  while (fgets(tmpstr, size, in)) {
    if (strncmp(tmpstr, prefix, strlen(prefix))) continue;
    strcpy(line, tmpstr);
    found = true;
  }
  return found;
}

// The command's output in pp, which holds it only for as long as a read
// takes; false when the pipe could not be opened.
static bool openPipe(const char *command)
{
  flushOut();
  pp = popen(command, "r");
  return pp != nullptr;
}

static void closePipe()
{
  int status = pclose(pp);
  pp = nullptr;
  stopIfInterrupted(status);
}

// One line of at most size-1 characters of the command's output into buf
// (emptied first); false when the pipe could not be opened.
bool readLine(const char *command, char *buf, int size)
{
  if (!openPipe(command)) return false;
  lineFrom(pp, buf, size);
  closePipe();
  return true;
}

// The first-line read every reader shares: a command that prints nothing
// leaves the field as it was.
bool firstLine(const char *command, char *field)
{
  if (!readLine(command, tmpstr, sizeof(tmpstr))) return false;
  if (tmpstr[0]) strcpy(field, tmpstr);
  return true;
}

// lastLineFrom on the command's output; false too when it cannot start.
bool lastLineStarting(const char *command, const char *prefix, char *line, int size)
{
  if (!openPipe(command)) return false;
  bool found = lastLineFrom(pp, prefix, line, size);
  closePipe();
  return found;
}
