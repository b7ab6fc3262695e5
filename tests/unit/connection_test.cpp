// The store connection of every caller against the simulated platform:
// which failure ends the process and which is handed back, the messages,
// the lock's name and timeout, and the clean-up of each step.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

#include "common/dut.h"
#include "store/store.h"

static std::string slurp(const std::string &path)
{
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;

  s << in.rdbuf();
  return s.str();
}

struct Outcome {
  std::string out;
  int status;
};

// Opens (and, when that worked, closes) the caller's connection in a child,
// so that an exit is seen as the station sees it; the child prints what
// storeOpen handed back.
static Outcome connect(const char *caller, const std::string &scratch)
{
  std::string outFile = scratch + "/out";
  pid_t pid = fork();

  if (pid == 0) {
    int fd = open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    void *local = nullptr;
    // callers that keep their handle in the global one pass that instead
    void **handle = (!strcmp(caller, "SetVoipTestMode") || !strcmp(caller, "getWizardFirst"))
                        ? &msgHandle
                        : &local;

    dup2(fd, 1);
    CmsRet ret = storeOpen(caller, handle);
    if (ret == CMSRET_SUCCESS) storeClose(caller, handle);
    printf("returned %d\n", ret);
    fflush(stdout);
    _exit(0);
  }
  int st = 0;
  waitpid(pid, &st, 0);
  return {slurp(outFile), WIFEXITED(st) ? WEXITSTATUS(st) : 128 + WTERMSIG(st)};
}

// The simulated platform works in a throw-away device root of its own.
class StoreConnection : public ::testing::Test {
protected:
  std::string scratch, saved;

  void SetUp() override
  {
    char tmpl[] = "/tmp/tarnel-unit-XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    scratch = tmpl;
    saved = dutRoot;
    dutRoot = scratch;
    ASSERT_TRUE(makeDirs("/var/dutsim/fault"));
  }

  void TearDown() override
  {
    dutRoot = "";
    removeTree(scratch);
    dutRoot = saved;
  }
};

TEST_F(StoreConnection, EachCallersFailuresAndCleanUp)
{

  const struct {
    const char *caller, *timeout;
    bool exitOnInit, exitOnLock;
  } callers[] = {
      {"saveToFlash", "5000", true, false},
      {"get_nmode_dataRate", "5000", false, false},
      {"get_nmode_dataRate5g", "5000", false, false},
      {"SetVoipTestMode", "6000", true, true},
      {"getWizardFirst", "10000", true, false},
  };
  for (const auto &c : callers) {
    const std::string name = c.caller;
    const std::string init = "call: cmsMsg_init(5001)\n", mdm = "call: cmsMdm_init(5001)\n",
                      lock = "call: cmsLck_acquireLockWithTimeoutTraced(" + name + ", " +
                             c.timeout + ")\n",
                      closeMdm = "call: cmsMdm_cleanup()\n", closeMsg = "call: cmsMsg_cleanup()\n";
    const struct {
      const char *fault, *message;
      bool exits;
      std::string trace;
    } faults[] = {
        {nullptr, "", false,
         init + mdm + lock + "cms: lock " + name + " held\n" + "call: cmsLck_releaseLockTraced(" +
             name + ")\n" + "cms: lock " + name + " released\n" + closeMdm + closeMsg},
        {"cmsMsg_init", "cmsMsg_init failed, ret=4242\n", c.exitOnInit, init},
        {"cmsMdm_init", "cmsMdm_init failed, ret=4242\n", c.exitOnInit, init + mdm + closeMsg},
        {"cmsLck_acquireLockWithTimeoutTraced", "failed to get lock, ret=4242\n", c.exitOnLock,
         init + mdm + lock + closeMdm + closeMsg},
    };
    for (const auto &f : faults) {
      SCOPED_TRACE(name + " " + (f.fault ? f.fault : "no fault"));
      removeTree("/var/dutsim/fault");
      makeDirs("/var/dutsim/fault");
      if (f.fault) writeFile(std::string("/var/dutsim/fault/") + f.fault, "4242");
      writeFile("/var/dutsim/trace", "");

      Outcome o = connect(c.caller, scratch);
      std::string returned = f.fault ? "returned 4242\n" : "returned 0\n";
      EXPECT_EQ(o.out, f.message + (f.exits ? "" : returned));
      EXPECT_EQ(o.status, f.exits ? 255 : 0);
      EXPECT_EQ(slurp(scratch + "/var/dutsim/trace"), f.trace);
    }
  }
}

// Only the holder of the store lock saves it to flash.
TEST_F(StoreConnection, SaveNeedsTheLock)
{
  void *handle = nullptr;

  writeFile("/var/dutsim/trace", "");
  makeDirs("/var/dutsim/cms/TempPool1Cfg");
  writeFile("/var/dutsim/cms/TempPool1Cfg/wizard_first", "7");
  EXPECT_NE(cmsMgm_saveConfigToFlash(), CMSRET_SUCCESS);
  EXPECT_FALSE(isDir("/var/dutsim/flash"));

  ASSERT_EQ(storeOpen("saveToFlash", &handle), CMSRET_SUCCESS);
  EXPECT_EQ(cmsMgm_saveConfigToFlash(), CMSRET_SUCCESS);
  storeClose("saveToFlash", &handle);
  EXPECT_EQ(readValue("/var/dutsim/flash/TempPool1Cfg/wizard_first"), "7");
}
