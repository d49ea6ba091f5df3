// The "JM" decompressor and the compressed-file loader: literals, the three
// distance classes, the length classes, end-of-block codes, overlapping
// copies, matches into the header and before the array, and the loader's
// messages. Streams are written bit by bit with JmStreamWriter.
#include <gtest/gtest.h>

#include <random>

#include "bgltext/bgl_loader.h"
#include "bgltext/jm_decompress.h"
#include "tests/bgltext/bgl_builder.h"
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

TEST(JmDecompress, LiteralsBelowAndAbove128) {
  JmStreamWriter w;
  w.Literal(0x00);
  w.Literal(0x41);
  w.Literal(0x7F);
  w.Literal(0x80);
  w.Literal(0xFF);
  w.EndOfBlock();
  Bytes out;
  ASSERT_TRUE(Decode(w.Finish(), 5, out));
  EXPECT_EQ(out, (Bytes{0x00, 0x41, 0x7F, 0x80, 0xFF}));
}

TEST(JmDecompress, BitsAreReadLeastSignificantFirst) {
  // Literal 'A' (0x41): bit 0, then 1000001 from its low bit: byte 0x82, 0x00.
  // End of block: 1,0 then 1,1 then 4095 (4415 - 320) in 12 bits: 0xFD, 0xFF.
  Bytes stream = {'J', 'M', 0, 0, 0x82, 0xFD, 0xFF};
  Bytes out;
  ASSERT_TRUE(Decode(stream, 1, out));
  EXPECT_EQ(out, Bytes{0x41});
}

TEST(JmDecompress, EachDistanceClassReachesBack) {
  Bytes data;
  JmStreamWriter w;
  for (int i = 0; i < 400; ++i) {
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
}

TEST(JmDecompress, EachLengthClassCopiesLengthPlusOne) {
  for (uint32_t length : {2u, 3u, 4u, 5u, 8u, 9u, 16u, 17u, 200u, 1025u}) {
    JmStreamWriter w;
    w.Literal('a');
    w.Literal('b');
    w.Literal('c');
    w.Match(3, length);
    w.EndOfBlock();
    Bytes expected = {'a', 'b', 'c'};
    for (uint32_t i = 0; i < length + 1; ++i) expected.push_back(expected[i]);
    Bytes out;
    ASSERT_TRUE(Decode(w.Finish(), expected.size(), out)) << length;
    EXPECT_EQ(out, expected) << length;
  }
}

TEST(JmDecompress, LengthCodeBitsByHand) {
  // After literal 'x': match distance 1 (1,0,0 + 000001), length code 001 + 2
  // bits 11: k = 2, L = 3 + 4 + 1 = 8, nine bytes copied.
  JmStreamWriter w;
  w.Literal('x');
  w.Bits(1, 1);
  w.Bits(0, 1);
  w.Bits(0, 1);
  w.Bits(1, 6);
  w.Bits(0, 2);
  w.Bits(1, 1);
  w.Bits(3, 2);
  w.EndOfBlock();
  Bytes out;
  ASSERT_TRUE(Decode(w.Finish(), 10, out));
  EXPECT_EQ(out, Bytes(10, 'x'));
}

TEST(JmDecompress, OverlappingCopyRepeatsThePattern) {
  JmStreamWriter w;
  w.Literal('a');
  w.Literal('b');
  w.Match(2, 6);  // seven bytes from two back
  w.EndOfBlock();
  Bytes out;
  ASSERT_TRUE(Decode(w.Finish(), 9, out));
  EXPECT_EQ(std::string(out.begin(), out.end()), "ababababa");
}

TEST(JmDecompress, EndOfBlockBeforeTheSizeIsReachedGoesOn) {
  JmStreamWriter w;
  w.Literal('a');
  w.EndOfBlock();
  w.Literal('b');
  w.EndOfBlock();
  w.Literal('c');  // never read: decoding ended
  Bytes out;
  ASSERT_TRUE(Decode(w.Finish(), 2, out));
  EXPECT_EQ(std::string(out.begin(), out.end()), "ab");
}

TEST(JmDecompress, FailuresAreReported) {
  Bytes out;
  // Too short, or a wrong signature.
  EXPECT_FALSE(Decode({'J', 'M', 0, 0}, 1, out));
  EXPECT_FALSE(Decode({'J', 'X', 0, 0, 0}, 1, out));
  // Running out of bits before an end of block.
  {
    JmStreamWriter w;
    w.Literal('a');
    EXPECT_FALSE(Decode(w.Finish(), 5, out));
  }
  // A literal beyond the stated size.
  {
    JmStreamWriter w;
    w.Literal('a');
    w.Literal('b');
    w.EndOfBlock();
    EXPECT_FALSE(Decode(w.Finish(), 1, out));
  }
  // A match that would run past the stated size.
  {
    JmStreamWriter w;
    w.Literal('a');
    w.Match(1, 5);
    w.EndOfBlock();
    EXPECT_FALSE(Decode(w.Finish(), 4, out));
  }
}

TEST(JmDecompress, MatchesMayReachIntoTheHeaderButNotBeforeIt) {
  Bytes header = {'H', 'D', 'R'};
  {
    JmStreamWriter w;
    w.Match(3, 2);  // the three header bytes
    w.EndOfBlock();
    Bytes out;
    ASSERT_TRUE(Decode(w.Finish(), 3, out, header));
    EXPECT_EQ(out, header);
  }
  {
    JmStreamWriter w;
    w.Match(4, 2);
    w.EndOfBlock();
    Bytes out;
    EXPECT_FALSE(Decode(w.Finish(), 3, out, header));
  }
}

TEST(JmDecompress, CompressorRoundTrip) {
  std::mt19937 rng(3);
  for (int round = 0; round < 20; ++round) {
    Bytes data(rng() % 6000);
    for (size_t i = 0; i < data.size(); ++i) {
      // Runs, repeats at various distances and noise.
      uint32_t pick = rng() % 4;
      data[i] = pick == 0                 ? static_cast<uint8_t>(rng())
                : (i >= 300 && pick == 1) ? data[i - 300]
                                          : (i > 0 ? data[i - 1] : 0);
    }
    Bytes out;
    ASSERT_TRUE(Decode(JmCompress(data), data.size(), out));
    EXPECT_EQ(out, data);
  }
}

// --- the loader -------------------------------------------------------------

// A compressed file from a header, a payload size, a checksum and a stream.
Bytes CompressedFile(BglBuilder& b, uint32_t size, uint32_t checksum, const Bytes& stream) {
  Bytes file = b.Build();
  ByteWriter w;
  w.U32(0xABCDEF01u).U32(size).U32(checksum).U32(0).U32(0).Bytes(stream);
  file.insert(file.end(), w.Data().begin(), w.Data().end());
  return file;
}

std::string Load(const Bytes& file, bgltext::BglImage& image) {
  std::string console;
  bgltext::Console c(&console);
  bgltext::LoadBglBytes(file, image, c);
  return console;
}

TEST(BglLoader, CompressedImageIsHeaderPlusPayloadWithSection21Cleared) {
  BglBuilder b;
  b.SceneryId(0x4242).Slot(21, 0x1234);
  JmStreamWriter w;
  w.Literal('p');
  w.Match(129, 2);  // reaches back to the first bytes of the header copy
  w.EndOfBlock();
  bgltext::BglImage image;
  EXPECT_EQ(Load(CompressedFile(b, 4, 0, w.Finish()), image), "");
  ASSERT_EQ(image.Size(), 132u);
  Bytes expected = b.Build();
  for (int i = 0; i < 4; ++i) expected[122 + i] = 0;
  uint8_t third = expected[2];
  expected.insert(expected.end(), {'p', 0x42, 0x42, third});
  EXPECT_EQ(image.Bytes(), expected);
}

TEST(BglLoader, LoaderMessages) {
  BglBuilder b;
  JmStreamWriter good;
  good.Literal('a');
  good.EndOfBlock();
  bgltext::BglImage image;
  EXPECT_EQ(Load(CompressedFile(b, 1, 7, good.Finish()), image), "Bad checksum.\n");
  EXPECT_EQ(Load(CompressedFile(b, 1, 0, {'J', 'M', 0}), image),
            "Decompression of BGL file failed.\n");
  JmStreamWriter far;
  far.Match(129, 2);
  far.EndOfBlock();
  EXPECT_EQ(Load(CompressedFile(b, 3, 0, far.Finish()), image),
            "Decompression of BGL file failed.\n");
  // A stated size far beyond what the stream gives is refused, not allocated.
  EXPECT_EQ(Load(CompressedFile(b, 0xFFFFFFF0u, 0, good.Finish()), image),
            "Decompression of BGL file failed.\n");
  // The compression header cut short.
  Bytes cut = b.Build();
  cut.insert(cut.end(), {0x01, 0xEF, 0xCD, 0xAB, 1, 0});
  EXPECT_EQ(Load(cut, image), "Decompression of BGL file failed.\n");
}

TEST(BglLoader, ExtendedHeaderWithNameListsIsNeverCompressed) {
  BglBuilder b;
  b.Extended({}, 1).ExtendedField(156, 0x200);
  b.Body().U32(0xABCDEF01u).U32(5).U32(0).U32(0).U32(0);
  bgltext::BglImage image;
  EXPECT_EQ(Load(b.Build(), image), "");
  EXPECT_EQ(image.Bytes(), b.Build());
  // Without those offsets the same marker means a compressed file.
  BglBuilder c;
  c.Extended({}, 1);
  c.Body().U32(0xABCDEF01u).U32(5).U32(0).U32(0).U32(0);
  EXPECT_EQ(Load(c.Build(), image), "Decompression of BGL file failed.\n");
}

TEST(BglLoader, CompressedAndPlainFilesDecodeToTheSameText) {
  BglBuilder b;
  b.Extended({1, 2, 3}, 0x100).Slot(21, 0);
  AfdWriter afd(b);
  afd.BeginContainers();
  uint32_t c = afd.BeginContainer(1);
  afd.AirportPosition(47.5, -122.25, 100.0);
  afd.Icao("KSEA");
  afd.EndContainer();
  afd.EndContainers();
  afd.BeginNameLists();
  afd.BeginNameList(1, 1);
  afd.NameEntry(0x50001, c, "Seattle Tacoma Intl");
  afd.EndNameList();
  afd.EndNameLists();
  // The offsets at 156 and 164 keep a file with name lists from counting as
  // compressed; a compressed one carries them inside its payload only, so
  // clear them in the header and compare the decoded images.
  Bytes plain = b.Build();
  Bytes compressed = b.BuildCompressed();
  for (size_t at : {156u, 164u})
    for (int i = 0; i < 4; ++i) compressed[at + i] = 0;
  bgltext::BglImage image;
  EXPECT_EQ(Load(compressed, image), "");
  Bytes expected = plain;
  for (size_t at : {156u, 164u})
    for (int i = 0; i < 4; ++i) expected[at + i] = 0;
  EXPECT_EQ(image.Bytes(), expected);
}

TEST(BglLoader, MissingFileEndsTheRunWithMinusOne) {
  std::string console;
  bgltext::Console c(&console);
  int status = bgltext::RunBgltext({"no_such_file.bgl"}, c, nullptr);
  EXPECT_EQ(status, -1);
  EXPECT_NE(console.find("Can't open file : no_such_file.bgl\n"), std::string::npos) << console;
}

TEST(BglLoader, DecompressedImageReportsSection21Absent) {
  BglBuilder b;
  b.Slot(21, 0x80);
  JmStreamWriter w;
  w.Literal(0);
  w.EndOfBlock();
  auto r = RunBgl(CompressedFile(b, 1, 0, w.Finish()));
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.console.find("Analyzing section 21... does not exist\n"), std::string::npos)
      << r.console;
}

}  // namespace
}  // namespace bgltest
