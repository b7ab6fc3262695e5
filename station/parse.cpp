// Parsers of what tarnel prints. Each output is known from one table (its
// labels, their order, the line ends) and parsed without guessing: what
// does not fit is reported under "problems", the store's failure messages
// under "errors", and a web value that could be cut in two ways under
// "ambiguous".
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>

#include "station.h"

namespace {

// ---- the store's failure messages, wherever they stand in an output

const struct {
  const char *text, *call;
} storeMessages[] = {
    {"cmsMsg_init failed, ret=", "cmsMsg_init"},
    {"cmsMdm_init failed, ret=", "cmsMdm_init"},
    {"failed to get lock, ret=", "lock"},
    {"could not get TEMP_POOL_CFG, ret=", "TEMP_POOL_CFG"},
    {"failed to get MDMOID_DEV2_WIFI_RADIO, ret=", "MDMOID_DEV2_WIFI_RADIO"},
};

// The message at pos, with its code and line end: its length, or 0.
size_t storeMessageAt(const std::string &out, size_t pos, json &errors)
{
  for (const auto &m : storeMessages) {
    size_t len = strlen(m.text), i = pos + len;
    if (out.compare(pos, len, m.text) != 0) continue;
    if (i < out.size() && out[i] == '-') i++;
    size_t digits = i;
    while (i < out.size() && isdigit((unsigned char)out[i]) && i - digits < 10) i++;
    if (i == digits || i >= out.size() || out[i] != '\n') continue;
    errors.push_back({{"call", m.call}, {"ret", std::stol(out.substr(pos + len, i - pos - len))}});
    return i + 1 - pos;
  }
  return 0;
}

// The output without the store's messages, which a reader may print in
// the middle of a line (after a label, before the value's line).
std::string takeStoreErrors(const std::string &out, json &errors)
{
  std::string rest;

  for (size_t i = 0; i < out.size();) {
    size_t n = storeMessageAt(out, i, errors);
    if (n) {
      i += n;
    } else {
      rest += out[i++];
    }
  }
  return rest;
}

std::vector<std::string> splitLines(const std::string &text)
{
  std::vector<std::string> lines;
  size_t start = 0, nl;

  while ((nl = text.find('\n', start)) != std::string::npos) {
    lines.push_back(text.substr(start, nl - start));
    start = nl + 1;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

bool startsWith(const std::string &s, const std::string &p)
{
  return s.compare(0, p.size(), p) == 0;
}

// ---- line tables

enum Form {
  VALUE,        // label, the value, its line end
  VALUE_BLANK,  // the same and an empty line: a value that keeps its own
                // line end and is printed with one more ("N/A" has none)
  FIXED,        // the label is the whole line
  RATE,         // label, "Up to ", the value
  LISTING,      // label, the language listing, "ENG" (the language)
};

struct Row {
  const char *label, *key;
  Form form;
};

using Rows = std::vector<Row>;

// -a: the readers' own lines in the order they are called, no labels.
const Rows plainReport = {
    {"", "Coexist_2_4G", VALUE},        {"", "Coexist_5G", VALUE},
    {"", "FW_Version", VALUE},          {"", "SerialNumber", VALUE},
    {"", "SSID_2_4G", VALUE},           {"", "PassPhrase_2_4G", VALUE_BLANK},
    {"", "DataRate_2_4G", RATE},        {"", "Channel_2_4G", VALUE},
    {"", "SSID_5G", VALUE},             {"", "PassPhrase_5G", VALUE_BLANK},
    {"", "DataRate_5G", RATE},          {"", "Channel_5G", VALUE},
    {"", "WLAN_MAC_2_4G", VALUE},       {"", "WLAN_MAC_5G", VALUE},
    {"", "LAN_MAC", VALUE},             {"", "WAN_MAC_1", VALUE},
    {"", "WAN_MAC_2", VALUE},           {"", "WAN_MAC_3", VALUE},
    {"", "PINCode", VALUE},             {"", "Region", VALUE},
    {"", "Language", LISTING},          {"", "Board_HW_ID", VALUE_BLANK},
    {"", "Board_Model_ID", VALUE},      {"", "WLAN_Status_2_4G", VALUE},
    {"", "WLAN_Status_5G", VALUE},      {"", "BootLoader_Version", VALUE},
    {"", "ADSL_Code_Version", VALUE},   {"", "WLAN_Driver_Version", VALUE},
    {"", "ADSL_DownStream_Rate", VALUE}, {"", "ADSL_UpStream_Rate", VALUE},
    {"", "FW_Build_Time", VALUE},       {"", "DECT_Version", VALUE},
    {"", "DECT_RFPI", VALUE},           {"", "DECT_Handset", VALUE},
    {"", "FactoryMode", VALUE},         {"", "StartPage", VALUE},
    {"", "WAN1_LinkSt", VALUE},         {"", "WAN2_LinkSt", VALUE},
    {"", "WAN3_LinkSt", VALUE},
};

// -s, the same in both forms.
const Rows paramList = {
    {"LAN_MAC ", "LAN_MAC", VALUE},
    {"WAN_MAC_1 N/A", nullptr, FIXED},
    {"WAN_MAC_2 N/A", nullptr, FIXED},
    {"WAN_MAC_3 N/A", nullptr, FIXED},
    {"WLAN_2.4G_MAC ", "WLAN_2.4G_MAC", VALUE},
    {"WLAN_5G_MAC ", "WLAN_5G_MAC", VALUE},
    {"SN ", "SN", VALUE},
    {"PIN Code ", "PINCode", VALUE},
    {"SSID_2.4G ", "SSID_2.4G", VALUE},
    {"SSID_5G ", "SSID_5G", VALUE},
    {"passphrase_2.4G ", "passphrase_2.4G", VALUE_BLANK},
    {"passphrase_5G ", "passphrase_5G", VALUE_BLANK},
    {"WPS_PIN ", "WPS_PIN", VALUE},
};

// -n, the same in both forms; the keys are the report's fields.
const Rows productSheet = {
    {"FW Version: ", "FW_Version", VALUE},
    {"Series number: ", "SerialNumber", VALUE},
    {"2.4G SSID: ", "SSID_2_4G", VALUE},
    {"2.4G PassPhrase: ", "PassPhrase_2_4G", VALUE_BLANK},
    {"2.4G Coexist: ", "Coexist_2_4G", VALUE},
    {"2.4G Data rate: ", "DataRate_2_4G", RATE},
    {"2.4G Channel: ", "Channel_2_4G", VALUE},
    {"2.4G WLAN MAC: ", "WLAN_MAC_2_4G", VALUE},
    {"5G SSID:", "SSID_5G", VALUE},
    {"5G PassPhrase:", "PassPhrase_5G", VALUE_BLANK},
    {"5G Coexist: ", "Coexist_5G", VALUE},
    {"5G Data rate: ", "DataRate_5G", RATE},
    {"5G Channel:", "Channel_5G", VALUE},
    {"5G WLAN MAC:", "WLAN_MAC_5G", VALUE},
    {"LAN MAC: ", "LAN_MAC", VALUE},
    {"WLAN MAC 1: N/A", nullptr, FIXED},
    {"WLAN MAC 2: N/A", nullptr, FIXED},
    {"WLAN MAC 3: N/A", nullptr, FIXED},
    {"PIN Code: ", "PINCode", VALUE},
    {"Region: ", "Region", VALUE},
    {"Language: ", "Language", LISTING},
    {"Board HW ID:", "Board_HW_ID", VALUE_BLANK},
    {"Board Model ID: ", "Board_Model_ID", VALUE},
    {"ADSL Modem Code Version: ", "ADSL_Code_Version", VALUE},
    {"WLAN Version: ", "WLAN_Driver_Version", VALUE},
    {"ADSL downstream link rate: ", "ADSL_DownStream_Rate", VALUE},
    {"ADSL upstream link rate: ", "ADSL_UpStream_Rate", VALUE},
    {"Build time: ", "FW_Build_Time", VALUE},
    {"DECT Version: N/A", nullptr, FIXED},
    {"DECT RFPI: ", "DECT_RFPI", VALUE},
    {"DECT Handset: N/A", nullptr, FIXED},
    {"FACTORY MODE: N/A", nullptr, FIXED},
};

// -g NAME: the label of each name (none with -w), and how its value ends.
const Rows hwget = {
    {"", "LAN_MAC", VALUE},
    {"2.4G WLAN MAC ", "WLAN_2.4G_MAC", VALUE},
    {"5G WLAN MAC ", "WLAN_5G_MAC", VALUE},
    {"SN ", "SN", VALUE},
    {"PIN Code ", "PINCode", VALUE},
    {"SSID_2.4G ", "SSID_2.4G", VALUE},
    {"SSID_5G ", "SSID_5G", VALUE},
    {"", "passphrase_2.4G", VALUE_BLANK},
    {"", "passphrase_5G", VALUE_BLANK},
    {"WPS_PIN ", "WPS_PIN", VALUE},
};

// Single values: the plain form's labels; -w drops them.
const Rows coexistence = {{"Coexistence_2.4G ", "Coexist_2_4G", VALUE},
                          {"Coexistence_5G ", "Coexist_5G", VALUE}};
const Rows uplink = {{"uplink ", "ADSL_UpStream_Rate", VALUE}};
const Rows downlink = {{"downlink ", "ADSL_DownStream_Rate", VALUE}};
const Rows dslStatus = {{"", "LinkState", VALUE}};
const Rows datarate = {{"", "DataRate_2_4G", RATE}};
const Rows datarate5g = {{"", "DataRate_5G", RATE}};
// Actions that print nothing when all is well (-c, -i, -B, -E, -k, ...).
const Rows quiet = {};

void problem(json &result, const std::string &why)
{
  result["problems"].push_back(why);
}

// Walks the table over the lines from i on; the first line that does not
// fit ends the walk with a problem.
bool parseRows(const Rows &rows, bool web, const std::vector<std::string> &lines, size_t &i,
               json &result)
{
  json &values = result["values"];

  for (const Row &row : rows) {
    std::string label = web && row.form != FIXED ? "" : row.label;
    const char *what = row.key ? row.key : row.label;
    if (i >= lines.size()) {
      problem(result, std::string("the output ends before ") + what);
      return false;
    }
    const std::string &line = lines[i++];
    if (!startsWith(line, label) || (row.form == FIXED && line != label)) {
      problem(result, "line " + std::to_string(i) + " is not " + what);
      return false;
    }
    std::string value = line.substr(label.size());
    if (row.form == RATE) {
      if (!startsWith(value, "Up to ")) {
        problem(result, "line " + std::to_string(i) + " is not a rate");
        return false;
      }
      value.erase(0, 6);
    }
    if (row.form == LISTING) {
      if (value.size() < 3 || value.compare(value.size() - 3, 3, "ENG") != 0) {
        problem(result, "line " + std::to_string(i) + " does not end with the language");
        return false;
      }
      putText(result, "language_listing", value.substr(0, value.size() - 3));
      value = "ENG";
    }
    if (row.form == VALUE_BLANK) {
      bool blank = i < lines.size() && lines[i].empty();
      if (!blank && value != "N/A") {
        problem(result, "no empty line after " + std::string(what));
        return false;
      }
      i += blank;
    }
    if (row.key) putText(values, row.key, value);
  }
  return true;
}

json parseTable(const Rows &rows, bool web, const std::vector<std::string> &lines, json &result)
{
  size_t i = 0;

  if (parseRows(rows, web, lines, i, result) && i < lines.size())
    problem(result, "unexpected output from line " + std::to_string(i + 1) + " on");
  return result;
}

// ---- the web report: 0 to 5 lines of readers that always print, then
// the pairs line, or NULL without a line end.

const struct {
  const char *key, *label;
} webPairs[] = {
    {"FW_Version", "FW Version:"},
    {"SerialNumber", "Serial number:"},
    {"SSID_2_4G", "2.4G SSID:"},
    {"PassPhrase_2_4G", "2.4G PassPhrase:"},
    {"DataRate_2_4G", "2.4G Data rate:"},
    {"Channel_2_4G", "2.4G Channel:"},
    {"Coexist_2_4G", "2.4G Coexist:"},
    {"SSID_5G", "5G SSID:"},
    {"PassPhrase_5G", "5G PassPhrase:"},
    {"DataRate_5G", "5G Data rate:"},
    {"Channel_5G", "5G Channel:"},
    {"Coexist_5G", "5G Coexist:"},
    {"WLAN_MAC_2_4G", "2.4G WLAN MAC:"},
    {"WLAN_MAC_5G", "5G WLAN MAC:"},
    {"LAN_MAC", "LAN MAC:"},
    {"WAN_MAC_1", "WAN MAC 1:"},
    {"WAN_MAC_2", "WAN MAC 2:"},
    {"WAN_MAC_3", "WAN MAC 3:"},
    {"PINCode", "PIN Code:"},
    {"Region", "Region:"},
    {"Language", "Language:"},
    {"Board_HW_ID", "Board HW ID:"},
    {"Board_Model_ID", "Board Model ID:"},
    {"WLAN_Status_2_4G", "2.4GWLAN Status:"},
    {"WLAN_Status_5G", "5GWLAN Status:"},
    {"BootLoader_Version", "Bootloader Version:"},
    {"ADSL_Code_Version", "ADSL Modem Code Version:"},
    {"WLAN_Driver_Version", "WLAN Version:"},
    {"ADSL_DownStream_Rate", "ADSL downstream link rate:"},
    {"ADSL_UpStream_Rate", "ADSL upstream link rate:"},
    {"FW_Build_Time", "Build time:"},
    {"DECT_Version", "DECT Version:"},
    {"DECT_RFPI", "DECT RFPI:"},
    {"DECT_Handset", "DECT Handset:"},
    {"FactoryMode", "FACTORY MODE:"},
    {"StartPage", "Start Page:"},
    {"WAN1_LinkSt", "WAN1 link status:"},
    {"WAN2_LinkSt", "WAN2 link status:"},
    {"WAN3_LinkSt", "WAN3 link status:"},
};
const size_t pairCount = sizeof(webPairs) / sizeof(webPairs[0]);

std::string intro(size_t i)
{
  return std::string("'") + webPairs[i].label + "':'";
}

// Where each value begins and ends, taking each pair's end at the first
// (forward) or the last (backward) place it could be. Values that hold no
// separator come out the same both ways.
using Spans = std::vector<std::pair<size_t, size_t>>;

bool spansForward(const std::string &body, Spans &spans)
{
  size_t pos = 0;

  for (size_t i = 0; i < pairCount; i++) {
    if (body.compare(pos, intro(i).size(), intro(i)) != 0) return false;
    size_t start = pos + intro(i).size();
    size_t end = i + 1 < pairCount ? body.find("'," + intro(i + 1), start) : body.size() - 2;
    if (end == std::string::npos || end < start) return false;
    spans.push_back({start, end});
    pos = end + 2;
  }
  return pos == body.size();
}

bool spansBackward(const std::string &body, Spans &spans)
{
  size_t end = body.size() - 2;

  spans.assign(pairCount, {0, 0});
  for (size_t i = pairCount; i-- > 0;) {
    size_t at = i == 0 ? 0 : body.rfind("'," + intro(i), end);
    if (at == std::string::npos) return false;
    if (i > 0) at += 2;
    if (body.compare(at, intro(i).size(), intro(i)) != 0 || at + intro(i).size() > end) return false;
    spans[i] = {at + intro(i).size(), end};
    if (i > 0) end = at - 2;
  }
  return true;
}

void parsePairs(const std::string &line, json &result)
{
  std::string body = line.substr(2, line.size() - 4);
  Spans fwd, bwd;

  if (body.size() < 2 || body.compare(body.size() - 2, 2, "',") != 0 || !spansForward(body, fwd) ||
      !spansBackward(body, bwd)) {
    problem(result, "the report line does not hold the 39 pairs in their order");
    return;
  }
  json &values = result["values"];
  for (size_t i = 0; i < pairCount; i++) {
    std::string value = body.substr(fwd[i].first, fwd[i].second - fwd[i].first);
    if (fwd[i] != bwd[i] || value.find("','") != std::string::npos ||
        value.find("':'") != std::string::npos)
      result["ambiguous"].push_back(webPairs[i].key);
    else
      putText(values, webPairs[i].key, value);
  }
}

json parseWeb(const std::string &out, json &result)
{
  std::string report;
  size_t cut;

  if (out.size() >= 4 && out.compare(out.size() - 4, 4, "NULL") == 0) {
    result["report"] = "NULL";
    cut = out.size() - 4;
  } else if (out.size() >= 5 && out.compare(out.size() - 3, 3, "}]\n") == 0) {
    size_t nl = out.rfind('\n', out.size() - 2);
    cut = nl == std::string::npos ? 0 : nl + 1;
    report = out.substr(cut, out.size() - 1 - cut);
    if (!startsWith(report, "[{")) {
      problem(result, "the report line does not begin with [{");
      return result;
    }
    result["report"] = "pairs";
  } else {
    problem(result, "the output ends in neither a report line nor NULL");
    return result;
  }
  result["preamble"] = json::array();
  for (const auto &l : splitLines(out.substr(0, cut))) pushText(result, "preamble", l);
  if (!report.empty()) parsePairs(report, result);
  return result;
}

// ---- -U: the storage folder, then one line per port

json parseUsbCheck(const std::vector<std::string> &lines, json &result)
{
  if (lines.size() == 1 && lines[0] == "No USB device is plug") {
    result["storage"] = false;
    return result;
  }
  if (lines.size() != 3 || lines[0] != "show usb device") {
    problem(result, "not the USB device listing");
    return result;
  }
  result["storage"] = true;
  for (int port = 0; port < 2; port++) {
    std::string head = "USB " + std::to_string(port) + ": ";
    const std::string &l = lines[port + 1];
    if (!startsWith(l, head) || l.size() < head.size() + 1 || l.back() != ' ') {
      problem(result, "line " + std::to_string(port + 2) + " is not port " + std::to_string(port));
      return result;
    }
    std::string version = l.substr(head.size(), l.size() - head.size() - 1);
    json p = {{"port", port}, {"device", version != "No USB device is Plug"}};
    if (p["device"]) putText(p, "version", version);
    result["ports"].push_back(p);
  }
  return result;
}

// ---- -t: a count, then per stick a heading and its tests' lines

const char *usbErrors[] = {
    "open read file error!!",   "open wirte file error!!",
    "read file size error!!",   "read file too large (2 GiB or more)!!",
    "read file error!!",        "write file size out of range (0 to 2147483)!!",
};

// A line of the form head + number + tail: the number, or false.
bool numberLine(const std::string &l, const std::string &head, const std::string &tail, double &v)
{
  if (!startsWith(l, head) || l.size() < head.size() + tail.size() ||
      l.compare(l.size() - tail.size(), tail.size(), tail) != 0)
    return false;
  std::string n = l.substr(head.size(), l.size() - head.size() - tail.size());
  char *end = nullptr;
  if (n.empty() || n.find_first_not_of("0123456789.-") != std::string::npos) return false;
  v = strtod(n.c_str(), &end);
  return end == n.c_str() + n.size();
}

// Whole numbers as integers, rates as they were printed.
json number(double v)
{
  return v == (double)(long long)v ? json((long long)v) : json(v);
}

json parseUsbRate(const std::vector<std::string> &lines, json &result)
{
  json *test = nullptr, *part = nullptr;
  double v;

  result["sticks"] = json::array();
  for (size_t i = 0; i < lines.size(); i++) {
    const std::string &l = lines[i];
    if (l == "No USB device is plug") {
      result["storage"] = false;
    } else if (numberLine(l, "have ", " USB Device!", v)) {
      result["devices"] = (int)v;
    } else if (numberLine(l, "Start Test USB", ":", v)) {
      result["sticks"].push_back({{"usb", (int)v}});
      test = &result["sticks"].back();
      part = nullptr;
    } else if (test && (startsWith(l, "Read file name:") || startsWith(l, "Write file name:"))) {
      part = &(*test)[l[0] == 'R' ? "read" : "write"];
      putText(*part, "file", l.substr(l.find(':') + 1));
    } else if (part && numberLine(l, "file size=", "", v)) {
      (*part)["bytes"] = number(v);
    } else if (part && numberLine(l, "Read Speed: ", " MB/s", v)) {
      (*part)["mbps"] = number(v);
    } else if (part && numberLine(l, "count=", " ", v)) {
      (*part)["count"] = number(v);
    } else if (part && numberLine(l, "file size=", " M Byte", v)) {
      (*part)["mbytes"] = number(v);
    } else if (part && numberLine(l, " Write Speed: ", " MB/s", v)) {
      (*part)["mbps"] = number(v);
    } else if (std::find(std::begin(usbErrors), std::end(usbErrors), l) != std::end(usbErrors)) {
      result["error"] = l;
    } else {
      problem(result, "line " + std::to_string(i + 1) + " is not part of the USB test");
      break;
    }
  }
  if (!result.contains("devices") && !result.contains("problems"))
    problem(result, "no device count");
  return result;
}

// ---- -b: one item per line; an item that kept its line end is followed
// by an empty line.

json parseButtons(const std::vector<std::string> &lines, json &result)
{
  result["items"] = json::array();
  result["presses"] = json::object();
  for (const auto &l : lines) {
    if (l.empty()) continue;
    pushText(result, "items", l);
    // NAME:N, the simulated driver's form; names of printable ASCII only
    size_t colon = l.rfind(':');
    std::string button = l.substr(0, colon == std::string::npos ? 0 : colon);
    if (colon == std::string::npos || colon + 1 == l.size() || colon + 10 < l.size() ||
        l.find_first_not_of("0123456789", colon + 1) != std::string::npos ||
        std::any_of(button.begin(), button.end(), [](char c) { return c < 0x20 || c > 0x7e; }))
      continue;
    result["presses"][button] = std::stoi(l.substr(colon + 1));
  }
  return result;
}

// ---- the kinds of `parse`, each with the option whose output it reads

const struct Kind {
  const char *name, *option;
  const Rows *rows;
  json (*lines)(const std::vector<std::string> &, json &);
} kinds[] = {
    {"web", "-a -w", nullptr, nullptr},
    {"report", "-a", &plainReport, nullptr},
    {"list", "-s", &paramList, nullptr},
    {"sheet", "-n", &productSheet, nullptr},
    {"get", "-g NAME", nullptr, nullptr},
    {"usb-check", "-U", nullptr, parseUsbCheck},
    {"usb-rate", "-t", nullptr, parseUsbRate},
    {"buttons", "-b", nullptr, parseButtons},
    {"coexistence", "-o", &coexistence, nullptr},
    {"uplink", "-u", &uplink, nullptr},
    {"downlink", "-d", &downlink, nullptr},
    {"dsl-status", "-p", &dslStatus, nullptr},
    {"datarate", "-f", &datarate, nullptr},
    {"datarate5g", "-x", &datarate5g, nullptr},
    {"quiet", "-c, -i, -B, -E, -k", &quiet, nullptr},
};

const Kind *findKind(const std::string &name)
{
  for (const auto &k : kinds)
    if (name == k.name) return &k;
  return nullptr;
}

json parseGet(const std::string &name, bool web, const std::vector<std::string> &lines, json &result)
{
  result["name"] = name;
  for (const Row &row : hwget) {
    if (name != row.key) continue;
    return parseTable({row}, web, lines, result);
  }
  if (lines.size() != 1 || lines[0] != name + " N/A") problem(result, "not NAME N/A for an unknown name");
  return result;
}

}  // namespace

bool knownKind(const std::string &kind)
{
  return findKind(kind) != nullptr;
}

std::vector<std::string> kindNames()
{
  std::vector<std::string> names;

  for (const auto &k : kinds) names.push_back(std::string(k.name) + " (" + k.option + ")");
  return names;
}

json parseOutput(const std::string &kindName, const std::string &out, bool web, const std::string &name)
{
  const Kind *kind = findKind(kindName);
  json result = {{"kind", kindName}, {"errors", json::array()}};

  if (!kind) throw BadInput("no parser for " + kindName);
  std::string rest = takeStoreErrors(out, result["errors"]);
  if (kind->name == std::string("web")) return parseWeb(rest, result);
  std::vector<std::string> lines = splitLines(rest);
  if (!rest.empty() && rest.back() != '\n') result["line_end"] = false;
  if (kind->name == std::string("get")) return parseGet(name, web, lines, result);
  if (kind->lines) return kind->lines(lines, result);
  return parseTable(*kind->rows, web, lines, result);
}

bool clean(const json &parsed)
{
  return parsed["errors"].empty() && !parsed.contains("problems") && !parsed.contains("ambiguous") &&
         !parsed.contains("line_end");
}
