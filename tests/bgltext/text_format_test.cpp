// The fixed-point conversions of the formatter give the same bytes as
// printf, ties and binary fractions included. (Integers, texts and CR LF
// line ends: the expected texts of the driver and section tests.)
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>

#include "bgltext/text_sink.h"

namespace bgltest {
namespace {

using bgltext::FormatText;

template <FormatText F, typename... Args>
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

TEST(TextFormat, FixedPointMatchesPrintf) {
  // An exact tie rounds to even; 2.675 is stored just below itself.
  const double values[] = {0.0,   -0.0,       0.125,  0.375,   2.675,     1e-7,  -1e-7,
                           0.005, 45.005,     59.999, 65536.0, 1.0 / 3.0, -2.5,  1e15,
                           1e20,  123456.789, 2.8125, 5.625,   -0.001,    1e300, 90.0104931640625};
  for (double v : values) ExpectSameAsPrintf<"%f %.2f %.0f %.3f">(v, v, v, v);
  std::mt19937_64 rng(11);
  std::uniform_real_distribution<double> any(-400.0, 400.0);
  for (int i = 0; i < 100000; ++i) {
    double v = (i % 3 == 0)
                   ? any(rng)
                   : static_cast<double>(static_cast<int64_t>(rng() % 2000001) - 1000000) / 1000.0;
    if (i % 7 == 0) v /= 8.0;  // many exact binary fractions, ties among them
    ExpectSameAsPrintf<"%f|%.2f">(v, v);
  }
  // Exact halves of the last digit.
  for (int i = -200; i <= 200; ++i) ExpectSameAsPrintf<"%.2f|%.0f">(i / 8.0, i / 2.0);
}

}  // namespace
}  // namespace bgltest
