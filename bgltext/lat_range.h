// Units of decoding shared by the sections: the two-pass unit, the LatRange
// subtable walk and the latitude-band files of section 0.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "bgltext/coord_value.h"
#include "bgltext/text_format.h"

namespace bgltext {

class BglRun;

constexpr size_t kLatRangeMaxEntries = 99;

struct LatRangeEntry {
  CoordValue first;  // 24-bit latitude of the stored word × 256
  CoordValue second;
  uint32_t offset;  // relative to the section start
};

// Decodes the records of one unit with the cursor at its start.
using UnitDecoder = std::function<void(BglRun& run)>;

// Clears the labels, decodes the unit in Collect mode, seeks back to start,
// decodes it in Print mode, clears the labels. End of data ends a pass (with
// "EOF!!!" in the text of the Print pass).
void RunTwoPassUnit(BglRun& run, uint32_t start, const UnitDecoder& decode);

// Reads the subtable at the cursor (throws FileError after "subtable
// overflow." on a 100th entry).
std::vector<LatRangeEntry> ReadLatRangeSubtable(BglRun& run);

// The LatRange walk of section n starting at sectionStart: one output
// "%s%d-%d" per entry with its header block and LatRange line, then decode at
// sectionStart + offset, as a two-pass unit when twoPass is set.
void WalkLatRanges(BglRun& run, int section, uint32_t sectionStart, bool twoPass,
                   const UnitDecoder& decode);

// Section 0: opens the file of the band (first, second latitude words) for
// its records: the earlier file of the same pair is reopened for appending;
// a new pair opens "%s0-%d" and writes the header block and LatRange line.
// Throws FileError when the file cannot be opened.
void OpenLatitudeBand(BglRun& run, uint16_t firstWord, uint16_t secondWord);

// The text written when end of data ends a pass or a section.
inline constexpr FormatText kEofLine = "EOF!!!\n";

}  // namespace bgltext
