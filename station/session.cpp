// One command's session with a unit: its steps, the runs each made, and
// the time-outs of tarnel's runs.
#include <cstring>

#include "station.h"

namespace {

// A run's worst case, from the duration table of docs/usage.md: the lock
// time-outs of the store connections its options make, added up, and the
// run's own time. The waits hold on any gateway; the own time is a few
// tenths of a second on the simulated unit and allowed 5 s here, for a
// gateway's slower commands. The transport gets its own margin.
const struct {
  char option;
  double seconds;
} lockWaits[] = {
    {'c', 5},    // saveToFlash
    {'e', 5},    // saveToFlash
    {'f', 5},    // get_nmode_dataRate
    {'x', 10},   // get_nmode_dataRate5g, twice
    {'n', 15},   // the three rate connections
    {'a', 15},   // the same
    {'w', 10},   // with -a: getWizardFirst
    {'k', 6},    // SetVoipTestMode
    {'t', 120},  // no lock: the sticks' transfer and sync
};
const double ownTime = 5;
const double transportMargin = 10;

double tarnelTimeout(const std::string &args)
{
  double total = ownTime + transportMargin;
  bool wordStart = true;

  // the first letter of each option word (the station groups none)
  for (size_t i = 0; i + 1 < args.size(); i++) {
    if (wordStart && args[i] == '-')
      for (const auto &w : lockWaits)
        if (w.option == args[i + 1]) total += w.seconds;
    wordStart = args[i] == ' ';
  }
  return total;
}

}  // namespace

void Session::log(const Run &r, const char *what)
{
  json run = {{what, r.command}, {"status", r.status}, {"duration_ms", (long)(r.seconds * 1000)}};

  if (r.timedOut) run["timed_out"] = true;
  putText(run, "stdout", r.out);
  putText(run, "stderr", r.err);
  (*step)["runs"].push_back(run);
}

Run Session::shell(const std::string &command, double timeout)
{
  Run r = unit->run(command, timeout);

  log(r);
  if (r.timedOut) fail(command + " did not end within " + std::to_string((int)timeout) + " s");
  return r;
}

Run Session::tarnel(const std::string &args)
{
  return shell("tarnel " + args, tarnelTimeout(args));
}

void Session::expectRan(const Run &r, const json &parsed)
{
  for (const auto &e : parsed["errors"])
    fail("the store failed: " + e["call"].get<std::string>() + " ret=" + e["ret"].dump());
  if (r.status != 0) fail(r.command + " ended with status " + std::to_string(r.status));
  if (!r.err.empty()) fail("the unit reported: " + r.err.substr(0, r.err.find('\n')).substr(0, 200));
}

json Session::expectClean(const Run &r, const std::string &kind, bool web, const std::string &name)
{
  json parsed = parseOutput(kind, r.out, web, name);

  if (kind != "quiet") output(kind) = parsed;
  expectRan(r, parsed);
  if (parsed.contains("problems")) fail(r.command + ": " + parsed["problems"][0].get<std::string>());
  if (parsed.contains("ambiguous"))
    fail(r.command + ": ambiguous values " + parsed["ambiguous"].dump());
  return parsed;
}

json &Session::output(const std::string &key)
{
  return (*step)["output"][key];
}

void Session::fail(const std::string &reason)
{
  throw UnitFailed(reason);
}

static double stepStart;

void beginStep(Session &s, const std::string &name, const json &inputs)
{
  json step = {{"step", name}};

  if (!inputs.is_null()) step["inputs"] = inputs;
  step["runs"] = json::array();
  s.record["steps"].push_back(step);
  s.step = &s.record["steps"].back();
  stepStart = now();
}

// A step that passed keeps its runs' commands, statuses and durations; one
// that did not also keeps what they printed.
void endStep(Session &s, const char *verdict, const std::string &reason)
{
  json &step = *s.step;

  if (!strcmp(verdict, "pass")) {
    for (auto &run : step["runs"]) {
      run.erase("stdout");
      run.erase("stderr");
      run.erase("latin1");
    }
  }
  if (step["runs"].empty()) step.erase("runs");
  step["verdict"] = verdict;
  if (!reason.empty()) step["reason"] = reason;
  step["duration_ms"] = (long)((now() - stepStart) * 1000);
}
