// Test tool, run inside the simulated gateway in place of tarnel: calls
// value readers by name with a print flag, so that tests see what each one
// prints with flag 0 or 1 and what it leaves in the report record.
//
//   reader_probe READER FLAG [READER FLAG...]
//
// stdout is the readers' own output; after each call stderr gets
// "READER=FIELD" with line ends written as "\n".
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>

#include "cli/cli.h"
#include "info/info.h"
#include "params/params.h"

static void readSN(BOOL p) { DoSysSN(0, p); }
static void readWPS_PIN(BOOL) { GetWPS_PIN(); }

static const struct {
  const char *name;
  void (*read)(BOOL);
  const char *field;
} readers[] = {
    {"GetLanMAC", GetLanMAC, sHiddenInfo_st.LAN_MAC},
    {"GetSSID", GetSSID, sHiddenInfo_st.SSID_2_4G},
    {"GetChannel", GetChannel, sHiddenInfo_st.Channel_2_4G},
    {"GetChannel_5G", GetChannel_5G, sHiddenInfo_st.Channel_5G},
    {"GetCoexist", GetCoexist, sHiddenInfo_st.Coexist_2_4G},
    {"GetCoexist_5G", GetCoexist_5G, sHiddenInfo_st.Coexist_5G},
    {"GetWlan24GStatus", GetWlan24GStatus, sHiddenInfo_st.WLAN_Status_2_4G},
    {"GetWlan5GStatus", GetWlan5GStatus, sHiddenInfo_st.WLAN_Status_5G},
    {"GetLanguage", GetLanguage, sHiddenInfo_st.Language},
    {"GetWAN_1_LinkStatus", GetWAN_1_LinkStatus, sHiddenInfo_st.WAN1_LinkSt},
    {"GetDECT_RFPI", GetDECT_RFPI, sHiddenInfo_st.DECT_RFPI},
    {"GetWPS_PIN", readWPS_PIN, ""},
    {"DoSysSN", readSN, sHiddenInfo_st.SerialNumber},
    {"GetFW_Version", GetFW_Version, sHiddenInfo_st.FW_Version},
    {"GetRegion", GetRegion, sHiddenInfo_st.Region},
    {"GetWlanMAC", GetWlanMAC, sHiddenInfo_st.WLAN_MAC_2_4G},
    {"GetWlanMAC_5G", GetWlanMAC_5G, sHiddenInfo_st.WLAN_MAC_5G},
    {"GetSSID_5G", GetSSID_5G, sHiddenInfo_st.SSID_5G},
    {"GetPIN", GetPIN, sHiddenInfo_st.PINCode},
    {"Getpassphrase", Getpassphrase, sHiddenInfo_st.PassPhrase_2_4G},
    {"Getpassphrase_5G", Getpassphrase_5G, sHiddenInfo_st.PassPhrase_5G},
    {"GetBoard_HW_ID", GetBoard_HW_ID, sHiddenInfo_st.Board_HW_ID},
    {"GetWAN_MAC_1", GetWAN_MAC_1, sHiddenInfo_st.WAN_MAC_1},
    {"GetStartPage", GetStartPage, sHiddenInfo_st.StartPage},
};

int main(int argc, char **argv)
{
  for (int i = 1; i + 1 < argc; i += 2) {
    bool found = false;
    for (const auto &r : readers) {
      if (strcmp(r.name, argv[i])) continue;
      r.read(atoi(argv[i + 1]));
      flushOut();
      std::string field;
      for (const char *p = r.field; *p; p++) field += *p == '\n' ? std::string("\\n") : std::string(1, *p);
      fprintf(stderr, "%s=%s\n", r.name, field.c_str());
      found = true;
    }
    if (!found) {
      fprintf(stderr, "reader_probe: no reader %s\n", argv[i]);
      return 2;
    }
  }
  return 0;
}
