// Sections 15 (dynamic scenery, one-byte opcodes in Area15 blocks) and 16
// (markers, landing aids, time zones, flatten polygons and Area16 blocks):
// whole units with their labels, then records by operand shape.
#include <gtest/gtest.h>

#include "tests/bgltext/run_helpers.h"

namespace bgltest {
namespace {

// Displacement words that all point at one later record: each remembers the
// offset it counts from and is patched once the target is known.
struct ForwardJumps {
  BglBuilder& b;
  std::vector<std::pair<size_t, size_t>> holes;  // (word offset, counted from)
  ByteWriter& Word(size_t from) {
    holes.emplace_back(b.Here(), from);
    return b.Body().U16(0);
  }
  // The opcode bytes (and operands before the displacement), then the displacement.
  ByteWriter& Op(std::initializer_list<uint8_t> bytes) {
    size_t from = b.Here();
    b.Body().Bytes(bytes);
    return Word(from);
  }
  void PatchTo(size_t target) {
    for (auto [at, from] : holes) b.PatchBodyU16(at, static_cast<uint32_t>(target - from));
  }
};

TEST(DynamicSection, Area15RecordsAndTheCloseBeforeAnUnknownTopLevelRecord) {
  BglBuilder b = DecoderBuilder();
  OneLatRange(b, 15);
  ByteWriter& w = b.Body();
  ForwardJumps jumps{b, {}};
  w.U8(4).U16(0).U16(0x1000).U16(0x4000).U16(0xC000).U16(0);
  size_t afterN = b.Here();
  w.U16(0xF000).U16(0x0800).U16(0x2000).U16(0).Fill(24, 0x99);
  uint32_t gear = static_cast<uint32_t>(b.Here());
  w.U8(0x04).U8(5).U8(0x01).I16(0x4000).I16(32767).U8(0x24).I16(-7);
  w.U8(0x28).Bytes({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
  w.U8(0x19).U16(3).U16(2048).I16(-4).U8(0x20).U16(1).U16(0x4000).U16(2);
  jumps.Op({0x32, 0xAB, 0}).U16(0).U8(0x35);
  w.U8(0x33).U16(0).U24(kN36).U16(0).U16(0).U24(kW90).U16(32768).U16(10).U16(0);
  uint32_t call = static_cast<uint32_t>(b.Here());  // to the 24-bit latitude: no label line there
  w.U8(0x25).I16(6);
  w.U8(0x33).U16(0).U24(0x7FFFFF).U16(0).U16(0).U24(0).U16(0).U16(0).U16(
      0);  // wrapped, then halved
  jumps.Op({0x35}).U16(0).U16(0).U8(0x12).U32(1).U32(2).U32(0xA).U32(0xFFFFFFFFu);
  w.U8(0x40).I32(kNorth).U32(kEast).U32(7).U8(0xFF).I16(-300).U16(0x4000).U32(5).U32(6);
  jumps.Op({0x43}).U32(0).U32(0x4000).U32(3).U16(0x4000).U32(4).U32(5);
  w.U8(0x41).U16(0).I32(kNorth).U16(0).I32(0x40000000).U16(0).U32(7).U32(0x40000000);
  w.U8(0x27).I16(-5).U8(0x31).U8(10).U8(0xAB).U8(0x0C).U8(0xFF);
  uint32_t ret = static_cast<uint32_t>(b.Here());
  w.U8(0x26);
  b.PatchBodyU16(afterN - 2, static_cast<uint32_t>(b.Here() - afterN));
  jumps.PatchTo(ret);
  w.U8(0x77).U8(0);
  auto r = RunMulti(b);
  const std::string ref = Label(ret);
  EXPECT_EQ(
      File(r, "bgt15-1"),
      Block(15, "Dynamic scenery", kDecoderHeaderBlock) + kLatRangeLine +
          "Area15( S0:0:0.00 N18:52:15.84 E90:0:0.00 W90:0:0.00\n"
          "\tS18:52:15.84 N9:26:7.92 E45:0:0.00 W0:0:0.00 )\n" +
          Label(gear) + "\n\tGear( 1 )\n\tPitchTo( 90.00 180.00 )\n\tJump( " + Label(gear) +
          " )\n\t; SetPos(0x28)\n\tDbx( 28 1 2 3 4 5 6 7 8 9 A B C )\n"
          "\tAccelerateX( 3 0.50 -4 )\n\tTurn( 1 90.000000 2 )\n\tPattern( " +
          ref +
          " 0AB 3 5 )\n"
          "\tSetPos( N18:0:0.00 W45:0:0.00 10.500000 )\n\tCall( " +
          Label(call + 6) +
          " )\n\tSetPos( S14:30:56.69 W0:0:0.00 0.000000 )\n"
          "\tCallDLibObj( " +
          ref +
          " 1 2\n\t\t00000001 00000002 0000000A FFFFFFFF )\n"
          "\tD_40( N45:0:0.00 E90:0:0.00 7 -1 -300 90.000000 5 6)\n\tMonitorRwy( " +
          ref +
          " S0:0:0.00 E90:0:0.00 3 90.000000 4 5 )\n\tTaxiTo( N45:0:0.00 E90:0:0.00 7 90.000000 )\n"
          "\tHold( -5 )\n\tSetColor( 10 AB C )\n\tExit\n" +
          ref + "\n\tReturn\nEnd15\n\n; unknown record: 0x77\n");
}

TEST(MarkerSection, TopLevelRecords) {
  BglBuilder b = DecoderBuilder();
  OneLatRange(b, 16);
  ByteWriter& w = b.Body();
  w.U8(4).U8(0).U24(kN18).U24(kE45).U16(150).U8(0);
  w.U8(6).U8(0).U24(kS18).U24(kW90).U16(0).U8(0);
  w.U8(7).U8(0).U24(kN18).U24(kE45).U24(3 * 256 + 128);
  w.U24(kS18).U24(kW90).U24(0x800000).U8(0).U8(0);
  w.TextZ("ILS 27 (X)").U8(0x49).U8(0x1B);
  w.U8(100).U8(0).U24(kN18).U24(kS18).U24(kE45).U24(kW90).U16(5).U8(2).U8(3);
  w.U8(230).U8(0).U32(0).U16(9).U16(2).U16(0).U32(3 * 65536);
  w.U32(0x10000000).U32(0x20000000).U32(0).U32(0xC0000000u);
  w.U8(230).U8(0).U32(0).U16(2).U16(0).U16(0).U32(0);
  w.U8(0x55).U8(0);
  auto r = RunMulti(b);
  EXPECT_EQ(File(r, "bgt16-1"),
            Block(16, "IMO Marker, Landme", kDecoderHeaderBlock) + kLatRangeLine +
                "\tIM( N18:0:0.00 E45:0:0.00 150 )\n\tOM( S18:0:0.00 W90:0:0.00 0 )\n"
                "LandMe( N18:0:0.00 E45:0:0.00 3.50 9L\n\tS18:0:0.00 W90:0:0.00 32768.00 "
                "27\n\tILS_27_{X} )\n"
                "\tTimeZone( N18:0:0.00 S18:0:0.00 E45:0:0.00 W90:0:0.00 5 2 3 )\n"
                "\tFlattenPoly( 9 2 3.000000\n\t\tN22:30:0.00 E45:0:0.00\n\t\tS0:0:0.00 "
                "E270:0:0.00\n\t)\n"
                "\tFlattenPoly( FEMT_LAKE 0 0.000000\n\t)\n"
                ";;; unknown record: 0x55\n");
}

TEST(MarkerSection, Area16RecordsAndAZeroLengthArea) {
  BglBuilder b = DecoderBuilder();
  OneLatRange(b, 16);
  ByteWriter& w = b.Body();
  ForwardJumps jumps{b, {}};
  size_t area = b.Here();
  w.U8(101).U8(0).U24(kN18).U24(kS18).U24(kE45).U24(kW90);
  jumps.Op({0x77, 0}).U16(1).U16(2).U16(0).U32(131072).U16(0).I32(kNorth).U16(0).U32(kEast);
  w.U16(0).U32(99);
  jumps.Op({0x2F, 0}).U16(3).U16(4).U16(0).U32(0).U16(0).I32(-kNorth).U16(0).U32(kWest);
  w.U16(0).U32(99);
  w.U8(0x71).U8(0).I16(-20);
  jumps.Op({0x24, 0}).U16(0x1A).U16(1).U16(9);
  jumps.Op({0x33, 0}).U16(0x4000).U16(0x8000).U16(0);
  jumps.Op({0x39, 0}).U16(0x1A).U16(0xFF);
  jumps.Op({0x54, 0}).U16(0x2B);
  jumps.Op({0x70, 0}).U16(2).I16(1).I16(-2).I16(3).I16(4);
  jumps.Op({0x0D, 0});
  uint32_t ret = static_cast<uint32_t>(b.Here());
  w.U8(0x22).U8(0);
  w.Data()[area + 1 - b.HeaderLength()] = static_cast<uint8_t>(b.Here() - area);
  jumps.PatchTo(ret);
  uint32_t second = static_cast<uint32_t>(b.Here());
  w.U8(101).U8(0).U24(kN18).U24(kS18).U24(kE45).U24(kW90).U8(0x71).U8(0).I16(5).U8(0);
  auto r = RunMulti(b);
  const std::string ref = Label(ret);
  const std::string area16 = "Area16( N18:0:0.00 S18:0:0.00 E45:0:0.00 W90:0:0.00 )\n";
  EXPECT_EQ(File(r, "bgt16-1"),
            Block(16, "IMO Marker, Landme", kDecoderHeaderBlock) + kLatRangeLine + area16 +
                "\tRefPoint( 7 " + ref +
                " 0.500000 N45:0:0.00 E90:0:0.00 v1= 1 v2= 2 )\n\tRefPoint( 2 " + ref +
                " 65536.000000 S45:0:0.00 W90:0:0.00 E= 99 v1= 3 v2= 4 )\n\tSetElevation( -20 )\n"
                "\tIfVarRange( " +
                ref + " 1A 1 9 )\n\tRotatedCall( " + ref +
                " 90.00 180.00 0.00 )\n"
                "\tIfVarAnd( " +
                ref + " 1A FF )\n\tCallAsm( " + ref + " 2B )\n\tSenseBorder( " + ref +
                "\n\t\t1 -2\n\t\t3 4\n\t)\n\tJump( " + ref + " )\n" + ref +
                "\n\tReturn\nEnd16\n\n" + area16 +
                "\tSetElevation( 5 )\n;;;;; EndA Overrun. (now:0x" + Fmt("%x", second + 18) +
                ", enda:0x" + Fmt("%x", second) + "\nEnd16\n\n");
}

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

TEST(DynamicAndMarkerSections, RecordsByOperandShape) {
  const std::vector<Case> cases = {
      {"gear zero", Op1(0x04).U8(0).Data(), "\tGear( 0 )\n"},
      {"heading", Op1(0x07).U16(0x8000).Data(), "\tHeading( 180.000000 )\n"},
      {"move", Op1(0x12).U16(1).I16(-1).Data(), "\tMoveX( 1 -1 )\n"},
      {"move two", Op1(0x16).U16(1).U16(2).I16(-3).Data(), "\tMoveXZ( 1 2 -3 )\n"},
      {"move 3D", Op1(0x18).U16(1).U16(2).U16(3).U16(4).Data(), "\tMove3D( 1 2 3 4 )\n"},
      {"accelerate two", Op1(0x1C).U16(1).U16(8192).U16(2).U16(3).Data(),
       "\tAccelerateXY( 1 2.00 2 3 )\n"},
      {"accelerate 3D", Op1(0x1F).U16(1).U16(2048).U16(1).U16(2).U16(3).Data(),
       "\tAccelerate3D( 1 0.50 1 2 3 )\n"},
      {"latitude reference", Op1(0x34).U16(0).I32(Lat32Raw(45)).Data(), "\tLatRef( N45:0:0.00 )\n"},
      {"move to position",
       Op1(0x39).Bytes(Pos48().U16(0).U32(7).U32(0x40000000).Data()).U32(0x80000000u).U32(0).Data(),
       "\tMoveToPos1( N45:0:0.00 E90:0:0.00 7 90.000000 180.000000 0.000000 )\n"},
      {"refuel", Op1(0x3E).I32(-1).Data(), "\tRefuel( -1 )\n"},
      {"ACS", Op1(0x42).U8(3).Data(), "\tACS( 3 )\n"},
      {"unknown", Op1(0x05).Data(), ";;; unknown record id: 0x5\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(DynamicText(c.bytes), c.text) << c.what;
  // A record of the procedural table that Area16 blocks do not take.
  EXPECT_EQ(MarkerAreaText(Op(0x0A).Data()),
            ";;; unknown record id: 0xa\n;;; unknown record id: 0x0\n");
}

}  // namespace
}  // namespace bgltest
