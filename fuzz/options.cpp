// The option parse loop over any argument vector: the words are the
// input's NUL-separated pieces, after argv[0] "tarnel". The front end
// starts from a fresh process's state for every input.
//
// The C library's getopt_long is not instrumented, so the fuzzer cannot
// learn the long names from its comparisons: a word whose first byte is 1
// to 43 stands for "--" and the long name of that row of the option table,
// followed by the rest of the word ("=value", or nothing).
#include <string>
#include <vector>

#include "cli/cli.h"
#include "fuzz.h"
#include "tests/unit/cli_state.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
  std::string all((const char *)data, size);
  std::vector<std::string> words;

  for (size_t at = 0; at <= all.size();) {
    size_t end = all.find('\0', at);
    if (end == std::string::npos) end = all.size();
    std::string word = all.substr(at, end - at);
    unsigned char row = word.empty() ? 0 : (unsigned char)word[0];
    if (row >= 1 && row <= 43) word = std::string("--") + options[row - 1].name + word.substr(1);
    words.push_back(word);
    at = end + 1;
  }
  int ended = parseWords(words);
  // the run ends on help or a bad option with nothing recorded to run
  expect(ended == 0 || ended == 1, "parseOptions answered neither 0 nor 1");
  return 0;
}
