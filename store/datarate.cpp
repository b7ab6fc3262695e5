// WLAN link rates: not measured, but looked up from each radio's configured
// channel bandwidth (and, on 2.4 GHz, its mode) in the configuration store.
#include <cstdio>
#include <cstring>
#include <iostream>

#include "info/info.h"
#include "store.h"

const char *bandwithStr[3] = {"20MHz", "40MHz", "80MHz"};

// Position of a bandwidth name in bandwithStr, compared exactly; dflt when
// the name is not there (an empty one included).
static int bandwidthIndex(const char *bandwidth, int dflt)
{
  for (int i = 0; i < 3; i++)
    if (bandwidth && !strcmp(bandwithStr[i], bandwidth)) return i;
  return dflt;
}

// 2.4 GHz, in Mbps. Rows are the bandwidth index; the mode picks the column:
// -2 and -1 are the legacy modes, 0 and 1 the n modes, anything else has no
// rate.
float dataRate_Map_MCSIDX(int bandwidth, int mcsidx)
{
  static const float rates[3][2] = {{54, 289}, {0, 600}, {0, 600}};

  if (bandwidth < 0 || bandwidth > 2) return 0;
  if (mcsidx == -2 || mcsidx == -1) return rates[bandwidth][0];
  if (mcsidx == 0 || mcsidx == 1) return rates[bandwidth][1];
  return 0;
}

// 5 GHz, in Mbps: the bandwidth alone decides.
int dataRate_Map_MCSIDX5g(int bandwidth, int)
{
  static const int rates[3] = {481, 1000, 2167};

  if (bandwidth < 0 || bandwidth > 2) {
    printf("Bandwidth %d out of range\n", bandwidth);
    return 0;
  }
  return rates[bandwidth];
}

// The first radio in the store is the 2.4 GHz one. Without it the table is
// read with bandwidth 0 and mode 0.
int get_nmode_dataRate()
{
  void *handle = nullptr;
  InstanceIdStack iidStack;
  Dev2WifiRadioObject *obj = nullptr;
  int bandwidth = 0, mode = 0;

  if (storeOpen("get_nmode_dataRate", &handle) != CMSRET_SUCCESS) return -1;
  // made empty the SDK's way: an empty stack need not be all zeros
  INIT_INSTANCE_ID_STACK(&iidStack);
  CmsRet ret = cmsObj_getNextFlags(MDMOID_DEV2_WIFI_RADIO, &iidStack, 0, (void **)&obj);
  if (ret != CMSRET_SUCCESS) {
    printf("failed to get MDMOID_DEV2_WIFI_RADIO, ret=%d\n", (int)ret);
  } else {
    bandwidth = bandwidthIndex(obj->operatingChannelBandwidth, 0);
    mode = obj->wl11Mode;
  }
  cmsObj_free((void **)&obj);
  storeClose("get_nmode_dataRate", &handle);
  return (int)dataRate_Map_MCSIDX(bandwidth, mode);
}

// The 5 GHz radio is the one named "wl1", wherever it stands; every radio is
// looked at and the last "wl1" wins. None at all reads as bandwidth 0.
int get_nmode_dataRate5g()
{
  void *handle = nullptr;
  InstanceIdStack iidStack;
  Dev2WifiRadioObject *obj = nullptr;
  char ifName[128] = "wl1";
  int bandwidth = 0, mcs = 0;

  if (storeOpen("get_nmode_dataRate5g", &handle) != CMSRET_SUCCESS) return -1;
  INIT_INSTANCE_ID_STACK(&iidStack);
  while (cmsObj_getNext(MDMOID_DEV2_WIFI_RADIO, &iidStack, (void **)&obj) == CMSRET_SUCCESS) {
    if (!cmsUtl_strcmp(obj->name, ifName)) {
      bandwidth = bandwidthIndex(obj->operatingChannelBandwidth, bandwidth);
      mcs = obj->MCS;
    }
    cmsObj_free((void **)&obj);
  }
  storeClose("get_nmode_dataRate5g", &handle);
  return dataRate_Map_MCSIDX5g(bandwidth, mcs);
}

static void printRate(const char *field, BOOL bPrintFlag)
{
  if (bPrintFlag == 1) std::cout << "Up to " << field << std::endl;
}

// A store that cannot be opened gives -1, so the field reads "-1 Mbps".
void GetDataRate(BOOL bPrintFlag)
{
  char *field = sHiddenInfo_st.DataRate_2_4G;

  snprintf(field, sizeof(sHiddenInfo_st.DataRate_2_4G), "%d Mbps", get_nmode_dataRate());
  printRate(field, bPrintFlag);
}

// No rate at all means no 5 GHz radio to speak of: "N/A". Any other first
// answer is confirmed by asking the store once more, and the second answer
// is the one shown.
void GetDataRate_5G(BOOL bPrintFlag)
{
  char *field = sHiddenInfo_st.DataRate_5G;

  if (get_nmode_dataRate5g() == 0)
    strcpy(field, "N/A");
  else
    snprintf(field, sizeof(sHiddenInfo_st.DataRate_5G), "%d Mbps", get_nmode_dataRate5g());
  printRate(field, bPrintFlag);
}
