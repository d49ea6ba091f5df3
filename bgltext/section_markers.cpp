// Section 16: marker beacons, landing aids, time zones, flatten polygons and
// Area16 blocks of small scenery programs, per LatRange entry as a two-pass
// unit.
#include <string>
#include <vector>

#include "bgltext/area_loop.h"
#include "bgltext/bgl_run.h"
#include "bgltext/lat_range.h"
#include "bgltext/navaid_text.h"
#include "bgltext/procedural_handlers.h"
#include "bgltext/record_io.h"
#include "bgltext/record_texts.h"
#include "bgltext/section_decoders.h"

namespace bgltext {
namespace {

constexpr FormatText kClosingLine = "End16\n\n";
constexpr FormatText kUnknownTopLevel = ";;; unknown record: 0x%x\n";
constexpr FormatText kMarkerLine = "\t%s( %s %s %d )\n";
constexpr FormatText kLandMe = "LandMe( %s %s %.2f %s\n\t%s %s %.2f %s\n\t%s )\n";
constexpr FormatText kTimeZone = "\tTimeZone( %s %s %s %s %d %d %d )\n";
constexpr FormatText kArea16 = "Area16( %s %s %s %s )\n";
constexpr FormatText kFlattenOpen = "\tFlattenPoly( %s %d %f\n";
constexpr FormatText kFlattenPoint = "\t\t%s %s\n";
constexpr FormatText kFlattenClose = "\t)\n";

constexpr const char* kMarkerNames[] = {"IM", "MM", "OM"};
constexpr const char* kFlattenKinds[] = {"FEMT_COAST_WATER", "FEMT_LAKE",    "FEMT_RIVER",
                                         "FEMT_RIVER_WIDTH", "FEMT_FLATTEN", "FEMT_HOLE",
                                         "FEMT_LAKE_SLOPE"};

enum TopLevelRecord : uint8_t {
  kEnd = 0,
  kInnerMarker = 4,
  kOuterMarker = 6,
  kLandingAid = 7,
  kTimeZoneRecord = 100,
  kAreaRecord = 101,
  kFlattenPolygon = 230,
};

void Marker(BglRun& run, uint8_t b) {
  BglImage& img = run.image;
  img.Byte();
  CoordValue lat = Lat24(img.U24()), lon = Lon24(img.U24());
  int h = img.Word();
  img.Byte();
  if (Printing(run)) Print<kMarkerLine>(run, kMarkerNames[b - kInnerMarker], lat, lon, h);
}

void LandingAid(BglRun& run) {
  BglImage& img = run.image;
  img.Byte();
  CoordValue lat1 = Lat24(img.U24()), lon1 = Lon24(img.U24());
  uint32_t a = img.U24();
  CoordValue lat2 = Lat24(img.U24()), lon2 = Lon24(img.U24());
  uint32_t b = img.U24();
  img.Byte();
  img.Byte();
  std::vector<char> name;
  img.ReadZeroText(name, kTitleKeep);
  uint8_t r1 = img.Byte(), r2 = img.Byte();
  if (!Printing(run)) return;
  Print<kLandMe>(run, lat1, lon1, a / 256.0, RunwayDesignator(r1), lat2, lon2, b / 256.0,
                 RunwayDesignator(r2), CleanNavaidName(name.data(), name.size()));
}

void TimeZone(BglRun& run) {
  BglImage& img = run.image;
  img.Byte();
  CoordValue lat1 = Lat24(img.U24()), lat2 = Lat24(img.U24());
  CoordValue lon1 = Lon24(img.U24()), lon2 = Lon24(img.U24());
  int a = img.Word();
  int c = img.Byte(), d = img.Byte();
  if (Printing(run)) Print<kTimeZone>(run, lat1, lat2, lon1, lon2, a, c, d);
}

uint32_t Area16(BglRun& run, uint32_t offset) {
  BglImage& img = run.image;
  uint8_t n = img.Byte();
  CoordValue lat1 = Lat24(img.U24()), lat2 = Lat24(img.U24());
  CoordValue lon1 = Lon24(img.U24()), lon2 = Lon24(img.U24());
  if (Printing(run)) Print<kArea16>(run, lat1, lat2, lon1, lon2);
  return offset + n;
}

// Flatten points are 32-bit angles (no wrap) written in the hemisphere form.
CoordValue AngleCoord(uint32_t raw, CoordKind kind) { return CoordValue{Angle32(raw), raw, kind}; }

void FlattenPolygon(BglRun& run) {
  BglImage& img = run.image;
  img.Byte();
  img.Dword();
  unsigned kind = img.Word(), count = img.Word();
  img.Word();
  int32_t v = img.SDword();
  std::string kindText = kind >= 1 && kind <= 7 ? kFlattenKinds[kind - 1] : std::to_string(kind);
  Print<kFlattenOpen>(run, kindText, count, v / 65536.0);
  for (unsigned i = 0; i < count; ++i) {
    uint32_t lat = img.Dword(), lon = img.Dword();
    if (Printing(run))
      Print<kFlattenPoint>(run, AngleCoord(lat, CoordKind::Latitude),
                           AngleCoord(lon, CoordKind::Longitude));
  }
  Print<kFlattenClose>(run);
}

TopLevelResult MarkerTopLevel(BglRun& run, uint8_t b, uint32_t offset) {
  switch (b) {
    case kEnd:
      return {TopLevelResult::EndWalk};
    case kInnerMarker:
    case kInnerMarker + 1:
    case kOuterMarker:
      Marker(run, b);
      return {TopLevelResult::Record};
    case kLandingAid:
      LandingAid(run);
      return {TopLevelResult::Record};
    case kTimeZoneRecord:
      TimeZone(run);
      return {TopLevelResult::Record};
    case kAreaRecord:
      return {TopLevelResult::OpenArea, Area16(run, offset)};
    case kFlattenPolygon:
      FlattenPolygon(run);
      return {TopLevelResult::Record};
    default:
      return {TopLevelResult::Unknown};
  }
}

// RefPoint of section 16: 32-bit coordinates, each after an ignored word.
void MarkerRefPoint(BglRun& run, const OpcodeRow&, uint8_t opcode, uint32_t start) {
  BglImage& img = run.image;
  SkipHighByte(run);
  int16_t d = img.SWord();
  unsigned v1 = img.Word(), v2 = img.Word();
  img.Word();
  uint32_t scale = img.Dword();
  img.Word();
  CoordValue lat = Lat32(img.SDword());
  img.Word();
  CoordValue lon = Lon32(img.Dword());
  img.Word();
  int32_t e = img.SDword();
  Print<kRefPointOpen>(run, opcode == 0x2F ? '2' : '7');
  JumpRef(run, start, d);
  if (!Printing(run)) return;
  Print<kRefPointScaleAndPosition>(run, 65536.0 / (scale == 0 ? 1 : scale), lat, lon);
  if (opcode == 0x2F) Print<"E= %d ">(run, e);
  Print<kRefPointVariables>(run, v1, v2);
}

// clang-format off
constexpr OpcodeRow kRows[] = {
  // opcode  name            handler            argument
  {0x0D, "Jump",            RelativeJump16,    {}},
  {0x22, "Return",          kDescribed,        Operands("")},
  {0x24, "IfVarRange",      IfVarRange,        {}},
  {0x2F, "RefPoint",        MarkerRefPoint,    {}},
  {0x33, "RotatedCall",     RotatedCall,       {}},
  {0x39, "IfVarAnd",        IfVarAnd,          {}},
  {0x54, "CallAsm",         CallAsm,           {}},
  {0x70, "SenseBorder",     SenseBorder,       {}},
  {0x71, "SetElevation",    SetElevation,      {}},
  {0x77, "RefPoint",        MarkerRefPoint,    {}},
};
// clang-format on
static_assert(sizeof kRows / sizeof kRows[0] == 10, "one row per marker-section record kind");
static_assert(ArgumentsMatch(kRows));

const OpcodeIndex& MarkerTable() {
  static const OpcodeIndex index(kRows);
  return index;
}

}  // namespace

void DecodeMarkerSection(BglRun& run, int section, uint32_t slot) {
  static const AreaLoopSpec spec{&MarkerTable(), WriteLine<kClosingLine>,
                                 WriteByteLine<kUnknownTopLevel>, MarkerTopLevel};
  WalkLatRanges(run, section, slot, true, [](BglRun& r) { RunAreaLoop(r, spec); });
}

}  // namespace bgltext
