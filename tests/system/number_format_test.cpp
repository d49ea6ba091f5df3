// printf-style number formatting is the same in the Windows and the POSIX
// build: correctly rounded from the binary value, ties to even.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

std::string Format(const char* format, double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, format, value);
  return buffer;
}

TEST(NumberFormat, RoundsTheBinaryValue) {
  EXPECT_EQ(Format("%.2f", 0.125), "0.12");  // exactly between: to even
  EXPECT_EQ(Format("%.2f", 2.675), "2.67");  // stored just below 2.675
  EXPECT_EQ(Format("%f", 1e-7), "0.000000");
  EXPECT_EQ(Format("%.1f", 0.25), "0.2");
  EXPECT_EQ(Format("%.0f", 2.5), "2");
  EXPECT_EQ(Format("%.3f", -0.0005), "-0.001");  // stored just above 0.0005 in size
}

}  // namespace
