// The parts of the transfer-rate test a device run cannot pin down: the
// write size's range at its limits, rates for known spans, and a read
// error before the end of the file.
#include <cstring>
#include <gtest/gtest.h>
#include <string>

#include "usb/usb.h"

TEST(WriteSize, ReadAsAtoiWithinTheBlockCountRange)
{
  const std::string zeros = std::string(10240, '0') + "7", longNumber(10240, '9');
  const struct {
    std::string size;
    bool ok;
    int blocks;
  } cases[] = {
      {"abc", true, 0},
      {"12abc", true, 12000},
      {" \t+4", true, 4000},
      {zeros, true, 7000},
      {"2147483", true, 2147483000},
      {"2147484", false, 0},
      {"99999999999999999999", false, 0},
      {longNumber, false, 0},
  };

  for (const auto &c : cases) {
    SCOPED_TRACE(c.size.substr(0, 40));
    int blocks = -1;
    EXPECT_EQ(writeBlockCount(c.size.c_str(), &blocks), c.ok);
    EXPECT_EQ(blocks, c.ok ? c.blocks : -1);
  }
}

TEST(Rate, TwoDecimalsForKnownSpans)
{
  const struct {
    uint32_t amount;
    float unit;
    uint64_t us;
    const char *printed;
  } cases[] = {
      // 10,000,000 bytes read in 2 s; 5000 blocks written in 2 s
      {10000000, 1000000.0f, 2000000, "5.00"},
      {5000, 1000.0f, 2000000, "2.50"},
      // the largest file the read test takes, in single precision
      {2147483647, 1000000.0f, 1000000, "2147.48"},
      // a span below the clock's resolution counts as one microsecond
      {0, 1000000.0f, 0, "0.00"},
      {1024, 1000000.0f, 0, "1024.00"},
  };

  for (const auto &c : cases) {
    char text[64];
    snprintf(text, sizeof(text), "%.2f", rateOf(c.amount, c.unit, c.us));
    EXPECT_STREQ(text, c.printed) << c.amount << " in " << c.us << " us";
  }
}

// A stream of so many bytes that then ends, or fails as a pulled stick does.
// A loop that reads on after the failure ends after 100 more tries, so it
// shows as a count rather than as a hang.
struct Stick {
  size_t left;
  bool pulled;
  int failed;
};

static ssize_t stickRead(void *cookie, char *buf, size_t size)
{
  Stick *s = (Stick *)cookie;

  if (!s->left && s->pulled && s->failed++ < 100) return -1;
  if (!s->left) return 0;
  size_t n = size < s->left ? size : s->left;
  memset(buf, 'x', n);
  s->left -= n;
  return (ssize_t)n;
}

TEST(ReadLoop, EndsAtTheEndOrAtAnError)
{
  const Stick cases[] = {{0, false, 0}, {1024, false, 0}, {5000, false, 0}, {0, true, 0}, {3000, true, 0}};

  for (const auto &c : cases) {
    SCOPED_TRACE(std::to_string(c.left) + (c.pulled ? " then pulled" : ""));
    Stick s = c;
    cookie_io_functions_t io = {stickRead, nullptr, nullptr, nullptr};
    FILE *in = fopencookie(&s, "r", io);
    ASSERT_NE(in, nullptr);
    EXPECT_EQ(readToEnd(in), !c.pulled);
    EXPECT_EQ(s.left, 0u);
    EXPECT_EQ(s.failed, c.pulled ? 1 : 0);
    fclose(in);
  }
}
