// The decoder of the "JM" bit stream: literals and back-references, read
// least-significant bit first.
#include "bgltext/jm_decompress.h"

namespace bgltext {
namespace {

class BitReader {
 public:
  BitReader(const uint8_t* data, size_t length) : data_(data), length_(length) {}

  // Returns false when the stream has no bits left.
  bool Bits(unsigned n, uint32_t& value) {
    value = 0;
    for (unsigned i = 0; i < n; ++i) {
      if (!Fill()) return false;
      value |= static_cast<uint32_t>(buffer_ & 1u) << i;
      buffer_ >>= 1;
      --count_;
    }
    return true;
  }
  bool Bit(uint32_t& value) { return Bits(1, value); }

 private:
  bool Fill() {
    if (count_ != 0) return true;
    if (pos_ >= length_) return false;
    buffer_ = data_[pos_++];
    count_ = 8;
    return true;
  }

  const uint8_t* data_;
  size_t length_;
  size_t pos_ = 0;
  uint32_t buffer_ = 0;
  unsigned count_ = 0;
};

// The longest run of 0 bits that a length code may start with: anything
// longer asks for more bytes than a 32-bit size can hold.
constexpr uint32_t kMaxLengthBits = 30;

}  // namespace

uint64_t JmPayloadLimit(size_t streamLength) {
  uint64_t limit = kJmMaxExpansion * streamLength;
  return limit < kJmMaxPayload ? limit : kJmMaxPayload;
}

bool JmDecompress(const uint8_t* stream, size_t length, std::vector<uint8_t>& out, size_t limit,
                  size_t& produced) {
  produced = 0;
  if (length <= 4 || stream[0] != 'J' || stream[1] != 'M') return false;
  BitReader in(stream + 4, length - 4);
  for (;;) {
    uint32_t bit = 0;
    uint32_t v = 0;
    if (!in.Bit(bit)) return false;
    if (bit == 0 || (in.Bit(bit) && bit == 1)) {
      // bit 0: literal 0..127; bits 1,1: literal 128..255.
      bool high = bit == 1;
      if (!in.Bits(7, v)) return false;
      if (produced >= limit) return false;
      out.push_back(static_cast<uint8_t>(v + (high ? 128 : 0)));
      ++produced;
      continue;
    }
    // bits 1,0 (or a stream that ran out after the 1): a match.
    uint32_t distance = 0;
    if (!in.Bit(bit)) return false;
    if (bit == 0) {
      if (!in.Bits(6, distance)) return false;
    } else {
      if (!in.Bit(bit)) return false;
      if (bit == 0) {
        if (!in.Bits(8, distance)) return false;
        distance += 64;
      } else {
        if (!in.Bits(12, distance)) return false;
        distance += 320;
      }
    }
    if (distance == kJmEndOfBlock) {
      if (produced < limit) continue;
      return true;
    }
    uint32_t k = 0;
    for (;;) {
      if (!in.Bit(bit)) return false;
      if (bit == 1) break;
      if (++k > kMaxLengthBits) return false;
    }
    uint64_t len = 2;
    if (k != 0) {
      if (!in.Bits(k, v)) return false;
      len = static_cast<uint64_t>(v) + (uint64_t{1} << k) + 1;
    }
    uint64_t copy = len + 1;
    if (copy > limit - produced) return false;
    if (distance > out.size()) return false;
    size_t from = out.size() - distance;
    for (uint64_t i = 0; i < copy; ++i) {
      // Overlapping copies repeat the pattern; a distance of 0 reads the byte
      // about to be written, which is still 0.
      out.push_back(from + i < out.size() ? out[from + i] : 0);
    }
    produced += static_cast<size_t>(copy);
  }
}

}  // namespace bgltext
