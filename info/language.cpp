// The language: the device's listing of its languages, and "ENG".
#include <cstring>
#include <fcntl.h>
#include <iostream>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "info.h"

// The listing's lines after its heading, joined by commas, without a line
// end; the heading and empty lines after the first are left out. A listing
// whose first line ends in ':' is shown as nothing. A missing or empty
// listing file (no listing command) has nothing to show but ends nothing.
void showListing(FILE *in)
{
  std::string language, line;

  if (!getLine(in, language)) return;
  if (!language.empty() && language[language.size() - 1] == ':') return;
  for (bool first = true; getLine(in, line); first = false) {
    if (first)
      std::cout << line;
    else if (!line.empty())
      std::cout << ',' << line;
  }
}

static const char listing[] = "/tmp/Language.txt";

// Runs that list at the same time take turns, since each rewrites the one
// listing file: an advisory lock on a file of its own beside it, opened
// without following a link and without blocking, and never handed to the
// listing command. Where it cannot be made (a read-only /tmp) the run goes
// on without.
static int takeListingTurn()
{
  int fd = open("/tmp/Language.txt.lock", O_RDONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);

  if (fd >= 0) flock(fd, LOCK_EX);
  return fd;
}

// Whether something other than a regular file stands at path: the shell's
// redirect would wait on a FIFO (or a terminal) there for ever, so the
// listing command is not run then and nothing is listed. The command line
// has to stay as it is, so the shell opens the file itself; between this
// look and its open only a program other than tarnel (runs take turns)
// could put a FIFO there.
static bool otherThanFile(const char *path)
{
  struct stat st;

  return stat(path, &st) == 0 && !S_ISREG(st.st_mode);
}

// The listing is written whatever the flag says; the value is always "ENG".
void GetLanguage(BOOL bPrintFlag)
{
  char *field = sHiddenInfo_st.Language;
  int turn = takeListingTurn();

  if (!otherThanFile(listing)) runf("/bin/multiLingual -s -t > %s", listing);
  fp = openRegular(listing, O_RDONLY, "r");
  if (fp) {
    showListing(fp);
    fclose(fp);
    fp = nullptr;
  }
  if (turn >= 0) close(turn);
  strcpy(field, "ENG");
  printField(field, WITH_LINE_END, bPrintFlag);
}
