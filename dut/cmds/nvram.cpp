// nvram: variables as one file each under /var/dutsim/nvram, the value
// without line end.
#include <cstdio>
#include <cstring>
#include <unistd.h>

#include "cmds.h"

static bool goodName(const std::string &name)
{
  return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos;
}

bool nvramSet(const std::string &name, const std::string &value)
{
  return goodName(name) && writeFile("/var/dutsim/nvram/" + name, value);
}

int nvram_main(int argc, char **argv)
{
  const char *use = "nvram get NAME | set NAME[=VALUE] | unset NAME | show";
  std::string v;

  if (argc == 3 && !strcmp(argv[1], "get")) {
    // an unset variable prints nothing at all
    if (goodName(argv[2]) && readFile(std::string("/var/dutsim/nvram/") + argv[2], v))
      printf("%s\n", v.c_str());
    return 0;
  }
  if (argc >= 3 && !strcmp(argv[1], "set")) {
    std::string arg = joinArgs(2, argc, argv);
    size_t eq = arg.find('=');
    std::string name = arg.substr(0, eq);

    return nvramSet(name, eq == std::string::npos ? "" : arg.substr(eq + 1)) ? 0 : 1;
  }
  if (argc == 3 && !strcmp(argv[1], "unset")) {
    if (goodName(argv[2])) unlink(dutPath(std::string("/var/dutsim/nvram/") + argv[2]).c_str());
    return 0;
  }
  if (argc == 2 && !strcmp(argv[1], "show")) {
    for (const auto &n : listDir("/var/dutsim/nvram"))
      printf("%s=%s\n", n.c_str(), readValue("/var/dutsim/nvram/" + n).c_str());
    return 0;
  }
  return usage(use);
}
