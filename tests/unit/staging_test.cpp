// The pass-phrase check: every byte value at every place that matters, and
// which option value each number selects.
#include <gtest/gtest.h>

#include "cli/cli.h"
#include "params/params.h"

static const std::string acceptedBytes =
    "!\"#%&'+,.0123456789<=>@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]_abcdefghijklmnopqrstuvwxy";

TEST(CheckValue, EveryByteValueAtFirstMiddleAndLastPlace)
{
  for (int b = 0; b < 256; b++) {
    bool ok = b && acceptedBytes.find((char)b) != std::string::npos;
    for (size_t at : {0, 4, 9}) {
      SCOPED_TRACE("byte " + std::to_string(b) + " at " + std::to_string(at));
      passphrase = "abcdefghij";
      passphrase[at] = (char)b;
      EXPECT_EQ(checkValue(1), ok ? 1 : 0);
    }
  }
}

TEST(CheckValue, LengthsAndSelection)
{
  const struct {
    char num;
    std::string p24, p5;
    char result;
  } cases[] = {
      {1, std::string(7, 'a'), "", 0},
      {1, std::string(8, 'a'), "", 1},
      {1, std::string(64, 'a'), "", 1},
      {1, std::string(65, 'a'), "", 0},
      {1, std::string(10240, 'a'), "", 0},
      {1, "", "", 0},
      {2, "", std::string(8, 'b'), 1},
      {2, std::string(8, 'b'), "short", 0},
      {1, std::string(8, 'b'), "short", 1},
      {0, std::string(8, 'b'), std::string(8, 'b'), 0},
      {3, std::string(8, 'b'), std::string(8, 'b'), 0},
  };

  for (const auto &c : cases) {
    SCOPED_TRACE(std::to_string(c.num) + " " + std::to_string(c.p24.size()) + "/" +
                 std::to_string(c.p5.size()));
    passphrase = c.p24;
    passphrase5g = c.p5;
    presharekeyvalue = "before";
    EXPECT_EQ(checkValue(c.num), c.result);
    // the value under test is kept; an unknown number copies nothing
    EXPECT_EQ(presharekeyvalue, c.num == 1 ? c.p24 : c.num == 2 ? c.p5 : "before");
  }
}
