// Hostile BGL files that once made bgltext use unbounded memory or write
// unbounded text, built for the regression tests and for measuring.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace bgltest {

// A compressed file whose stream is a literal and then matches with long,
// cheap length codes (about 70 bits each for up to 2^31 bytes): the stream
// gives exactly `produced` bytes (at least 4, at most 2^32 - 1) and the
// header claims `claim` of them.
std::vector<uint8_t> CheapLengthCodesFile(uint32_t claim, uint32_t produced);

// The stream length (file size less the 128-byte header and the 20-byte
// compression header) of CheapLengthCodesFile(.., produced).
size_t CheapLengthCodesStreamLength(uint32_t produced);

// Section 10 with `entries` list entries that all name one library object
// of `records` raw-dump records (4 bytes each, about 70 bytes of text).
std::vector<uint8_t> SharedObjectListFile(size_t entries, size_t records);

}  // namespace bgltest
