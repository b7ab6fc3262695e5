// The switch's link and speed registers as chkLinkPortSpeed reads them:
// the input up to its first line end is what the link register's read
// printed, the rest what the speed register's printed; both go through
// one 50-byte buffer, cleared before the first read only.
#include <cstring>

#include "fuzz.h"
#include "info/info.h"
#include "led/led.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
  const uint8_t *nl = (const uint8_t *)memchr(data, '\n', size);
  size_t first = nl ? (size_t)(nl - data) + 1 : size;
  char buf[50];

  memset(buf, 0, sizeof(buf));
  FILE *links = streamOf(data, first), *speeds = streamOf(data + first, size - first);
  lineFrom(links, buf, sizeof(buf));
  unsigned int linkport = asctohex(buf + 19);
  lineFrom(speeds, buf, sizeof(buf));
  unsigned int speed = asctohex(buf + 19);
  fclose(links);
  fclose(speeds);
  unsigned int code = commonPortSpeed(linkport, speed);
  expect(code <= 3 || code == 0xFF, "a speed code that is no 2-bit code nor 0xFF");
  expect((linkport & 0x1f) || code == 0xFF, "a speed without a linked port");
  return 0;
}
