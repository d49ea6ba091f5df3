// Procedural records that place objects: reference points, shadows, library
// and DLL calls, bitmap loading and advanced buildings.
#include <string>
#include <vector>

#include "bgltext/procedural_handlers.h"
#include "bgltext/record_io.h"
#include "bgltext/record_texts.h"

namespace bgltext {
namespace {

constexpr FormatText kDllCallNote = "; SubRoutine Call from FSASMLIB.DLL\n";
constexpr char kInvalidName[] = "invalid";
// A LoadBitmap name of this many bytes or more is skipped.
constexpr int kBitmapNameLimit = 100;
// Bytes of a LoadBitmap record in front of its name.
constexpr int kLoadBitmapFixed = 12;
// Bytes of an AdvBldg record in front of its kind-specific part.
constexpr int kAdvBldgFixed = 6;

enum AdvBldgKind { kNormal = 4, kPeaked = 7, kSloped = 9, kPoly = 11 };

double ScaleFactor(uint32_t scale) { return 65536.0 / (scale == 0 ? 1 : scale); }

// The reference-point head shared by the three RefPoint forms: reads the
// displacement, v1, v2, an ignored word and the scale.
struct RefPointHead {
  uint32_t start;
  int16_t displacement;
  unsigned v1, v2;
  double scale;
};

RefPointHead ReadRefPointHead(BglRun& run, uint32_t start) {
  BglImage& img = run.image;
  RefPointHead h{};
  h.start = start;
  SkipHighByte(run);
  h.displacement = img.SWord();
  h.v1 = img.Word();
  h.v2 = img.Word();
  img.Word();
  h.scale = ScaleFactor(img.Dword());
  return h;
}

std::string FlagText(unsigned flags) {
  std::string s;
  if (flags & 0x80) s += 'L';
  if (flags & 0x20) s += 'W';
  if (flags & 0x10) s += 'F';
  if (flags & 0x08) s += 'S';
  s += std::to_string(flags & 7);
  return s;
}

const char* AdvBldgKindName(unsigned kind) {
  switch (kind) {
    case kNormal:
      return "NORMAL";
    case kPeaked:
      return "PEAKED";
    case kSloped:
      return "SLOPED";
    case kPoly:
      return "POLY";
    default:
      return nullptr;
  }
}

void Words(BglImage& img, unsigned* out, int n) {
  for (int i = 0; i < n; ++i) out[i] = img.Word();
}

}  // namespace

// RefPoints (0x2F) and RefPoint (0x77): a 48-bit position.
void RefPoints(BglRun& run, const OpcodeRow&, uint8_t opcode, uint32_t start) {
  BglImage& img = run.image;
  RefPointHead h = ReadRefPointHead(run, start);
  uint16_t f = img.Word();
  CoordValue lat = Lat48(f, img.SDword());
  f = img.Word();
  CoordValue lon = Lon48(f, img.SDword());
  f = img.Word();
  double alt = Alt48(f, img.SDword());
  Print<kRefPointOpen>(run, opcode == 0x2F ? '2' : '7');
  JumpRef(run, h.start, h.displacement);
  if (!Printing(run)) return;
  Print<kRefPointScaleAndPosition>(run, h.scale, lat, lon);
  if (opcode == 0x2F) Print<"E= %f ">(run, alt);
  Print<kRefPointVariables>(run, h.v1, h.v2);
}

// RefPoint (0x4C): the position comes from a variable.
void IndirectRefPoint(BglRun& run, const OpcodeRow&, uint8_t, uint32_t start) {
  RefPointHead h = ReadRefPointHead(run, start);
  unsigned var = run.image.Word();
  Print<"\tRefPoint( ind ">(run);
  JumpRef(run, h.start, h.displacement);
  Print<" %f %x v1= %d v2= %d )\n">(run, h.scale, var, h.v1, h.v2);
}

void ShadowPos(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  BglImage& img = run.image;
  SkipHighByte(run);
  uint16_t f = img.Word();
  CoordValue lat = Lat48(f, img.SDword());
  f = img.Word();
  CoordValue lon = Lon48(f, img.SDword());
  f = img.Word();
  double alt = Alt48(f, img.SDword());
  if (Printing(run)) Print<kNamePosition>(run, row.name, lat, lon, alt);
}

void CallLibObj(BglRun& run, const OpcodeRow&, uint8_t, uint32_t) {
  BglImage& img = run.image;
  SkipHighByte(run);
  if (run.Options().fs98Library) {
    uint32_t id[4];
    for (uint32_t& x : id) x = img.Dword();
    Print<"\tCallLibObj1( %X %X %X %X )\n">(run, id[0], id[1], id[2], id[3]);
    return;
  }
  int w = img.Word();
  uint32_t id[4];
  for (uint32_t& x : id) x = img.Dword();
  Print<"\tCallLibObj( %d %X %X %X %X )\n">(run, w, id[0], id[1], id[2], id[3]);
}

void CallDll(BglRun& run, const OpcodeRow&, uint8_t opcode, uint32_t) {
  BglImage& img = run.image;
  SkipHighByte(run);
  uint8_t head[6];
  img.ReadBytes(sizeof head, head);
  uint8_t b = img.Byte();
  // The length byte counts itself and the two bytes before it; a smaller
  // value leaves no bytes to follow.
  size_t rest = b > 3 ? b - 3u : 0u;
  std::vector<uint8_t> tail(rest);
  img.ReadBytes(rest, tail.data());
  Print<kDllCallNote>(run);
  Print<"\tDbx( %X 0 )\n\tDbx( ">(run, opcode);
  for (uint8_t x : head) Print<kUpperHexValue>(run, x);
  Print<")\n\tDbx( %X )\n\tDbx( ">(run, b);
  for (uint8_t x : tail) Print<kUpperHexValue>(run, x);
  Print<kClose>(run);
}

void LoadBitmap(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  BglImage& img = run.image;
  SkipHighByte(run);
  int n = img.Word();
  unsigned b = img.Word(), flags = img.Word();
  int x1 = img.Byte(), x2 = img.Byte(), x3 = img.Byte(), x4 = img.Byte();
  int nameLength = n - kLoadBitmapFixed;
  std::string name;
  if (nameLength >= kBitmapNameLimit) {
    img.ReadBytes(static_cast<size_t>(nameLength), nullptr);
    name = kInvalidName;
  } else if (nameLength > 0) {
    std::vector<char> buf(static_cast<size_t>(nameLength));
    img.ReadBytes(buf.size(), buf.data());
    size_t len = 0;
    while (len < buf.size() && buf[len] != 0) ++len;
    name.assign(buf.data(), len);
  }
  Print<"\t%s( %x %s %x %d %d %d %s )\n">(run, row.name, b, FlagText(flags), x2, x1, x3, x4, name);
}

void AdvBldg(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  BglImage& img = run.image;
  SkipHighByte(run);
  int n = img.Word();
  unsigned kind = img.Word();
  Print<kNameOpen>(run, row.name);
  const char* kindName = AdvBldgKindName(kind);
  if (kindName == nullptr) {
    Print<"UNKNOWN[%x]\n">(run, kind);
    for (int i = kAdvBldgFixed; i < n; ++i) Print<kUpperHexValue>(run, img.Byte());
    Print<kClose>(run);
    return;
  }
  const bool poly = kind == kPoly;
  Print<"%s">(run, kindName);
  unsigned w[5];
  if (poly) Print<kSpacedValue>(run, img.Word());
  Words(img, w, 2);
  Print<kSpacedTwoValues>(run, w[0], w[1]);
  if (kind == kSloped) {
    Words(img, w, 2);
    Print<kSpacedTwoValues>(run, w[0], w[1]);
  }
  Print<kLineEnd>(run);
  Words(img, w, poly ? 3 : 4);
  if (poly)
    Print<"\t\tLEVEL1\t%d\t%d\n">(run, w[0], w[1]);
  else
    Print<"\t\tLEVEL1\t%d\t%d\t%d\t\t%d\n">(run, w[0], w[1], w[2], w[3]);
  Words(img, w, poly ? 4 : 5);
  if (poly)
    Print<"\t\tLEVEL2\t%d\t%d\t%d\t\t%d\n">(run, w[0], w[1], w[2], w[3]);
  else
    Print<"\t\tLEVEL2\t%d\t%d\t%d\t%d\t%d\n">(run, w[0], w[1], w[2], w[3], w[4]);
  Words(img, w, poly ? 3 : 4);
  if (poly)
    Print<"\t\tLEVEL3\t%d\t%d\t%d\n">(run, w[0], w[1], w[2]);
  else
    Print<"\t\tLEVEL3\t%d\t%d\t%d\t\t%d\n">(run, w[0], w[1], w[2], w[3]);
  if (kind == kPeaked) {
    Words(img, w, 5);
    Print<"\t\tROOF\t%d\t\t%d\t\t%d\t%d\t%d\n">(run, w[0], w[1], w[2], w[3], w[4]);
  } else if (poly) {
    Words(img, w, 4);
    Print<"\t\tROOF\t%d\t%d\t%d\t\t%d\n">(run, w[0], w[1], w[2], w[3]);
  } else {
    Words(img, w, 3);
    Print<"\t\tROOF\t%d\t\t%d\t\t%d\n">(run, w[0], w[1], w[2]);
  }
  Print<kCloseLine>(run);
}

}  // namespace bgltext
