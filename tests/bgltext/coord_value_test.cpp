// Coordinate and angle encodings, their text form, and the fixed-point
// number text that must match printf byte for byte.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>

#include "bgltext/coord_value.h"
#include "bgltext/fixed_format.h"

namespace bgltext {
namespace {

std::string Text(double v, CoordKind kind) {
  CoordValue c;
  c.value = v;
  c.kind = kind;
  return c.Text();
}

TEST(CoordValue, TextFormUsesHemisphereLetterDegreesMinutesSeconds) {
  EXPECT_EQ(Text(47.5, CoordKind::Latitude), "N47:30:0.00");
  EXPECT_EQ(Text(-122.25, CoordKind::Longitude), "W122:15:0.00");
  EXPECT_EQ(Text(-33.5125, CoordKind::Latitude), "S33:30:45.00");
  EXPECT_EQ(Text(8.0 + 1.0 / 60 + 2.5 / 3600, CoordKind::Longitude), "E8:1:2.50");
  // Zero is not greater than zero: the southern and western letters.
  EXPECT_EQ(Text(0.0, CoordKind::Latitude), "S0:0:0.00");
  EXPECT_EQ(Text(0.0, CoordKind::Longitude), "W0:0:0.00");
}

TEST(CoordValue, ThirtyTwoBitLatitudeScalesAndWrapsAbove90) {
  EXPECT_DOUBLE_EQ(Lat32(5000875).value, 45.0);
  EXPECT_EQ(Lat32(5000875).Text(), "N45:0:0.00");
  EXPECT_EQ(Lat32(-5000875).Text(), "S45:0:0.00");
  EXPECT_DOUBLE_EQ(Lat32(10001750).value, 90.0);   // 90 itself does not wrap
  EXPECT_DOUBLE_EQ(Lat32(15002625).value, -45.0);  // 135 - 180
  EXPECT_EQ(Lat32(5000875).raw, 5000875);
  EXPECT_EQ(Lat32(5000875).kind, CoordKind::Latitude);
}

TEST(CoordValue, FineLatitudeIs128TimesFiner) {
  EXPECT_DOUBLE_EQ(Lat32Fine(5000875 * 128).value, 45.0);
  EXPECT_DOUBLE_EQ(Lat32Fine(-5000875 * 128).value, -45.0);
}

TEST(CoordValue, TwentyFourBitValuesAreSignedByBit23) {
  EXPECT_DOUBLE_EQ(Lat24(5000875).value, 90.0);
  EXPECT_DOUBLE_EQ(Lat24(0x1000000 - 5000875).value, -90.0);
  EXPECT_EQ(Lat24(0x1000000 - 5000875).Text(), "S90:0:0.00");
  EXPECT_DOUBLE_EQ(Lon24(0x400000).value, 90.0);
  EXPECT_DOUBLE_EQ(Lon24(0xC00000).value, -90.0);
  EXPECT_EQ(Lon24(0xC00000).Text(), "W90:0:0.00");
  // Only the low 24 bits count.
  EXPECT_DOUBLE_EQ(Lon24(0xFF400000).value, 90.0);
}

TEST(CoordValue, ThirtyTwoBitLongitudeIsUnsignedAndWrapsAbove180) {
  EXPECT_DOUBLE_EQ(Lon32(0x40000000u).value, 90.0);
  EXPECT_DOUBLE_EQ(Lon32(0x80000000u).value, 180.0);
  EXPECT_DOUBLE_EQ(Lon32(0xC0000000u).value, -90.0);
  EXPECT_EQ(Lon32(0xC0000000u).Text(), "W90:0:0.00");
}

TEST(CoordValue, FortyEightBitValuesAreSignedFixedPoint) {
  EXPECT_DOUBLE_EQ(Alt48(32768, -2), -1.5);
  EXPECT_DOUBLE_EQ(Alt48(16384, 10), 10.25);
  EXPECT_DOUBLE_EQ(Lat48(0, 5000875).value, 45.0);
  EXPECT_DOUBLE_EQ(Lat48(32768, -2).value, -1.5 * 90 / 10001750);
  EXPECT_DOUBLE_EQ(Lat48(0, 15002625).value, -45.0);
  EXPECT_DOUBLE_EQ(Lon48(0, 0x40000000).value, 90.0);
  EXPECT_DOUBLE_EQ(Lon48(0, -0x40000000).value, -90.0);
  EXPECT_DOUBLE_EQ(Lon48(32768, 0).value, 0.5 * 360 / 4294967296.0);
}

TEST(CoordValue, AnglesHaveNoWrap) {
  EXPECT_DOUBLE_EQ(Angle16(0x4000), 90.0);
  EXPECT_DOUBLE_EQ(Angle16(0xFFFF), 65535 * 360.0 / 65536);
  EXPECT_DOUBLE_EQ(Angle32(0xC0000000u), 270.0);
}

std::string Fixed(double v, int p) {
  char buf[400];
  return std::string(buf, WriteFixed(buf, v, p));
}

std::string Printf(double v, int p) {
  char buf[400];
  std::snprintf(buf, sizeof buf, "%.*f", p, v);
  return buf;
}

TEST(FixedFormat, KnownValuesFollowPrintfRounding) {
  EXPECT_EQ(Fixed(0.125, 2), "0.12");  // an exact tie rounds to even
  EXPECT_EQ(Fixed(0.375, 2), "0.38");
  EXPECT_EQ(Fixed(2.675, 2), "2.67");  // stored just below 2.675
  EXPECT_EQ(Fixed(1e-7, 6), "0.000000");
  EXPECT_EQ(Fixed(-0.001, 2), "-0.00");
  EXPECT_EQ(Fixed(-1.5, 2), "-1.50");
  EXPECT_EQ(Fixed(59.999, 2), "60.00");
  EXPECT_EQ(Fixed(123456.0, 6), "123456.000000");
  EXPECT_EQ(Fixed(1e300, 2).size(), 304u);
  // The C library agrees in this build.
  EXPECT_EQ(Printf(0.125, 2), "0.12");
  EXPECT_EQ(Printf(2.675, 2), "2.67");
  EXPECT_EQ(Printf(1e-7, 6), "0.000000");
}

TEST(FixedFormat, MatchesPrintfOnManyValues) {
  std::mt19937_64 rng(7);
  std::uniform_real_distribution<double> wide(-400.0, 400.0);
  for (int i = 0; i < 200000; ++i) {
    double v = (i % 3 == 0)
                   ? wide(rng)
                   : static_cast<double>(static_cast<int64_t>(rng() % 2000001) - 1000000) / 1000.0;
    if (i % 7 == 0) v /= 8.0;  // many exact binary fractions, ties among them
    for (int p : {2, 6}) ASSERT_EQ(Fixed(v, p), Printf(v, p)) << v;
  }
}

}  // namespace
}  // namespace bgltext
