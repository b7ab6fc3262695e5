// The configuration-store connection every store user opens for itself.
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

static CmsRet failed(bool exitNow, CmsRet ret)
{
  if (exitNow) {
    flushOut();
    exit(-1);
  }
  return ret;
}

CmsRet storeOpen(const char *caller, void **handle)
{
  int row = callerRow(caller);
  SINT32 shmId = 0;
  CmsRet ret;

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
}
