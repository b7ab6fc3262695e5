// What an integrator adds when the SDK has no entity id for tarnel: a header
// of its own, named after the SDK's in TARNEL_PLATFORM_HEADER. The other
// SDK's entity ids stop at EID_CUSTOMER_MIN.
#ifndef TARNEL_EID_H
#define TARNEL_EID_H

#include "othersdk.h"

#define EID_TARNEL ((CmsEntityId)(EID_CUSTOMER_MIN + 1))

#endif
