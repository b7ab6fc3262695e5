// sw, dumpmem and ethswctl: SoC registers under /var/dutsim/regs and the
// external switch's registers under /var/dutsim/spi, one lowercase hex
// number each.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "cmds.h"

// Hex with or without 0x; false for anything else.
static bool hexArg(const char *s, unsigned long &v)
{
  char *end;

  if (!*s) return false;
  v = strtoul(s, &end, 16);
  return *end == 0;
}

static std::string regFile(const char *folder, int digits, unsigned long reg)
{
  char b[64];

  snprintf(b, sizeof(b), "/var/dutsim/%s/%0*lx", folder, digits, reg);
  return b;
}

static std::string hexText(unsigned long v)
{
  char b[32];

  snprintf(b, sizeof(b), "%lx", v);
  return b;
}

static unsigned long regValue(const std::string &file)
{
  return strtoul(readValue(file, "0").c_str(), nullptr, 16);
}

int sw_main(int argc, char **argv)
{
  int at = (argc > 1 && !strcmp(argv[1], "-k")) ? 2 : 1;
  unsigned long addr, value;

  if (argc != at + 2 || !hexArg(argv[at], addr) || !hexArg(argv[at + 1], value))
    return usage("sw [-k] ADDR VALUE");
  return writeFile(regFile("regs", 8, addr & 0xffffffff), hexText(value & 0xffffffff)) ? 0 : 1;
}

int dumpmem_main(int argc, char **argv)
{
  unsigned long addr, count = 4;

  if (argc < 2 || argc > 3 || !hexArg(argv[1], addr)) return usage("dumpmem ADDR [COUNT]");
  if (argc == 3) count = strtoul(argv[2], nullptr, 0);
  // one line of four bytes per word, most significant first
  for (unsigned long at = addr; at < addr + count; at += 4) {
    unsigned long v = regValue(regFile("regs", 8, at & 0xffffffff));

    printf("%08lx: %02lx %02lx %02lx %02lx\n", at & 0xffffffff, (v >> 24) & 0xff,
           (v >> 16) & 0xff, (v >> 8) & 0xff, v & 0xff);
  }
  return 0;
}

// ethswctl -c spiaccess -x REG -l 2 [-d DATA]: without -d, prints the
// register as four hex digits from column 19 on.
int ethswctl_main(int argc, char **argv)
{
  const char *use = "ethswctl -c spiaccess -x REG -l 2 [-d DATA]";
  unsigned long reg = 0, data = 0;
  bool haveReg = false, write = false, spi = false;

  for (int i = 1; i + 1 < argc; i += 2) {
    if (!strcmp(argv[i], "-c"))
      spi = !strcmp(argv[i + 1], "spiaccess");
    else if (!strcmp(argv[i], "-x"))
      haveReg = hexArg(argv[i + 1], reg);
    else if (!strcmp(argv[i], "-d"))
      write = hexArg(argv[i + 1], data);
    else if (strcmp(argv[i], "-l"))
      return usage(use);
  }
  if (!spi || !haveReg || argc % 2 == 0) return usage(use);
  std::string file = regFile("spi", 4, reg & 0xffff);
  if (write) return writeFile(file, hexText(data & 0xffff)) ? 0 : 1;
  printf("spi read 0x%04lx => %04lx\n", reg & 0xffff, regValue(file) & 0xffff);
  return 0;
}
