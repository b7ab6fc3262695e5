// Command front end: the option table, the help text and the ordered blocks.
#ifndef TARNEL_CLI_H
#define TARNEL_CLI_H

#include <getopt.h>
#include <set>
#include <string>

extern std::set<std::string> f;
extern int web;
extern std::string help;

// Option values, each replaced whole by the argument of its option.
extern std::string usbactive, write_file_size, name, btnmode, coexistence,
    coexistence5G, Language, SSID, SSID5G, WPS_PIN, passphrase, passphrase5g,
    Lan_MAC, ModelID, PIN_Code, SN, WlanMAC, arg1, ledOnOff, ledAll, color,
    productionmode;

extern const char shortopts[];
extern const struct option options[44];

void buildHelp();
// 1 when the run ends here (help printed, or a bad option), else 0.
int parseOptions(int argc, char **argv);
// Runs the blocks in their fixed order; returns main's status.
int dispatch();

#endif
