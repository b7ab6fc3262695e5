// The value readers: one value each into the report record.
#include "info.h"

void GetFW_Version(BOOL) {}
void DoSysModelID(BOOL) {}
void GetWLAN_Version(BOOL) {}
void GetBuildTime(BOOL) {}
void GetBootLoader_Version(BOOL) {}
void GetRegion(BOOL) {}
void GetWlanMAC(BOOL) {}
void GetWlanMAC_5G(BOOL) {}
void GetSSID_5G(BOOL) {}
void GetPIN(BOOL) {}
void Getpassphrase(BOOL) {}
void Getpassphrase_5G(BOOL) {}
void GetBoard_HW_ID(BOOL) {}
void GetWAN_MAC_1(BOOL) {}
void GetWAN_MAC_2(BOOL) {}
void GetWAN_MAC_3(BOOL) {}
void GetDECT_Version(BOOL) {}
void GetDECT_Handset(BOOL) {}
void GetFactoryMode(BOOL) {}
void GetStartPage(BOOL) {}
void GetWAN_2_LinkStatus(BOOL) {}
void GetWAN_3_LinkStatus(BOOL) {}
void GetLanMAC(BOOL) {}
void GetSSID(BOOL) {}
void GetChannel(BOOL) {}
void GetChannel_5G(BOOL) {}
void GetCoexist(BOOL) {}
void GetCoexist_5G(BOOL) {}
void GetWlan24GStatus(BOOL) {}
void GetWlan5GStatus(BOOL) {}
void GetLanguage(BOOL) {}
void GetWAN_1_LinkStatus(BOOL) {}
void GetDECT_RFPI(BOOL) {}
void GetWPS_PIN() {}
