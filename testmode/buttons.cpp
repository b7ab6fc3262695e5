// Button test mode and the button record.
#include <cstdio>
#include <cstring>
#include <fcntl.h>

#include "info/info.h"
#include "testmode.h"

// 1 switches the driver into test mode; 0 switches it back and resets its
// button count, so the next test starts from nothing.
void SetButtonTestMode(int mode)
{
  runf("echo %d > /proc/BtnMode", mode);
  if (mode == 0) runf("echo 0 > /proc/BtnCnt");
}

// Each line of the record holds items ended by "&", the last one followed
// by the line break. A run of "&" is one separator; the bare line break
// after the last "&" ends the line and is not an item. A line without the
// closing "&" keeps its line break on its last item, which then prints an
// empty line after it. Lines longer than StrBuf are read in pieces, each
// split as a line of its own.
void showButtonRecord(FILE *fp)
{
  char StrBuf[512];
  char *pStr;

  memset(StrBuf, 0, sizeof(StrBuf));
  while (fgets(StrBuf, sizeof(StrBuf), fp)) {
    pStr = strtok(StrBuf, "&");
    while (pStr) {
      puts(pStr);
      pStr = strtok(nullptr, "&");
      if (pStr && !strcmp(pStr, "\n")) break;
    }
  }
}

// A missing or unreadable record, or one that is no regular file, shows
// nothing.
void ShowButtonStatus()
{
  // a C stream of its own: fgets hands long lines over in pieces
  FILE *fp = openRegular("/tmp/button.txt", O_RDONLY, "r");

  if (!fp) return;
  showButtonRecord(fp);
  fclose(fp);
}
