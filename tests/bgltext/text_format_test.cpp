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
#pragma clang diagnostic ignored "-Wformat-security"  // the format is the formatter's own constant
#endif
  std::snprintf(expected, sizeof expected, F.text, args...);
  EXPECT_EQ(bgltext::Format<F>(args...), expected) << F.text;
}

TEST(TextFormat, NumbersMatchPrintf) {
  for (int v : {0, -1, 10, 65535, -2147483647 - 1})
    ExpectSameAsPrintf<"%d|%5d|%05d|%u %x %08X">(v, v, v, v, v, v);
  // An exact tie rounds to even; 2.675 is stored just below itself.
  for (double v : {-0.0, 0.125, 0.375, 2.675, -1e-7, 45.005, 59.999, -2.5, 1e300})
    ExpectSameAsPrintf<"%f %.2f %.0f %.3f">(v, v, v, v);
  std::mt19937_64 rng(11);
  for (int i = 0; i < 100000; ++i) {
    double v = static_cast<double>(static_cast<int64_t>(rng() % 2000001) - 1000000) / 1000.0;
    if (i % 7 == 0) v /= 8.0;  // many exact binary fractions, ties among them
    ExpectSameAsPrintf<"%f|%.2f">(v, v);
  }
}

}  // namespace
}  // namespace bgltest
