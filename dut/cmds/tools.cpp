// The gateway's own tools: the store lock holder, the wireless setters,
// the restore of the default configuration and the commands that only
// leave a trace line.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

#include "cmds.h"

int cmslock_main(int argc, char **argv)
{
  if (argc != 2) return usage("cmslock MS");
  if (lockAcquire("cmslock", 3600 * 1000)) return 1;
  usleep((useconds_t)atol(argv[1]) * 1000);
  lockRelease("cmslock");
  return 0;
}

// The value of option opt: the words after it up to the next option of
// the tool, joined by blanks, so a value the shell split comes back whole.
static bool optValue(int argc, char **argv, const char *opt, const char *opts, std::string &v)
{
  for (int i = 1; i < argc; i++) {
    if (strcmp(argv[i], opt)) continue;
    int j = i + 1;
    while (j < argc && !(argv[j][0] == '-' && argv[j][1] && strchr(opts, argv[j][1]) && !argv[j][2]))
      j++;
    v = joinArgs(i + 1, j, argv);
    return true;
  }
  return false;
}

int wireless_set_main(int argc, char **argv)
{
  std::string v;
  bool done = false;

  if (optValue(argc, argv, "-A", "AZT", v)) done = nvramSet("wl1_ssid", v);
  if (optValue(argc, argv, "-T", "AZT", v)) done = nvramSet("wl0_wpa_psk", v);
  return done ? 0 : usage("wireless_set -A SSID -Z 1 | -T PASSPHRASE");
}

int wireless_main(int argc, char **argv)
{
  std::string v;

  if (!optValue(argc, argv, "-M", "zIGCHM", v)) return usage("wireless ... -M PIN");
  return nvramSet("wps_sta_pin", v) ? 0 : 1;
}

// The configuration back at the defaults; the board's factory entries stay.
int restoredefault_main(int argc, char **argv)
{
  if (argc != 2 || strcmp(argv[1], "-r")) return usage("restoredefault -r");
  trace("restoredefault: -r");
  return resetConfig(readValue("/var/dutsim/model")) ? 0 : 1;
}

int traceonly_main(int argc, char **argv)
{
  const char *base = strrchr(argv[0], '/');

  trace(std::string(base ? base + 1 : argv[0]) + ": " + joinArgs(1, argc, argv));
  return 0;
}

// Host side, not a device command: the factory state of a new root.
int factory_main(int argc, char **argv)
{
  if (argc != 3) return usage("dutsim factory MODEL ROOT");
  dutRoot = argv[2];
  if (writeFactoryState(argv[1])) return 0;
  fprintf(stderr, "dutsim: unknown model %s\n", argv[1]);
  return 1;
}

// Host side: "dutsim links DIR TARGET NAME..." makes DIR/NAME -> TARGET for
// every NAME in one go (a device root has hundreds of applet links); a "%"
// in TARGET stands for NAME.
int links_main(int argc, char **argv)
{
  if (argc < 3) return usage("dutsim links DIR TARGET NAME...");
  for (int i = 3; i < argc; i++) {
    std::string link = std::string(argv[1]) + "/" + argv[i];
    std::string target = argv[2];
    size_t pct = target.find('%');

    if (pct != std::string::npos) target.replace(pct, 1, argv[i]);

    unlink(link.c_str());
    if (symlink(target.c_str(), link.c_str())) {
      perror(link.c_str());
      return 1;
    }
  }
  return 0;
}
