// Sections 1 to 6 (synthetic scenery blocks of levels 1 to 6) and section 19
// (exclusion rectangles).
#include "bgltext/bgl_run.h"
#include "bgltext/record_io.h"
#include "bgltext/section_decoders.h"

namespace bgltext {
namespace {

constexpr FormatText kUnknownRecord = "unknown record\n";
constexpr FormatText kIllegalLongitude = "illegal longitude in synth block\n";
constexpr FormatText kSectionName = "%s%d";
constexpr FormatText kExclusionName = "%s19";
constexpr FormatText kLatRangeLine = "LatRange( %s %s )\n";
constexpr FormatText kSynthLine = "Synth %d %d\n";
constexpr FormatText kBlockLine = "\tBlock %d %X %X %X %f\n";
constexpr FormatText kStrayByte = "Dbx( %X )\n";
constexpr FormatText kGenIncl = "GenIncl( exclude.bgl %x\n\t%s %s %s %s\n\t%s %s %s %s )\n";

constexpr uint8_t kSynthTableEntry = 22;
constexpr uint8_t kSingleBlock = 4;
constexpr uint8_t kBlockRun = 5;
constexpr uint8_t kRectangle = 3;

// The block body after its index: two bytes, a word, a fraction and a value.
void Block(BglRun& run, unsigned index) {
  BglImage& img = run.image;
  unsigned c1 = img.Byte(), c2 = img.Byte();
  unsigned x = img.Word();
  unsigned fraction = img.Byte();
  unsigned value = img.Word();
  Print<kBlockLine>(run, index, c1, c2, x, value + fraction / 256.0);
}

void Blocks(BglRun& run) {
  BglImage& img = run.image;
  for (;;) {
    uint8_t b = img.Byte();
    if (b == 0) return;
    if (b == kSingleBlock) {
      Block(run, img.Word());
    } else if (b == kBlockRun) {
      unsigned first = img.Word(), last = img.Word();
      if (last < first) Fatal<kIllegalLongitude>(run, 1);
      for (unsigned i = first; i <= last; ++i) Block(run, i);
    } else {
      Fatal<kUnknownRecord>(run, 1);
    }
  }
}

void Rectangle(BglRun& run) {
  BglImage& img = run.image;
  unsigned id = img.Word();
  CoordValue lat1 = Lat32(img.SDword()), lat2 = Lat32(img.SDword());
  CoordValue lon1 = Lon32(img.Dword()), lon2 = Lon32(img.Dword());
  Print<kGenIncl>(run, id, lat1, lat2, lon1, lon2, lat1, lat2, lon1, lon2);
}

}  // namespace

void DecodeSyntheticSection(BglRun& run, int section, uint32_t slot) {
  BglImage& img = run.image;
  if (!run.OpenSectionOutput(Format<kSectionName>(kNamePrefix, section), false)) return;
  run.SectionHeaderBlock(section);
  Print<kLatRangeLine>(run, run.header.south, run.header.north);
  for (;;) {
    uint8_t b = img.Byte();
    if (b == 0) break;
    if (b != kSynthTableEntry) Fatal<kUnknownRecord>(run, 1);
    int t = img.Word();
    uint32_t offset = img.Dword();
    Print<kSynthLine>(run, section, t);
    size_t next = img.Pos();
    img.Seek(static_cast<uint64_t>(slot) + offset);
    Blocks(run);
    img.Seek(next);
  }
  run.CloseSectionOutput();
}

void DecodeExclusionSection(BglRun& run, int section, uint32_t) {
  BglImage& img = run.image;
  if (!run.OpenSectionOutput(Format<kExclusionName>(kNamePrefix), false)) return;
  run.SectionHeaderBlock(section);
  for (;;) {
    uint8_t b = img.Byte();
    if (b == 0) break;
    if (b == kRectangle)
      Rectangle(run);
    else
      Print<kStrayByte>(run, b);
  }
  run.CloseSectionOutput();
}

}  // namespace bgltext
