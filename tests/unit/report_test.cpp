// The link-rate tables and the web report's line-end trimming.
#include <cstdio>
#include <gtest/gtest.h>
#include <string>

#include "info/info.h"
#include "store/store.h"

TEST(RateTable, TwoPointFourGigahertzAtEveryBandwidthAndMode)
{
  const struct {
    int bandwidth, mode;
    float rate;
  } rows[] = {
      {0, -3, 0}, {0, -2, 54}, {0, -1, 54}, {0, 0, 289}, {0, 1, 289}, {0, 2, 0},
      {1, -3, 0}, {1, -2, 0}, {1, -1, 0}, {1, 0, 600}, {1, 1, 600}, {1, 2, 0},
      {2, -3, 0}, {2, -2, 0}, {2, -1, 0}, {2, 0, 600}, {2, 1, 600}, {2, 2, 0},
      {3, 1, 0}, {-1, 1, 0}, {-1, -1, 0}, {0, 2147483647, 0}, {0, -2147483647 - 1, 0},
  };

  for (const auto &r : rows) {
    SCOPED_TRACE("bandwidth " + std::to_string(r.bandwidth) + " mode " + std::to_string(r.mode));
    testing::internal::CaptureStdout();
    EXPECT_EQ(dataRate_Map_MCSIDX(r.bandwidth, r.mode), r.rate);
    fflush(stdout);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  }
}

TEST(RateTable, FiveGigahertzByBandwidthAlone)
{
  const struct {
    int bandwidth, mcs, rate;
    const char *out;
  } rows[] = {
      {0, 9, 481, ""},
      {1, -1, 1000, ""},
      {2, 2147483647, 2167, ""},
      {3, 0, 0, "Bandwidth 3 out of range\n"},
      {-1, 9, 0, "Bandwidth -1 out of range\n"},
      {-2147483647 - 1, 0, 0, "Bandwidth -2147483648 out of range\n"},
  };

  for (const auto &r : rows) {
    SCOPED_TRACE("bandwidth " + std::to_string(r.bandwidth) + " mcs " + std::to_string(r.mcs));
    testing::internal::CaptureStdout();
    EXPECT_EQ(dataRate_Map_MCSIDX5g(r.bandwidth, r.mcs), r.rate);
    fflush(stdout);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), r.out);
  }
}

TEST(RmNewLine, RemovesExactlyOneTrailingLineEnd)
{
  const std::string longLine(600, 'a');
  const struct {
    std::string in, out;
  } rows[] = {
      {"", ""},
      {"\n", ""},
      {"\n\n", "\n"},
      {"inner\nline", "inner\nline"},
      {"cr\r\n", "cr\r"},
      {longLine + "\n", longLine},
  };

  for (const auto &r : rows) {
    SCOPED_TRACE(r.in.substr(0, 20));
    std::string buf = r.in;
    char *word = &buf[0];

    EXPECT_EQ(rmNewLine(word), word);
    EXPECT_EQ(std::string(word), r.out);
  }
}
