// tarnel-station: the station PC's program. It reaches a unit through one
// transport, runs tarnel there as the station scripts would, parses what
// tarnel prints and writes one JSON record per command.
#ifndef STATION_STATION_H
#define STATION_STATION_H

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

using json = nlohmann::ordered_json;

// ---- processes on the station PC (process.cpp)

struct Run {
  std::string command, out, err;
  int status = -1;        // exit status, 128 + signal, -1 when nothing ran
  double seconds = 0;
  bool timedOut = false;
};

// Runs argv with stdin from /dev/null; stdout and stderr are collected
// (stderr into errFile instead when one is named: a program that leaves a
// child behind holding it, such as ssh -f, would keep a pipe open). After
// timeout seconds the process group gets SIGTERM, a second later SIGKILL.
Run spawn(const std::vector<std::string> &argv, double timeout, const std::string &errFile = "");
// A station-side hook: CMD with more words, run by /bin/sh so that CMD may
// hold words and quotes of its own.
Run hook(const std::string &cmd, const std::vector<std::string> &words, double timeout);
std::string quote(const std::string &word);  // one shell word
double now();                                 // seconds, monotonic

// ---- transports (transport.cpp, serial.cpp)

// The unit is unreachable or the station itself failed: the unit is not
// judged (exit status 3).
struct StationFault : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The station was given what it cannot use: a refused value, a bad URI
// (exit status 2).
struct BadInput : std::runtime_error {
  using std::runtime_error::runtime_error;
};

class Transport {
public:
  virtual ~Transport() = default;
  // One shell command line on the unit, its stdout and stderr byte for
  // byte, its exit status and duration. A command still running after
  // timeout seconds is stopped and reported with timedOut; a link that
  // fails throws StationFault.
  virtual Run run(const std::string &command, double timeout) = 0;
  // After a reboot: waits until the unit answers again.
  virtual void reconnect(double timeout) = 0;
  virtual json describe() const = 0;
};

struct Options;
// sim:ROOT, ssh:[user@]host[:port], serial:/dev/ttyX[,baud]; a bad URI
// throws BadInput.
std::unique_ptr<Transport> openTransport(const std::string &uri, const Options &opt);
std::unique_ptr<Transport> openSerial(const std::string &device, int baud);

// ---- text as JSON (text.cpp)

// Valid UTF-8 is carried as it is; other bytes one character each
// (U+0000-U+00FF), the member's name then listed in the object's "latin1".
void putText(json &obj, const std::string &key, const std::string &bytes);
void pushText(json &obj, const std::string &key, const std::string &bytes);
// The bytes a string of putText stands for.
std::string textBytes(const json &obj, const std::string &key);

// ---- parsers of tarnel's output (parse.cpp)

// Every parse gives {"kind", what the output holds, "errors": the store's
// failure messages, "problems": why the output is not what tarnel prints
// when all is well}; clean() says whether problems and errors are empty.
json parseOutput(const std::string &kind, const std::string &out, bool web = false,
                 const std::string &name = "");
bool clean(const json &parsed);
bool knownKind(const std::string &kind);
std::vector<std::string> kindNames();

// ---- factory parameters (values.cpp)

struct Param {
  const char *name;      // the name -g takes, and the values file's key
  char option;           // tarnel's staging option
  const char *staging;   // its staging file, nullptr for the flag
  const char *listKey;   // where -s shows it, nullptr when read elsewhere
  const char *entry;     // factory entry read directly, or nullptr
  const char *webKey;    // its field in the web report, or nullptr
  bool config;           // committed to the configuration, which a reset
                         // to defaults sets back, not to a factory entry
  // Checks the value and puts it in the form staged; the reason it is
  // refused, or nothing.
  std::string (*check)(std::string &value);
  bool optional = false;
};
extern const std::vector<Param> params;
extern const std::vector<std::string> stagingFiles;

struct Values {
  std::vector<std::pair<const Param *, std::string>> items;  // in table order
  const std::string *find(const char *name) const;
};
// Reads a JSON or NAME=VALUE file and checks every value; a refused value
// throws BadInput with the reason.
Values readValues(const std::string &path, json &inputs);

// ---- the session: record, steps, runs (session.cpp)

struct Options {
  std::string unit, record, identity, knownHosts, model, ledHook, pressHook, dut;
  int sshPersist = 60;
  bool rebootVerify = false;
  double bootTimeout = 180, buttonTimeout = 20;
  int usbSticks = 1, usbSize = 1;
  std::string usbVersion = "2.0";
  double usbReadMin = 1, usbWriteMin = 1;
};

// A unit that failed a step: its name and reason (exit status 1).
struct UnitFailed : std::runtime_error {
  using std::runtime_error::runtime_error;
};

struct Session {
  Options opt;
  std::unique_ptr<Transport> unit;
  json record;
  json *step = nullptr;  // the step running
  std::string model;

  // tarnel with these arguments, its time-out from the worst cases of the
  // options given.
  Run tarnel(const std::string &args);
  // Any shell command line on the unit.
  Run shell(const std::string &command, double timeout = 10);
  // The run must end with status 0, nothing on stderr and none of the
  // store's messages in its parsed output.
  void expectRan(const Run &r, const json &parsed);
  // The same, and its output must parse cleanly; the parse is kept as the
  // step's output under the kind's name.
  json expectClean(const Run &r, const std::string &kind, bool web = false,
                   const std::string &name = "");
  // A run in the step's record: a command on the unit, or a hook.
  void log(const Run &r, const char *what = "command");
  // The step's parsed output under key.
  json &output(const std::string &key);
  [[noreturn]] void fail(const std::string &reason);
};

void beginStep(Session &s, const std::string &name, const json &inputs);
void endStep(Session &s, const char *verdict, const std::string &reason = "");

// Runs body as the step name of the record; what it throws marks the step
// (fail, refused, error) and passes on.
template <class F> void step(Session &s, const std::string &name, const json &inputs, F body)
{
  beginStep(s, name, inputs);
  try {
    body();
  } catch (const UnitFailed &e) {
    endStep(s, "fail", e.what());
    throw;
  } catch (const BadInput &e) {
    endStep(s, "refused", e.what());
    throw;
  } catch (const std::exception &e) {
    endStep(s, "error", e.what());
    throw;
  }
  endStep(s, "pass");
}

// ---- the commands (flows.cpp, hardware.cpp)

// The buttons of a model the station knows, or nullptr.
const std::vector<std::string> *buttonsOf(const std::string &model);

// Names the model; unless lenient, it must be one the station knows and
// the one --model names.
void identify(Session &s, bool lenient = false);
void program(Session &s, const Values &v);
void report(Session &s, const Values *v);
void clearUnit(Session &s, const Values *v);
void usb(Session &s);
void leds(Session &s);
void buttons(Session &s);

#endif
