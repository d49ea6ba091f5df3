// The traffic file of the project's traffic tools: its layout as the README
// gives it, and every file that is not whole and ours refused.
#include "tools/traffic_container.h"

#include <gtest/gtest.h>

#include <string>

namespace fm {
namespace {

using Problem = TrafficFileProblem;

std::string Le(std::uint64_t value, int bytes) {
  std::string out;
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
  return out;
}

TEST(TrafficContainer, Crc32IsTheZlibChecksumAndContinues) {
  EXPECT_EQ(Crc32("123456789"), 0xCBF43926u);
  EXPECT_EQ(Crc32(""), 0u);
  const std::string text = "The quick brown fox jumps over the lazy dog, twice over.";
  for (size_t cut = 0; cut <= text.size(); ++cut) {
    EXPECT_EQ(Crc32(text.substr(cut), Crc32(text.substr(0, cut))), Crc32(text)) << cut;
  }
}

TEST(TrafficContainer, LayoutIsMagicVersionLengthsTextsChecksum) {
  const std::string packed = EncodeTrafficFile({"AC", "plans", "x"});
  std::string expected("FMIXTRAF\r\n\x1A\n", 12);
  expected += Le(1, 4) + Le(2, 8) + Le(5, 8) + Le(1, 8) + "ACplansx";
  expected += Le(Crc32(expected), 4);
  EXPECT_EQ(packed, expected);
}

// Every shorter file is cut short; every changed byte is noticed by the
// part it falls in, and no text is handed out.
TEST(TrafficContainer, EveryCutOrChangedFileIsRefused) {
  const std::string packed = EncodeTrafficFile({"AC#1,1,\"a\"\r\n", "p\r\n", "EGLL\r\n"});
  for (size_t at = 0; at < packed.size(); ++at) {
    TrafficTexts texts;
    EXPECT_EQ(DecodeTrafficFile(std::string_view(packed).substr(0, at), texts), Problem::kCutShort)
        << at;
    std::string changed = packed;
    changed[at] = static_cast<char>(changed[at] ^ 0x20);
    const Problem problem = DecodeTrafficFile(changed, texts);
    if (at < 12) {
      EXPECT_EQ(problem, Problem::kNotOurs) << at;
    } else if (at < 16) {
      EXPECT_EQ(problem, Problem::kUnknownVersion) << at;
    } else {
      EXPECT_TRUE(problem == Problem::kCutShort || problem == Problem::kDamaged) << at;
    }
    EXPECT_TRUE(texts.aircraft.empty() && texts.flightPlans.empty()) << at;
  }
}

TEST(TrafficContainer, RefusesFilesThatAreNotWholeAndOurs) {
  const std::string packed = EncodeTrafficFile({"a", "b", "c"});
  std::string huge = packed;
  huge.replace(20, 8, Le(~0ull, 8));  // a length beyond any file
  std::string version2 = packed;
  version2.replace(12, 4, Le(2, 4));
  const struct {
    std::string bytes;
    Problem problem;
  } cases[] = {
      {std::string("\x01\x00\x00\x00\x38\x00\x00\x00", 8) + std::string(64, '\0'),
       Problem::kNotOurs},  // a BGL header
      {"AC#1,250,\"Boeing 737\"\r\n", Problem::kNotOurs},
      {"FMIX", Problem::kCutShort},
      {packed + "x", Problem::kDamaged},
      {huge, Problem::kCutShort},
      {version2, Problem::kUnknownVersion},
  };
  for (const auto& c : cases) {
    TrafficTexts texts;
    EXPECT_EQ(DecodeTrafficFile(c.bytes, texts), c.problem) << c.bytes;
  }
}

}  // namespace
}  // namespace fm
