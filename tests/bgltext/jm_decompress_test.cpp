// The "JM" decompressor and the compressed-file loader: literals, the three
// distance classes, the length classes, end-of-block codes, overlapping
// copies, matches into the header and before the array, and the loader's
// refusals. Streams are written bit by bit with JmStreamWriter. (Claims
// beyond what a stream can give: the resource-bounds test in tests/faults.)
#include "bgltext/jm_decompress.h"
#include "tests/bgltext/run_helpers.h"

namespace bgltest {
namespace {

using Bytes = std::vector<uint8_t>;

// Decodes stream into a payload of limit bytes after prefix.
bool Decode(const Bytes& stream, size_t limit, Bytes& payload, const Bytes& prefix = {}) {
  Bytes out = prefix;
  size_t produced = 0;
  bool ok = bgltext::JmDecompress(stream.data(), stream.size(), out, limit, produced);
  payload.assign(out.begin() + static_cast<std::ptrdiff_t>(prefix.size()), out.end());
  EXPECT_EQ(produced, payload.size());
  return ok;
}

// Literals, then a match when length is not 0, then an end-of-block code
// unless told otherwise.
Bytes Stream(const std::string& literals, uint32_t distance = 0, uint32_t length = 0,
             bool end = true) {
  JmStreamWriter w;
  for (char c : literals) w.Literal(static_cast<uint8_t>(c));
  if (length) w.Match(distance, length);
  if (end) w.EndOfBlock();
  return w.Finish();
}

TEST(JmDecompress, EachDistanceAndLengthClass) {
  Bytes data;
  JmStreamWriter w;
  for (int i = 0; i < 400; ++i) {  // literals of every byte value
    data.push_back(static_cast<uint8_t>(i * 7));
    w.Literal(static_cast<uint8_t>(i * 7));
  }
  // 6-bit class (0..63), 8-bit class (64..319), 12-bit class (320..4414).
  for (uint32_t distance : {5u, 63u, 64u, 319u, 320u, 399u}) {
    w.Match(distance, 2);
    for (int k = 0; k < 3; ++k) data.push_back(data[data.size() - distance]);
  }
  w.EndOfBlock();
  Bytes out;
  ASSERT_TRUE(Decode(w.Finish(), data.size(), out));
  EXPECT_EQ(out, data);
  // Each length class copies length + 1 bytes.
  for (uint32_t length : {2u, 3u, 4u, 5u, 8u, 9u, 16u, 17u, 200u, 1025u}) {
    Bytes expected = {'a', 'b', 'c'};
    for (uint32_t i = 0; i < length + 1; ++i) expected.push_back(expected[i]);
    ASSERT_TRUE(Decode(Stream("abc", 3, length), expected.size(), out)) << length;
    EXPECT_EQ(out, expected) << length;
  }
}

// Streams decoded after the header bytes "HDR"; no expected text: refused.
TEST(JmDecompress, StreamsByHandAndFailures) {
  JmStreamWriter byHand;  // 'x', then a match at distance 1 (1,0,0 + 000001),
  byHand.Literal('x');    // length code 001 + 2 bits 11: L = 3 + 4 + 1 = 8, 9 bytes
  for (auto [value, count] :
       {std::pair{1u, 1u}, {0u, 1u}, {0u, 1u}, {1u, 6u}, {0u, 2u}, {1u, 1u}, {3u, 2u}})
    byHand.Bits(value, count);
  byHand.EndOfBlock();
  JmStreamWriter twoBlocks;  // decoding ends at the size, not at the last block
  for (char c : {'a', 'b'}) {
    twoBlocks.Literal(static_cast<uint8_t>(c));
    twoBlocks.EndOfBlock();
  }
  twoBlocks.Literal('c');
  const struct {
    const char* what;
    Bytes stream;
    size_t limit;
    const char* expected;
  } cases[] = {
      // Literal 'A' (0x41): bit 0, then 1000001 from its low bit: 0x82, 0x00. End
      // of block: 1,0 then 1,1 then 4095 (4415 - 320) in 12 bits: 0xFD, 0xFF.
      {"least significant bit first", {'J', 'M', 0, 0, 0x82, 0xFD, 0xFF}, 1, "A"},
      {"length code by hand", byHand.Finish(), 10, "xxxxxxxxxx"},
      {"overlapping copy", Stream("ab", 2, 6), 9, "ababababa"},
      {"end of block before the size", twoBlocks.Finish(), 2, "ab"},
      {"match into the header", Stream("", 3, 2), 3, "HDR"},
      {"match before the header", Stream("", 4, 2), 3, nullptr},
      {"no end of block", Stream("a", 0, 0, false), 5, nullptr},
      {"a match past the size", Stream("a", 1, 5), 4, nullptr},
  };
  for (const auto& c : cases) {
    Bytes out;
    EXPECT_EQ(Decode(c.stream, c.limit, out, {'H', 'D', 'R'}), c.expected != nullptr) << c.what;
    if (c.expected) {
      EXPECT_EQ(std::string(out.begin(), out.end()), c.expected) << c.what;
    }
  }
}

// --- the loader -------------------------------------------------------------

TEST(BglLoader, DecodesLikeThePlainFileButSection21IsGone) {
  BglBuilder b = UsualBuilder();
  b.Slot(7, 128).Slot(21, 128).Body().Text("abcabcabcabcabcabc").U32(0);
  auto r = RunBgl(b.BuildCompressed(0));
  EXPECT_EQ(r.status, 0) << r.console;
  EXPECT_EQ(SingleText(r), HeaderLines(Slots({{7, 128}})) + "\n" + Sorry(7));
  EXPECT_NE(r.console.find("Analyzing section 21... does not exist\nDone.\n\n"), std::string::npos);

  // A stored checksum other than 0.
  auto bad = RunBgl(b.BuildCompressed(5));
  EXPECT_EQ(bad.status, -1);
  EXPECT_NE(bad.console.find("Bad checksum.\n"), std::string::npos) << bad.console;
  EXPECT_TRUE(bad.files.empty());
  // The compression header cut short.
  Bytes cut = BglBuilder().Build();
  cut.insert(cut.end(), {0x01, 0xEF, 0xCD, 0xAB, 1, 0});
  bad = RunBgl(cut);
  EXPECT_EQ(bad.status, -1);
  EXPECT_NE(bad.console.find("Decompression of BGL file failed.\n"), std::string::npos);
}

}  // namespace
}  // namespace bgltest
