// The simulated gateway's device commands, one multi-call binary: each
// command is found by the name it was started under.
#ifndef DUT_CMDS_H
#define DUT_CMDS_H

#include <string>
#include <vector>

#include "common/dut.h"

int sh_main(int argc, char **argv);
int nvram_main(int argc, char **argv);
int wl_main(int argc, char **argv);
int fwinfo_main(int argc, char **argv);
int sw_main(int argc, char **argv);
int dumpmem_main(int argc, char **argv);
int ethswctl_main(int argc, char **argv);
int cmslock_main(int argc, char **argv);
int wireless_set_main(int argc, char **argv);
int wireless_main(int argc, char **argv);
int restoredefault_main(int argc, char **argv);
int multiLingual_main(int argc, char **argv);
int traceonly_main(int argc, char **argv);
int usbplug_main(int argc, char **argv);
int tarcli_main(int argc, char **argv);
int asterisk_main(int argc, char **argv);
int btnpress_main(int argc, char **argv);
int ledstate_main(int argc, char **argv);
int reboot_main(int argc, char **argv);
int factory_main(int argc, char **argv);
int links_main(int argc, char **argv);
int supervise_main(int argc, char **argv);
int hold_main(int argc, char **argv);
int freeport_main(int argc, char **argv);

// The words from..argc-1 joined by blanks, as the shell split them.
std::string joinArgs(int from, int argc, char **argv);
// "usage: ..." on stderr, status 1.
int usage(const char *text);
// nvram variables, shared with the tools that set them.
bool nvramSet(const std::string &name, const std::string &value);

// A flash entry before a command line ran: whether it was a plain file and
// what it held.
struct EntryState {
  std::string name;
  bool had;
  std::string data;
};
// The entries that behave (the base MAC entry, entries whose writes are
// dropped) which the command line names, as they are now.
std::vector<EntryState> watchedEntries(const std::string &commandLine);
// After the line has run: a base MAC written in a form it takes shows in
// the entry's form, anything else written to it is undone, and so is every
// write to an entry that drops them.
void settleEntries(const std::vector<EntryState> &before);

#endif
