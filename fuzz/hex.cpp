// The hex readers: hex on every byte of the input, asctohex on its first
// seven bytes (padded with NULs) in a buffer of exactly seven, so that a
// read past them is caught.
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fuzz.h"
#include "led/led.h"

static bool lowerHex(const char *s, int n)
{
  for (int i = 0; i < n; i++)
    if (!isdigit((unsigned char)s[i]) && !(s[i] >= 'a' && s[i] <= 'f')) return false;
  return true;
}

// The four digits of the forms the register lines use: "1234", "12 34" or
// " 1234"; -1 for anything else.
static long fourDigits(const char *s)
{
  std::string digits;

  if (lowerHex(s, 4))
    digits.assign(s, 4);
  else if (lowerHex(s, 2) && s[2] == ' ' && lowerHex(s + 3, 2))
    digits = std::string(s, 2) + std::string(s + 3, 2);
  else if (s[0] == ' ' && lowerHex(s + 1, 4))
    digits.assign(s + 1, 4);
  else
    return -1;
  return strtol(digits.c_str(), nullptr, 16);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
  for (size_t i = 0; i < size; i++) {
    char c = (char)data[i];
    int want = lowerHex(&c, 1) ? (int)strtol(std::string(1, c).c_str(), nullptr, 16) : 0;
    expect(hex(c) == want, "hex gave the wrong digit value");
  }
  char *str = (char *)malloc(7);
  memset(str, 0, 7);
  memcpy(str, data, size < 7 ? size : 7);
  unsigned int v = asctohex(str);
  expect(v <= 0xffff, "asctohex gave more than four digits");
  long want = fourDigits(str);
  expect(want < 0 || v == (unsigned int)want, "asctohex misread four digits");
  free(str);
  return 0;
}
