// The configuration store: messaging, data model, lock, objects and the
// save to flash. Objects live as one file per field under /var/dutsim/cms.
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <unistd.h>

#include "call.h"
#include "layout.h"

int call(const char *function, const std::string &args)
{
  std::string ms;

  trace(std::string("call: ") + function + "(" + args + ")");
  // a platform call made slow: it takes that many milliseconds longer, so
  // a test can act while tarnel is inside it
  if (readFile(std::string("/var/dutsim/delay/") + function, ms)) usleep((useconds_t)atol(ms.c_str()) * 1000);
  return faultOf(function);
}

static int messaging;  // what a handle points to
static bool messagingUp;

bool messagingOpen(void *handle)
{
  return messagingUp && handle == &messaging;
}

CmsRet cmsMsg_init(CmsEntityId eid, void **msgHandle)
{
  CmsRet ret = (CmsRet)call("cmsMsg_init", std::to_string(eid));

  if (!ret) {
    *msgHandle = &messaging;
    messagingUp = true;
  }
  return ret;
}

void cmsMsg_cleanup(void **msgHandle)
{
  call("cmsMsg_cleanup");
  messagingUp = false;
  *msgHandle = nullptr;
}

CmsRet cmsMdm_init(CmsEntityId eid, void *, SINT32 *shmId)
{
  CmsRet ret = (CmsRet)call("cmsMdm_init", std::to_string(eid));

  if (!ret) *shmId = 1;
  return ret;
}

void cmsMdm_cleanup(void)
{
  call("cmsMdm_cleanup");
}

CmsRet cmsLck_acquireLockWithTimeoutTraced(const char *name, UINT32 timeoutMs)
{
  CmsRet ret = (CmsRet)call("cmsLck_acquireLockWithTimeoutTraced",
                            std::string(name) + ", " + std::to_string(timeoutMs));

  return ret ? ret : (CmsRet)lockAcquire(name, timeoutMs);
}

void cmsLck_releaseLockTraced(const char *name)
{
  call("cmsLck_releaseLockTraced", name);
  lockRelease(name);
}

// Objects handed out and not yet freed, with their ids.
static std::map<void *, MdmObjectId> live;

static void *newTempPool(const std::string &dir)
{
  std::string v;

  if (!readFile(dir + "/wizard_first", v)) return nullptr;
  auto *o = (TempPool1CfgObject *)newObject(MDMOID_TEMP_POOL_1_CFG, sizeof(TempPool1CfgObject));
  o->wizard_first = strdup(v.c_str());
  return o;
}

static void *newRadio(const std::string &dir)
{
  if (!isDir(dir)) return nullptr;
  auto *o = (Dev2WifiRadioObject *)newObject(MDMOID_DEV2_WIFI_RADIO, sizeof(Dev2WifiRadioObject));
  o->name = strdup(readValue(dir + "/name").c_str());
  o->operatingChannelBandwidth = strdup(readValue(dir + "/operatingChannelBandwidth").c_str());
  o->MCS = atoi(readValue(dir + "/MCS", "0").c_str());
  o->wl11Mode = atoi(readValue(dir + "/wl11Mode", "0").c_str());
  return o;
}

static CmsRet handOut(MdmObjectId oid, void *o, void **obj)
{
  if (!o) return (CmsRet)DUT_NO_MORE_INSTANCES;
  live[o] = oid;
  *obj = o;
  return CMSRET_SUCCESS;
}

CmsRet cmsObj_get(MdmObjectId oid, const InstanceIdStack *iidStack, UINT32, void **obj)
{
  CmsRet ret = (CmsRet)call("cmsObj_get", std::to_string(oid));

  if (ret) return ret;
  if (oid != MDMOID_TEMP_POOL_1_CFG || !stackReady(iidStack)) return (CmsRet)DUT_INTERNAL_ERROR;
  void *o = newTempPool("/var/dutsim/cms/TempPool1Cfg");
  return o ? handOut(oid, o, obj) : (CmsRet)DUT_INTERNAL_ERROR;
}

// Radios are numbered 1, 2, ... in store order; the instance stack holds the
// number of the one handed out last.
static CmsRet nextRadio(MdmObjectId oid, InstanceIdStack *iidStack, void **obj)
{
  if (oid != MDMOID_DEV2_WIFI_RADIO || !stackReady(iidStack)) return (CmsRet)DUT_INTERNAL_ERROR;
  UINT32 n = iidStack->currentDepth ? iidStack->instance[0] + 1 : 1;
  void *o = newRadio("/var/dutsim/cms/WifiRadio/" + std::to_string(n));

  if (!o) return (CmsRet)DUT_NO_MORE_INSTANCES;
  iidStack->currentDepth = 1;
  iidStack->instance[0] = n;
  return handOut(oid, o, obj);
}

CmsRet cmsObj_getNextFlags(MdmObjectId oid, InstanceIdStack *iidStack, UINT32, void **obj)
{
  CmsRet ret = (CmsRet)call("cmsObj_getNextFlags", std::to_string(oid));

  return ret ? ret : nextRadio(oid, iidStack, obj);
}

CmsRet cmsObj_getNext(MdmObjectId oid, InstanceIdStack *iidStack, void **obj)
{
  CmsRet ret = (CmsRet)call("cmsObj_getNext", std::to_string(oid));

  return ret ? ret : nextRadio(oid, iidStack, obj);
}

void cmsObj_free(void **obj)
{
  call("cmsObj_free");
  if (!obj || !*obj) return;
  auto it = live.find(*obj);
  if (it != live.end()) {
    if (it->second == MDMOID_TEMP_POOL_1_CFG) {
      free(((TempPool1CfgObject *)*obj)->wizard_first);
    } else {
      free(((Dev2WifiRadioObject *)*obj)->name);
      free(((Dev2WifiRadioObject *)*obj)->operatingChannelBandwidth);
    }
    live.erase(it);
    free(*obj);
  }
  *obj = nullptr;
}

// As on the gateway, the store is saved only by the holder of its lock;
// without it the save fails and flash keeps its copy.
CmsRet cmsMgm_saveConfigToFlash(void)
{
  CmsRet ret = (CmsRet)call("cmsMgm_saveConfigToFlash");

  if (ret) return ret;
  if (!lockHeld()) return (CmsRet)DUT_INTERNAL_ERROR;
  return saveStoreToFlash() ? CMSRET_SUCCESS : (CmsRet)DUT_INTERNAL_ERROR;
}

SINT32 cmsUtl_strcmp(const char *s1, const char *s2)
{
  return strcmp(s1 ? s1 : "", s2 ? s2 : "");
}
