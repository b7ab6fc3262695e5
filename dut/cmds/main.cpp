// dutsim: every device command of the simulated gateway.
#include <cstdio>
#include <cstring>

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
    {"factory", factory_main},
    {"links", links_main},
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

int main(int argc, char **argv)
{
  const char *base = strrchr(argv[0], '/');

  base = base ? base + 1 : argv[0];
  // "dutsim CMD ARGS" runs CMD as if started under its own name
  if (!strcmp(base, "dutsim")) {
    if (argc < 2) return usage("dutsim COMMAND [ARG...]");
    argc--;
    argv++;
    base = argv[0];
  }
  for (const auto &c : commands)
    if (!strcmp(base, c.name)) return c.run(argc, argv);
  fprintf(stderr, "dutsim: %s: no such command\n", base);
  return 127;
}
