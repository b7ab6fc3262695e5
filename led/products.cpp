// The models, their LAN LEDs and how the LEDs are wired.
#include "led.h"

const PRODUCTINFO_ST productInfo_st[6] = {};
int ledAct;
