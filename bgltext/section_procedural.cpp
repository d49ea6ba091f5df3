// Section 9, procedural scenery: per LatRange entry a two-pass unit whose
// areas are interpreted through the procedural OpcodeTable.
#include "bgltext/area_loop.h"
#include "bgltext/bgl_run.h"
#include "bgltext/lat_range.h"
#include "bgltext/procedural_handlers.h"
#include "bgltext/record_io.h"
#include "bgltext/section_decoders.h"

namespace bgltext {
namespace {

constexpr FormatText kEndOfLatRange = ";;;;; End of LatRange\n";
constexpr FormatText kAreaLine = "Area( %X %s %s %d )\n";
constexpr FormatText kClosingLine = "EndA\n\n";
constexpr FormatText kUnknownTopLevel = ";;; unknown record: 0x%x\n";

constexpr uint8_t kFirstAreaRecord = 4;
constexpr uint8_t kLastAreaRecord = 14;

// Width of an area header's length field, by opening record.
int AreaLengthWidth(uint8_t record) {
  switch (record) {
    case 4:
    case 7:
    case 10:
      return 1;
    case 5:
    case 8:
    case 11:
    case 13:
      return 2;
    default:  // 6, 9, 12, 14
      return 4;
  }
}

TopLevelResult ProceduralTopLevel(BglRun& run, uint8_t b, uint32_t offset) {
  if (b == 0 || b == 22 || b == 23) {
    Print<kEndOfLatRange>(run);
    return {TopLevelResult::EndWalk};
  }
  if (b < kFirstAreaRecord || b > kLastAreaRecord) return {TopLevelResult::Unknown};
  BglImage& img = run.image;
  CoordValue lat = Lat32(img.SDword());
  CoordValue lon = Lon32(img.Dword());
  int v = img.Byte();
  uint32_t length;
  switch (AreaLengthWidth(b)) {
    case 1:
      length = img.Byte();
      break;
    case 2:
      length = img.Word();
      break;
    default:
      length = img.Dword();
      break;
  }
  if (run.Pass() == DecodePass::Print) Print<kAreaLine>(run, b, lat, lon, v);
  return {TopLevelResult::OpenArea, offset + length};
}

const AreaLoopSpec& ProceduralAreaSpec() {
  static const AreaLoopSpec spec{&ProceduralTable(), WriteLine<kClosingLine>,
                                 WriteByteLine<kUnknownTopLevel>, ProceduralTopLevel};
  return spec;
}

}  // namespace

void DecodeProceduralSection(BglRun& run, int section, uint32_t slot) {
  WalkLatRanges(run, section, slot, true, [](BglRun& r) { RunAreaLoop(r, ProceduralAreaSpec()); });
}

}  // namespace bgltext
