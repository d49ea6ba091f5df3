// Procedural records with jump operands: variable tests, calls, monitors.
// Displacements count from the record's opcode byte.
#include "bgltext/procedural_handlers.h"
#include "bgltext/record_io.h"
#include "bgltext/record_texts.h"

namespace bgltext {
namespace {

// Reads the high opcode byte and a signed 16-bit displacement; writes
// "\t<name>( " and the reference.
uint32_t OpenJumpRecord(BglRun& run, const OpcodeRow& row, uint32_t start) {
  SkipHighByte(run);
  int16_t d = run.image.SWord();
  Print<kNameOpen>(run, row.name);
  JumpRef(run, start, d);
  return start;
}

}  // namespace

void IfVarRange2(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t start) {
  BglImage& img = run.image;
  SkipHighByte(run);
  uint16_t d = img.Word();  // this record's displacement is unsigned
  unsigned v1 = img.Word();
  int a1 = img.SWord(), b1 = img.SWord();
  unsigned v2 = img.Word();
  int a2 = img.SWord(), b2 = img.SWord();
  Print<kNameOpen>(run, row.name);
  JumpRef(run, start, d);
  Print<" %x %d %d  %x %d %d )\n">(run, v1, a1, b1, v2, a2, b2);
}

void IfVarRange3(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t start) {
  BglImage& img = run.image;
  uint8_t high = SkipHighByte(run);
  int16_t d = img.SWord();
  unsigned var[3];
  int lo[3], hi[3];
  for (int i = 0; i < 3; ++i) {
    var[i] = img.Word();
    lo[i] = img.SWord();
    hi[i] = img.SWord();
  }
  Print<";;; %s\n\tDbx( %x %x )\n\tDwd( %d )\t; ">(run, row.name, opcode, high, d);
  JumpRef(run, start, d);
  Print<kLineEnd>(run);
  for (int i = 0; i < 3; ++i)
    Print<"\tDwx( %x )\t; var%d\n\tDwd( %d %d )\t; min%d, max%d\n">(run, var[i], i + 1, lo[i],
                                                                    hi[i], i + 1, i + 1);
}

void MonitorTr(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t start) {
  OpenJumpRecord(run, row, start);
  Print<kLineEnd>(run);
  for (int i = 0; i < 3; ++i) {
    int a = run.image.SWord(), b = run.image.SWord(), c = run.image.SWord();
    Print<kPointLine>(run, a, b, c);
  }
}

void IfVarRange(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t start) {
  OpenJumpRecord(run, row, start);
  unsigned var = run.image.Word();
  int lo = run.image.Word(), hi = run.image.Word();
  Print<" %X %d %d )\n">(run, var, lo, hi);
}

void RotatedCall(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t start) {
  OpenJumpRecord(run, row, start);
  double a = Angle16(run.image.Word());
  double b = Angle16(run.image.Word());
  double c = Angle16(run.image.Word());
  Print<" %.2f %.2f %.2f )\n">(run, a, b, c);
}

void IfVarAnd(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t start) {
  OpenJumpRecord(run, row, start);
  unsigned var = run.image.Word(), mask = run.image.Word();
  Print<" %X %X )\n">(run, var, mask);
}

void CallAsm(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t start) {
  OpenJumpRecord(run, row, start);
  unsigned v = run.image.Word();
  Print<" %X )\n">(run, v);
}

void SenseBorder(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t start) {
  OpenJumpRecord(run, row, start);
  Print<kLineEnd>(run);
  unsigned count = run.image.Word();
  for (unsigned i = 0; i < count; ++i) {
    int x = run.image.SWord(), z = run.image.SWord();
    Print<"\t\t%d %d\n">(run, x, z);
  }
  Print<kCloseLine>(run);
}

void VectorJump(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t start) {
  OpenJumpRecord(run, row, start);
  BglImage& img = run.image;
  int x = img.SWord(), y = img.SWord(), z = img.SWord();
  int32_t f = img.SDword();
  Print<" m %d %d %d %f )\n">(run, x, y, z, f / 32767.0);
}

void SetScaleX(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t start) {
  OpenJumpRecord(run, row, start);
  int a = run.image.Word(), b = run.image.Word(), c = run.image.Word();
  Print<" %d %d %d )\n">(run, a, b, c);
}

void PitchCall(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t start) {
  OpenJumpRecord(run, row, start);
  int c = run.image.SWord();
  Print<" %x  )\n">(run, static_cast<unsigned>(c));
}

void ShadowCallVi(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t start) {
  OpenJumpRecord(run, row, start);
  unsigned v = run.image.Word();
  Print<" %x )\n">(run, v);
}

void TransformCall(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t start) {
  OpenJumpRecord(run, row, start);
  BglImage& img = run.image;
  int x = img.SWord(), y = img.SWord(), z = img.SWord();
  double angle[3];
  unsigned var[3];
  for (int i = 0; i < 3; ++i) {
    angle[i] = Angle16(img.Word());
    var[i] = img.Word();
  }
  Print<" %d %d %d\n\t\t%.2f %X  %.2f %X  %.2f %X )\n">(run, x, y, z, angle[0], var[0], angle[1],
                                                        var[1], angle[2], var[2]);
}

// IfVRes and IfHRes.
void ResolutionTest(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t start) {
  OpenJumpRecord(run, row, start);
  int a = run.image.SWord(), b = run.image.SWord();
  Print<" %d %d )\n">(run, a, b);
}

void Monitor3D(BglRun& run, const OpcodeRow&, uint8_t, uint32_t start) {
  BglImage& img = run.image;
  SkipHighByte(run);
  uint16_t d = img.Word();  // this record's displacement is unsigned
  int v[6];
  for (int& x : v) x = img.SWord();
  Print<"\tMonitor3D( ">(run);
  JumpRef(run, start, d);
  Print<" %d %d  %d %d  %d %d )\n">(run, v[0], v[1], v[2], v[3], v[4], v[5]);
}

void LayerCall(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t start) {
  OpenJumpRecord(run, row, start);
  int layer = run.image.Word();
  Print<kTailValue>(run, layer);
}

void MonitorPt(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t start) {
  OpenJumpRecord(run, row, start);
  Print<kListLineStart>(run);
  unsigned count = run.image.Word();
  for (unsigned i = 0; i < count; ++i) Print<kValue>(run, run.image.Word());
  Print<kClose>(run);
}

void SetScale(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t start) {
  OpenJumpRecord(run, row, start);
  int a = run.image.Word(), b = run.image.Word();
  uint32_t e = run.image.Dword();
  Print<" %d %d %f )\n">(run, a, b, 65536.0 / e);
}

// I_96: a jump and one signed value.
void JumpWithValue(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t start) {
  OpenJumpRecord(run, row, start);
  int v = run.image.SWord();
  Print<kTailValue>(run, v);
}

// I_98: a jump and nine signed words, the last three in hexadecimal.
void JumpNineHex(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t start) {
  OpenJumpRecord(run, row, start);
  int v[9];
  for (int& x : v) x = run.image.SWord();
  Print<"  %d %d %d  %d %d %d  %X %X %X )\n">(
      run, v[0], v[1], v[2], v[3], v[4], v[5], static_cast<unsigned>(v[6]),
      static_cast<unsigned>(v[7]), static_cast<unsigned>(v[8]));
}

// RotateToAircraft: a jump and nine signed words.
void JumpNineDecimal(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t start) {
  OpenJumpRecord(run, row, start);
  int v[9];
  for (int& x : v) x = run.image.SWord();
  Print<"  %d %d %d  %d %d %d  %d %d %d )\n">(run, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7],
                                              v[8]);
}

void EnumBitmaps(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t start) {
  OpenJumpRecord(run, row, start);
  unsigned count = run.image.Word();
  for (unsigned i = 0; i < count; ++i) Print<kSpacedValue>(run, run.image.SWord());
  Print<kSpaceClose>(run);
}

}  // namespace bgltext
