// The value readers: one value each into the report record, printed when
// the print flag is exactly 1.
#include <cstdio>
#include <cstring>
#include <iostream>

#include "info.h"

static bool unreadable(const char *field, int na)
{
  // erased flash reads back as 0xFF
  bool erased = (unsigned char)field[0] == 0xFF;

  switch (na) {
  case NA_NEWLINE: return !strcmp(field, "\n");
  case NA_EMPTY: return !field[0];
  case NA_NEWLINE_OR_ERASED: return !strcmp(field, "\n") || erased;
  case NA_EMPTY_OR_ERASED: return !field[0] || erased;
  }
  return false;
}

void printField(const char *field, int form, BOOL bPrintFlag)
{
  if (form != ALWAYS_WITH_LINE_END && bPrintFlag != 1) return;
  if (form != AS_STORED)
    std::cout << field << std::endl;
  else
    std::cout << field;
}

// Only the reader's own "N/A" gets a line end: a device value that reads
// "N/A" is printed as stored like any other.
void showField(char *field, int na, int form, BOOL bPrintFlag)
{
  bool none = unreadable(field, na);

  if (none) strcpy(field, "N/A");
  printField(field, none && form == AS_STORED ? WITH_LINE_END : form, bPrintFlag);
}

static void readField(const char *command, char *field, int na, int form, BOOL bPrintFlag)
{
  firstLine(command, field);
  showField(field, na, form, bPrintFlag);
}

void GetFW_Version(BOOL p) { readField("fwinfo -g fw", sHiddenInfo_st.FW_Version, NA_NEVER, AS_STORED, p); }
void DoSysModelID(BOOL p) { readField("fwinfo -g boardID", sHiddenInfo_st.Board_Model_ID, NA_NEVER, AS_STORED, p); }
void GetWLAN_Version(BOOL p) { readField("fwinfo -g wlan", sHiddenInfo_st.WLAN_Driver_Version, NA_NEVER, AS_STORED, p); }
void GetBuildTime(BOOL p) { readField("fwinfo -g time", sHiddenInfo_st.FW_Build_Time, NA_NEVER, AS_STORED, p); }
void GetBootLoader_Version(BOOL p) { readField("fwinfo -g cfe", sHiddenInfo_st.BootLoader_Version, NA_NEVER, AS_STORED, p); }
void GetRegion(BOOL p) { readField("wl country", sHiddenInfo_st.Region, NA_NEVER, AS_STORED, p); }
void GetWlanMAC(BOOL p) { readField("nvram get wl0_hwaddr", sHiddenInfo_st.WLAN_MAC_2_4G, NA_NEWLINE, AS_STORED, p); }
void GetWlanMAC_5G(BOOL p) { readField("nvram get wl1_hwaddr", sHiddenInfo_st.WLAN_MAC_5G, NA_EMPTY, AS_STORED, p); }
void GetSSID_5G(BOOL p) { readField("nvram get wl1_ssid", sHiddenInfo_st.SSID_5G, NA_EMPTY, AS_STORED, p); }
void GetPIN(BOOL p) { readField("cat /proc/nvram/wps_device_pin", sHiddenInfo_st.PINCode, NA_NEWLINE_OR_ERASED, AS_STORED, p); }
void Getpassphrase(BOOL p) { readField("cat /proc/nvram/BasePreShareKey", sHiddenInfo_st.PassPhrase_2_4G, NA_EMPTY_OR_ERASED, WITH_LINE_END, p); }
void Getpassphrase_5G(BOOL p) { readField("cat /proc/nvram/BasePreShareKey_5g", sHiddenInfo_st.PassPhrase_5G, NA_EMPTY_OR_ERASED, WITH_LINE_END, p); }
void GetBoard_HW_ID(BOOL p) { readField("cat /proc/nvram/HWID", sHiddenInfo_st.Board_HW_ID, NA_EMPTY_OR_ERASED, ALWAYS_WITH_LINE_END, p); }

// Values this gateway does not have.
static void fixedNA(char *field, BOOL bPrintFlag)
{
  strcpy(field, "N/A");
  printField(field, WITH_LINE_END, bPrintFlag);
}

void GetWAN_MAC_1(BOOL p) { fixedNA(sHiddenInfo_st.WAN_MAC_1, p); }
void GetWAN_MAC_2(BOOL p) { fixedNA(sHiddenInfo_st.WAN_MAC_2, p); }
void GetWAN_MAC_3(BOOL p) { fixedNA(sHiddenInfo_st.WAN_MAC_3, p); }
void GetDECT_Version(BOOL p) { fixedNA(sHiddenInfo_st.DECT_Version, p); }
void GetDECT_Handset(BOOL p) { fixedNA(sHiddenInfo_st.DECT_Handset, p); }
void GetFactoryMode(BOOL p) { fixedNA(sHiddenInfo_st.FactoryMode, p); }
void GetStartPage(BOOL p) { fixedNA(sHiddenInfo_st.StartPage, p); }
void GetWAN_2_LinkStatus(BOOL p) { fixedNA(sHiddenInfo_st.WAN2_LinkSt, p); }
void GetWAN_3_LinkStatus(BOOL p) { fixedNA(sHiddenInfo_st.WAN3_LinkSt, p); }

// Only DECT models have the entry; the reader prints whatever the flag
// says: as stored when asked to, else with a line end.
void GetDECT_RFPI(BOOL bPrintFlag)
{
  char *field = sHiddenInfo_st.DECT_RFPI;

  if (canRead("/proc/nvram/DectRFPI")) firstLine("cat /proc/nvram/DectRFPI", field);
  showField(field, NA_EMPTY_OR_ERASED, bPrintFlag == 1 ? AS_STORED : WITH_LINE_END, 1);
}
