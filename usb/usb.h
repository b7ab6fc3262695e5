// USB tests: storage-device detection and transfer-rate measurement.
#ifndef TARNEL_USB_H
#define TARNEL_USB_H

// detect.cpp
void GetUsbDeviceCheck();
int getUSBdeviceNum();

// transfer.cpp
void GetUsbTransferRate();

#endif
