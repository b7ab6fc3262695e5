// The simulated platform's SDK header: what the simulated gateway's platform
// library offers, in the place of a vendor's headers. Its functions are
// exactly those tarnel calls (tests/boundary/check.sh holds it to that);
// its layouts are its own, and tarnel relies on none of them.
#ifndef DUT_PLATFORM_SDK_H
#define DUT_PLATFORM_SDK_H

#include <stdint.h>
#include <string.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef uint8_t UINT8;
typedef uint16_t UINT16;
typedef uint32_t UINT32;
typedef int32_t SINT32;
typedef int BOOL;

typedef int CmsRet;
#define CMSRET_SUCCESS 0
#define CMSRET_TIMED_OUT 9011

typedef int CmsEntityId;
#define EID_CUSTOMER_MIN 5000
#define EID_TARNEL (EID_CUSTOMER_MIN + 1)

// The store's objects are addressed by id and instance path.
typedef int MdmObjectId;
#define MDMOID_TEMP_POOL_1_CFG 4039
#define MDMOID_DEV2_WIFI_RADIO 1601

#define MAX_MDM_INSTANCE_DEPTH 6
typedef struct {
  UINT8 currentDepth;
  UINT32 instance[MAX_MDM_INSTANCE_DEPTH];
} InstanceIdStack;
// An empty stack, ready for the first getNext.
#define INIT_INSTANCE_ID_STACK(s) memset((s), 0, sizeof(InstanceIdStack))

typedef struct {
  char *wizard_first;
} TempPool1CfgObject;

typedef struct {
  char *name;
  char *operatingChannelBandwidth;
  SINT32 MCS;
  SINT32 wl11Mode;
} Dev2WifiRadioObject;

CmsRet cmsMsg_init(CmsEntityId eid, void **msgHandle);
void cmsMsg_cleanup(void **msgHandle);
CmsRet cmsMdm_init(CmsEntityId eid, void *msgHandle, SINT32 *shmId);
void cmsMdm_cleanup(void);
CmsRet cmsLck_acquireLockWithTimeoutTraced(const char *name, UINT32 timeoutMs);
void cmsLck_releaseLockTraced(const char *name);
CmsRet cmsObj_get(MdmObjectId oid, const InstanceIdStack *iidStack, UINT32 getFlags, void **obj);
CmsRet cmsObj_getNextFlags(MdmObjectId oid, InstanceIdStack *iidStack, UINT32 getFlags, void **obj);
CmsRet cmsObj_getNext(MdmObjectId oid, InstanceIdStack *iidStack, void **obj);
void cmsObj_free(void **obj);
CmsRet cmsMgm_saveConfigToFlash(void);
SINT32 cmsUtl_strcmp(const char *s1, const char *s2);

// 1 switches on, 0 off.
typedef int LedOnOff;
CmsRet cmsLed_ContrlAllBlueLED(LedOnOff on);
CmsRet cmsLed_ContrlAllRedLED(LedOnOff on);
CmsRet cmsLed_ContrlAllOrangeLED(LedOnOff on);

CmsRet dalVoice_SetDefaults(void *parms, void *value);
CmsRet dalVoice_Save(void);
CmsRet dalVoice_vodslStop(void *msgHandle);
CmsRet dalVoice_vodslStart(void *msgHandle);

// xDSL line state and rates; rates are in bits per second.
// Only 0 is up. 2 to 15 are training and event states, so the type must
// hold them all.
typedef enum {
  BCM_ADSL_LINK_UP = 0,
  BCM_ADSL_LINK_DOWN = 1,
  BCM_ADSL_LINK_LAST_STATE = 15
} ADSL_LINK_STATE;

typedef struct {
  ADSL_LINK_STATE LinkState;
  unsigned long ShowtimeStart;
  UINT32 ulFastUpStreamRate;
  UINT32 ulFastDnStreamRate;
  UINT32 ulInterleavedUpStreamRate;
  UINT32 ulInterleavedDnStreamRate;
} ADSL_CONNECTION_INFO;

typedef struct {
  UINT16 phyType;
  UINT16 phyMjVerNum;
  UINT16 phyMnVerNum;
  char phyVerStr[32];
  UINT16 drvMjVerNum;
  UINT16 drvMnVerNum;
  char drvVerStr[32];
} adslVersionInfo;

CmsRet xdslCtl_GetConnectionInfo(unsigned char lineId, ADSL_CONNECTION_INFO *info);
CmsRet xdslCtl_GetVersion(unsigned char lineId, adslVersionInfo *ver);

// WAN port link speed: 0 10M, 1 100M, 2 1000M, 99 no link.
int getWANSpeed(void);

#ifdef __cplusplus
}
#endif

#endif
