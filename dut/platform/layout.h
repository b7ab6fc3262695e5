// The few things the platform's sources cannot say through the SDK header's
// names alone. Everything else in dut/platform relies on names only, so the
// same sources also build against the stand-in for another SDK
// (tests/othersdk), which brings a layout.cpp of its own.
#ifndef DUT_PLATFORM_LAYOUT_H
#define DUT_PLATFORM_LAYOUT_H

#include <stddef.h>

#include "platform/platform.h"

// A zeroed object of size bytes for the store to hand out, its type header
// (where the SDK has one) filled in.
void *newObject(MdmObjectId oid, size_t size);
// Whether a caller's instance stack was made empty the SDK's way.
bool stackReady(const InstanceIdStack *iidStack);
// The xDSL records' fields that tarnel does not read, filled the SDK's way.
void fillOtherFields(ADSL_CONNECTION_INFO *info);
void fillOtherFields(adslVersionInfo *ver);

#endif
