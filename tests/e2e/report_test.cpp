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

  void line(const std::map<std::string, std::string> &values)
  {
    for (const auto &v : values) put("/var/dutsim/xdsl/" + v.first, v.second);
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

// One whole store connection of a caller around its work.
static Lines connection(const std::string &caller, int timeout, const Lines &work)
{
  Lines l = {"call: cmsMsg_init(5001)", "call: cmsMdm_init(5001)",
             "call: cmsLck_acquireLockWithTimeoutTraced(" + caller + ", " + std::to_string(timeout) + ")",
             "cms: lock " + caller + " held"};
  l.insert(l.end(), work.begin(), work.end());
  l.insert(l.end(), {"call: cmsLck_releaseLockTraced(" + caller + ")", "cms: lock " + caller + " released",
                     "call: cmsMdm_cleanup()", "call: cmsMsg_cleanup()"});
  return l;
}

static Lines twice(const Lines &l)
{
  Lines both = l;
  both.insert(both.end(), l.begin(), l.end());
  return both;
}

static std::string pair(const std::string &label, const std::string &value)
{
  return "'" + label + "':'" + value + "',";
}

// The 2.4 GHz rate comes from the first radio's bandwidth and mode; its MCS
// (5 here) never counts.
TEST_F(Report, TwoPointFourGigahertzRateAtEveryBandwidth)
{
  const struct {
    std::string bandwidth;
    int mode;
    const char *out;
  } cases[] = {
      {"20MHz", -2, "Up to 54 Mbps\n"},   {"20MHz", -1, "Up to 54 Mbps\n"},
      {"20MHz", 0, "Up to 289 Mbps\n"},   {"20MHz", 1, "Up to 289 Mbps\n"},
      {"20MHz", 2, "Up to 0 Mbps\n"},     {"20MHz", -3, "Up to 0 Mbps\n"},
      {"40MHz", -1, "Up to 0 Mbps\n"},    {"40MHz", 0, "Up to 600 Mbps\n"},
      {"40MHz", 1, "Up to 600 Mbps\n"},   {"40MHz", 2, "Up to 0 Mbps\n"},
      {"80MHz", -2, "Up to 0 Mbps\n"},    {"80MHz", 1, "Up to 600 Mbps\n"},
      // names outside the table count as 20MHz
      {"", 1, "Up to 289 Mbps\n"},        {"160MHz", -1, "Up to 54 Mbps\n"},
      {"40mhz", 1, "Up to 289 Mbps\n"},   {"40MHz ", 1, "Up to 289 Mbps\n"},
      {longText, 1, "Up to 289 Mbps\n"},
  };

  for (const auto &c : cases) {
    SCOPED_TRACE(c.bandwidth.substr(0, 20) + " mode " + std::to_string(c.mode));
    radios({{"wl0", c.bandwidth, 5, c.mode}, {"wl1", "80MHz", 9, 1}});
    Result r = tarnel({"-f"});
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(storeCalls(), connection("get_nmode_dataRate", 5000,
                                       {"call: cmsObj_getNextFlags(OID)", "call: cmsObj_free()"}));
  }
}

// The 5 GHz rate is the bandwidth's alone, and it is asked for twice.
TEST_F(Report, FiveGigahertzRateAtEveryBandwidth)
{
  const struct {
    std::string bandwidth;
    int mcs;
    const char *out;
  } cases[] = {
      {"20MHz", 0, "Up to 481 Mbps\n"},   {"20MHz", 9, "Up to 481 Mbps\n"},
      {"40MHz", -1, "Up to 1000 Mbps\n"}, {"40MHz", 7, "Up to 1000 Mbps\n"},
      {"80MHz", 0, "Up to 2167 Mbps\n"},  {"80MHz", 99, "Up to 2167 Mbps\n"},
      {"", 9, "Up to 481 Mbps\n"},        {"160MHz", 9, "Up to 481 Mbps\n"},
      {longText, 9, "Up to 481 Mbps\n"},
  };

  for (const auto &c : cases) {
    SCOPED_TRACE(c.bandwidth.substr(0, 20) + " mcs " + std::to_string(c.mcs));
    radios({{"wl0", "20MHz", 7, 1}, {"wl1", c.bandwidth, c.mcs, 0}});
    Result r = tarnel({"-x"});
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(storeCalls(), twice(connection("get_nmode_dataRate5g", 5000,
                                             {"call: cmsObj_getNext(OID)", "call: cmsObj_free()",
                                              "call: cmsObj_getNext(OID)", "call: cmsObj_free()",
                                              "call: cmsObj_getNext(OID)"})));
  }
}

// Which radio object each band reads.
TEST_F(Report, RateComesFromTheRightRadio)
{
  const struct {
    const char *what;
    std::vector<Radio> radios;
    const char *args, *out;
  } cases[] = {
      {"2.4 GHz is the first radio, whatever its name",
       {{"wl1", "40MHz", 7, 1}, {"wl0", "20MHz", 7, -1}}, "-f", "Up to 600 Mbps\n"},
      {"no radio at all", {}, "-x", "Up to 481 Mbps\n"},
      {"no radio named wl1", {{"wl0", "80MHz", 7, 1}, {"wl2", "80MHz", 7, 1}}, "-x", "Up to 481 Mbps\n"},
      {"wl1 stored first", {{"wl1", "80MHz", 7, 1}, {"wl0", "40MHz", 7, 1}}, "-x", "Up to 2167 Mbps\n"},
      {"the last wl1 wins",
       {{"wl1", "80MHz", 7, 1}, {"wl0", "40MHz", 7, 1}, {"wl1", "40MHz", 7, 1}}, "-x", "Up to 1000 Mbps\n"},
      {"an unknown bandwidth keeps the earlier wl1's",
       {{"wl0", "20MHz", 7, 1}, {"wl1", "40MHz", 7, 1}, {"wl1", "", 7, 1}}, "-x", "Up to 1000 Mbps\n"},
      {"names compare exactly", {{"wl0", "20MHz", 7, 1}, {"WL1", "80MHz", 7, 1}, {"wl1 ", "80MHz", 7, 1}},
       "-x", "Up to 481 Mbps\n"},
      {"a long name is not wl1", {{"wl0", "20MHz", 7, 1}, {"wl1" + longText, "80MHz", 7, 1}}, "-x",
       "Up to 481 Mbps\n"},
  };

  for (const auto &c : cases) {
    SCOPED_TRACE(c.what);
    radios(c.radios);
    Result r = tarnel({c.args});
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.status, 0);
  }
}

// A store that cannot be opened gives -1 Mbps (on 5 GHz after two tries); a
// failed object read is reported and read as bandwidth 0.
TEST_F(Report, RateStoreFailures)
{
  const struct {
    const char *function;
    int code;
    const char *args, *out;
  } cases[] = {
      {"cmsMsg_init", 9001, "-f", "cmsMsg_init failed, ret=9001\nUp to -1 Mbps\n"},
      {"cmsMsg_init", 9001, "-x", "cmsMsg_init failed, ret=9001\ncmsMsg_init failed, ret=9001\nUp to -1 Mbps\n"},
      {"cmsMdm_init", 9002, "-f", "cmsMdm_init failed, ret=9002\nUp to -1 Mbps\n"},
      {"cmsMdm_init", 9002, "-x", "cmsMdm_init failed, ret=9002\ncmsMdm_init failed, ret=9002\nUp to -1 Mbps\n"},
      {"cmsLck_acquireLockWithTimeoutTraced", 9011, "-f", "failed to get lock, ret=9011\nUp to -1 Mbps\n"},
      {"cmsLck_acquireLockWithTimeoutTraced", 9011, "-x",
       "failed to get lock, ret=9011\nfailed to get lock, ret=9011\nUp to -1 Mbps\n"},
      {"cmsObj_getNextFlags", 9005, "-f", "failed to get MDMOID_DEV2_WIFI_RADIO, ret=9005\nUp to 289 Mbps\n"},
      {"cmsObj_getNext", 9005, "-x", "Up to 481 Mbps\n"},
  };

  for (const auto &c : cases) {
    SCOPED_TRACE(std::string(c.function) + " " + c.args);
    remove("/var/dutsim/fault");
    fault(c.function, c.code);
    Result r = tarnel({c.args});
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.status, 0);
  }
}

// A failed object read still frees (nothing) and closes the connection.
TEST_F(Report, FailedRadioReadClosesTheConnection)
{
  fault("cmsObj_getNextFlags", 9005);
  tarnel({"-f"});
  EXPECT_EQ(storeCalls(), connection("get_nmode_dataRate", 5000,
                                     {"call: cmsObj_getNextFlags(OID)", "call: cmsObj_free()"}));
}

TEST_F(Report, XdslRatesAndState)
{
  const struct {
    const char *what;
    std::map<std::string, std::string> line;
    std::vector<std::string> args;
    const char *out;
  } cases[] = {
      {"truncated, not rounded", {{"ulInterleavedDnStreamRate", "24576999"}}, {"-d"}, "downlink 24576 Kbps\n"},
      {"upstream", {{"ulInterleavedUpStreamRate", "1023999"}}, {"-u"}, "uplink 1023 Kbps\n"},
      {"fast path only",
       {{"ulFastUpStreamRate", "512000"}, {"ulFastDnStreamRate", "8192000"},
        {"ulInterleavedUpStreamRate", "0"}, {"ulInterleavedDnStreamRate", "0"}},
       {"-u", "-d"}, "uplink 0 Kbps\ndownlink 0 Kbps\n"},
      {"below one kilobit", {{"ulInterleavedUpStreamRate", "999"}}, {"-u"}, "uplink 0 Kbps\n"},
      {"largest rate", {{"ulInterleavedDnStreamRate", "4294967295"}}, {"-d"}, "downlink 4294967 Kbps\n"},
      {"web: values only, uplink first",
       {{"ulInterleavedUpStreamRate", "1024000"}, {"ulInterleavedDnStreamRate", "24576999"}},
       {"-d", "-u", "-w"}, "1024 Kbps\n24576 Kbps\n"},
      {"a down line shows its rates", {{"LinkState", "1"}, {"ulInterleavedDnStreamRate", "2048000"}},
       {"-p", "-d"}, "downlink 2048 Kbps\nDOWN\n"},
  };

  for (const auto &c : cases) {
    SCOPED_TRACE(c.what);
    line(c.line);
    Result r = tarnel(c.args);
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.status, 0);
    // one question to the library per reader, no command line
    Lines calls = traceLines();
    EXPECT_EQ(calls, Lines(calls.size(), "call: xdslCtl_GetConnectionInfo(0)"));
    EXPECT_EQ(calls.size(), c.args.size() - (c.args.back() == "-w"));
  }
}

// Only state 0 is up; link down and every training state print DOWN, with
// and without web.
TEST_F(Report, XdslOnlyStateZeroIsUp)
{
  for (int state = 0; state <= 15; state++) {
    SCOPED_TRACE(state);
    line({{"LinkState", std::to_string(state)}});
    const char *want = state == 0 ? "UP\n" : "DOWN\n";
    EXPECT_EQ(tarnel({"-p"}).out, want);
    EXPECT_EQ(tarnel({"-p", "-w"}).out, want);
  }
}

// A failed library call shows a down line with no rate, never stale data.
TEST_F(Report, XdslFailedCall)
{
  fault("xdslCtl_GetConnectionInfo", 9002);
  Result r = tarnel({"-p", "-u", "-d"});
  EXPECT_EQ(r.out, "uplink 0 Kbps\ndownlink 0 Kbps\nDOWN\n");
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(traceLines(), Lines(3, "call: xdslCtl_GetConnectionInfo(0)"));
}

// The request words are exact; each switch is one wl command line, the
// 2.4 GHz one first, and nothing is printed.
TEST_F(Report, CoexistenceSwitches)
{
  const struct {
    std::vector<std::string> args;
    Lines commands;
    const char *wl0, *wl1;
  } cases[] = {
      {{"-C", "enable"}, {"sh: wl -i wl0 obss_coex 1"}, "1", "0"},
      {{"-C", "disable"}, {"sh: wl -i wl0 obss_coex 0"}, "0", "0"},
      {{"-X", "enable"}, {"sh: wl -i wl1 obss_coex 1"}, "1", "1"},
      {{"-X", "disable"}, {"sh: wl -i wl1 obss_coex 0"}, "1", "0"},
      {{"-X", "enable", "-C", "disable"}, {"sh: wl -i wl0 obss_coex 0", "sh: wl -i wl1 obss_coex 1"}, "0", "1"},
      {{"-C", "enable", "-C", "disable"}, {"sh: wl -i wl0 obss_coex 0"}, "0", "0"},
      {{"-C", "disable", "-w"}, {"sh: wl -i wl0 obss_coex 0"}, "0", "0"},
      {{"-C", "Enable"}, {}, "1", "0"},
      {{"-C", "1"}, {}, "1", "0"},
      {{"-X", "ENABLE"}, {}, "1", "0"},
      {{"-X", ""}, {}, "1", "0"},
      {{"-C", "enable "}, {}, "1", "0"},
      {{"-C", longText, "-X", "disable" + longText}, {}, "1", "0"},
  };

  for (const auto &c : cases) {
    std::string words;
    for (const auto &w : c.args) words += w.substr(0, 20) + " ";
    SCOPED_TRACE(words);
    put("/var/dutsim/wl/wl0/obss_coex", "1");
    put("/var/dutsim/wl/wl1/obss_coex", "0");
    Result r = tarnel(c.args);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(traceLines(), c.commands);
    EXPECT_EQ(file("/var/dutsim/wl/wl0/obss_coex"), c.wl0);
    EXPECT_EQ(file("/var/dutsim/wl/wl1/obss_coex"), c.wl1);
  }
}

// The web line is given only when the store's wizard_first reads as a
// non-zero number; otherwise "NULL" without a line end.
TEST_F(Report, WebReportOnlyAfterTheWizard)
{
  const struct {
    std::string wizardFirst;
    bool report;
  } cases[] = {
      {"1", true}, {"0", false}, {"00", false}, {"", false}, {"abc", false},
      {"7x", true}, {"-1", true}, {" 2", true}, {"99999999999", true},
      {std::string(10240, '9'), true}, {std::string(10240, '0'), false},
  };

  for (const auto &c : cases) {
    SCOPED_TRACE(c.wizardFirst.substr(0, 20));
    put("/var/dutsim/cms/TempPool1Cfg/wizard_first", c.wizardFirst);
    Result r = tarnel({"-a", "-w"});
    EXPECT_EQ(r.status, 0);
    size_t at = r.out.rfind("[{");
    if (c.report) {
      ASSERT_NE(at, std::string::npos);
      EXPECT_TRUE(at == 0 || r.out[at - 1] == '\n');
      EXPECT_EQ(r.out.compare(r.out.size() - 4, 4, ",}]\n"), 0) << r.out;
      EXPECT_EQ(r.out.find('\n', at), r.out.size() - 1);
    } else {
      EXPECT_EQ(at, std::string::npos);
      EXPECT_EQ(r.out.compare(r.out.size() - 5, 5, "\nNULL"), 0) << r.out;
    }
    // the store's answer is read once, after every reader
    Lines calls = storeCalls();
    Lines wizard = connection("getWizardFirst", 10000, {"call: cmsObj_get(4039)", "call: cmsObj_free()"});
    ASSERT_GE(calls.size(), wizard.size());
    EXPECT_EQ(Lines(calls.end() - wizard.size(), calls.end()), wizard);
  }
}

// The store failures of the report: an unreadable setting still lets the
// report through, a store that cannot be initialised ends the run.
TEST_F(Report, WebReportStoreFailures)
{
  const struct {
    const char *function;
    int code;
    const char *tail;
    int status;
  } cases[] = {
      {"cmsObj_get", 9003, "could not get TEMP_POOL_CFG, ret=9003\n[{", 0},
      {"cmsLck_acquireLockWithTimeoutTraced", 9011, "failed to get lock, ret=9011\n[{", 0},
      {"cmsMsg_init", 9001, "cmsMsg_init failed, ret=9001\n", 255},
      {"cmsMdm_init", 9002, "cmsMdm_init failed, ret=9002\n", 255},
  };

  init("PZ7720E");  // the wizard has not run there: only a failure lets the report through
  for (const auto &c : cases) {
    SCOPED_TRACE(c.function);
    remove("/var/dutsim/fault");
    fault(c.function, c.code);
    Result r = tarnel({"-a", "-w"});
    EXPECT_EQ(r.status, c.status);
    std::string tail = c.tail;
    size_t at = r.out.rfind(tail);
    ASSERT_NE(at, std::string::npos) << r.out;
    if (c.status == 0) {
      EXPECT_EQ(r.out.find('\n', at + tail.size()), r.out.size() - 1);
    } else {
      EXPECT_EQ(at + tail.size(), r.out.size());
    }
  }
}

// The clean-up of the report's store connection when the object read fails.
TEST_F(Report, UnreadableSettingClosesTheConnection)
{
  fault("cmsObj_get", 9003);
  tarnel({"-a", "-w"});
  Lines calls = storeCalls();
  Lines wizard = connection("getWizardFirst", 10000, {"call: cmsObj_get(4039)", "call: cmsObj_free()"});
  ASSERT_GE(calls.size(), wizard.size());
  EXPECT_EQ(Lines(calls.end() - wizard.size(), calls.end()), wizard);
}

// Every failing store connection of the report shows in its line: the rates
// read -1 Mbps when the lock cannot be had.
TEST_F(Report, WebReportWithoutTheLock)
{
  fault("cmsLck_acquireLockWithTimeoutTraced", 9011);
  Result r = tarnel({"-a", "-w"});
  EXPECT_NE(r.out.find(pair("2.4G Data rate:", "-1 Mbps")), std::string::npos) << r.out;
  EXPECT_NE(r.out.find(pair("5G Data rate:", "-1 Mbps")), std::string::npos);
  // one failure for 2.4 GHz, two for 5 GHz, one for the setting
  size_t failures = 0;
  for (size_t at = r.out.find("failed to get lock, ret=9011\n"); at != std::string::npos;
       at = r.out.find("failed to get lock, ret=9011\n", at + 1))
    failures++;
  EXPECT_EQ(failures, 4u);
}

// Values reach the web line as they stand: no quoting, one line end removed.
TEST_F(Report, WebValuesUnchanged)
{
  const struct {
    const char *what;
    std::string path, content, pair;
  } cases[] = {
      {"apostrophe and comma", "/var/dutsim/fwinfo/fw", "KR'4410,V1", pair("FW Version:", "KR'4410,V1")},
      {"inner newline", "/var/dutsim/xdsl/phyVerStr", "A2pv6F039v\nd26d",
       pair("ADSL Modem Code Version:", "A2pv6F039v\nd26d")},
      {"version text fills its 32 bytes", "/var/dutsim/xdsl/phyVerStr", longText,
       pair("ADSL Modem Code Version:", std::string(32, 'x'))},
      {"empty version", "/var/dutsim/xdsl/phyVerStr", "", pair("ADSL Modem Code Version:", "")},
      {"long firmware line is read up to 511 characters", "/var/dutsim/fwinfo/fw", longText,
       pair("FW Version:", std::string(511, 'x'))},
  };

  for (const auto &c : cases) {
    SCOPED_TRACE(c.what);
    init("KR4410");
    put(c.path, c.content);
    Result r = tarnel({"-a", "-w"});
    EXPECT_NE(r.out.find("[{"), std::string::npos);
    EXPECT_NE(r.out.find(c.pair), std::string::npos) << r.out.substr(0, 2000);
  }
}

// The line's own values: rates and modem version of each model.
TEST_F(Report, WebLineRatesAndVersion)
{
  const struct {
    const char *model, *pairs;
  } cases[] = {
      {"KR4410", "'ADSL Modem Code Version:':'A2pv6F039v.d26d','WLAN Version:':'7.14.164.301',"
                 "'ADSL downstream link rate:':'24576 Kbps','ADSL upstream link rate:':'1023 Kbps',"},
      {"MTX-2150", "'ADSL Modem Code Version:':'A2pv6C035m.d24m','WLAN Version:':'7.14.131.2402',"
                   "'ADSL downstream link rate:':'16384 Kbps','ADSL upstream link rate:':'832 Kbps',"},
  };

  for (const auto &c : cases) {
    SCOPED_TRACE(c.model);
    init(c.model);
    Result r = tarnel({"-a", "-w"});
    EXPECT_NE(r.out.find(c.pairs), std::string::npos) << r.out;
  }
}

// A failed version call gives an empty version; a failed line call a line
// with no rate.
TEST_F(Report, WebLineAfterFailedXdslCalls)
{
  fault("xdslCtl_GetVersion", 9002);
  fault("xdslCtl_GetConnectionInfo", 9002);
  Result r = tarnel({"-a", "-w"});
  EXPECT_NE(r.out.find("'ADSL Modem Code Version:':'','WLAN Version:':'7.14.164.301',"
                       "'ADSL downstream link rate:':'0 Kbps','ADSL upstream link rate:':'0 Kbps',"),
            std::string::npos)
      << r.out;
}

// Each model's line and radios, through the single-value actions in their
// block order.
TEST_F(Report, EachModelsLineAndRates)
{
  const struct {
    const char *model, *out;
  } cases[] = {
      {"KR4410", "uplink 1023 Kbps\ndownlink 24576 Kbps\nUP\nUp to 600 Mbps\nUp to 2167 Mbps\n"},
      {"PZ7720E", "uplink 0 Kbps\ndownlink 0 Kbps\nUP\nUp to 54 Mbps\nUp to 1000 Mbps\n"},
      {"MTX-2150", "uplink 832 Kbps\ndownlink 16384 Kbps\nUP\nUp to 289 Mbps\nUp to 2167 Mbps\n"},
      {"MTX-2450", "uplink 0 Kbps\ndownlink 0 Kbps\nDOWN\nUp to 600 Mbps\nUp to 1000 Mbps\n"},
      {"KR8800", "uplink 1279 Kbps\ndownlink 51199 Kbps\nUP\nUp to 600 Mbps\nUp to 2167 Mbps\n"},
  };

  for (const auto &c : cases) {
    SCOPED_TRACE(c.model);
    init(c.model);
    Result r = tarnel({"-x", "-f", "-p", "-d", "-u"});
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.status, 0);
  }
}

// Switching before showing shows the new state; labels only in plain mode;
// show blocks run in their order whatever the command line's.
TEST_F(Report, CoexistenceShows)
{
  const struct {
    std::vector<std::string> args;
    const char *out;
    Lines commands;
  } cases[] = {
      {{"-o", "-X", "enable"}, "Coexistence_2.4G enable\nCoexistence_5G enable\n",
       {"sh: wl -i wl1 obss_coex 1", "sh: wl -i wl0 obss_coex", "sh: wl -i wl1 obss_coex"}},
      {{"-o", "-w"}, "enable\ndisable\n", {"sh: wl -i wl0 obss_coex", "sh: wl -i wl1 obss_coex"}},
      {{"-q", "-j"}, "enable\ndisable\n", {"sh: wl -i wl0 obss_coex", "sh: wl -i wl1 obss_coex"}},
      {{"-q", "-j", "-w"}, "enable\ndisable\n", {"sh: wl -i wl0 obss_coex", "sh: wl -i wl1 obss_coex"}},
      {{"-j", "-o"}, "Coexistence_2.4G enable\nCoexistence_5G disable\nenable\n",
       {"sh: wl -i wl0 obss_coex", "sh: wl -i wl1 obss_coex", "sh: wl -i wl0 obss_coex"}},
      {{"-q", "-j", "-o", "-X", "enable", "-C", "disable"},
       "Coexistence_2.4G disable\nCoexistence_5G enable\ndisable\nenable\n",
       {"sh: wl -i wl0 obss_coex 0", "sh: wl -i wl1 obss_coex 1", "sh: wl -i wl0 obss_coex",
        "sh: wl -i wl1 obss_coex", "sh: wl -i wl0 obss_coex", "sh: wl -i wl1 obss_coex"}},
      {{"-q", "-X", "Disable"}, "disable\n", {"sh: wl -i wl1 obss_coex"}},
  };

  for (const auto &c : cases) {
    std::string words;
    for (const auto &w : c.args) words += w + " ";
    SCOPED_TRACE(words);
    put("/var/dutsim/wl/wl0/obss_coex", "1");
    put("/var/dutsim/wl/wl1/obss_coex", "0");
    Result r = tarnel(c.args);
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(traceLines(), c.commands);
  }
}

// The report's readers in their order: every command line and platform
// call of a plain report of a factory-fresh KR4410.
TEST_F(Report, ReadersRunInTheirOrder)
{
  Lines want = {"sh: wl -i wl0 obss_coex", "sh: wl -i wl1 obss_coex", "sh: fwinfo -g fw",
                "sh: cat /proc/nvram/ModemSerialNumber", "sh: nvram get wl0_ssid",
                "sh: cat /proc/nvram/BasePreShareKey"};
  Lines rate = connection("get_nmode_dataRate", 5000, {"call: cmsObj_getNextFlags(OID)", "call: cmsObj_free()"});
  Lines rate5 = twice(connection("get_nmode_dataRate5g", 5000,
                                 {"call: cmsObj_getNext(OID)", "call: cmsObj_free()", "call: cmsObj_getNext(OID)",
                                  "call: cmsObj_free()", "call: cmsObj_getNext(OID)"}));
  want.insert(want.end(), rate.begin(), rate.end());
  want.insert(want.end(), {"sh: nvram get wl0_channel", "sh: nvram get wl1_ssid",
                           "sh: cat /proc/nvram/BasePreShareKey_5g"});
  want.insert(want.end(), rate5.begin(), rate5.end());
  want.insert(want.end(), {"sh: nvram get wl1_channel", "sh: nvram get wl0_hwaddr", "sh: nvram get wl1_hwaddr",
                           "sh: cat /proc/nvram/BaseMacAddr", "sh: cat /proc/nvram/wps_device_pin",
                           "sh: wl country", "sh: /bin/multiLingual -s -t > /tmp/Language.txt",
                           "sh: cat /proc/nvram/HWID", "sh: fwinfo -g boardID", "sh: nvram get wl0_radio",
                           "sh: nvram get wl1_radio", "sh: fwinfo -g cfe", "call: xdslCtl_GetVersion(0)",
                           "sh: fwinfo -g wlan", "call: xdslCtl_GetConnectionInfo(0)",
                           "call: xdslCtl_GetConnectionInfo(0)", "sh: fwinfo -g time",
                           "sh: cat /proc/nvram/DectRFPI", "call: getWANSpeed()"});

  tarnel({"-a"});
  EXPECT_EQ(storeCalls({"sh: ", "call: ", "cms: "}), want);
}

static const char kr4410Plain[] =
    "enable\ndisable\nKR4410_V1.02.17\nKR44102603120001\nKR4410-1001\nkr4410Factory01\n\n"
    "Up to 600 Mbps\nAuto(0)\nKR4410-1001-5G\nkr4410Factory5G\n\nUp to 2167 Mbps\n36\n"
    "00:1A:2B:44:10:03\n00:1A:2B:44:10:04\n00:1A:2B:44:10:01\nN/A\nN/A\nN/A\n12345670\n"
    "DE (DE/0) GERMANY\nENG,DEU,FRAENG\nKR4410-HW-B1\n\nKR4410\nenable\nenable\n1.0.38-118.5\n"
    "A2pv6F039v.d26d\n7.14.164.301\n24576 Kbps\n1023 Kbps\n2026-03-12 10:41:07\nN/A\n"
    "023F8A10C8\nN/A\nN/A\nN/A\n1000M\nN/A\nN/A\n";

// Before the line: the 5 GHz channel, the language listing, the board ID
// and the DECT RFPI, which print whatever the flag says.
static const char kr4410Web[] =
    "36\nENG,DEU,FRAKR4410-HW-B1\n\n023F8A10C8\n\n"
    "[{'FW Version:':'KR4410_V1.02.17','Serial number:':'KR44102603120001',"
    "'2.4G SSID:':'KR4410-1001','2.4G PassPhrase:':'kr4410Factory01','2.4G Data rate:':'600 Mbps',"
    "'2.4G Channel:':'Auto(0)','2.4G Coexist:':'enable','5G SSID:':'KR4410-1001-5G',"
    "'5G PassPhrase:':'kr4410Factory5G','5G Data rate:':'2167 Mbps','5G Channel:':'36',"
    "'5G Coexist:':'disable','2.4G WLAN MAC:':'00:1A:2B:44:10:03','5G WLAN MAC:':'00:1A:2B:44:10:04',"
    "'LAN MAC:':'00:1A:2B:44:10:01','WAN MAC 1:':'N/A','WAN MAC 2:':'N/A','WAN MAC 3:':'N/A',"
    "'PIN Code:':'12345670','Region:':'DE (DE/0) GERMANY','Language:':'ENG',"
    "'Board HW ID:':'KR4410-HW-B1','Board Model ID:':'KR4410','2.4GWLAN Status:':'enable',"
    "'5GWLAN Status:':'enable','Bootloader Version:':'1.0.38-118.5',"
    "'ADSL Modem Code Version:':'A2pv6F039v.d26d','WLAN Version:':'7.14.164.301',"
    "'ADSL downstream link rate:':'24576 Kbps','ADSL upstream link rate:':'1023 Kbps',"
    "'Build time:':'2026-03-12 10:41:07','DECT Version:':'N/A','DECT RFPI:':'023F8A10C8',"
    "'DECT Handset:':'N/A','FACTORY MODE:':'N/A','Start Page:':'N/A','WAN1 link status:':'1000M',"
    "'WAN2 link status:':'N/A','WAN3 link status:':'N/A',}]\n";

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

TEST_F(Report, WholeReportByteForByte)
{
  const struct {
    const char *model, *wizardFirst;
    std::vector<std::string> args;
    std::string out;
  } cases[] = {
      {"KR4410", nullptr, {"-a"}, kr4410Plain},
      {"KR4410", nullptr, {"-a", "-w"}, kr4410Web},
      {"PZ7720E", nullptr, {"-a"}, pz7720ePlain},
      // the wizard has not run: no line, and no line end after NULL
      {"PZ7720E", nullptr, {"-w", "-a"}, "PZ7720E-HW-A2\n\nN/A\nNULL"},
      {"PZ7720E", "1", {"-a", "-w"}, std::string("PZ7720E-HW-A2\n\nN/A\n") + pz7720eWebLine},
  };

  for (const auto &c : cases) {
    SCOPED_TRACE(std::string(c.model) + (c.args.size() > 1 ? " web" : " plain"));
    init(c.model);
    if (c.wizardFirst) put("/var/dutsim/cms/TempPool1Cfg/wizard_first", c.wizardFirst);
    Result r = tarnel(c.args);
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.status, 0);
  }
}
