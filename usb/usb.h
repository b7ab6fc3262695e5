// USB tests: storage-device detection and transfer-rate measurement.
#ifndef TARNEL_USB_H
#define TARNEL_USB_H

#include <cstdint>
#include <cstdio>

// detect.cpp
void GetUsbDeviceCheck();
int getUSBdeviceNum();

// transfer.cpp
void GetUsbTransferRate();
// The pieces of the measurement that are tested on their own.
bool writeBlockCount(const char *size, int *blocks);
float rateOf(uint32_t amount, float unit, uint64_t us);
bool readToEnd(FILE *in);

#endif
