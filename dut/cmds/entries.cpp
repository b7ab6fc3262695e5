// The flash entries under /proc/nvram are plain files, written by shell
// redirects. Most keep what is written, as the gateway's do; the base MAC
// entry behaves as the kernel's: it takes a MAC and shows it in its own
// form, and refuses anything else. An entry given the fault "drop" takes
// writes without keeping them. The device's sh settles the entries a
// command line names once the line has run (see sh.cpp).
#include <sys/stat.h>

#include "cmds.h"

static const std::string entryDir = "/proc/nvram/";

// An entry that behaves: the base MAC entry, and any entry whose writes are
// dropped. A read-only entry needs nothing here: its writes fail in the
// file system (see tools/dut fault).
static bool behaves(const std::string &name)
{
  return name == "BaseMacAddr" || faultValue("entry:" + name) == "drop";
}

static bool plainFile(const std::string &path)
{
  struct stat st;

  return lstat(dutPath(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::vector<EntryState> watchedEntries(const std::string &commandLine)
{
  std::vector<EntryState> watched;

  if (commandLine.find("/proc/nvram") == std::string::npos &&
      commandLine.find("BaseMacAddr") == std::string::npos)
    return watched;
  for (const auto &name : listDir("/proc/nvram")) {
    if (commandLine.find(name) == std::string::npos || !behaves(name)) continue;
    EntryState e;
    e.name = name;
    e.had = plainFile(entryDir + name) && readFile(entryDir + name, e.data);
    watched.push_back(e);
  }
  return watched;
}

static void putBack(const EntryState &e)
{
  if (e.had)
    writeFile(entryDir + e.name, e.data);
  else
    removeTree(entryDir + e.name);
}

void settleEntries(const std::vector<EntryState> &before)
{
  for (const auto &e : before) {
    std::string path = entryDir + e.name, now;
    bool has = plainFile(path) && readFile(path, now);
    unsigned char mac[6];

    if (has == e.had && now == e.data) continue;
    if (!has || faultValue("entry:" + e.name) == "drop")
      putBack(e);
    else if (e.name != "BaseMacAddr")
      continue;
    else if (parseMac(now, mac))
      writeFile(path, baseMacEntry(mac));
    else
      putBack(e);
  }
}
