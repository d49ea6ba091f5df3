// Procedural records of fixed shape: operand descriptions, points, jumps,
// variables, colours and the small value records.
#include <cmath>

#include "bgltext/procedural_handlers.h"
#include "bgltext/record_io.h"
#include "bgltext/record_texts.h"

namespace bgltext {
namespace {

constexpr char kAnaGenError[] = "AnaGen: Internal error\n";
constexpr char kInfiniteLoop[] = ";;; %s (Infinite loop)\n";
constexpr char kNoOperation[] = ";;; %s \n";
constexpr char kNopBx[] = ";;; NopBX\n\tDbx( %X %X )\n";
constexpr char kDefPPointNote[] =
    "\t;;; DefPPoint instruction is not supported by SCASM.\n"
    "\t;;; DefPPoint %d %d %d %d %d\n"
    "\tDbx( %X 0 )\tDbw( %d %d %d %d %d )\n";
constexpr char kPPointNote[] =
    "\t;;; %s instruction isnot supported by SCASM.\n"
    "\t;;; %s %d\n"
    "\tDbx( %X 0 )\tDbw( %d )\n";

// One operand of a description: its letter, then an optional x or s.
struct Operand {
  char letter;
  char modifier;  // 'x', 's' or 0
};

}  // namespace

void OperandDescription(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t start) {
  SkipHighByte(run);
  const char* d = row.argument;
  if (d == nullptr || *d == 0) {
    Emit(run, kNameLine, row.name);
    return;
  }
  Emit(run, kNameOpen, row.name);
  bool asUnsigned = false;
  BglImage& img = run.image;
  while (*d) {
    Operand op{*d++, 0};
    if ((*d == 'x' || *d == 's') && op.letter != 'U' && op.letter != 'J' && op.letter != 'j') op.modifier = *d++;
    switch (op.letter) {
      case 'B': {
        uint8_t b = img.Byte();
        if (op.modifier == 'x')
          Emit(run, kHexValue, b);
        else if (op.modifier != 's')
          Emit(run, kValue, asUnsigned ? static_cast<int>(b) : static_cast<int>(static_cast<int8_t>(b)));
        asUnsigned = false;
        break;
      }
      case 'W': {
        uint16_t w = img.Word();
        if (op.modifier == 'x')
          Emit(run, kHexValue, w);
        else if (op.modifier != 's')
          Emit(run, kValue, asUnsigned ? static_cast<int>(w) : static_cast<int>(static_cast<int16_t>(w)));
        asUnsigned = false;
        break;
      }
      case 'L': {
        uint32_t l = img.Dword();
        if (op.modifier == 'x')
          Emit(run, kHexValue, l);
        else if (op.modifier != 's')
          Emit(run, kValue, static_cast<int32_t>(l));
        break;
      }
      case 'U':
        asUnsigned = true;
        break;
      case 'J':
        JumpRef(run, start, img.SDword());
        Emit(run, " ");
        break;
      case 'j':
        JumpRef(run, start, img.SWord());
        Emit(run, " ");
        break;
      default:
        run.Fatal(1, kAnaGenError);
    }
  }
  Emit(run, kClose);
}

void InfiniteLoop(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  SkipHighByte(run);
  Emit(run, kInfiniteLoop, row.name);
}

void NoOperation(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  SkipHighByte(run);
  Emit(run, kNoOperation, row.name);
}

void NopBx(BglRun& run, const OpcodeRow&, uint8_t opcode, uint32_t) {
  uint8_t high = SkipHighByte(run);
  Emit(run, kNopBx, opcode, high);
}

void PointRecord(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  BglImage& img = run.image;
  SkipHighByte(run);
  int x = img.SWord(), y = img.SWord(), z = img.SWord();
  img.Word();
  Emit(run, kNameThreeValues, row.name, x, y, z);
}

void ThreeValues(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  BglImage& img = run.image;
  SkipHighByte(run);
  int a = img.SWord(), b = img.SWord(), c = img.SWord();
  Emit(run, kNameThreeValues, row.name, a, b, c);
}

void RelativeJump16(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t start) {
  SkipHighByte(run);
  int16_t d = run.image.SWord();
  Emit(run, kNameOpen, row.name);
  JumpRef(run, start, d);
  Emit(run, kSpaceClose);
}

void RelativeJump32(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t start) {
  SkipHighByte(run);
  int32_t d = run.image.SDword();
  Emit(run, kNameOpen, row.name);
  JumpRef(run, start, d);
  Emit(run, kSpaceClose);
}

void DefinePoint(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  BglImage& img = run.image;
  SkipHighByte(run);
  int n = img.Word();
  int x = img.SWord(), y = img.SWord(), z = img.SWord();
  Emit(run, kNameFourValues, row.name, n, x, y, z);
}

void PointNumber(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  SkipHighByte(run);
  int n = run.image.Word();
  Emit(run, kNameOneValue, row.name, n);
}

void UnsupportedPoint(BglRun& run, const OpcodeRow&, uint8_t opcode, uint32_t) {
  BglImage& img = run.image;
  SkipHighByte(run);
  int a = img.Word(), b = img.Word();
  int x = img.SWord(), y = img.SWord(), z = img.SWord();
  Emit(run, kDefPPointNote, a, b, x, y, z, opcode, a, b, x, y, z);
}

void UnsupportedPointNumber(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t) {
  SkipHighByte(run);
  int n = run.image.Word();
  Emit(run, kPPointNote, row.name, row.name, n, opcode, n);
}

void SetVariable(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  SkipHighByte(run);
  unsigned var = run.image.Word();
  int value = run.image.SWord();
  Emit(run, "\t%s( %X %d )\n", row.name, var, value);
}

void ColourPair(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  SkipHighByte(run);
  unsigned a = run.image.Byte();
  unsigned b = run.image.Byte();
  Emit(run, "\t%s( %02X %02X )\n", row.name, a, b);
}

void RgbColour(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  BglImage& img = run.image;
  SkipHighByte(run);
  unsigned a = img.Byte();
  int r = img.Byte(), g = img.Byte(), b = img.Byte();
  Emit(run, "\t%s( %02X %d %d %d )\n", row.name, a, r, g, b);
}

void LoadColour(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  SkipHighByte(run);
  unsigned v = run.image.Word();
  Emit(run, "\t%s( %X )\n", row.name, v);
}

void Brightness(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  SkipHighByte(run);
  unsigned a = run.image.Word();
  Emit(run, kNameOneValue, row.name, static_cast<int>(std::lround(a * 100.0 / 32767.0)));
}

void AutoPoints(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  BglImage& img = run.image;
  SkipHighByte(run);
  int a = img.Word(), b = img.Word();
  int v[6];
  for (int& x : v) x = img.SWord();
  Emit(run, "\t%s( %d %d  %d %d %d  %d %d %d )\n", row.name, a, b, v[0], v[1], v[2], v[3], v[4], v[5]);
}

void DotLine(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  BglImage& img = run.image;
  SkipHighByte(run);
  int v[6];
  for (int& x : v) x = img.SWord();
  int n = img.Word();
  Emit(run, "\t%s( %d %d %d  %d %d %d  %d )\n", row.name, v[0], v[1], v[2], v[3], v[4], v[5], n);
}

// BigDot and SurfaceType: u, s, s, s.
void DotValues(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  BglImage& img = run.image;
  SkipHighByte(run);
  int a = img.Word();
  int x = img.SWord(), y = img.SWord(), z = img.SWord();
  Emit(run, kNameFourValues, row.name, a, x, y, z);
}

// RoadStart, RiverStart, TaxiwayStart: a width, then a point.
void PathStart(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  BglImage& img = run.image;
  SkipHighByte(run);
  int w = img.SWord(), x = img.SWord(), y = img.SWord(), z = img.SWord();
  Emit(run, "\t%s( %d  %d %d %d )\n", row.name, w, x, y, z);
}

void RrStart(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  BglImage& img = run.image;
  SkipHighByte(run);
  int a = img.Word();
  int b = img.SWord(), c = img.SWord(), d = img.SWord(), e = img.SWord();
  Emit(run, "\t%s( %d %d %d %d %d )\n", row.name, a, b, c, d, e);
}

void ThreeUnsigned(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  BglImage& img = run.image;
  SkipHighByte(run);
  int a = img.Word(), b = img.Word(), c = img.Word();
  Emit(run, kNameThreeValues, row.name, a, b, c);
}

void BuildingRecord(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  BglImage& img = run.image;
  SkipHighByte(run);
  unsigned w[8];
  for (unsigned& x : w) x = img.Word();
  Emit(run, "\t%s( %d %d %d  %d %d %d  %X %X )\n", row.name, w[2], w[3], w[4], w[5], w[6], w[7], w[0], w[1]);
}

void WeatherRecord(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  BglImage& img = run.image;
  SkipHighByte(run);
  unsigned a = img.Word();
  double angle = Angle16(img.Word());
  int b = img.Word(), c = img.Word();
  Emit(run, "\t%s( %X %.2f %d %d )\n", row.name, a, angle, b, c);
}

void MoveTexture(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  BglImage& img = run.image;
  SkipHighByte(run);
  double v[4];
  for (double& x : v) x = img.SDword() / 256.0;
  Emit(run, "\t%s( %f %f %f %f )\n", row.name, v[0], v[1], v[2], v[3]);
}

void SetElevation(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  SkipHighByte(run);
  int v = run.image.SWord();
  Emit(run, kNameOneValue, row.name, v);
}

}  // namespace bgltext
