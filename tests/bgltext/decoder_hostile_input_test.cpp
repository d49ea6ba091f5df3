// Hostile input to the section decoders: random bytes, huge counts, jumps
// outside the image and tables without their end byte all end with a
// defined status.
#include <gtest/gtest.h>

#include <random>

#include "tests/bgltext/run_helpers.h"
#include "tests/bgltext/scenery_program_writer.h"

namespace bgltest {
namespace {

std::vector<uint8_t> RandomBytes(std::mt19937& rng, size_t maxLength) {
  std::vector<uint8_t> out(rng() % maxLength);
  for (uint8_t& b : out) b = static_cast<uint8_t>(rng());
  return out;
}

TEST(DecoderHostileInput, RandomBytesInsideInterpretedAreasNeverStopTheRun) {
  std::mt19937 rng(1234);
  for (int i = 0; i < 300; ++i) {
    auto records = RandomBytes(rng, 600);
    int delta = static_cast<int>(rng() % 64) - 32;
    for (const auto& image : {ProceduralImage(records, delta), DynamicImage(records, delta),
                              MarkerAreaImage(records, delta), MarkerImage(records)}) {
      auto r = RunBgl(image);
      // A record whose counts ask for more lines than the budget allows
      // ends the run; nothing else may.
      if (r.status != 0)
        ASSERT_NE(r.console.find("output limit reached"), std::string::npos) << r.console;
    }
  }
}

TEST(DecoderHostileInput, RandomSectionsEndWithADefinedStatus) {
  std::mt19937 rng(99);
  for (int section : {0, 1, 9, 10, 11, 13, 14, 15, 16, 19}) {
    for (int i = 0; i < 120; ++i) {
      BglBuilder b;
      b.Frequencies(static_cast<uint16_t>(rng() % 8), static_cast<uint16_t>(rng() % 8));
      b.BeginSection(section);
      b.Body().Bytes(RandomBytes(rng, 400));
      bgltext::RunOptions options = rng() % 2 ? MultiOptions() : bgltext::RunOptions{};
      options.fs98Library = rng() % 2;
      auto r = RunBgl(b.Build(), options);
      EXPECT_TRUE(r.status == 0 || r.status == 1) << section << " " << r.status << r.console;
    }
  }
}

TEST(DecoderHostileInput, HugeCountsAndFarJumps) {
  for (const auto& records : {
           Op(0x1A).U16(0).U16(0xFFFF).Data(),                // Points
           Op(0x70).I16(0).U16(0xFFFF).Data(),                // SenseBorder
           Op(0x03).U16(0xFFFF).U16(1).I16(0).Data(),         // Switch
           Op(0x15).U16(0xFFFF).U16(0xFFFF).Fill(12).Data(),  // TexRelief
           Op(0x9A)
               .U16(0x7FFF)
               .U16(0x8000)
               .Fill(12)
               .U8(0)
               .U8(0)
               .U8(0)
               .U8(0xFF)
               .U8(0)
               .U8(0xFF)
               .Data(),
           Op(0x88).I32(0x7FFFFFFF).Data(),  // Jump32 far outside
           Op(0x0D).I16(-0x8000).Data(),     // Jump before the image
       }) {
    auto r = RunBgl(ProceduralImage(records));
    EXPECT_EQ(r.status, 0) << r.console;
  }
  // Half a million texture-list lines from a 27-byte record: over the budget.
  auto lines = RunBgl(ProceduralImage(
      Op(0xA3).U16(0x7FFF).U16(0x8000).Fill(12).U8(0).U8(0).U8(0).U8(0xFF).U8(0).U8(0xFF).Data()));
  EXPECT_EQ(lines.status, 1);
  EXPECT_NE(lines.console.find("output limit reached"), std::string::npos);
  auto far = RunBgl(ProceduralImage(Op(0x88).I32(0x7FFFFFFF).Data()));
  EXPECT_NE(SingleText(far).find("\tJump32( :L800000FF )\n"), std::string::npos) << SingleText(far);
}

TEST(DecoderHostileInput, TablesWithoutTheirEndByteEndTheRunWithFailure) {
  for (int section : {0, 3, 11, 19}) {
    BglBuilder b;
    b.BeginSection(section);
    if (section == 19) b.Body().U8(7);
    auto r = RunBgl(b.Build());
    EXPECT_EQ(r.status, 1) << section;
  }
}

}  // namespace
}  // namespace bgltest
