// xDSL line state, rates and modem code version of line 0.
#include "info.h"

void GetADSL_LinkState(BOOL) {}
void GetADSL_Downlink(BOOL) {}
void GetADSL_Uplink(BOOL) {}
void GetADSL_Version(BOOL) {}
