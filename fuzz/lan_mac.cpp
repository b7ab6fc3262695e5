// The flash's LAN MAC line as the reader takes it (one line of at most 511
// characters into the shared line buffer), reformatted into the record's
// LAN MAC field.
#include <cctype>
#include <cstring>
#include <string>

#include "fuzz.h"
#include "info/info.h"

// "00 1a 2b 2c 3d 4e \n": six two-digit groups, each followed by a blank.
static bool flashForm(const std::string &line)
{
  if (line.size() != 19 || line[18] != '\n') return false;
  for (int g = 0; g < 6; g++)
    if (!isxdigit((unsigned char)line[3 * g]) || !isxdigit((unsigned char)line[3 * g + 1]) ||
        line[3 * g + 2] != ' ')
      return false;
  return true;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
  char *field = sHiddenInfo_st.LAN_MAC;
  FILE *in = streamOf(data, size);

  lineFrom(in, tmpstr, sizeof(tmpstr));
  fclose(in);
  std::string line = tmpstr;
  strcpy(field, "untouched");
  bool done = formatBaseMAC(tmpstr, field);
  if (line.size() < 2) {
    expect(!done && !strcmp(field, "untouched"), "a short line changed the field");
    return 0;
  }
  expect(done && strlen(field) == line.size() - 1, "the value is not the line less one character");
  expect(field[line.size() - 2] == '\n', "the value does not end in a line end");
  if (flashForm(line)) {
    std::string want;
    for (int g = 0; g < 6; g++)
      want += std::string(g ? ":" : "") + (char)toupper(line[3 * g]) + (char)toupper(line[3 * g + 1]);
    expect(field == want + "\n", "the flash form was not reformatted as XX:XX:XX:XX:XX:XX");
  }
  return 0;
}
