// One run with nearly every action, options given in reverse: the device
// sees the blocks' work in the blocks' fixed order.
#include "dut_fixture.h"

using Order = Dut;

// Each marker is the first trace line a block leaves, looked for after
// the previous marker.
TEST_F(Order, BlocksReachTheDeviceInTheirOrder)
{
  const char *const markers[] = {
      "sh: sw 0xfffe8708 0x0",                                             // -E -F
      "sh: fwinfo -g boardID",                                             // -A
      "sh: cat /proc/nvram/ModemSerialNumber",                             // -g SN
      "call: cmsLck_acquireLockWithTimeoutTraced(saveToFlash, 5000)",      // -c
      "sh: echo > /proc/nvram/BaseMacAddr ",                               // -e
      "sh: /bin/restoredefault -r",                                        // -r
      "call: xdslCtl_GetConnectionInfo(0)",                                // -u -d -p
      "sh: wl -i wl0 obss_coex 0",                                         // -C
      "sh: wl -i wl1 obss_coex 1",                                         // -X
      "sh: wl -i wl0 obss_coex",                                           // -o
      "sh: cat /sys/bus/usb/devices/2-1/version",                          // -U
      "sh: echo 3 > /proc/sys/vm/drop_caches",                             // -t
      "sh: fwinfo -g boardID",                                             // -M
      "sh: nvram get wl0_radio",                                           // -l
      "sh: nvram get wl1_radio",                                           // -m
      "sh: wl country",                                                    // -D 1
      "sh: echo 1 > /proc/BtnMode",                                        // -B
      "call: cmsLck_acquireLockWithTimeoutTraced(get_nmode_dataRate, 5000)",   // -f
      "call: cmsLck_acquireLockWithTimeoutTraced(get_nmode_dataRate5g, 5000)", // -x
      "sh: wl -i wl0 obss_coex",                                           // -j
      "sh: wl -i wl1 obss_coex",                                           // -q
      "call: dalVoice_vodslStop()",                                        // -k
  };

  ASSERT_EQ(run({"usbplug", "1"}).status, 0);
  Result r = tarnel({"-k", "disable", "-q", "-j", "-x", "-f", "-B", "enable", "-D", "1", "-m", "-l",
                     "-b", "-M", "x", "-t", "x", "-U", "-o", "-X", "enable", "-C", "disable", "-p", "-d",
                     "-u", "-r", "-e", "-c", "-g", "SN", "-A", "x", "-E", "on", "-F", "B"});
  EXPECT_EQ(r.status, 0);
  Lines lines = traceLines();
  size_t at = 0;
  for (const char *m : markers) {
    while (at < lines.size() && lines[at] != m) at++;
    EXPECT_LT(at, lines.size()) << "not found in order: " << m;
    at++;
  }
}
