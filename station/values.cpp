// The factory parameters a station programs, and the checks each value
// passes before anything touches the unit. tarnel passes these values to
// the unit's shell unquoted and into the web line unescaped, so a value
// is refused unless it is safe in both.
#include <algorithm>
#include <fstream>
#include <sstream>

#include "station.h"

const std::string *Values::find(const char *name) const
{
  for (const auto &i : items)
    if (!strcmp(i.first->name, name)) return &i.second;
  return nullptr;
}

namespace {

using Why = std::string;

bool isHex(char c)
{
  return isxdigit((unsigned char)c);
}

bool allDigits(const std::string &v)
{
  return std::all_of(v.begin(), v.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A character the value must not hold, and why; 0 when it has none.
char firstOutside(const std::string &v, const char *allowed)
{
  for (char c : v)
    if (!isalnum((unsigned char)c) && !strchr(allowed, c)) return c;
  return 0;
}

std::string shown(char c)
{
  char buf[16];

  snprintf(buf, sizeof(buf), c > 0x20 && c < 0x7f ? "'%c'" : "byte 0x%02x", (unsigned char)c);
  return buf;
}

// Six upper-case pairs and colons, as tarnel shows a MAC.
std::string normalMac(const std::string &digits)
{
  std::string mac;

  for (size_t i = 0; i < digits.size(); i++) {
    if (i && i % 2 == 0) mac += ':';
    mac += (char)toupper((unsigned char)digits[i]);
  }
  return mac;
}

// 12 hexadecimal digits, bare or in six pairs separated by ':' or '-'.
Why checkMac(std::string &v)
{
  std::string digits;

  if (v.size() == 17 && (v[2] == ':' || v[2] == '-')) {
    for (size_t i = 0; i < 17; i++) {
      if (i % 3 == 2 && v[i] != v[2]) return "the separators are not all " + shown(v[2]);
      if (i % 3 != 2) digits += v[i];
    }
  } else {
    digits = v;
  }
  if (digits.size() != 12 || !std::all_of(digits.begin(), digits.end(), isHex))
    return "is not 12 hexadecimal digits (pairs may be separated by ':' or '-')";
  if (digits == "000000000000") return "is all zeros";
  if (std::stoi(digits.substr(0, 2), nullptr, 16) & 1) return "is a multicast address (first octet odd)";
  v = normalMac(digits);
  return "";
}

Why checkSerial(std::string &v)
{
  if (v.empty() || v.size() > 32) return "must be 1 to 32 letters and digits";
  if (char c = firstOutside(v, "")) return "holds " + shown(c) + ": only letters and digits";
  return "";
}

Why checkPin(std::string &v)
{
  if (v.size() < 4 || v.size() > 8 || !allDigits(v))
    return "must be 4 to 8 digits";
  return "";
}

// The last of the 8 digits is the WPS check digit of the first seven.
Why checkWpsPin(std::string &v)
{
  if (v.size() != 8 || !allDigits(v))
    return "must be 8 digits";
  int sum = 0;
  for (int i = 0; i < 7; i++) sum += (v[i] - '0') * (i % 2 ? 1 : 3);
  if ((10 - sum % 10) % 10 != v[7] - '0') return "has a wrong check digit";
  return "";
}

// Letters, digits, UTF-8 beyond ASCII and the punctuation that means
// nothing to the unit's shell: no blank (tarnel's shell lines split at it),
// no quote, no glob, no redirection, no '#'; and no leading '-', which
// wireless_set would take for an option.
Why checkSsid(std::string &v)
{
  if (v.empty() || v.size() > 32) return "must be 1 to 32 bytes";
  for (char c : v) {
    if ((unsigned char)c >= 0x80) continue;
    if (!isalnum((unsigned char)c) && !strchr("_-.+,:@%=/^", c))
      return "holds " + shown(c) + ", which tarnel would pass unquoted to the unit's shell";
  }
  if (v[0] == '-') return "begins with '-', which the unit's wireless_set takes for an option";
  return "";
}

// What tarnel's own check accepts, less the characters its unquoted shell
// lines would act on (" # & ' < > [ \ ]), and at most 63 characters, as
// WPA allows.
Why checkPassphrase(std::string &v)
{
  if (v.size() < 8 || v.size() > 63) return "must be 8 to 63 characters";
  for (char c : v) {
    if (c == 'z') return "holds 'z', which tarnel does not accept in a pass-phrase";
    if (!isalnum((unsigned char)c) && !strchr("!%+,.=@_", c))
      return "holds " + shown(c) + ": only letters but z, digits and ! % + , . = @ _";
  }
  return "";
}

Why checkFlag(std::string &v)
{
  return v == "0" || v == "1" ? "" : "must be 0 or 1";
}

// NAME=VALUE lines; blank lines and lines beginning with '#' are skipped,
// a CR before the line end is dropped.
std::vector<std::pair<std::string, std::string>> readPairs(const std::string &text)
{
  std::vector<std::pair<std::string, std::string>> pairs;
  std::istringstream in(text);
  std::string line;

  for (int n = 1; std::getline(in, line); n++) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    size_t eq = line.find('=');
    if (eq == std::string::npos) throw BadInput("line " + std::to_string(n) + " is not NAME=VALUE");
    pairs.push_back({line.substr(0, eq), line.substr(eq + 1)});
  }
  return pairs;
}

std::vector<std::pair<std::string, std::string>> readJson(const std::string &text)
{
  std::vector<std::pair<std::string, std::string>> pairs;
  json j = json::parse(text, nullptr, false);

  if (!j.is_object()) throw BadInput("not a JSON object");
  for (auto it = j.begin(); it != j.end(); ++it) {
    if (it.value().is_number_integer())
      pairs.push_back({it.key(), std::to_string(it.value().get<long>())});
    else if (it.value().is_string())
      pairs.push_back({it.key(), it.value().get<std::string>()});
    else
      throw BadInput(it.key() + " is neither a string nor a number");
  }
  return pairs;
}

}  // namespace

// In tarnel's staging order. listKey is the row of -s that shows the
// committed value; the 2.4 GHz SSID's row shows the configuration's SSID,
// so its factory entry is read instead, as is the production flag's.
const std::vector<Param> params = {
    {"LAN_MAC", 'L', "/tmp/Lan_MAC.txt", "LAN_MAC", nullptr, "LAN_MAC", false, checkMac},
    {"SN", 'S', "/tmp/SN.txt", "SN", nullptr, "SerialNumber", false, checkSerial},
    {"PINCode", 'P', "/tmp/PIN_Code.txt", "PINCode", nullptr, "PINCode", false, checkPin},
    {"SSID_2.4G", 'I', "/tmp/SSID_2_4G.txt", nullptr, "/proc/nvram/ssid", nullptr, false, checkSsid},
    {"SSID_5G", 'Q', "/tmp/SSID_5G.txt", "SSID_5G", nullptr, "SSID_5G", true, checkSsid},
    {"passphrase_2.4G", 'K', "/tmp/WPSPSK.txt", "passphrase_2.4G", nullptr, "PassPhrase_2_4G", false,
     checkPassphrase},
    {"passphrase_5G", 'Y', "/tmp/WPSPSK5G.txt", "passphrase_5G", nullptr, "PassPhrase_5G", false,
     checkPassphrase},
    {"WPS_PIN", 'J', "/tmp/WPS_PIN.txt", "WPS_PIN", nullptr, nullptr, true, checkWpsPin},
    {"productionmode", 'Z', nullptr, nullptr, "/proc/nvram/BoardFlag", nullptr, false, checkFlag, true},
};

// Every staging file tarnel writes, the WLAN MAC's included.
const std::vector<std::string> stagingFiles = {
    "/tmp/Lan_MAC.txt", "/tmp/SN.txt",     "/tmp/PIN_Code.txt", "/tmp/SSID_2_4G.txt", "/tmp/SSID_5G.txt",
    "/tmp/WPSPSK.txt",  "/tmp/WPSPSK5G.txt", "/tmp/WPS_PIN.txt", "/tmp/Wlan_MAC.txt",
};

Values readValues(const std::string &path, json &inputs)
{
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  Values v;

  if (!in) throw BadInput("cannot read " + path);
  text << in.rdbuf();
  std::string s = text.str();
  size_t first = s.find_first_not_of(" \t\r\n");
  auto pairs = first != std::string::npos && s[first] == '{' ? readJson(s) : readPairs(s);
  for (const auto &p : pairs) {
    putText(inputs, p.first, p.second);
    bool known = std::any_of(params.begin(), params.end(), [&](const Param &q) { return p.first == q.name; });
    if (!known) throw BadInput("unknown name " + p.first.substr(0, 64));
    if (std::count_if(pairs.begin(), pairs.end(), [&](const auto &q) { return q.first == p.first; }) > 1)
      throw BadInput(p.first + " is given twice");
  }
  for (const Param &param : params) {
    auto at = std::find_if(pairs.begin(), pairs.end(), [&](const auto &p) { return p.first == param.name; });
    if (at == pairs.end()) {
      if (param.optional) continue;
      throw BadInput(std::string(param.name) + " is missing");
    }
    std::string value = at->second;
    Why why = param.check(value);
    if (!why.empty()) throw BadInput(std::string(param.name) + " " + why);
    v.items.push_back({&param, value});
  }
  return v;
}
