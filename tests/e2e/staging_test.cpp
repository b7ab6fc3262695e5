// Staging with -i: which parameter is staged, the bytes of its file, the
// pass-phrase check with its early end, and the production-mode flag.
#include <unistd.h>

#include "dut_fixture.h"

static const char *const stagingFiles[] = {
    "/tmp/Lan_MAC.txt", "/tmp/SN.txt", "/tmp/PIN_Code.txt", "/tmp/SSID_2_4G.txt", "/tmp/SSID_5G.txt",
    "/tmp/WPSPSK.txt", "/tmp/WPSPSK5G.txt", "/tmp/WPS_PIN.txt", "/tmp/Wlan_MAC.txt",
};

class Staging : public Dut {
protected:
  // Nothing staged and the factory flag again, without a new root.
  void unstage()
  {
    for (const char *f : stagingFiles) unlink((root + f).c_str());
    put("/proc/nvram/BoardFlag", "0\n");
  }
};

// Exactly one file (or none) is staged, holding exactly the value; nothing
// is printed and no device command runs.
TEST_F(Staging, StagesOneParameterByteExact)
{
  const std::string big(10240, 'x'), odd = "a b \"c\" 'd' $e;f\\g*";
  const struct {
    std::vector<std::string> args;
    const char *file;  // nullptr: nothing staged
    std::string content;
    Files before = {};  // staged by an earlier run
  } cases[] = {
      {{"-i", "-L", "00:1a:2B:3c:4d:5e"}, "/tmp/Lan_MAC.txt", "00:1a:2B:3c:4d:5e"},
      {{"-i", "-I", big}, "/tmp/SSID_2_4G.txt", big},
      {{"-i", "-Q", "line1\nline2"}, "/tmp/SSID_5G.txt", "line1\nline2"},
      {{"-i", "-J", odd}, "/tmp/WPS_PIN.txt", odd},
      {{"-i", "-W", std::string(600, 'f')}, "/tmp/Wlan_MAC.txt", std::string(600, 'f')},
      {{"-i", "-L", ""}, "/tmp/Lan_MAC.txt", ""},
      // staging again replaces the whole value, also with an empty one
      {{"-i", "-S", "AB"}, "/tmp/SN.txt", "AB", {{"/tmp/SN.txt", "LONGSERIAL0001"}}},
      {{"-i", "-S", ""}, "/tmp/SN.txt", "", {{"/tmp/SN.txt", "AB"}}},
      // the first row present wins, whatever the order on the command line
      {{"-S", "b", "-i", "-L", "a"}, "/tmp/Lan_MAC.txt", "a"},
      {{"-i", "-Z", "1", "-S", "b"}, "/tmp/SN.txt", "b"},
      {{"-W", "w", "-J", "j", "-i"}, "/tmp/WPS_PIN.txt", "j"},
      {{"-i", "-K", "GoodPass1", "-Y", "bad"}, "/tmp/WPSPSK.txt", "GoodPass1"},
      // without -i nothing is staged; -i alone stages nothing
      {{"-L", "a", "-S", "b", "-K", "GoodPass1", "-Z", "1"}, nullptr, ""},
      {{"-i"}, nullptr, ""},
  };

  for (const auto &c : cases) {
    SCOPED_TRACE(words(c.args));
    unstage();
    putAll(c.before);
    Result r = tarnel(c.args);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(traceLines({"sh: ", "call: "}), Lines{});
    EXPECT_EQ(file("/proc/nvram/BoardFlag"), "0\n");
    for (const char *f : stagingFiles) {
      SCOPED_TRACE(f);
      bool staged = c.file && std::string(f) == c.file;
      EXPECT_EQ(exists(f), staged);
      if (staged) {
        EXPECT_EQ(file(f), c.content);
      }
    }
  }
}

// A pass-phrase refused or taken, as a run shows it (the check's length
// bounds and every byte at every place are the unit test's). A refused one
// prints its message, leaves no staging file (not even an earlier one) and
// ends the run: the model ID block after it does not run.
TEST_F(Staging, PassPhraseCheck)
{
  const std::string rejected24 = "\r\nPre-sharekey value invalid\n";
  const std::string rejected5 = "\r\n5G Pre-sharekey value invalid\n";
  const struct {
    const char *option;
    std::string value;
    bool accepted;
  } cases[] = {
      {"-K", "abcdefg", false},
      {"-K", "!\"#%&'+,.09<=>[\\]", true},
      {"-Y", "abcdefg", false},
      {"-Y", "abcdefgh", true},
      {"-Y", "abcdefg~", false},
  };

  for (const auto &c : cases) {
    bool is24 = std::string(c.option) == "-K";
    const char *staged = is24 ? "/tmp/WPSPSK.txt" : "/tmp/WPSPSK5G.txt";
    SCOPED_TRACE(std::string(c.option) + " [" + c.value.substr(0, 70) + "]");
    unstage();
    put(staged, "OldPassPhrase");
    Result r = tarnel({"-i", c.option, c.value, "-M", "x"});
    EXPECT_EQ(r.status, 0);
    if (c.accepted) {
      EXPECT_EQ(r.out, "KR4410\n");
      EXPECT_EQ(file(staged), c.value);
      EXPECT_EQ(traceLines({"sh: "}), Lines{"sh: fwinfo -g boardID"});
    } else {
      EXPECT_EQ(r.out, is24 ? rejected24 : rejected5);
      EXPECT_FALSE(exists(staged));
      EXPECT_EQ(traceLines({"sh: ", "call: "}), Lines{});
    }
  }
}

// The flag goes to flash at once, printed as run; nothing is staged.
TEST_F(Staging, ProductionMode)
{
  const struct {
    std::string value, flag;
  } cases[] = {
      {"a  b", "a b\n"},
      {"", "\n"},
  };

  for (const auto &c : cases) {
    SCOPED_TRACE(c.value.substr(0, 20));
    unstage();
    Result r = tarnel({"-i", "-Z", c.value});
    std::string line = "echo " + c.value + " > /proc/nvram/BoardFlag";
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "cmd=" + line);
    EXPECT_EQ(traceLines(), (Lines{"sh: " + line, "sh: nvramUpdate Feature 2",
                                   "nvramUpdate: Feature 2", "sh: psictl invalidate primary",
                                   "psictl: invalidate primary"}));
    EXPECT_EQ(file("/proc/nvram/BoardFlag"), c.flag);
    for (const char *f : stagingFiles) EXPECT_FALSE(exists(f)) << f;
  }
}

// Reading the WPS PIN back first must not change what is staged after it.
TEST_F(Staging, ReadBackBeforeStagingKeepsTheGivenWpsPin)
{
  Result r = tarnel({"-g", "WPS_PIN", "-i", "-J", "9999 0000"});
  EXPECT_EQ(r.out, "WPS_PIN 51849387\n");
  EXPECT_EQ(file("/tmp/WPS_PIN.txt"), "9999 0000");
  EXPECT_EQ(traceLines({"sh: "}), Lines{"sh: nvram get wps_sta_pin"});
}
