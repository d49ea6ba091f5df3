// The section decoders, each registered in the table of section_table.cpp.
#pragma once

#include <cstdint>

namespace bgltext {

class BglRun;

// Section 20: the airport/facility directory.
void DecodeAfdSection(BglRun& run, int section, uint32_t slot);

// Section 0: VOR and ILS stations; 13 and 14: ATIS and NDB stations.
void DecodeVorIlsSection(BglRun& run, int section, uint32_t slot);
void DecodeAtisSection(BglRun& run, int section, uint32_t slot);
void DecodeNdbSection(BglRun& run, int section, uint32_t slot);
// Sections 1 to 6: synthetic scenery; 19: exclusion rectangles.
void DecodeSyntheticSection(BglRun& run, int section, uint32_t slot);
void DecodeExclusionSection(BglRun& run, int section, uint32_t slot);
// Section 11: airport menus.
void DecodeMenuSection(BglRun& run, int section, uint32_t slot);
// Section 9: procedural scenery; 10: library objects.
void DecodeProceduralSection(BglRun& run, int section, uint32_t slot);
void DecodeLibrarySection(BglRun& run, int section, uint32_t slot);
// Section 15: dynamic scenery; 16: markers, landing aids and time zones.
void DecodeDynamicSection(BglRun& run, int section, uint32_t slot);
void DecodeMarkerSection(BglRun& run, int section, uint32_t slot);

}  // namespace bgltext
