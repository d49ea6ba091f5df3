// Generator of section 9 images for the decode benchmark.
#include "bench/procedural_image_generator.h"

namespace bglbench {
namespace {

constexpr size_t kHeaderLength = 128;
constexpr size_t kSection9Slot = 58;  // 26 + 4 * (9 - 1)
constexpr size_t kLatRangeEntries = 99;
constexpr size_t kSubtableLength = kLatRangeEntries * 9 + 1;

class Writer {
 public:
  explicit Writer(std::vector<uint8_t>& out) : out_(out) {}
  Writer& U8(uint32_t v) {
    out_.push_back(static_cast<uint8_t>(v));
    return *this;
  }
  Writer& U16(uint32_t v) { return U8(v).U8(v >> 8); }
  Writer& U32(uint32_t v) { return U16(v).U16(v >> 16); }
  Writer& Op(uint8_t opcode) { return U8(opcode).U8(0); }
  size_t Size() const { return out_.size(); }
  void PatchU32(size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) out_[at + i] = static_cast<uint8_t>(v >> (8 * i));
  }

 private:
  std::vector<uint8_t>& out_;
};

// One area: a point list, colours, polygons, a variable test that jumps
// over a block, a reference point and a call to a subroutine at its end.
void WriteArea(Writer& w, uint32_t seed) {
  size_t start = w.Size();
  w.U8(6).U32(0x01000000u + seed).U32(0x20000000u + seed * 16).U8(1).U32(0);  // header, length patched
  w.Op(0x2F).U16(0).U16(1).U16(2).U16(0).U32(0x10000);                        // RefPoints to itself
  w.U16(0).U32(5000875 + seed).U16(0).U32(0x40000000u + seed).U16(0x8000).U32(10);
  w.Op(0x1A).U16(0).U16(8);                                                   // Points
  for (uint32_t i = 0; i < 8; ++i) w.U16(i * 10).U16(seed & 0xFF).U16(0xFFFF - i);
  w.Op(0x52).U8(0xF0).U8(seed & 0xFF);                                        // SurfaceColor
  size_t test = w.Size();
  w.Op(0x24).U16(0).U16(0x1F).U16(0).U16(100);                                // IfVarRange, patched
  w.Op(0x3E).U16(4).U16(0).U16(0x7FFF).U16(0).U32(32767);                     // Poly
  for (uint32_t i = 0; i < 4; ++i) w.U16(i);
  w.Op(0x16).U16(0x2A).U16(seed & 0x7FFF);                                    // SetVar
  w.Op(0x20).U16(4).U16(0).U16(0).U16(0x7FFF).U32(0x4000);                   // TexPoly
  for (uint32_t i = 0; i < 4; ++i) w.U16(i).U16(i * 64).U16(255 - i);
  size_t call = w.Size();
  w.Op(0x23).U16(0);                                                          // Call, patched
  uint32_t skip = static_cast<uint32_t>(w.Size() - test);
  w.Op(0x0E).U16(1).U16(2).U16(3).U16(4);                                     // DefPoint
  w.Op(0x10).U16(1);                                                          // DrawToPt
  uint32_t sub = static_cast<uint32_t>(w.Size() - call);
  w.Op(0x51).U8(1).U8(2);                                                     // LineColor
  w.Op(0x22);                                                                 // Return
  w.PatchU32(start + 10, static_cast<uint32_t>(w.Size() - start));
  // Displacements count from the opcode word: the test jumps over the call
  // and the call reaches the subroutine at the end.
  w.PatchU32(test + 2, (skip & 0xFFFF) | (0x1Fu << 16));
  w.PatchU32(call, 0x23u | (sub << 16));
}

}  // namespace

std::vector<uint8_t> GenerateProceduralImage(size_t bytes) {
  std::vector<uint8_t> out(kHeaderLength, 0);
  out.reserve(bytes + 4096);
  Writer w(out);
  size_t section = w.Size();
  w.PatchU32(kSection9Slot, static_cast<uint32_t>(section));
  for (size_t i = 0; i < kSubtableLength; ++i) w.U8(0);
  size_t perEntry = bytes > kHeaderLength ? (bytes - kHeaderLength) / kLatRangeEntries : 0;
  uint32_t seed = 0;
  for (size_t e = 0; e < kLatRangeEntries; ++e) {
    size_t at = section + e * 9;
    out[at] = 21;
    w.PatchU32(at + 5, static_cast<uint32_t>(w.Size() - section));
    size_t unitStart = w.Size();
    do WriteArea(w, seed++);
    while (w.Size() - unitStart < perEntry);
    w.U8(0);  // ends the LatRange's walk
  }
  return out;
}

}  // namespace bglbench
