// The configuration-store connection every store user opens for itself.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "info/info.h"
#include "store.h"

void *msgHandle;

// How long each caller waits for the lock, and whether a failure to
// initialise or to lock ends the whole process (status 255) instead of
// being handed back to the caller. The handle is the caller's: the flash
// save and the link rates pass a local one, the VoIP switch and the report
// the global msgHandle.
static const struct {
  const char *caller;
  UINT32 timeout;
  bool exitOnInit;
  bool exitOnLock;
} callers[] = {
    {"saveToFlash", 5000, true, false},
    {"get_nmode_dataRate", 5000, false, false},
    {"get_nmode_dataRate5g", 5000, false, false},
    {"SetVoipTestMode", 6000, true, true},
    {"getWizardFirst", 10000, true, false},
};

static int callerRow(const char *caller)
{
  for (size_t i = 0; i < sizeof(callers) / sizeof(callers[0]); i++)
    if (!strcmp(callers[i].caller, caller)) return i;
  abort();
}

// The signals that end a run from outside: hang-up, a terminal's Ctrl-C and
// Ctrl-\, and kill's default. They are held back from the start of a
// connection until it is closed, so a flash save is made whole or not at
// all and the holder always releases the lock and the messaging itself.
// One that came meanwhile ends the run once the connection is closed, or
// once opening it failed (a lock wait ends with the caller's timeout at the
// latest); what was printed goes out first. SIGKILL cannot be held back:
// the platform frees the lock of a holder that dies.
static void holdSignals(bool hold)
{
  static const int held[] = {SIGHUP, SIGINT, SIGQUIT, SIGTERM};
  sigset_t set;

  sigemptyset(&set);
  for (int sig : held) sigaddset(&set, sig);
  if (!hold) flushOut();
  sigprocmask(hold ? SIG_BLOCK : SIG_UNBLOCK, &set, nullptr);
}

static CmsRet failed(bool exitNow, CmsRet ret)
{
  holdSignals(false);
  if (exitNow) exit(-1);
  return ret;
}

CmsRet storeOpen(const char *caller, void **handle)
{
  int row = callerRow(caller);
  SINT32 shmId = 0;
  CmsRet ret;

  holdSignals(true);
  ret = cmsMsg_init(EID_TARNEL, handle);
  if (ret != CMSRET_SUCCESS) {
    printf("cmsMsg_init failed, ret=%d\n", (int)ret);
    return failed(callers[row].exitOnInit, ret);
  }
  ret = cmsMdm_init(EID_TARNEL, *handle, &shmId);
  if (ret != CMSRET_SUCCESS) {
    printf("cmsMdm_init failed, ret=%d\n", (int)ret);
    cmsMsg_cleanup(handle);
    return failed(callers[row].exitOnInit, ret);
  }
  ret = cmsLck_acquireLockWithTimeoutTraced(caller, callers[row].timeout);
  if (ret != CMSRET_SUCCESS) {
    printf("failed to get lock, ret=%d\n", (int)ret);
    cmsMdm_cleanup();
    cmsMsg_cleanup(handle);
    return failed(callers[row].exitOnLock, ret);
  }
  return CMSRET_SUCCESS;
}

void storeClose(const char *caller, void **handle)
{
  cmsLck_releaseLockTraced(caller);
  cmsMdm_cleanup();
  cmsMsg_cleanup(handle);
  holdSignals(false);
}
