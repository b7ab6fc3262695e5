// The language: the device's listing of its languages, and "ENG".
#include <cstring>
#include <fcntl.h>
#include <iostream>
#include <sys/stat.h>

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

// Whether something other than a regular file stands at path: the shell's
// redirect would wait on a FIFO (or a terminal) there for ever, so the
// listing command is not run then and nothing is listed.
static bool otherThanFile(const char *path)
{
  struct stat st;

  return stat(path, &st) == 0 && !S_ISREG(st.st_mode);
}

// The listing is written whatever the flag says; the value is always "ENG".
void GetLanguage(BOOL bPrintFlag)
{
  char *field = sHiddenInfo_st.Language;

  if (!otherThanFile(listing)) runf("/bin/multiLingual -s -t > %s", listing);
  fp = openRegular(listing, O_RDONLY, "r");
  if (fp) {
    showListing(fp);
    fclose(fp);
    fp = nullptr;
  }
  strcpy(field, "ENG");
  printField(field, WITH_LINE_END, bPrintFlag);
}
