// The radios: the 2.4 GHz SSID, channels, coexistence, radio state and the
// WPS station PIN.
#include <cstdlib>
#include <cstring>

#include "info.h"

// The last line the WPS PIN reader read. It is kept apart from the WPS_PIN
// option value, which staging writes later in the same run.
static std::string wpsStaPin;

// A staged SSID wins over the stored one until its file is removed; it is
// shown cut to 31 characters, and always with one line end.
void GetSSID(BOOL bPrintFlag)
{
  char *field = sHiddenInfo_st.SSID_2_4G;

  if (canRead("/tmp/SSID_2_4G.txt")) {
    char ssidBuf[32];

    memset(ssidBuf, 0, sizeof(ssidBuf));
    readLine("cat /tmp/SSID_2_4G.txt", ssidBuf, sizeof(ssidBuf));
    // 31 characters and the line end fill all 32 bytes: copy by length
    size_t n = strlen(ssidBuf);
    ssidBuf[n] = '\n';
    memcpy(field, ssidBuf, n + 1);
    field[n + 1] = 0;
  } else {
    firstLine("nvram get wl0_ssid", field);
  }
  showField(field, NA_NEWLINE, AS_STORED, bPrintFlag);
}

// Channel 0 is automatic selection. The 5 GHz reader prints any other
// value whatever the flag says, "N/A" when there is none.
static void readChannel(const char *command, char *field, bool is5G, BOOL bPrintFlag)
{
  firstLine(command, field);
  if (field[0] == '0') {
    strcpy(field, "Auto(0)\n");
    printField("Auto(0)", WITH_LINE_END, bPrintFlag);
  } else if (is5G) {
    showField(field, NA_EMPTY, AS_STORED, 1);
  } else {
    printField(field, AS_STORED, bPrintFlag);
  }
}

void GetChannel(BOOL p) { readChannel("nvram get wl0_channel", sHiddenInfo_st.Channel_2_4G, false, p); }
void GetChannel_5G(BOOL p) { readChannel("nvram get wl1_channel", sHiddenInfo_st.Channel_5G, true, p); }

// The driver answers 0 or 1; only 1 counts as on, an empty or odd answer
// as off. A wl that cannot be started leaves the field as it was.
static void readCoexist(const char *command, char *field, BOOL bPrintFlag)
{
  static const char *coex_status[2] = {"disable", "enable"};

  if (readLine(command, tmpstr, sizeof(tmpstr))) strcpy(field, coex_status[atoi(tmpstr) == 1]);
  printField(field, WITH_LINE_END, bPrintFlag);
}

void GetCoexist(BOOL p) { readCoexist("wl -i wl0 obss_coex", sHiddenInfo_st.Coexist_2_4G, p); }
void GetCoexist_5G(BOOL p) { readCoexist("wl -i wl1 obss_coex", sHiddenInfo_st.Coexist_5G, p); }

// Only a radio switched off ("0") is disabled; no answer counts as on.
// When nvram cannot be started the previous reading stands.
static void readRadio(const char *command, char *field, BOOL bPrintFlag)
{
  if (readLine(command, tmpstr, sizeof(tmpstr))) Wlanstatus = tmpstr;
  std::string state = Wlanstatus;
  if (!state.empty() && state.back() == '\n') state.pop_back();
  strcpy(field, state == "0" ? "disable" : "enable");
  printField(field, WITH_LINE_END, bPrintFlag);
}

void GetWlan24GStatus(BOOL p) { readRadio("nvram get wl0_radio", sHiddenInfo_st.WLAN_Status_2_4G, p); }
void GetWlan5GStatus(BOOL p) { readRadio("nvram get wl1_radio", sHiddenInfo_st.WLAN_Status_5G, p); }

// Always prints: an unset PIN prints nothing, an empty one "N/A".
void GetWPS_PIN()
{
  if (readLine("nvram get wps_sta_pin", tmpstr, sizeof(tmpstr))) wpsStaPin = tmpstr;
  if (wpsStaPin == "\n")
    printField("N/A", WITH_LINE_END, 1);
  else
    printField(wpsStaPin.c_str(), AS_STORED, 1);
}
