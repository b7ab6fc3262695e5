// The web line's newline removal on any value, in a buffer of exactly the
// value and its terminator, so that a read or write past it is caught.
#include <cstdlib>
#include <cstring>
#include <string>

#include "fuzz.h"
#include "info/info.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
  char *word = (char *)malloc(size + 1);

  memcpy(word, data, size);
  word[size] = 0;
  std::string before = word;
  size_t keep = before.size() - (!before.empty() && before.back() == '\n');
  expect(rmNewLine(word) == word, "rmNewLine returned another text");
  expect(std::string(word) == before.substr(0, keep), "more or less than one line end removed");
  free(word);
  return 0;
}
