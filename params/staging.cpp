// Staging one factory parameter in its file under /tmp, where commit finds
// it later; the production-mode flag is written to flash at once instead.
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

#include "cli/cli.h"
#include "info/info.h"
#include "params.h"

std::string presharekeyvalue;

// The parameters in the order they are looked for: the first one given
// with -i is the only one staged in this run.
static const struct {
  const char *action;
  std::string *value;
  const char *file;     // nullptr: not staged (production mode)
  char check;           // checkValue's number for a pass-phrase, else 0
  const char *invalid;  // what a rejected pass-phrase says
} stagingRows[] = {
    {"LAN_MAC", &Lan_MAC, "/tmp/Lan_MAC.txt", 0, nullptr},
    {"SN", &SN, "/tmp/SN.txt", 0, nullptr},
    {"PINCode", &PIN_Code, "/tmp/PIN_Code.txt", 0, nullptr},
    {"SSID_2.4G", &SSID, "/tmp/SSID_2_4G.txt", 0, nullptr},
    {"SSID_5G", &SSID5G, "/tmp/SSID_5G.txt", 0, nullptr},
    {"passphrase_2.4G", &passphrase, "/tmp/WPSPSK.txt", 1, "\r\nPre-sharekey value invalid"},
    {"passphrase_5G", &passphrase5g, "/tmp/WPSPSK5G.txt", 2, "\r\n5G Pre-sharekey value invalid"},
    {"WPS_PIN", &WPS_PIN, "/tmp/WPS_PIN.txt", 0, nullptr},
    {"WLAN_2.4G_MAC", &WlanMAC, "/tmp/Wlan_MAC.txt", 0, nullptr},
    {"productionmode", &productionmode, nullptr, 0, nullptr},
};

// The bytes a pass-phrase may hold; everything else is refused, the blank,
// control bytes and everything from small z up included.
static const struct {
  unsigned char from, to;
} passBytes[] = {
    {0x21, 0x23},  // ! " #
    {0x25, 0x27},  // % & '
    {0x2B, 0x2C},  // + ,
    {0x2E, 0x2E},  // .
    {0x30, 0x39},  // 0-9
    {0x3C, 0x3E},  // < = >
    {0x40, 0x5A},  // @ A-Z
    {0x5B, 0x5D},  // [ \ ]
    {0x5F, 0x5F},  // _
    {0x61, 0x79},  // a-y
};

static bool passByte(unsigned char c)
{
  for (const auto &r : passBytes)
    if (c >= r.from && c <= r.to) return true;
  return false;
}

// 1 when pass-phrase num (1: 2.4 GHz, 2: 5 GHz) is 8 to 64 accepted bytes.
char checkValue(char num)
{
  if (num == 1)
    presharekeyvalue = passphrase;
  else if (num == 2)
    presharekeyvalue = passphrase5g;
  else
    return 0;
  if (presharekeyvalue.size() < 8 || presharekeyvalue.size() > 64) return 0;
  for (unsigned char c : presharekeyvalue)
    if (!passByte(c)) return 0;
  return 1;
}

// The bytes exactly as given: no line end, no conversion; a new value
// replaces the old one whole. It is written beside the staging file under a
// name of its own and renamed over it, so a run killed at any instant (or
// a full /tmp) leaves the old value or the new one, never a cut one. A run
// killed before the rename leaves its "<file>.XXXXXX" behind, which nothing
// reads; /tmp is emptied at boot. /tmp lives in RAM, so there is no flush to
// storage to wait for.
static void stage(const char *file, const std::string &value)
{
  std::string temp = std::string(file) + ".XXXXXX";
  int fd = mkstemp(&temp[0]);

  if (fd < 0) return;
  // the mode a plain create would have given, not mkstemp's 0600
  mode_t mask = umask(0);
  umask(mask);
  fchmod(fd, 0666 & ~mask);
  close(fd);
  fpout.clear();
  fpout.open(temp, std::ios::out | std::ios::trunc | std::ios::binary);
  fpout << value;
  fpout.close();
  if (fpout.fail() || rename(temp.c_str(), file)) unlink(temp.c_str());
}

// Written to flash at once; the value reaches the shell unquoted, whole.
static void setProductionMode()
{
  std::string line = "echo " + productionmode + " > /proc/nvram/BoardFlag";

  printf("cmd=%s", line.c_str());
  runCmd(line.c_str());
  runCmd("nvramUpdate Feature 2");
  runCmd("psictl invalidate primary");
}

int hwset()
{
  for (const auto &row : stagingRows) {
    if (!f.count(row.action)) continue;
    if (!row.file) {
      setProductionMode();
      return 0;
    }
    if (row.check && !checkValue(row.check)) {
      // Nothing of a refused pass-phrase may stay behind: an empty or stale
      // file would be committed by the next commit.
      unlink(row.file);
      puts(row.invalid);
      return 1;
    }
    stage(row.file, *row.value);
    return 0;
  }
  return 0;
}
