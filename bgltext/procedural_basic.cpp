// Procedural records of fixed shape: operand descriptions, points, jumps,
// variables, colours and the small value records.
#include <cmath>

#include "bgltext/procedural_handlers.h"
#include "bgltext/record_io.h"
#include "bgltext/record_texts.h"

namespace bgltext {
namespace {

constexpr FormatText kInfiniteLoop = ";;; %s (Infinite loop)\n";
constexpr FormatText kNoOperation = ";;; %s \n";
constexpr FormatText kNopBx = ";;; NopBX\n\tDbx( %X %X )\n";
constexpr char kDefPPointNote[] =
    "\t;;; DefPPoint instruction is not supported by SCASM.\n"
    "\t;;; DefPPoint %d %d %d %d %d\n"
    "\tDbx( %X 0 )\tDbw( %d %d %d %d %d )\n";
constexpr char kPPointNote[] =
    "\t;;; %s instruction isnot supported by SCASM.\n"
    "\t;;; %s %d\n"
    "\tDbx( %X 0 )\tDbw( %d )\n";

}  // namespace

void OperandDescription(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t start) {
  SkipHighByte(run);
  const RowArgument& a = row.argument;
  if (a.count == 0) {
    Print<kNameLine>(run, row.name);
    return;
  }
  Print<kNameOpen>(run, row.name);
  BglImage& img = run.image;
  for (uint8_t i = 0; i < a.count; ++i) {
    switch (a.operands[i]) {
      case Operand::ByteSigned:
        Print<kValue>(run, static_cast<int8_t>(img.Byte()));
        break;
      case Operand::ByteUnsigned:
        Print<kValue>(run, img.Byte());
        break;
      case Operand::ByteHex:
        Print<kHexValue>(run, img.Byte());
        break;
      case Operand::ByteSkipped:
        img.Byte();
        break;
      case Operand::WordSigned:
        Print<kValue>(run, static_cast<int16_t>(img.Word()));
        break;
      case Operand::WordUnsigned:
        Print<kValue>(run, img.Word());
        break;
      case Operand::WordHex:
        Print<kHexValue>(run, img.Word());
        break;
      case Operand::WordSkipped:
        img.Word();
        break;
      case Operand::DwordSigned:
        Print<kValue>(run, static_cast<int32_t>(img.Dword()));
        break;
      case Operand::DwordHex:
        Print<kHexValue>(run, img.Dword());
        break;
      case Operand::DwordSkipped:
        img.Dword();
        break;
      case Operand::Jump32:
        JumpRef(run, start, img.SDword());
        Print<" ">(run);
        break;
      case Operand::Jump16:
        JumpRef(run, start, img.SWord());
        Print<" ">(run);
        break;
    }
  }
  Print<kClose>(run);
}

void InfiniteLoop(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  SkipHighByte(run);
  Print<kInfiniteLoop>(run, row.name);
}

void NoOperation(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  SkipHighByte(run);
  Print<kNoOperation>(run, row.name);
}

void NopBx(BglRun& run, const OpcodeRow&, uint8_t opcode, uint32_t) {
  uint8_t high = SkipHighByte(run);
  Print<kNopBx>(run, opcode, high);
}

void PointRecord(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  BglImage& img = run.image;
  SkipHighByte(run);
  int x = img.SWord(), y = img.SWord(), z = img.SWord();
  img.Word();
  Print<kNameThreeValues>(run, row.name, x, y, z);
}

void ThreeValues(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  BglImage& img = run.image;
  SkipHighByte(run);
  int a = img.SWord(), b = img.SWord(), c = img.SWord();
  Print<kNameThreeValues>(run, row.name, a, b, c);
}

void RelativeJump16(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t start) {
  SkipHighByte(run);
  int16_t d = run.image.SWord();
  Print<kNameOpen>(run, row.name);
  JumpRef(run, start, d);
  Print<kSpaceClose>(run);
}

void RelativeJump32(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t start) {
  SkipHighByte(run);
  int32_t d = run.image.SDword();
  Print<kNameOpen>(run, row.name);
  JumpRef(run, start, d);
  Print<kSpaceClose>(run);
}

void DefinePoint(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  BglImage& img = run.image;
  SkipHighByte(run);
  int n = img.Word();
  int x = img.SWord(), y = img.SWord(), z = img.SWord();
  Print<kNameFourValues>(run, row.name, n, x, y, z);
}

void PointNumber(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  SkipHighByte(run);
  int n = run.image.Word();
  Print<kNameOneValue>(run, row.name, n);
}

void UnsupportedPoint(BglRun& run, const OpcodeRow&, uint8_t opcode, uint32_t) {
  BglImage& img = run.image;
  SkipHighByte(run);
  int a = img.Word(), b = img.Word();
  int x = img.SWord(), y = img.SWord(), z = img.SWord();
  Print<kDefPPointNote>(run, a, b, x, y, z, opcode, a, b, x, y, z);
}

void UnsupportedPointNumber(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t) {
  SkipHighByte(run);
  int n = run.image.Word();
  Print<kPPointNote>(run, row.name, row.name, n, opcode, n);
}

void SetVariable(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  SkipHighByte(run);
  unsigned var = run.image.Word();
  int value = run.image.SWord();
  Print<"\t%s( %X %d )\n">(run, row.name, var, value);
}

void ColourPair(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  SkipHighByte(run);
  unsigned a = run.image.Byte();
  unsigned b = run.image.Byte();
  Print<"\t%s( %02X %02X )\n">(run, row.name, a, b);
}

void RgbColour(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  BglImage& img = run.image;
  SkipHighByte(run);
  unsigned a = img.Byte();
  int r = img.Byte(), g = img.Byte(), b = img.Byte();
  Print<"\t%s( %02X %d %d %d )\n">(run, row.name, a, r, g, b);
}

void LoadColour(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  SkipHighByte(run);
  unsigned v = run.image.Word();
  Print<"\t%s( %X )\n">(run, row.name, v);
}

void Brightness(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  SkipHighByte(run);
  unsigned a = run.image.Word();
  Print<kNameOneValue>(run, row.name, static_cast<int>(std::lround(a * 100.0 / 32767.0)));
}

void AutoPoints(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  BglImage& img = run.image;
  SkipHighByte(run);
  int a = img.Word(), b = img.Word();
  int v[6];
  for (int& x : v) x = img.SWord();
  Print<"\t%s( %d %d  %d %d %d  %d %d %d )\n">(run, row.name, a, b, v[0], v[1], v[2], v[3], v[4],
                                               v[5]);
}

void DotLine(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  BglImage& img = run.image;
  SkipHighByte(run);
  int v[6];
  for (int& x : v) x = img.SWord();
  int n = img.Word();
  Print<"\t%s( %d %d %d  %d %d %d  %d )\n">(run, row.name, v[0], v[1], v[2], v[3], v[4], v[5], n);
}

// BigDot and SurfaceType: u, s, s, s.
void DotValues(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  BglImage& img = run.image;
  SkipHighByte(run);
  int a = img.Word();
  int x = img.SWord(), y = img.SWord(), z = img.SWord();
  Print<kNameFourValues>(run, row.name, a, x, y, z);
}

// RoadStart, RiverStart, TaxiwayStart: a width, then a point.
void PathStart(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  BglImage& img = run.image;
  SkipHighByte(run);
  int w = img.SWord(), x = img.SWord(), y = img.SWord(), z = img.SWord();
  Print<"\t%s( %d  %d %d %d )\n">(run, row.name, w, x, y, z);
}

void RrStart(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  BglImage& img = run.image;
  SkipHighByte(run);
  int a = img.Word();
  int b = img.SWord(), c = img.SWord(), d = img.SWord(), e = img.SWord();
  Print<"\t%s( %d %d %d %d %d )\n">(run, row.name, a, b, c, d, e);
}

void ThreeUnsigned(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  BglImage& img = run.image;
  SkipHighByte(run);
  int a = img.Word(), b = img.Word(), c = img.Word();
  Print<kNameThreeValues>(run, row.name, a, b, c);
}

void BuildingRecord(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  BglImage& img = run.image;
  SkipHighByte(run);
  unsigned w[8];
  for (unsigned& x : w) x = img.Word();
  Print<"\t%s( %d %d %d  %d %d %d  %X %X )\n">(run, row.name, w[2], w[3], w[4], w[5], w[6], w[7],
                                               w[0], w[1]);
}

void WeatherRecord(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  BglImage& img = run.image;
  SkipHighByte(run);
  unsigned a = img.Word();
  double angle = Angle16(img.Word());
  int b = img.Word(), c = img.Word();
  Print<"\t%s( %X %.2f %d %d )\n">(run, row.name, a, angle, b, c);
}

void MoveTexture(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  BglImage& img = run.image;
  SkipHighByte(run);
  double v[4];
  for (double& x : v) x = img.SDword() / 256.0;
  Print<"\t%s( %f %f %f %f )\n">(run, row.name, v[0], v[1], v[2], v[3]);
}

void SetElevation(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  SkipHighByte(run);
  int v = run.image.SWord();
  Print<kNameOneValue>(run, row.name, v);
}

}  // namespace bgltext
