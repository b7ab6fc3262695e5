// What the fuzz targets share. Each target is one file defining the entry
// point below; libFuzzer calls it with generated inputs, replay.cpp with
// the seed files of fuzz/corpus/<target>/.
#ifndef TARNEL_FUZZ_H
#define TARNEL_FUZZ_H

#include <cstddef>
#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

// The bytes as a read-only stream, NULs included, the way a command's pipe
// or a file hands them over; the caller closes it.
FILE *streamOf(const uint8_t *data, size_t size);
// A wrong answer is a fault like a crash: it stops the run, and libFuzzer
// keeps the input.
void expect(bool cond, const char *what);

#endif
