// The text shared by the decoders: LatRange files and section 0's latitude
// bands, labels of jump targets in both passes, area ends, and a label that
// the Collect pass never registered.
#include <gtest/gtest.h>

#include "bgltext/procedural_handlers.h"
#include "tests/bgltext/run_helpers.h"
#include "tests/bgltext/scenery_program_writer.h"

namespace bgltest {
namespace {

// ---- LatRange files and latitude bands ------------------------------------

// Section 14 with the given LatRange words; every entry has no records.
std::vector<uint8_t> LatRangeFile(const std::vector<std::pair<uint16_t, uint16_t>>& ranges) {
  BglBuilder b = UsualBuilder();
  b.BeginSection(14);
  uint32_t records = static_cast<uint32_t>(ranges.size() * 9 + 1);
  for (auto [a, c] : ranges) b.Body().U8(21).U16(a).U16(c).U32(records);
  b.Body().U8(0).U8(0);
  return b.Build();
}
constexpr char kRangeA[] = "LatRange( N18:52:15.84 S75:29:3.34 )\n";  // words 0x1000, 0xC000
constexpr char kRangeB[] = "LatRange( N75:29:3.34 N75:29:3.34 )\n";   // words 0x4000, 0x4000

TEST(LatRange, OneFilePerEntryWithHeaderBlockAndLatRangeLine) {
  auto file = LatRangeFile({{0x1000, 0xC000}, {0x4000, 0x4000}});
  auto r = RunBgl(file, MultiOptions());
  EXPECT_EQ(r.status, 0);
  const std::string block = Block(14, "NDB", kUsualHeaderBlock);
  EXPECT_EQ(MultiText(r, "bgt14-1.sca"), block + kRangeA);
  EXPECT_EQ(MultiText(r, "bgt14-2.sca"), block + kRangeB);
  EXPECT_NE(r.console.find("Analyzing section 14...\n\tLatRange 1\n\tLatRange 2\n"),
            std::string::npos);
  EXPECT_TRUE(EndsWith(MultiText(r, "bglbind.ctl"), "bgt14-1.bgl\nbgt14-2.bgl\n"));
  // In one file the bounds block comes once, before the first section.
  EXPECT_TRUE(EndsWith(SingleText(RunBgl(file)), std::string("\n") + kUsualHeaderBlock + "\n" +
                                                     kRule + ";;; section 14 - NDB\n" + kRangeA +
                                                     "\n" + kRule + ";;; section 14 - NDB\n" +
                                                     kRangeB));
}

TEST(LatRange, NinetyNineEntriesAcceptedAndTheHundredthOverflows) {
  auto ok = RunBgl(LatRangeFile({99, {0x1000, 0x1000}}), MultiOptions());
  EXPECT_EQ(ok.status, 0);
  EXPECT_EQ(ok.files.count(MultiPath("bgt14-99.sca")), 1u);
  EXPECT_EQ(ok.console.find("subtable overflow."), std::string::npos);

  auto over = RunBgl(LatRangeFile({100, {0x1000, 0x1000}}), MultiOptions());
  EXPECT_EQ(over.status, 0);  // the NDB section ends; the run goes on
  EXPECT_NE(over.console.find("Analyzing section 14...\nsubtable overflow.\n"
                              "Analyzing section 15... does not exist\n"),
            std::string::npos)
      << over.console;
  EXPECT_EQ(over.files.count(MultiPath("bgt14-1.sca")), 0u);
  EXPECT_TRUE(EndsWith(over.console, "Done.\n\n"));
}

// VOR/ILS section: two frequencies; the first lists bands A and B, the second
// band A again. Each band holds one record that the program does not know.
std::vector<uint8_t> BandFile() {
  BglBuilder b = UsualBuilder();
  b.Frequencies(0, 1).BeginSection(0);
  ByteWriter& w = b.Body();
  w.U8(1).U32(11).U8(1).U32(30).U8(0);             // frequency table, 11 bytes
  w.U8(21).U16(0x1000).U16(0xC000).U32(40);        // 11: band A
  w.U8(21).U16(0x4000).U16(0x4000).U32(42).U8(0);  // 20: band B
  w.U8(21).U16(0x1000).U16(0xC000).U32(44).U8(0);  // 30: band A again
  w.U8(9).U8(0).U8(10).U8(0).U8(11).U8(0);         // 40, 42, 44: records
  return b.Build();
}

TEST(LatitudeBands, RepeatedBandIsAppendedToItsFirstFile) {
  auto r = RunBgl(BandFile(), MultiOptions());
  EXPECT_EQ(r.status, 0) << r.console;
  const std::string block = Block(0, "VOR, ILS", kUsualHeaderBlock);
  EXPECT_EQ(MultiText(r, "bgt0-0.sca"),
            block + kRangeA + ";;; unknown record (0x9)\n;;; unknown record (0xb)\n");
  EXPECT_EQ(MultiText(r, "bgt0-1.sca"), block + kRangeB + ";;; unknown record (0xa)\n");
  EXPECT_EQ(MultiText(r, "compall.bat"),
            "rem - compile batch file genereted by bgltext\nscasm bgt0-0.sca bgt0-0.bgl\n"
            "scasm bgt0-1.sca bgt0-1.bgl\n");
  // In one file the repeated band follows at once, without an empty line.
  EXPECT_TRUE(EndsWith(SingleText(RunBgl(BandFile())),
                       std::string("\n") + kUsualHeaderBlock + "\n" + kRule +
                           ";;; section 0 - VOR, ILS\n" + kRangeA + ";;; unknown record (0x9)\n\n" +
                           kRule + ";;; section 0 - VOR, ILS\n" + kRangeB +
                           ";;; unknown record (0xa)\n;;; unknown record (0xb)\n"));
}

// ---- labels of jump targets -----------------------------------------------

// Procedural section. Entry 1: an area of "Jump X; Y: Return; Jump X; Jump Y"
// where X is the byte after the area. Entry 2: an area that a Jump to itself
// overruns.
std::vector<uint8_t> AreaFile(uint32_t* first, uint32_t* second) {
  BglBuilder b = UsualBuilder();
  uint32_t s = b.BeginSection(9);
  ByteWriter& w = b.Body();
  w.U8(21).U16(0x1000).U16(0xC000).U32(19).U8(21).U16(0x4000).U16(0x4000).U32(45).U8(0);
  *first = s + 19;
  w.U8(4).U32(5000875).U32(0x20000000).U8(3).U8(25);     // area, 25 bytes
  w.U8(0x0D).U8(0).I16(14).U8(0x22).U8(0);               // +11 Jump X, +15 Return
  w.U8(0x0D).U8(0).I16(8).U8(0x0D).U8(0).I16(-6).U8(0);  // +17 Jump X, +21 Jump Y
  *second = s + 45;
  w.U8(4).U32(5000875).U32(0x20000000).U8(3).U8(14);  // area, 14 bytes
  w.U8(0x0D).U8(0).I16(0).U8(0);                      // Jump 0 crosses the end
  return b.Build();
}

TEST(Labels, AreaEndsOffsetAndSequencedLabels) {
  uint32_t a1 = 0, a2 = 0;
  std::vector<uint8_t> bytes = AreaFile(&a1, &a2);
  auto r = RunBgl(bytes, MultiOptions());
  EXPECT_EQ(r.status, 0) << r.console;
  const std::string block = Block(9, "Procedural scenery", kUsualHeaderBlock);
  const std::string area = "Area( 4 N45:0:0.00 E45:0:0.00 3 )\n";
  const std::string x = Label(a1 + 25), y = Label(a1 + 15), z = Label(a2 + 11);
  // One label line per target; the label of the byte after the area comes
  // before the closing line.
  EXPECT_EQ(MultiText(r, "bgt9-1.sca"), block + kRangeA + area + "\tJump( " + x + " )\n" + y +
                                            "\n\tReturn\n\tJump( " + x + " )\n\tJump( " + y +
                                            " )\n" + x + "\nEndA\n\n;;;;; End of LatRange\n");
  EXPECT_EQ(MultiText(r, "bgt9-2.sca"),
            block + kRangeB + area + z + "\n\tJump( " + z + " )\n" +
                Fmt(";;;;; EndA Overrun. (now:0x%x, enda:0x%x\n", a2 + 15, a2 + 14) +
                "EndA\n\n;;;;; End of LatRange\n");
  // Sequence numbers follow the order in which jumps are met, and start
  // again in every file.
  bgltext::RunOptions options = MultiOptions();
  options.sequencedLabels = true;
  r = RunBgl(bytes, options);
  EXPECT_EQ(MultiText(r, "bgt9-1.sca"),
            block + kRangeA + area +
                "\tJump( :L0 )\n:L1\n\tReturn\n\tJump( :L0 )\n\tJump( :L1 )\n:L0\nEndA\n\n"
                ";;;;; End of LatRange\n");
  EXPECT_NE(MultiText(r, "bgt9-2.sca").find(area + ":L0\n\tJump( :L0 )\n"), std::string::npos);
}

TEST(Labels, MissingLabelIsAFatalError) {
  // A jump decoded in the Print pass alone: its target was never registered.
  auto r = RunHandler(*bgltext::ProceduralTable().Find(0x0D), Op(0x0D).I16(0x1234).Data());
  EXPECT_EQ(r.fatalStatus, 1);
  EXPECT_EQ(r.console, "Internal error : no label(0x1234)\n");
}

TEST(LatRange, OtherBytesInTheSubtableArePassedOver) {
  BglBuilder b;
  b.BeginSection(14);
  for (int i = 0; i < 99; ++i) {
    if (i % 10 == 0) b.Body().U8(7);
    b.Body().U8(21).U16(0x1000).U16(0x1000).U32(99 * 9 + 10);  // the subtable's end byte
  }
  b.Body().U8(0);
  auto r = RunBgl(b.Build(), MultiOptions());
  EXPECT_EQ(r.status, 0) << r.console;
  EXPECT_NE(r.console.find("\tLatRange 98\n\tLatRange 99\nAnalyzing section 15"),
            std::string::npos);
  EXPECT_EQ(MultiText(r, "bgt14-99.sca"),
            Block(14, "NDB", "Header( 1 S0:0:0.00 S0:0:0.00 W0:0:0.00 W0:0:0.00 )\n") +
                "LatRange( N18:52:15.84 N18:52:15.84 )\n");
}

}  // namespace
}  // namespace bgltest
