// LAN LEDs of the identified model on or off.
#include <cstdio>
#include <cstring>

#include "info/info.h"
#include "led.h"

// The routine of each switch arrangement, by its value in the table.
static void (*const routines[])(unsigned char) = {
    internalSwitch,   // INT_SWITCH
    externalSwitch,   // EXT_SWITCH
    intAndextSwitch,  // INT_EXT_SWITCH
    specialCase_2150, // FOR_2150
};

// The KR4410's voice service is cleaned up (outgoing rules deleted, the
// configuration regenerated, Asterisk restarted) before any LED work, on
// and off alike. The Asterisk command is one argument of -rx.
static void cleanUpVoice()
{
  runCmd("tarcli -v 200 -c 'tar_voice og del multi_og_index 1,2'; "
         "tarcli -v 200 -c 'tar_voice gen all';tarcli -v 200 -c 'exit';");
  puts("Delete OG");
  runCmd("/usr/sbin/asterisk -rx \"core restart now\"");
  puts("Asterisk Restart");
}

void trunOnLED()
{
  const char *id = sHiddenInfo_st.Board_Model_ID;
  const int rows = sizeof(productInfo_st) / sizeof(productInfo_st[0]);

  DoSysModelID(1);
  for (int row = 0; row < rows; row++) {
    const PRODUCTINFO_ST &p = productInfo_st[row];

    // The terminator is tested before any name is compared, so an
    // identifier beginning with "NULL" selects nothing.
    if (!strcmp(p.name, "NULL")) return;
    // over the length of the name only: a suffix or the line end still matches
    if (strncmp(id, p.name, strlen(p.name))) continue;
    if (row == 0) cleanUpVoice();
    if (p.exSwitch >= 0 && p.exSwitch < (int)(sizeof(routines) / sizeof(routines[0])))
      routines[p.exSwitch]((unsigned char)row);
    return;
  }
}

void trun_LAN_LED(std::string act)
{
  if (act == "enable")
    ledAct = 1;
  else if (act == "disable")
    ledAct = 0;
  else
    ledAct = 2;
  trunOnLED();
}
