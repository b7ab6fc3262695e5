// usbplug: USB storage devices plugged into the simulated gateway, shown as
// the kernel and the platform show them: one entry per device under
// /proc/scsi/usb-storage (the folder exists only while one is attached), a
// device folder with its version attribute for each of the two ports on
// bus 2, bus 3 or both, and the stick's files under the folder the
// platform mounts it on. The sticks are real folders with real files, so a
// throughput test reads and writes real data.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

#include "cmds.h"

#define STORAGE_DIR "/proc/scsi/usb-storage"

static const char *const portDevices[] = {"2-1", "2-2", "3-1", "3-2"};
static const char *const mountPoints[] = {"/mnt/var/usb", "/mnt/usb1", "/mnt/usb2"};

// One stick alone is mounted on /mnt/var/usb; two on /mnt/usb1 and
// /mnt/usb2. A third sits behind a hub and the platform mounts no more than
// two, so it has its storage entry only; nullptr then.
static const char *mountOf(int device, int devices)
{
  if (devices == 1) return mountPoints[0];
  return device < 2 ? mountPoints[device + 1] : nullptr;
}

// Every stick out: no storage folder, no port devices, empty mount points.
static void unplugAll()
{
  removeTree(STORAGE_DIR);
  for (const char *dev : portDevices) removeTree(std::string("/sys/bus/usb/devices/") + dev);
  for (const char *dir : mountPoints)
    for (const auto &name : listDir(dir)) removeTree(std::string(dir) + "/" + name);
}

// test.bin of the given length, written in 64 KiB pieces of a byte pattern.
static bool writeTestFile(const std::string &path, unsigned long long bytes)
{
  static char block[65536];
  FILE *out = fopen(dutPath(path).c_str(), "wb");

  if (!out) return false;
  for (size_t i = 0; i < sizeof(block); i++) block[i] = (char)(i * 7 + 1);
  while (bytes) {
    size_t n = bytes < sizeof(block) ? (size_t)bytes : sizeof(block);

    if (fwrite(block, 1, n, out) != n) break;
    bytes -= n;
  }
  return fclose(out) == 0 && bytes == 0;
}

static bool plug(int device, const char *buses, const std::string &version)
{
  char entry[64], text[128];

  snprintf(entry, sizeof(entry), STORAGE_DIR "/%d", device);
  snprintf(text, sizeof(text), "   Host scsi%d: usb-storage\n       Vendor: dutsim\n"
                               "      Product: USB stick %d\n", device, device + 1);
  if (!makeDirs(STORAGE_DIR) || !writeFile(entry, text)) return false;
  if (device >= 2) return true;
  for (const char *bus = buses; *bus; bus++) {
    std::string dir = std::string("/sys/bus/usb/devices/") + *bus + "-" + char('1' + device);

    if (!makeDirs(dir) || !writeFile(dir + "/version", version)) return false;
  }
  return true;
}

int usbplug_main(int argc, char **argv)
{
  const char *use = "usbplug [-b 2|3|23] [-v VERSION] [-s BYTES] N";
  const char *buses = "2";
  // the kernel writes bcdUSB as "%2x.%02x"
  std::string version = " 2.00\n";
  long long bytes = -1;
  int opt;

  while ((opt = getopt(argc, argv, "b:v:s:")) != -1) {
    if (opt == 'b' && (!strcmp(optarg, "2") || !strcmp(optarg, "3") || !strcmp(optarg, "23")))
      buses = optarg;
    else if (opt == 'v')
      version = std::string(optarg) + "\n";
    else if (opt == 's' && *optarg >= '0' && *optarg <= '9')
      bytes = atoll(optarg);
    else
      return usage(use);
  }
  if (optind != argc - 1 || argv[optind][0] < '0' || argv[optind][0] > '3' || argv[optind][1])
    return usage(use);
  int devices = argv[optind][0] - '0';
  // a station's fault: no stick at all, or sticks of another version
  std::string fault = faultValue("usb");
  if (fault == "none") devices = 0;
  if (!fault.compare(0, 8, "version ")) version = fault.substr(8) + "\n";

  unplugAll();
  for (int i = 0; i < devices; i++) {
    const char *mount = mountOf(i, devices);

    if (!plug(i, buses, version)) return 1;
    if (!mount) continue;
    if (!makeDirs(mount)) return 1;
    if (bytes >= 0 && !writeTestFile(std::string(mount) + "/test.bin", bytes)) return 1;
  }
  return 0;
}
