// The simulated platform's layouts: objects without a type header, a stack
// that is empty when zeroed, and no xDSL fields beyond the named ones.
#include <cstdlib>

#include "layout.h"

void *newObject(MdmObjectId, size_t size)
{
  return calloc(1, size);
}

bool stackReady(const InstanceIdStack *)
{
  return true;
}

void fillOtherFields(ADSL_CONNECTION_INFO *) {}

void fillOtherFields(adslVersionInfo *) {}
