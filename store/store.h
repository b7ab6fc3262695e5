// Configuration store and wireless radio: the store connection, the WLAN
// link rates and the coexistence switches.
#ifndef TARNEL_STORE_H
#define TARNEL_STORE_H

#include <string>

#include "platform/platform.h"

extern void *msgHandle;

// connection.cpp: open, lock, work, release, close. Each caller names itself;
// its row of the caller table says how long it waits for the lock and which
// failures end the process.
CmsRet storeOpen(const char *caller, void **handle);
void storeClose(const char *caller, void **handle);

// datarate.cpp
extern const char *bandwithStr[3];
int get_nmode_dataRate();
int get_nmode_dataRate5g();
float dataRate_Map_MCSIDX(int bandwidth, int mcsidx);
int dataRate_Map_MCSIDX5g(int bandwidth, int mcsidx);
void GetDataRate(BOOL bPrintFlag);
void GetDataRate_5G(BOOL bPrintFlag);

// coexistence.cpp
void SetCoexist(const std::string &request);
void SetCoexist_5G(const std::string &request);
void ShowCoexist();

#endif
