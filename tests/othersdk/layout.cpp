// The other SDK's layouts, for the simulated platform's sources compiled
// against othersdk.h: objects stamped with their type header, stacks that
// must carry their capacity, and the xDSL fields tarnel does not read filled
// with values that show when they are read in place of the named ones.
#include <cstdlib>
#include <cstring>

#include "platform/layout.h"

void *newObject(MdmObjectId oid, size_t size)
{
  static UINT32 sequence;
  auto *hdr = (MdmObjectHeader *)calloc(1, size);

  if (!hdr) return nullptr;
  hdr->oid = oid;
  hdr->flags = 0x8001;
  hdr->sequence = ++sequence;
  return hdr;
}

bool stackReady(const InstanceIdStack *iidStack)
{
  return iidStack->capacity == MAX_MDM_INSTANCE_DEPTH;
}

void fillOtherFields(ADSL_CONNECTION_INFO *info)
{
  info->bytesReceived = 0x123456789abcdefULL;
  info->trainingStep = 7;
  info->lineType = 5;
  for (auto &s : info->erroredSeconds) s = 0xdeadbeef;
  memset(info->diagnostics, 'd', sizeof(info->diagnostics) - 1);
}

void fillOtherFields(adslVersionInfo *ver)
{
  strcpy(ver->buildDate, "built 2024-01-01 by the other SDK");
}
