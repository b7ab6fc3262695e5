// WLAN link rates, the xDSL line, the coexistence switches and the
// hidden-information report, as a station sees them: output bytes, exit
// status, command lines and platform calls in their order.
#include <map>

#include "dut_fixture.h"

namespace {

struct Radio {
  std::string name, bandwidth;
  int mcs, mode;
};

const std::string longText(10240, 'x');

}  // namespace

class Report : public Dut {
protected:
  // The store's radio objects, in store order, in place of the model's.
  void radios(const std::vector<Radio> &list)
  {
    remove("/var/dutsim/cms/WifiRadio");
    for (size_t i = 0; i < list.size(); i++) {
      std::string dir = "/var/dutsim/cms/WifiRadio/" + std::to_string(i + 1) + "/";
      put(dir + "name", list[i].name);
      put(dir + "operatingChannelBandwidth", list[i].bandwidth);
      put(dir + "MCS", std::to_string(list[i].mcs));
      put(dir + "wl11Mode", std::to_string(list[i].mode));
    }
  }

  void fault(const std::string &function, int code)
  {
    put("/var/dutsim/fault/" + function, std::to_string(code));
  }

  // Store calls and lock events (or the trace lines of the prefixes); the
  // radio object id is the simulated platform's own, so it shows as OID.
  Lines storeCalls(const std::vector<std::string> &prefixes = {"call: cms", "cms: "})
  {
    Lines calls = traceLines(prefixes);
    for (auto &l : calls)
      if (l.compare(0, 20, "call: cmsObj_getNext") == 0) l = l.substr(0, l.find('(')) + "(OID)";
    return calls;
  }
};

// A fast-path line (0 Kbps), no DECT, automatic 5 GHz channel, 5 GHz radio
// off, no language listing.
static const char pz7720ePlain[] =
    "disable\nenable\nPZ7720E_V2.00.05\nPZ77202605020042\nPZ7720E-42\npz7720eKey2024\n\n"
    "Up to 54 Mbps\n11\nPZ7720E-42-5G\npz7720eKey5G24\n\nUp to 1000 Mbps\nAuto(0)\n"
    "00:22:6B:77:20:E2\n00:22:6B:77:20:E3\n00:22:6B:77:20:E0\nN/A\nN/A\nN/A\n87654325\n"
    "NL (NL/1) NETHERLANDS\nENG\nPZ7720E-HW-A2\n\nPZ7720E\nenable\ndisable\n1.0.38-120.1\n"
    "A2pv6F039v.d26d\n7.14.170.33\n0 Kbps\n0 Kbps\n2026-05-02 08:12:55\nN/A\nN/A\nN/A\nN/A\n"
    "N/A\n100M\nN/A\nN/A\n";

static const char pz7720eWebLine[] =
    "[{'FW Version:':'PZ7720E_V2.00.05','Serial number:':'PZ77202605020042',"
    "'2.4G SSID:':'PZ7720E-42','2.4G PassPhrase:':'pz7720eKey2024','2.4G Data rate:':'54 Mbps',"
    "'2.4G Channel:':'11','2.4G Coexist:':'disable','5G SSID:':'PZ7720E-42-5G',"
    "'5G PassPhrase:':'pz7720eKey5G24','5G Data rate:':'1000 Mbps','5G Channel:':'Auto(0)',"
    "'5G Coexist:':'enable','2.4G WLAN MAC:':'00:22:6B:77:20:E2','5G WLAN MAC:':'00:22:6B:77:20:E3',"
    "'LAN MAC:':'00:22:6B:77:20:E0','WAN MAC 1:':'N/A','WAN MAC 2:':'N/A','WAN MAC 3:':'N/A',"
    "'PIN Code:':'87654325','Region:':'NL (NL/1) NETHERLANDS','Language:':'ENG',"
    "'Board HW ID:':'PZ7720E-HW-A2','Board Model ID:':'PZ7720E','2.4GWLAN Status:':'enable',"
    "'5GWLAN Status:':'disable','Bootloader Version:':'1.0.38-120.1',"
    "'ADSL Modem Code Version:':'A2pv6F039v.d26d','WLAN Version:':'7.14.170.33',"
    "'ADSL downstream link rate:':'0 Kbps','ADSL upstream link rate:':'0 Kbps',"
    "'Build time:':'2026-05-02 08:12:55','DECT Version:':'N/A','DECT RFPI:':'N/A',"
    "'DECT Handset:':'N/A','FACTORY MODE:':'N/A','Start Page:':'N/A','WAN1 link status:':'100M',"
    "'WAN2 link status:':'N/A','WAN3 link status:':'N/A',}]\n";

// Which radio each band reads and the rate its bandwidth gives. On 2.4 GHz
// the first radio's mode counts, never its MCS (5); on 5 GHz the last "wl1"
// decides by bandwidth alone. Bandwidths outside the table count as 20MHz.
TEST_F(Report, RatesAtEveryBandwidth)
{
  const struct {
    std::vector<Radio> radios;
    const char *args, *out;
  } cases[] = {
      {{{"wl0", "20MHz", 5, -1}}, "-f", "Up to 54 Mbps\n"},
      {{{"wl0", "40MHz", 5, 1}}, "-f", "Up to 600 Mbps\n"},
      {{{"wl0", "80MHz", 5, 0}}, "-f", "Up to 600 Mbps\n"},
      {{{"wl0", longText, 5, 1}}, "-f", "Up to 289 Mbps\n"},
      {{{"wl1", "40MHz", 7, 1}, {"wl0", "20MHz", 7, -1}}, "-f", "Up to 600 Mbps\n"},
      {{{"wl0", "40MHz", 5, 1}, {"wl1", "40MHz", -1, 2}}, "-x", "Up to 1000 Mbps\n"},
      {{{"wl0", "40MHz", 5, 1}, {"wl1", "80MHz", 99, 2}}, "-x", "Up to 2167 Mbps\n"},
      {{}, "-x", "Up to 481 Mbps\n"},
      {{{"wl0", "20MHz", 7, 1}, {"wl1" + longText, "80MHz", 7, 1}, {"WL1", "80MHz", 7, 1}}, "-x", "Up to 481 Mbps\n"},
      {{{"wl1", "80MHz", 7, 1}, {"wl0", "40MHz", 7, 1}}, "-x", "Up to 2167 Mbps\n"},
      {{{"wl1", "80MHz", 7, 1}, {"wl0", "20MHz", 7, 1}, {"wl1", "40MHz", 7, 1}}, "-x", "Up to 1000 Mbps\n"},
      // an unknown bandwidth keeps the earlier wl1's
      {{{"wl0", "20MHz", 7, 1}, {"wl1", "40MHz", 7, 1}, {"wl1", "", 7, 1}}, "-x", "Up to 1000 Mbps\n"},
  };

  for (const auto &c : cases) {
    std::string radioList;
    for (const auto &r : c.radios) radioList += r.name.substr(0, 8) + "/" + r.bandwidth.substr(0, 8) + " ";
    SCOPED_TRACE(radioList + c.args);
    radios(c.radios);
    Result r = tarnel({c.args});
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.status, 0);
  }
}

// Interleaved rates only, truncated to whole kilobits (the factory line's
// 24,576,999 bits per second is the usage reference's 24576 Kbps); only
// state 0 is up; a failed call reads as a down line without rates. The
// library is asked once per reader and no command runs.
TEST_F(Report, XdslLine)
{
  const struct {
    std::map<std::string, std::string> line;
    const char *fault;
    std::vector<std::string> args;
    const char *out;
  } cases[] = {
      {{{"ulInterleavedUpStreamRate", "999"}}, nullptr, {"-u"}, "uplink 0 Kbps\n"},
      {{{"ulInterleavedUpStreamRate", "4294967295"}}, nullptr, {"-u"}, "uplink 4294967 Kbps\n"},
      {{{"ulFastUpStreamRate", "512000"}, {"ulFastDnStreamRate", "8192000"},
        {"ulInterleavedUpStreamRate", "0"}, {"ulInterleavedDnStreamRate", "0"}},
       nullptr, {"-d", "-u"}, "uplink 0 Kbps\ndownlink 0 Kbps\n"},
      {{{"LinkState", "1"}}, nullptr, {"-p"}, "DOWN\n"},
      {{{"LinkState", "2"}}, nullptr, {"-p", "-w"}, "DOWN\n"},
      {{{"LinkState", "15"}}, nullptr, {"-p"}, "DOWN\n"},
      {{{"LinkState", "0"}}, "xdslCtl_GetConnectionInfo", {"-p", "-u", "-d"},
       "uplink 0 Kbps\ndownlink 0 Kbps\nDOWN\n"},
  };

  for (const auto &c : cases) {
    SCOPED_TRACE(c.args[0] + " " + c.line.begin()->first + "=" + c.line.begin()->second);
    for (const auto &v : c.line) put("/var/dutsim/xdsl/" + v.first, v.second);
    if (c.fault) fault(c.fault, 9002);
    Result r = tarnel(c.args);
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.status, 0);
    for (const auto &l : traceLines()) EXPECT_EQ(l, "call: xdslCtl_GetConnectionInfo(0)");
  }
}

// Switches run first, 2.4 GHz before 5 GHz, and print nothing; request words
// are exact. Shows come after, labelled only in plain mode.
TEST_F(Report, Coexistence)
{
  const struct {
    std::vector<std::string> args;
    const char *out;
    Lines commands;
  } cases[] = {
      {{"-C", "Enable", "-X", "1"}, "", {}},
      {{"-C", longText, "-X", "disable" + longText}, "", {}},
      {{"-q", "-j", "-o", "-X", "enable", "-C", "disable"},
       "Coexistence_2.4G disable\nCoexistence_5G enable\ndisable\nenable\n",
       {"sh: wl -i wl0 obss_coex 0", "sh: wl -i wl1 obss_coex 1", "sh: wl -i wl0 obss_coex", "sh: wl -i wl1 obss_coex",
        "sh: wl -i wl0 obss_coex", "sh: wl -i wl1 obss_coex"}},
  };

  for (const auto &c : cases) {
    SCOPED_TRACE(words(c.args));
    Result r = tarnel(c.args);
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(traceLines(), c.commands);
  }
}

// Store failures of the rate readers and the web report. An open or a lock
// that fails gives -1 Mbps (asked twice on 5 GHz) and lets the report's line
// through; only the report's own open ends the run. A failed object read is
// reported, except in the 5 GHz walk, and its connection still frees and
// closes.
TEST_F(Report, StoreFailures)
{
  const std::string before = "PZ7720E-HW-A2\n\nN/A\n", msg = "cmsMsg_init failed, ret=9001\n",
                    mdm = "cmsMdm_init failed, ret=9002\n", lock = "failed to get lock, ret=9011\n";
  std::string lineLocked = pz7720eWebLine;
  lineLocked.replace(lineLocked.find("'54 Mbps'"), 9, "'-1 Mbps'");
  lineLocked.replace(lineLocked.find("'1000 Mbps'"), 11, "'-1 Mbps'");
  const struct {
    const char *function;
    int code;
    std::vector<std::string> args;
    std::string out;
    int status;
    Lines last;  // the last store calls, when given
  } cases[] = {
      {"cmsMsg_init", 9001, {"-x"}, msg + msg + "Up to -1 Mbps\n", 0, {}},
      {"cmsMdm_init", 9002, {"-f"}, mdm + "Up to -1 Mbps\n", 0, {}},
      {"cmsLck_acquireLockWithTimeoutTraced", 9011, {"-f"}, lock + "Up to -1 Mbps\n", 0, {}},
      {"cmsObj_getNextFlags", 9005, {"-f"}, "failed to get MDMOID_DEV2_WIFI_RADIO, ret=9005\nUp to 289 Mbps\n", 0,
       connection("get_nmode_dataRate", 5000, {"call: cmsObj_getNextFlags(OID)", "call: cmsObj_free()"})},
      {"cmsObj_getNext", 9005, {"-x"}, "Up to 481 Mbps\n", 0, {}},
      // the wizard has not run here: only a failure lets the line through
      {"cmsObj_get", 9003, {"-a", "-w"}, before + "could not get TEMP_POOL_CFG, ret=9003\n" + pz7720eWebLine, 0,
       connection("getWizardFirst", 10000, {"call: cmsObj_get(4039)", "call: cmsObj_free()"})},
      {"cmsMsg_init", 9001, {"-a", "-w"}, msg + msg + msg + before + msg, 255, {}},
      {"cmsMdm_init", 9002, {"-a", "-w"}, mdm + mdm + mdm + before + mdm, 255, {}},
      {"cmsLck_acquireLockWithTimeoutTraced", 9011, {"-a", "-w"}, lock + lock + lock + before + lock + lineLocked,
       0, {}},
  };

  init("PZ7720E");
  for (const auto &c : cases) {
    SCOPED_TRACE(std::string(c.function) + " " + words(c.args));
    remove("/var/dutsim/fault");
    fault(c.function, c.code);
    Result r = tarnel(c.args);
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.status, c.status);
    Lines calls = storeCalls();
    if (!c.last.empty()) {
      ASSERT_GE(calls.size(), c.last.size());
      EXPECT_EQ(Lines(calls.end() - c.last.size(), calls.end()), c.last);
    }
  }
}

// The report's readers in their order: every command line and platform
// call of a plain report of a factory-fresh KR4410.
TEST_F(Report, ReadersRunInTheirOrder)
{
  const Lines rate5 = connection("get_nmode_dataRate5g", 5000,
                                 {"call: cmsObj_getNext(OID)", "call: cmsObj_free()", "call: cmsObj_getNext(OID)",
                                  "call: cmsObj_free()", "call: cmsObj_getNext(OID)"});
  const Lines want = join(
      {{"sh: wl -i wl0 obss_coex", "sh: wl -i wl1 obss_coex", "sh: fwinfo -g fw",
        "sh: cat /proc/nvram/ModemSerialNumber", "sh: nvram get wl0_ssid", "sh: cat /proc/nvram/BasePreShareKey"},
       connection("get_nmode_dataRate", 5000, {"call: cmsObj_getNextFlags(OID)", "call: cmsObj_free()"}),
       {"sh: nvram get wl0_channel", "sh: nvram get wl1_ssid", "sh: cat /proc/nvram/BasePreShareKey_5g"},
       rate5, rate5,
       {"sh: nvram get wl1_channel", "sh: nvram get wl0_hwaddr", "sh: nvram get wl1_hwaddr",
        "sh: cat /proc/nvram/BaseMacAddr", "sh: cat /proc/nvram/wps_device_pin", "sh: wl country",
        "sh: /bin/multiLingual -s -t > /tmp/Language.txt", "sh: cat /proc/nvram/HWID", "sh: fwinfo -g boardID",
        "sh: nvram get wl0_radio", "sh: nvram get wl1_radio", "sh: fwinfo -g cfe", "call: xdslCtl_GetVersion(0)",
        "sh: fwinfo -g wlan", "call: xdslCtl_GetConnectionInfo(0)", "call: xdslCtl_GetConnectionInfo(0)",
        "sh: fwinfo -g time", "sh: cat /proc/nvram/DectRFPI", "call: getWANSpeed()"}});

  tarnel({"-a"});
  EXPECT_EQ(storeCalls({"sh: ", "call: ", "cms: "}), want);
}

// A second model: the KR4410's plain report and web line are the usage
// reference's examples. The web line is given only when the store's
// wizard_first reads as a non-zero number; otherwise "NULL" without a line
// end.
TEST_F(Report, WholeReportsByteForByte)
{
  const std::string before = "PZ7720E-HW-A2\n\nN/A\n";
  const std::string web = before + pz7720eWebLine, null = before + "NULL";
  const struct {
    std::string wizardFirst;
    std::vector<std::string> args;
    std::string out;
  } cases[] = {
      {"0", {"-a"}, pz7720ePlain},
      {"1", {"-a", "-w"}, web},
      {"", {"-a", "-w"}, null},
      {"abc", {"-a", "-w"}, null},
      {"7x", {"-a", "-w"}, web},
      {"-1", {"-a", "-w"}, web},
      {"99999999999", {"-a", "-w"}, web},
      {std::string(10240, '9'), {"-a", "-w"}, web},
      {std::string(10240, '0'), {"-a", "-w"}, null},
  };

  init("PZ7720E");
  for (const auto &c : cases) {
    SCOPED_TRACE(words(c.args) + "wizard_first " + c.wizardFirst.substr(0, 20));
    put("/var/dutsim/cms/TempPool1Cfg/wizard_first", c.wizardFirst);
    Result r = tarnel(c.args);
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.status, 0);
  }
}
