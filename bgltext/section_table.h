// The section dispatch: for each of the 22 section slots its name (used in
// the section header block) and its decoder. A decoder is entered with the
// cursor at the slot's offset (clamped to the end of the image).
#pragma once

#include <cstdint>

namespace bgltext {

class BglRun;

// section: the slot number; slot: the value the header holds in that slot.
using SectionDecoder = void (*)(BglRun& run, int section, uint32_t slot);

struct SectionEntry {
  int section;
  const char* name;
  SectionDecoder decode;  // null: the section cannot be decoded
};

// The row of section n (0 to 21).
const SectionEntry& SectionRow(int section);
const char* SectionName(int section);

}  // namespace bgltext
