// Test modes: the button test mode with its record, and the VoIP test mode.
#ifndef TARNEL_TESTMODE_H
#define TARNEL_TESTMODE_H

#include "platform/platform.h"

// buttons.cpp
void SetButtonTestMode(int mode);
void ShowButtonStatus();

// voip.cpp
void SetVoipTestMode(BOOL bEnable);

#endif
