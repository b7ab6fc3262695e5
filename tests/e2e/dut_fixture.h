// End-to-end tests: every test gets a fresh simulated gateway (a device
// root under /tmp), runs tarnel inside it exactly as a station would, and
// looks at stdout, stderr, the exit status, device files and the trace.
#ifndef TESTS_DUT_FIXTURE_H
#define TESTS_DUT_FIXTURE_H

#include <gtest/gtest.h>
#include <initializer_list>
#include <string>
#include <sys/types.h>
#include <utility>
#include <vector>

struct Result {
  std::string out, err;
  int status;  // exit status, or 128 + signal
};

using Lines = std::vector<std::string>;
// Device files and their contents; the content `gone` removes the file.
using Files = std::vector<std::pair<std::string, std::string>>;
extern const std::string gone;

class Dut : public ::testing::Test {
protected:
  std::string top;   // a scratch folder of the test's own
  std::string root;  // the device root in it
  // Runs in every process start launches, before the launcher: limits a
  // test puts on a whole device run. None by default.
  void (*inChild)() = nullptr;

  void SetUp() override;
  void TearDown() override;

  // A fresh factory root of this model in place of the current one.
  void init(const std::string &model);
  // tarnel ARGS inside the device, the trace emptied first; env as for run.
  Result tarnel(const std::vector<std::string> &args, const std::vector<std::string> &env = {});
  // Any command inside the device; env entries are NAME=VALUE for the
  // launcher (DUT_CAPS=drop, DUT_RO=/tmp, ...).
  Result run(const std::vector<std::string> &cmd, const std::vector<std::string> &env = {});
  // A command on the host (tools/dut, ssh, ...), captured the same way.
  Result host(const std::vector<std::string> &argv, const std::vector<std::string> &env = {});
  // The same in the background (a run's own background jobs end with it):
  // start returns at once, finish waits for the command and collects it.
  pid_t start(const std::vector<std::string> &cmd, const std::vector<std::string> &env = {});
  Result finish(pid_t pid);

  std::string trace();
  void clearTrace();
  // Trace lines that begin with one of the prefixes ("sh: ", "call: ",
  // "cms: "), prefixes kept; every line when none is given.
  Lines traceLines(const std::vector<std::string> &prefixes = {});

  // Device files, by their path inside the device.
  std::string file(const std::string &path);
  bool exists(const std::string &path);
  void put(const std::string &path, const std::string &content);
  void remove(const std::string &path);
  void putAll(const Files &files);
  // A shell script in place of what path held (a device command, say).
  void script(const std::string &path, const std::string &body);
};

// Splits text at line ends; a last line without one is kept.
Lines splitLines(const std::string &text);
// The parts one after the other.
Lines join(std::initializer_list<Lines> parts);
// The trace of one whole store connection of caller around its work:
// opened, locked with the caller's timeout, released and closed.
Lines connection(const std::string &caller, int timeout, const Lines &work);
// A command line for SCOPED_TRACE, each word cut to 20 characters.
std::string words(const std::vector<std::string> &args);

// The console examples of a document: a block opens with "```console" and
// an optional model, "$ " begins a command, the lines up to the next
// command are its output, a lone "%" ends output without a line end, "^M"
// is a carriage return.
struct Step {
  std::string command, output;
};
struct Example {
  int line;  // of the opening fence
  std::string model;
  std::vector<Step> steps;
};
std::vector<Example> examples(const std::string &path);
// Output as the documents show it: a carriage return as ^M.
std::string asShown(const std::string &out);

#endif
