// The hex digit readers of register and switch reads.
#include <cstring>
#include <gtest/gtest.h>

#include "led/led.h"

TEST(Registers, HexDigit)
{
  const struct {
    char v;
    int want;
  } cases[] = {
      {'0', 0}, {'9', 9}, {'a', 10}, {'f', 15}, {'F', 0}, {'g', 0}, {'\0', 0}, {(char)0xff, 0}, {'/', 0}, {':', 0},
  };

  for (const auto &c : cases) {
    SCOPED_TRACE(std::string(1, c.v));
    EXPECT_EQ(hex(c.v), c.want);
  }
}

TEST(Registers, FourHexDigits)
{
  const struct {
    const char *text;
    unsigned int want;
  } cases[] = {
      {"1234", 0x1234},   {"12 34", 0x1234}, {" 1234", 0x1234}, {" 12 34", 0x1234},
      {"12345", 0x1234},  {"c3 fc", 0xc3fc}, {"ffff", 0xffff},  {"000a", 0xa},
      {"ABCD", 0},        {"", 0},           {"12\n", 0x1200},  {"12  34", 0x1203},
      {"1a2B", 0x1a20},
  };

  for (const auto &c : cases) {
    SCOPED_TRACE(c.text);
    // the reader looks up to seven characters ahead, as in its 50-byte buffers
    char buf[50] = {};
    strcpy(buf, c.text);
    EXPECT_EQ(asctohex(buf), c.want);
  }
}
