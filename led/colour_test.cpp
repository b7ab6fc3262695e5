// All LEDs in one colour, or off.
#include <cstdio>

#include "cli/cli.h"
#include "info/info.h"
#include "led.h"

// The platform's LED calls are called, not taken by address: the SDK may
// declare their flag as a byte, or make a call a macro.
static void allBlue(int on) { cmsLed_ContrlAllBlueLED(on); }
static void allRed(int on) { cmsLed_ContrlAllRedLED(on); }
static void allOrange(int on) { cmsLed_ContrlAllOrangeLED(on); }

// Each colour's register writes when switched on and off, and the platform
// call that switches all LEDs of that colour (green and All have none).
// Register fffe8118 carries blue (bit 31) and red (bit 2); fffe87b8 the
// orange and green fields.
static const struct {
  const char *code;
  const char *on[2];
  const char *off[2];
  void (*all)(int on);
} colours[] = {
    {"B", {"sw fffe8118 80000000"}, {"sw fffe8118 0"}, allBlue},
    {"R", {"sw fffe8118 4"}, {"sw fffe8118 0"}, allRed},
    {"O", {"sw fffe8118 0", "sw 0xfffe87b8 0x2000aa"}, {"sw fffe8118 0", "sw 0xfffe87b8 0x0"},
     allOrange},
    {"G", {"sw fffe8118 0", "sw 0xfffe87b8 0x100055"}, {"sw fffe8118 0", "sw 0xfffe87b8 0x0"},
     nullptr},
    {"All", {"sw fffe87b8 ffffff", "sw fffe8118 80000004"}, {"sw fffe87b8 0", "sw fffe8118 0"},
     nullptr},
};

void ctrlAllLED()
{
  runCmd("sw 0xfffe8708 0x0");
  runCmd("sw 0xfffe87b8 0x0");
  // only the exact "on" switches on
  int on = ledAll == "on" ? 1 : 0;
  runCmd("sw fffe8104 80000004");

  for (const auto &c : colours) {
    if (color != c.code) continue;
    for (const char *line : on ? c.on : c.off)
      if (line) runCmd(line);
    if (c.all) c.all(on);
    return;
  }
  // the three common writes stay as they are
  puts("Error!");
}
