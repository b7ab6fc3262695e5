// Which USB version each port's storage device speaks, and how many storage
// devices are attached. Only the kernel's pseudo-files are looked at: no
// device is mounted, opened or read here.

#include <cstdio>
#include <cstring>
#include <dirent.h>

#include "info/info.h"
#include "usb.h"

#define STORAGE_DIR "/proc/scsi/usb-storage"
#define USB_DEVICES "/sys/bus/usb/devices/"

// At most 4 characters of the version attribute and the terminator.
static char usbType0[5], usbType1[5];

// A port's device shows up on bus 2 (USB 2.0 host) or bus 3; the first one
// that exists is the one reported.
static const struct {
  const char *onBus[2];
  char *usbType;
} ports[] = {
    {{"2-1", "3-1"}, usbType0},
    {{"2-2", "3-2"}, usbType1},
};

static bool hasDir(const char *path)
{
  DIR *d = opendir(path);

  if (!d) return false;
  closedir(d);
  return true;
}

// The version text is kept as the kernel writes it, leading blank included
// (" 2.00" shows as " 2.0"): stations compare these lines as they are.
static void readPortVersion(int port)
{
  char dir[64], command[80];

  for (const char *dev : ports[port].onBus) {
    snprintf(dir, sizeof(dir), USB_DEVICES "%s", dev);
    if (!hasDir(dir)) continue;
    snprintf(command, sizeof(command), "cat %s/version", dir);
    readLine(command, ports[port].usbType, sizeof(usbType0));
    return;
  }
}

void GetUsbDeviceCheck()
{
  memset(usbType0, 0, sizeof(usbType0));
  memset(usbType1, 0, sizeof(usbType1));
  DIR *storage = opendir(STORAGE_DIR);
  if (!storage) {
    puts("No USB device is plug");
    return;
  }
  puts("show usb device");
  for (int port = 0; port < 2; port++) {
    readPortVersion(port);
    const char *type = ports[port].usbType;
    printf("USB %d: %s \n", port, type[0] ? type : "No USB device is Plug");
  }
  closedir(storage);
}

// Every entry but "." and ".." counts: the driver keeps one per attached
// device, named by its SCSI host number, and nothing else there.
int getUSBdeviceNum()
{
  DIR *storage = opendir(STORAGE_DIR);
  int n = 0;

  if (!storage) {
    puts("No USB device is plug");
    return 0;
  }
  while (struct dirent *e = readdir(storage))
    if (strcmp(e->d_name, ".") && strcmp(e->d_name, "..")) n++;
  closedir(storage);
  return n;
}
