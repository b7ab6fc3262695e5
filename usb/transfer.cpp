// Read and write throughput of each attached storage device.
#include "usb.h"

void GetUsbTransferRate() {}
