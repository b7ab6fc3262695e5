#include <getopt.h>

#include "cli/cli.h"
#include "cli_state.h"

static std::string *const values[] = {
    &usbactive, &write_file_size, &name,     &btnmode, &coexistence, &coexistence5G,
    &Language,  &SSID,            &SSID5G,   &WPS_PIN, &passphrase,  &passphrase5g,
    &Lan_MAC,   &ModelID,         &PIN_Code, &SN,      &WlanMAC,     &arg1,
    &ledOnOff,  &ledAll,          &color,    &productionmode};

std::vector<std::string> optionValues()
{
  std::vector<std::string> all;

  for (auto *v : values) all.push_back(*v);
  return all;
}

void resetCli()
{
  f.clear();
  web = 0;
  for (auto *v : values) v->clear();
  buildHelp();
  // 0 makes the C library start over, as in a new process
  optind = 0;
  opterr = 1;
}

int parseWords(const std::vector<std::string> &words)
{
  std::vector<std::string> store = {"tarnel"};
  std::vector<char *> argv;

  store.insert(store.end(), words.begin(), words.end());
  for (auto &w : store) argv.push_back(&w[0]);
  argv.push_back(nullptr);
  resetCli();
  return parseOptions((int)store.size(), argv.data());
}
