#include "cli/cli.h"
#include "info/info.h"
#include "led/led.h"
#include "params/params.h"
#include "recorder.h"
#include "store/store.h"
#include "testmode/testmode.h"
#include "usb/usb.h"

std::vector<std::string> calls;
int hwsetResult;

static void note(const std::string &what)
{
  calls.push_back(what);
}

void ctrlAllLED() { note("ctrlAllLED"); }
void trun_LAN_LED(std::string act) { note("trun_LAN_LED(" + act + ")"); }
void hwshow() { note("hwshow"); }
void show_product_Info() { note("show_product_Info"); }
void hwget() { note("hwget"); }
int hwset() { note("hwset"); return hwsetResult; }
void commit() { note("commit"); }
void hwclear() { note("hwclear"); }
void reset_to_default() { note("reset_to_default"); }
void GetADSL_Uplink(BOOL p) { note("GetADSL_Uplink(" + std::to_string(p) + ")"); }
void GetADSL_Downlink(BOOL p) { note("GetADSL_Downlink(" + std::to_string(p) + ")"); }
void GetADSL_LinkState(BOOL p) { note("GetADSL_LinkState(" + std::to_string(p) + ")"); }
void SetCoexist(const std::string &r) { note("SetCoexist(" + r + ")"); }
void SetCoexist_5G(const std::string &r) { note("SetCoexist_5G(" + r + ")"); }
void ShowCoexist() { note("ShowCoexist"); }
void GetUsbDeviceCheck() { note("GetUsbDeviceCheck"); }
void GetUsbTransferRate() { note("GetUsbTransferRate"); }
void DoSysModelID(BOOL p) { note("DoSysModelID(" + std::to_string(p) + ")"); }
void ShowButtonStatus() { note("ShowButtonStatus"); }
void GetWlan24GStatus(BOOL p) { note("GetWlan24GStatus(" + std::to_string(p) + ")"); }
void GetWlan5GStatus(BOOL p) { note("GetWlan5GStatus(" + std::to_string(p) + ")"); }
void GetLanguage(BOOL p) { note("GetLanguage(" + std::to_string(p) + ")"); }
void GetRegion(BOOL p) { note("GetRegion(" + std::to_string(p) + ")"); }
void SetButtonTestMode(int m) { note("SetButtonTestMode(" + std::to_string(m) + ")"); }
void GetDataRate(BOOL p) { note("GetDataRate(" + std::to_string(p) + ")"); }
void GetDataRate_5G(BOOL p) { note("GetDataRate_5G(" + std::to_string(p) + ")"); }
void GetCoexist(BOOL p) { note("GetCoexist(" + std::to_string(p) + ")"); }
void GetCoexist_5G(BOOL p) { note("GetCoexist_5G(" + std::to_string(p) + ")"); }
void GetHiddenInfoData(BOOL p) { note("GetHiddenInfoData(" + std::to_string(p) + ")"); }
void SetVoipTestMode(BOOL b) { note("SetVoipTestMode(" + std::to_string(b) + ")"); }
