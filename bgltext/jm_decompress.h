// The decoder of the "JM" bit stream that compressed BGL files carry.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace bgltext {

// A stream may claim at most this many payload bytes per byte of its own,
// and never more than kJmMaxPayload: the decoder then holds no more than the
// claim, and a claim beyond it fails before anything is allocated.
constexpr uint64_t kJmMaxExpansion = 1024;
constexpr uint64_t kJmMaxPayload = uint64_t{256} << 20;
uint64_t JmPayloadLimit(size_t streamLength);

// Distance value that marks the end of a block rather than a match.
constexpr uint32_t kJmEndOfBlock = 4415;

// Decodes stream[0..length) and appends the bytes to out, which already holds
// the bytes that matches may reach back into (the file header). At most
// limit bytes are produced; a stream that would produce more, a match that
// reaches before the start of out, a bad signature or running out of bits is
// a failure (returns false). produced receives the count appended.
bool JmDecompress(const uint8_t* stream, size_t length, std::vector<uint8_t>& out, size_t limit,
                  size_t& produced);

}  // namespace bgltext
