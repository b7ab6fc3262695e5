// VoIP test mode: the voice service in or out of its test state.
#include "store/store.h"
#include "testmode.h"

// Entering the test state puts the voice configuration back to its
// defaults, saves it and restarts the service on it; leaving it only stops
// the service. A connection that cannot be opened ends the process before
// any voice call.
void SetVoipTestMode(BOOL bEnable)
{
  if (storeOpen("SetVoipTestMode", &msgHandle) != CMSRET_SUCCESS) return;
  if (bEnable == 1) {
    dalVoice_SetDefaults(nullptr, nullptr);
    dalVoice_Save();
    dalVoice_vodslStop(msgHandle);
    dalVoice_vodslStart(msgHandle);
  } else {
    dalVoice_vodslStop(msgHandle);
  }
  storeClose("SetVoipTestMode", &msgHandle);
}
