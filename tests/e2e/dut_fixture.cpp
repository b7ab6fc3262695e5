#include "dut_fixture.h"

#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

static std::string slurp(const std::string &path)
{
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;

  s << in.rdbuf();
  return s.str();
}

// Starts argv with stdout and stderr into files named after its pid,
// nothing on stdin; inChild, when given, runs in the new process first.
static pid_t launch(const std::vector<std::string> &argv, const std::vector<std::string> &env,
                    const std::string &scratch, void (*inChild)() = nullptr)
{
  pid_t pid = fork();

  if (pid == 0) {
    std::string me = std::to_string(getpid());
    int in = open("/dev/null", O_RDONLY);
    int out = open((scratch + "/out." + me).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    int err = open((scratch + "/err." + me).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<char *> args;

    dup2(in, 0);
    dup2(out, 1);
    dup2(err, 2);
    for (const auto &e : env) putenv(strdup(e.c_str()));
    setenv("TARNEL_BUILD", TARNEL_BUILD_DIR, 0);
    if (inChild) inChild();
    for (const auto &a : argv) args.push_back(strdup(a.c_str()));
    args.push_back(nullptr);
    execv(args[0], args.data());
    _exit(127);
  }
  return pid;
}

static Result collect(pid_t pid, const std::string &scratch)
{
  std::string out = scratch + "/out." + std::to_string(pid);
  std::string err = scratch + "/err." + std::to_string(pid);
  int st = 0;
  Result r;

  waitpid(pid, &st, 0);
  r.out = slurp(out);
  r.err = slurp(err);
  r.status = WIFEXITED(st) ? WEXITSTATUS(st) : 128 + WTERMSIG(st);
  unlink(out.c_str());
  unlink(err.c_str());
  // a sanitizer's report anywhere in the device fails the test
  for (const char *mark : {"ERROR: AddressSanitizer", "ERROR: LeakSanitizer", "runtime error:"})
    if (r.err.find(mark) != std::string::npos) ADD_FAILURE() << r.err;
  return r;
}

void Dut::SetUp()
{
  char tmpl[] = "/tmp/tarnel-e2e-XXXXXX";

  ASSERT_NE(mkdtemp(tmpl), nullptr);
  top = tmpl;
  root = top + "/root";
  init("KR4410");
}

void Dut::TearDown()
{
  if (getenv("TARNEL_KEEP_ROOTS") || (HasFailure() && getenv("TARNEL_KEEP_FAILED"))) {
    fprintf(stderr, "device root kept at %s\n", root.c_str());
    return;
  }
  std::string rm = "rm -rf '" + top + "'";
  if (system(rm.c_str())) fprintf(stderr, "could not remove %s\n", top.c_str());
}

void Dut::init(const std::string &model)
{
  Result r = host({DUT_TOOL, "init", root, "--model", model});

  ASSERT_EQ(r.status, 0) << r.err;
}

Result Dut::run(const std::vector<std::string> &cmd, const std::vector<std::string> &env)
{
  return finish(start(cmd, env));
}

pid_t Dut::start(const std::vector<std::string> &cmd, const std::vector<std::string> &env)
{
  std::vector<std::string> argv = {DUT_TOOL, "run", root, "--"};

  argv.insert(argv.end(), cmd.begin(), cmd.end());
  return launch(argv, env, top, inChild);
}

Result Dut::finish(pid_t pid)
{
  return collect(pid, top);
}

Result Dut::tarnel(const std::vector<std::string> &args, const std::vector<std::string> &env)
{
  std::vector<std::string> cmd = {"tarnel"};

  clearTrace();
  cmd.insert(cmd.end(), args.begin(), args.end());
  return run(cmd, env);
}

Result Dut::host(const std::vector<std::string> &argv, const std::vector<std::string> &env)
{
  return collect(launch(argv, env, top), top);
}

std::string Dut::trace()
{
  return file("/var/dutsim/trace");
}

void Dut::clearTrace()
{
  put("/var/dutsim/trace", "");
}

Lines splitLines(const std::string &text)
{
  Lines lines;
  std::string line;
  std::istringstream in(text);

  while (std::getline(in, line)) lines.push_back(line);
  return lines;
}

Lines join(std::initializer_list<Lines> parts)
{
  Lines all;

  for (const auto &p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

Lines connection(const std::string &caller, int timeout, const Lines &work)
{
  return join({{"call: cmsMsg_init(5001)", "call: cmsMdm_init(5001)",
                "call: cmsLck_acquireLockWithTimeoutTraced(" + caller + ", " + std::to_string(timeout) + ")",
                "cms: lock " + caller + " held"},
               work,
               {"call: cmsLck_releaseLockTraced(" + caller + ")", "cms: lock " + caller + " released",
                "call: cmsMdm_cleanup()", "call: cmsMsg_cleanup()"}});
}

std::string words(const std::vector<std::string> &args)
{
  std::string s;

  for (const auto &a : args) s += a.substr(0, 20) + " ";
  return s;
}

Lines Dut::traceLines(const std::vector<std::string> &prefixes)
{
  Lines kept;

  for (const auto &l : splitLines(trace())) {
    bool keep = prefixes.empty();
    for (const auto &p : prefixes) keep = keep || l.compare(0, p.size(), p) == 0;
    if (keep) kept.push_back(l);
  }
  return kept;
}

std::string Dut::file(const std::string &path)
{
  return slurp(root + path);
}

bool Dut::exists(const std::string &path)
{
  struct stat st;

  return lstat((root + path).c_str(), &st) == 0;
}

void Dut::put(const std::string &path, const std::string &content)
{
  std::string full = root + path;

  for (size_t i = root.size() + 1; i < full.size(); i++)
    if (full[i] == '/') mkdir(full.substr(0, i).c_str(), 0755);
  std::ofstream(full, std::ios::binary | std::ios::trunc) << content;
}

void Dut::remove(const std::string &path)
{
  std::string rm = "rm -rf '" + root + path + "'";

  if (system(rm.c_str())) ADD_FAILURE() << "could not remove " << path;
}

const std::string gone = "<gone>";

void Dut::putAll(const Files &files)
{
  for (const auto &f : files) {
    if (f.second == gone)
      remove(f.first);
    else
      put(f.first, f.second);
  }
}

void Dut::script(const std::string &path, const std::string &body)
{
  remove(path);
  put(path, "#!/bin/sh\n" + body);
  if (chmod((root + path).c_str(), 0755)) ADD_FAILURE() << "could not make " << path << " executable";
}

std::vector<Example> examples(const std::string &path)
{
  std::ifstream in(path);
  std::vector<Example> all;
  std::string line;
  bool inBlock = false, open = false;

  EXPECT_TRUE(in.good()) << path;
  for (int n = 1; std::getline(in, line); n++) {
    if (!inBlock && line.rfind("```console", 0) == 0) {
      std::string model = line.size() > 11 ? line.substr(11) : "KR4410";
      all.push_back({n, model, {}});
      inBlock = true;
    } else if (inBlock && line == "```") {
      inBlock = false;
    } else if (inBlock && line.rfind("$ ", 0) == 0) {
      all.back().steps.push_back({line.substr(2), ""});
      open = true;
    } else if (inBlock && all.back().steps.empty()) {
      ADD_FAILURE() << path << ":" << n << ": output before any command";
    } else if (inBlock && line == "%") {
      // the output ends with the line before, without its line end
      std::string &out = all.back().steps.back().output;
      EXPECT_TRUE(open && !out.empty()) << path << ":" << n << ": % after no output";
      if (!out.empty()) out.pop_back();
      open = false;
    } else if (inBlock) {
      EXPECT_TRUE(open) << path << ":" << n << ": output after a closing %";
      all.back().steps.back().output += line + "\n";
    }
  }
  EXPECT_FALSE(inBlock) << path << ": the last block is not closed";
  return all;
}

std::string asShown(const std::string &out)
{
  std::string shown;

  for (char c : out) shown += c == '\r' ? std::string("^M") : std::string(1, c);
  return shown;
}
