// The factory state of each simulated model: what a gateway fresh from the
// line holds in flash, nvram, radios, line and switch.
#include <cstdio>
#include <cstring>

#include "dut.h"

struct Radio {
  const char *name, *bandwidth;
  int mcs, wl11Mode;
};

struct Model {
  const char *name;
  // fwinfo
  const char *fw, *boardID, *wlan, *time, *cfe;
  // flash entries
  unsigned char mac[6];
  const char *serial, *psk, *psk5, *pin, *ssid, *hwid, *rfpi;
  // nvram
  const char *ssid5, *channel, *channel5, *radio, *radio5, *staPin, *country;
  int coex, coex5;
  const char *languages;
  Radio radios[2];
  const char *wizardFirst;
  // line 0: state, fast up/down, interleaved up/down, modem code version
  int linkState;
  unsigned fastUp, fastDn, intUp, intDn;
  const char *phyVer;
  int wanSpeed;
  // external switch: link bits (register 0x0100), speed codes (0x0104)
  unsigned linkPorts, portSpeeds;
};

static const Model models[] = {
    {"KR4410", "KR4410_V1.02.17", "KR4410", "7.14.164.301", "2026-03-12 10:41:07",
     "1.0.38-118.5", {0x00, 0x1a, 0x2b, 0x44, 0x10, 0x01}, "KR44102603120001",
     "kr4410Factory01", "kr4410Factory5G", "12345670", "KR4410-1001", "KR4410-HW-B1",
     "023F8A10C8", "KR4410-1001-5G", "0", "36", "1", "1", "51849387",
     "DE (DE/0) GERMANY", 1, 0, "Language list\nENG\nDEU\n\nFRA\n",
     {{"wl0", "40MHz", 7, 1}, {"wl1", "80MHz", 9, 1}}, "1",
     0, 0, 0, 1023999, 24576999, "A2pv6F039v.d26d", 2, 0x0000, 0x0000},
    {"PZ7720E", "PZ7720E_V2.00.05", "PZ7720E", "7.14.170.33", "2026-05-02 08:12:55",
     "1.0.38-120.1", {0x00, 0x22, 0x6b, 0x77, 0x20, 0xe0}, "PZ77202605020042",
     "pz7720eKey2024", "pz7720eKey5G24", "87654325", "PZ7720E-42", "PZ7720E-HW-A2",
     nullptr, "PZ7720E-42-5G", "11", "0", "1", "0", "20172840",
     "NL (NL/1) NETHERLANDS", 0, 1, "Language:\nENG\nNLD\n",
     {{"wl0", "20MHz", 3, -1}, {"wl1", "40MHz", 5, 1}}, "0",
     3, 512000, 8192000, 0, 0, "A2pv6F039v.d26d", 1, 0x0000, 0x0000},
    {"MTX-2150", "MTX-2150_V1.10.02", "MTX-2150", "7.14.131.2402", "2025-11-20 16:03:41",
     "1.0.38-112.2", {0x00, 0x90, 0x4c, 0x21, 0x50, 0x0a}, "MTX21502511200007",
     "mtx2150Secret", "mtx2150Secret5", "24681353", "MTX-2150-07", "MTX-2150-HW-C",
     nullptr, "MTX-2150-07-5G", "1", "44", "1", "1", "09812736",
     "US (US/0) UNITED STATES", 0, 0, "Language list\nENG\nSPA\n",
     {{"wl0", "20MHz", 7, 1}, {"wl1", "80MHz", 9, 1}}, "1",
     0, 0, 0, 832000, 16384000, "A2pv6C035m.d24m", 0, 0x000a, 0x0088},
    {"MTX-2450", "MTX-2450_V3.01.00", "MTX-2450", "7.14.164.301", "2026-07-30 11:29:03",
     "1.0.38-118.5", {0x00, 0x90, 0x4c, 0x24, 0x50, 0x1c}, "MTX24502607300113",
     "mtx2450Secret", "mtx2450Secret5", "13572461", "MTX-2450-13", "MTX-2450-HW-A",
     nullptr, "MTX-2450-13-5G", "6", "149", "1", "1", "33445566",
     "GB (GB/0) UNITED KINGDOM", 1, 1, "Language list\nENG\n",
     {{"wl0", "40MHz", 7, 0}, {"wl1", "40MHz", 7, 1}}, "1",
     1, 0, 0, 0, 0, "A2pv6F039v.d26d", 99, 0x0006, 0x0014},
    {"KR8800", "KR8800_V1.00.31", "KR8800", "7.35.180.12", "2026-09-14 09:00:12",
     "1.0.38-126.3", {0x00, 0x1a, 0x2b, 0x88, 0x00, 0x7f}, "KR88002609140310",
     "kr8800Factory01", "kr8800Factory5G", "11223344", "KR8800-0310", "KR8800-HW-A1",
     "023F8B77A1", "KR8800-0310-5G", "0", "0", "1", "1", "77889900",
     "FR (FR/5) FRANCE", 1, 1, "Language list\nENG\nFRA\nDEU\n",
     {{"wl0", "40MHz", 7, 1}, {"wl1", "80MHz", 11, 1}}, "1",
     0, 0, 0, 1279999, 51199999, "A2pv6F039v.d26d", 2, 0x000f, 0x00aa},
};

const char *const *modelNames()
{
  static const char *names[] = {"KR4410", "PZ7720E", "MTX-2150", "MTX-2450", "KR8800", nullptr};
  return names;
}

static void put(const std::string &path, const std::string &value)
{
  size_t slash = path.rfind('/');

  makeDirs(path.substr(0, slash));
  writeFile(path, value);
}

static std::string hexGroups(const unsigned char *mac, const char *sep, bool upper)
{
  std::string s;
  char b[4];

  for (int i = 0; i < 6; i++) {
    snprintf(b, sizeof(b), upper ? "%02X" : "%02x", mac[i]);
    s += b;
    if (i < 5 || !*sep) s += sep;
  }
  return s;
}

static std::string macPlus(const Model &m, int add, bool upper)
{
  unsigned char mac[6];

  memcpy(mac, m.mac, 6);
  mac[5] = (unsigned char)(mac[5] + add);
  return hexGroups(mac, ":", upper);
}

static void writeFlash(const Model &m)
{
  const std::string e = "/proc/nvram/";

  removeTree("/proc/nvram");
  // the device shows the base MAC as six groups, each followed by a blank
  std::string base;
  for (int i = 0; i < 6; i++) {
    char b[4];
    snprintf(b, sizeof(b), "%02x ", m.mac[i]);
    base += b;
  }
  put(e + "BaseMacAddr", base + "\n");
  put(e + "ModemSerialNumber", std::string(m.serial) + "\n");
  put(e + "BasePreShareKey", std::string(m.psk) + "\n");
  put(e + "BasePreShareKey_5g", std::string(m.psk5) + "\n");
  put(e + "wps_device_pin", std::string(m.pin) + "\n");
  put(e + "ssid", std::string(m.ssid) + "\n");
  put(e + "HWID", std::string(m.hwid) + "\n");
  put(e + "BoardFlag", "0\n");
  if (m.rfpi) put(e + "DectRFPI", std::string(m.rfpi) + "\n");
}

static void writeNvram(const Model &m)
{
  const struct {
    const char *name;
    std::string value;
  } vars[] = {
      {"wl0_hwaddr", macPlus(m, 2, true)},
      {"wl1_hwaddr", macPlus(m, 3, true)},
      {"lan_hwaddr", macPlus(m, 0, true)},
      {"wl0_ssid", m.ssid},
      {"wl1_ssid", m.ssid5},
      {"wl0_wpa_psk", m.psk},
      {"wl0_channel", m.channel},
      {"wl1_channel", m.channel5},
      {"wl0_radio", m.radio},
      {"wl1_radio", m.radio5},
      {"wps_device_pin", m.pin},
      {"wps_sta_pin", m.staPin},
  };

  removeTree("/var/dutsim/nvram");
  makeDirs("/var/dutsim/nvram");
  for (const auto &v : vars) put(std::string("/var/dutsim/nvram/") + v.name, v.value);
}

static void writeStore(const Model &m)
{
  removeTree("/var/dutsim/cms");
  put("/var/dutsim/cms/TempPool1Cfg/wizard_first", m.wizardFirst);
  for (int i = 0; i < 2; i++) {
    const Radio &r = m.radios[i];
    std::string dir = "/var/dutsim/cms/WifiRadio/" + std::to_string(i + 1) + "/";

    put(dir + "name", r.name);
    put(dir + "operatingChannelBandwidth", r.bandwidth);
    put(dir + "MCS", std::to_string(r.mcs));
    put(dir + "wl11Mode", std::to_string(r.wl11Mode));
  }
  // the flash copy holds the factory store until the first save
  saveStoreToFlash();
}

static std::string hex4(unsigned v)
{
  char b[8];

  snprintf(b, sizeof(b), "%x", v & 0xffff);
  return b;
}

static void writeHardware(const Model &m)
{
  const std::string d = "/var/dutsim/";

  removeTree(d + "fwinfo");
  put(d + "fwinfo/fw", m.fw);
  put(d + "fwinfo/boardID", m.boardID);
  put(d + "fwinfo/wlan", m.wlan);
  put(d + "fwinfo/time", m.time);
  put(d + "fwinfo/cfe", m.cfe);
  removeTree(d + "wl");
  put(d + "wl/wl0/obss_coex", std::to_string(m.coex));
  put(d + "wl/wl1/obss_coex", std::to_string(m.coex5));
  put(d + "wl/country", m.country);
  put(d + "languages", m.languages);
  removeTree(d + "xdsl");
  put(d + "xdsl/LinkState", std::to_string(m.linkState));
  put(d + "xdsl/ulFastUpStreamRate", std::to_string(m.fastUp));
  put(d + "xdsl/ulFastDnStreamRate", std::to_string(m.fastDn));
  put(d + "xdsl/ulInterleavedUpStreamRate", std::to_string(m.intUp));
  put(d + "xdsl/ulInterleavedDnStreamRate", std::to_string(m.intDn));
  put(d + "xdsl/phyVerStr", m.phyVer);
  put(d + "wan/speed", std::to_string(m.wanSpeed));
  removeTree(d + "regs");
  makeDirs(d + "regs");
  removeTree(d + "spi");
  put(d + "spi/0100", hex4(m.linkPorts));
  put(d + "spi/0104", hex4(m.portSpeeds));
  removeTree(d + "voice");
  put(d + "voice/state", "running");
  put(d + "voice/config", "custom");
  put(d + "voice/saved", "custom");
  removeTree(d + "led");
  makeDirs(d + "led");
  put("/proc/BtnMode", "0\n");
  put("/proc/BtnCnt", "0\n");
}

bool writeFactoryState(const std::string &model)
{
  for (const Model &m : models) {
    if (model != m.name) continue;
    put("/var/dutsim/model", m.name);
    writeFlash(m);
    writeNvram(m);
    writeStore(m);
    writeHardware(m);
    return true;
  }
  return false;
}
