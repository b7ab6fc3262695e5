// Read and write throughput of each attached storage device.
//
// The read test reads test.bin, which the station puts on each stick, from
// start to end; the write test writes write.txt of -v SIZE thousand blocks
// and leaves it there. Each is timed from just before the first block to
// just after the close, the written data synced to the stick before it:
// opening, the size measurement and the messages are outside the span, so
// the figure is the transfer alone. A test file that is no regular file (a
// FIFO, a device node, a folder) counts as one that does not open.

// The build gives every file 64-bit offsets: on the 32-bit gateway too a
// test.bin of 2 GiB or more opens and is measured, so the station is told
// it is too large rather than that it cannot be opened.
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/time.h>
#include <unistd.h>

#include "cli/cli.h"
#include "info/info.h"
#include "usb.h"

// Where the platform mounts the sticks, by how many there are. With three
// or more it mounts none we know of, so no heading and no path is chosen
// and the first test tried fails to open.
static const struct {
  const char *heading, *dir;
} mounts[2][2] = {
    {{"Start Test USB0:", "/mnt/var/usb"}},
    {{"Start Test USB0:", "/mnt/usb1"}, {"Start Test USB1:", "/mnt/usb2"}},
};

static char dataBuf[1024];
static char readFilePath[30], writeFilePath[30];
static struct timeval tv, tv2;
static uint64_t start_utime, end_utime, runtime;
static unsigned long filesize;
static int count;
static float readRate, writeRate;
static FILE *bfp, *wfp;

// atoi's reading of the size (leading blanks, a sign, the digits up to the
// first other character, 0 when there are none), with the range checked:
// the block count is an int, so at most 2147483 thousand blocks, and a
// negative count would make a nonsense size line.
bool writeBlockCount(const char *size, int *blocks)
{
  errno = 0;
  long n = strtol(size, nullptr, 10);
  if (errno == ERANGE || n < 0 || n > INT_MAX / 1000) return false;
  *blocks = (int)n * 1000;
  return true;
}

// Units per second, in single precision: each operand converted first and
// each division done in float, in this order. A span shorter than the
// clock's microsecond counts as one, so the line never shows inf or nan.
float rateOf(uint32_t amount, float unit, uint64_t us)
{
  if (us == 0) us = 1;
  return ((float)amount / unit) / ((float)us / 1000000.0f);
}

// Reads to the end in 1024-byte blocks, at least one read. A read error
// (a stick pulled during the test) ends it too: false then.
bool readToEnd(FILE *in)
{
  do
    fread(dataBuf, sizeof(dataBuf), 1, in);
  while (!feof(in) && !ferror(in));
  return !ferror(in);
}

// Seconds and microseconds in 64 bits: on the gateway both are 32-bit longs.
static uint64_t microseconds(const struct timeval &t)
{
  return (uint64_t)t.tv_sec * 1000000 + (uint64_t)t.tv_usec;
}

static void startClock()
{
  gettimeofday(&tv, nullptr);
  start_utime = microseconds(tv);
}

static void stopClock()
{
  gettimeofday(&tv2, nullptr);
  end_utime = microseconds(tv2);
  runtime = end_utime - start_utime;
}

// The size of test.bin, which has to fit filesize on the gateway (a 32-bit
// long, printed with %ld): below 2 GiB. False, with the reason printed,
// when it is not known or too large.
static bool measureReadFile()
{
  off_t size = -1;

  if (fseeko(bfp, 0, SEEK_END) == 0) size = ftello(bfp);
  if (size < 0 || fseeko(bfp, 0, SEEK_SET) != 0) {
    puts("read file size error!!");
    return false;
  }
  // the same limit on the host as on the gateway
  if (size > 0x7fffffff) {
    puts("read file too large (2 GiB or more)!!");
    return false;
  }
  filesize = (unsigned long)size;
  printf("file size=%ld\n", (long)filesize);
  return true;
}

// False when the test could not run; the whole measurement ends then.
static bool readTest()
{
  bfp = openRegular(readFilePath, O_RDWR, "r+b");
  if (!bfp) {
    puts("open read file error!!");
    return false;
  }
  printf("Read file name:%s\n", readFilePath);
  if (!measureReadFile()) {
    fclose(bfp);
    return false;
  }
  startClock();
  bool whole = readToEnd(bfp);
  // closing is all an input stream needs; flushing one is not defined in C
  fclose(bfp);
  stopClock();
  if (!whole) {
    puts("read file error!!");
    return false;
  }
  readRate = rateOf((uint32_t)filesize, 1000000.0f, runtime);
  printf("Read Speed: %.2f MB/s\n", readRate);
  return true;
}

static bool writeTest()
{
  int blocks;

  memset(dataBuf, 'B', sizeof(dataBuf));
  // checked before the open, so a bad size leaves write.txt as it was
  if (!writeBlockCount(write_file_size.c_str(), &blocks)) {
    puts("write file size out of range (0 to 2147483)!!");
    return false;
  }
  wfp = openRegular(writeFilePath, O_WRONLY | O_CREAT | O_TRUNC, "w");
  if (!wfp) {
    puts("open wirte file error!!");
    return false;
  }
  printf("Write file name:%s\n", writeFilePath);
  count = blocks;
  printf("count=%d \n", count);
  startClock();
  for (int i = 0; i < count; i++) fwrite(dataBuf, sizeof(dataBuf), 1, wfp);
  // on the stick, not only in the page cache: the rate is the stick's
  fflush(wfp);
  fsync(fileno(wfp));
  fclose(wfp);
  stopClock();
  // the next line begins with the blank after this line end
  printf("file size=%u M Byte\n ", (unsigned)((uint32_t)count / 1000));
  writeRate = rateOf((uint32_t)count, 1000.0f, runtime);
  printf("Write Speed: %.2f MB/s\n", writeRate);
  return true;
}

void GetUsbTransferRate()
{
  memset(dataBuf, 0, sizeof(dataBuf));
  memset(readFilePath, 0, sizeof(readFilePath));
  memset(writeFilePath, 0, sizeof(writeFilePath));
  int deviceNum = getUSBdeviceNum();
  printf("have %d USB Device!\n", deviceNum);
  bool reading = usbactive == "r" || usbactive == "rw";
  bool writing = usbactive == "w" || usbactive == "rw";

  for (int i = 0; i < deviceNum; i++) {
    if (deviceNum <= 2) {
      puts(mounts[deviceNum - 1][i].heading);
      snprintf(readFilePath, sizeof(readFilePath), "%s/test.bin", mounts[deviceNum - 1][i].dir);
      snprintf(writeFilePath, sizeof(writeFilePath), "%s/write.txt", mounts[deviceNum - 1][i].dir);
    }
    // read from the stick, not from what the page cache kept of it
    runCmd("echo 3 > /proc/sys/vm/drop_caches");
    if (reading && !readTest()) return;
    if (writing && !writeTest()) return;
  }
}
