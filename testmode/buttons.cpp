// Button test mode and the button record.
#include "testmode.h"

void SetButtonTestMode(int) {}
void ShowButtonStatus() {}
