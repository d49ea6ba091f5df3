// The text machinery shared by the decoders: two-pass units and labels (with
// and without -seq), the LatRange subtable and its limit, section header
// blocks, section 0's latitude bands, the area loop with its end check and
// pending close, raw-dump records and the switch record. A toy record set
// drives it: 0 ends, 1 jumps by a signed 16-bit displacement, 2 is a
// one-byte record, 3 writes its name and then reads a word.
#include <gtest/gtest.h>

#include "bgltext/area_loop.h"
#include "bgltext/bgl_run.h"
#include "bgltext/lat_range.h"
#include "tests/bgltext/bgl_builder.h"
#include "tests/bgltext/run_helpers.h"

namespace bgltest {
namespace {

using bgltext::BglRun;
using bgltext::DecodePass;

void JumpHandler(BglRun& run, const bgltext::OpcodeRow& row, uint8_t, uint32_t start) {
  uint32_t target = start + static_cast<uint32_t>(run.image.SWord());
  run.RegisterTarget(target);
  run.Print("\t%s( ", row.name);
  run.ReferenceLabel(target);
  run.Print(" )\n");
}
void PlainHandler(BglRun& run, const bgltext::OpcodeRow& row, uint8_t, uint32_t) {
  run.Print("\t%s\n", row.name);
}
void WordHandler(BglRun& run, const bgltext::OpcodeRow& row, uint8_t, uint32_t) {
  run.Print("\t%s( ", row.name);
  run.Print("%d )\n", run.image.Word());
}

constexpr bgltext::OpcodeRow kToyRows[] = {
    {1, "Jump", JumpHandler, nullptr},
    {2, "Nop", PlainHandler, nullptr},
    {3, "Word", WordHandler, nullptr},
    {2, "Shadowed", PlainHandler, nullptr},  // the first row of an opcode wins
    {0x10, "Thing", bgltext::RawDumpProcedural, "4"},
    {0x11, "Dyn", bgltext::RawDumpDynamic, "3"},
    {0x12, "Empty", bgltext::RawDumpProcedural, "0"},
};
const bgltext::OpcodeIndex& ToyIndex() {
  static const bgltext::OpcodeIndex index(kToyRows);
  return index;
}

// Records up to a 0 byte.
void ToyUnit(BglRun& run) {
  for (;;) {
    uint32_t at = static_cast<uint32_t>(run.image.Pos());
    uint8_t b = run.image.Byte();
    if (b == 0) return;
    bgltext::DispatchOpcode(run, ToyIndex(), b, at);
  }
}

// A run on raw bytes with its single output already open.
struct Harness {
  explicit Harness(std::vector<uint8_t> bytes, bgltext::RunOptions options = {})
      : con(&console), run(Prepare(options), con) {
    run.image.Assign(std::move(bytes));
    run.header.north = bgltext::Lat32(5000875);
    run.header.south = bgltext::Lat32(-5000875);
    run.header.east = bgltext::Lon32(0x40000000u);
    run.header.west = bgltext::Lon32(0xC0000000u);
    run.DecideOutputBase();
    if (!options.multiFile) run.OpenSectionOutput("bgthead.txt", true);
  }
  static bgltext::RunOptions Prepare(bgltext::RunOptions o) {
    o.inputPath = "in.bgl";
    o.memoryOutput = true;
    return o;
  }
  std::string Text() {
    run.CloseControlFiles();
    return Lf(run.memoryFiles["in.sca"]);
  }
  std::string File(const std::string& name) {
    run.CloseControlFiles();
    return Lf(run.memoryFiles[MultiPath(name)]);
  }
  std::string console;
  bgltext::Console con;
  BglRun run;
};

std::vector<uint8_t> Jumps() {
  // 0: Jump +7 (to 7), 3: Jump +3 (to 6), 6: Nop, 7: Nop, 8: Jump -8 (to 0), 11: end
  return {1, 7, 0, 1, 3, 0, 2, 2, 1, 0xF8, 0xFF, 0};
}

TEST(Labels, OffsetsWithoutSeq) {
  Harness h(Jumps());
  bgltext::RunTwoPassUnit(h.run, 0, ToyUnit);
  EXPECT_EQ(h.Text(),
            ":L00000000\n"
            "\tJump( :L00000007 )\n"
            "\tJump( :L00000006 )\n"
            ":L00000006\n"
            "\tNop\n"
            ":L00000007\n"
            "\tNop\n"
            "\tJump( :L00000000 )\n");
  EXPECT_TRUE(h.run.Labels().Empty());
}

TEST(Labels, SequenceNumbersFollowTheOrderTargetsAreMet) {
  bgltext::RunOptions o;
  o.sequencedLabels = true;
  Harness h(Jumps(), o);
  bgltext::RunTwoPassUnit(h.run, 0, ToyUnit);
  EXPECT_EQ(h.Text(),
            ":L2\n"
            "\tJump( :L0 )\n"
            "\tJump( :L1 )\n"
            ":L1\n"
            "\tNop\n"
            ":L0\n"
            "\tNop\n"
            "\tJump( :L2 )\n");
}

TEST(Labels, HighOffsetsAreEightUpperCaseDigits) {
  std::vector<uint8_t> bytes(0x1A2C, 0);
  bytes[0x1A20] = 1;  // Jump +0x0B to 0x1A2B
  bytes[0x1A21] = 0x0B;
  for (int i = 0x1A23; i <= 0x1A2B; ++i) bytes[i] = 2;
  bytes.push_back(0);
  Harness h(bytes);
  bgltext::RunTwoPassUnit(h.run, 0x1A20, ToyUnit);
  std::string text = h.Text();
  EXPECT_EQ(text.substr(0, 20), "\tJump( :L00001A2B )\n");
  EXPECT_NE(text.find("\tNop\n:L00001A2B\n\tNop\n"), std::string::npos) << text;
}

TEST(Labels, TwoJumpsToOneTargetShareOneLabel) {
  Harness h({1, 6, 0, 1, 3, 0, 2, 0});
  bgltext::RunTwoPassUnit(h.run, 0, ToyUnit);
  EXPECT_EQ(h.Text(), "\tJump( :L00000006 )\n\tJump( :L00000006 )\n:L00000006\n\tNop\n");
}

TEST(Labels, JumpToItselfPutsTheLabelBeforeItsOwnLine) {
  Harness h({1, 0, 0, 0});
  bgltext::RunTwoPassUnit(h.run, 0, ToyUnit);
  EXPECT_EQ(h.Text(), ":L00000000\n\tJump( :L00000000 )\n");
}

TEST(Labels, TargetInsideARecordPutsTheLabelInsideItsText) {
  // 0: Jump +4 (to 4, the word operand of the record at 3).
  Harness h({1, 4, 0, 3, 9, 0, 0});
  bgltext::RunTwoPassUnit(h.run, 0, ToyUnit);
  EXPECT_EQ(h.Text(), "\tJump( :L00000004 )\n\tWord( :L00000004\n9 )\n");
}

TEST(Labels, NumberingRestartsInEveryUnit) {
  bgltext::RunOptions o;
  o.sequencedLabels = true;
  Harness h({1, 3, 0, 2, 0, 1, 3, 0, 2, 0}, o);
  bgltext::RunTwoPassUnit(h.run, 0, ToyUnit);
  bgltext::RunTwoPassUnit(h.run, 5, ToyUnit);
  EXPECT_EQ(h.Text(), "\tJump( :L0 )\n:L0\n\tNop\n\tJump( :L0 )\n:L0\n\tNop\n");
}

TEST(Labels, EndOfDataEndsEachPassAndIsWrittenOnce) {
  Harness h({1, 3, 0, 2, 2});
  bgltext::RunTwoPassUnit(h.run, 0, ToyUnit);
  EXPECT_EQ(h.Text(), "\tJump( :L00000003 )\n:L00000003\n\tNop\n\tNop\nEOF!!!\n");
}

TEST(Labels, MissingLabelIsAFatalError) {
  Harness h({0});
  h.run.SetPass(DecodePass::Print);
  try {
    h.run.ReferenceLabel(0x1234);
    FAIL() << "no exit";
  } catch (bgltext::FatalExit e) {
    EXPECT_EQ(e.status, 1);
  }
  EXPECT_EQ(h.console, "Internal error : no label(0x1234)\n");
}

TEST(Labels, OpeningAnOutputClearsTheTable) {
  Harness h({0});
  h.run.SetPass(DecodePass::Collect);
  h.run.RegisterTarget(5);
  EXPECT_FALSE(h.run.Labels().Empty());
  h.run.OpenSectionOutput("x", false);
  EXPECT_TRUE(h.run.Labels().Empty());
}

// --- raw dumps, switch --------------------------------------------------------

TEST(RawRecords, DumpWritesCommentAndBytes) {
  Harness h({0x10, 0xAA, 0x0B, 0xCC, 0x11, 1, 2, 0x12, 0});
  h.run.SetPass(DecodePass::Print);
  ToyUnit(h.run);
  EXPECT_EQ(h.Text(),
            ";;; Thing(0x10) - SCASM does not support this record\n"
            "\tDbx( 10 AA B CC )\n"
            "\t; Dyn(0x11)\n"
            "\tDbx( 11 1 2 )\n"
            ";;; Empty(0x12) - SCASM does not support this record\n");
}

TEST(RawRecords, SwitchIsSimulatedWithIfVarRange) {
  Harness h({2, 2, 2, 0});
  auto unit = [](BglRun& run) {
    run.image.Seek(0);
    bgltext::WriteSwitchRecord(run, 0x2A, 2, {0, 1});
    ToyUnit(run);
  };
  bgltext::RunTwoPassUnit(h.run, 0, unit);
  EXPECT_EQ(h.Text(),
            "\t;;; Switch instruction is not implemented in scasm.\n"
            "\t;;; So bgltext simulates this by IfVarRange.\n"
            "\tIfVarRange( :L00000000 2A 0 0 )\n"
            "\tIfVarRange( :L00000001 2A 1 1 )\n"
            "\tJump( :L00000002 )\n\n"
            ":L00000000\n\tNop\n:L00000001\n\tNop\n:L00000002\n\tNop\n");
}

// --- area loop ---------------------------------------------------------------

bgltext::TopLevelResult ToyTopLevel(BglRun& run, uint8_t b, uint32_t offset) {
  if (b == 0) return {bgltext::TopLevelResult::EndWalk};
  if (b == 4) {
    uint8_t length = run.image.Byte();
    run.Print("Area( %d )\n", length);
    return {bgltext::TopLevelResult::OpenArea, offset + length};
  }
  if (b == 5) {
    run.Print("\tTop\n");
    return {bgltext::TopLevelResult::Record};
  }
  return {bgltext::TopLevelResult::Unknown};
}

void ToyAreas(BglRun& run) {
  bgltext::AreaLoopSpec spec{&ToyIndex(), "EndA\n\n", ";;; unknown record: 0x%x\n", ToyTopLevel};
  bgltext::RunAreaLoop(run, spec);
}

TEST(AreaLoop, RecordEndingAtTheEndOffsetClosesWithoutComment) {
  Harness h({4, 4, 2, 2, 5, 9, 0});
  bgltext::RunTwoPassUnit(h.run, 0, ToyAreas);
  EXPECT_EQ(h.Text(), "Area( 4 )\n\tNop\n\tNop\nEndA\n\n\tTop\n;;; unknown record: 0x9\n");
}

TEST(AreaLoop, OverrunIsReportedAfterTheRecordThatCrossesTheEnd) {
  Harness h({4, 4, 2, 3, 7, 0, 0x77, 0});
  bgltext::RunTwoPassUnit(h.run, 0, ToyAreas);
  EXPECT_EQ(h.Text(),
            "Area( 4 )\n\tNop\n\tWord( 7 )\n;;;;; EndA Overrun. (now:0x6, enda:0x4\n"
            "EndA\n\n;;; unknown record: 0x77\n");
}

TEST(AreaLoop, UnknownRecordInsideAnAreaIsSkippedAsOneByte) {
  Harness h({4, 5, 0x77, 2, 2, 0});
  bgltext::RunTwoPassUnit(h.run, 0, ToyAreas);
  EXPECT_EQ(h.Text(), "Area( 5 )\n;;; unknown record id: 0x77\n\tNop\n\tNop\nEndA\n\n");
}

TEST(AreaLoop, LabelOfTheNextByteComesBeforeTheClosingLine) {
  // Area 0..5: Jump +3 (from 2 to 5), then the area ends at 5 where a Top
  // record stands.
  Harness h({4, 5, 1, 3, 0, 5, 0});
  bgltext::RunTwoPassUnit(h.run, 0, ToyAreas);
  EXPECT_EQ(h.Text(), "Area( 5 )\n\tJump( :L00000005 )\n:L00000005\nEndA\n\n\tTop\n");
}

TEST(AreaLoop, PendingCloseIsLostAtEndOfData) {
  Harness h({4, 3, 2});
  bgltext::RunTwoPassUnit(h.run, 0, ToyAreas);
  EXPECT_EQ(h.Text(), "Area( 3 )\n\tNop\nEOF!!!\n");
}

// --- section header blocks, LatRange walk, latitude bands ---------------------

TEST(SectionBlocks, SingleFileWritesTheHeaderLineOnce) {
  Harness h({0});
  h.run.OpenSectionOutput("bgt9-1", false);
  h.run.SectionHeaderBlock(9);
  h.run.OpenSectionOutput("bgt20", false);
  h.run.SectionHeaderBlock(20);
  EXPECT_EQ(h.Text(),
            "\n"
            "Header( 1 N45:0:0.00 S45:0:0.00 E90:0:0.00 W90:0:0.00 )\n\n"
            ";;; ----------------------------\n"
            ";;; section 9 - Procedural scenery\n"
            "\n"
            ";;; ----------------------------\n"
            ";;; section 20 - Airport Facility Directory\n");
}

std::vector<uint8_t> Subtable(int entries, int junkEvery = 0) {
  ByteWriter w;
  for (int i = 0; i < entries; ++i) {
    if (junkEvery && i % junkEvery == 0) w.U8(7);
    w.U8(21).U16(0x1000 + i).U16(0x2000 + i).U32(static_cast<uint32_t>(i));
  }
  w.U8(0);
  return w.Data();
}

TEST(LatRange, NinetyNineEntriesAreAcceptedAndOtherBytesPassedOver) {
  Harness h(Subtable(99, 10));
  auto entries = bgltext::ReadLatRangeSubtable(h.run);
  ASSERT_EQ(entries.size(), 99u);
  EXPECT_EQ(entries[98].offset, 98u);
  EXPECT_EQ(entries[0].first.raw, 0x1000 * 256);
  EXPECT_EQ(h.console, "");
}

TEST(LatRange, HundredthEntryOverflows) {
  Harness h(Subtable(100));
  EXPECT_THROW(bgltext::ReadLatRangeSubtable(h.run), bgltext::BgltextException);
  EXPECT_EQ(h.console, "subtable overflow.\n");
}

TEST(LatRange, WalkOpensOneFilePerEntryInMultiFileMode) {
  // Subtable with two entries, then the units at offsets 20 and 23 from the
  // section start (0).
  ByteWriter w;
  w.U8(21).U16(LatRangeWord(45.0)).U16(LatRangeWord(50.0)).U32(20);
  w.U8(21).U16(LatRangeWord(-10.0)).U16(LatRangeWord(-5.0)).U32(23);
  w.U8(0);
  w.Fill(20 - w.Size());
  w.Bytes({2, 0, 0, 1, 0xFD, 0xFF, 0});
  Harness h(w.Data(), MultiOptions());
  h.run.CreateControlFiles();
  bgltext::WalkLatRanges(h.run, 9, 0, true, ToyUnit);
  EXPECT_EQ(h.console, "\tLatRange 1\n\tLatRange 2\n");
  const std::string block =
      ";;; Disassembled by bgltext ver 2.2\n"
      ";;; section 9 - Procedural scenery\n"
      "Header( 1 N45:0:0.00 S45:0:0.00 E90:0:0.00 W90:0:0.00 )\n";
  std::string first = h.File("bgt9-1.sca"), second = h.File("bgt9-2.sca");
  EXPECT_EQ(first.substr(0, block.size()), block);
  EXPECT_EQ(first.substr(block.size(), 9), "LatRange(");
  EXPECT_NE(first.find(" )\n\tNop\n"), std::string::npos) << first;
  // A jump back out of its unit: referenced, but its label is never met.
  EXPECT_EQ(second.substr(second.size() - 20), "\tJump( :L00000014 )\n") << second;
  EXPECT_EQ(h.File("bglbind.ctl"),
            "; bglbind control file genereted by bgltext\noutput.bgl\t; output file "
            "name\nbgt9-1.bgl\nbgt9-2.bgl\n");
  EXPECT_EQ(h.File("compall.bat"),
            "rem - compile batch file genereted by bgltext\nscasm bgt9-1.sca bgt9-1.bgl\nscasm "
            "bgt9-2.sca bgt9-2.bgl\n");
}

TEST(LatRange, BandLatitudesAreWordsTimes256) {
  Harness h(Subtable(1));
  auto entries = bgltext::ReadLatRangeSubtable(h.run);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_DOUBLE_EQ(entries[0].first.value, bgltext::Lat24(0x1000 << 8).value);
}

TEST(LatitudeBands, RepeatedPairAppendsToItsEarlierFile) {
  Harness h({0}, MultiOptions());
  h.run.CreateControlFiles();
  h.run.SetPass(DecodePass::Print);
  bgltext::OpenLatitudeBand(h.run, 0x4000, 0x4100);
  h.run.Print("first\n");
  h.run.CloseSectionOutput();
  bgltext::OpenLatitudeBand(h.run, 0x1000, 0x1100);
  h.run.Print("second\n");
  h.run.CloseSectionOutput();
  bgltext::OpenLatitudeBand(h.run, 0x4000, 0x4100);
  h.run.Print("third\n");
  h.run.CloseSectionOutput();
  std::string band0 = h.File("bgt0-0.sca");
  EXPECT_EQ(band0.find(";;; section 0 - VOR, ILS\n"), band0.rfind(";;; section 0 - VOR, ILS\n"));
  EXPECT_NE(band0.find(")\nfirst\nthird\n"), std::string::npos) << band0;
  EXPECT_NE(h.File("bgt0-1.sca").find(")\nsecond\n"), std::string::npos);
  EXPECT_EQ(h.File("bglbind.ctl"),
            "; bglbind control file genereted by bgltext\noutput.bgl\t; output file "
            "name\nbgt0-0.bgl\nbgt0-1.bgl\n");
}

}  // namespace
}  // namespace bgltest
