// dumpmem's output for one of the LED control registers: the first byte
// picks the register, the rest is what dumpmem printed. The register's
// line is found as readIntRegValue finds it (the last piece of at most 49
// characters that begins with the address digits) and converted.
#include <cstring>

#include "fuzz.h"
#include "info/info.h"
#include "led/led.h"

static const unsigned int regs[] = {0xb0001904, 0xb0001908, 0xb0000204, 0xb0000208};

static int digit(char c)
{
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// The four bytes of a whole line exactly as dumpmem prints it, "b0001904:
// 12 34 56 78" and its line end; false for any other line.
static bool printedBytes(const char *line, unsigned long *value)
{
  if (strlen(line) != 22 || strncmp(line + 8, ":", 1) || line[21] != '\n') return false;
  *value = 0;
  for (int k = 0; k < 4; k++) {
    const char *b = line + 9 + 3 * k;
    if (b[0] != ' ' || digit(b[1]) < 0 || digit(b[2]) < 0) return false;
    *value = *value << 8 | (unsigned long)(digit(b[1]) << 4 | digit(b[2]));
  }
  return true;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
  char digits[9], line[50];
  unsigned long want;

  if (size == 0) return 0;
  snprintf(digits, sizeof(digits), "%08x", regs[data[0] % 4]);
  memset(line, 0, sizeof(line));
  FILE *out = streamOf(data + 1, size - 1);
  lastLineFrom(out, digits, line, sizeof(line));
  fclose(out);
  unsigned long v = dumpmemValue(line);
  expect(v <= 0xffffffffUL, "a register wider than 32 bits");
  if (printedBytes(line, &want)) expect(v == want, "the register's bytes misread");
  return 0;
}
