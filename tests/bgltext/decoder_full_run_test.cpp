// Whole runs over an image holding every section kind that the decoders
// handle, in one file and in section order.
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

TEST(DecoderFullRun, SingleFileHoldsEverySectionInOrder) {
  auto r = RunBgl(EverySectionImage());
  ASSERT_EQ(r.status, 0) << r.console;
  EXPECT_EQ(r.files.size(), 1u);
  std::string text = SingleText(r);
  size_t at = 0;
  for (const char* head :
       {";;; section 0 - VOR, ILS\n", ";;; section 3 - Synthetic scenery\n",
        ";;; section 9 - Procedural scenery\n", ";;; section 9 - Procedural scenery\n",
        ";;; section 11 - Airport\n", ";;; section 13 - ATIS\n", ";;; section 14 - NDB\n",
        ";;; section 15 - Dynamic scenery\n", ";;; section 16 - IMO Marker, Landme\n",
        ";;; section 19 - Exception\n"}) {
    size_t next = text.find(head, at);
    ASSERT_NE(next, std::string::npos) << head << " after " << at;
    at = next + 1;
  }
  EXPECT_NE(r.console.find(
                "Analyzing section 9...\n\tLatRange 1\n\tLatRange 2\nAnalyzing section 10...\n"),
            std::string::npos)
      << r.console;
  EXPECT_NE(text.find("Synth 3 1\n"), std::string::npos);
  EXPECT_NE(text.find("Menu( M )\n"), std::string::npos);
}

}  // namespace
}  // namespace bgltest
