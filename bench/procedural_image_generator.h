// Generator of section 9 (procedural scenery) images for the decode
// benchmark: LatRange entries full of areas with a fixed, typical mix of
// drawing, variable and jump records.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace bglbench {

// A whole BGL file of about `bytes` bytes whose section 9 holds the records.
std::vector<uint8_t> GenerateProceduralImage(size_t bytes);

}  // namespace bglbench
