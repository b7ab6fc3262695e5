// The simulated gateway itself: what the other tests rely on. The models'
// factory states and what each device command changes show in the tests
// of the actions that use them.
#include "dut_fixture.h"

using Device = Dut;

// Every "sh -c" is in the trace as it was passed, line ends as "\n"; a
// holder of the store lock (cmslock, as the lock tests use it) shows as
// held, then released.
TEST_F(Device, ShellLinesAndLockHolderAreTraced)
{
  clearTrace();
  Result a = run({"sh", "-c", "echo one"});
  Result b = run({"sh", "-c", "--", "echo 'two\nlines'"});
  Result c = run({"sh", "-c", "true; cat /proc/nvram/ssid"});
  Result lock = run({"cmslock", "300"});

  EXPECT_EQ(a.out, "one\n");
  EXPECT_EQ(b.out, "two\nlines\n");
  EXPECT_EQ(c.out, "KR4410-1001\n");
  EXPECT_EQ(lock.status, 0);
  EXPECT_EQ(traceLines(), Lines({"sh: echo one", "sh: echo 'two\\nlines'", "sh: true; cat /proc/nvram/ssid",
                                 "cms: lock cmslock held", "cms: lock cmslock released"}));
}

// Root ignores file modes unless the launcher drops capabilities; a
// read-only path refuses writes whatever the capabilities.
TEST_F(Device, UnreadableAndReadOnlyAreReal)
{
  run({"sh", "-c", "chmod 000 /proc/nvram/HWID"});
  EXPECT_EQ(run({"cat", "/proc/nvram/HWID"}).status, 0);
  EXPECT_NE(run({"cat", "/proc/nvram/HWID"}, {"DUT_CAPS=drop"}).status, 0);
  EXPECT_NE(run({"sh", "-c", "echo x > /tmp/f"}, {"DUT_RO=/tmp"}).status, 0);
  EXPECT_EQ(run({"sh", "-c", "echo x > /tmp/f"}).status, 0);
}
