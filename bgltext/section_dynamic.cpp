// Section 15, dynamic scenery: per LatRange entry a two-pass unit whose
// Area15 blocks hold small programs of one-byte opcodes that move objects.
#include <string>

#include "bgltext/area_loop.h"
#include "bgltext/bgl_run.h"
#include "bgltext/lat_range.h"
#include "bgltext/record_io.h"
#include "bgltext/record_texts.h"
#include "bgltext/section_decoders.h"

namespace bgltext {
namespace {

constexpr FormatText kArea15Open = "Area15( ";
constexpr FormatText kArea15First = "%s %s %s %s\n\t";
constexpr FormatText kArea15Second = "%s %s %s %s )\n";
constexpr FormatText kClosingLine = "End15\n\n";
constexpr FormatText kUnknownTopLevel = "; unknown record: 0x%x\n";
constexpr uint8_t kArea15Record = 4;
constexpr size_t kArea15Tail = 24;

// A word that is the high half of a 32-bit coordinate.
CoordValue HighLat(uint16_t w) {
  return Lat32Fine(static_cast<int32_t>(static_cast<uint32_t>(w) << 16));
}
CoordValue HighLon(uint16_t w) { return Lon32(static_cast<uint32_t>(w) << 16); }

CoordValue ReadLat48(BglImage& img) {
  uint16_t f = img.Word();
  return Lat48(f, img.SDword());
}
CoordValue ReadLon48(BglImage& img) {
  uint16_t f = img.Word();
  return Lon48(f, img.SDword());
}

// Writes "\t<name>( " and the reference of a displacement word.
void OpenJump(BglRun& run, const OpcodeRow& row, uint32_t start) {
  int16_t d = run.image.SWord();
  Print<kNameOpen>(run, row.name);
  JumpRef(run, start, d);
}

void Plain(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  Print<kNameLine>(run, row.name);
}

void Attitude(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  int a = run.image.SWord(), b = run.image.SWord();
  Print<"\t%s( %.2f %.2f )\n">(run, row.name, a * 360.0 / 65536.0, b * 180.0 / 32767.0);
}

void Gear(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  Print<kNameOneValue>(run, row.name, run.image.Byte() != 0 ? 1 : 0);
}

void Heading(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  Print<"\t%s( %f )\n">(run, row.name, Angle16(run.image.Word()));
}

// Move and Accelerate: u, then (for Accelerate) u r / 4096, then n signed.
void MoveRecord(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  BglImage& img = run.image;
  int n = row.argument.values;
  bool accelerate = row.argument.accelerate;
  int t = img.Word();
  double r = accelerate ? img.Word() / 4096.0 : 0.0;
  int v[3] = {0, 0, 0};
  for (int i = 0; i < n; ++i) v[i] = img.SWord();
  Print<"\t%s( %d">(run, row.name, t);
  if (accelerate) Print<" %.2f">(run, r);
  for (int i = 0; i < n; ++i) Print<kSpacedValue>(run, v[i]);
  Print<kSpaceClose>(run);
}

void Turn(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  BglImage& img = run.image;
  int a = img.Word();
  double angle = Angle16(img.Word());
  int b = img.Word();
  Print<"\t%s( %d %f %d )\n">(run, row.name, a, angle, b);
}

void Jump(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t start) {
  OpenJump(run, row, start);
  Print<kSpaceClose>(run);
}

void Hold(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  Print<kNameOneValue>(run, row.name, run.image.SWord());
}

void SetColor(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  BglImage& img = run.image;
  int a = img.Byte();
  unsigned b = img.Byte(), c = img.Byte();
  Print<"\t%s( %d %X %X )\n">(run, row.name, a, b, c);
}

void Pattern(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t start) {
  BglImage& img = run.image;
  unsigned p = img.Word();
  int16_t d = img.SWord();
  img.Word();
  unsigned q = img.Byte();
  Print<kNameOpen>(run, row.name);
  JumpRef(run, start, d);
  Print<" 0%X %d %d )\n">(run, p, q >> 4, q & 15);
}

void SetPosition(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  BglImage& img = run.image;
  img.Word();
  CoordValue lat = Lat24(img.U24());
  img.Word();
  img.Word();
  CoordValue lon = Lon24(img.U24());
  unsigned f = img.Word(), i = img.Word();
  img.Word();
  if (!Printing(run)) return;
  // Positions here are stored at twice the scale of the 24-bit encodings.
  lat.value *= 0.5;
  lon.value *= 0.5;
  Print<kNamePosition>(run, row.name, lat, lon, i + f / 65536.0);
}

void LatRef(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  CoordValue lat = ReadLat48(run.image);
  if (Printing(run)) Print<kNameText>(run, row.name, lat);
}

void CallDLibObj(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t start) {
  BglImage& img = run.image;
  OpenJump(run, row, start);
  img.Word();
  img.Word();
  unsigned b = img.Byte();
  Print<" %X %X\n\t\t">(run, b >> 4, b & 15);
  for (int i = 0; i < 4; ++i) Print<"%08X ">(run, img.Dword());
  Print<kClose>(run);
}

void MoveToPos(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  BglImage& img = run.image;
  CoordValue lat = ReadLat48(img), lon = ReadLon48(img);
  img.Word();
  int32_t a = img.SDword();
  double p = Angle32(img.Dword()), b = Angle32(img.Dword()), h = Angle32(img.Dword());
  if (Printing(run)) Print<"\t%s( %s %s %d %f %f %f )\n">(run, row.name, lat, lon, a, p, b, h);
}

void Refuel(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  Print<kNameOneValue>(run, row.name, run.image.SDword());
}

void D40(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  BglImage& img = run.image;
  CoordValue lat = Lat32(img.SDword());
  CoordValue lon = Lon32(img.Dword());
  int32_t a = img.SDword();
  int b = static_cast<int8_t>(img.Byte());
  int c = img.SWord();
  double angle = Angle16(img.Word());
  int32_t d = img.SDword(), e = img.SDword();
  if (Printing(run))
    Print<"\t%s( %s %s %d %d %d %f %d %d)\n">(run, row.name, lat, lon, a, b, c, angle, d, e);
}

void TaxiTo(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  BglImage& img = run.image;
  CoordValue lat = ReadLat48(img), lon = ReadLon48(img);
  img.Word();
  int32_t a = img.SDword();
  double angle = Angle32(img.Dword());
  if (Printing(run)) Print<"\t%s( %s %s %d %f )\n">(run, row.name, lat, lon, a, angle);
}

void Acs(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  Print<kNameOneValue>(run, row.name, run.image.Byte());
}

void MonitorRwy(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t start) {
  BglImage& img = run.image;
  OpenJump(run, row, start);
  // la and lo are the high halves of 32-bit coordinates.
  CoordValue lat = Lat32(static_cast<int32_t>(img.Dword() << 16));
  CoordValue lon = Lon32(img.Dword() << 16);
  int32_t b = img.SDword();
  double angle = Angle16(img.Word());
  int32_t c = img.SDword(), e = img.SDword();
  if (Printing(run)) Print<" %s %s %d %f %d %d )\n">(run, lat, lon, b, angle, c, e);
}

constexpr RowHandler Move{MoveRecord, RowArgument::Motion};
constexpr RowHandler RawDump = kRawDynamic;

// clang-format off
constexpr OpcodeRow kRows[] = {
  // opcode  name             handler         argument
  {0x01, "PitchTo",          Attitude,       {}},
  {0x02, "BankTo",           Attitude,       {}},
  {0x03, "YawTo",            Attitude,       {}},
  {0x04, "Gear",             Gear,           {}},
  {0x07, "Heading",          Heading,        {}},
  {0x12, "MoveX",            Move,           Motion(1, false)},
  {0x13, "MoveZ",            Move,           Motion(1, false)},
  {0x14, "MoveY",            Move,           Motion(1, false)},
  {0x15, "MoveXY",           Move,           Motion(2, false)},
  {0x16, "MoveXZ",           Move,           Motion(2, false)},
  {0x17, "MoveZY",           Move,           Motion(2, false)},
  {0x18, "Move3D",           Move,           Motion(3, false)},
  {0x19, "AccelerateX",      Move,           Motion(1, true)},
  {0x1A, "AccelerateZ",      Move,           Motion(1, true)},
  {0x1B, "AccelerateY",      Move,           Motion(1, true)},
  {0x1C, "AccelerateXY",     Move,           Motion(2, true)},
  {0x1D, "AccelerateXZ",     Move,           Motion(2, true)},
  {0x1E, "AccelerateZY",     Move,           Motion(2, true)},
  {0x1F, "Accelerate3D",     Move,           Motion(3, true)},
  {0x20, "Turn",             Turn,           {}},
  {0x24, "Jump",             Jump,           {}},
  {0x25, "Call",             Jump,           {}},
  {0x26, "Return",           Plain,          {}},
  {0x27, "Hold",             Hold,           {}},
  {0x28, "SetPos",           RawDump,        RawLength(13)},
  {0x29, "Sleep",            Plain,          {}},
  {0x2A, "Awaken",           Jump,           {}},
  {0x2E, "Jump2E",           RawDump,        RawLength(7)},
  {0x31, "SetColor",         SetColor,       {}},
  {0x32, "Pattern",          Pattern,        {}},
  {0x33, "SetPos",           SetPosition,    {}},
  {0x34, "LatRef",           LatRef,         {}},
  {0x35, "CallDLibObj",      CallDLibObj,    {}},
  {0x38, "StartTimer",       Plain,          {}},
  {0x39, "MoveToPos1",       MoveToPos,      {}},
  {0x3A, "MoveToPos5",       MoveToPos,      {}},
  {0x3E, "Refuel",           Refuel,         {}},
  {0x40, "D_40",             D40,            {}},
  {0x41, "TaxiTo",           TaxiTo,         {}},
  {0x42, "ACS",              Acs,            {}},
  {0x43, "MonitorRwy",       MonitorRwy,     {}},
  {0xFF, "Exit",             Plain,          {}},
};
// clang-format on
static_assert(sizeof kRows / sizeof kRows[0] == 42, "one row per dynamic scenery record kind");
static_assert(ArgumentsMatch(kRows));

TopLevelResult DynamicTopLevel(BglRun& run, uint8_t b, uint32_t) {
  if (b == 0) return {TopLevelResult::EndWalk};
  if (b != kArea15Record) return {TopLevelResult::Unknown};
  BglImage& img = run.image;
  uint16_t w[4];
  for (uint16_t& x : w) x = img.Word();
  uint16_t n = img.Word();
  uint32_t areaEnd = static_cast<uint32_t>(img.Pos()) + n;
  uint16_t v[4];
  for (uint16_t& x : v) x = img.Word();
  img.ReadBytes(kArea15Tail, nullptr);
  if (Printing(run)) {
    Print<kArea15Open>(run);
    Print<kArea15First>(run, HighLat(w[0]), HighLat(w[1]), HighLon(w[2]), HighLon(w[3]));
    Print<kArea15Second>(run, HighLat(v[0]), HighLat(v[1]), HighLon(v[2]), HighLon(v[3]));
  }
  return {TopLevelResult::OpenArea, areaEnd};
}

const OpcodeIndex& DynamicTable() {
  static const OpcodeIndex index(kRows);
  return index;
}

}  // namespace

void DecodeDynamicSection(BglRun& run, int section, uint32_t slot) {
  static const AreaLoopSpec spec{&DynamicTable(), WriteLine<kClosingLine>,
                                 WriteByteLine<kUnknownTopLevel>, DynamicTopLevel};
  WalkLatRanges(run, section, slot, true, [](BglRun& r) { RunAreaLoop(r, spec); });
}

}  // namespace bgltext
