// Sections 1 to 6 (synthetic scenery blocks of levels 1 to 6) and section 19
// (exclusion rectangles).
#include "bgltext/bgl_run.h"
#include "bgltext/record_format.h"
#include "bgltext/record_io.h"
#include "bgltext/section_decoders.h"

namespace bgltext {
namespace {

constexpr char kUnknownRecord[] = "unknown record\n";
constexpr char kIllegalLongitude[] = "illegal longitude in synth block\n";
constexpr char kSectionName[] = "%s%d";
constexpr char kExclusionName[] = "%s19";
constexpr char kLatRangeLine[] = "LatRange( %s %s )\n";
constexpr char kSynthLine[] = "Synth %d %d\n";
constexpr char kBlockLine[] = "\tBlock %d %X %X %X %f\n";
constexpr char kStrayByte[] = "Dbx( %X )\n";
constexpr char kGenIncl[] = "GenIncl( exclude.bgl %x\n\t%s %s %s %s\n\t%s %s %s %s )\n";

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
  Emit(run, kBlockLine, index, c1, c2, x, value + fraction / 256.0);
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
      if (last < first) run.Fatal(1, kIllegalLongitude);
      for (unsigned i = first; i <= last; ++i) Block(run, i);
    } else {
      run.Fatal(1, kUnknownRecord);
    }
  }
}

void Rectangle(BglRun& run) {
  BglImage& img = run.image;
  unsigned id = img.Word();
  CoordValue lat1 = Lat32(img.SDword()), lat2 = Lat32(img.SDword());
  CoordValue lon1 = Lon32(img.Dword()), lon2 = Lon32(img.Dword());
  std::string a = lat1.Text(), b = lat2.Text(), c = lon1.Text(), d = lon2.Text();
  Emit(run, kGenIncl, id, a.c_str(), b.c_str(), c.c_str(), d.c_str(), a.c_str(), b.c_str(), c.c_str(), d.c_str());
}

}  // namespace

void DecodeSyntheticSection(BglRun& run, int section, uint32_t slot) {
  BglImage& img = run.image;
  if (!run.OpenSectionOutput(Format(kSectionName, kNamePrefix, section), false)) return;
  run.SectionHeaderBlock(section);
  Emit(run, kLatRangeLine, CoordText(run.header.south).c_str(), CoordText(run.header.north).c_str());
  for (;;) {
    uint8_t b = img.Byte();
    if (b == 0) break;
    if (b != kSynthTableEntry) run.Fatal(1, kUnknownRecord);
    int t = img.Word();
    uint32_t offset = img.Dword();
    Emit(run, kSynthLine, section, t);
    size_t next = img.Pos();
    img.Seek(static_cast<uint64_t>(slot) + offset);
    Blocks(run);
    img.Seek(next);
  }
  run.CloseSectionOutput();
}

void DecodeExclusionSection(BglRun& run, int section, uint32_t) {
  BglImage& img = run.image;
  if (!run.OpenSectionOutput(Format(kExclusionName, kNamePrefix), false)) return;
  run.SectionHeaderBlock(section);
  for (;;) {
    uint8_t b = img.Byte();
    if (b == 0) break;
    if (b == kRectangle)
      Rectangle(run);
    else
      Emit(run, kStrayByte, b);
  }
  run.CloseSectionOutput();
}

}  // namespace bgltext
