// What a test fixture does to a real unit, as device commands: btnpress
// presses a button, ledstate says which LEDs are lit, reboot cycles the
// power.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "cmds.h"

static std::string firstLine(const std::string &path)
{
  std::string v = readValue(path);

  return v.substr(0, v.find('\n'));
}

// The count of a button in the record's items "NAME:N&"; 0 when it has none.
static long recordedPresses(const std::string &record, const std::string &name)
{
  size_t at = ("&" + record).find("&" + name + ":");

  return at == std::string::npos ? 0 : atol(record.c_str() + at + name.size() + 1);
}

// A press while the driver is in test mode: its count goes up by one and
// the record lists every button of the model with its presses since the
// count was last 0 (a count of 0 starts a fresh record).
int btnpress_main(int argc, char **argv)
{
  if (argc != 2) return usage("btnpress NAME");
  std::string model = readValue("/var/dutsim/model"), all;
  std::vector<std::string> buttons = modelButtons(model);
  bool known = false;

  for (const auto &b : buttons) {
    known = known || b == argv[1];
    all += " " + b;
  }
  if (!known) {
    fprintf(stderr, "btnpress: the %s has no button %s (it has%s)\n", model.c_str(), argv[1],
            all.c_str());
    return 2;
  }
  if (firstLine("/proc/BtnMode") != "1") {
    fprintf(stderr, "btnpress: button test mode is off; the press changes nothing\n");
    return 1;
  }
  long count = atol(readValue("/proc/BtnCnt").c_str());
  std::string old = count > 0 ? firstLine("/tmp/button.txt") : "", record;
  for (const auto &b : buttons)
    record += b + ":" + std::to_string(recordedPresses(old, b) + (b == argv[1])) + "&";
  bool ok = writeFile("/proc/BtnCnt", std::to_string(count + 1) + "\n") &&
            writeFile("/tmp/button.txt", record + "\n");
  return ok ? 0 : 1;
}

static const char *onOff(bool on)
{
  return on ? "on" : "off";
}

// Colour LEDs as the LED platform calls left them.
static std::string colourLed(const char *colour)
{
  return onOff(readValue(std::string("/var/dutsim/led/") + colour) == "1");
}

// Every green field of the colour register (0x100055, as the colour test
// writes it) set.
static std::string greenLed(const char *)
{
  return onOff(registerBitsSet("/var/dutsim/regs/fffe87b8", 0x100055));
}

static std::string lanLeds(const char *)
{
  int total, lit = lanLedsLit(readValue("/var/dutsim/model"), total);

  return lit == 0 ? "off" : lit == total ? "on" : "mixed";
}

static const struct {
  const char *name;
  std::string (*state)(const char *);
  const char *arg;
} leds[] = {
    {"blue", colourLed, "blue"},
    {"red", colourLed, "red"},
    {"orange", colourLed, "orange"},
    {"green", greenLed, nullptr},
    {"lan", lanLeds, nullptr},
};

// ledstate: one "NAME STATE" line per LED; ledstate NAME STATE: status 0
// when the LED is in that state, 1 when not, 2 for an unknown LED.
int ledstate_main(int argc, char **argv)
{
  if (argc == 1) {
    for (const auto &l : leds) printf("%s %s\n", l.name, l.state(l.arg).c_str());
    return 0;
  }
  if (argc != 3) return usage("ledstate [NAME on|off|mixed]");
  std::string names;
  for (const auto &l : leds) {
    if (!strcmp(argv[1], l.name)) return l.state(l.arg) == argv[2] ? 0 : 1;
    names += std::string(" ") + l.name;
  }
  fprintf(stderr, "ledstate: no LED %s (it has%s)\n", argv[1], names.c_str());
  return 2;
}

int reboot_main(int argc, char **argv)
{
  traceonly_main(argc, argv);
  return rebootState() ? 0 : 1;
}
