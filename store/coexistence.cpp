// Switching each radio's overlapping-BSS coexistence on or off, and showing
// both states. wl0 is the 2.4 GHz radio, wl1 the 5 GHz one.
#include <cstdio>

#include "cli/cli.h"
#include "info/info.h"
#include "store.h"

// Only the exact texts "enable" and "disable" switch; anything else
// ("Enable", "1") is ignored without a word.
static void switchCoexist(const char *ifName, const std::string &request)
{
  if (request == "enable")
    runf("wl -i %s obss_coex 1", ifName);
  else if (request == "disable")
    runf("wl -i %s obss_coex 0", ifName);
}

void SetCoexist(const std::string &request)
{
  switchCoexist("wl0", request);
}

void SetCoexist_5G(const std::string &request)
{
  switchCoexist("wl1", request);
}

// Labels only in plain mode; the readers end each line.
void ShowCoexist()
{
  if (web != 1) fputs("Coexistence_2.4G ", stdout);
  GetCoexist(1);
  if (web != 1) fputs("Coexistence_5G ", stdout);
  GetCoexist_5G(1);
}
