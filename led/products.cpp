// The models, their LAN LEDs and how the LEDs are wired.
#include "led.h"

// An entry up to LED_16 is an LED of the SoC's own controller, a larger one
// a register of the external switch (0x58 to 0x5c drive its port LEDs).
static const int kr4410_ta[] = {LED_9, LED_10, LED_11, LED_12, LED_15, -1};
static const int pz7720e_ta[] = {LED_4, LED_5, LED_6, LED_7, -1};
// the two switch registers the MTX-2150 routine writes, in its order
static const int mtx2150_ta[] = {0xf, 0x12, -1};
static const int mtx2450_ta[] = {0x58, 0x59, 0x5a, 0x5b, 0x5c, -1};
static const int kr8800_ta[] = {0x59, 0x5a, 0x5b, 0x5c, LED_12, -1};

// The row named "NULL" ends the table; it is never selected.
const PRODUCTINFO_ST productInfo_st[6] = {
    {"KR4410", kr4410_ta, INT_SWITCH},
    {"PZ7720E", pz7720e_ta, INT_SWITCH},
    {"MTX-2150", mtx2150_ta, FOR_2150},
    {"MTX-2450", mtx2450_ta, EXT_SWITCH},
    {"KR8800", kr8800_ta, INT_EXT_SWITCH},
    {"NULL", nullptr, 0},
};

// 1 on, 0 off, 2 any other request (handled as off, with two exceptions)
int ledAct;
