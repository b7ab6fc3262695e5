// LED control, the voice service, the xDSL line and the WAN port.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "call.h"
#include "layout.h"

static CmsRet ledCall(const char *function, const char *colour, int on)
{
  CmsRet ret = (CmsRet)call(function, std::to_string(on));

  if (!ret) writeFile(std::string("/var/dutsim/led/") + colour, std::to_string(on));
  return ret;
}

CmsRet cmsLed_ContrlAllBlueLED(LedOnOff on)
{
  return ledCall("cmsLed_ContrlAllBlueLED", "blue", on);
}

CmsRet cmsLed_ContrlAllRedLED(LedOnOff on)
{
  return ledCall("cmsLed_ContrlAllRedLED", "red", on);
}

CmsRet cmsLed_ContrlAllOrangeLED(LedOnOff on)
{
  return ledCall("cmsLed_ContrlAllOrangeLED", "orange", on);
}

// The voice service: its state (running or stopped) and whether its
// configuration is at the defaults, saved or not. As on the gateway, the
// configuration changes only under the store lock, and the service is
// stopped and started through the messaging of an open connection; a call
// without them fails and changes nothing.
static CmsRet voiceCall(const char *function, bool allowed, const char *file,
                        const std::string &value)
{
  CmsRet ret = (CmsRet)call(function);

  if (!ret && !allowed) ret = (CmsRet)DUT_INTERNAL_ERROR;
  if (!ret) writeFile(std::string("/var/dutsim/voice/") + file, value);
  return ret;
}

CmsRet dalVoice_SetDefaults(void *, void *)
{
  return voiceCall("dalVoice_SetDefaults", lockHeld(), "config", "defaults");
}

CmsRet dalVoice_Save(void)
{
  return voiceCall("dalVoice_Save", lockHeld(), "saved", readValue("/var/dutsim/voice/config"));
}

CmsRet dalVoice_vodslStop(void *msgHandle)
{
  return voiceCall("dalVoice_vodslStop", messagingOpen(msgHandle), "state", "stopped");
}

CmsRet dalVoice_vodslStart(void *msgHandle)
{
  return voiceCall("dalVoice_vodslStart", messagingOpen(msgHandle), "state", "running");
}

static UINT32 lineValue(const char *field)
{
  return (UINT32)strtoul(readValue(std::string("/var/dutsim/xdsl/") + field, "0").c_str(), nullptr, 10);
}

CmsRet xdslCtl_GetConnectionInfo(unsigned char lineId, ADSL_CONNECTION_INFO *info)
{
  CmsRet ret = (CmsRet)call("xdslCtl_GetConnectionInfo", std::to_string(lineId));

  if (ret) return ret;
  memset(info, 0, sizeof(*info));
  fillOtherFields(info);
  // the modem reports no state beyond the last training state
  UINT32 state = lineValue("LinkState");
  info->LinkState = state > BCM_ADSL_LINK_LAST_STATE ? BCM_ADSL_LINK_DOWN : (ADSL_LINK_STATE)state;
  info->ulFastUpStreamRate = lineValue("ulFastUpStreamRate");
  info->ulFastDnStreamRate = lineValue("ulFastDnStreamRate");
  info->ulInterleavedUpStreamRate = lineValue("ulInterleavedUpStreamRate");
  info->ulInterleavedDnStreamRate = lineValue("ulInterleavedDnStreamRate");
  return CMSRET_SUCCESS;
}

CmsRet xdslCtl_GetVersion(unsigned char lineId, adslVersionInfo *ver)
{
  CmsRet ret = (CmsRet)call("xdslCtl_GetVersion", std::to_string(lineId));

  if (ret) return ret;
  memset(ver, 0, sizeof(*ver));
  fillOtherFields(ver);
  std::string v = readValue("/var/dutsim/xdsl/phyVerStr");
  // Like the modem's own library: a version of 32 characters or more fills
  // the text without a terminator, and the driver fields follow it directly.
  ver->phyType = 1;
  ver->phyMjVerNum = 6;
  ver->phyMnVerNum = 39;
  memcpy(ver->phyVerStr, v.data(), std::min(v.size(), sizeof(ver->phyVerStr)));
  ver->drvMjVerNum = 4;
  ver->drvMnVerNum = 16;
  strcpy(ver->drvVerStr, "4.16L.04");
  return CMSRET_SUCCESS;
}

int getWANSpeed(void)
{
  int ret = call("getWANSpeed");

  return ret ? ret : atoi(readValue("/var/dutsim/wan/speed", "99").c_str());
}
