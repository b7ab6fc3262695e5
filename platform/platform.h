// The one header through which tarnel reaches the gateway's platform: the
// configuration store with its messaging, lock and data model, the LED
// control, the voice data access, the xDSL control and the WAN port speed.
//
// It declares nothing itself. A vendor build names the SDK's own headers in
// the CMake cache variable TARNEL_PLATFORM_HEADER, and CMake hands them over
// through TARNEL_PLATFORM_INCLUDE, a file in the build tree that includes
// each of them; otherwise the simulated platform's declarations are used.
// tarnel relies on the names those headers give (functions, types, fields,
// constants, the instance stack's init macro), never on a layout, a size or
// an enum's width: docs/vendor.md lists every name and what tarnel expects
// of it.
#ifndef TARNEL_PLATFORM_H
#define TARNEL_PLATFORM_H

#ifdef TARNEL_PLATFORM_INCLUDE
#include TARNEL_PLATFORM_INCLUDE
#else
#include "dut/platform/sdk.h"
#endif

#endif
