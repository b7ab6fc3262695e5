// The language listing file, whatever the listing command left in it. The
// listing is written without any line end: it shares its line with "ENG".
#include <iostream>
#include <sstream>
#include <string>

#include "fuzz.h"
#include "info/info.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
  FILE *listing = streamOf(data, size);
  std::ostringstream shown;
  std::streambuf *out = std::cout.rdbuf(shown.rdbuf());

  showListing(listing);
  std::cout.rdbuf(out);
  fclose(listing);
  expect(shown.str().find('\n') == std::string::npos, "the listing wrote a line end");
  return 0;
}
