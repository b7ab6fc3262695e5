// Switch and SoC register access through the device commands.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "info/info.h"
#include "led.h"

// One hex digit; uppercase and anything else count as 0.
char hex(char v)
{
  if (v >= '0' && v <= '9') return v - '0';
  if (v >= 'a' && v <= 'f') return v - 'a' + 10;
  return 0;
}

// Four hex digits, first in the highest position, written together or as
// two pairs with one blank between them; one leading blank is skipped too.
// Each round takes a digit pair, so the digit the previous round put in
// the low nibble is read again; it ORs in place. The cursor never goes
// more than six characters past str, so str must have seven readable bytes.
unsigned int asctohex(char *str)
{
  char *p = str;
  unsigned int value = 0;

  for (int round = 0; round < 3; round++) {
    if (*p == ' ') p++;
    value = ((value | (hex(p[0]) & 0xf)) << 4) | (hex(p[1]) & 0xf);
    p++;
  }
  return value;
}

// The internal LED control register of the models whose LAN LEDs hang on
// the SoC's controller; LEDs 8 and up are in the register 4 bytes higher.
static const struct {
  const char *name;
  unsigned int reg;
} ledRegs[] = {
    {"KR4410", 0xb0001904},
    {"PZ7720E", 0xb0000204},
};

unsigned int checkReg(int offset)
{
  if (offset < 0 || offset >= (int)(sizeof(productInfo_st) / sizeof(productInfo_st[0]))) return 0;
  for (const auto &r : ledRegs)
    if (!strcmp(productInfo_st[offset].name, r.name)) return r.reg;
  return 0;
}

// dumpmem prints the register as "b0001904: 12 34 56 78": the address as
// eight hex digits, ": ", then the four bytes most significant first. The
// value is the four bytes as printed: the bytes "12 34" are the upper 16
// bits and "56 78" the lower, each pair of bytes read by asctohex, so what
// sw wrote, dumpmem gives back unchanged. line is the register's line, or
// empty when none matched (dumpmem missing, or printing something else):
// the register then reads 0.
unsigned long dumpmemValue(const char *line)
{
  char data[50];
  size_t n = strlen(line);

  memset(data, 0, sizeof(data));
  // the 11 characters after the address and its ": ", or what there is of them
  if (n > 10) memcpy(data, line + 10, std::min<size_t>(n - 10, 11));
  return (unsigned long)asctohex(data) << 16 | asctohex(data + 6);
}

// The line that begins with our address digits holds the register; the
// last such line wins. The address digits are kept apart from the buffer
// that receives the line, so a later match is compared against the address,
// not against the data of an earlier one. For every LED register the digits
// are exactly the ones the command carries after its "0x".
unsigned long readIntRegValue(unsigned int addr)
{
  char cmdBuf[50], addrDigits[9], line[50];

  memset(cmdBuf, 0, sizeof(cmdBuf));
  memset(line, 0, sizeof(line));
  snprintf(cmdBuf, sizeof(cmdBuf), "dumpmem %#x 4", addr);
  printf("\r\ncmdBuf=%s\n", cmdBuf);
  snprintf(addrDigits, sizeof(addrDigits), "%08x", addr);
  lastLineStarting(cmdBuf, addrDigits, line, sizeof(line));
  return dumpmemValue(line);
}
