// The simulated gateway itself: what tests and stations rely on.
#include "dut_fixture.h"

using Device = Dut;

// Every "sh -c" is in the trace as it was passed, line ends as "\n".
TEST_F(Device, ShellCommandLinesAreTraced)
{
  clearTrace();
  Result a = run({"sh", "-c", "echo one"});
  Result b = run({"sh", "-c", "--", "echo 'two\nlines'"});
  Result c = run({"sh", "-c", "true; cat /proc/nvram/ssid"});

  EXPECT_EQ(a.out, "one\n");
  EXPECT_EQ(b.out, "two\nlines\n");
  EXPECT_EQ(c.out, "KR4410-1001\n");
  EXPECT_EQ(traceLines(), Lines({"sh: echo one", "sh: echo 'two\\nlines'",
                                 "sh: true; cat /proc/nvram/ssid"}));
}

TEST_F(Device, CleanEnvironment)
{
  Result r = run({"sh", "-c", "env; pwd; ls /usr/bin"});

  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("PATH=/bin:/sbin:/usr/bin:/usr/sbin\n"), std::string::npos);
  EXPECT_EQ(r.out.find("TARNEL_BUILD"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\n/\n"), std::string::npos);
  // nothing of the host's programs is visible
  EXPECT_EQ(r.out.find("cmake"), std::string::npos);
}

TEST_F(Device, LockHolderIsTraced)
{
  clearTrace();
  pid_t holder = start({"cmslock", "300"});
  Result r = finish(holder);

  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(traceLines(), Lines({"cms: lock cmslock held", "cms: lock cmslock released"}));
}

// A second holder waits for the first: holds never overlap.
TEST_F(Device, LockIsOneForTheDevice)
{
  clearTrace();
  pid_t first = start({"cmslock", "300"});
  ASSERT_TRUE(waitForTrace("cms: lock cmslock held"));
  pid_t second = start({"cmslock", "10"});
  finish(first);
  finish(second);
  EXPECT_EQ(traceLines(), Lines({"cms: lock cmslock held", "cms: lock cmslock released",
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

// The factory state answers in the device's own formats.
TEST_F(Device, ModelsAnswerTheirCommands)
{
  const struct {
    const char *model, *board, *mac;
  } models[] = {
      {"KR4410", "KR4410\n", "00 1a 2b 44 10 01 \n"},
      {"PZ7720E", "PZ7720E\n", "00 22 6b 77 20 e0 \n"},
      {"MTX-2150", "MTX-2150\n", "00 90 4c 21 50 0a \n"},
      {"MTX-2450", "MTX-2450\n", "00 90 4c 24 50 1c \n"},
      {"KR8800", "KR8800\n", "00 1a 2b 88 00 7f \n"},
  };

  for (const auto &m : models) {
    SCOPED_TRACE(m.model);
    init(m.model);
    EXPECT_EQ(run({"fwinfo", "-g", "boardID"}).out, m.board);
    EXPECT_EQ(file("/proc/nvram/BaseMacAddr"), m.mac);
    EXPECT_EQ(run({"tarnel", "-M", "x"}).out, m.board);
  }
}

// Device commands change the state the interface promises.
TEST_F(Device, CommandsChangeState)
{
  const struct {
    std::vector<std::string> cmd;
    const char *out, *file, *content;
  } cases[] = {
      {{"nvram", "set", "x=a b"}, "", "/var/dutsim/nvram/x", "a b"},
      {{"nvram", "set", "y"}, "", "/var/dutsim/nvram/y", ""},
      {{"sh", "-c", "nvram set z=1; nvram get z; nvram get unset_one"}, "1\n", "/var/dutsim/nvram/z", "1"},
      {{"sw", "0xb0001904", "0x300"}, "", "/var/dutsim/regs/b0001904", "300"},
      {{"sh", "-c", "sw -k b000009c 2; dumpmem 0xb000009c 4"}, "b000009c: 00 00 00 02\n",
       "/var/dutsim/regs/b000009c", "2"},
      {{"sh", "-c", "ethswctl -c spiaccess -x 0x58 -l 2 -d 0x4b; ethswctl -c spiaccess -x 0x58 -l 2"},
       "spi read 0x0058 => 004b\n", "/var/dutsim/spi/0058", "4b"},
      {{"wl", "-i", "wl1", "obss_coex", "1"}, "", "/var/dutsim/wl/wl1/obss_coex", "1"},
      {{"sh", "-c", "wireless_set -A my ssid -Z 1 >> /dev/null"}, "", "/var/dutsim/nvram/wl1_ssid", "my ssid"},
      {{"wireless_set", "-T", "secret"}, "", "/var/dutsim/nvram/wl0_wpa_psk", "secret"},
      {{"/bin/wireless", "-z", "enabled", "-I", "n", "-G", "1", "-C", "client-pin", "-H", "1", "-M", "1234"},
       "", "/var/dutsim/nvram/wps_sta_pin", "1234"},
  };

  for (const auto &c : cases) {
    SCOPED_TRACE(c.cmd.back());
    Result r = run(c.cmd);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(file(c.file), c.content);
  }
}

TEST_F(Device, RestoreDefaultKeepsTheTrace)
{
  run({"nvram", "set", "wl0_ssid=changed"});
  put("/proc/nvram/ssid", "changed\n");
  clearTrace();
  run({"sh", "-c", "/bin/restoredefault -r"});
  EXPECT_EQ(file("/var/dutsim/nvram/wl0_ssid"), "KR4410-1001");
  EXPECT_EQ(file("/proc/nvram/ssid"), "KR4410-1001\n");
  EXPECT_EQ(traceLines(), Lines({"sh: /bin/restoredefault -r", "restoredefault: -r"}));
}
