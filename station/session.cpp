// One command's session with a unit: its steps, the runs each made, and
// the time-outs of tarnel's runs.
#include <cstring>

#include "station.h"

namespace {

// The worst-case durations of tarnel's actions (docs/usage.md), in
// seconds: the store's lock time-outs of the actions that take the lock,
// with the time their work takes beside it. A run's time-out adds up the
// actions it asks for, and the transport's own margin.
const struct {
  char option;
  double seconds;
} worstCases[] = {
    {'c', 10},   // the flash save waits up to 5 s for the lock
    {'e', 10},   // the same save
    {'a', 30},   // -a -w: the rates (5 s, and 5 s twice for 5 GHz) and the report (10 s)
    {'n', 20},   // the three rates
    {'f', 6},    // 5 s for the lock
    {'x', 11},   // twice 5 s
    {'k', 7},    // 6 s for the lock
    {'t', 120},  // the USB transfer itself
    {'A', 10},   // the voice clean-up, the register reads and writes
};
const double otherAction = 3;
const double transportMargin = 10;

double tarnelTimeout(const std::string &args)
{
  double total = 0;
  bool word = true;

  for (size_t i = 0; i < args.size(); i++) {
    // the letters of each option word; an argument ends the word
    if (args[i] == ' ') {
      word = true;
      continue;
    }
    if (word && args[i] == '-' && i + 1 < args.size() && isalpha((unsigned char)args[i + 1])) {
      char o = args[i + 1];
      double s = otherAction;
      for (const auto &w : worstCases)
        if (w.option == o) s = w.seconds;
      total += s;
    }
    word = false;
  }
  return total + transportMargin;
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

json Session::expectClean(const Run &r, const std::string &kind, bool web, const std::string &name)
{
  json parsed = parseOutput(kind, r.out, web, name);

  if (kind != "quiet") output(kind) = parsed;
  for (const auto &e : parsed["errors"])
    fail("the store failed: " + e["call"].get<std::string>() + " ret=" + e["ret"].dump());
  if (r.status != 0) fail(r.command + " ended with status " + std::to_string(r.status));
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
