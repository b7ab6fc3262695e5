// A hostile device: commands that print 100 kB lines, every byte value, no
// line end or nothing at all; flash entries that are folders or cannot be
// read; /tmp missing or read-only; commands missing. tarnel never crashes,
// prints only what the device gave it and its own texts, and keeps the
// readers' rules: "N/A", an empty value, a line cut at 511 characters.
#include <cctype>
#include <sys/stat.h>
#include <unistd.h>

#include "dut_fixture.h"

static const char *const flashEntries[] = {
    "BaseMacAddr", "BasePreShareKey", "BasePreShareKey_5g", "BoardFlag", "DectRFPI",
    "HWID",        "ModemSerialNumber", "ssid",             "wps_device_pin",
};

static const std::vector<std::string> valueCommands = {"/bin/fwinfo", "/bin/nvram", "/bin/wl",
                                                       "/bin/multiLingual"};

// What a listing prints when every command and flash entry gives the line
// "abc 12" without a line end: "abc 12" stands for the value as read,
// "ABC:" for the LAN MAC made from it (blanks to colons, upper case, the
// last character dropped, the one before it the line end). The plain
// report runs the web line's readers through the same first-line read.
static const struct {
  std::vector<std::string> args;
  const char *out;
} listings[] = {
    {{"-s"},
     "LAN_MAC ABC:\nWAN_MAC_1 N/A\nWAN_MAC_2 N/A\nWAN_MAC_3 N/A\nWLAN_2.4G_MAC abc 12WLAN_5G_MAC "
     "abc 12SN abc 12PIN Code abc 12SSID_2.4G abc 12SSID_5G abc 12passphrase_2.4G abc 12\n"
     "passphrase_5G abc 12\nWPS_PIN abc 12"},
    {{"-a", "-w"},
     "abc 12abc 12\nabc 12\n[{'FW Version:':'abc 12','Serial number:':'abc 12','2.4G SSID:':'abc "
     "12','2.4G PassPhrase:':'abc 12','2.4G Data rate:':'600 Mbps','2.4G Channel:':'abc 12','2.4G "
     "Coexist:':'disable','5G SSID:':'abc 12','5G PassPhrase:':'abc 12','5G Data rate:':'2167 "
     "Mbps','5G Channel:':'abc 12','5G Coexist:':'disable','2.4G WLAN MAC:':'abc 12','5G WLAN "
     "MAC:':'abc 12','LAN MAC:':'ABC:','WAN MAC 1:':'N/A','WAN MAC 2:':'N/A','WAN MAC 3:':'N/A',"
     "'PIN Code:':'abc 12','Region:':'abc 12','Language:':'ENG','Board HW ID:':'abc 12','Board "
     "Model ID:':'abc 12','2.4GWLAN Status:':'enable','5GWLAN Status:':'enable','Bootloader "
     "Version:':'abc 12','ADSL Modem Code Version:':'A2pv6F039v.d26d','WLAN Version:':'abc 12',"
     "'ADSL downstream link rate:':'24576 Kbps','ADSL upstream link rate:':'1023 Kbps','Build "
     "time:':'abc 12','DECT Version:':'N/A','DECT RFPI:':'abc 12','DECT Handset:':'N/A','FACTORY "
     "MODE:':'N/A','Start Page:':'N/A','WAN1 link status:':'1000M','WAN2 link status:':'N/A','WAN3 "
     "link status:':'N/A',}]\n"},
};

static std::string replaceAll(std::string s, const std::string &from, const std::string &to)
{
  for (size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size()))
    s.replace(at, from.size(), to);
  return s;
}

class Hostile : public Dut {
protected:
  // The commands print data, and nothing else, from now on.
  void printing(const std::vector<std::string> &commands, const std::string &data)
  {
    put("/var/hostile/out", data);
    for (const auto &c : commands) script(c, "cat /var/hostile/out\n");
  }

  void flashHolds(const std::string &data)
  {
    for (const char *e : flashEntries) put(std::string("/proc/nvram/") + e, data);
  }
};

// Long lines are cut at 511 characters, a NUL ends a value, a value without
// line end runs into the next label; the listings keep their order and
// their own texts.
TEST_F(Hostile, EveryListingWithOddLines)
{
  // every byte value but the line end, then a NUL that ends the value
  std::string everyByteValue;
  for (int b = 1; b < 256; b++)
    if (b != '\n') everyByteValue += (char)b;
  everyByteValue += std::string(1, '\0') + "after the NUL\n";
  const std::string longLine = std::string(100000, 'x') + "\n";
  const struct {
    const char *what;
    std::string data;  // what every command prints and every flash entry holds
    std::string value; // the value a reader takes from it
  } kinds[] = {
      {"no line end", "abc 12", "abc 12"},
      // a device value that reads "N/A" is a value: no line end is added
      {"N/A without line end", "N/A", "N/A"},
      {"100 kB line", longLine, longLine.substr(0, 511)},
      {"every byte value", everyByteValue, everyByteValue.substr(0, 254)},
  };

  for (const auto &k : kinds) {
    printing(valueCommands, k.data);
    flashHolds(k.data);
    std::string mac = k.value.substr(0, k.value.size() - 2);
    for (char &c : mac) c = c == ' ' ? ':' : (char)toupper((unsigned char)c);
    for (const auto &l : listings) {
      SCOPED_TRACE(std::string(k.what) + ": " + words(l.args));
      Result r = tarnel(l.args);
      EXPECT_EQ(r.status, 0);
      EXPECT_EQ(r.out, replaceAll(replaceAll(l.out, "ABC:", mac), "abc 12", k.value));
    }
  }
}

// Commands that print nothing, and flash that reads as erased (0xFF):
// the "N/A" rules of each value.
TEST_F(Hostile, SilentCommandsAndErasedFlash)
{
  const std::string ff = "\xff\xff\xff\xff";
  const struct {
    std::vector<std::string> args;
    std::string silent, erased;
  } cases[] = {
      {{"-g", "LAN_MAC"}, "N/A\n", "\xff\xff\n"},
      {{"-g", "WLAN_2.4G_MAC"}, "2.4G WLAN MAC ", "2.4G WLAN MAC " + ff},
      {{"-g", "WLAN_5G_MAC"}, "5G WLAN MAC N/A\n", "5G WLAN MAC " + ff},
      {{"-g", "SN"}, "SN ", "SN " + ff},
      {{"-g", "PINCode"}, "PIN Code ", "PIN Code N/A\n"},
      {{"-g", "SSID_2.4G"}, "SSID_2.4G ", "SSID_2.4G " + ff},
      {{"-g", "SSID_5G"}, "SSID_5G N/A\n", "SSID_5G " + ff},
      {{"-g", "passphrase_2.4G"}, "N/A\n", "N/A\n"},
      {{"-g", "passphrase_5G"}, "N/A\n", "N/A\n"},
      {{"-g", "WPS_PIN"}, "WPS_PIN ", "WPS_PIN " + ff},
      {{"-M", "x"}, "", ff},
      {{"-l", "-m"}, "enable\nenable\n", "enable\nenable\n"},
      {{"-o"}, "Coexistence_2.4G disable\nCoexistence_5G disable\n",
       "Coexistence_2.4G disable\nCoexistence_5G disable\n"},
      {{"-D", "1"}, "", ff},
      {{"-D", "0"}, "ENG\n", "ENG\n"},
      // what the readers print before the report: 5 GHz channel, board
      // HW ID, DECT RFPI
      {{"-a", "-w"}, "N/A\nN/A\nN/A\n[{", ff + "N/A\nN/A\n[{"},
  };

  for (bool erased : {false, true}) {
    printing(valueCommands, erased ? ff : "");
    flashHolds(erased ? ff : "");
    for (const auto &c : cases) {
      SCOPED_TRACE(words(c.args) + (erased ? "erased" : "silent"));
      Result r = tarnel(c.args);
      const std::string &want = erased ? c.erased : c.silent;
      EXPECT_EQ(r.status, 0);
      if (want.size() > 2 && want.compare(want.size() - 2, 2, "[{") == 0) {
        EXPECT_EQ(r.out.substr(0, want.size()), want);
        EXPECT_EQ(r.out.substr(r.out.size() - 3), "}]\n");
      } else {
        EXPECT_EQ(r.out, want);
      }
    }
  }
}

// Flash entries and staging files that are folders, or files that cannot
// be read (capabilities dropped, so root obeys the modes): the readers' cat
// prints nothing, as a silent command does; nothing is read from them, nothing staged is taken from them, and a commit runs no step
// for them instead of writing an empty value over the stored one.
TEST_F(Hostile, FlashAndStagingThatCannotBeRead)
{
  const char *readEntries[] = {"BaseMacAddr", "BasePreShareKey", "BasePreShareKey_5g", "DectRFPI",
                               "HWID", "ModemSerialNumber", "wps_device_pin"};
  const char *staged[] = {"/tmp/Lan_MAC.txt", "/tmp/SSID_2_4G.txt", "/tmp/SN.txt", "/tmp/WPSPSK.txt"};
  const struct {
    std::vector<std::string> args;
    std::string out;
  } cases[] = {
      {{"-g", "LAN_MAC"}, "N/A\n"},
      {{"-g", "SSID_2.4G"}, "SSID_2.4G KR4410-1001\n"},
      {{"-c"}, ""},
      // 5 GHz channel, the language listing, board HW ID, DECT RFPI
      {{"-a", "-w"}, "36\nENG,DEU,FRAN/A\nN/A\n[{"},
  };

  for (bool folders : {true, false}) {
    for (const char *e : readEntries) {
      std::string path = std::string("/proc/nvram/") + e;
      remove(path);
      put(path + (folders ? "/x" : ""), "STORED");
      if (!folders) chmod((root + path).c_str(), 0);
    }
    for (const char *s : staged) {
      put(std::string(s) + (folders ? "/x" : ""), "STAGED");
      if (!folders) chmod((root + s).c_str(), 0);
    }
    for (const auto &c : cases) {
      SCOPED_TRACE(words(c.args) + (folders ? "folders" : "unreadable"));
      Result r = tarnel(c.args, {"DUT_CAPS=drop"});
      EXPECT_EQ(r.status, 0);
      EXPECT_EQ(r.out.substr(0, c.out.size()), c.out);
      if (c.out.find("[{") == std::string::npos) {
        EXPECT_EQ(r.out, c.out);
      }
      if (c.args[0] == "-c") {
        EXPECT_EQ(traceLines({"sh: "}), Lines{});
      }
    }
    for (const char *s : staged) remove(s);
  }
}

// A /tmp that cannot be written leaves what was staged before; a missing
// /tmp stages nothing and commits nothing staged. Every other action goes on.
TEST_F(Hostile, TmpReadOnlyOrMissing)
{
  put("/tmp/SN.txt", "OLDSN");
  Result r = tarnel({"-i", "-S", "NEWSN", "-c", "-D", "0"}, {"DUT_RO=/tmp"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "ENG\n");
  EXPECT_EQ(traceLines({"sh: "}), (Lines{"sh: echo OLDSN > /proc/nvram/ModemSerialNumber",
                                         "sh: /bin/multiLingual -s -t > /tmp/Language.txt"}));
  EXPECT_EQ(file("/tmp/SN.txt"), "OLDSN");
  EXPECT_EQ(run({"ls", "-a", "/tmp"}).out, ".\n..\nSN.txt\n");

  remove("/tmp");
  r = tarnel({"-i", "-L", "001122334455", "-c", "-g", "LAN_MAC", "-D", "0", "-b"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "00:1A:2B:44:10:01\nENG\n");
  EXPECT_EQ(traceLines({"sh: "}), (Lines{"sh: cat /proc/nvram/BaseMacAddr",
                                         "sh: /bin/multiLingual -s -t > /tmp/Language.txt"}));
  EXPECT_FALSE(exists("/tmp"));
}

// Device commands that are not there: the shell says so on stderr, the
// values are empty or "N/A", and every block still runs its command lines.
TEST_F(Hostile, MissingCommands)
{
  for (const char *c : {"/bin/nvram", "/bin/wl", "/bin/fwinfo", "/bin/dumpmem", "/bin/ethswctl",
                        "/bin/sw", "/bin/wireless_set", "/bin/wireless", "/bin/multiLingual",
                        "/bin/tarcli", "/usr/sbin/asterisk"})
    remove(c);
  const struct {
    std::vector<std::string> args;
    std::string out;
    Lines sh;
  } cases[] = {
      {{"-i", "-L", "00:11:22:33:44:55", "-c"}, "",
       {"sh: echo 00:11:22:33:44:55 > /proc/nvram/BaseMacAddr",
        "sh: nvram set lan_hwaddr=00:11:22:33:44:55"}},
      // no board identifier, so no model and no LED work
      {{"-A", "enable"}, "", {"sh: fwinfo -g boardID"}},
      {{"-C", "enable", "-o"}, "Coexistence_2.4G disable\nCoexistence_5G disable\n",
       {"sh: wl -i wl0 obss_coex 1", "sh: wl -i wl0 obss_coex", "sh: wl -i wl1 obss_coex"}},
  };

  for (const auto &c : cases) {
    SCOPED_TRACE(words(c.args));
    Result r = tarnel(c.args);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(traceLines({"sh: "}), c.sh);
  }
  Result r = tarnel({"-a", "-w"});
  EXPECT_EQ(r.status, 0);
  const std::string before = "N/A\nKR4410-HW-B1\n\n023F8A10C8\n\n[{";
  EXPECT_EQ(r.out.substr(0, before.size()), before);
  EXPECT_EQ(r.out.substr(r.out.size() - 3), "}]\n");
}

// The button record and the USB attributes with odd bytes, or a folder
// where a file should be.
TEST_F(Hostile, ButtonAndUsbFiles)
{
  std::string bytes;
  for (int b = 1; b < 256; b++)
    if (b != '\n' && b != '&') bytes += (char)b;
  const std::string version = "/sys/bus/usb/devices/2-1/version", other = "/sys/bus/usb/devices/2-2/version";
  ASSERT_EQ(run({"usbplug", "2"}).status, 0);
  const struct {
    const char *what;
    Files files;
    std::vector<std::string> args;
    std::string out;
  } cases[] = {
      // a NUL ends the line's text: C and D after it are not seen
      {"record with every byte value",
       {{"/tmp/button.txt", "A&" + bytes + "&\nB" + std::string(1, '\0') + "C&D&\n"}}, {"-b"},
       "A\n" + bytes + "\nB\n"},
      {"odd version bytes, a folder for the other",
       {{version, "\xff" + std::string(1, '\0') + "\x01"}, {other, gone}, {other + "/x", ""}}, {"-U"},
       "show usb device\nUSB 0: \xff \nUSB 1: No USB device is Plug \n"},
      {"storage driver folder is a file", {{"/proc/scsi/usb-storage", gone}, {"/proc/scsi/usb-storage", "0\n"}},
       {"-U", "-t", "rw"}, "No USB device is plug\nNo USB device is plug\nhave 0 USB Device!\n"},
  };

  for (const auto &c : cases) {
    SCOPED_TRACE(c.what);
    putAll(c.files);
    Result r = tarnel(c.args);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, c.out);
  }
}

// A FIFO, a device node or a folder where tarnel reads or writes a file of
// its own counts as a file that does not open: it is never waited on, a
// commit erases no stored value with it, and the listing command does not
// write into it. Each run is bounded, so one that waits fails, not hangs.
TEST_F(Hostile, OnlyRegularFilesAreReadAsFiles)
{
  const std::string head = "have 1 USB Device!\nStart Test USB0:\n";
  const std::string drop = "sh: echo 3 > /proc/sys/vm/drop_caches";
  const struct {
    std::string path;
    std::vector<std::string> args;
    std::string out;
    Lines sh;
  } cases[] = {
      {"/tmp/SN.txt", {"-c"}, "", {}},
      {"/tmp/Lan_MAC.txt", {"-g", "LAN_MAC"}, "00:1A:2B:44:10:01\n", {"sh: cat /proc/nvram/BaseMacAddr"}},
      {"/tmp/SSID_2_4G.txt", {"-g", "SSID_2.4G"}, "SSID_2.4G KR4410-1001\n", {"sh: nvram get wl0_ssid"}},
      {"/tmp/button.txt", {"-b"}, "", {}},
      {"/tmp/Language.txt", {"-D", "0"}, "ENG\n", {}},
      {"/mnt/var/usb/test.bin", {"-t", "r"}, head + "open read file error!!\n", {drop}},
      {"/mnt/var/usb/write.txt", {"-t", "w", "-v", "1"}, head + "open wirte file error!!\n", {drop}},
  };

  ASSERT_EQ(run({"usbplug", "1"}).status, 0);
  for (const std::string kind : {"FIFO", "device node", "folder"}) {
    for (const auto &c : cases) {
      SCOPED_TRACE(kind + " at " + c.path);
      std::string at = root + c.path;
      remove(c.path);
      if (kind == "FIFO") {
        ASSERT_EQ(mkfifo(at.c_str(), 0644), 0);
      }
      if (kind == "device node") {
        ASSERT_EQ(symlink("/dev/null", at.c_str()), 0);
      }
      if (kind == "folder") {
        ASSERT_EQ(mkdir(at.c_str(), 0755), 0);
      }
      std::vector<std::string> cmd = {"timeout", "-s", "KILL", "20", "tarnel"};
      cmd.insert(cmd.end(), c.args.begin(), c.args.end());
      clearTrace();
      Result r = run(cmd);
      EXPECT_EQ(r.status, 0);
      EXPECT_EQ(r.out, c.out);
      EXPECT_EQ(traceLines({"sh: "}), c.sh);
      remove(c.path);
    }
  }
}
