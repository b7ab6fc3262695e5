// A stand-in for another vendor's SDK. It offers the same functions with the
// same meaning as the simulated platform, over the same state files (the
// simulated platform's own sources are compiled against this header, with
// layout.cpp of this folder), but lays out every record its own way. tarnel
// built against it must behave byte for byte as on the simulated platform;
// tarnel built against the simulated platform's layouts and linked with this
// library must not get far. Each difference says which reliance it catches.
//
// C, as an SDK header is; GCC's packed enums give enum types the size of
// their values rather than of an int.
#ifndef OTHERSDK_H
#define OTHERSDK_H

#include <stdint.h>
#include <string.h>

// Only the SDK's functions leave the library (it is built with hidden
// visibility); the simulated gateway's helpers inside it stay its own.
#pragma GCC visibility push(default)
#ifdef __cplusplus
extern "C" {
#endif

typedef uint8_t UINT8;
typedef uint16_t UINT16;
typedef uint32_t UINT32;
typedef uint64_t UINT64;
typedef int32_t SINT32;
// One byte: a flag is 0 or 1, never a count or a pointer.
typedef UINT8 BOOL;

// Two bytes: codes are printed through a cast, and never taken for an int
// (a caller declaring an int result reads bits the callee never set).
typedef enum __attribute__((packed)) {
  CMSRET_SUCCESS = 0,
  CMSRET_INTERNAL_ERROR = 9002,
  CMSRET_TIMED_OUT = 9011,
  CMSRET_NO_MORE_INSTANCES = 9800
} CmsRet;

// Two bytes: the entity id is passed by its name only. tarnel's own comes
// from the integrator's header, tarnel_eid.h.
typedef enum __attribute__((packed)) {
  EID_CUSTOMER_MIN = 5000
} CmsEntityId;

// Another radio object id than the simulated platform's: only the name
// MDMOID_DEV2_WIFI_RADIO is right on every SDK.
typedef UINT16 MdmObjectId;
#define MDMOID_TEMP_POOL_1_CFG 4039
#define MDMOID_DEV2_WIFI_RADIO 2211

// Deeper, the depth after the instances, and carrying its capacity, which
// only INIT_INSTANCE_ID_STACK sets: a stack zeroed by hand, or one of
// another size, is refused by the store.
#define MAX_MDM_INSTANCE_DEPTH 8
typedef struct {
  UINT32 instance[MAX_MDM_INSTANCE_DEPTH];
  UINT8 currentDepth;
  UINT8 capacity;
} InstanceIdStack;
#define INIT_INSTANCE_ID_STACK(s)              \
  do {                                         \
    memset((s), 0, sizeof(InstanceIdStack));   \
    (s)->capacity = MAX_MDM_INSTANCE_DEPTH;    \
  } while (0)

// Every object the store hands out begins with its type header: a caller
// that takes the first field for a value reads the object's id.
typedef struct {
  MdmObjectId oid;
  UINT16 flags;
  UINT32 sequence;
} MdmObjectHeader;

typedef struct {
  MdmObjectHeader hdr;
  char *wizard_first;
  char *lastPage;
} TempPool1CfgObject;

// The fields tarnel reads in another order, others between them.
typedef struct {
  MdmObjectHeader hdr;
  BOOL enable;
  char *alias;
  SINT32 wl11Mode;
  char *operatingChannelBandwidth;
  UINT32 channel;
  SINT32 MCS;
  char *name;
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

// A byte: the LED functions are called, never taken by address into a
// pointer of a caller's own type.
typedef UINT8 LedOnOff;
CmsRet cmsLed_ContrlAllBlueLED(LedOnOff on);
CmsRet cmsLed_ContrlAllRedLED(LedOnOff on);
CmsRet cmsLed_ContrlAllOrangeLED(LedOnOff on);

CmsRet dalVoice_SetDefaults(void *parms, void *value);
CmsRet dalVoice_Save(void);
CmsRet dalVoice_vodslStop(void *msgHandle);
CmsRet dalVoice_vodslStart(void *msgHandle);

// One byte: the state is compared by name, never stored as an int.
typedef enum __attribute__((packed)) {
  BCM_ADSL_LINK_UP = 0,
  BCM_ADSL_LINK_DOWN = 1,
  BCM_ADSL_LINK_LAST_STATE = 15
} ADSL_LINK_STATE;

// Fields before, between and after the three tarnel reads, and the rates
// in another order: a record of the caller's own layout is overrun and read
// in the wrong places.
typedef struct {
  UINT32 lineId;
  UINT64 bytesReceived;
  ADSL_LINK_STATE LinkState;
  UINT8 trainingStep;
  UINT16 lineType;
  unsigned long ShowtimeStart;
  UINT32 ulFastDnStreamRate;
  UINT32 ulFastUpStreamRate;
  UINT32 ulInterleavedDnStreamRate;
  UINT32 erroredSeconds[16];
  UINT32 ulInterleavedUpStreamRate;
  char diagnostics[200];
} ADSL_CONNECTION_INFO;

// Another size, the text elsewhere: only phyVerStr is where its name says.
typedef struct {
  UINT32 phyType;
  char drvVerStr[48];
  UINT32 phyMjVerNum;
  UINT32 phyMnVerNum;
  char phyVerStr[32];
  UINT32 drvMjVerNum;
  UINT32 drvMnVerNum;
  char buildDate[64];
} adslVersionInfo;

CmsRet xdslCtl_GetConnectionInfo(unsigned char lineId, ADSL_CONNECTION_INFO *info);
CmsRet xdslCtl_GetVersion(unsigned char lineId, adslVersionInfo *ver);

int getWANSpeed(void);

#ifdef __cplusplus
}
#endif
#pragma GCC visibility pop

#endif
