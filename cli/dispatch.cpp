// The blocks, tested in one fixed order whatever the order of the options.
#include <cstdio>

#include "cli.h"
#include "info/info.h"
#include "led/led.h"
#include "params/params.h"
#include "store/store.h"
#include "testmode/testmode.h"
#include "usb/usb.h"

static bool has(const char *action)
{
  return f.count(action) != 0;
}

// Plain-mode label before a value that ends the line.
static void label(const char *text)
{
  if (web != 1) fputs(text, stdout);
}

int dispatch()
{
  if (f.empty()) {
    fputs(help.c_str(), stdout);
    return 0;
  }
  if (has("web")) web = 1;

  if (has("led") && has("color")) ctrlAllLED();
  if (has("led_lan_on")) trun_LAN_LED(ledOnOff);
  if (has("hwshow")) {
    hwshow();
    return 0;
  }
  if (has("show_product_Info")) {
    show_product_Info();
    return 0;
  }
  if (has("hwget")) hwget();
  if (has("hwset") && hwset()) return 0;
  if (has("commit")) commit();
  if (has("hwclear")) hwclear();
  if (has("reset_to_default")) reset_to_default();
  if (has("uplink")) {
    label("uplink ");
    GetADSL_Uplink(1);
  }
  if (has("downlink")) {
    label("downlink ");
    GetADSL_Downlink(1);
  }
  if (has("dsl_status")) GetADSL_LinkState(1);
  if (has("coexistence_2.4G")) SetCoexist(coexistence);
  if (has("coexistence_5G")) SetCoexist_5G(coexistence5G);
  if (has("show_coexistence")) ShowCoexist();
  if (has("usb_device_check")) GetUsbDeviceCheck();
  if (has("usb_transfer_rate")) GetUsbTransferRate();
  if (has("ModelID")) DoSysModelID(1);
  if (has("show_button_status")) ShowButtonStatus();
  if (has("wlan24Status")) GetWlan24GStatus(1);
  if (has("wlan5gStatus")) GetWlan5GStatus(1);
  if (has("language")) {
    if (Language == "0") GetLanguage(1);
    if (Language == "1") GetRegion(1);
  }
  if (has("btnmode")) SetButtonTestMode(btnmode == "enable" ? 1 : 0);
  if (has("datarate")) GetDataRate(1);
  if (has("datarate5g")) GetDataRate_5G(1);
  if (has("show24coexistence")) GetCoexist(1);
  if (has("show5gcoexistence")) GetCoexist_5G(1);
  if (has("show_hidden_info")) GetHiddenInfoData(web == 1 ? 0 : 1);
  if (has("voip_testmode")) SetVoipTestMode(arg1 == "enable" ? 1 : 0);
  return 0;
}
