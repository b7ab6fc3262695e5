// The value readers' "N/A" rules and printing forms, one changed device
// value at a time: with print flag 1 through the single-value options,
// with flag 0 through the web report, where what a reader prints whatever
// the flag says comes before the line and its record field is its pair.
// Commands that print nothing and erased flash are the hostile suite's, a
// channel of 0 and a model without DECT the PZ7720E report's.
#include "dut_fixture.h"

using Readers = Dut;

static const std::string nv = "/var/dutsim/nvram/", fl = "/proc/nvram/";

TEST_F(Readers, PrintFlagOne)
{
  const std::string big(10240, 's'), s31 = "abcdefghijklmnopqrstuvwxyz01234";
  const struct {
    Files files;  // changed from the KR4410 factory state
    std::vector<std::string> args;
    std::string out;
  } cases[] = {
      // too short to reformat, or only a line end once reformatted
      {{{fl + "BaseMacAddr", "\n"}}, {"-g", "LAN_MAC"}, "N/A\n"},
      {{{fl + "BaseMacAddr", " \n"}}, {"-g", "LAN_MAC"}, "N/A\n"},
      // a staged LAN MAC as staged: 12 characters and a line end, a shorter
      // one as it stands, its first line only
      {{{"/tmp/Lan_MAC.txt", std::string(600, 'e')}}, {"-g", "LAN_MAC"}, "eeeeeeeeeeee\n"},
      {{{"/tmp/Lan_MAC.txt", "ab:cd"}}, {"-g", "LAN_MAC"}, "ab:cd"},
      {{{"/tmp/Lan_MAC.txt", "ab\ncdef"}}, {"-g", "LAN_MAC"}, "ab\n"},
      {{{"/tmp/Lan_MAC.txt", ""}}, {"-g", "LAN_MAC"}, ""},
      {{{"/tmp/Lan_MAC.txt", "\n"}}, {"-g", "LAN_MAC"}, "N/A\n"},
      {{{"/tmp/Lan_MAC.txt", "N/A"}}, {"-g", "LAN_MAC"}, "N/A"},
      // a staged SSID: 31 characters at most, always a line end
      {{{"/tmp/SSID_2_4G.txt", s31}}, {"-g", "SSID_2.4G"}, "SSID_2.4G " + s31 + "\n"},
      {{{"/tmp/SSID_2_4G.txt", big}}, {"-g", "SSID_2.4G"}, "SSID_2.4G " + big.substr(0, 31) + "\n"},
      {{{"/tmp/SSID_2_4G.txt", ""}}, {"-g", "SSID_2.4G"}, "SSID_2.4G N/A\n"},
      // a variable set empty prints a bare line end
      {{{nv + "wl0_ssid", ""}}, {"-g", "SSID_2.4G"}, "SSID_2.4G N/A\n"},
      {{{nv + "wl0_hwaddr", ""}}, {"-g", "WLAN_2.4G_MAC"}, "2.4G WLAN MAC N/A\n"},
      {{{nv + "wl1_hwaddr", ""}}, {"-g", "WLAN_5G_MAC"}, "5G WLAN MAC \n"},
      {{{nv + "wps_sta_pin", ""}}, {"-g", "WPS_PIN"}, "WPS_PIN N/A\n"},
      {{{fl + "ModemSerialNumber", "\n"}}, {"-g", "SN"}, "SN N/A\n"},
      {{{fl + "wps_device_pin", "\n"}}, {"-g", "PINCode"}, "PIN Code N/A\n"},
      // only a first byte 0xFF is erased flash
      {{{fl + "wps_device_pin", "\xfe" "1234\n"}}, {"-g", "PINCode"}, "PIN Code \xfe" "1234\n"},
      // only "0" switches a radio off; coexistence is on for "1" only
      {{{nv + "wl0_radio", "0"}}, {"-l"}, "disable\n"},
      {{{nv + "wl0_radio", "0"}, {nv + "wl1_radio", "00"}}, {"-m"}, "enable\n"},
      {{{"/var/dutsim/wl/wl0/obss_coex", "2"}, {"/var/dutsim/wl/wl1/obss_coex", "1"}}, {"-j"}, "disable\n"},
      {{{"/var/dutsim/wl/wl0/obss_coex", "2"}, {"/var/dutsim/wl/wl1/obss_coex", "1"}}, {"-q"}, "enable\n"},
      // the listing after its heading, joined by commas, then "ENG"
      {{{"/var/dutsim/languages", "Language:\nENG\nNLD\n"}}, {"-D", "0"}, "ENG\n"},
      {{{"/var/dutsim/languages", "Languages\n\nX\n\nY"}}, {"-D", "0"}, ",X,YENG\n"},
      {{{"/var/dutsim/languages", "\nX\nY\n"}}, {"-D", "0"}, "X,YENG\n"},
      {{{"/var/dutsim/languages", "L\n" + big + "\n"}}, {"-D", "0"}, big + "ENG\n"},
  };

  for (const auto &c : cases) {
    SCOPED_TRACE(words(c.args) + "| " + c.files[0].first + "=" + c.files[0].second.substr(0, 20));
    init("KR4410");
    putAll(c.files);
    Result r = tarnel(c.args);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, c.out);
  }
}

TEST_F(Readers, PrintFlagZeroInTheWebReport)
{
  // the 5 GHz channel, the language listing, the board HW ID and the DECT
  // RFPI print whatever the flag says
  const std::string listing = "ENG,DEU,FRAKR4410-HW-B1\n\n", rfpi = "023F8A10C8\n\n", big(10240, 'x');
  const struct {
    Files files;
    std::string before;  // the output before "[{"
    std::vector<std::string> pairs;
  } cases[] = {
      {{{nv + "wl1_channel", gone}}, "N/A\n" + listing + rfpi, {"'5G Channel:':'N/A',"}},
      {{{nv + "wl0_channel", gone}}, "36\n" + listing + rfpi, {"'2.4G Channel:':'',"}},
      {{{"/var/dutsim/fwinfo/fw", gone}}, "36\n" + listing + rfpi, {"'FW Version:':'',"}},
      {{{"/var/dutsim/wan/speed", "0"}}, "36\n" + listing + rfpi, {"'WAN1 link status:':'10M',"}},
      {{{"/var/dutsim/wan/speed", "3"}}, "36\n" + listing + rfpi, {"'WAN1 link status:':'N/A',"}},
      {{{"/var/dutsim/wan/speed", "-1"}}, "36\n" + listing + rfpi, {"'WAN1 link status:':'N/A',"}},
      // the xDSL library's version: a line end kept, never more than its
      // 32 bytes, empty when the call fails
      {{{"/var/dutsim/xdsl/phyVerStr", "A2pv6F039v\nd26d"}}, "36\n" + listing + rfpi,
       {"'ADSL Modem Code Version:':'A2pv6F039v\nd26d',"}},
      {{{"/var/dutsim/xdsl/phyVerStr", big}}, "36\n" + listing + rfpi,
       {"'ADSL Modem Code Version:':'" + big.substr(0, 32) + "',"}},
      {{{"/var/dutsim/fault/xdslCtl_GetVersion", "9002"}}, "36\n" + listing + rfpi, {"'ADSL Modem Code Version:':'',"}},
  };

  for (const auto &c : cases) {
    SCOPED_TRACE(c.files[0].first + "=" + c.files[0].second);
    init("KR4410");
    putAll(c.files);
    Result r = tarnel({"-a", "-w"});
    size_t line = r.out.find("[{");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out.substr(0, line), c.before);
    for (const auto &p : c.pairs) EXPECT_NE(r.out.find(p, line), std::string::npos) << p << "\n" << r.out;
  }
}
