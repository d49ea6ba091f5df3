// Hostile BGL images at a chosen size, each made by repeating its hostile
// part: the benchmark of the real bgltext and the memory-bound test read
// the same files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace bgltest {

enum class HostileKind {
  HugeClaim,         // compressed, claims a payload of about 4 GB
  FullExpansion,     // compressed, expands 1024 times (or to 256 MB)
  HugeCounts,        // procedural records with counts of 65535
  UnendedDirectory,  // airport directory lists without their closing 0
  SharedLatRange,    // 99 LatRange entries, all at one unit the size of the file
  JumpChain,         // an area of jumps, each to the next record
  PackedTargets,     // compressed, unpacks to Switch records: a jump target per word
};
constexpr HostileKind kHostileKinds[] = {HostileKind::HugeClaim,      HostileKind::FullExpansion,
                                         HostileKind::HugeCounts,     HostileKind::UnendedDirectory,
                                         HostileKind::SharedLatRange, HostileKind::JumpChain,
                                         HostileKind::PackedTargets};
const char* HostileKindName(HostileKind kind);
// Whether bgltext unpacks the image's payload (a compressed file that keeps
// its claim), so that its memory holds the unpacked image too.
bool HostileKindUnpacks(HostileKind kind);

// An image of the kind of about `size` bytes (at least a few hundred).
std::vector<uint8_t> HostileImage(HostileKind kind, size_t size);

// The "JM" stream of a literal 0 and then matches with long, cheap length
// codes (about 70 bits each for up to 2^31 bytes): exactly `produced` zero
// bytes (4 .. 2^32 - 1), then the end-of-block code.
std::vector<uint8_t> CheapLengthCodesStream(uint32_t produced);

}  // namespace bgltest
