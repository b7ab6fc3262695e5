// The hidden-information report: every reader in one run, shown as the
// readers print it (plain) or as one line of label/value pairs (web).
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "cli/cli.h"
#include "info.h"
#include "params/params.h"
#include "store/store.h"

// The readers share their scratch buffers, so they run one after the other,
// in this order (not the record's).
static void (*const readers[])(BOOL) = {
    GetCoexist, GetCoexist_5G, GetFW_Version, GetSerialNumber, GetSSID, Getpassphrase,
    GetDataRate, GetChannel, GetSSID_5G, Getpassphrase_5G, GetDataRate_5G, GetChannel_5G,
    GetWlanMAC, GetWlanMAC_5G, GetLanMAC, GetWAN_MAC_1, GetWAN_MAC_2, GetWAN_MAC_3,
    GetPIN, GetRegion, GetLanguage, GetBoard_HW_ID, DoSysModelID, GetWlan24GStatus,
    GetWlan5GStatus, GetBootLoader_Version, GetADSL_Version, GetWLAN_Version,
    GetADSL_Downlink, GetADSL_Uplink, GetBuildTime, GetDECT_Version, GetDECT_RFPI,
    GetDECT_Handset, GetFactoryMode, GetStartPage, GetWAN_1_LinkStatus,
    GetWAN_2_LinkStatus, GetWAN_3_LinkStatus,
};

// The web line's pairs in record order. Values go in as they stand: the
// pages expect no quoting, so an apostrophe or a comma passes unchanged.
static const struct {
  const char *format;
  char *field;
} webPairs[] = {
    {"'FW Version:':'%s',", sHiddenInfo_st.FW_Version},
    {"'Serial number:':'%s',", sHiddenInfo_st.SerialNumber},
    {"'2.4G SSID:':'%s',", sHiddenInfo_st.SSID_2_4G},
    {"'2.4G PassPhrase:':'%s',", sHiddenInfo_st.PassPhrase_2_4G},
    {"'2.4G Data rate:':'%s',", sHiddenInfo_st.DataRate_2_4G},
    {"'2.4G Channel:':'%s',", sHiddenInfo_st.Channel_2_4G},
    {"'2.4G Coexist:':'%s',", sHiddenInfo_st.Coexist_2_4G},
    {"'5G SSID:':'%s',", sHiddenInfo_st.SSID_5G},
    {"'5G PassPhrase:':'%s',", sHiddenInfo_st.PassPhrase_5G},
    {"'5G Data rate:':'%s',", sHiddenInfo_st.DataRate_5G},
    {"'5G Channel:':'%s',", sHiddenInfo_st.Channel_5G},
    {"'5G Coexist:':'%s',", sHiddenInfo_st.Coexist_5G},
    {"'2.4G WLAN MAC:':'%s',", sHiddenInfo_st.WLAN_MAC_2_4G},
    {"'5G WLAN MAC:':'%s',", sHiddenInfo_st.WLAN_MAC_5G},
    {"'LAN MAC:':'%s',", sHiddenInfo_st.LAN_MAC},
    {"'WAN MAC 1:':'%s',", sHiddenInfo_st.WAN_MAC_1},
    {"'WAN MAC 2:':'%s',", sHiddenInfo_st.WAN_MAC_2},
    {"'WAN MAC 3:':'%s',", sHiddenInfo_st.WAN_MAC_3},
    {"'PIN Code:':'%s',", sHiddenInfo_st.PINCode},
    {"'Region:':'%s',", sHiddenInfo_st.Region},
    {"'Language:':'%s',", sHiddenInfo_st.Language},
    {"'Board HW ID:':'%s',", sHiddenInfo_st.Board_HW_ID},
    {"'Board Model ID:':'%s',", sHiddenInfo_st.Board_Model_ID},
    {"'2.4GWLAN Status:':'%s',", sHiddenInfo_st.WLAN_Status_2_4G},
    {"'5GWLAN Status:':'%s',", sHiddenInfo_st.WLAN_Status_5G},
    {"'Bootloader Version:':'%s',", sHiddenInfo_st.BootLoader_Version},
    {"'ADSL Modem Code Version:':'%s',", sHiddenInfo_st.ADSL_Code_Version},
    {"'WLAN Version:':'%s',", sHiddenInfo_st.WLAN_Driver_Version},
    {"'ADSL downstream link rate:':'%s',", sHiddenInfo_st.ADSL_DownStream_Rate},
    {"'ADSL upstream link rate:':'%s',", sHiddenInfo_st.ADSL_UpStream_Rate},
    {"'Build time:':'%s',", sHiddenInfo_st.FW_Build_Time},
    {"'DECT Version:':'%s',", sHiddenInfo_st.DECT_Version},
    {"'DECT RFPI:':'%s',", sHiddenInfo_st.DECT_RFPI},
    {"'DECT Handset:':'%s',", sHiddenInfo_st.DECT_Handset},
    {"'FACTORY MODE:':'%s',", sHiddenInfo_st.FactoryMode},
    {"'Start Page:':'%s',", sHiddenInfo_st.StartPage},
    {"'WAN1 link status:':'%s',", sHiddenInfo_st.WAN1_LinkSt},
    {"'WAN2 link status:':'%s',", sHiddenInfo_st.WAN2_LinkSt},
    {"'WAN3 link status:':'%s',", sHiddenInfo_st.WAN3_LinkSt},
};

// Removes one line end from the end of word, no more.
char *rmNewLine(char *word)
{
  size_t n = strlen(word);

  if (n >= 1 && word[n - 1] == '\n') word[n - 1] = 0;
  return word;
}

// The leading number of a text, as atoi reads it, but held to the range of
// an int instead of overflowing: any non-zero number stays non-zero.
static int leadingNumber(const char *text)
{
  long v = strtol(text ? text : "", nullptr, 10);

  if (v > INT_MAX) return INT_MAX;
  if (v < INT_MIN) return INT_MIN;
  return (int)v;
}

// Whether the web pages may show the report: the store's wizard_first, or
// the store's error code (which also lets the report through).
int getWizardFirst()
{
  InstanceIdStack iidStack;
  TempPool1CfgObject *obj = nullptr;
  int result;

  CmsRet ret = storeOpen("getWizardFirst", &msgHandle);
  if (ret != CMSRET_SUCCESS) return ret;
  INIT_INSTANCE_ID_STACK(&iidStack);
  ret = cmsObj_get(MDMOID_TEMP_POOL_1_CFG, &iidStack, 0, (void **)&obj);
  if (ret != CMSRET_SUCCESS) {
    printf("could not get TEMP_POOL_CFG, ret=%d\n", (int)ret);
    result = (int)ret;
  } else {
    result = leadingNumber(obj->wizard_first);
  }
  cmsObj_free((void **)&obj);
  storeClose("getWizardFirst", &msgHandle);
  return result;
}

// One line "[{...}]" with every pair, the last one keeping its comma; or
// "NULL" without a line end while the setup wizard has not run.
void printWeb()
{
  if (getWizardFirst() == 0) {
    fputs("NULL", stdout);
    return;
  }
  fputs("[{", stdout);
  for (const auto &pair : webPairs) printf(pair.format, rmNewLine(pair.field));
  puts("}]");
}

void GetHiddenInfoData(BOOL bPrinfFlag)
{
  for (auto reader : readers) reader(bPrinfFlag);
  if (web == 1) printWeb();
}
