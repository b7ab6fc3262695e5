// The value readers one by one inside the simulated gateway: what each
// prints with print flag 1 and 0, what it leaves in its record field, its
// "N/A" rule and the command lines it runs.
#include <unistd.h>

#include "dut_fixture.h"

using Files = std::vector<std::pair<std::string, std::string>>;
// In Files: the file is removed.
static const std::string gone = "<gone>";

struct ReaderCase {
  Files files;                     // changed from the KR4410 factory state
  std::vector<std::string> calls;  // READER FLAG ...
  std::string out;                 // stdout
  std::vector<std::string> fields; // the record field after each call
};

static std::string escaped(const std::string &s)
{
  std::string e;
  for (char c : s) e += c == '\n' ? std::string("\\n") : std::string(1, c);
  return e;
}

static std::string describe(const Files &files, const std::vector<std::string> &calls)
{
  std::string s;
  for (const auto &c : calls) s += c + " ";
  for (const auto &f : files) s += "| " + f.first + "=" + escaped(f.second.substr(0, 30));
  return s;
}

// The probe's field lines of stderr, without what device commands said there.
static std::string fieldLines(const std::string &err)
{
  std::string kept;
  for (const auto &l : splitLines(err))
    if (l.compare(0, 3, "Get") == 0 || l.compare(0, 7, "DoSysSN") == 0) kept += l + "\n";
  return kept;
}

class Readers : public Dut {
protected:
  void setFile(const std::string &path, const std::string &content)
  {
    if (content == gone)
      unlink((root + path).c_str());
    else
      put(path, content);
  }

  // The readers called by name in one process, after the files are
  // changed; the files get their earlier content back afterwards.
  Result probe(const Files &files, const std::vector<std::string> &calls,
               std::vector<std::string> env = {})
  {
    Files saved;
    for (const auto &f : files) {
      saved.push_back({f.first, exists(f.first) ? file(f.first) : gone});
      setFile(f.first, f.second);
    }
    std::vector<std::string> cmd = {"tarnel"};
    cmd.insert(cmd.end(), calls.begin(), calls.end());
    // the probe is a host program: no wrapper, even where tarnel has one
    env.push_back("TARNEL_BIN=" READER_PROBE);
    env.push_back("TARNEL_WRAP=");
    clearTrace();
    Result r = run(cmd, env);
    for (auto it = saved.rbegin(); it != saved.rend(); ++it) setFile(it->first, it->second);
    return r;
  }

  void check(const std::vector<ReaderCase> &cases)
  {
    for (const auto &c : cases) {
      SCOPED_TRACE(describe(c.files, c.calls));
      Result r = probe(c.files, c.calls);
      std::string fields;
      for (size_t i = 0; i < c.fields.size(); i++) fields += c.calls[2 * i] + "=" + escaped(c.fields[i]) + "\n";
      EXPECT_EQ(r.status, 0);
      EXPECT_EQ(r.out, c.out);
      EXPECT_EQ(fieldLines(r.err), fields);
    }
  }
};

TEST_F(Readers, LanMac)
{
  const std::string mac = "/proc/nvram/BaseMacAddr", staged = "/tmp/Lan_MAC.txt";
  std::string longLine, longShown;
  for (int i = 0; i < 200; i++) longLine += "aa ";
  // a line is read up to 511 characters; the last one read is dropped
  for (int i = 0; i < 169; i++) longShown += "AA:";
  longShown += "AA\n";

  check({
      {{}, {"GetLanMAC", "1"}, "00:1A:2B:44:10:01\n", {"00:1A:2B:44:10:01\n"}},
      {{}, {"GetLanMAC", "0"}, "", {"00:1A:2B:44:10:01\n"}},
      {{{mac, "ab cd ef 0a 1b 2c \n"}}, {"GetLanMAC", "1"}, "AB:CD:EF:0A:1B:2C\n", {"AB:CD:EF:0A:1B:2C\n"}},
      {{{mac, longLine + "\n"}}, {"GetLanMAC", "1"}, longShown, {longShown}},
      // too short to reformat: the field stays as it was, "N/A" is shown
      {{{mac, "\n"}}, {"GetLanMAC", "1"}, "N/A\n", {""}},
      {{{mac, ""}}, {"GetLanMAC", "1"}, "N/A\n", {""}},
      {{{mac, gone}}, {"GetLanMAC", "1"}, "N/A\n", {""}},
      {{{mac, " \n"}}, {"GetLanMAC", "1"}, "N/A\n", {"N/A"}},
      // a staged value wins: 12 characters and a line end, shorter as staged
      {{{staged, "001a2b3c4d5e"}}, {"GetLanMAC", "1"}, "001a2b3c4d5e\n", {"001a2b3c4d5e\n"}},
      {{{staged, "ab:cd"}}, {"GetLanMAC", "1"}, "ab:cd", {"ab:cd"}},
      {{{staged, std::string(600, 'e')}}, {"GetLanMAC", "1"}, "eeeeeeeeeeee\n", {"eeeeeeeeeeee\n"}},
      {{{staged, "ab\ncdef"}}, {"GetLanMAC", "1"}, "ab\n", {"ab\n"}},
      {{{staged, ""}}, {"GetLanMAC", "1"}, "", {""}},
      {{{staged, "\n"}}, {"GetLanMAC", "1"}, "N/A\n", {"N/A"}},
  });
}

TEST_F(Readers, Ssid)
{
  const std::string staged = "/tmp/SSID_2_4G.txt", var = "/var/dutsim/nvram/wl0_ssid";
  const std::string s31 = "abcdefghijklmnopqrstuvwxyz01234", big(10240, 's');

  check({
      {{}, {"GetSSID", "1"}, "KR4410-1001\n", {"KR4410-1001\n"}},
      {{}, {"GetSSID", "0"}, "", {"KR4410-1001\n"}},
      {{{var, ""}}, {"GetSSID", "1"}, "N/A\n", {"N/A"}},
      {{{var, gone}}, {"GetSSID", "1"}, "", {""}},
      {{{staged, s31}}, {"GetSSID", "1"}, s31 + "\n", {s31 + "\n"}},
      {{{staged, big}}, {"GetSSID", "1"}, big.substr(0, 31) + "\n", {big.substr(0, 31) + "\n"}},
      {{{staged, "my 'ssid' \"x\""}}, {"GetSSID", "1"}, "my 'ssid' \"x\"\n", {"my 'ssid' \"x\"\n"}},
      {{{staged, ""}}, {"GetSSID", "1"}, "N/A\n", {"N/A"}},
  });
}

TEST_F(Readers, ChannelsCoexistenceAndRadios)
{
  const std::string ch0 = "/var/dutsim/nvram/wl0_channel", ch1 = "/var/dutsim/nvram/wl1_channel";
  const std::string cx0 = "/var/dutsim/wl/wl0/obss_coex", cx1 = "/var/dutsim/wl/wl1/obss_coex";
  const std::string r0 = "/var/dutsim/nvram/wl0_radio", r1 = "/var/dutsim/nvram/wl1_radio";

  check({
      {{}, {"GetChannel", "1"}, "Auto(0)\n", {"Auto(0)\n"}},
      {{}, {"GetChannel", "0"}, "", {"Auto(0)\n"}},
      {{{ch0, "11"}}, {"GetChannel", "1"}, "11\n", {"11\n"}},
      {{{ch0, "11"}}, {"GetChannel", "0"}, "", {"11\n"}},
      {{{ch0, gone}}, {"GetChannel", "1"}, "", {""}},
      // the 5 GHz channel prints whatever the flag says, unless automatic
      {{}, {"GetChannel_5G", "1"}, "36\n", {"36\n"}},
      {{}, {"GetChannel_5G", "0"}, "36\n", {"36\n"}},
      {{{ch1, gone}}, {"GetChannel_5G", "0"}, "N/A\n", {"N/A"}},
      {{{ch1, "0"}}, {"GetChannel_5G", "0"}, "", {"Auto(0)\n"}},
      {{{ch1, "0"}}, {"GetChannel_5G", "1"}, "Auto(0)\n", {"Auto(0)\n"}},
      {{}, {"GetCoexist", "1", "GetCoexist_5G", "1"}, "enable\ndisable\n", {"enable", "disable"}},
      {{}, {"GetCoexist", "0", "GetCoexist_5G", "0"}, "", {"enable", "disable"}},
      {{{cx0, "2"}, {cx1, "1"}}, {"GetCoexist", "1", "GetCoexist_5G", "1"}, "disable\nenable\n", {"disable", "enable"}},
      {{{cx0, ""}}, {"GetCoexist", "1"}, "disable\n", {"disable"}},
      {{}, {"GetWlan24GStatus", "1", "GetWlan5GStatus", "1"}, "enable\nenable\n", {"enable", "enable"}},
      {{{r0, "0"}}, {"GetWlan24GStatus", "1"}, "disable\n", {"disable"}},
      {{{r1, "0"}}, {"GetWlan5GStatus", "0"}, "", {"disable"}},
      {{{r0, gone}}, {"GetWlan24GStatus", "1"}, "enable\n", {"enable"}},
      {{{r0, "00"}}, {"GetWlan24GStatus", "1"}, "enable\n", {"enable"}},
  });
}

TEST_F(Readers, LanguageWanDectAndWpsPin)
{
  const std::string list = "/var/dutsim/languages", speed = "/var/dutsim/wan/speed";
  const std::string rfpi = "/proc/nvram/DectRFPI", pin = "/var/dutsim/nvram/wps_sta_pin";
  const std::string big(10240, 'L');

  check({
      {{}, {"GetLanguage", "1"}, "ENG,DEU,FRAENG\n", {"ENG"}},
      {{}, {"GetLanguage", "0"}, "ENG,DEU,FRA", {"ENG"}},
      {{{list, "Language:\nENG\nNLD\n"}}, {"GetLanguage", "1"}, "ENG\n", {"ENG"}},
      {{{list, "Languages\n\nX\n\nY"}}, {"GetLanguage", "1"}, ",X,YENG\n", {"ENG"}},
      // an empty first line is no heading ending in ':'
      {{{list, "\nX\nY\n"}}, {"GetLanguage", "1"}, "X,YENG\n", {"ENG"}},
      {{{list, ""}}, {"GetLanguage", "1"}, "ENG\n", {"ENG"}},
      {{{list, gone}}, {"GetLanguage", "1"}, "ENG\n", {"ENG"}},
      {{{list, "L\n" + big + "\n"}}, {"GetLanguage", "1"}, big + "ENG\n", {"ENG"}},
      {{{speed, "0"}}, {"GetWAN_1_LinkStatus", "1"}, "10M\n", {"10M"}},
      {{{speed, "1"}}, {"GetWAN_1_LinkStatus", "1"}, "100M\n", {"100M"}},
      {{{speed, "2"}}, {"GetWAN_1_LinkStatus", "1"}, "1000M\n", {"1000M"}},
      {{{speed, "2"}}, {"GetWAN_1_LinkStatus", "0"}, "", {"1000M"}},
      {{{speed, "99"}}, {"GetWAN_1_LinkStatus", "1"}, "N/A\n", {"N/A"}},
      {{{speed, "3"}}, {"GetWAN_1_LinkStatus", "1"}, "N/A\n", {"N/A"}},
      {{{speed, "-1"}}, {"GetWAN_1_LinkStatus", "1"}, "N/A\n", {"N/A"}},
      // the RFPI always prints: as stored with flag 1, with a line end else
      {{}, {"GetDECT_RFPI", "1"}, "023F8A10C8\n", {"023F8A10C8\n"}},
      {{}, {"GetDECT_RFPI", "0"}, "023F8A10C8\n\n", {"023F8A10C8\n"}},
      {{{rfpi, gone}}, {"GetDECT_RFPI", "0"}, "N/A\n", {"N/A"}},
      {{{rfpi, ""}}, {"GetDECT_RFPI", "1"}, "N/A\n", {"N/A"}},
      {{{rfpi, "\xff\xff\xff\n"}}, {"GetDECT_RFPI", "1"}, "N/A\n", {"N/A"}},
      // the WPS PIN always prints; only an empty one is "N/A"
      {{}, {"GetWPS_PIN", "0"}, "51849387\n", {""}},
      {{{pin, ""}}, {"GetWPS_PIN", "1"}, "N/A\n", {""}},
      {{{pin, gone}}, {"GetWPS_PIN", "1"}, "", {""}},
  });
}

// The readers of one command each, and the fixed "N/A" ones.
TEST_F(Readers, TableReaders)
{
  const std::string nv = "/var/dutsim/nvram/", fl = "/proc/nvram/", big(600, 'x');

  check({
      {{}, {"GetFW_Version", "1"}, "KR4410_V1.02.17\n", {"KR4410_V1.02.17\n"}},
      {{{"/var/dutsim/fwinfo/fw", gone}}, {"GetFW_Version", "1"}, "", {""}},
      {{}, {"GetRegion", "1"}, "DE (DE/0) GERMANY\n", {"DE (DE/0) GERMANY\n"}},
      {{{nv + "wl0_hwaddr", ""}}, {"GetWlanMAC", "1"}, "N/A\n", {"N/A"}},
      {{{nv + "wl0_hwaddr", gone}}, {"GetWlanMAC", "1"}, "", {""}},
      {{{nv + "wl1_hwaddr", gone}}, {"GetWlanMAC_5G", "1"}, "N/A\n", {"N/A"}},
      {{{nv + "wl1_hwaddr", ""}}, {"GetWlanMAC_5G", "1"}, "\n", {"\n"}},
      {{{nv + "wl1_ssid", gone}}, {"GetSSID_5G", "1"}, "N/A\n", {"N/A"}},
      // a line is cut to its first 511 characters
      {{{nv + "wl1_ssid", big}}, {"GetSSID_5G", "1"}, big.substr(0, 511), {big.substr(0, 511)}},
      {{}, {"GetPIN", "0"}, "", {"12345670\n"}},
      {{{fl + "wps_device_pin", "\n"}}, {"GetPIN", "1"}, "N/A\n", {"N/A"}},
      {{{fl + "wps_device_pin", "\xff" "1234\n"}}, {"GetPIN", "1"}, "N/A\n", {"N/A"}},
      {{{fl + "wps_device_pin", "\xfe" "1234\n"}}, {"GetPIN", "1"}, "\xfe" "1234\n", {"\xfe" "1234\n"}},
      // "with line end" adds one to the raw field
      {{}, {"Getpassphrase", "1"}, "kr4410Factory01\n\n", {"kr4410Factory01\n"}},
      {{}, {"Getpassphrase", "0"}, "", {"kr4410Factory01\n"}},
      {{{fl + "BasePreShareKey", ""}}, {"Getpassphrase", "1"}, "N/A\n", {"N/A"}},
      {{{fl + "BasePreShareKey", "\xff\xff\n"}}, {"Getpassphrase", "1"}, "N/A\n", {"N/A"}},
      {{}, {"Getpassphrase_5G", "1"}, "kr4410Factory5G\n\n", {"kr4410Factory5G\n"}},
      {{{fl + "BasePreShareKey_5g", "\xff"}}, {"Getpassphrase_5G", "1"}, "N/A\n", {"N/A"}},
      {{}, {"GetBoard_HW_ID", "0"}, "KR4410-HW-B1\n\n", {"KR4410-HW-B1\n"}},
      {{{fl + "HWID", "\xff\n"}}, {"GetBoard_HW_ID", "0"}, "N/A\n", {"N/A"}},
      {{}, {"DoSysSN", "1"}, "KR44102603120001\n", {"KR44102603120001\n"}},
      {{}, {"DoSysSN", "0"}, "", {"KR44102603120001\n"}},
      {{{fl + "ModemSerialNumber", "\n"}}, {"DoSysSN", "1"}, "N/A\n", {"N/A"}},
      {{{fl + "ModemSerialNumber", big + "\n"}}, {"DoSysSN", "1"}, big.substr(0, 511), {big.substr(0, 511)}},
      {{}, {"GetWAN_MAC_1", "1", "GetStartPage", "0"}, "N/A\n", {"N/A", "N/A"}},
  });
}

// Which command line each reader runs; a staged value replaces the read
// of the stored one, and a missing RFPI entry is not read at all.
TEST_F(Readers, CommandLines)
{
  const struct {
    Files files;
    const char *reader;
    Lines lines;
  } cases[] = {
      {{}, "GetLanMAC", {"sh: cat /proc/nvram/BaseMacAddr"}},
      {{{"/tmp/Lan_MAC.txt", "001a2b3c4d5e"}}, "GetLanMAC", {"sh: cat /tmp/Lan_MAC.txt"}},
      {{}, "GetSSID", {"sh: nvram get wl0_ssid"}},
      {{{"/tmp/SSID_2_4G.txt", "x"}}, "GetSSID", {"sh: cat /tmp/SSID_2_4G.txt"}},
      {{}, "GetChannel", {"sh: nvram get wl0_channel"}},
      {{}, "GetChannel_5G", {"sh: nvram get wl1_channel"}},
      {{}, "GetCoexist", {"sh: wl -i wl0 obss_coex"}},
      {{}, "GetCoexist_5G", {"sh: wl -i wl1 obss_coex"}},
      {{}, "GetWlan24GStatus", {"sh: nvram get wl0_radio"}},
      {{}, "GetWlan5GStatus", {"sh: nvram get wl1_radio"}},
      {{}, "GetLanguage", {"sh: /bin/multiLingual -s -t > /tmp/Language.txt"}},
      {{}, "GetWAN_1_LinkStatus", {"call: getWANSpeed()"}},
      {{}, "GetDECT_RFPI", {"sh: cat /proc/nvram/DectRFPI"}},
      {{{"/proc/nvram/DectRFPI", gone}}, "GetDECT_RFPI", {}},
      {{}, "GetWPS_PIN", {"sh: nvram get wps_sta_pin"}},
      {{}, "GetFW_Version", {"sh: fwinfo -g fw"}},
      {{}, "GetRegion", {"sh: wl country"}},
      {{}, "GetWlanMAC", {"sh: nvram get wl0_hwaddr"}},
      {{}, "GetWlanMAC_5G", {"sh: nvram get wl1_hwaddr"}},
      {{}, "GetSSID_5G", {"sh: nvram get wl1_ssid"}},
      {{}, "GetPIN", {"sh: cat /proc/nvram/wps_device_pin"}},
      {{}, "Getpassphrase", {"sh: cat /proc/nvram/BasePreShareKey"}},
      {{}, "Getpassphrase_5G", {"sh: cat /proc/nvram/BasePreShareKey_5g"}},
      {{}, "GetBoard_HW_ID", {"sh: cat /proc/nvram/HWID"}},
      {{}, "DoSysSN", {"sh: cat /proc/nvram/ModemSerialNumber"}},
      {{}, "GetWAN_MAC_1", {}},
  };

  for (const auto &c : cases) {
    SCOPED_TRACE(describe(c.files, {c.reader}));
    probe(c.files, {c.reader, "0"});
    EXPECT_EQ(traceLines({"sh: ", "call: "}), c.lines);
  }
  EXPECT_EQ(file("/tmp/Language.txt"), "Language list\nENG\nDEU\n\nFRA\n");
}

// Device commands that are missing, and a /tmp that cannot be written:
// the readers show "N/A" or nothing as their rules say, and go on.
TEST_F(Readers, MissingCommandsAndReadOnlyTmp)
{
  Result r = probe({}, {"GetLanguage", "1"}, {"DUT_RO=/tmp"});
  EXPECT_EQ(r.out, "ENG\n");
  EXPECT_FALSE(exists("/tmp/Language.txt"));

  for (const char *c : {"/bin/nvram", "/bin/wl", "/bin/multiLingual", "/bin/fwinfo"}) unlink((root + c).c_str());
  r = probe({}, {"GetSSID", "1", "GetChannel_5G", "0", "GetCoexist", "1", "GetWlan24GStatus", "1",
                 "GetLanguage", "1", "GetWPS_PIN", "0", "GetFW_Version", "1"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "N/A\ndisable\nenable\nENG\n");
  EXPECT_EQ(fieldLines(r.err), "GetSSID=\nGetChannel_5G=N/A\nGetCoexist=disable\nGetWlan24GStatus=enable\n"
                    "GetLanguage=ENG\nGetWPS_PIN=\nGetFW_Version=\n");
}
