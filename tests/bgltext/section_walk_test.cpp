// The header lines and the coordinate text form, the walk over the section
// slots in one file and in many, the statuses of decoder failures, and the
// output budget of a run.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/bgltext/run_helpers.h"

namespace bgltest {
namespace {

TEST(HeaderLines, EveryFieldInItsPlaceAndFormat) {
  BglBuilder b;
  b.SceneryId(0xBEEF).Bounds(11001925, 0, 0x80000000u, 0).Frequencies(0x12, 0xfe);
  for (int v = 0; v <= 8; ++v) b.Value(v, 0xA0 + v);
  b.Slot(17, 0x7fffffff);  // clamped to the end; section 17 is not decodable
  auto r = RunBgl(b.Build());
  EXPECT_EQ(r.status, 0);
  // 99 degrees north wraps to 81 south; 0 is southern; 180 east stays east.
  EXPECT_EQ(SingleText(r),
            HeaderLines(Slots({{17, 0x7fffffff}}), 0xbeef,
                        "S81:0:0.00 S0:0:0.00 E180:0:0.00 W0:0:0.00", 0x12, 0xfe, 0xa0) +
                "\n" + Sorry(17));
}

TEST(HeaderLines, TruncatedHeaderEndsWithFailureStatus) {
  auto r = RunBgl(std::vector<uint8_t>(60, 0));
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.console, "Anaylizing BGL Header\n");
  EXPECT_TRUE(EndsWith(SingleText(r), "EOF!!!\n"));
}

TEST(CoordinateText, TruncatesDegreesAndMinutesAndRoundsSeconds) {
  struct Case {
    int32_t north, south;
    uint32_t east, west;
    const char* text;
  };
  const Case cases[] = {
      {1, 1222436, 0x08000000u, 0xFFFFFFFFu, "N0:0:0.03 N10:59:60.00 E11:15:0.00 W0:0:0.00"},
      {10001750, 3333333, 0x80000001u, 0x12345678u,
       "N90:0:0.00 N29:59:41.09 W179:59:60.00 E25:35:60.00"},
  };
  for (const Case& c : cases) {
    BglBuilder b;
    b.Bounds(c.north, c.south, c.east, c.west);
    EXPECT_EQ(SingleText(RunBgl(b.Build())), HeaderLines(Slots({}), 0, c.text));
  }
}

TEST(SectionWalk, SingleFileSeparatesSectionsByOneEmptyLine) {
  auto r = RunBgl(WalkBuilder().Build());
  EXPECT_EQ(r.status, 0);
  std::string expected = HeaderLines(WalkSlots()) + "\n" + Sorry(7) + "\n" + kUsualHeaderBlock +
                         "\n" + kRule + ";;; section 20 - Airport Facility Directory\n" +
                         kWalkGuidLines + "\n" + Sorry(21);
  EXPECT_EQ(SingleText(r), expected);
  ASSERT_EQ(r.files.size(), 1u);  // no control files
  EXPECT_EQ(r.files.begin()->second, CrLf(expected));
  EXPECT_NE(r.console.find(WalkConsole({{7, Sorry(7)}, {20, ""}, {21, Sorry(21)}})),
            std::string::npos)
      << r.console;
}

TEST(SectionWalk, MultiFileWritesSectionFilesAndControlFiles) {
  auto r = RunBgl(WalkBuilder().Build(), MultiOptions());
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.files.size(), 6u);
  EXPECT_EQ(MultiText(r, "bgthead.txt"), HeaderLines(WalkSlots()));
  EXPECT_EQ(MultiText(r, "bgt7.sca"), Sorry(7));
  EXPECT_EQ(MultiText(r, "bgt21.sca"), Sorry(21));
  EXPECT_EQ(MultiText(r, "bgt20.sca"),
            Block(20, "Airport Facility Directory", kUsualHeaderBlock) + kWalkGuidLines);
  EXPECT_EQ(MultiText(r, "bglbind.ctl"),
            "; bglbind control file genereted by bgltext\noutput.bgl\t; output file name\n"
            "bgt7.bgl\nbgt20.bgl\nbgt21.bgl\n");
  EXPECT_EQ(MultiText(r, "compall.bat"),
            "rem - compile batch file genereted by bgltext\nscasm bgt7.sca bgt7.bgl\n"
            "scasm bgt20.sca bgt20.bgl\nscasm bgt21.sca bgt21.bgl\n");

  bgltext::RunOptions options = MultiOptions();
  options.terrasm = true;
  r = RunBgl(WalkBuilder().Build(), options);
  EXPECT_EQ(r.files.size(), 5u);  // bgthead.txt, main.trm and three sections
  EXPECT_EQ(MultiText(r, "main.trm"),
            "// Genereted by bgltext\ninclude( bgt7.trm )\ninclude( bgt20.trm )\n"
            "include( bgt21.trm )\n");
  EXPECT_EQ(MultiText(r, "bgt7.trm"), Sorry(7));
  EXPECT_EQ(MultiText(r, "bgthead.txt"), HeaderLines(WalkSlots()));
}

TEST(SectionWalk, RealOffsetInSlot20WritesNoDirectory) {
  BglBuilder b = UsualBuilder();
  b.Slot(20, 128).Body().U32(0).U32(0);
  auto r = RunBgl(b.Build());
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(SingleText(r), HeaderLines(Slots({{20, 128}})));
  EXPECT_NE(r.console.find("Analyzing section 20...\nAnalyzing section 21... does not exist\n"
                           "Done.\n\n"),
            std::string::npos);
}

// Record kinds outside the fixed ones (three frequency entries) end the run
// with status 1 and their message last; so does the end of the data (no
// message) in sections without a handler.
TEST(DecoderFailures, UnknownRecordsAndEndOfDataEndTheRunWithStatusOne) {
  struct Case {
    int section;
    std::vector<uint8_t> body;
    const char* message;
  };
  const Case cases[] = {
      {0, {2}, "Analyzing section 0...\nunknown record\n"},
      {0, {1, 5, 0, 0, 0, 7}, "unknown record\n"},
      {3, {22, 1, 0, 7, 0, 0, 0, 9}, "unknown record\n"},
      {3, {22, 1, 0, 7, 0, 0, 0, 5, 6, 0, 5, 0}, "illegal longitude in synth block\n"},
      {11, {2}, "unknown record\n"},
      {11, {1, 9, 0, 8, 0, 0, 0, 0, 9}, "unknown record\n"},
      {13, {21, 0, 0, 0, 0, 10, 0, 0, 0, 0, 5}, "\tLatRange 1\nunknown record"},
      {14, {21, 0, 0, 0, 0, 10, 0, 0, 0, 0, 3}, "unknown record"},
      {0, {1, 5, 0, 0, 0, 21, 0}, nullptr},
      {0, {}, nullptr},
      {3, {22, 1}, nullptr},
      {3, {}, nullptr},
      {11, {1, 9, 0}, nullptr},
      {11, {}, nullptr},
      {19, {3, 1, 0, 0}, nullptr},
      {19, {7}, nullptr},
  };
  for (const Case& c : cases) {
    BglBuilder b;
    if (c.message) b.Frequencies(0, 2);
    b.BeginSection(c.section);
    b.Body().Bytes(c.body);
    auto r = RunBgl(b.Build());
    EXPECT_EQ(r.status, 1) << c.section << r.console;
    EXPECT_TRUE(EndsWith(r.console, c.message ? c.message : "")) << c.section;
    EXPECT_EQ(r.console.find("Done."), std::string::npos) << c.section;
  }
  BglBuilder d = UsualBuilder();  // a directory whose offsets point past the end
  d.Extended({}, 1).ExtendedField(164, 0x10000).ExtendedField(156, 0x10000).Body().U32(0);
  EXPECT_EQ(RunBgl(d.Build()).status, 1);
}

// Library list entries that all name one object decode it once each; the
// run ends where its text reaches the budget, and a run just within it is
// written whole, every entry decoded.
TEST(OutputBudget, SharedLibraryObjectsStopAtTheBudget) {
  constexpr size_t kRecords = 20;
  auto text = [](size_t entries) { return RunBgl(SharedObjectListFile(entries, kRecords)); };
  auto one = text(1), two = text(2);
  ASSERT_EQ(two.status, 0) << two.console;
  const size_t perEntry = OutputBytes(two) - OutputBytes(one);
  const size_t fileOfOne = SharedObjectListFile(1, kRecords).size();
  // The most entries whose text fits: each adds perEntry bytes of text and 20
  // bytes of file.
  size_t fit = 1;
  while (OutputBytes(one) + fit * perEntry <= bgltext::OutputBudget(fileOfOne + 20 * fit)) ++fit;
  auto under = text(fit);
  EXPECT_EQ(under.status, 0) << under.console;
  EXPECT_EQ(OutputBytes(under), OutputBytes(one) + (fit - 1) * perEntry);
  std::string single = SingleText(under);
  size_t objects = 0;
  for (size_t at = 0; (at = single.find("EndObj\n", at)) != std::string::npos; ++at) ++objects;
  EXPECT_EQ(objects, fit);

  auto over = text(fit + 1);
  const size_t file = SharedObjectListFile(fit + 1, kRecords).size();
  EXPECT_EQ(over.status, 1);
  EXPECT_LE(OutputBytes(over), bgltext::OutputBudget(file));
  EXPECT_TRUE(EndsWith(over.console,
                       Fmt("output limit reached : a file of %zu bytes may give at "
                           "most %llu bytes of text\n",
                           file, static_cast<unsigned long long>(bgltext::OutputBudget(file)))));
}

// The 80 KB file that once wrote half a gigabyte: its 3600 entries decode
// an object of 2000 records each. The Collect pass alone passes the budget.
TEST(OutputBudget, AnEightyKilobyteListStopsEarly) {
  for (auto options : {bgltext::RunOptions{}, MultiOptions()}) {
    auto r = RunBgl(SharedObjectListFile(3600, 2000), options);
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(EndsWith(r.console,
                         "output limit reached : a file of 80173 bytes may give at most "
                         "6179648 bytes of text\n"));
    EXPECT_LE(OutputBytes(r), 6179648u);
  }
}

}  // namespace
}  // namespace bgltest
