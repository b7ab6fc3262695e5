// The link-LED routine of each switch arrangement.
#include "led.h"

void internalSwitch(unsigned char) {}
void externalSwitch(unsigned char) {}
void intAndextSwitch(unsigned char) {}
void specialCase_2150(unsigned char) {}
void extLEDtoBlink() {}
void ctrl_GigaLED() {}
unsigned int chkLinkPortSpeed() { return 0; }
