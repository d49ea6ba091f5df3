// Sections 15 (dynamic scenery, one-byte opcodes) and 16 (markers, landing
// aids, time zones, flatten polygons and Area16 programs).
#include <gtest/gtest.h>

#include "tests/bgltext/run_helpers.h"
#include "tests/bgltext/scenery_program_writer.h"

namespace bgltest {
namespace {

struct Case {
  const char* what;
  std::vector<uint8_t> bytes;
  const char* text;
};

std::string DynamicText(const std::vector<uint8_t>& records) {
  auto r = RunBgl(DynamicImage(records));
  EXPECT_EQ(r.status, 0) << r.console;
  return Between(SingleText(r), kDynamicAreaLines, "End15\n\n");
}

std::string MarkerAreaText(const std::vector<uint8_t>& records) {
  auto r = RunBgl(MarkerAreaImage(records));
  EXPECT_EQ(r.status, 0) << r.console;
  return Between(SingleText(r), kMarkerAreaLine, "End16\n\n");
}

ByteWriter Pos48() {
  ByteWriter w;
  w.U16(0).I32(Lat32Raw(45)).U16(0).U32(Lon32Raw(90));
  return w;
}

TEST(DynamicSection, RecordsByOperandShape) {
  const std::vector<Case> cases = {
      {"plain", Op1(0x26).Data(), "\tReturn\n"},
      {"exit", Op1(0xFF).Data(), "\tExit\n"},
      {"attitude", Op1(0x01).U16(0x4000).U16(32767).Data(), "\tPitchTo( 90.00 180.00 )\n"},
      {"gear non-zero", Op1(0x04).U8(5).Data(), "\tGear( 1 )\n"},
      {"gear zero", Op1(0x04).U8(0).Data(), "\tGear( 0 )\n"},
      {"heading", Op1(0x07).U16(0x8000).Data(), "\tHeading( 180.000000 )\n"},
      {"move", Op1(0x12).U16(1).I16(-1).Data(), "\tMoveX( 1 -1 )\n"},
      {"move two", Op1(0x16).U16(1).U16(2).I16(-3).Data(), "\tMoveXZ( 1 2 -3 )\n"},
      {"move 3D", Op1(0x18).U16(1).U16(2).U16(3).U16(4).Data(), "\tMove3D( 1 2 3 4 )\n"},
      {"accelerate", Op1(0x19).U16(1).U16(4096).I16(-1).Data(), "\tAccelerateX( 1 1.00 -1 )\n"},
      {"accelerate two", Op1(0x1C).U16(1).U16(8192).U16(2).U16(3).Data(), "\tAccelerateXY( 1 2.00 2 3 )\n"},
      {"accelerate 3D", Op1(0x1F).U16(1).U16(2048).U16(1).U16(2).U16(3).Data(),
       "\tAccelerate3D( 1 0.50 1 2 3 )\n"},
      {"turn", Op1(0x20).U16(1).U16(0x4000).U16(2).Data(), "\tTurn( 1 90.000000 2 )\n"},
      {"jump", Op1(0x24).I16(0).Data(), ":L00000100\n\tJump( :L00000100 )\n"},
      {"hold", Op1(0x27).I16(-2).Data(), "\tHold( -2 )\n"},
      {"raw SetPos", Op1(0x28).Bytes({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}).Data(),
       "\t; SetPos(0x28)\n\tDbx( 28 1 2 3 4 5 6 7 8 9 A B C )\n"},
      {"raw Jump2E", Op1(0x2E).Bytes({1, 2, 3, 4, 5, 6}).Data(), "\t; Jump2E(0x2e)\n\tDbx( 2E 1 2 3 4 5 6 )\n"},
      {"colour", Op1(0x31).U8(5).U8(0xA).U8(0xFF).Data(), "\tSetColor( 5 A FF )\n"},
      {"pattern", Op1(0x32).U16(0xA).I16(0).U16(0).U8(0x3C).Data(), ":L00000100\n\tPattern( :L00000100 0A 3 12 )\n"},
      {"halved position", Op1(0x33).U16(0).U24(Lat24Raw(18)).U16(0).U16(0).U24(Lon24Raw(90)).U16(0x8000).U16(2).U16(0).Data(),
       "\tSetPos( N9:0:0.00 E45:0:0.00 2.500000 )\n"},
      {"latitude reference", Op1(0x34).U16(0).I32(Lat32Raw(45)).Data(), "\tLatRef( N45:0:0.00 )\n"},
      {"library call", Op1(0x35).I16(0).U16(0).U16(0).U8(0xA5).U32(1).U32(2).U32(3).U32(0xABCDEF12).Data(),
       ":L00000100\n\tCallDLibObj( :L00000100 A 5\n\t\t00000001 00000002 00000003 ABCDEF12 )\n"},
      {"move to position", ByteWriter(Op1(0x39)).Bytes(Pos48().Data()).U16(0).U32(7).U32(0x40000000).U32(0x80000000).U32(0).Data(),
       "\tMoveToPos1( N45:0:0.00 E90:0:0.00 7 90.000000 180.000000 0.000000 )\n"},
      {"refuel", Op1(0x3E).I32(-1).Data(), "\tRefuel( -1 )\n"},
      {"D_40", Op1(0x40).I32(Lat32Raw(45)).U32(Lon32Raw(90)).U32(1).U8(0xFF).I16(-2).U16(0x4000).U32(3).U32(4).Data(),
       "\tD_40( N45:0:0.00 E90:0:0.00 1 -1 -2 90.000000 3 4)\n"},
      {"taxi", ByteWriter(Op1(0x41)).Bytes(Pos48().Data()).U16(0).U32(5).U32(0x40000000).Data(),
       "\tTaxiTo( N45:0:0.00 E90:0:0.00 5 90.000000 )\n"},
      {"ACS", Op1(0x42).U8(3).Data(), "\tACS( 3 )\n"},
      {"monitor runway", Op1(0x43).I16(0).U32(0).U32(0x4000).U32(1).U16(0x8000).U32(2).U32(3).Data(),
       ":L00000100\n\tMonitorRwy( :L00000100 S0:0:0.00 E90:0:0.00 1 180.000000 2 3 )\n"},
      {"unknown", Op1(0x05).Data(), ";;; unknown record id: 0x5\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(DynamicText(c.bytes), c.text) << c.what;
}

TEST(DynamicSection, TopLevelAndAreaEnd) {
  auto r = RunBgl(LatRangeImage(15, kRecordsAt, {9, 0}));
  EXPECT_EQ(SectionBody(SingleText(r), 15), "LatRange( S0:0:0.00 S0:0:0.00 )\n; unknown record: 0x9\n");
  // One byte short: the Hold record crosses the end.
  r = RunBgl(DynamicImage(Op1(0x27).U16(1).Data(), -1));
  EXPECT_EQ(Between(SingleText(r), kDynamicAreaLines, ""),
            "\tHold( 1 )\n;;;;; EndA Overrun. (now:0x103, enda:0x102\nEnd15\n\n");
}

TEST(MarkerSection, TopLevelRecords) {
  ByteWriter w;
  w.U8(4).U8(0).U24(Lat24Raw(18)).U24(Lon24Raw(90)).U16(10).U8(0);
  w.U8(6).U8(0).U24(0).U24(Lon24Raw(-90)).U16(20).U8(0);
  w.U8(7).U8(0).U24(Lat24Raw(18)).U24(Lon24Raw(90)).U24(512).U24(0).U24(Lon24Raw(-90)).U24(128).U8(0).U8(0);
  w.TextZ("RWY 27 (X) ").U8(0x49).U8(0xDB);
  w.U8(100).U8(0).U24(Lat24Raw(18)).U24(0).U24(Lon24Raw(90)).U24(Lon24Raw(-90)).U16(5).U8(1).U8(2);
  w.U8(230).U8(0).U32(0).U16(2).U16(1).U16(0).U32(0x18000).U32(0x20000000).U32(0x40000000);
  w.U8(230).U8(0).U32(0).U16(9).U16(0).U16(0).U32(0);
  w.U8(9);
  auto r = RunBgl(MarkerImage(w.Data()));
  ASSERT_EQ(r.status, 0) << r.console;
  EXPECT_EQ(SectionBody(SingleText(r), 16),
            "LatRange( S0:0:0.00 S0:0:0.00 )\n"
            "\tIM( N18:0:0.00 E90:0:0.00 10 )\n"
            "\tOM( S0:0:0.00 W90:0:0.00 20 )\n"
            "LandMe( N18:0:0.00 E90:0:0.00 2.00 9L\n\tS0:0:0.00 W90:0:0.00 0.50 27C\n\tRWY_27_{X} )\n"
            "\tTimeZone( N18:0:0.00 S0:0:0.00 E90:0:0.00 W90:0:0.00 5 1 2 )\n"
            "\tFlattenPoly( FEMT_LAKE 1 1.500000\n\t\tN45:0:0.00 E90:0:0.00\n\t)\n"
            "\tFlattenPoly( 9 0 0.000000\n\t)\n"
            ";;; unknown record: 0x9\n");
}

TEST(MarkerSection, AreaRecords) {
  ByteWriter refPoint = Op(0x2F);
  refPoint.I16(0).U16(1).U16(2).U16(0).U32(0).U16(0).I32(Lat32Raw(45)).U16(0).U32(Lon32Raw(90)).U16(0).U32(7);
  ByteWriter refPoint77 = Op(0x77);
  refPoint77.I16(0).U16(1).U16(2).U16(0).U32(0x10000).U16(0).I32(0).U16(0).U32(0).U16(0).U32(7);
  const std::vector<Case> cases = {
      {"elevation", Op(0x71).I16(-1).Data(), "\tSetElevation( -1 )\n"},
      {"return", Op(0x22).Data(), "\tReturn\n"},
      {"jump", Op(0x0D).I16(0).Data(), ":L00000100\n\tJump( :L00000100 )\n"},
      {"variable test", Op(0x24).I16(0).U16(0xA).U16(1).U16(2).Data(), ":L00000100\n\tIfVarRange( :L00000100 A 1 2 )\n"},
      {"RefPoint 2F", refPoint.Data(),
       ":L00000100\n\tRefPoint( 2 :L00000100 65536.000000 N45:0:0.00 E90:0:0.00 E= 7 v1= 1 v2= 2 )\n"},
      {"RefPoint 77", refPoint77.Data(),
       ":L00000100\n\tRefPoint( 7 :L00000100 1.000000 S0:0:0.00 W0:0:0.00 v1= 1 v2= 2 )\n"},
      {"sense border", Op(0x70).I16(0).U16(1).U16(1).I16(-1).Data(),
       ":L00000100\n\tSenseBorder( :L00000100\n\t\t1 -1\n\t)\n"},
      {"not in this table", Op(0x0A).Data(), ";;; unknown record id: 0xa\n;;; unknown record id: 0x0\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(MarkerAreaText(c.bytes), c.text) << c.what;
}

TEST(MarkerSection, ZeroAreaLengthEndsBeforeItsFirstRecord) {
  auto r = RunBgl(MarkerAreaImage(Op(0x22).Data(), -16));
  EXPECT_EQ(Between(SingleText(r), kMarkerAreaLine, ""),
            "\tReturn\n;;;;; EndA Overrun. (now:0x102, enda:0xf2\nEnd16\n\n");
}

}  // namespace
}  // namespace bgltest
