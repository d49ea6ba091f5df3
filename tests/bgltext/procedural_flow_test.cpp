// Procedural scenery as programs: jumps forwards, backwards and to
// themselves, labels inside records, the switch record, the area end check,
// end of data, and section 10's library objects in both header layouts.
#include <gtest/gtest.h>

#include "tests/bgltext/run_helpers.h"
#include "tests/bgltext/scenery_program_writer.h"

namespace bgltest {
namespace {

std::string AreaText(const std::vector<uint8_t>& image, bgltext::RunOptions options = {}) {
  auto r = RunBgl(image, options);
  EXPECT_EQ(r.status, 0) << r.console;
  return Between(SingleText(r), kProceduralAreaLine, "EndA\n\n;;;;; End of LatRange\n");
}

std::vector<uint8_t> Join(std::initializer_list<std::vector<uint8_t>> parts) {
  std::vector<uint8_t> out;
  for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

TEST(ProceduralFlow, JumpsForwardsBackwardsAndToThemselves) {
  // 0x100 Jump +6 -> 0x106; 0x104 Return; 0x106 Return.
  EXPECT_EQ(AreaText(ProceduralImage(Join({Op(0x0D).I16(6).Data(), Op(0x22).Data(), Op(0x22).Data()}))),
            "\tJump( :L00000106 )\n\tReturn\n:L00000106\n\tReturn\n");
  // 0x100 Return; 0x102 Call -2 -> 0x100.
  EXPECT_EQ(AreaText(ProceduralImage(Join({Op(0x22).Data(), Op(0x23).I16(-2).Data()}))),
            ":L00000100\n\tReturn\n\tCall( :L00000100 )\n");
  EXPECT_EQ(AreaText(ProceduralImage(Op(0x0D).I16(0).Data())), ":L00000100\n\tJump( :L00000100 )\n");
  // 32-bit displacement: 0x100 Jump32 +6 -> 0x106.
  EXPECT_EQ(AreaText(ProceduralImage(Join({Op(0x88).I32(6).Data(), Op(0x22).Data()}))),
            "\tJump32( :L00000106 )\n:L00000106\n\tReturn\n");
}

TEST(ProceduralFlow, LabelInsideARecordStandsInsideItsText) {
  // 0x100 Jump -> 0x110, the second point of the Points record at 0x104.
  auto image = ProceduralImage(Join({Op(0x0D).I16(0x10).Data(), Op(0x1A).U16(0).U16(2).U16(1).U16(2).U16(3)
                                                                    .U16(4).U16(5).U16(6).Data()}));
  EXPECT_EQ(AreaText(image), "\tJump( :L00000110 )\n\tPoints( 0\n\t\t1 2 3\n:L00000110\n\t\t4 5 6\n\t)\n");
}

TEST(ProceduralFlow, SequencedLabelsFollowTheOrderTargetsAreMet) {
  // Two jumps to 0x10C, then one back to 0x100: 0x10C is met first.
  auto image = ProceduralImage(Join({Op(0x0D).I16(0xC).Data(), Op(0x0D).I16(8).Data(), Op(0x0D).I16(-8).Data(),
                                     Op(0x22).Data()}));
  bgltext::RunOptions seq;
  seq.sequencedLabels = true;
  EXPECT_EQ(AreaText(image, seq), ":L1\n\tJump( :L0 )\n\tJump( :L0 )\n\tJump( :L1 )\n:L0\n\tReturn\n");
  EXPECT_EQ(AreaText(image),
            ":L00000100\n\tJump( :L0000010C )\n\tJump( :L0000010C )\n\tJump( :L00000100 )\n:L0000010C\n\tReturn\n");
}

TEST(ProceduralFlow, SwitchIsWrittenAsVariableTests) {
  // 0x100 Switch (count 2, variable 0xA, default +0xE, targets +0xC, +0):
  // 12 bytes; 0x10C Return; 0x10E Return.
  auto image = ProceduralImage(Join({Op(0x03).U16(2).U16(0xA).I16(0xE).I16(0xC).I16(0).Data(), Op(0x22).Data(),
                                     Op(0x22).Data()}));
  EXPECT_EQ(AreaText(image),
            ":L00000100\n\t;;; Switch instruction is not implemented in scasm.\n"
            "\t;;; So bgltext simulates this by IfVarRange.\n"
            "\tIfVarRange( :L0000010C A 0 0 )\n\tIfVarRange( :L00000100 A 1 1 )\n\tJump( :L0000010E )\n\n"
            ":L0000010C\n\tReturn\n:L0000010E\n\tReturn\n");
}

TEST(ProceduralFlow, AreaEndsExactlyOrWithAnOverrunComment) {
  auto exact = RunBgl(ProceduralImage(Op(0x22).Data()));
  EXPECT_EQ(SectionBody(SingleText(exact), 9),
            "LatRange( S0:0:0.00 S0:0:0.00 )\nArea( 6 N45:0:0.00 E90:0:0.00 0 )\n\tReturn\nEndA\n\n"
            ";;;;; End of LatRange\n");
  // The area is 2 bytes short: the 4-byte record crosses its end.
  auto over = RunBgl(ProceduralImage(Op(0x0F).U16(1).Data(), -2));
  EXPECT_EQ(SectionBody(SingleText(over), 9),
            "LatRange( S0:0:0.00 S0:0:0.00 )\nArea( 6 N45:0:0.00 E90:0:0.00 0 )\n\tMoveToPt( 1 )\n"
            ";;;;; EndA Overrun. (now:0x104, enda:0x102\nEndA\n\n;;;;; End of LatRange\n");
  // A label at the byte after the area is written before the closing line.
  auto closing = RunBgl(ProceduralImage(Op(0x0D).I16(4).Data()));
  EXPECT_EQ(Between(SingleText(closing), kProceduralAreaLine, ";;;;; End of LatRange\n"),
            "\tJump( :L00000104 )\n:L00000104\nEndA\n\n");
}

TEST(ProceduralFlow, TopLevelBytesAndEndOfData) {
  // Outside an area: an unknown byte, then 23 ends the walk.
  auto image = LatRangeImage(9, kRecordsAt, {0x30, 23});
  auto r = RunBgl(image);
  EXPECT_EQ(SectionBody(SingleText(r), 9),
            "LatRange( S0:0:0.00 S0:0:0.00 )\n;;; unknown record: 0x30\n;;;;; End of LatRange\n");
  // A record cut by the end of the image ends the pass with EOF!!!; the run goes on.
  auto cut = ProceduralImage(Op(0x0E).U16(1).Data());
  cut.resize(cut.size() - 3);
  r = RunBgl(cut);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(SectionBody(SingleText(r), 9), "LatRange( S0:0:0.00 S0:0:0.00 )\nArea( 6 N45:0:0.00 E90:0:0.00 0 )\nEOF!!!\n");
}

// Section 10: one object with one Return record, and a jump inside it.
std::vector<uint8_t> LibraryImage(bool fs98) {
  BglBuilder b;
  uint32_t s = b.BeginSection(10);
  b.Body().U32(0x28).U32(1).U32(2).U32(3).U32(4).U32(0);
  b.Body().Fill(s + 0x28 - b.Here());
  uint32_t objectStart = static_cast<uint32_t>(b.Here());
  b.Body().Fill(16).U8(5);
  ByteWriter records;
  records.Bytes(Op(0x0D).I16(4).Data()).Bytes(Op(0x22).Data());
  if (fs98) {
    b.Body().U16(16 + 1 + 2 + static_cast<uint32_t>(records.Size()));
  } else {
    b.Body().U32(41 + 8).U32(41 + 8 + static_cast<uint32_t>(records.Size())).U32(100).U32(0x10000).U32(2).U32(3);
    b.Body().TextZ("OBJ").Fill(4);
  }
  uint32_t recordsAt = static_cast<uint32_t>(b.Here());
  b.Body().Bytes(records.Data());
  EXPECT_EQ(recordsAt - objectStart, fs98 ? 19u : 49u);
  return b.Build();
}

TEST(ProceduralFlow, LibraryObjectsInBothHeaderLayouts) {
  auto full = RunBgl(LibraryImage(false), MultiOptions());
  ASSERT_EQ(full.status, 0) << full.console;
  // Records at 0x80 + 0x28 + 49 = 0xD9.
  EXPECT_EQ(MultiText(full, "bgt10.sca"),
            "ObjID( 00000001 00000002 00000003 00000004 )\n"
            "LibObj( PWR 5 SIZE 100 SCALE 1.000000 TYPE 0x2 PROP 3 NAME \"OBJ\" )\n"
            "\tJump( :L000000DD )\n:L000000DD\n\tReturn\nEndObj\n\n\n");
  bgltext::RunOptions fs98 = MultiOptions();
  fs98.fs98Library = true;
  auto old = RunBgl(LibraryImage(true), fs98);
  ASSERT_EQ(old.status, 0) << old.console;
  // Records at 0x80 + 0x28 + 19 = 0xBB.
  EXPECT_EQ(MultiText(old, "bgt10.sca"),
            "ObjID( 00000001 00000002 00000003 00000004 )\nLibObj1( 1 2 3 4 5 )\n"
            "\tJump( :L000000BF )\n:L000000BF\n\tReturn\nEndObj\n\n\n");
}

TEST(ProceduralFlow, LibraryNameLongerThanItsAreaIsWrittenWhole) {
  BglBuilder b;
  uint32_t s = b.BeginSection(10);
  b.Body().U32(0x18).U32(0).U32(0).U32(0).U32(0).U32(0);
  b.Body().Fill(s + 0x18 - b.Here());
  std::string name(150, 'n');
  b.Body().Fill(16).U8(1).U32(41 + 151).U32(41 + 151).U32(1).U32(0x20000).U32(0).U32(0).TextZ(name);
  auto r = RunBgl(b.Build(), MultiOptions());
  EXPECT_EQ(MultiText(r, "bgt10.sca"),
            "ObjID( 00000000 00000000 00000000 00000000 )\n"
            "LibObj( PWR 1 SIZE 1 SCALE 0.500000 TYPE 0x0 PROP 0 NAME \"" + name + "\" )\nEndObj\n\n\n");
}

}  // namespace
}  // namespace bgltest
