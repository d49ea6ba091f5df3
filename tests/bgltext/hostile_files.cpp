// Hostile BGL files for the regression tests and for measuring.
#include "tests/bgltext/hostile_files.h"

#include "tools/bglwriter/bgl_builder.h"

namespace bgltest {
namespace {

constexpr uint32_t kLongestCopy = 1u << 31;  // the longest copy one match gives

std::vector<uint8_t> CheapLengthCodesStream(uint32_t produced) {
  JmStreamWriter w;
  w.Literal(0);
  uint32_t left = produced - 1;
  while (left != 0) {
    // A copy of c bytes is a match of length c - 1, at least 2.
    uint32_t copy = left < kLongestCopy ? left : kLongestCopy;
    if (left - copy != 0 && left - copy < 3) copy -= 3;
    w.Match(1, copy - 1);
    left -= copy;
  }
  w.EndOfBlock();
  return w.Finish();
}

}  // namespace

size_t CheapLengthCodesStreamLength(uint32_t produced) {
  return CheapLengthCodesStream(produced).size();
}

std::vector<uint8_t> CheapLengthCodesFile(uint32_t claim, uint32_t produced) {
  std::vector<uint8_t> file = BglBuilder().Build();
  ByteWriter w;
  w.U32(0xABCDEF01u).U32(claim).U32(0).U32(0).U32(0).Bytes(CheapLengthCodesStream(produced));
  file.insert(file.end(), w.Data().begin(), w.Data().end());
  return file;
}

std::vector<uint8_t> SharedObjectListFile(size_t entries, size_t records) {
  BglBuilder b;
  uint32_t start = b.BeginSection(10);
  uint32_t object = static_cast<uint32_t>(20 * entries + 4);
  for (size_t i = 0; i < entries; ++i)
    b.Body().U32(object).U32(static_cast<uint32_t>(i)).U32(0).U32(0).U32(0);
  b.Body().U32(0);
  // The object header (full layout, no name), then Rec47 records.
  uint32_t length = static_cast<uint32_t>(41 + 4 * records);
  b.Body().Fill(16).U8(1).U32(41).U32(length).U32(1).U32(0x10000).U32(0).U32(0);
  for (size_t i = 0; i < records; ++i) b.Body().U8(0x47).U8(0).U16(0);
  (void)start;
  return b.Build();
}

}  // namespace bgltest
