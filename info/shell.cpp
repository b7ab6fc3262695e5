// Running device commands and reading the first line of what they print.
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

#include "info.h"

char tmpstr[512];
char cmd[512];
FILE *pp;

// A child writes straight to the terminal or pipe we share, so whatever we
// printed before must be out first.
void flushOut()
{
  std::cout.flush();
  fflush(stdout);
}

int runCmd(const char *command)
{
  flushOut();
  return system(command);
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

// One line of at most size-1 characters of the command's output into buf
// (emptied first); false when the pipe could not be opened. The pipe is
// left in pp only for as long as the read takes.
bool readLine(const char *command, char *buf, int size)
{
  flushOut();
  pp = popen(command, "r");
  if (!pp) return false;
  lineFrom(pp, buf, size);
  pclose(pp);
  pp = nullptr;
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
  bool found;

  flushOut();
  pp = popen(command, "r");
  if (!pp) return false;
  found = lastLineFrom(pp, prefix, line, size);
  pclose(pp);
  pp = nullptr;
  return found;
}
