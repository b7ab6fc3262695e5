#include <cstdlib>

#include "fuzz.h"

FILE *streamOf(const uint8_t *data, size_t size)
{
  static uint8_t none;
  // fmemopen only reads through the pointer in mode "r"; a null one would
  // ask it for a buffer of its own
  FILE *in = fmemopen(const_cast<uint8_t *>(size ? data : &none), size, "r");

  if (!in) {
    perror("fmemopen");
    abort();
  }
  return in;
}

void expect(bool cond, const char *what)
{
  if (cond) return;
  fprintf(stderr, "fuzz: %s\n", what);
  abort();
}
