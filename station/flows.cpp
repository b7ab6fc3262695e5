// The flows that program, read back, report and clear a unit's factory
// parameters through tarnel.
#include <unistd.h>

#include "station.h"

namespace {

std::string chomp(std::string s)
{
  if (!s.empty() && s.back() == '\n') s.pop_back();
  return s;
}

std::string joined(const std::vector<std::string> &parts)
{
  std::string all;

  for (const auto &p : parts) all += (all.empty() ? "" : "; ") + p;
  return all;
}

// The values as the record shows them.
json inputsOf(const Values &v)
{
  json in = json::object();

  for (const auto &i : v.items) putText(in, i.first->name, i.second);
  return in;
}

std::string removeStaging()
{
  std::string files;

  for (const auto &f : stagingFiles) files += " " + f;
  // what rm could not remove is named on stdout
  return "rm -f" + files + "; for f in" + files + "; do [ -e \"$f\" ] && echo \"$f\"; done; true";
}

// Removes tarnel's staging files, which would otherwise show in place of
// the committed LAN MAC and 2.4 GHz SSID, and be committed again by any
// later -c.
void unstage(Session &s)
{
  step(s, "unstage", json(), [&] {
    Run r = s.shell(removeStaging());
    if (r.status != 0 || !r.out.empty()) s.fail("staging files stay on the unit: " + chomp(r.out));
  });
}

// What the unit holds now: -s, and the factory entries read directly where
// tarnel's readers show the configuration instead (the production flag's
// only when it is asked for).
json readParams(Session &s, bool flag)
{
  json got = s.expectClean(s.tarnel("-s"), "list");

  for (const Param &p : params) {
    if (!p.entry || (!p.staging && !flag)) continue;
    Run r = s.shell(std::string("cat ") + p.entry);
    if (r.status != 0) s.fail(std::string("cannot read ") + p.entry);
    putText(s.output("entries"), p.entry, chomp(r.out));
  }
  return got;
}

// The value of a parameter as read: its row of -s or its entry.
std::string readValue(Session &s, const json &list, const Param &p)
{
  if (p.listKey) return list["values"].contains(p.listKey) ? textBytes(list["values"], p.listKey) : "";
  return textBytes(s.output("entries"), p.entry);
}

const char *sourceOf(const Param &p)
{
  return p.listKey ? "tarnel -s" : p.entry;
}

// A run that prints exactly what tarnel prints when all is well.
void checkExpected(Session &s, const Run &r, const std::string &expected)
{
  s.expectRan(r, parseOutput("quiet", r.out));
  if (r.out != expected)
    s.fail(r.command + " printed " + json(r.out.substr(0, 200)).dump() + ", not " + json(expected).dump());
}

}  // namespace

void identify(Session &s, bool lenient)
{
  step(s, "identify", s.opt.model.empty() ? json() : json{{"model", s.opt.model}}, [&] {
    Run r = s.tarnel("-M x");
    if (r.status != 0 || r.out.empty() || r.out.find('\n') != r.out.size() - 1)
      s.fail("tarnel -M printed no model line");
    s.model = chomp(r.out);
    putText(s.record["unit"], "model", s.model);
    if (!lenient && !s.opt.model.empty() && s.model != s.opt.model)
      s.fail("the unit is a " + s.model + ", the line expects a " + s.opt.model);
    if (!lenient && !buttonsOf(s.model)) s.fail("the model " + s.model + " is none the station knows");
    // tarnel has no version of its own: its binary's digest names it
    Run h = s.shell("sha256sum \"$(command -v tarnel)\"");
    size_t blank = h.out.find("  ");
    json t = {{"path", nullptr}, {"sha256", nullptr}};
    if (h.status == 0 && blank == 64) t = {{"path", chomp(h.out.substr(66))}, {"sha256", h.out.substr(0, 64)}};
    s.record["unit"]["tarnel"] = t;
  });
}

void program(Session &s, const Values &v)
{
  step(s, "stage", inputsOf(v), [&] {
    // one parameter per run: tarnel stages only the first it is given
    for (const auto &i : v.items) {
      Run r = s.tarnel(std::string("-i -") + i.first->option + " " + quote(i.second));
      checkExpected(s, r, i.first->staging ? "" : "cmd=echo " + i.second + " > /proc/nvram/BoardFlag");
    }
  });
  step(s, "commit", json(), [&] { checkExpected(s, s.tarnel("-c"), ""); });
  if (s.opt.rebootVerify) {
    step(s, "reboot", json{{"timeout_s", s.opt.bootTimeout}}, [&] {
      // /tmp is emptied by a power cycle: the mark tells the unit after the
      // reboot from the unit before it
      const std::string mark = "/tmp/.tarnel-station-boot";
      if (s.shell(": > " + mark).status != 0) s.fail("cannot write " + mark);
      double deadline = now() + s.opt.bootTimeout;
      // the link may go down with the unit, and the run with it
      Run r;
      r.command = "reboot";
      try {
        r = s.unit->run("reboot", 60);
      } catch (const StationFault &e) {
        r.err = e.what();
      }
      s.log(r);
      while (true) {
        try {
          s.unit->reconnect(std::max(1.0, deadline - now()));
          Run r = s.unit->run("[ ! -e " + mark + " ]", 10);
          s.log(r);
          if (r.status == 0) break;
        } catch (const StationFault &) {
          if (now() > deadline) throw;
        }
        if (now() > deadline)
          throw StationFault("the unit did not come back within " + std::to_string((int)s.opt.bootTimeout) + " s");
        sleep(1);
      }
    });
  }
  unstage(s);
  step(s, "readback", json(), [&] {
    json list = readParams(s, v.find("productionmode")), compared;
    std::vector<std::string> wrong;
    for (const auto &i : v.items) {
      const Param &p = *i.first;
      std::string got = readValue(s, list, p);
      json c = {{"programmed", i.second}, {"from", sourceOf(p)}};
      putText(c, "read", got);
      compared[p.name] = c;
      if (got != i.second) wrong.push_back(std::string(p.name) + " reads " + json(got).dump() + ", not " + json(i.second).dump());
    }
    s.output("compared") = compared;
    s.output("note") = "SSID_2.4G is read from its factory entry: tarnel's -s and -g show the configuration's SSID";
    if (!wrong.empty()) s.fail((s.opt.rebootVerify ? "after the reboot, " : "") + joined(wrong));
  });
}

void report(Session &s, const Values *v)
{
  step(s, "report", v ? inputsOf(*v) : json(), [&] {
    json web = s.expectClean(s.tarnel("-a -w"), "web");
    if (web["report"] == "NULL") s.fail("the web report is NULL: the unit's setup wizard setting is 0");
    if (textBytes(web["values"], "Board_Model_ID") != s.model)
      s.fail("the report's model is not " + s.model);
    if (!v) return;
    std::vector<std::string> wrong;
    for (const auto &i : v->items) {
      if (!i.first->webKey) continue;
      std::string got = textBytes(web["values"], i.first->webKey);
      if (got != i.second) wrong.push_back(std::string(i.first->webKey) + " is " + json(got).dump() + ", not " + json(i.second).dump());
    }
    s.output("note") = "the report's 2.4G SSID is the configuration's, and it holds no WPS PIN: neither is compared";
    if (!wrong.empty()) s.fail(joined(wrong));
  });
}

void clearUnit(Session &s, const Values *v)
{
  step(s, "clear", json(), [&] {
    // tarnel's -e empties the serial-number entry and four nvram variables.
    // It leaves the pass-phrase, SSID and PIN entries, and its empty write
    // to the LAN MAC entry is refused by the entry, which takes a MAC only:
    // those are emptied here, the MAC set to zeros, before -e saves and -r
    // resets the configuration
    Run e = s.shell("echo 000000000000 > /proc/nvram/BaseMacAddr && for e in BasePreShareKey "
                    "BasePreShareKey_5g ssid wps_device_pin; do echo > /proc/nvram/$e || exit 1; done");
    if (e.status != 0 || !e.err.empty()) s.fail("cannot empty the factory entries: " + chomp(e.err).substr(0, 200));
    checkExpected(s, s.tarnel("-e -r"), "All info in flash memory is cleared.\nReset to Default OK\n");
  });
  unstage(s);
  step(s, "cleared", v ? inputsOf(*v) : json(), [&] {
    json list = readParams(s, false);
    std::vector<std::string> left;
    for (const Param &p : params) {
      if (!p.staging) continue;  // the production flag stays as the line set it
      std::string got = readValue(s, list, p);
      const std::string *programmed = v ? v->find(p.name) : nullptr;
      // the configuration's values are back at the model's defaults
      bool gone = p.config ? !programmed || got != *programmed
                           : got.empty() || got == "N/A" || got == "00:00:00:00:00:00";
      if (!gone) left.push_back(std::string(p.name) + " still reads " + json(got).dump());
    }
    if (!left.empty()) s.fail(joined(left));
  });
}
