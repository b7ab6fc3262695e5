// VoIP test mode: the voice service in or out of its test state.
#include "testmode.h"

void SetVoipTestMode(BOOL) {}
