// LAN LEDs of the identified model on or off.
#include "led.h"

void trun_LAN_LED(std::string) {}
void trunOnLED() {}
