// Which USB version each port's storage device speaks.
#include "usb.h"

void GetUsbDeviceCheck() {}
int getUSBdeviceNum() { return 0; }
