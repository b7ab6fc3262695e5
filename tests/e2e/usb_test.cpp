// USB detection (-U) and the transfer-rate test (-t, -v) on sticks plugged
// in with the device's usbplug: output bytes, the command lines run, and
// the files left on the sticks. Rates are checked for form, not value.
#include <csignal>
#include <cstddef>
#include <fcntl.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <regex>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "dut_fixture.h"

static const char *const DROP = "sh: echo 3 > /proc/sys/vm/drop_caches";

class Usb : public Dut {
protected:
  // Sticks attached by usbplug ARGS, then the files changed.
  void attach(const std::vector<std::string> &plug, const Files &files = {})
  {
    std::vector<std::string> cmd = {"usbplug"};

    cmd.insert(cmd.end(), plug.begin(), plug.end());
    Result r = run(cmd);
    ASSERT_EQ(r.status, 0) << r.err;
    putAll(files);
  }

  // A file of this length that takes no room: it reads as zeros.
  bool sparse(const std::string &path, off_t size)
  {
    int fd = open((root + path).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    bool ok = fd >= 0 && ftruncate(fd, size) == 0;

    if (fd >= 0) close(fd);
    return ok;
  }

  // A device file's length; -1 when absent, -2 for a folder.
  long sizeOf(const std::string &path)
  {
    struct stat st;

    if (stat((root + path).c_str(), &st)) return -1;
    return S_ISDIR(st.st_mode) ? -2 : (long)st.st_size;
  }
};

// Every rate is a plain number with two decimals; a plausible non-zero one
// becomes "#", so rows can hold the rest byte for byte.
static std::string masked(const std::string &out)
{
  static const std::regex rate("Speed: ([0-9]+\\.[0-9]{2}) MB/s\n");
  std::string done;
  auto from = out.cbegin();

  for (std::sregex_iterator m(out.begin(), out.end(), rate), end; m != end; ++m) {
    double v = std::stod((*m)[1]);
    done.append(from, (*m)[0].first);
    done += (v > 0 && v < 1e6) ? "Speed: # MB/s\n" : m->str();
    from = (*m)[0].second;
  }
  return done.append(from, out.cend());
}

// One stick on bus 2's port 1 is the usage reference's example.
TEST_F(Usb, DeviceCheck)
{
  const std::string midVersion(600, 'x');
  const std::string v21 = "/sys/bus/usb/devices/2-1/version", v22 = "/sys/bus/usb/devices/2-2/version",
                    v31 = "/sys/bus/usb/devices/3-1/version", v32 = "/sys/bus/usb/devices/3-2/version";
  const std::string cat = "sh: cat ";
  const struct {
    const char *name;
    std::vector<std::string> plug;
    Files files;
    std::string out;
    Lines sh;
  } cases[] = {
      {"no storage driver: the ports are not looked at", {"0"}, {{v21, " 2.00\n"}},
       "No USB device is plug\n", {}},
      {"driver without a device on either port", {"1"}, {{"/sys/bus/usb/devices/2-1", gone}},
       "show usb device\nUSB 0: No USB device is Plug \nUSB 1: No USB device is Plug \n", {}},
      {"both buses: bus 2 wins", {"-b", "23", "2"}, {{v31, " 3.00\n"}, {v32, " 3.10\n"}},
       "show usb device\nUSB 0:  2.0 \nUSB 1:  2.0 \n", {cat + v21, cat + v22}},
      {"port 1 on bus 3, port 2 on bus 2", {"-b", "3", "1"}, {{v22, " 1.10\n"}},
       "show usb device\nUSB 0:  2.0 \nUSB 1:  1.1 \n", {cat + v31, cat + v22}},
      {"empty version", {"-v", "", "1"}, {{v21, ""}},
       "show usb device\nUSB 0: No USB device is Plug \nUSB 1: No USB device is Plug \n", {cat + v21}},
      {"short version kept with its line end", {"-v", "3", "1"}, {},
       "show usb device\nUSB 0: 3\n \nUSB 1: No USB device is Plug \n", {cat + v21}},
      {"600-byte version: four characters", {"-b", "3", "-v", midVersion, "2"}, {},
       "show usb device\nUSB 0: xxxx \nUSB 1: xxxx \n", {cat + v31, cat + v32}},
  };

  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    attach(c.plug, c.files);
    Result r = tarnel({"-U"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(traceLines({"sh: ", "call: "}), c.sh);
  }
}

TEST_F(Usb, TransferRate)
{
  const std::string one = "have 1 USB Device!\nStart Test USB0:\n";
  const std::string readOne = "Read file name:/mnt/var/usb/test.bin\nfile size=1000000\nRead Speed: # MB/s\n";
  const std::string writeOne = "Write file name:/mnt/var/usb/write.txt\n";
  const std::string range = "write file size out of range (0 to 2147483)!!\n";
  const std::string w0 = "/mnt/var/usb/write.txt", w1 = "/mnt/usb1/write.txt", w2 = "/mnt/usb2/write.txt";
  const struct {
    const char *name;
    std::vector<std::string> plug;
    Files files;
    std::vector<std::string> args;
    std::string out;
    Lines sh;
    // write.txt of each mount point: its length, -1 when absent, -2 a folder
    long written[3];
  } cases[] = {
      {"driver without devices", {"1"}, {{"/proc/scsi/usb-storage/0", gone}}, {"-t", "rw", "-v", "1"},
       "have 0 USB Device!\n", {}, {-1, -1, -1}},
      {"one device, read", {"-s", "1000000", "1"}, {}, {"-t", "r"},
       one + readOne, {DROP}, {-1, -1, -1}},
      {"one device, write 5", {"1"}, {}, {"-t", "w", "-v", "5"},
       one + writeOne + "count=5000 \nfile size=5 M Byte\n Write Speed: # MB/s\n", {DROP},
       {5120000, -1, -1}},
      {"two devices, two passes", {"-s", "1048576", "2"}, {}, {"-t", "rw", "-v", "2"},
       "have 2 USB Device!\nStart Test USB0:\nRead file name:/mnt/usb1/test.bin\nfile size=1048576\n"
       "Read Speed: # MB/s\nWrite file name:/mnt/usb1/write.txt\ncount=2000 \nfile size=2 M Byte\n"
       " Write Speed: # MB/s\nStart Test USB1:\nRead file name:/mnt/usb2/test.bin\n"
       "file size=1048576\nRead Speed: # MB/s\nWrite file name:/mnt/usb2/write.txt\n"
       "count=2000 \nfile size=2 M Byte\n Write Speed: # MB/s\n",
       {DROP, DROP}, {-1, 2048000, 2048000}},
      {"three devices, read: no heading, no path", {"-s", "10", "3"}, {}, {"-t", "r"},
       "have 3 USB Device!\nopen read file error!!\n", {DROP}, {-1, -1, -1}},
      {"three devices, write", {"-s", "10", "3"}, {}, {"-t", "w", "-v", "1"},
       "have 3 USB Device!\nopen wirte file error!!\n", {DROP}, {-1, -1, -1}},
      {"three devices, other mode", {"3"}, {}, {"-t", "none"},
       "have 3 USB Device!\n", {DROP, DROP, DROP}, {-1, -1, -1}},
      {"first test.bin missing: no further device", {"2"}, {}, {"-t", "rw", "-v", "1"},
       "have 2 USB Device!\nStart Test USB0:\nopen read file error!!\n", {DROP}, {-1, -1, -1}},
      {"write.txt cannot be opened", {"1"}, {{w0 + "/x", ""}}, {"-t", "w", "-v", "1"},
       one + "open wirte file error!!\n", {DROP}, {-2, -1, -1}},
      {"mode compared exactly", {"1"}, {}, {"-t", "RW", "-v", "1"}, one, {DROP}, {-1, -1, -1}},
      {"mode not a prefix", {"1"}, {}, {"-t", std::string(10240, 'r'), "-v", "1"}, one, {DROP}, {-1, -1, -1}},
      {"no size: an empty file", {"1"}, {{w0, std::string(5000, 'x')}}, {"-t", "w"},
       one + writeOne + "count=0 \nfile size=0 M Byte\n Write Speed: 0.00 MB/s\n", {DROP}, {0, -1, -1}},
      {"negative size", {"1"}, {{w0, "kept"}}, {"-t", "w", "-v", "-1"}, one + range, {DROP},
       {4, -1, -1}},
      {"bad size after the read: no further device", {"-s", "1000000", "2"}, {},
       {"-t", "rw", "-v", "-5"},
       "have 2 USB Device!\nStart Test USB0:\nRead file name:/mnt/usb1/test.bin\nfile size=1000000\n"
       "Read Speed: # MB/s\n" + range,
       {DROP}, {-1, -1, -1}},
  };

  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    attach(c.plug, c.files);
    Result r = tarnel(c.args);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(masked(r.out), c.out);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(traceLines({"sh: ", "call: "}), c.sh);
    const std::string written[] = {w0, w1, w2};
    for (int i = 0; i < 3; i++) {
      EXPECT_EQ(sizeOf(written[i]), c.written[i]) << written[i];
      if (c.written[i] > 4) {
        EXPECT_EQ(file(written[i]).find_first_not_of('B'), std::string::npos) << written[i];
      }
    }
  }
}

// test.bin at the read test's 32-bit size limit: the largest file it takes
// is read whole and its size printed as the positive number it is; a larger
// one ends the read test with a message, and nothing is read or written.
TEST_F(Usb, ReadFileSizeLimits)
{
  const std::string bin = "/mnt/var/usb/test.bin";
  const std::string head = "have 1 USB Device!\nStart Test USB0:\nRead file name:" + bin + "\n";
  const struct {
    const char *name;
    off_t size;  // a sparse file of this length
    std::vector<std::string> args;
    std::string out;
  } cases[] = {
      {"2 GiB less a byte", 2147483647LL, {"-t", "r"}, head + "file size=2147483647\nRead Speed: # MB/s\n"},
      {"2 GiB", 2147483648LL, {"-t", "rw", "-v", "1"}, head + "read file too large (2 GiB or more)!!\n"},
      {"4 GiB and 1000 bytes", 4294968296LL, {"-t", "rw", "-v", "1"},
       head + "read file too large (2 GiB or more)!!\n"},
  };

  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    attach({"1"});
    ASSERT_TRUE(sparse(bin, c.size));
    Result r = tarnel(c.args);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(masked(r.out), c.out);
    EXPECT_FALSE(exists("/mnt/var/usb/write.txt"));
  }
}

// fsync and fdatasync end the process that calls them, whatever it is
// (tarnel, or qemu running it), with SIGSYS.
static void forbidSync()
{
  static struct sock_filter code[] = {
      BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(struct seccomp_data, nr)),
      BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_fsync, 1, 0),
      BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_fdatasync, 0, 1),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_KILL_PROCESS),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
  };
  struct sock_fprog prog = {sizeof(code) / sizeof(code[0]), code};

  prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0);
  prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &prog);
}

// The written blocks are synced to the stick inside the timed span, so the
// rate is the stick's and not the page cache's: where a sync ends the
// caller, the write test ends after its blocks and before its rate.
TEST_F(Usb, WriteTestSyncsTheStick)
{
  attach({"1"});
  inChild = forbidSync;
  Result r = tarnel({"-t", "w", "-v", "1"});
  EXPECT_EQ(r.status, 128 + SIGSYS);
  EXPECT_EQ(sizeOf("/mnt/var/usb/write.txt"), 1024000);
  EXPECT_EQ(r.out.find("Write Speed"), std::string::npos) << r.out;
}
