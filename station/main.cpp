// tarnel-station's command line: one command per run, one JSON record per
// command, and an exit status that says what happened to the unit.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <iostream>
#include <sstream>
#include <unistd.h>

#include "station.h"

namespace {

// The record's verdicts by exit status.
const char *verdicts[] = {"pass", "fail", "refused", "error"};

std::string utcNow()
{
  char buf[32];
  time_t t = time(nullptr);

  strftime(buf, sizeof(buf), "%Y-%m-%dT%H:%M:%SZ", gmtime(&t));
  return buf;
}

int parseCommand(const std::string &kind, const std::string &name, bool web)
{
  std::stringstream in;

  if (!knownKind(kind)) {
    std::cerr << "tarnel-station: no parser for " << kind << "; the kinds:\n";
    for (const auto &k : kindNames()) std::cerr << "  " << k << "\n";
    return 2;
  }
  if (kind == "get" && name.empty()) {
    std::cerr << "tarnel-station: parse get needs the NAME given to -g\n";
    return 2;
  }
  in << std::cin.rdbuf();
  json parsed = parseOutput(kind, in.str(), web, name);
  std::cout << parsed.dump(2) << "\n";
  return clean(parsed) ? 0 : 1;
}

bool writeRecord(const json &record, const std::string &path)
{
  std::string text = record.dump(2, ' ', false, json::error_handler_t::replace) + "\n";

  if (path.empty()) {
    std::cout << text << std::flush;
    return bool(std::cout);
  }
  std::string tmp = path + ".tmp";
  std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
  out << text;
  out.close();
  return out && rename(tmp.c_str(), path.c_str()) == 0;
}

using Body = void (*)(Session &, const Values *);

// Validates the values (when there are), reaches the unit, identifies it
// and runs the command's steps; then writes the record.
int judge(const Options &opt, const std::string &command, const std::string &valuesPath, Body body)
{
  Session s;
  Values values;
  int code = 0;
  double start = now();

  s.opt = opt;
  s.record = {{"station", "tarnel-station " STATION_VERSION},
              {"command", command},
              {"unit", {{"uri", opt.unit}}},
              {"started", utcNow()},
              {"steps", json::array()}};
  try {
    if (!valuesPath.empty()) {
      json in = {{"file", valuesPath}};
      step(s, "validate", in, [&] { values = readValues(valuesPath, s.output("values")); });
    }
    step(s, "connect", json(), [&] {
      if (opt.unit.empty()) throw BadInput("no unit: --unit sim:ROOT|ssh:...|serial:...");
      s.unit = openTransport(opt.unit, opt);
      s.record["unit"]["transport"] = s.unit->describe();
    });
    // a unit to be cleared may be the wrong one: clear it all the same
    identify(s, command == "clear");
    body(s, valuesPath.empty() ? nullptr : &values);
  } catch (const UnitFailed &) {
    code = 1;
  } catch (const BadInput &) {
    code = 2;
  } catch (const std::exception &) {
    code = 3;
  }
  // the last step is the one that ended the command
  json last = s.record["steps"].back();
  if (s.unit) s.record["unit"]["transport"] = s.unit->describe();
  s.record["verdict"] = verdicts[code];
  s.record["code"] = code;
  if (code) {
    const char *word[] = {"", "FAIL", "REFUSED", "ERROR"};
    s.record["failing_step"] = last["step"];
    s.record["reason"] = last["reason"];
    std::cerr << word[code] << " " << last["step"].get<std::string>() << ": "
              << last["reason"].get<std::string>() << std::endl;
  }
  s.record["duration_ms"] = (long)((now() - start) * 1000);
  s.unit.reset();
  if (!writeRecord(s.record, opt.record)) {
    std::cerr << "ERROR record: cannot write " << (opt.record.empty() ? "stdout" : opt.record) << std::endl;
    return 3;
  }
  return code;
}

void runAll(Session &s, const Values *v)
{
  usb(s);
  leds(s);
  buttons(s);
  report(s, v);
}

}  // namespace

int main(int argc, char **argv)
{
  Options opt;
  std::string values, kind, name;
  bool web = false;
  const char *dut = getenv("TARNEL_DUT");

  opt.dut = dut && *dut ? dut : STATION_DUT;
  CLI::App app{"tarnel-station: programs and checks a gateway through tarnel, one JSON record per "
               "command (docs/station.md)"};
  app.require_subcommand(1);
  app.fallthrough();
  // an option given twice takes its last value, as a later word overrides
  app.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
  app.add_option("--unit", opt.unit, "sim:ROOT, ssh:[user@]host[:port] or serial:/dev/ttyX[,baud]");
  app.add_option("--record", opt.record, "write the record to FILE instead of stdout");
  app.add_option("--identity", opt.identity, "ssh: the private key for the unit");
  app.add_option("--known-hosts", opt.knownHosts, "ssh: the known_hosts file holding the unit's key");
  app.add_option("--ssh-persist", opt.sshPersist, "ssh: seconds the connection stays for the next command (0: closed at the end)")
      ->check(CLI::Range(0, 86400));
  app.add_option("--dut", opt.dut, "sim: the simulated unit's launcher (tools/dut)");
  app.add_option("--model", opt.model, "the model the line expects");
  app.add_flag("--reboot-verify", opt.rebootVerify, "program: reboot after the commit and read back after the reboot");
  app.add_option("--boot-timeout", opt.bootTimeout, "seconds a reboot may take")->check(CLI::PositiveNumber);
  app.add_option("--led-hook", opt.ledHook, "command run with LED and on|off; its status answers");
  app.add_option("--press-hook", opt.pressHook, "command run with a button name to press it");
  app.add_option("--button-timeout", opt.buttonTimeout, "seconds to wait for each button")
      ->check(CLI::PositiveNumber);
  app.add_option("--usb-sticks", opt.usbSticks, "sticks plugged in (1 or 2)")->check(CLI::Range(1, 2));
  app.add_option("--usb-version", opt.usbVersion, "the USB version each stick shows");
  app.add_option("--usb-size", opt.usbSize, "the write test's size (tarnel -v)")->check(CLI::Range(0, 2147483));
  app.add_option("--usb-read-min", opt.usbReadMin, "least read rate, MB/s")->check(CLI::NonNegativeNumber);
  app.add_option("--usb-write-min", opt.usbWriteMin, "least write rate, MB/s")->check(CLI::NonNegativeNumber);

  CLI::App *parse = app.add_subcommand("parse", "read tarnel's output on stdin, write it as JSON");
  parse->add_option("kind", kind, "what printed it")->required();
  parse->add_option("name", name, "for get: the name given to -g");
  parse->add_flag("--web", web, "the output of a run with -w");
  CLI::App *programCmd = app.add_subcommand("program", "stage, commit and read back the factory values");
  programCmd->add_option("values", values, "JSON or NAME=VALUE file")->required();
  app.add_subcommand("usb", "check the USB sticks and their rates");
  app.add_subcommand("leds", "every colour and the LAN LEDs on and off");
  app.add_subcommand("buttons", "every button of the model pressed");
  for (const char *c : {"report", "clear", "run-all"}) {
    const char *what = !strcmp(c, "report") ? "the web report, compared with the values when given"
                       : !strcmp(c, "clear") ? "clear, reset and unstage a failed unit, and check it"
                                             : "usb, leds, buttons and report";
    app.add_subcommand(c, what)->add_option("values", values, "JSON or NAME=VALUE file");
  }
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError &e) {
    return app.exit(e) == 0 ? 0 : 2;
  }

  if (parse->parsed()) return parseCommand(kind, name, web);
  std::string command = app.get_subcommands().front()->get_name();
  if (command == "program") return judge(opt, command, values, [](Session &s, const Values *v) { program(s, *v); });
  if (command == "usb") return judge(opt, command, "", [](Session &s, const Values *) { usb(s); });
  if (command == "leds") return judge(opt, command, "", [](Session &s, const Values *) { leds(s); });
  if (command == "buttons") return judge(opt, command, "", [](Session &s, const Values *) { buttons(s); });
  if (command == "report") return judge(opt, command, values, report);
  if (command == "clear") return judge(opt, command, values, clearUnit);
  return judge(opt, command, values, runAll);
}
