// The language: the device's listing of its languages, and "ENG".
#include <cstring>
#include <iostream>

#include "info.h"

// The listing's lines after its heading, joined by commas, without a line
// end; the heading and empty lines after the first are left out. A listing
// whose first line ends in ':' is shown as nothing. A missing or empty
// listing file (no listing command) has nothing to show but ends nothing.
void showListing(std::istream &in)
{
  std::string language, line;

  if (!std::getline(in, language)) return;
  if (!language.empty() && language.back() == ':') return;
  for (bool first = true; std::getline(in, line); first = false) {
    if (first)
      std::cout << line;
    else if (!line.empty())
      std::cout << ',' << line;
  }
}

// The listing is written whatever the flag says; the value is always "ENG".
void GetLanguage(BOOL bPrintFlag)
{
  char *field = sHiddenInfo_st.Language;

  runf("/bin/multiLingual -s -t > %s", "/tmp/Language.txt");
  fp.clear();
  fp.open("/tmp/Language.txt");
  showListing(fp);
  fp.close();
  fp.clear();
  strcpy(field, "ENG");
  printField(field, WITH_LINE_END, bPrintFlag);
}
