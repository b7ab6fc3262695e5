// dutsim: every device command of the simulated gateway.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include "cmds.h"

static const struct {
  const char *name;
  int (*run)(int, char **);
} commands[] = {
    {"sh", sh_main},
    {"nvram", nvram_main},
    {"wl", wl_main},
    {"fwinfo", fwinfo_main},
    {"sw", sw_main},
    {"dumpmem", dumpmem_main},
    {"ethswctl", ethswctl_main},
    {"cmslock", cmslock_main},
    {"wireless_set", wireless_set_main},
    {"wireless", wireless_main},
    {"restoredefault", restoredefault_main},
    {"multiLingual", multiLingual_main},
    {"nvramUpdate", traceonly_main},
    {"psictl", traceonly_main},
    {"tarcli", tarcli_main},
    {"asterisk", asterisk_main},
    {"usbplug", usbplug_main},
    {"btnpress", btnpress_main},
    {"ledstate", ledstate_main},
    {"reboot", reboot_main},
    // host side
    {"factory", factory_main},
    {"links", links_main},
    {"supervise", supervise_main},
    {"hold", hold_main},
    {"freeport", freeport_main},
};

std::string joinArgs(int from, int argc, char **argv)
{
  std::string s;

  for (int i = from; i < argc; i++) {
    if (i > from) s += ' ';
    s += argv[i];
  }
  return s;
}

int usage(const char *text)
{
  fprintf(stderr, "usage: %s\n", text);
  return 1;
}

// TEXT of a "print" fault with its escapes \n \r \t \\ turned into bytes;
// any other backslash stays.
static std::string unescape(const std::string &text)
{
  static const char escapes[][2] = {{'n', '\n'}, {'r', '\r'}, {'t', '\t'}, {'\\', '\\'}};
  std::string out;

  for (size_t i = 0; i < text.size(); i++) {
    char c = text[i];

    for (const auto &e : escapes) {
      if (c != '\\' || i + 1 >= text.size() || text[i + 1] != e[0]) continue;
      c = e[1];
      i++;
      break;
    }
    out += c;
  }
  return out;
}

// A command run under the fault cmd:NAME: "exit N" fails with N doing
// nothing; "hang MS" waits MS milliseconds first; "silent" does the work
// and prints nothing; "print TEXT" does the work and prints TEXT in place
// of its output. Its standard error stays as it is.
static int runFaulty(int (*run)(int, char **), const std::string &fault, int argc, char **argv)
{
  if (!fault.compare(0, 5, "exit ")) return atoi(fault.c_str() + 5);
  if (!fault.compare(0, 5, "hang ")) usleep((useconds_t)atol(fault.c_str() + 5) * 1000);
  bool print = !fault.compare(0, 6, "print ");
  if (fault != "silent" && !print) return run(argc, argv);

  fflush(stdout);
  int out = dup(1), null = open("/dev/null", O_WRONLY);
  dup2(null, 1);
  close(null);
  int status = run(argc, argv);
  fflush(stdout);
  dup2(out, 1);
  close(out);
  if (print) {
    std::string text = unescape(fault.substr(6));
    fwrite(text.data(), 1, text.size(), stdout);
  }
  return status;
}

int main(int argc, char **argv)
{
  const char *base = strrchr(argv[0], '/');

  base = base ? base + 1 : argv[0];
  // a login shell is started as "-sh"
  if (*base == '-') base++;
  // "dutsim CMD ARGS" runs CMD as if started under its own name
  if (!strcmp(base, "dutsim")) {
    if (argc < 2) return usage("dutsim COMMAND [ARG...]");
    argc--;
    argv++;
    base = argv[0];
  }
  for (const auto &c : commands) {
    if (strcmp(base, c.name)) continue;
    std::string fault = faultValue(std::string("cmd:") + base);

    return fault.empty() ? c.run(argc, argv) : runFaulty(c.run, fault, argc, argv);
  }
  fprintf(stderr, "dutsim: %s: no such command\n", base);
  return 127;
}
