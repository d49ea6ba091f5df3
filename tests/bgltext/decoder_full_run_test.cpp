// Whole runs over an image holding every section kind that the decoders
// handle: section order, file names and the control files in single-file,
// multi-file and Terrasm multi-file mode.
#include <gtest/gtest.h>

#include "tests/bgltext/run_helpers.h"
#include "tests/bgltext/scenery_program_writer.h"

namespace bgltest {
namespace {

// A LatRange subtable of `entries` entries, each unit holding `unit`.
void LatRangeSection(BglBuilder& b, int section, int entries, const std::vector<uint8_t>& unit) {
  uint32_t s = b.BeginSection(section);
  uint32_t unitAt = static_cast<uint32_t>(9 * entries + 1);
  for (int i = 0; i < entries; ++i) b.Body().U8(21).U16(0).U16(0).U32(unitAt);
  b.Body().U8(0).Bytes(unit);
  EXPECT_EQ(b.Here() - s, unitAt + unit.size());
}

std::vector<uint8_t> EverySectionImage() {
  BglBuilder b;
  uint32_t s = b.BeginSection(0);
  b.Body().U8(1).U32(5).U8(21).U16(0).U16(0).U32(15).U8(0).U8(0);  // one band, no stations
  EXPECT_EQ(b.Here() - s, 16u);
  s = b.BeginSection(3);
  b.Body().U8(22).U16(1).U32(8).U8(0).U8(0);
  LatRangeSection(b, 9, 2, {23});
  b.BeginSection(10);
  b.Body().U32(0);
  s = b.BeginSection(11);
  b.Body().U8(1).U16(9).U32(10).TextZ("M").U8(0).U8(0);
  EXPECT_EQ(b.Here() - s, 11u);
  LatRangeSection(b, 13, 1, {0});
  LatRangeSection(b, 14, 1, {0});
  LatRangeSection(b, 15, 1, {0});
  LatRangeSection(b, 16, 1, {0});
  b.BeginSection(19);
  b.Body().U8(0);
  return b.Build();
}

const char* const kSectionFiles[] = {"bgt0-0",  "bgt3",    "bgt9-1",  "bgt9-2",  "bgt10", "bgt11-1",
                                     "bgt13-1", "bgt14-1", "bgt15-1", "bgt16-1", "bgt19"};

TEST(DecoderFullRun, SingleFileHoldsEverySectionInOrder) {
  auto r = RunBgl(EverySectionImage());
  ASSERT_EQ(r.status, 0) << r.console;
  EXPECT_EQ(r.files.size(), 1u);
  std::string text = SingleText(r);
  size_t at = 0;
  for (const char* head : {";;; section 0 - VOR, ILS\n", ";;; section 3 - Synthetic scenery\n",
                           ";;; section 9 - Procedural scenery\n", ";;; section 9 - Procedural scenery\n",
                           ";;; section 11 - Airport\n", ";;; section 13 - ATIS\n", ";;; section 14 - NDB\n",
                           ";;; section 15 - Dynamic scenery\n", ";;; section 16 - IMO Marker, Landme\n",
                           ";;; section 19 - Exception\n"}) {
    size_t next = text.find(head, at);
    ASSERT_NE(next, std::string::npos) << head << " after " << at;
    at = next + 1;
  }
  EXPECT_NE(r.console.find("Analyzing section 9...\n\tLatRange 1\n\tLatRange 2\nAnalyzing section 10...\n"),
            std::string::npos)
      << r.console;
  EXPECT_NE(text.find("Synth 3 1\n"), std::string::npos);
  EXPECT_NE(text.find("Menu( M )\n"), std::string::npos);
}

TEST(DecoderFullRun, MultiFileNamesAndControlFiles) {
  auto r = RunBgl(EverySectionImage(), MultiOptions());
  ASSERT_EQ(r.status, 0) << r.console;
  std::string bind = "; bglbind control file genereted by bgltext\noutput.bgl\t; output file name\n";
  std::string batch = "rem - compile batch file genereted by bgltext\n";
  for (const char* name : kSectionFiles) {
    EXPECT_EQ(r.files.count(MultiPath(std::string(name) + ".sca")), 1u) << name;
    bind += std::string(name) + ".bgl\n";
    batch += "scasm " + std::string(name) + ".sca " + name + ".bgl\n";
  }
  EXPECT_EQ(r.files.size(), std::size(kSectionFiles) + 3);  // header and two control files
  EXPECT_EQ(MultiText(r, "bglbind.ctl"), bind);
  EXPECT_EQ(MultiText(r, "compall.bat"), batch);
  EXPECT_EQ(MultiText(r, "bgt9-2.sca"),
            ";;; Disassembled by bgltext ver 2.2\n;;; section 9 - Procedural scenery\n"
            "Header( 1 S0:0:0.00 S0:0:0.00 W0:0:0.00 W0:0:0.00 )\nLatRange( S0:0:0.00 S0:0:0.00 )\n"
            ";;;;; End of LatRange\n");
  // Files are written with CR LF line ends.
  EXPECT_EQ(r.files.at(MultiPath("bgt9-2.sca")), CrLf(MultiText(r, "bgt9-2.sca")));
  EXPECT_EQ(r.files.at(MultiPath("bglbind.ctl")), CrLf(bind));
}

TEST(DecoderFullRun, TerrasmIncludeList) {
  bgltext::RunOptions options = MultiOptions();
  options.terrasm = true;
  auto r = RunBgl(EverySectionImage(), options);
  ASSERT_EQ(r.status, 0) << r.console;
  std::string list = "// Genereted by bgltext\n";
  for (const char* name : kSectionFiles) {
    EXPECT_EQ(r.files.count(MultiPath(std::string(name) + ".trm")), 1u) << name;
    list += "include( " + std::string(name) + ".trm )\n";
  }
  EXPECT_EQ(MultiText(r, "main.trm"), list);
}

}  // namespace
}  // namespace bgltest
