// Runs cut short from outside: a device command ended by SIGINT (Ctrl-C)
// ends the run right there; a signal while the store lock is held waits
// until the connection is closed; a closed or full standard output ends no
// hardware action halfway and is said on standard error. The signals come
// at controlled instants from inside the device.
#include "dut_fixture.h"

class Aborts : public Dut {
protected:
  // What the store saved to flash last, as one text.
  std::string flash() { return run({"sh", "-c", "cd /var/dutsim/flash && cat $(find . -type f | sort)"}).out; }
};

// The command in the device that is ended by the signal: most signal the
// run's whole process group (tarnel runs in a session of its own), as a
// terminal does; the reader signals only itself. SIGQUIT cannot be shown
// here: the device's shell ignores it and so do the commands it runs.
TEST_F(Aborts, InterruptedCommandEndsTheRun)
{
  const std::string mac = "001122334455";
  const struct {
    std::vector<std::string> args;
    Files staged;
    const char *command;  // replaced by a script that sends the signal
    const char *kill;
    int status;
    std::string out;
    Lines done;  // the command lines and platform calls, the last one ended
  } cases[] = {
      {{"-c"}, {{"/tmp/Lan_MAC.txt", mac}, {"/tmp/SN.txt", "SN0001"}}, "/bin/nvram", "kill -INT 0", 130, "",
       {"sh: echo " + mac + " > /proc/nvram/BaseMacAddr", "sh: nvram set lan_hwaddr=" + mac}},
      {{"-e"}, {}, "/bin/nvram", "kill -INT 0", 130, "",
       {"sh: echo > /proc/nvram/BaseMacAddr ", "sh: echo > /proc/nvram/ModemSerialNumber",
        "sh: nvram set wl0_ssid"}},
      {{"-A", "enable"}, {}, "/bin/tarcli", "kill -INT 0", 130, "KR4410\n",
       {"sh: fwinfo -g boardID",
        "sh: tarcli -v 200 -c 'tar_voice og del multi_og_index 1,2'; tarcli -v 200 -c 'tar_voice gen "
        "all';tarcli -v 200 -c 'exit';"}},
      {{"-E", "on", "-F", "B"}, {}, "/bin/sw", "kill -INT 0", 130, "", {"sh: sw 0xfffe8708 0x0"}},
      {{"-i", "-Z", "1"}, {}, "/bin/nvramUpdate", "kill -INT 0", 130, "cmd=echo 1 > /proc/nvram/BoardFlag",
       {"sh: echo 1 > /proc/nvram/BoardFlag", "sh: nvramUpdate Feature 2"}},
      // through a pipe: the radio state after the model is not read
      {{"-M", "x", "-l"}, {}, "/bin/fwinfo", "kill -INT $$", 130, "", {"sh: fwinfo -g boardID"}},
  };

  for (const auto &c : cases) {
    SCOPED_TRACE(words(c.args) + c.command);
    init("KR4410");
    putAll(c.staged);
    put("/var/dutsim/cms/TempPool1Cfg/wizard_first", "changed");
    std::string saved = flash();
    script(c.command, std::string(c.kill) + "\n");
    std::vector<std::string> cmd = {"setsid", "tarnel"};
    cmd.insert(cmd.end(), c.args.begin(), c.args.end());
    clearTrace();
    Result r = run(cmd);
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(traceLines({"sh: ", "call: "}), c.done);
    EXPECT_EQ(flash(), saved);
  }
}

// The signal is sent while the flash save, made slow, holds the lock: the
// save is made whole, the lock released and the connection closed, and
// only then does the run end by the signal.
TEST_F(Aborts, SignalWhileTheLockIsHeldWaitsForTheClose)
{
  const char *watcher = R"sh(
setsid tarnel -c & pid=$!
i=0
until grep -q '^call: cmsMgm_saveConfigToFlash' /var/dutsim/trace || [ $i -ge 4000 ]; do
  i=$((i + 1))
  usleep 5000
done
kill -TERM $pid
wait $pid
echo "status $?"
)sh";
  put("/tmp/SN.txt", "SN0001");
  put("/var/dutsim/cms/TempPool1Cfg/wizard_first", "changed");
  put("/var/dutsim/delay/cmsMgm_saveConfigToFlash", "2000");
  clearTrace();
  Result r = run({"sh", "-c", watcher});
  EXPECT_EQ(r.out, "status 143\n");
  EXPECT_EQ(traceLines({"sh: echo", "call: ", "cms: "}),
            join({{"sh: echo SN0001 > /proc/nvram/ModemSerialNumber"},
                  connection("saveToFlash", 5000, {"call: cmsMgm_saveConfigToFlash()"})}));
  EXPECT_EQ(file("/var/dutsim/flash/TempPool1Cfg/wizard_first"), "changed");
}

// A pipe whose reader is gone, or a full disk: every command line still
// runs, the status stays, and one line on standard error says why the
// output is missing. A run that writes nothing has nothing to say.
TEST_F(Aborts, OutputThatCannotBeWritten)
{
  const std::string closedPipe = "mkfifo /tmp/p; exec 3<>/tmp/p 4>/tmp/p 3<&-; ";
  const struct {
    std::string setUp;  // shell commands before tarnel
    std::vector<std::string> args;
    const char *to;     // where standard output goes
    Files faults;
    int status;
    std::string err;
  } cases[] = {
      {closedPipe, {"-A", "enable"}, ">&4 4>&-", {}, 0, "tarnel: write error on standard output: Broken pipe\n"},
      {closedPipe, {"-c"}, ">&4 4>&-", {}, 0, ""},
      {"", {"-a", "-w"}, ">/dev/full", {}, 0, "tarnel: write error on standard output: No space left on device\n"},
      {"", {"-k", "enable"}, ">/dev/full", {{"/var/dutsim/fault/cmsMsg_init", "2"}}, 255,
       "tarnel: write error on standard output: No space left on device\n"},
  };

  for (const auto &c : cases) {
    SCOPED_TRACE(words(c.args) + c.to);
    init("KR4410");
    putAll(c.faults);
    tarnel(c.args);
    Lines done = traceLines();
    init("KR4410");
    putAll(c.faults);
    clearTrace();
    Result r = run({"sh", "-c", c.setUp + "tarnel " + words(c.args) + c.to + "; echo \"status $?\""});
    EXPECT_EQ(r.out, "status " + std::to_string(c.status) + "\n");
    EXPECT_EQ(r.err, c.err);
    Lines lines = traceLines();
    EXPECT_EQ(Lines(lines.begin() + 1, lines.end()), done);
  }
}
