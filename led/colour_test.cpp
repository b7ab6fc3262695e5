// All LEDs in one colour, or off.
#include "led.h"

void ctrlAllLED() {}
