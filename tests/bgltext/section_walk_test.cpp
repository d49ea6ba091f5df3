// The header lines, the coordinate text form and the fixed-point numbers
// of the text, the walk over the section slots in one file and in many,
// LatRange subtables and their limit, the statuses of decoder failures and
// jumps outside the image. (Memory and output against hostile images:
// tests/faults; random, cut and mutated files: the fuzz targets, seeded
// with airport directories.)
#include <algorithm>
#include <cstdio>

#include "bgltext/text_format.h"
#include "tests/bgltext/run_helpers.h"

namespace bgltest {
namespace {

// Degrees and minutes are truncated, seconds rounded: 99 degrees north
// wraps to 81 south; 0 is southern; 180 east stays east.
TEST(HeaderLines, EveryFieldInItsPlaceAndTheCoordinateTextForm) {
  BglBuilder b;
  b.SceneryId(0xBEEF).Bounds(11001925, 0, 0x80000000u, 0).Frequencies(0x12, 0xfe);
  for (int v = 0; v <= 8; ++v) b.Value(v, 0xA0 + v);
  b.Slot(17, 0x7fffffff);  // clamped to the end; section 17 is not decodable
  auto r = RunBgl(b.Build());
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(SingleText(r),
            HeaderLines(Slots({{17, 0x7fffffff}}), 0xbeef,
                        "S81:0:0.00 S0:0:0.00 E180:0:0.00 W0:0:0.00", 0x12, 0xfe, 0xa0) +
                "\n" + Sorry(17));
}

// The fixed-point conversion takes a fast path that must send every
// near-tie on to the exact conversion: its bytes are printf's. An exact tie
// rounds to even; 2.675 is stored just below itself.
TEST(TextFormat, FixedPointMatchesPrintfAtTiesAndNearTies) {
  for (double v : {-0.0, 0.125, 0.375, 2.675, -1e-7, 45.005, 59.999, -2.5, 1e300}) {
    char expected[1280];  // 1e300 four times
    std::snprintf(expected, sizeof expected, "%f %.2f %.0f %.3f", v, v, v, v);
    EXPECT_EQ((bgltext::Format<"%f %.2f %.0f %.3f">(v, v, v, v)), expected) << v;
  }
}

// One file separates the sections by one empty line; many files come with
// their control files.
TEST(SectionWalk, OneFileAndManyFiles) {
  auto r = RunBgl(WalkBuilder().Build());
  EXPECT_EQ(r.status, 0);
  std::string expected =
      HeaderLines(WalkSlots()) + "\n" + Sorry(7) + "\n" + kUsualHeaderBlock +
      "\n;;; ----------------------------\n;;; section 20 - Airport Facility Directory\n"
      "; GUID = 0 1 a ab 10 ff 7f 80 0 0 0 0 0 0 5 c0 \n; version = 2a\n\n" +
      Sorry(21);
  ASSERT_EQ(r.files.size(), 1u);  // no control files
  EXPECT_EQ(SingleText(r), expected);
  const std::string& raw = r.files.begin()->second;  // CR LF line ends
  EXPECT_EQ(std::count(raw.begin(), raw.end(), '\r'), std::count(raw.begin(), raw.end(), '\n'));

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

// Jumps before and far beyond the image. (Records of huge counts: the
// resource-bounds test in tests/faults.)
TEST(HostileInput, JumpsOutsideTheImage) {
  EXPECT_EQ(RunBgl(ProceduralImage(Op(0x0D).I16(-0x8000).Data())).status, 0);
  auto far = RunBgl(ProceduralImage(Op(0x88).I32(0x7FFFFFFF).Data()));
  EXPECT_NE(SingleText(far).find("\tJump32( :L800000FF )\n"), std::string::npos) << SingleText(far);
}

}  // namespace
}  // namespace bgltest
