// wl, fwinfo, multiLingual: the radios, the firmware versions and the
// language listing.
#include <cstdio>
#include <cstring>

#include "cmds.h"

static bool goodName(const char *name)
{
  return *name && strcmp(name, ".") && strcmp(name, "..") && !strchr(name, '/');
}

int wl_main(int argc, char **argv)
{
  const char *use = "wl country | wl -i IF obss_coex [0|1]";
  std::string v;

  if (argc == 2 && !strcmp(argv[1], "country")) {
    printf("%s\n", readValue("/var/dutsim/wl/country").c_str());
    return 0;
  }
  if (argc < 4 || strcmp(argv[1], "-i") || !goodName(argv[2]) || strcmp(argv[3], "obss_coex"))
    return usage(use);
  std::string state = std::string("/var/dutsim/wl/") + argv[2] + "/obss_coex";
  if (argc == 4) {
    if (!readFile(state, v)) {
      fprintf(stderr, "wl: %s: no such interface\n", argv[2]);
      return 1;
    }
    printf("%s\n", v.c_str());
    return 0;
  }
  if (argc == 5 && (!strcmp(argv[4], "0") || !strcmp(argv[4], "1"))) {
    if (!isDir(std::string("/var/dutsim/wl/") + argv[2])) {
      fprintf(stderr, "wl: %s: no such interface\n", argv[2]);
      return 1;
    }
    return writeFile(state, argv[4]) ? 0 : 1;
  }
  return usage(use);
}

int fwinfo_main(int argc, char **argv)
{
  std::string v;

  if (argc != 3 || strcmp(argv[1], "-g") || !goodName(argv[2]))
    return usage("fwinfo -g fw|boardID|wlan|time|cfe");
  if (!readFile(std::string("/var/dutsim/fwinfo/") + argv[2], v)) return 1;
  printf("%s\n", v.c_str());
  return 0;
}

int multiLingual_main(int argc, char **argv)
{
  std::string v;

  if (argc != 3 || strcmp(argv[1], "-s") || strcmp(argv[2], "-t")) return usage("multiLingual -s -t");
  if (readFile("/var/dutsim/languages", v)) fwrite(v.data(), 1, v.size(), stdout);
  return 0;
}
