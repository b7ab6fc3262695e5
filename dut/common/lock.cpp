// The store lock: one flock on one file for the whole device, so every
// process in it (and every launcher run on the same root) shares it, and a
// process that dies lets go of it.
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <time.h>
#include <unistd.h>

#include "dut.h"

static int lockFd = -1;
static bool held;

static long long nowMs()
{
  struct timespec ts;

  clock_gettime(CLOCK_MONOTONIC, &ts);
  return (long long)ts.tv_sec * 1000 + ts.tv_nsec / 1000000;
}

int lockAcquire(const char *name, unsigned timeoutMs)
{
  if (lockFd < 0) lockFd = open(dutPath("/var/dutsim/cms.lock").c_str(), O_RDWR | O_CREAT, 0644);
  if (lockFd < 0) return DUT_INTERNAL_ERROR;

  long long deadline = nowMs() + timeoutMs;
  while (flock(lockFd, LOCK_EX | LOCK_NB)) {
    if (errno != EWOULDBLOCK && errno != EINTR) return DUT_INTERNAL_ERROR;
    if (nowMs() >= deadline) return DUT_TIMED_OUT;
    usleep(2000);
  }
  held = true;
  trace(std::string("cms: lock ") + name + " held");
  return 0;
}

void lockRelease(const char *name)
{
  if (!held) return;
  // The release is in the trace before anybody else can take the lock.
  trace(std::string("cms: lock ") + name + " released");
  held = false;
  flock(lockFd, LOCK_UN);
  close(lockFd);
  lockFd = -1;
}

bool lockHeld()
{
  return held;
}
