// The record handlers' formatter gives the same bytes as printf for every
// conversion it formats itself, and hands the others to printf.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <utility>

#include "bgltext/record_format.h"

namespace bgltest {
namespace {

template <typename... Args>
void ExpectSameAsPrintf(const char* format, Args... args) {
  char expected[512];
  std::snprintf(expected, sizeof expected, format, args...);
  std::string got;
  bgltext::AppendRecordFormat(got, format, args...);
  EXPECT_EQ(got, expected) << format;
}

TEST(RecordFormat, IntegersMatchPrintf) {
  std::mt19937 rng(7);
  const int edges[] = {0, 1, -1, 9, 10, -10, 255, 65535, -32768, 2147483647, -2147483647 - 1};
  for (int i = 0; i < 2000; ++i) {
    int v = i < 11 ? edges[i] : static_cast<int>(rng());
    ExpectSameAsPrintf("%d|%5d|%05d|%-4d|%+d", v, v, v, v, v);
    unsigned u = static_cast<unsigned>(v);
    ExpectSameAsPrintf("%u %x %X %02X %08X %02x", u, u, u, u & 0xFF, u, u & 0xFF);
  }
}

TEST(RecordFormat, TextAndCharactersMatchPrintf) {
  ExpectSameAsPrintf("\t%s( %c %s )\n", "Name", '2', "");
  ExpectSameAsPrintf("%% %10s|%c", "abc", 'x');
  ExpectSameAsPrintf("no conversions\n");
}

TEST(RecordFormat, FixedPointMatchesPrintf) {
  const double values[] = {
      0.0,     -0.0,      0.125, 2.675, 1e-7, -1e-7,      0.005,  45.005, 90.0104931640625,
      65536.0, 1.0 / 3.0, -2.5,  1e15,  1e20, 123456.789, 2.8125, 5.625,  -0.001};
  for (double v : values) ExpectSameAsPrintf("%f %.2f %.0f %.3f", v, v, v, v);
  std::mt19937_64 rng(11);
  std::uniform_real_distribution<double> any(-400.0, 400.0);
  for (int i = 0; i < 100000; ++i) {
    double v = (i % 3 == 0)
                   ? any(rng)
                   : static_cast<double>(static_cast<int64_t>(rng() % 2000001) - 1000000) / 1000.0;
    if (i % 7 == 0) v /= 8.0;  // many exact binary fractions, ties among them
    ExpectSameAsPrintf("%f|%.2f", v, v);
  }
  // Exact halves of the last digit.
  for (int i = -200; i <= 200; ++i) ExpectSameAsPrintf("%.2f|%.0f", i / 8.0, i / 2.0);
}

TEST(RecordFormat, FixedPointRoundsLikePrintf) {
  // An exact tie rounds to even; 2.675 is stored just below itself.
  const std::pair<double, const char*> cases[] = {
      {0.125, "0.12"}, {0.375, "0.38"}, {2.675, "2.67"}, {-0.001, "-0.00"}, {59.999, "60.00"}};
  for (auto [v, text] : cases) {
    std::string got;
    bgltext::AppendRecordFormat(got, "%.2f", v);
    EXPECT_EQ(got, text);
  }
  std::string tiny, huge;
  bgltext::AppendRecordFormat(tiny, "%f", 1e-7);
  EXPECT_EQ(tiny, "0.000000");
  bgltext::AppendRecordFormat(huge, "%.2f", 1e300);
  EXPECT_EQ(huge.size(), 304u);
}

TEST(RecordFormat, OtherConversionsGoThroughPrintf) {
  ExpectSameAsPrintf("%e %g %.3e", 12345.678, 0.0001, -1.5);
}

}  // namespace
}  // namespace bgltest
