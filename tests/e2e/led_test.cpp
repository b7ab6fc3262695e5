// LAN LEDs per model and the all-LED colour test, seen from the trace: the
// exact command lines in their order, the platform calls and what is
// printed. The registers hold what the traced sw and ethswctl lines wrote.
#include "dut_fixture.h"

static const char *const BOARD = "sh: fwinfo -g boardID";
static const char *const READ_LINK = "sh: ethswctl -c spiaccess -x 0x0100 -l 2";
static const char *const READ_SPEED = "sh: ethswctl -c spiaccess -x 0x0104 -l 2";
static const char *const VOICE_OUT = "Delete OG\nAsterisk Restart\n";
static const std::string KR4410_ON_OUT = std::string("KR4410\n") + VOICE_OUT +
                                         "\r\ncmdBuf=dumpmem 0xb0001904 4\n\r\ncmdBuf=dumpmem 0xb0001908 4\n";
static const char *const NO_LINK_MSG = "Two Difference Speed To Link!\r\n";
// A device command that prints /var/hostile/out when it reads, and nothing
// when it writes.
static const char *const READS_PRINT = "case \"$*\" in *-d*) ;; *) cat /var/hostile/out;; esac\n";

static std::string spi(const std::string &reg, const std::string &data)
{
  return "sh: ethswctl -c spiaccess -x " + reg + " -l 2 -d " + data;
}

static std::string sw(const std::string &addr, const std::string &value)
{
  return "sh: sw " + addr + "  " + value + " ";
}

// The KR4410's voice clean-up as the shell and the two tools see it.
static const Lines VOICE = {
    "sh: tarcli -v 200 -c 'tar_voice og del multi_og_index 1,2'; tarcli -v 200 -c 'tar_voice "
    "gen all';tarcli -v 200 -c 'exit';",
    "tarcli: -v 200 -c tar_voice og del multi_og_index 1,2",
    "tarcli: -v 200 -c tar_voice gen all",
    "tarcli: -v 200 -c exit",
    "sh: /usr/sbin/asterisk -rx \"core restart now\"",
    "asterisk: -rx core restart now",
};

// Registers 0x58 to 0x5c, in order: the MTX-2450's LEDs and the gigabit LEDs.
static Lines portLeds(const std::string &data)
{
  Lines l;

  for (const char *r : {"0x58", "0x59", "0x5a", "0x5b", "0x5c"}) l.push_back(spi(r, data));
  return l;
}

// KR8800: each switch register twice, then LED 12 on the SoC controller.
static Lines kr8800(const char *first, const char *second, const char *led12)
{
  Lines l;

  for (const char *r : {"0x59", "0x5a", "0x5b", "0x5c"}) {
    l.push_back(spi(r, first));
    l.push_back(spi(r, second));
  }
  l.push_back(sw("0xb0001908", led12));
  return l;
}

// The KR4410 switching on: its voice clean-up, both register reads, then
// LED register 0xb0001908 written five times with these values.
static Lines kr4410On(std::initializer_list<const char *> values)
{
  Lines l = join({{BOARD}, VOICE, {"sh: dumpmem 0xb0001904 4", "sh: dumpmem 0xb0001908 4"}});

  for (const char *v : values) l.push_back(sw("0xb0001908", v));
  l.push_back("sh: sw 0xb00000dc 0x0");
  return l;
}

static const Lines KR4410_CLEARED(5, sw("0xb0001908", "0"));

static const Lines TRACED = {"sh: ", "call: ", "tarcli: ", "asterisk: "};

struct LanCase {
  const char *what;
  const char *model;
  Files before;  // device files set up first
  Files fakes;   // device commands replaced by these scripts
  std::string act;
  std::string out;
  Lines trace;
};

class Led : public Dut {
protected:
  // One run of -A on a fresh device of the case's model.
  void check(const LanCase &c)
  {
    SCOPED_TRACE(c.what);
    init(c.model);
    putAll(c.before);
    for (const auto &f : c.fakes) script(f.first, f.second);
    expectRun({"-A", c.act}, c.out, c.trace);
  }

  void expectRun(const std::vector<std::string> &args, const std::string &out, const Lines &trace)
  {
    Result r = tarnel(args);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, out);
    EXPECT_EQ(traceLines(TRACED), trace);
  }
};

TEST_F(Led, EveryModelOnAndOff)
{
  const std::string longAct(10000, 'e');
  const std::vector<LanCase> cases = {
      {"KR4410 enable", "KR4410", {}, {}, "enable", KR4410_ON_OUT,
       kr4410On({"0xc", "0x3c", "0xfc", "0x3fc", "0xc3fc"})},
      {"KR4410 disable still cleans up the voice service", "KR4410", {}, {}, "disable",
       std::string("KR4410\n") + VOICE_OUT,
       join({{BOARD}, VOICE, KR4410_CLEARED, {"sh: sw 0xb00000dc 0x10"}})},
      {"KR4410 other request: off, but 0xb00000dc as for on", "KR4410", {}, {}, "on",
       std::string("KR4410\n") + VOICE_OUT,
       join({{BOARD}, VOICE, KR4410_CLEARED, {"sh: sw 0xb00000dc 0x0"}})},
      {"PZ7720E enable", "PZ7720E", {}, {}, "enable",
       "PZ7720E\n\r\ncmdBuf=dumpmem 0xb0000204 4\n\r\ncmdBuf=dumpmem 0xb0000208 4\n",
       {BOARD, "sh: dumpmem 0xb0000204 4", "sh: dumpmem 0xb0000208 4", sw("0xb0000204", "0x300"),
        sw("0xb0000204", "0xf00"), sw("0xb0000204", "0x3f00"), sw("0xb0000204", "0xff00"),
        "sh: sw 0xb00000dc 0x0"}},
      {"PZ7720E disable", "PZ7720E", {}, {}, "disable", "PZ7720E\n",
       join({{BOARD}, Lines(4, sw("0xb0000204", "0")), {"sh: sw 0xb00000dc 0x10"}})},
      {"MTX-2150 enable, factory links: ports 1 and 3 gigabit", "MTX-2150", {}, {}, "enable",
       "MTX-2150\n",
       join({{BOARD, READ_LINK, READ_SPEED, spi("0xf", "0x008b"), spi("0x12", "0x8124")},
            portLeds("0x4b"), {"sh: sw -k 0xb000009c 0x0"}})},
      {"MTX-2150 disable, gigabit", "MTX-2150", {}, {}, "disable", "MTX-2150\n",
       join({{BOARD, READ_LINK, READ_SPEED, spi("0xf", "0x0083"), spi("0x12", "0x0324")},
            portLeds("0xa"), {"sh: sw -k 0xb000009c 0x2"}})},
      {"MTX-2150 other request, gigabit", "MTX-2150", {}, {}, "Enable", "MTX-2150\n",
       join({{BOARD, READ_LINK, READ_SPEED, spi("0xf", "0x0083"), spi("0x12", "0x0324")},
            portLeds("0xa"), {"sh: sw -k 0xb000009c 0x0"}})},
      {"MTX-2450 enable", "MTX-2450", {}, {}, "enable", "MTX-2450\n",
       join({{BOARD}, portLeds("0x43"), portLeds("0x4b"), {spi("0x0018", "0")}})},
      {"MTX-2450 disable", "MTX-2450", {}, {}, "disable", "MTX-2450\n",
       join({{BOARD}, portLeds("0xa"), portLeds("0xa"), {spi("0x0018", "0x1ff")}})},
      {"KR8800 enable", "KR8800", {}, {}, "enable", "KR8800\n",
       join({{BOARD}, kr8800("0x43", "0x4b", "0x300"), {spi("0x0018", "0")}})},
      {"KR8800 10 kB request: off", "KR8800", {}, {}, longAct, "KR8800\n",
       join({{BOARD}, kr8800("0xa", "0xa", "0"), {spi("0x0018", "0x1ff")}})},
  };

  for (const auto &c : cases) check(c);
}

// MTX-2150: what the link and speed registers of ports 0 to 4 make of the
// speed-dependent write.
TEST_F(Led, Mtx2150LinkSpeeds)
{
  const char *link = "/var/dutsim/spi/0100", *speed = "/var/dutsim/spi/0104";
  const Lines head = {BOARD, READ_LINK, READ_SPEED, spi("0xf", "0x008b")};
  const Lines tail = {"sh: sw -k 0xb000009c 0x0"};
  const Lines off = {BOARD, READ_LINK, READ_SPEED, spi("0xf", "0x0083"), spi("0x12", "0x0324"),
                     "sh: sw -k 0xb000009c 0x2"};
  const std::string model = "MTX-2150\n", noLink = model + NO_LINK_MSG;
  const std::vector<LanCase> cases = {
      {"no port linked", "MTX-2150", {{link, "0"}, {speed, "aa"}}, {}, "enable", noLink,
       join({head, tail})},
      {"only port 5 linked: not looked at", "MTX-2150", {{link, "20"}, {speed, "800"}}, {},
       "enable", noLink, join({head, tail})},
      {"one gigabit link on port 4", "MTX-2150", {{link, "10"}, {speed, "200"}}, {}, "enable",
       model, join({head, {spi("0x12", "0x8124")}, portLeds("0x4b"), tail})},
      {"one 100M link on port 0", "MTX-2150", {{link, "1"}, {speed, "1"}}, {}, "enable", model,
       join({head, {spi("0x12", "0x8324")}, tail})},
      {"100M and gigabit", "MTX-2150", {{link, "3"}, {speed, "9"}}, {}, "enable", noLink,
       join({head, tail})},
      {"speed code 3: no speed write", "MTX-2150", {{link, "2"}, {speed, "c"}}, {}, "enable",
       model, join({head, tail})},
      {"disable, no link: no message", "MTX-2150", {{link, "0"}}, {}, "disable", model, off},
      {"reads print nothing", "MTX-2150", {}, {{"/bin/ethswctl", "exit 0\n"}}, "enable", noLink,
       join({head, tail})},
      // "1111" from column 19: ports 0 and 4 linked, both with speed code 1
      {"100 kB read lines", "MTX-2150", {{"/var/hostile/out", std::string(100000, '1') + "\n"}},
       {{"/bin/ethswctl", READS_PRINT}}, "enable", model, join({head, {spi("0x12", "0x8324")}, tail})},
      // Ports 1 and 2 with codes 1 and 0 only when the speed comes from
      // what is left of the link line; a cleared buffer would give code 0.
      {"short speed line keeps the rest of the link line", "MTX-2150", {},
       {{"/bin/ethswctl",
         "case \"$*\" in\n"
         "*0x0100*) echo 'spi read 0x0100 => 0006';;\n"
         "*0x0104*) echo short;;\n"
         "esac\n"}},
       "enable", noLink, join({head, tail})},
  };

  for (const auto &c : cases) check(c);
}

// The model is the first row whose name begins the board identifier; the
// "NULL" row ends the walk.
TEST_F(Led, BoardIdentifiers)
{
  const char *id = "/var/dutsim/fwinfo/boardID";
  const std::string long8800 = "KR8800" + std::string(10000, 'x');
  const Lines kr8800On = join({{BOARD}, kr8800("0x43", "0x4b", "0x300"), {spi("0x0018", "0")}});
  const std::vector<LanCase> cases = {
      {"suffix", "KR4410", {{id, "KR4410-EU2"}}, {}, "disable",
       std::string("KR4410-EU2\n") + VOICE_OUT,
       join({{BOARD}, VOICE, KR4410_CLEARED, {"sh: sw 0xb00000dc 0x10"}})},
      {"10 kB identifier beginning with a name", "KR4410", {{id, long8800}}, {}, "enable",
       long8800.substr(0, 511), kr8800On},
      {"truncated name", "KR4410", {{id, "MTX-245"}}, {}, "enable", "MTX-245\n", {BOARD}},
      {"NULL", "KR4410", {{id, "NULL"}}, {}, "enable", "NULL\n", {BOARD}},
      {"empty", "KR4410", {{id, ""}}, {}, "enable", "\n", {BOARD}},
  };

  for (const auto &c : cases) check(c);
}

// Switching on starts from what dumpmem reads back; what sw wrote reads
// back unchanged, and a register that cannot be read counts as 0.
TEST_F(Led, RegisterContentsReadBack)
{
  const char *r1908 = "/var/dutsim/regs/b0001908";
  const std::string pieces = std::string(49, 'x') + "b0001908: 20 00 00 00";
  std::string longLine;
  for (int i = 0; i < 5000; i++) longLine += "b0001908: 12 34 56 78 ";
  const std::vector<LanCase> cases = {
      {"dumpmem printing nothing reads 0", "KR4410", {{r1908, "ffffffff"}},
       {{"/bin/dumpmem", "exit 1\n"}}, "enable", KR4410_ON_OUT,
       kr4410On({"0xc", "0x3c", "0xfc", "0x3fc", "0xc3fc"})},
      // read in pieces of 49: the last piece that begins with the address
      {"a 115 kB line", "KR4410", {{"/var/hostile/out", longLine + "\n"}}, {{"/bin/dumpmem", READS_PRINT}},
       "enable", KR4410_ON_OUT,
       kr4410On({"0x1234567c", "0x1234567c", "0x123456fc", "0x123457fc", "0x1234d7fc"})},
      // the last line of our address wins; a line longer than 49
      // characters arrives in pieces, and a piece can be that line
      {"last matching line, other addresses ignored", "KR4410", {},
       {{"/bin/dumpmem", "[ \"$1\" = 0xb0001908 ] || exit 0\n"
                         "echo 'b0001908: 00 00 00 01'\n"
                         "echo 'b0001904: 00 00 00 10'\n"
                         "echo '" + pieces + "'\n"
                         "echo 'unrelated text'\n"}},
       "enable", KR4410_ON_OUT,
       kr4410On({"0x2000000c", "0x2000003c", "0x200000fc", "0x200003fc", "0x2000c3fc"})},
      {"address digits without data read 0", "KR4410", {},
       {{"/bin/dumpmem", "echo b0001908; echo b0001904\n"}}, "enable", KR4410_ON_OUT,
       kr4410On({"0xc", "0x3c", "0xfc", "0x3fc", "0xc3fc"})},
  };

  for (const auto &c : cases) check(c);

  // every byte of what sw wrote reads back: the first run starts from it,
  // the second from what the first wrote
  init("KR4410");
  ASSERT_EQ(run({"sw", "0xb0001908", "0xa0b0c0d0"}).status, 0);
  tarnel({"-A", "enable"});
  EXPECT_EQ(traceLines(TRACED),
            kr4410On({"0xa0b0c0dc", "0xa0b0c0fc", "0xa0b0c0fc", "0xa0b0c3fc", "0xa0b0c3fc"}));
  Result r = tarnel({"-A", "enable"});
  EXPECT_EQ(r.out, KR4410_ON_OUT);
  EXPECT_EQ(traceLines(TRACED),
            kr4410On({"0xa0b0c3fc", "0xa0b0c3fc", "0xa0b0c3fc", "0xa0b0c3fc", "0xa0b0c3fc"}));
}

// -E with -F: the three common writes, the colour's writes and its
// platform call.
TEST_F(Led, ColourTest)
{
  const Lines common = {"sh: sw 0xfffe8708 0x0", "sh: sw 0xfffe87b8 0x0",
                        "sh: sw fffe8104 80000004"};
  const std::string tenK(10000, 'B');
  const struct {
    std::vector<std::string> args;
    std::string out;
    Lines trace;
  } cases[] = {
      {{"-E", "on", "-F", "B"}, "",
       join({common, {"sh: sw fffe8118 80000000", "call: cmsLed_ContrlAllBlueLED(1)"}})},
      {{"-E", "off", "-F", "B"}, "", join({common, {"sh: sw fffe8118 0", "call: cmsLed_ContrlAllBlueLED(0)"}})},
      {{"-E", "on", "-F", "R"}, "", join({common, {"sh: sw fffe8118 4", "call: cmsLed_ContrlAllRedLED(1)"}})},
      {{"-E", "off", "-F", "R"}, "", join({common, {"sh: sw fffe8118 0", "call: cmsLed_ContrlAllRedLED(0)"}})},
      {{"-E", "on", "-F", "O"}, "",
       join({common, {"sh: sw fffe8118 0", "sh: sw 0xfffe87b8 0x2000aa", "call: cmsLed_ContrlAllOrangeLED(1)"}})},
      {{"-E", "off", "-F", "O"}, "",
       join({common, {"sh: sw fffe8118 0", "sh: sw 0xfffe87b8 0x0", "call: cmsLed_ContrlAllOrangeLED(0)"}})},
      {{"-E", "on", "-F", "G"}, "", join({common, {"sh: sw fffe8118 0", "sh: sw 0xfffe87b8 0x100055"}})},
      // only the exact "on" switches on
      {{"-E", "ON", "-F", "G"}, "", join({common, {"sh: sw fffe8118 0", "sh: sw 0xfffe87b8 0x0"}})},
      {{"-F", "All", "-E", "on"}, "", join({common, {"sh: sw fffe87b8 ffffff", "sh: sw fffe8118 80000004"}})},
      {{"-E", "off", "-F", "All"}, "", join({common, {"sh: sw fffe87b8 0", "sh: sw fffe8118 0"}})},
      // colours are whole words: not a case or a prefix away
      {{"-E", "on", "-F", "b"}, "Error!\n", common},
      {{"-E", "on", "-F", tenK}, "Error!\n", common},
      {{"-E", tenK, "-F", "B"}, "", join({common, {"sh: sw fffe8118 0", "call: cmsLed_ContrlAllBlueLED(0)"}})},
  };

  for (const auto &c : cases) {
    SCOPED_TRACE(words(c.args));
    expectRun(c.args, c.out, c.trace);
  }
}
