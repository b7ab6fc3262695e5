// The pass-phrase check on any value, for both bands, against the
// characters the station's documentation lists as allowed.
#include <cstring>
#include <string>

#include "cli/cli.h"
#include "fuzz.h"
#include "params/params.h"

static const char allowed[] =
    "!\"#%&'+,.0123456789<=>@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]_abcdefghijklmnopqrstuvwxy";

static bool acceptable(const std::string &v)
{
  if (v.size() < 8 || v.size() > 64) return false;
  for (char c : v)
    if (!c || !strchr(allowed, c)) return false;
  return true;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
  std::string value((const char *)data, size);

  passphrase = value;
  passphrase5g = value;
  char want = acceptable(value) ? 1 : 0;
  expect(checkValue(1) == want, "2.4 GHz pass-phrase judged wrongly");
  expect(presharekeyvalue == value, "2.4 GHz pass-phrase not the one checked");
  expect(checkValue(2) == want, "5 GHz pass-phrase judged wrongly");
  expect(checkValue(size ? (char)data[0] : 0) == (size && (data[0] == 1 || data[0] == 2) ? want : 0),
         "a number that selects no band accepted");
  return 0;
}
