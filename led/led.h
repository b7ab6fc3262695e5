// LEDs and the Ethernet switch: the product table, register access, the
// link-LED routines, LAN LED switching and the all-LED colour test.
#ifndef TARNEL_LED_H
#define TARNEL_LED_H

#include <string>

enum { INT_SWITCH = 0, EXT_SWITCH = 1, INT_EXT_SWITCH = 2, FOR_2150 = 3 };

enum {
  LED_0, LED_1, LED_2, LED_3, LED_4, LED_5, LED_6, LED_7, LED_8,
  LED_9, LED_10, LED_11, LED_12, LED_13, LED_14, LED_15, LED_16
};

typedef struct {
  char name[20];
  const int *productArray;
  int exSwitch;
} PRODUCTINFO_ST;

// products.cpp
extern const PRODUCTINFO_ST productInfo_st[6];
extern int ledAct;

// registers.cpp: addresses and values are unsigned 32-bit numbers (SoC
// addresses lie above 0x7fffffff).
char hex(char v);
unsigned int asctohex(char *str);
unsigned int checkReg(int offset);
unsigned long readIntRegValue(unsigned int addr);
// The register's value from its dumpmem line; 0 from an empty one.
unsigned long dumpmemValue(const char *line);

// routines.cpp
void internalSwitch(unsigned char num);
void externalSwitch(unsigned char num);
void intAndextSwitch(unsigned char num);
void specialCase_2150(unsigned char num);
void extLEDtoBlink();
void ctrl_GigaLED();
unsigned int chkLinkPortSpeed();
// The speed code shared by the linked ports, from the two switch registers.
unsigned int commonPortSpeed(unsigned int linkport, unsigned int speed);

// lan_led.cpp
void trun_LAN_LED(std::string act);
void trunOnLED();

// colour_test.cpp: all LEDs in the colour of -F, on or off by -E.
void ctrlAllLED();

#endif
