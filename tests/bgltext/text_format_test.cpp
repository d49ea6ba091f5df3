// The formatter's own number conversions give the bytes printf gives; the
// fixed-point one takes a fast path that must send every near-tie on to the
// exact conversion.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>

#include "bgltext/text_format.h"

namespace bgltest {
namespace {

template <bgltext::FormatText F, typename... Args>
void ExpectSameAsPrintf(Args... args) {
  char expected[1280];  // 1e300 four times
#if defined(__clang__)
#pragma clang diagnostic push
#pragma clang diagnostic ignored "-Wformat-security"  // the format is the formatter's own constant
#endif
  std::snprintf(expected, sizeof expected, F.text, args...);
#if defined(__clang__)
#pragma clang diagnostic pop
#endif
  EXPECT_EQ(bgltext::Format<F>(args...), expected) << F.text;
}

TEST(TextFormat, NumbersMatchPrintf) {
  std::mt19937_64 rng(11);
  const int edges[] = {0, 1, -1, 9, 10, -10, 255, 65535, -32768, 2147483647, -2147483647 - 1};
  for (int v : edges) ExpectSameAsPrintf<"%d|%5d|%05d|%u %x %08X">(v, v, v, v, v, v);
  // An exact tie rounds to even; 2.675 is stored just below itself.
  const double values[] = {0.0,   -0.0,   0.125,  0.375,     2.675, 1e-7, -1e-7,
                           0.005, 45.005, 59.999, 1.0 / 3.0, -2.5,  1e20, 1e300};
  for (double v : values) ExpectSameAsPrintf<"%f %.2f %.0f %.3f">(v, v, v, v);
  std::uniform_real_distribution<double> any(-400.0, 400.0);
  for (int i = 0; i < 100000; ++i) {
    double v = (i % 3 == 0)
                   ? any(rng)
                   : static_cast<double>(static_cast<int64_t>(rng() % 2000001) - 1000000) / 1000.0;
    if (i % 7 == 0) v /= 8.0;  // many exact binary fractions, ties among them
    ExpectSameAsPrintf<"%f|%.2f">(v, v);
  }
}

}  // namespace
}  // namespace bgltest
