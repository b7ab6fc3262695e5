// The factory state of each simulated model: what a gateway fresh from the
// line holds in flash, nvram, radios, line and switch.
#include <cctype>
#include <cstdio>
#include <cstring>

#include "dut.h"

struct Radio {
  const char *name, *bandwidth;
  int mcs, wl11Mode;
};

// An LED driven by a register: lit while every bit of mask is set in the
// register's file (an unwritten register reads 0).
struct RegisterLed {
  const char *file;
  unsigned mask;
};

// LED n of the SoC's own controller: a 2-bit field at bits 2n of the
// controller's register (n from 0 to 7) or bits 2(n-8) of the register 4
// bytes above it (n from 8 on); 3 lights it.
static constexpr RegisterLed socLed(const char *file, int n)
{
  return {file, 3u << (2 * (n % 8))};
}

// A port LED of the external switch is lit while bit 6 of its register is set.
static constexpr RegisterLed switchLed(const char *file)
{
  return {file, 0x40};
}

static const char *const KR_LEDS_HIGH = "/var/dutsim/regs/b0001908";
static const char *const PZ_LEDS = "/var/dutsim/regs/b0000204";

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
  // the buttons, in the order the driver's record lists them
  const char *buttons[5];
  // the LAN LEDs; the list ends at a null file
  RegisterLed lan[6];
};

static const Model models[] = {
    {"KR4410", "KR4410_V1.02.17", "KR4410", "7.14.164.301", "2026-03-12 10:41:07",
     "1.0.38-118.5", {0x00, 0x1a, 0x2b, 0x44, 0x10, 0x01}, "KR44102603120001",
     "kr4410Factory01", "kr4410Factory5G", "12345670", "KR4410-1001", "KR4410-HW-B1",
     "023F8A10C8", "KR4410-1001-5G", "0", "36", "1", "1", "51849387",
     "DE (DE/0) GERMANY", 1, 0, "Language list\nENG\nDEU\n\nFRA\n",
     {{"wl0", "40MHz", 7, 1}, {"wl1", "80MHz", 9, 1}}, "1",
     0, 0, 0, 1023999, 24576999, "A2pv6F039v.d26d", 2, 0x0000, 0x0000,
     {"WPS", "Reset", "WLAN", "DECT"},
     {socLed(KR_LEDS_HIGH, 9), socLed(KR_LEDS_HIGH, 10), socLed(KR_LEDS_HIGH, 11),
      socLed(KR_LEDS_HIGH, 12), socLed(KR_LEDS_HIGH, 15)}},
    {"PZ7720E", "PZ7720E_V2.00.05", "PZ7720E", "7.14.170.33", "2026-05-02 08:12:55",
     "1.0.38-120.1", {0x00, 0x22, 0x6b, 0x77, 0x20, 0xe0}, "PZ77202605020042",
     "pz7720eKey2024", "pz7720eKey5G24", "87654325", "PZ7720E-42", "PZ7720E-HW-A2",
     nullptr, "PZ7720E-42-5G", "11", "0", "1", "0", "20172840",
     "NL (NL/1) NETHERLANDS", 0, 1, "Language:\nENG\nNLD\n",
     {{"wl0", "20MHz", 3, -1}, {"wl1", "40MHz", 5, 1}}, "0",
     0, 512000, 8192000, 0, 0, "A2pv6F039v.d26d", 1, 0x0000, 0x0000,
     {"WPS", "Reset"},
     {socLed(PZ_LEDS, 4), socLed(PZ_LEDS, 5), socLed(PZ_LEDS, 6), socLed(PZ_LEDS, 7)}},
    {"MTX-2150", "MTX-2150_V1.10.02", "MTX-2150", "7.14.131.2402", "2025-11-20 16:03:41",
     "1.0.38-112.2", {0x00, 0x90, 0x4c, 0x21, 0x50, 0x0a}, "MTX21502511200007",
     "mtx2150Secret", "mtx2150Secret5", "24681353", "MTX-2150-07", "MTX-2150-HW-C",
     nullptr, "MTX-2150-07-5G", "1", "44", "1", "1", "09812736",
     "US (US/0) UNITED STATES", 0, 0, "Language list\nENG\nSPA\n",
     {{"wl0", "20MHz", 7, 1}, {"wl1", "80MHz", 9, 1}}, "1",
     0, 0, 0, 832000, 16384000, "A2pv6C035m.d24m", 0, 0x000a, 0x0088,
     {"WPS", "Reset", "WLAN"},
     // the link LEDs follow bit 3 of switch register 0x0f, the activity LEDs bit 15 of 0x12
     {{"/var/dutsim/spi/000f", 0x8}, {"/var/dutsim/spi/0012", 0x8000}}},
    {"MTX-2450", "MTX-2450_V3.01.00", "MTX-2450", "7.14.164.301", "2026-07-30 11:29:03",
     "1.0.38-118.5", {0x00, 0x90, 0x4c, 0x24, 0x50, 0x1c}, "MTX24502607300113",
     "mtx2450Secret", "mtx2450Secret5", "13572461", "MTX-2450-13", "MTX-2450-HW-A",
     nullptr, "MTX-2450-13-5G", "6", "149", "1", "1", "33445566",
     "GB (GB/0) UNITED KINGDOM", 1, 1, "Language list\nENG\n",
     {{"wl0", "40MHz", 7, 0}, {"wl1", "40MHz", 7, 1}}, "1",
     1, 0, 0, 0, 0, "A2pv6F039v.d26d", 99, 0x0006, 0x0014,
     {"WPS", "Reset", "WLAN"},
     {switchLed("/var/dutsim/spi/0058"), switchLed("/var/dutsim/spi/0059"),
      switchLed("/var/dutsim/spi/005a"), switchLed("/var/dutsim/spi/005b"),
      switchLed("/var/dutsim/spi/005c")}},
    {"KR8800", "KR8800_V1.00.31", "KR8800", "7.35.180.12", "2026-09-14 09:00:12",
     "1.0.38-126.3", {0x00, 0x1a, 0x2b, 0x88, 0x00, 0x7f}, "KR88002609140310",
     "kr8800Factory01", "kr8800Factory5G", "11223344", "KR8800-0310", "KR8800-HW-A1",
     "023F8B77A1", "KR8800-0310-5G", "0", "0", "1", "1", "77889900",
     "FR (FR/5) FRANCE", 1, 1, "Language list\nENG\nFRA\nDEU\n",
     {{"wl0", "40MHz", 7, 1}, {"wl1", "80MHz", 11, 1}}, "1",
     0, 0, 0, 1279999, 51199999, "A2pv6F039v.d26d", 2, 0x000f, 0x00aa,
     {"WPS", "Reset", "WLAN", "DECT"},
     {switchLed("/var/dutsim/spi/0059"), switchLed("/var/dutsim/spi/005a"),
      switchLed("/var/dutsim/spi/005b"), switchLed("/var/dutsim/spi/005c"),
      socLed(KR_LEDS_HIGH, 12)}},
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

// The base MAC entry, as the kernel's entry takes and shows a MAC.
static int hexDigit(char c)
{
  if (c >= '0' && c <= '9') return c - '0';
  c = (char)tolower((unsigned char)c);
  return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

bool parseMac(const std::string &text, unsigned char mac[6])
{
  std::string t = text;

  // the writer's line end (echo's, or a console's CR) is not part of it
  while (!t.empty() && isspace((unsigned char)t.back())) t.pop_back();
  bool bare = t.size() == 12;
  if (!bare && t.size() != 17) return false;
  char sep = bare ? 0 : t[2];
  if (!bare && sep != ':' && sep != '-') return false;
  for (int i = 0; i < 6; i++) {
    size_t at = bare ? 2 * i : 3 * i;
    int hi = hexDigit(t[at]), lo = hexDigit(t[at + 1]);

    if (hi < 0 || lo < 0 || (!bare && i < 5 && t[at + 2] != sep)) return false;
    mac[i] = (unsigned char)(hi << 4 | lo);
  }
  return true;
}

std::string baseMacEntry(const unsigned char mac[6])
{
  char b[20];

  snprintf(b, sizeof(b), "%02x %02x %02x %02x %02x %02x \n", mac[0], mac[1], mac[2], mac[3],
           mac[4], mac[5]);
  return b;
}

bool readBaseMac(unsigned char mac[6])
{
  std::string v, digits;

  if (!readFile("/proc/nvram/BaseMacAddr", v)) return false;
  for (char c : v)
    if (c != ' ') digits += c;
  return parseMac(digits, mac);
}

static std::string macPlus(const unsigned char *base, int add)
{
  unsigned char mac[6];
  char b[20];

  memcpy(mac, base, 6);
  mac[5] = (unsigned char)(mac[5] + add);
  snprintf(b, sizeof(b), "%02X:%02X:%02X:%02X:%02X:%02X", mac[0], mac[1], mac[2], mac[3], mac[4],
           mac[5]);
  return b;
}

static void writeFlash(const Model &m)
{
  const std::string e = "/proc/nvram/";

  removeTree("/proc/nvram");
  put(e + "BaseMacAddr", baseMacEntry(m.mac));
  put(e + "ModemSerialNumber", std::string(m.serial) + "\n");
  put(e + "BasePreShareKey", std::string(m.psk) + "\n");
  put(e + "BasePreShareKey_5g", std::string(m.psk5) + "\n");
  put(e + "wps_device_pin", std::string(m.pin) + "\n");
  put(e + "ssid", std::string(m.ssid) + "\n");
  put(e + "HWID", std::string(m.hwid) + "\n");
  put(e + "BoardFlag", "0\n");
  if (m.rfpi) put(e + "DectRFPI", std::string(m.rfpi) + "\n");
}

// The first line of a flash entry as it is now; dflt when it cannot be read.
static std::string entryLine(const char *entry, const char *dflt)
{
  std::string v;

  if (!readFile(std::string("/proc/nvram/") + entry, v)) return dflt;
  return v.substr(0, v.find('\n'));
}

// The configuration's defaults: the model's, except what a gateway takes
// from the board's flash entries as they are now (its MAC addresses, the
// 2.4 GHz SSID and pass-phrase, the WPS PIN), so that a value committed to
// an entry shows in the configuration after a reset. An entry that cannot
// be read gives the model's value.
static void writeNvram(const Model &m)
{
  unsigned char mac[6];

  if (!readBaseMac(mac)) memcpy(mac, m.mac, 6);
  const struct {
    const char *name;
    std::string value;
  } vars[] = {
      {"wl0_hwaddr", macPlus(mac, 2)},
      {"wl1_hwaddr", macPlus(mac, 3)},
      {"lan_hwaddr", macPlus(mac, 0)},
      {"wl0_ssid", entryLine("ssid", m.ssid)},
      {"wl1_ssid", m.ssid5},
      {"wl0_wpa_psk", entryLine("BasePreShareKey", m.psk)},
      {"wl0_channel", m.channel},
      {"wl1_channel", m.channel5},
      {"wl0_radio", m.radio},
      {"wl1_radio", m.radio5},
      {"wps_device_pin", entryLine("wps_device_pin", m.pin)},
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
  removeTree(d + "spi");
  put(d + "spi/0100", hex4(m.linkPorts));
  put(d + "spi/0104", hex4(m.portSpeeds));
  removeTree(d + "voice");
  put(d + "voice/saved", "custom");
}

// What a power-up leaves in the parts that do not keep their state: SoC
// registers at 0, every LED off, the button driver out of test mode with
// no count, the voice service running on its saved configuration.
static void powerUp()
{
  const std::string d = "/var/dutsim/";

  removeTree(d + "regs");
  makeDirs(d + "regs");
  removeTree(d + "led");
  makeDirs(d + "led");
  put("/proc/BtnMode", "0\n");
  put("/proc/BtnCnt", "0\n");
  put(d + "voice/state", "running");
  put(d + "voice/config", readValue(d + "voice/saved"));
}

static const Model *modelOf(const std::string &model)
{
  for (const Model &m : models)
    if (model == m.name) return &m;
  return nullptr;
}

bool writeFactoryState(const std::string &model)
{
  const Model *m = modelOf(model);

  if (!m) return false;
  put("/var/dutsim/model", m->name);
  writeFlash(*m);
  writeHardware(*m);
  if (!resetConfig(model)) return false;
  powerUp();
  return true;
}

bool resetConfig(const std::string &model)
{
  const Model *m = modelOf(model);

  if (!m) return false;
  writeNvram(*m);
  writeStore(*m);
  // a restore of the defaults replaces the saved configuration too
  return saveStoreToFlash();
}

bool rebootState()
{
  for (const auto &n : listDir("/tmp")) removeTree("/tmp/" + n);
  if (!loadStoreFromFlash()) return false;
  powerUp();
  return true;
}

std::vector<std::string> modelButtons(const std::string &model)
{
  std::vector<std::string> names;
  const Model *m = modelOf(model);

  for (int i = 0; m && i < 5 && m->buttons[i]; i++) names.push_back(m->buttons[i]);
  return names;
}

int lanLedsLit(const std::string &model, int &total)
{
  const Model *m = modelOf(model);
  int lit = 0;

  total = 0;
  for (int i = 0; m && i < 6 && m->lan[i].file; i++) {
    total++;
    if (registerBitsSet(m->lan[i].file, m->lan[i].mask)) lit++;
  }
  return lit;
}
