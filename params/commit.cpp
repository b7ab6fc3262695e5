// Commit of every staged parameter, the serial number, the flash save.
#include <cstring>
#include <fcntl.h>
#include <iostream>

#include "cli/cli.h"
#include "info/info.h"
#include "params.h"
#include "store/store.h"

// The first line of a staging file (its line feed dropped) replaces value;
// false, and value untouched, when the file cannot be opened or read, or
// is no regular file (a folder, a FIFO, a device node: taking that as an
// empty value would erase the stored one, and a FIFO would never answer).
// An empty file stages an empty value, which is then written as such.
bool readStaged(const char *file, std::string &value)
{
  std::string line;

  fp = openRegular(file, O_RDONLY, "r");
  if (!fp) return false;
  getLine(fp, line);
  bool read = !ferror(fp);
  fclose(fp);
  fp = nullptr;
  if (read) value = line;
  return read;
}

// A /proc/nvram entry written from a 100-byte command buffer, or from one
// that fits when the value is longer (a 64-byte 5 GHz pass-phrase needs
// 103 bytes). The buffer is wiped afterwards: it held a secret.
static void setEntry(const char *fmt, const std::string &value)
{
  char cmd_arry[100];

  memset(cmd_arry, 0, sizeof(cmd_arry));
  runIn(cmd_arry, sizeof(cmd_arry), fmt, value.c_str());
  memset(cmd_arry, 0, sizeof(cmd_arry));
}

void setPassPhrase()
{
  setEntry("echo %s > /proc/nvram/BasePreShareKey", passphrase);
}

void setPassPhrase5g()
{
  setEntry("echo %s > /proc/nvram/BasePreShareKey_5g", passphrase5g);
}

void setWPS_AP_Pin_Cdoe()
{
  setEntry("echo %s > /proc/nvram/wps_device_pin", PIN_Code);
}

// The staging steps in the order they run: each reads its file into its
// option value and then runs its setter or its command lines. A missing
// file skips its step only. The 2.4 GHz pass-phrase goes both to its
// flash entry and to the radio; the staged WLAN MAC has no step.
static const struct {
  const char *file;
  std::string *value;
  void (*setter)();
  const char *commands[2];
} steps[] = {
    {"/tmp/Lan_MAC.txt", &Lan_MAC, nullptr,
     {"echo %s > /proc/nvram/BaseMacAddr", "nvram set lan_hwaddr=%s"}},
    {"/tmp/WPSPSK.txt", &passphrase, setPassPhrase, {}},
    {"/tmp/WPSPSK5G.txt", &passphrase5g, setPassPhrase5g, {}},
    {"/tmp/PIN_Code.txt", &PIN_Code, setWPS_AP_Pin_Cdoe, {}},
    {"/tmp/SSID_2_4G.txt", &SSID, nullptr, {"echo %s > /proc/nvram/ssid"}},
    {"/tmp/SSID_5G.txt", &SSID5G, nullptr, {"wireless_set -A %s -Z 1 >> /dev/null"}},
    {"/tmp/WPS_PIN.txt", &WPS_PIN, nullptr,
     {"/bin/wireless -z enabled -I n -G 1 -C 'client-pin' -H 1 -M %s >> /dev/null"}},
    {"/tmp/WPSPSK.txt", &passphrase, nullptr, {"wireless_set -T %s >> /dev/null"}},
};

void commit()
{
  for (const auto &s : steps) {
    if (!readStaged(s.file, *s.value)) continue;
    if (s.setter) s.setter();
    for (const char *c : s.commands)
      if (c) runf(c, s.value->c_str());
  }
  // the serial number reads its own staging file, or keeps the one given
  // on the command line
  DoSysSN(1, 1);
  // a failed save has printed its own message, if any
  saveToFlash();
}

// 0 when the configuration was saved, else the store's code. A store that
// cannot be opened ends the process; a lock not obtained in time is
// handed back and nothing is saved.
int saveToFlash()
{
  void *handle = nullptr;
  CmsRet ret = storeOpen("saveToFlash", &handle);

  if (ret != CMSRET_SUCCESS) return ret;
  ret = cmsMgm_saveConfigToFlash();
  storeClose("saveToFlash", &handle);
  return ret;
}
