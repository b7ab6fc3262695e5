// xDSL line state, rates and modem code version of line 0, asked of the
// xDSL control library directly.
#include <cstdio>
#include <cstring>

#include "info.h"

// A failed call leaves the library's record unfilled. Rather than show
// whatever was on the stack, the line then counts as down with no rate.
static ADSL_CONNECTION_INFO connectionInfo()
{
  ADSL_CONNECTION_INFO adslConnInfo;

  memset(&adslConnInfo, 0, sizeof(adslConnInfo));
  if (xdslCtl_GetConnectionInfo(0, &adslConnInfo) != CMSRET_SUCCESS) {
    memset(&adslConnInfo, 0, sizeof(adslConnInfo));
    adslConnInfo.LinkState = BCM_ADSL_LINK_DOWN;
  }
  return adslConnInfo;
}

// Only state 0 is up; every training and event state counts as down.
void GetADSL_LinkState(BOOL bPrintFlag)
{
  ADSL_CONNECTION_INFO adslConnInfo = connectionInfo();

  if (bPrintFlag == 1) puts(adslConnInfo.LinkState == BCM_ADSL_LINK_UP ? "UP" : "DOWN");
}

// Only the interleaved path is reported, truncated to whole kilobits; a line
// on the fast path alone shows 0 Kbps. The SDK's UINT32 may be an unsigned
// long, so the rate is taken as one.
static void storeRate(unsigned long bitsPerSecond, char *field, BOOL bPrintFlag)
{
  snprintf(field, sizeof(sHiddenInfo_st.ADSL_DownStream_Rate), "%lu Kbps", bitsPerSecond / 1000);
  printField(field, WITH_LINE_END, bPrintFlag);
}

void GetADSL_Downlink(BOOL bPrintFlag)
{
  storeRate(connectionInfo().ulInterleavedDnStreamRate, sHiddenInfo_st.ADSL_DownStream_Rate, bPrintFlag);
}

void GetADSL_Uplink(BOOL bPrintFlag)
{
  storeRate(connectionInfo().ulInterleavedUpStreamRate, sHiddenInfo_st.ADSL_UpStream_Rate, bPrintFlag);
}

// A failed call gives an empty version. The library's text is read up to its
// terminator but never past its 32 bytes.
void GetADSL_Version(BOOL bPrintFlag)
{
  adslVersionInfo adslVer;
  char *field = sHiddenInfo_st.ADSL_Code_Version;

  memset(&adslVer, 0, sizeof(adslVer));
  if (xdslCtl_GetVersion(0, &adslVer) != CMSRET_SUCCESS) adslVer.phyVerStr[0] = 0;
  snprintf(field, sizeof(sHiddenInfo_st.ADSL_Code_Version), "%.*s",
           (int)sizeof(adslVer.phyVerStr), adslVer.phyVerStr);
  printField(field, WITH_LINE_END, bPrintFlag);
}
