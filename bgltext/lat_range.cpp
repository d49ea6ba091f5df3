// The two-pass unit, the LatRange subtable walk and section 0's latitude bands.
#include "bgltext/lat_range.h"

#include <algorithm>

#include "bgltext/bgl_run.h"

namespace bgltext {

namespace {

constexpr FormatText kSubtableOverflow = "subtable overflow.\n";
constexpr FormatText kLatRangeConsole = "\tLatRange %d\n";
constexpr FormatText kLatRangeLine = "LatRange( %s %s )\n";
constexpr FormatText kUnitName = "%s%d-%d";
constexpr FormatText kBandName = "%s0-%d";

constexpr uint8_t kSubtableEnd = 0;
constexpr uint8_t kSubtableEntry = 21;

void RunPass(BglRun& run, DecodePass pass, uint32_t start, const UnitDecoder& decode) {
  run.SetPass(pass);
  run.image.Seek(start);
  try {
    decode(run);
  } catch (BgltextException e) {
    if (e != EndOfData) throw;
    Print<kEofLine>(run);
  }
}

CoordValue BandLatitude(uint16_t word) { return Lat24(static_cast<uint32_t>(word) << 8); }

}  // namespace

void RunTwoPassUnit(BglRun& run, uint32_t start, const UnitDecoder& decode) {
  run.Labels().Clear();
  RunPass(run, DecodePass::Collect, start, decode);
  RunPass(run, DecodePass::Print, start, decode);
  run.Labels().Clear();
}

std::vector<LatRangeEntry> ReadLatRangeSubtable(BglRun& run) {
  std::vector<LatRangeEntry> entries;
  for (;;) {
    uint8_t b = run.image.Byte();
    if (b == kSubtableEnd) return entries;
    if (b != kSubtableEntry) continue;
    LatRangeEntry e;
    e.first = BandLatitude(run.image.Word());
    e.second = BandLatitude(run.image.Word());
    e.offset = run.image.Dword();
    if (entries.size() == kLatRangeMaxEntries) {
      ConsolePrint<kSubtableOverflow>(run);
      throw FileError;
    }
    entries.push_back(e);
  }
}

void WalkLatRanges(BglRun& run, int section, uint32_t sectionStart, bool twoPass,
                   const UnitDecoder& decode) {
  std::vector<LatRangeEntry> entries = ReadLatRangeSubtable(run);
  for (size_t i = 0; i < entries.size(); ++i) {
    int number = static_cast<int>(i) + 1;
    ConsolePrint<kLatRangeConsole>(run, number);
    std::string name = Format<kUnitName>(kNamePrefix, section, number);
    if (!run.OpenSectionOutput(name, false) || !run.HasOutput()) {
      ConsolePrint<kCantOpenFile>(run, name);
      throw FileError;
    }
    run.SectionHeaderBlock(section);
    PrintAlways<kLatRangeLine>(run, entries[i].first, entries[i].second);
    uint32_t unitStart = sectionStart + entries[i].offset;
    if (twoPass) {
      RunTwoPassUnit(run, unitStart, decode);
    } else {
      run.image.Seek(unitStart);
      decode(run);
    }
    run.CloseSectionOutput();
  }
}

void OpenLatitudeBand(BglRun& run, uint16_t firstWord, uint16_t secondWord) {
  CoordValue first = BandLatitude(firstWord), second = BandLatitude(secondWord);
  auto key = std::make_pair(first.raw, second.raw);
  auto& bands = run.latitudeBands;
  auto it = std::find(bands.begin(), bands.end(), key);
  if (it != bands.end()) {
    run.ReopenSectionOutput(Format<kBandName>(kNamePrefix, static_cast<int>(it - bands.begin())));
    return;
  }
  std::string name = Format<kBandName>(kNamePrefix, static_cast<int>(bands.size()));
  if (!run.OpenSectionOutput(name, false)) throw FileError;
  bands.push_back(key);
  run.SectionHeaderBlock(0);
  Print<kLatRangeLine>(run, first, second);
}

}  // namespace bgltext
