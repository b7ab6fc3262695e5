// Reading parameters back: one by name, all of them, the product sheet.
// Nothing is read here: each line is a label and the reader that prints
// the value and ends the line.
#include <iostream>

#include "cli/cli.h"
#include "info/info.h"
#include "params.h"
#include "store/store.h"

static void readWPS_PIN(BOOL) { GetWPS_PIN(); }

// -g NAME: the names are matched whole and case-sensitively; in web mode
// only the value is printed.
static const struct {
  const char *name, *label;
  void (*read)(BOOL);
} hwgetRows[] = {
    {"LAN_MAC", "", GetLanMAC},
    {"WLAN_2.4G_MAC", "2.4G WLAN MAC ", GetWlanMAC},
    {"WLAN_5G_MAC", "5G WLAN MAC ", GetWlanMAC_5G},
    {"SN", "SN ", GetSerialNumber},
    {"PINCode", "PIN Code ", GetPIN},
    {"SSID_2.4G", "SSID_2.4G ", GetSSID},
    {"SSID_5G", "SSID_5G ", GetSSID_5G},
    {"passphrase_2.4G", "", Getpassphrase},
    {"passphrase_5G", "", Getpassphrase_5G},
    {"WPS_PIN", "WPS_PIN ", readWPS_PIN},
};

void hwget()
{
  for (const auto &row : hwgetRows) {
    if (name != row.name) continue;
    if (web != 1) std::cout << row.label;
    row.read(1);
    return;
  }
  std::cout << name << " N/A" << std::endl;
}

// One line of a listing: a label and the reader of its value, a label and
// a record field already read, or a fixed line.
struct ListRow {
  const char *label;
  void (*read)(BOOL);
  const char *field;
};

static void printList(const ListRow *rows, size_t count)
{
  for (size_t i = 0; i < count; i++) {
    std::cout << rows[i].label;
    if (rows[i].read)
      rows[i].read(1);
    else if (rows[i].field)
      std::cout << rows[i].field << std::endl;
    else
      std::cout << std::endl;
  }
}

// The parameter list; the same in web mode.
static const ListRow hwshowRows[] = {
    {"LAN_MAC ", GetLanMAC, nullptr},
    {"WAN_MAC_1 N/A", nullptr, nullptr},
    {"WAN_MAC_2 N/A", nullptr, nullptr},
    {"WAN_MAC_3 N/A", nullptr, nullptr},
    {"WLAN_2.4G_MAC ", GetWlanMAC, nullptr},
    {"WLAN_5G_MAC ", GetWlanMAC_5G, nullptr},
    {"SN ", GetSerialNumber, nullptr},
    {"PIN Code ", GetPIN, nullptr},
    {"SSID_2.4G ", GetSSID, nullptr},
    {"SSID_5G ", GetSSID_5G, nullptr},
    {"passphrase_2.4G ", Getpassphrase, nullptr},
    {"passphrase_5G ", Getpassphrase_5G, nullptr},
    {"WPS_PIN ", readWPS_PIN, nullptr},
};

void hwshow()
{
  printList(hwshowRows, sizeof(hwshowRows) / sizeof(hwshowRows[0]));
}

// The product sheet; some labels have no blank before their value, as the
// station scripts know them.
static const ListRow productRows[] = {
    {"FW Version: ", GetFW_Version, nullptr},
    {"Series number: ", GetSerialNumber, nullptr},
    {"2.4G SSID: ", GetSSID, nullptr},
    {"2.4G PassPhrase: ", Getpassphrase, nullptr},
    {"2.4G Coexist: ", nullptr, sHiddenInfo_st.Coexist_2_4G},
    {"2.4G Data rate: ", GetDataRate, nullptr},
    {"2.4G Channel: ", GetChannel, nullptr},
    {"2.4G WLAN MAC: ", GetWlanMAC, nullptr},
    {"5G SSID:", GetSSID_5G, nullptr},
    {"5G PassPhrase:", Getpassphrase_5G, nullptr},
    {"5G Coexist: ", nullptr, sHiddenInfo_st.Coexist_5G},
    {"5G Data rate: ", GetDataRate_5G, nullptr},
    {"5G Channel:", GetChannel_5G, nullptr},
    {"5G WLAN MAC:", GetWlanMAC_5G, nullptr},
    {"LAN MAC: ", GetLanMAC, nullptr},
    {"WLAN MAC 1: N/A", nullptr, nullptr},
    {"WLAN MAC 2: N/A", nullptr, nullptr},
    {"WLAN MAC 3: N/A", nullptr, nullptr},
    {"PIN Code: ", GetPIN, nullptr},
    {"Region: ", GetRegion, nullptr},
    {"Language: ", GetLanguage, nullptr},
    {"Board HW ID:", GetBoard_HW_ID, nullptr},
    {"Board Model ID: ", DoSysModelID, nullptr},
    {"ADSL Modem Code Version: ", GetADSL_Version, nullptr},
    {"WLAN Version: ", GetWLAN_Version, nullptr},
    {"ADSL downstream link rate: ", GetADSL_Downlink, nullptr},
    {"ADSL upstream link rate: ", GetADSL_Uplink, nullptr},
    {"Build time: ", GetBuildTime, nullptr},
    {"DECT Version: N/A", nullptr, nullptr},
    {"DECT RFPI: ", GetDECT_RFPI, nullptr},
    {"DECT Handset: N/A", nullptr, nullptr},
    {"FACTORY MODE: N/A", nullptr, nullptr},
};

// The coexistence states are read first, quietly, and printed from the
// record.
void show_product_Info()
{
  GetCoexist(0);
  GetCoexist_5G(0);
  printList(productRows, sizeof(productRows) / sizeof(productRows[0]));
}
