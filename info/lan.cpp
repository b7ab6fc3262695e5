// The wired side: the LAN MAC address and the WAN port's link speed.
#include <cctype>
#include <cstring>

#include "info.h"

// A staged LAN MAC is shown as staged, cut to 12 characters: a full one
// gets a line end, a shorter one is kept as read.
static void readStagedMAC(char *field)
{
  char lanMacBuf[13];

  memset(lanMacBuf, 0, sizeof(lanMacBuf));
  readLine("cat /tmp/Lan_MAC.txt", lanMacBuf, sizeof(lanMacBuf));
  lanMacBuf[12] = '\n';
  size_t n = strnlen(lanMacBuf, sizeof(lanMacBuf));
  memcpy(field, lanMacBuf, n);
  field[n] = 0;
}

// The flash shows "00 1a 2b 2c 3d 4e \n"; we show "00:1A:2B:2C:3D:4E\n":
// blanks become colons, letters upper case, the last blank the line end.
// line is changed on the way. False when the line is too short to hold a
// value; the field is then left alone.
bool formatBaseMAC(char *line, char *field)
{
  size_t n = strlen(line);
  if (n < 2) return false;
  line[n - 2] = '\n';
  for (size_t i = 0; i <= n - 2; i++) {
    unsigned char c = line[i] == ' ' ? ':' : line[i];
    field[i] = (char)toupper(c);
  }
  field[n - 1] = 0;
  return true;
}

static bool readBaseMAC(char *field)
{
  tmpstr[0] = 0;
  readLine("cat /proc/nvram/BaseMacAddr", tmpstr, sizeof(tmpstr));
  return formatBaseMAC(tmpstr, field);
}

// The staged LAN MAC wins over the stored one until its file is removed.
void GetLanMAC(BOOL bPrintFlag)
{
  char *field = sHiddenInfo_st.LAN_MAC;

  if (canRead("/tmp/Lan_MAC.txt")) {
    readStagedMAC(field);
  } else if (!readBaseMAC(field)) {
    printField("N/A", WITH_LINE_END, bPrintFlag);
    return;
  }
  showField(field, NA_NEWLINE, AS_STORED, bPrintFlag);
}

// getWANSpeed() answers 0, 1, 2, or 99 without a link; anything else is
// no speed we know and shows as "N/A" too.
void GetWAN_1_LinkStatus(BOOL bPrintFlag)
{
  static const char *speed[3] = {"10M", "100M", "1000M"};
  char *field = sHiddenInfo_st.WAN1_LinkSt;
  int index = getWANSpeed();

  strcpy(field, index >= 0 && index <= 2 ? speed[index] : "N/A");
  printField(field, WITH_LINE_END, bPrintFlag);
}
