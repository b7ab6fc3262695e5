// The button record file, whatever the driver side wrote into it.
#include "fuzz.h"
#include "testmode/testmode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
  FILE *record = streamOf(data, size);

  showButtonRecord(record);
  fclose(record);
  return 0;
}
