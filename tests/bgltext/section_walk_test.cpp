// The header lines and the coordinate text form, the walk over the section
// slots in one file and in many, LatRange subtables and their limit, the
// statuses of decoder failures, the output budget of a run and jumps
// outside the image. (Memory against hostile images: tests/faults; random,
// cut and mutated files: the fuzz targets, seeded with airport directories.)
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/bgltext/run_helpers.h"

namespace bgltest {
namespace {

// Degrees and minutes are truncated, seconds rounded: 99 degrees north
// wraps to 81 south; 0 is southern; 180 east stays east.
TEST(HeaderLines, EveryFieldInItsPlaceAndTheCoordinateTextForm) {
  const struct {
    int32_t north, south;
    uint32_t east, west;
    const char* text;
  } cases[] = {
      {11001925, 0, 0x80000000u, 0, "S81:0:0.00 S0:0:0.00 E180:0:0.00 W0:0:0.00"},
      {1, 1222436, 0x08000000u, 0xFFFFFFFFu, "N0:0:0.03 N10:59:60.00 E11:15:0.00 W0:0:0.00"},
  };
  for (const auto& c : cases) {
    BglBuilder b;
    b.SceneryId(0xBEEF).Bounds(c.north, c.south, c.east, c.west).Frequencies(0x12, 0xfe);
    for (int v = 0; v <= 8; ++v) b.Value(v, 0xA0 + v);
    b.Slot(17, 0x7fffffff);  // clamped to the end; section 17 is not decodable
    auto r = RunBgl(b.Build());
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(SingleText(r),
              HeaderLines(Slots({{17, 0x7fffffff}}), 0xbeef, c.text, 0x12, 0xfe, 0xa0) + "\n" +
                  Sorry(17));
  }
}

// One file separates the sections by one empty line; many files come with
// their control files.
TEST(SectionWalk, OneFileAndManyFiles) {
  auto r = RunBgl(WalkBuilder().Build());
  EXPECT_EQ(r.status, 0);
  std::string expected =
      HeaderLines(WalkSlots()) + "\n" + Sorry(7) + "\n" + kUsualHeaderBlock +
      "\n;;; ----------------------------\n;;; section 20 - Airport Facility Directory\n" +
      kWalkGuidLines + "\n" + Sorry(21);
  ASSERT_EQ(r.files.size(), 1u);  // no control files
  EXPECT_EQ(r.files.begin()->second, CrLf(expected));
  EXPECT_NE(r.console.find("Analyzing section 19... does not exist\nAnalyzing section 20...\n"
                           "Analyzing section 21...\n" +
                           Sorry(21)),
            std::string::npos)
      << r.console;

  r = RunBgl(WalkBuilder().Build(), MultiOptions());
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.files.size(), 6u);  // bgthead.txt, two control files and three sections
  EXPECT_EQ(File(r, "bgthead.txt"), HeaderLines(WalkSlots()));
  EXPECT_EQ(File(r, "bglbind.ctl"),
            "; bglbind control file genereted by bgltext\noutput.bgl\t; output file name\n"
            "bgt7.bgl\nbgt20.bgl\nbgt21.bgl\n");
  EXPECT_EQ(File(r, "compall.bat"),
            "rem - compile batch file genereted by bgltext\nscasm bgt7.sca bgt7.bgl\n"
            "scasm bgt20.sca bgt20.bgl\nscasm bgt21.sca bgt21.bgl\n");

  bgltext::RunOptions options = MultiOptions();
  options.terrasm = true;
  r = RunBgl(WalkBuilder().Build(), options);
  EXPECT_EQ(r.files.size(), 5u);  // bgthead.txt, main.trm and three sections
  EXPECT_EQ(File(r, "main.trm"),
            "// Genereted by bgltext\ninclude( bgt7.trm )\ninclude( bgt20.trm )\n"
            "include( bgt21.trm )\n");
}

// Ninety-nine entries are taken, other bytes between them passed over; the
// hundredth entry overflows the subtable and ends the section.
TEST(LatRange, NinetyNineEntriesBetweenOtherBytesAndTheHundredthOverflows) {
  for (auto [entries, console] :
       {std::pair{99, "\tLatRange 98\n\tLatRange 99\nAnalyzing section 15"},
        {100,
         "Analyzing section 14...\nsubtable overflow.\nAnalyzing section 15... does not "
         "exist\n"}}) {
    BglBuilder b;
    b.BeginSection(14);
    for (int i = 0; i < entries; ++i) {
      if (i % 10 == 0) b.Body().U8(7);
      b.Body().U8(21).U16(0x1000).U16(0x1000).U32(entries * 9 + 10);  // the subtable's end byte
    }
    b.Body().U8(0);
    auto r = RunBgl(b.Build(), MultiOptions());
    EXPECT_NE(r.console.find(console), std::string::npos) << r.console;
    EXPECT_EQ(r.files.count(MultiPath("bgt14-1.sca")), entries == 99 ? 1u : 0u);
  }
}

// Record kinds outside the fixed ones (three frequency entries) end the run
// with status 1 and their message last; so does the end of the data (no
// message) in sections without a handler.
TEST(DecoderFailures, UnknownRecordsAndEndOfDataEndTheRunWithStatusOne) {
  const struct {
    int section;
    std::vector<uint8_t> body;
    const char* message;
  } cases[] = {
      {0, {2}, "Analyzing section 0...\nunknown record\n"},
      {0, {1, 5, 0, 0, 0, 7}, "unknown record\n"},
      {3, {22, 1, 0, 7, 0, 0, 0, 9}, "unknown record\n"},
      {3, {22, 1, 0, 7, 0, 0, 0, 5, 6, 0, 5, 0}, "illegal longitude in synth block\n"},
      {11, {1, 9, 0, 8, 0, 0, 0, 0, 9}, "unknown record\n"},
      {13, {21, 0, 0, 0, 0, 10, 0, 0, 0, 0, 5}, "\tLatRange 1\nunknown record"},
      {14, {21, 0, 0, 0, 0, 10, 0, 0, 0, 0, 3}, "unknown record"},
      {0, {1, 5, 0, 0, 0, 21, 0}, nullptr},
      {3, {22, 1}, nullptr},
      {11, {}, nullptr},
      {19, {3, 1, 0, 0}, nullptr},
  };
  for (const auto& c : cases) {
    BglBuilder b;
    if (c.message) b.Frequencies(0, 2);
    b.BeginSection(c.section);
    b.Body().Bytes(c.body);
    auto r = RunBgl(b.Build());
    EXPECT_EQ(r.status, 1) << c.section << r.console;
    EXPECT_TRUE(EndsWith(r.console, c.message ? c.message : "")) << c.section;
    EXPECT_EQ(r.console.find("Done."), std::string::npos) << c.section;
  }
}

// The 80 KB file that once wrote half a gigabyte: its 3600 library list
// entries all name one object of 2000 raw-dump records (4 bytes each, about
// 70 bytes of text). The Collect pass alone passes the budget.
TEST(OutputBudget, AnEightyKilobyteListStopsEarly) {
  BglBuilder b;
  b.BeginSection(10);
  for (uint32_t i = 0; i < 3600; ++i) b.Body().U32(20 * 3600 + 4).U32(i).U32(0).U32(0).U32(0);
  // The object header (full layout, no name), then Rec47 records.
  b.Body().U32(0).Fill(16).U8(1).U32(41).U32(41 + 4 * 2000).U32(1).U32(0x10000).U32(0).U32(0);
  for (int i = 0; i < 2000; ++i) b.Body().U8(0x47).U8(0).U16(0);
  auto r = RunBgl(b.Build(), MultiOptions());
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(EndsWith(r.console,
                       "output limit reached : a file of 80173 bytes may give at most "
                       "6179648 bytes of text\n"));
  size_t written = 0;
  for (const auto& [path, text] : r.files) written += text.size();
  EXPECT_LE(written, 6179648u);
}

// Jumps before and far beyond the image. (Records of huge counts: the
// resource-bounds test in tests/faults.)
TEST(HostileInput, JumpsOutsideTheImage) {
  auto before = RunBgl(ProceduralImage(Op(0x0D).I16(-0x8000).Data()));
  EXPECT_EQ(before.status, 0) << before.console;
  auto far = RunBgl(ProceduralImage(Op(0x88).I32(0x7FFFFFFF).Data()));
  EXPECT_NE(SingleText(far).find("\tJump32( :L800000FF )\n"), std::string::npos) << SingleText(far);
}

}  // namespace
}  // namespace bgltest
