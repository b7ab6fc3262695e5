// Clearing the stored parameters and the reset to factory defaults.
#include <iostream>

#include "info/info.h"
#include "params.h"

// After the base MAC and the serial number a clear empties these nvram
// variables. The staging files, the pass-phrase, SSID and PIN entries in
// flash and the LAN MAC variable stay, so a later commit writes the staged
// values again.
static const char *const clearCommands[] = {
    "nvram set wl0_ssid",
    "nvram set wps_device_pin",
    "nvram set wl0_wpa_psk",
    "nvram set wps_sta_pin",
};

void hwclear()
{
  runCmd("echo > /proc/nvram/BaseMacAddr ");
  DoSysSN(2, 1);
  for (const char *c : clearCommands) runCmd(c);
  // a lock not obtained has printed its own message
  if (saveToFlash() == 0) std::cout << "All info in flash memory is cleared." << std::endl;
}

// Whatever the device's restore does, the station is told it was asked.
void reset_to_default()
{
  runCmd("/bin/restoredefault -r");
  std::cout << "Reset to Default OK" << std::endl;
}
