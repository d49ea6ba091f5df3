// The interpreted sections: procedural scenery (section 9) and library
// objects (section 10), whole areas and objects with their labels, then one
// record of each handler family and the switch record; sections 15 (dynamic
// scenery, one-byte opcodes in Area15 blocks) and 16 (markers, flatten
// polygons and Area16 blocks), whole units with their labels; an area
// overrun. In the record cases every record sits at offset 0x100 inside a
// section 9 area; jumps there point at the record itself, so its label line
// stands in front of it.
#include "tests/bgltext/run_helpers.h"

namespace bgltest {
namespace {

// Section 15: Area15 records and the close before an unknown top-level
// record; section 16: top-level records (a marker, flatten polygons),
// Area16 records and an area of length 0, whose records overrun it.
TEST(DynamicAndMarkerSections, AreaRecordsAndTopLevelRecords) {
  BglBuilder b = DecoderBuilder();
  OneLatRange(b, 15);
  ByteWriter& w = b.Body();
  w.U8(4).U16(0).U16(0x1000).U16(0x4000).U16(0xC000).U16(0);
  size_t afterN = b.Here();
  w.U16(0xF000).U16(0x0800).U16(0x2000).U16(0).Fill(24, 0x99);
  uint32_t gear = static_cast<uint32_t>(b.Here());
  w.U8(0x04).U8(5).U8(0x01).I16(0x4000).I16(32767).U8(0x24).I16(-7);
  w.U8(0x28).Bytes({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
  const size_t pattern = b.Here();  // its displacement word points at the Return
  w.U8(0x32).U8(0xAB).U8(0).U16(0).U16(0).U8(0x35);
  w.U8(0x33).U16(0).U24(kN36).U16(0).U16(0).U24(kW90).U16(32768).U16(10).U16(0);
  uint32_t call = static_cast<uint32_t>(b.Here());  // to the 24-bit latitude: no label line there
  w.U8(0x25).I16(6);
  w.U8(0x33).U16(0).U24(0x7FFFFF).U16(0).U16(0).U24(0).U16(0).U16(0).U16(
      0);  // wrapped, then halved
  const uint32_t ret15 = static_cast<uint32_t>(b.Here());
  w.U8(0x26);
  b.PatchBodyU16(afterN - 2, static_cast<uint32_t>(b.Here() - afterN));
  b.PatchBodyU16(pattern + 3, static_cast<uint32_t>(ret15 - pattern));
  w.U8(0x77).U8(0);
  OneLatRange(b, 16);
  w.U8(4).U8(0).U24(kN18).U24(kE45).U16(150).U8(0);
  w.U8(230).U8(0).U32(0).U16(9).U16(2).U16(0).U32(3 * 65536);
  w.U32(0x10000000).U32(0x20000000).U32(0).U32(0xC0000000u);
  w.U8(230).U8(0).U32(0).U16(2).U16(0).U16(0).U32(0);
  size_t area = b.Here();
  w.U8(101).U8(0).U24(kN18).U24(kS18).U24(kE45).U24(kW90);
  w.U8(0x71).U8(0).I16(-20);
  const size_t sense = b.Here(), jump = sense + 14;  // both to the Return
  w.U8(0x70).U8(0).U16(0).U16(2).I16(1).I16(-2).I16(3).I16(4);
  w.U8(0x0D).U8(0).U16(0);
  const uint32_t ret16 = static_cast<uint32_t>(b.Here());
  w.U8(0x22).U8(0);
  w.Data()[area + 1 - b.HeaderLength()] = static_cast<uint8_t>(b.Here() - area);
  b.PatchBodyU16(sense + 2, static_cast<uint32_t>(ret16 - sense));
  b.PatchBodyU16(jump + 2, static_cast<uint32_t>(ret16 - jump));
  uint32_t second = static_cast<uint32_t>(b.Here());
  w.U8(101).U8(0).U24(kN18).U24(kS18).U24(kE45).U24(kW90).U8(0x71).U8(0).I16(5);
  w.U8(0x55).U8(0);
  auto r = RunMulti(b);
  const std::string ref15 = Label(ret15), ref16 = Label(ret16);
  EXPECT_EQ(File(r, "bgt15-1.sca"),
            Block(15, "Dynamic scenery", kDecoderHeaderBlock) + kLatRangeLine +
                "Area15( S0:0:0.00 N18:52:15.84 E90:0:0.00 W90:0:0.00\n"
                "\tS18:52:15.84 N9:26:7.92 E45:0:0.00 W0:0:0.00 )\n" +
                Label(gear) + "\n\tGear( 1 )\n\tPitchTo( 90.00 180.00 )\n\tJump( " + Label(gear) +
                " )\n\t; SetPos(0x28)\n\tDbx( 28 1 2 3 4 5 6 7 8 9 A B C )\n"
                "\tPattern( " +
                ref15 +
                " 0AB 3 5 )\n"
                "\tSetPos( N18:0:0.00 W45:0:0.00 10.500000 )\n\tCall( " +
                Label(call + 6) + " )\n\tSetPos( S14:30:56.69 W0:0:0.00 0.000000 )\n" + ref15 +
                "\n\tReturn\nEnd15\n\n; unknown record: 0x77\n");
  const std::string area16 = "Area16( N18:0:0.00 S18:0:0.00 E45:0:0.00 W90:0:0.00 )\n";
  EXPECT_EQ(File(r, "bgt16-1.sca"),
            Block(16, "IMO Marker, Landme", kDecoderHeaderBlock) + kLatRangeLine +
                "\tIM( N18:0:0.00 E45:0:0.00 150 )\n"
                "\tFlattenPoly( 9 2 3.000000\n\t\tN22:30:0.00 E45:0:0.00\n\t\tS0:0:0.00 "
                "E270:0:0.00\n\t)\n"
                "\tFlattenPoly( FEMT_LAKE 0 0.000000\n\t)\n" +
                area16 + "\tSetElevation( -20 )\n\tSenseBorder( " + ref16 +
                "\n\t\t1 -2\n\t\t3 4\n\t)\n\tJump( " + ref16 + " )\n" + ref16 +
                "\n\tReturn\nEnd16\n\n" + area16 +
                "\tSetElevation( 5 )\n;;;;; EndA Overrun. (now:0x" + Fmt("%x", second + 18) +
                ", enda:0x" + Fmt("%x", second) + "\nEnd16\n\n;;; unknown record: 0x55\n");
}

// One area of procedural scenery: a self jump, a Seed, a backward jump of
// LandingLights into the Seed's operands, a raw-dump record, an unknown opcode,
// Return and a Call to the byte after the area, behind an unknown top-level
// record. Two LatRange entries decode the same records.
std::string ProceduralText(const std::string& self, const std::string& inner,
                           const std::string& after) {
  return Block(9, "Procedural scenery", kDecoderHeaderBlock) + kLatRangeLine +
         ";;; unknown record: 0x30\nArea( 4 N45:0:0.00 E90:0:0.00 3 )\n" + self + "\n\tJump( " +
         self + " )\n\tSeed( " + inner +  // the label stands inside the Seed's text
         "\nab 5 beef 100000 -2 -1 2 -3 4 )\n\tLandingLights( " + inner +
         " 1f 10 -5 7 )\n"
         ";;; Rec47(0x47) - SCASM does not support this record\n\tDbx( 47 99 2 1 )\n"
         ";;; unknown record id: 0x7b\n\tReturn\n\tCall( " +
         after + " )\n" + after + "\nEndA\n\n;;;;; End of LatRange\n";
}

// Without -seq labels name offsets; with it they are numbered in the order
// first met, again from 0 in each unit.
TEST(ProceduralSection, AreaRecordsLabelsAndTheCloseAfterTheArea) {
  BglBuilder b = DecoderBuilder();
  b.BeginSection(9);
  ByteWriter& w = b.Body();
  w.U8(21).U16(0xC000).U16(0x1000).U32(19).U8(21).U16(0xC000).U16(0x1000).U32(19).U8(0);
  w.U8(0x30);
  const uint32_t area = static_cast<uint32_t>(b.Here());
  w.U8(4).I32(kNorth).U32(kEast).U8(3).U8(62);
  w.U8(0x0D).U8(0).I16(0);                                                    // area + 11
  w.U8(0x3D).U8(0).U8(0xAB).U8(5).U16(0xBEEF).U32(100000).I32(-2).U16(9999);  // area + 15
  w.I16(-1).I16(2).I16(-3).I16(4);
  w.U8(0x4A).U8(0).I16(-22).U16(0x1F).I16(10).I16(-5).I16(7);  // area + 39
  w.U8(0x47).U8(0x99).U16(0x0102);                             // area + 51
  w.U8(0x7B).U8(0x22).U8(0);                                   // area + 55
  w.U8(0x23).U8(0).I16(4);                                     // area + 58
  w.U8(0);                                                     // area + 62
  for (bool seq : {false, true}) {
    auto r = RunMulti(b, seq);
    const std::string text =
        seq ? ProceduralText(":L0", ":L1", ":L2")
            : ProceduralText(Label(area + 11), Label(area + 17), Label(area + 62));
    EXPECT_EQ(File(r, "bgt9-1.sca"), text);
    EXPECT_EQ(File(r, "bgt9-2.sca"), text);
  }
}

// Records 5, 8, 11 and 13 give the area's length in a word.
TEST(ProceduralSection, AnAreaWithAWordLength) {
  ByteWriter unit;
  unit.U8(5).I32(Lat32Raw(45)).U32(Lon32Raw(90)).U8(2).U16(12 + 2).U8(0x22).U8(0).U8(0);
  EXPECT_NE(
      SingleText(RunBgl(LatRangeImage(9, 0x100 - 12, unit.Data())))
          .find("Area( 5 N45:0:0.00 E90:0:0.00 2 )\n\tReturn\nEndA\n\n;;;;; End of LatRange\n"),
      std::string::npos);
}

TEST(LibraryObjects, ObjectHeaderAndRecordFormats) {
  BglBuilder b = DecoderBuilder();
  b.BeginSection(10);
  ByteWriter& w = b.Body();
  w.U32(40).U32(1).U32(0xABCD).U32(0).U32(0xFFFFFFFFu).U32(0).Fill(16, 0x55);
  size_t obj = b.Here();
  w.Fill(16, 0xEE).U8(7).U32(41 + 8).U32(0).U32(250).U32(65536).U32(0x1F).U32(3).Text("Tower").Fill(
      3);
  uint32_t first = static_cast<uint32_t>(b.Here());
  w.U8(0x0A).U8(0).I16(1).I16(-2).I16(3).U16(0x5555);
  uint32_t jump = static_cast<uint32_t>(b.Here());
  w.U8(0x88).U8(0).I32(static_cast<int32_t>(first - jump));
  w.U8(0x63).U8(0).U16(5).U32(1).U32(0xA).U32(0xB).U32(0xC).U8(0x22).U8(0);
  b.PatchBodyU32(obj + 21, static_cast<uint32_t>(b.Here() - obj));
  w.U8(0x7B);  // after the object's end: never read
  auto r = RunMulti(b);
  EXPECT_EQ(File(r, "bgt10.sca"),
            "ObjID( 00000001 0000ABCD 00000000 FFFFFFFF )\n"
            "LibObj( PWR 7 SIZE 250 SCALE 1.000000 TYPE 0x1f PROP 3 NAME \"Tower\" )\n" +
                Label(first) + "\n\tMoveTo( 1 -2 3 )\n\tJump32( " + Label(first) +
                " )\n\tCallLibObj( 5 1 A B C )\n\tReturn\nEndObj\n\n\n");
}

// The text of a single-file run on the records from the Area line up to
// its close.
std::string DecodeRecords(const std::vector<uint8_t>& records) {
  auto r = RunBgl(ProceduralImage(records));
  EXPECT_EQ(r.status, 0) << r.console;
  const std::string text = SingleText(r), opening = "Area( 6 N45:0:0.00 E90:0:0.00 0 )\n";
  const size_t at = text.find(opening), end = text.rfind("EndA\n\n;;;;; End of LatRange\n");
  if (at == std::string::npos || end == std::string::npos || end < at) return "<no area>";
  return text.substr(at + opening.size(), end - at - opening.size());
}

// Appends 16-bit words (negative ones as two's complement).
ByteWriter W(ByteWriter w, std::initializer_list<int> words) {
  for (int v : words) w.U16(static_cast<uint32_t>(v) & 0xFFFF);
  return w;
}
ByteWriter W(uint8_t opcode, std::initializer_list<int> words) { return W(Op(opcode), words); }

TEST(ProceduralRecords, OneRecordOfEachHandlerFamily) {
  const std::pair<ByteWriter, const char*> cases[] = {
      // Operand descriptions.
      {W(0x40, {0xCDAB}), "\tShadowPosInd( cdab )\n"},
      {Op(0x89).U32(0x1234ABCD), "\tVarBase( 1234abcd )\n"},
      {W(0xA1, {1, 2, 0, 0}), ":L00000100\n\tRegisterBitmapClass( 1 2 :L00000100 )\n"},
      // Drawing.
      {W(0x18, {1, 2, 3, 4}).Text("RUNWAY  BMP ").U16(0), "\tBitmap( RUNWAY.BMP 1 2 3 4 )\n"},
      {W(0x3E, {2, 1, 2, 3, 32767, 0, -1, 5}), "\tPoly( m 1 2 3 1.000000   -1 5 )\n"},
      // Control flow.
      {W(0x25, {0, 1, 2, 3, -32767, -1}),
       ":L00000100\n\tVectorJump( :L00000100 m 1 2 3 -1.000000 )\n"},
      // Objects.
      {Op(0x8C).Bytes({1, 2, 3, 4, 5, 6, 2}),  // a length below its own three bytes
       "; SubRoutine Call from FSASMLIB.DLL\n\tDbx( 8C 0 )\n\tDbx( 1 2 3 4 5 6 )\n\tDbx( 2 )\n"
       "\tDbx( )\n"},
      {W(0x43, {112, 0xA, 2}).Bytes({1, 2, 3, 4}).Fill(100, 'x'),  // a name too long to keep
       "\tLoadBitmap( a 2 2 1 3 4 invalid )\n"},
      {W(0xA0, {0, 7, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20}),
       "\tAdvBldg( PEAKED 1 2\n\t\tLEVEL1\t3\t4\t5\t\t6\n\t\tLEVEL2\t7\t8\t9\t10\t11\n"
       "\t\tLEVEL3\t12\t13\t14\t\t15\n\t\tROOF\t16\t\t17\t\t18\t19\t20\n\t)\n"},
      // Runways (the runway of the library objects has the other layout).
      {W(W(0x72, {0x4000, 45, 3000}).Bytes({0xA, 1, 2, 3}), {0x0201, -5, 6, 7}),
       "\tRunwayLights(\n\t\theading\t90.00\n\t\tlength\t3000\n\t\twidth\t45\n\t\tTHRLights\t0a\n"
       "\t\tAprL\t1\n\t\tStrobes\t2\n\t\tVasiBars\t3\n\t\tVasiSlope\t2.82\n\t\tVasiSide\t-5\n"
       "\t\tVasiDist\t6\n\t\tVasiSpace\t7\n\t\t)\n"},
      // Switch (count 2, variable 0xA, default +0xE, targets +0xC, +0) at 0x100, then Returns
      // at 0x10C and 0x10E.
      {W(0x03, {2, 0xA, 0xE, 0xC, 0, 0x22, 0x22}),
       ":L00000100\n\t;;; Switch instruction is not implemented in scasm.\n"
       "\t;;; So bgltext simulates this by IfVarRange.\n"
       "\tIfVarRange( :L0000010C A 0 0 )\n\tIfVarRange( :L00000100 A 1 1 )\n\tJump( :L0000010E "
       ")\n\n"
       ":L0000010C\n\tReturn\n:L0000010E\n\tReturn\n"},
      // PatternLine's raw dump covers just its opcode word.
      {Op(0x36), ";;; PatternLine(0x36) - SCASM does not support this record\n\tDbx( 36 0 )\n"},
  };
  for (const auto& [bytes, text] : cases) EXPECT_EQ(DecodeRecords(bytes.Data()), text);
}

}  // namespace
}  // namespace bgltest
