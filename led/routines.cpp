// The link-LED routine of each switch arrangement. Every command runs as
// soon as it is built: each writes a hardware register, so their order is
// what the hardware sees.
#include <cstdio>
#include <cstring>

#include "info/info.h"
#include "led.h"

// LEDs of the KR8800's SoC controller: the same registers as the KR4410's.
static const unsigned int KR8800_LED_REG = 0xb0001904;

// What a request writes: the on value only for "enable", the off value for
// "disable" and for anything else.
static unsigned int onOrOff(unsigned int on, unsigned int off)
{
  return ledAct == 1 ? on : off;
}

static void spiWrite(int reg, unsigned int data)
{
  runf("ethswctl -c spiaccess -x %#x -l 2 -d %#x", (unsigned int)reg, data);
}

// The fixed data words are written as the switch documents them, four
// digits with 0x.
static void spiWriteFixed(int reg, const char *data)
{
  runf("ethswctl -c spiaccess -x %#x -l 2 -d %s", (unsigned int)reg, data);
}

static void socWrite(unsigned long addr, unsigned long value)
{
  runf("sw %#lx  %#lx ", addr, value);
}

// An internal LED's 2-bit field: LED n of 0 to 7 at bits 2n of the register
// at base, LED n of 8 and up at bits 2(n-8) of the register at base + 4.
// The field is added to the value kept for that register, and the whole
// value is written, so each write carries every field set so far.
static void setLedField(unsigned int base, int n, unsigned long field, unsigned long &low,
                        unsigned long &high)
{
  if (n <= LED_7) {
    low |= field << (2 * n);
    socWrite(base, low);
  } else {
    high |= field << (2 * (n - 8));
    socWrite(base + 4, high);
  }
}

void extLEDtoBlink()
{
  runf("ethswctl -c spiaccess -x 0x0018 -l 2 -d %#x", onOrOff(0, 0x1ff));
}

void ctrl_GigaLED()
{
  for (int reg = 0x58; reg <= 0x5c; reg++) spiWrite(reg, onOrOff(0x4b, 0xa));
}

// linkport holds a link bit per port, speed a 2-bit speed code per port;
// ports 0 to 4 count.
unsigned int commonPortSpeed(unsigned int linkport, unsigned int speed)
{
  unsigned char sp[5] = {0xFF, 0, 0, 0, 0};
  int k = 0;

  for (int i = 0; i < 5; i++)
    if (linkport >> i & 1) sp[k++] = speed >> (2 * i) & 3;
  // no linked port gives 0xFF, linked ports of different speeds too
  for (int i = 1; i < k; i++)
    if (sp[i] != sp[0]) return 0xFF;
  return sp[0];
}

// The switch register 0x0100 holds the link bits, 0x0104 the speed codes;
// both are read as four hex digits from column 19 of the read command's
// line. The buffer is cleared before the first read only: a short second
// line leaves the rest of the first in place, and a second read that
// cannot start parses the first line again.
unsigned int chkLinkPortSpeed()
{
  char buf[50];

  memset(buf, 0, sizeof(buf));
  readLine("ethswctl -c spiaccess -x 0x0100 -l 2", buf, sizeof(buf));
  unsigned int linkport = asctohex(buf + 19);
  readLine("ethswctl -c spiaccess -x 0x0104 -l 2", buf, sizeof(buf));
  return commonPortSpeed(linkport, asctohex(buf + 19));
}

void internalSwitch(unsigned char num)
{
  unsigned long ledOn = onOrOff(3, 0);
  unsigned int regAddr = checkReg(num), regAddr_1 = regAddr + 4;
  unsigned long value = 0, value_1 = 0;

  // Switching on keeps the other LEDs' fields; switching off clears them all.
  if (ledOn == 3) {
    value = readIntRegValue(regAddr);
    value_1 = readIntRegValue(regAddr_1);
  }
  for (const int *n = productInfo_st[num].productArray; *n >= 0; n++)
    setLedField(regAddr, *n, ledOn, value, value_1);
  runCmd(ledAct == 0 ? "sw 0xb00000dc 0x10" : "sw 0xb00000dc 0x0");
}

void externalSwitch(unsigned char num)
{
  const int *list = productInfo_st[num].productArray;

  for (const int *reg = list; *reg != -1; reg++) spiWrite(*reg, onOrOff(0x43, 0xa));
  for (const int *reg = list; *reg != -1; reg++) spiWrite(*reg, onOrOff(0x4b, 0xa));
  extLEDtoBlink();
}

void intAndextSwitch(unsigned char num)
{
  unsigned long ledOn = onOrOff(3, 0);
  // one value serves both internal registers; their contents are not read
  unsigned long value = 0;

  for (const int *n = productInfo_st[num].productArray; *n != -1; n++) {
    if (*n > LED_16) {
      spiWrite(*n, onOrOff(0x43, 0xa));
      spiWrite(*n, onOrOff(0x4b, 0xa));
    } else {
      setLedField(KR8800_LED_REG, *n, ledOn, value, value);
    }
  }
  extLEDtoBlink();
}

// MTX-2150: register list entry 0 and 1 with fixed words, the second by the
// speed of the linked ports; the gigabit LEDs follow a gigabit link.
void specialCase_2150(unsigned char num)
{
  const int *reg = productInfo_st[num].productArray;
  unsigned int linkspeed = chkLinkPortSpeed();

  if (ledAct == 1) {
    spiWriteFixed(reg[0], "0x008b");
    if (linkspeed == 0 || linkspeed == 1) {
      spiWriteFixed(reg[1], "0x8324");
    } else if (linkspeed == 2) {
      spiWriteFixed(reg[1], "0x8124");
      ctrl_GigaLED();
    } else if (linkspeed == 0xFF) {
      puts("Two Difference Speed To Link!\r");
    }
    runCmd("sw -k 0xb000009c 0x0");
    return;
  }
  spiWriteFixed(reg[0], "0x0083");
  spiWriteFixed(reg[1], "0x0324");
  if (linkspeed == 2) ctrl_GigaLED();
  runCmd(ledAct == 2 ? "sw -k 0xb000009c 0x0" : "sw -k 0xb000009c 0x2");
}
