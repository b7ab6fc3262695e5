// The hardware steps: USB sticks, LEDs, buttons. What a person or a
// fixture sees is asked of the operator on the terminal, or of a hook
// command on the station PC whose exit status answers.
#include <algorithm>
#include <cstdio>
#include <unistd.h>

#include "station.h"

namespace {

// The buttons each model's button driver reports.
const struct {
  const char *model;
  std::vector<std::string> buttons;
} models[] = {
    {"KR4410", {"WPS", "Reset", "WLAN", "DECT"}},
    {"PZ7720E", {"WPS", "Reset"}},
    {"MTX-2150", {"WPS", "Reset", "WLAN"}},
    {"MTX-2450", {"WPS", "Reset", "WLAN"}},
    {"KR8800", {"WPS", "Reset", "WLAN", "DECT"}},
};

// The colours of -E -F, each switched on and then off by itself: -E off
// -F All leaves the single colours as they are.
const struct {
  const char *letter, *name;
} colours[] = {{"B", "blue"}, {"R", "red"}, {"O", "orange"}, {"G", "green"}};

const double hookTimeout = 60;

FILE *terminal()
{
  static FILE *tty = fopen("/dev/tty", "r+");
  if (!tty) throw StationFault("no terminal for the operator (give a hook command)");
  return tty;
}

void tell(const std::string &text)
{
  fprintf(terminal(), "%s\n", text.c_str());
  fflush(terminal());
}

bool ask(const std::string &question)
{
  char answer[64];

  while (true) {
    fprintf(terminal(), "%s [y/n] ", question.c_str());
    fflush(terminal());
    if (!fgets(answer, sizeof(answer), terminal())) throw StationFault("the operator's terminal closed");
    if (answer[0] == 'y' || answer[0] == 'Y') return true;
    if (answer[0] == 'n' || answer[0] == 'N') return false;
  }
}

// A hook run as part of the step; false when it answered no. A hook that
// cannot be run (126, 127) or that does not end is the station's fault.
bool runHook(Session &s, const std::string &cmd, const std::vector<std::string> &words)
{
  Run r = hook(cmd, words, hookTimeout);

  s.log(r, "hook");
  if (r.timedOut || r.status == 126 || r.status == 127)
    throw StationFault("the hook " + r.command + (r.timedOut ? " did not end" : " could not run"));
  return r.status == 0;
}

void see(Session &s, const char *led, const char *state)
{
  bool yes = s.opt.ledHook.empty() ? ask(std::string("Is the ") + led + " LED " + state + "?")
                                   : runHook(s, s.opt.ledHook, {led, state});
  s.output(led)[state] = yes;
  if (!yes) s.fail(std::string("the ") + led + " LED is not " + state);
}

json pressesNow(Session &s)
{
  return s.expectClean(s.tarnel("-b"), "buttons")["presses"];
}

}  // namespace

const std::vector<std::string> *buttonsOf(const std::string &model)
{
  for (const auto &m : models)
    if (model == m.model) return &m.buttons;
  return nullptr;
}

void usb(Session &s)
{
  const Options &o = s.opt;
  json in = {{"sticks", o.usbSticks},         {"version", o.usbVersion},
             {"write_size", o.usbSize},       {"read_min_mbps", o.usbReadMin},
             {"write_min_mbps", o.usbWriteMin}};

  step(s, "usb", in, [&] {
    json check = s.expectClean(s.tarnel("-U"), "usb-check");
    if (!check["storage"]) s.fail("no USB stick found");
    int found = 0;
    for (const auto &p : check["ports"]) {
      if (!p["device"]) continue;
      found++;
      std::string v = textBytes(p, "version");
      v.erase(0, v.find_first_not_of(' '));
      if (v != o.usbVersion)
        s.fail("the stick on port " + p["port"].dump() + " speaks USB " + v + ", not " + o.usbVersion);
    }
    // -U sees the two ports only
    if (found != std::min(o.usbSticks, 2))
      s.fail(std::to_string(found) + " sticks on the ports, not " + std::to_string(o.usbSticks));
    json rate = s.expectClean(s.tarnel("-t rw -v " + std::to_string(o.usbSize)), "usb-rate");
    if (rate.contains("error")) s.fail("the USB test stopped: " + rate["error"].get<std::string>());
    if (rate["devices"] != o.usbSticks || (int)rate["sticks"].size() != o.usbSticks)
      s.fail("tarnel tested " + std::to_string(rate["sticks"].size()) + " sticks, not " + std::to_string(o.usbSticks));
    for (const auto &t : rate["sticks"]) {
      std::string usbN = "USB" + t["usb"].dump();
      if (!t.contains("read") || t["read"].value("mbps", -1.0) < o.usbReadMin)
        s.fail(usbN + " reads slower than " + json(o.usbReadMin).dump() + " MB/s");
      if (!t.contains("write") || t["write"].value("mbps", -1.0) < o.usbWriteMin)
        s.fail(usbN + " writes slower than " + json(o.usbWriteMin).dump() + " MB/s");
    }
  });
}

void leds(Session &s)
{
  json in = {{"check", s.opt.ledHook.empty() ? "operator" : "hook " + s.opt.ledHook}};

  step(s, "leds", in, [&] {
    for (const auto &c : colours) {
      for (const char *state : {"on", "off"}) {
        s.expectClean(s.tarnel(std::string("-E ") + state + " -F " + c.letter), "quiet");
        see(s, c.name, state);
      }
    }
    for (const char *state : {"on", "off"}) {
      // -A prints the model it found, and what it did on the way
      Run r = s.tarnel(std::string("-A ") + (state == std::string("on") ? "enable" : "disable"));
      if (r.status != 0 || r.out.compare(0, s.model.size() + 1, s.model + "\n") != 0)
        s.fail(r.command + " did not find the " + s.model);
      see(s, "lan", state);
    }
  });
}

void buttons(Session &s)
{
  const std::vector<std::string> &expected = *buttonsOf(s.model);
  json in = {{"buttons", expected},
             {"press", s.opt.pressHook.empty() ? "operator" : "hook " + s.opt.pressHook},
             {"timeout_s", s.opt.buttonTimeout}};

  step(s, "buttons", in, [&] {
    s.expectClean(s.tarnel("-B enable"), "quiet");
    try {
      json presses;
      for (const auto &b : expected) {
        // the record decides, not the press hook's answer: a press that
        // did not register is the unit's
        if (s.opt.pressHook.empty())
          tell("Press the " + b + " button.");
        else
          runHook(s, s.opt.pressHook, {b});
        double deadline = now() + s.opt.buttonTimeout;
        while ((presses = pressesNow(s)).value(b, 0) < 1) {
          if (now() > deadline)
            s.fail(b + " was not pressed within " + json(s.opt.buttonTimeout).dump() + " s");
          usleep(250000);
        }
      }
      std::vector<std::string> seen;
      for (auto it = presses.begin(); it != presses.end(); ++it) seen.push_back(it.key());
      if (seen.size() != expected.size() || !std::is_permutation(seen.begin(), seen.end(), expected.begin()))
        s.fail("the record lists " + json(seen).dump() + ", the " + s.model + " has " + json(expected).dump());
    } catch (...) {
      // test mode is left whatever happened; its own failure changes nothing
      try {
        s.tarnel("-B disable");
      } catch (const std::exception &) {
      }
      throw;
    }
    s.expectClean(s.tarnel("-B disable"), "quiet");
  });
}
