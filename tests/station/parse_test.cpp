// The station's parsers on what tarnel really prints in the simulated
// unit, and the checks of the values a station programs.
#include <fstream>

#include "dut_fixture.h"
#include "station.h"

namespace {

struct ParseCase {
  const char *what;
  Files files;         // device files for the case, put back afterwards
  const char *before;  // a device command first, or nullptr
  std::vector<std::string> args;
  const char *kind;
  bool web;
  std::vector<std::pair<const char *, json>> expect;  // JSON pointers
  bool clean;
};

const std::string ssid10k(10000, 'S'), wl1 = "/var/dutsim/nvram/wl1_ssid";
const char *fault = "/var/dutsim/fault/";

const std::vector<ParseCase> parseCases = {
    {"the factory report line", {}, nullptr, {"-a", "-w"}, "web", false,
     {{"/report", "pairs"},
      {"/preamble", {"36", "ENG,DEU,FRAKR4410-HW-B1", "", "023F8A10C8", ""}},
      {"/values/SerialNumber", "KR44102603120001"},
      {"/values/WAN3_LinkSt", "N/A"}},
     true},
    {"NULL in place of the line", {{"/var/dutsim/cms/TempPool1Cfg/wizard_first", "0"}}, nullptr,
     {"-a", "-w"}, "web", false, {{"/report", "NULL"}, {"/preamble/4", ""}}, true},
    {"a store message before the line", {{std::string(fault) + "cmsObj_get", "5"}}, nullptr, {"-a", "-w"},
     "web", false, {{"/errors", {{{"call", "TEMP_POOL_CFG"}, {"ret", 5}}}}, {"/report", "pairs"}}, false},
    {"a value holding the pair separator", {{wl1, "a','b"}}, nullptr, {"-a", "-w"}, "web", false,
     {{"/ambiguous", {"SSID_5G"}}, {"/values/PassPhrase_5G", "kr4410Factory5G"}}, false},
    {"a value holding the next pair's start", {{wl1, "x','5G PassPhrase:':'y"}}, nullptr, {"-a", "-w"},
     "web", false, {{"/ambiguous", {"SSID_5G", "PassPhrase_5G"}}, {"/values/DataRate_5G", "2167 Mbps"}},
     false},
    {"a 10 kB SSID, as the reader cuts it", {{wl1, ssid10k}}, nullptr, {"-a", "-w"}, "web", false,
     {{"/values/SSID_5G", ssid10k.substr(0, 511)}}, true},
    {"bytes that are not UTF-8, and a CR", {{wl1, "\xff\xfe\r"}}, nullptr, {"-a", "-w"}, "web", false,
     {{"/values/SSID_5G", "\xc3\xbf\xc3\xbe\r"}, {"/values/latin1", {"SSID_5G"}}}, true},
    {"the plain report", {}, nullptr, {"-a"}, "report", false,
     {{"/values/Language", "ENG"}, {"/language_listing", "ENG,DEU,FRA"}, {"/values/DataRate_5G", "2167 Mbps"}},
     true},
    {"a pass-phrase shown as N/A has no empty line", {{"/proc/nvram/BasePreShareKey", ""}}, nullptr,
     {"-a"}, "report", false, {{"/values/PassPhrase_2_4G", "N/A"}}, true},
    {"the product sheet, the lock not obtained", {{std::string(fault) + "cmsLck_acquireLockWithTimeoutTraced", "9011"}},
     nullptr, {"-n"}, "sheet", false,
     {{"/errors/2", {{"call", "lock"}, {"ret", 9011}}}, {"/values/DataRate_5G", "-1 Mbps"},
      {"/values/Board_HW_ID", "KR4410-HW-B1"}},
     false},
    {"the parameter list", {}, nullptr, {"-s"}, "list", false,
     {{"/values/passphrase_5G", "kr4410Factory5G"}, {"/values/WPS_PIN", "51849387"}}, true},
    {"a staged LAN MAC without its line end", {{"/tmp/Lan_MAC.txt", "001A2B44"}}, nullptr, {"-s"}, "list",
     false, {{"/problems/0", "line 2 is not WAN_MAC_1 N/A"}}, false},
    {"-g SN", {}, nullptr, {"-g", "SN"}, "get", false, {{"/values/SN", "KR44102603120001"}}, true},
    {"-g SN -w", {}, nullptr, {"-g", "SN", "-w"}, "get", true, {{"/values/SN", "KR44102603120001"}}, true},
    {"-g passphrase_5G", {}, nullptr, {"-g", "passphrase_5G"}, "get", false,
     {{"/values/passphrase_5G", "kr4410Factory5G"}}, true},
    {"no USB stick", {}, nullptr, {"-U"}, "usb-check", false, {{"/storage", false}}, true},
    {"one USB stick", {}, "usbplug 1", {"-U"}, "usb-check", false,
     {{"/ports/0/version", " 2.0"}, {"/ports/1/device", false}}, true},
    {"the USB test on an empty test.bin", {}, "usbplug -s 0 1", {"-t", "rw", "-v", "0"}, "usb-rate", false,
     {{"/devices", 1}, {"/sticks/0/read/bytes", 0}, {"/sticks/0/write/mbytes", 0}}, true},
    {"the USB test on two sticks", {}, "usbplug -s 1000 2", {"-t", "r"}, "usb-rate", false,
     {{"/devices", 2}, {"/sticks/1/usb", 1}, {"/sticks/1/read/file", "/mnt/usb2/test.bin"}}, true},
    {"the USB test without test.bin", {}, "usbplug 1", {"-t", "r"}, "usb-rate", false,
     {{"/error", "open read file error!!"}}, true},
    {"the button record", {{"/tmp/button.txt", "WPS:1&Reset:0&\nWLAN:2\n"}}, nullptr, {"-b"}, "buttons",
     false, {{"/items", {"WPS:1", "Reset:0", "WLAN:2"}}, {"/presses", {{"WPS", 1}, {"Reset", 0}, {"WLAN", 2}}}},
     true},
    {"coexistence", {}, nullptr, {"-o"}, "coexistence", false, {{"/values/Coexist_5G", "disable"}}, true},
    {"coexistence -w", {}, nullptr, {"-o", "-w"}, "coexistence", true, {{"/values/Coexist_2_4G", "enable"}}, true},
    {"uplink -w", {}, nullptr, {"-u", "-w"}, "uplink", true, {{"/values/ADSL_UpStream_Rate", "1023 Kbps"}}, true},
    {"the line state", {}, nullptr, {"-p"}, "dsl-status", false, {{"/values/LinkState", "UP"}}, true},
    {"the 5 GHz rate, the store not opened", {{std::string(fault) + "cmsMsg_init", "2"}}, nullptr, {"-x"},
     "datarate5g", false, {{"/errors/1/call", "cmsMsg_init"}, {"/values/DataRate_5G", "-1 Mbps"}}, false},
};

using StationParse = Dut;

// Each case changes the unit for itself and puts the files back.
TEST_F(StationParse, WhatTarnelPrints)
{
  for (const auto &c : parseCases) {
    SCOPED_TRACE(c.what);
    Files saved;
    for (const auto &f : c.files) saved.push_back({f.first, exists(f.first) ? file(f.first) : gone});
    putAll(c.files);
    if (c.before) run({"sh", "-c", c.before});
    Result r = tarnel(c.args);
    json parsed = parseOutput(c.kind, r.out, c.web, c.args.size() > 1 ? c.args[1] : "");
    for (const auto &e : c.expect) EXPECT_EQ(parsed.value(json::json_pointer(e.first), json()), e.second) << e.first;
    EXPECT_EQ(clean(parsed), c.clean) << parsed.dump();
    putAll(saved);
    if (c.before) run({"usbplug", "0"});
  }
}

// The report line, the plain report and the product sheet are three tables
// over the same record: on each model, whose readers print 0 to 5 lines
// before the report line, they parse cleanly and give the same values.
TEST_F(StationParse, TheThreeReportsAgree)
{
  for (const char *model : {"KR4410", "PZ7720E", "MTX-2150", "MTX-2450", "KR8800"}) {
    SCOPED_TRACE(model);
    init(model);
    put("/var/dutsim/cms/TempPool1Cfg/wizard_first", "1");  // some models ship with 0: NULL
    json web = parseOutput("web", tarnel({"-a", "-w"}).out);
    json plain = parseOutput("report", tarnel({"-a"}).out);
    json sheet = parseOutput("sheet", tarnel({"-n"}).out);
    EXPECT_TRUE(clean(web) && clean(plain) && clean(sheet));
    EXPECT_EQ(nlohmann::json(web["values"]), nlohmann::json(plain["values"]));
    EXPECT_EQ(web["values"].size(), 39u);
    for (auto it = sheet["values"].begin(); it != sheet["values"].end(); ++it)
      EXPECT_EQ(web["values"][it.key()], it.value()) << it.key();
  }
}

// ---- the values a station programs

struct ValueCase {
  const char *name, *value, *refused;  // "" for a value taken
};

const std::string mac600(600, 'a'), ssid33(33, 's'), key63(63, 'k'), key64(64, 'k');

const std::vector<ValueCase> valueCases = {
    {"LAN_MAC", "00-1a-2b-44-10-99", ""},
    {"LAN_MAC", "001a2b441099", ""},
    {"LAN_MAC", "01:00:5e:00:00:01", "multicast"},
    {"LAN_MAC", "00:00:00:00:00:00", "all zeros"},
    {"LAN_MAC", "00:1a-2b:44:10:99", "separators"},
    {"LAN_MAC", mac600.c_str(), "12 hexadecimal digits"},
    {"SN", "KR-4410", "holds '-'"},
    {"PINCode", "123", "4 to 8 digits"},
    {"WPS_PIN", "51849387", "check digit"},
    {"SSID_2.4G", "", "1 to 32 bytes"},
    {"SSID_5G", ssid33.c_str(), "1 to 32 bytes"},
    {"SSID_5G", ssid10k.c_str(), "1 to 32 bytes"},
    {"SSID_2.4G", "Caf\xc3\xa9-24", ""},
    {"SSID_2.4G", "two words", "holds byte 0x20"},
    {"SSID_5G", "a;reboot", "holds ';'"},
    {"SSID_5G", "-Z", "begins with '-'"},
    {"passphrase_2.4G", "short12", "8 to 63"},
    {"passphrase_2.4G", key63.c_str(), ""},
    {"passphrase_5G", key64.c_str(), "8 to 63"},
    {"passphrase_5G", "lazyfox12", "holds 'z'"},
    {"passphrase_5G", "a&b>c'd#e", "holds '&'"},
    {"productionmode", "2", "0 or 1"},
    {"Language", "x", "unknown name Language"},
};

const std::vector<std::pair<std::string, std::string>> goodValues = {
    {"LAN_MAC", "00:1a:2b:44:10:99"}, {"SN", "KR44109999"},          {"PINCode", "12345670"},
    {"SSID_2.4G", "Station-24"},       {"SSID_5G", "Station-5G"},     {"passphrase_2.4G", "Factory2024.01"},
    {"passphrase_5G", "Factory5G_2024"}, {"WPS_PIN", "51849382"},
};

// Why readValues refuses the text, or "" when it takes it (into *v).
std::string refusal(const std::string &text, Values *v = nullptr)
{
  char path[] = "/tmp/station-values-XXXXXX";
  int fd = mkstemp(path);
  std::string why;
  json inputs;

  EXPECT_EQ(write(fd, text.data(), text.size()), (ssize_t)text.size());
  close(fd);
  try {
    Values taken = readValues(path, inputs);
    if (v) *v = taken;
  } catch (const BadInput &e) {
    why = e.what();
  }
  unlink(path);
  return why;
}

// Each case is the good set with one value changed, as NAME=VALUE lines.
TEST(StationValues, EachValueIsCheckedBeforeAnythingRuns)
{
  for (const auto &c : valueCases) {
    SCOPED_TRACE(std::string(c.name) + "=" + std::string(c.value).substr(0, 40));
    std::string text = "# one unit\r\n";
    bool replaced = false;
    for (const auto &g : goodValues) {
      bool mine = g.first == c.name;
      text += g.first + "=" + (mine ? std::string(c.value) : g.second) + "\r\n";
      replaced |= mine;
    }
    if (!replaced) text += std::string(c.name) + "=" + c.value + "\n";
    Values v;
    std::string why = refusal(text, &v);
    if (*c.refused) {
      EXPECT_NE(why.find(c.refused), std::string::npos) << why;
    } else {
      EXPECT_EQ(why, "");
      // every MAC taken is the same address, in one form
      EXPECT_EQ(*v.find("LAN_MAC"), "00:1A:2B:44:10:99");
    }
  }
}

TEST(StationValues, JsonFilesAndTheirShapes)
{
  const struct {
    const char *text, *refused;
  } cases[] = {
      {R"({"LAN_MAC":"001A2B441099","SN":"A1","PINCode":"1234","SSID_2.4G":"a","SSID_5G":"b",
          "passphrase_2.4G":"12345678","passphrase_5G":"12345678","WPS_PIN":"12345670","productionmode":1})",
       ""},
      {R"({"SN":"A1"})", "LAN_MAC is missing"},
      {R"({"LAN_MAC":["00"]})", "neither a string nor a number"},
      {"LAN_MAC=1\nLAN_MAC=2\n", "LAN_MAC is given twice"},
      {"no pair here\n", "line 1 is not NAME=VALUE"},
  };
  for (const auto &c : cases) {
    Values v;
    std::string why = refusal(c.text, &v);
    EXPECT_NE(why.find(c.refused), std::string::npos) << c.text << ": " << why;
    if (!*c.refused) {
      EXPECT_EQ(*v.find("productionmode"), "1");
    }
  }
}

// Every byte value survives the trip through a JSON string and back.
TEST(StationText, EveryByteComesBack)
{
  std::string bytes;
  json obj;

  for (int b = 0; b < 256; b++) bytes += (char)b;
  putText(obj, "all", bytes);
  putText(obj, "utf8", "Caf\xc3\xa9\r");
  json back = json::parse(obj.dump());
  EXPECT_EQ(textBytes(back, "all"), bytes);
  EXPECT_EQ(back["utf8"], "Caf\xc3\xa9\r");
  EXPECT_EQ(back["latin1"], json::array({"all"}));
}

}  // namespace
