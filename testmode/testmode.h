// Test modes: the button test mode with its record, and the VoIP test mode.
#ifndef TARNEL_TESTMODE_H
#define TARNEL_TESTMODE_H

#include <cstdio>

#include "platform/platform.h"

// buttons.cpp
void SetButtonTestMode(int mode);
void ShowButtonStatus();
// The record's items, one a line, from the record file's stream.
void showButtonRecord(FILE *fp);

// voip.cpp
void SetVoipTestMode(BOOL bEnable);

#endif
