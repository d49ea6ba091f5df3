// The text shared by the decoders: LatRange subtables, section 0's latitude
// bands, and a label that the Collect pass never registered.
#include <gtest/gtest.h>

#include "bgltext/procedural_handlers.h"
#include "tests/bgltext/run_helpers.h"

namespace bgltest {
namespace {

constexpr char kRangeA[] = "LatRange( N18:52:15.84 S75:29:3.34 )\n";  // words 0x1000, 0xC000
constexpr char kRangeB[] = "LatRange( N75:29:3.34 N75:29:3.34 )\n";   // words 0x4000, 0x4000

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

TEST(Labels, MissingLabelIsAFatalError) {
  // A jump decoded in the Print pass alone: its target was never registered.
  auto r = RunHandler(*bgltext::ProceduralTable().Find(0x0D), Op(0x0D).I16(0x1234).Data());
  EXPECT_EQ(r.fatalStatus, 1);
  EXPECT_EQ(r.console, "Internal error : no label(0x1234)\n");
}

// Ninety-nine entries are taken, other bytes between them passed over; the
// hundredth entry overflows the subtable and ends the section.
TEST(LatRange, NinetyNineEntriesBetweenOtherBytesAndTheHundredthOverflows) {
  for (int entries : {99, 100}) {
    BglBuilder b;
    b.BeginSection(14);
    for (int i = 0; i < entries; ++i) {
      if (i % 10 == 0) b.Body().U8(7);
      b.Body().U8(21).U16(0x1000).U16(0x1000).U32(entries * 9 + 10);  // the subtable's end byte
    }
    b.Body().U8(0);
    auto r = RunBgl(b.Build(), MultiOptions());
    EXPECT_EQ(r.status, 0) << r.console;
    if (entries == 99) {
      EXPECT_NE(r.console.find("\tLatRange 98\n\tLatRange 99\nAnalyzing section 15"),
                std::string::npos);
      EXPECT_EQ(MultiText(r, "bgt14-99.sca"),
                Block(14, "NDB", "Header( 1 S0:0:0.00 S0:0:0.00 W0:0:0.00 W0:0:0.00 )\n") +
                    "LatRange( N18:52:15.84 N18:52:15.84 )\n");
    } else {
      EXPECT_NE(r.console.find("Analyzing section 14...\nsubtable overflow.\n"
                               "Analyzing section 15... does not exist\n"),
                std::string::npos)
          << r.console;
      EXPECT_EQ(r.files.count(MultiPath("bgt14-1.sca")), 0u);
      EXPECT_TRUE(EndsWith(r.console, "Done.\n\n"));
    }
  }
}

}  // namespace
}  // namespace bgltest
