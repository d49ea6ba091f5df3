// Opcode tables, the area loop of the interpreted sections, and the records
// that SCASM cannot express (raw dumps and the switch record).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace bgltext {

class BglRun;
struct OpcodeRow;

// Called with the cursor just after the opcode byte; recordStart is the
// offset of that byte (jump displacements count from it).
using OpcodeHandler = void (*)(BglRun& run, const OpcodeRow& row, uint8_t opcode,
                               uint32_t recordStart);

// One operand of a record read by OperandDescription: its width and how it
// is written ("%d ", "%x ", or not at all), or a jump displacement.
enum class Operand : uint8_t {
  ByteSigned,
  ByteUnsigned,
  ByteHex,
  ByteSkipped,
  WordSigned,
  WordUnsigned,
  WordHex,
  WordSkipped,
  DwordSigned,
  DwordHex,
  DwordSkipped,
  Jump16,
  Jump32,
};

// The handler argument of a row, typed by what it describes.
struct RowArgument {
  enum Kind : uint8_t { None, Operands, RawLength, Motion } kind = None;
  std::array<Operand, 16> operands{};  // Operands: the record's operands in order
  uint8_t count = 0;                   // Operands: how many
  uint8_t length = 0;                  // RawLength: the record's total length in bytes
  uint8_t values = 0;                  // Motion: the signed values after the time
  bool accelerate = false;             // Motion: a rate word before them
};

// The operands of a description such as "BxBxWxLLWsWWWW": B, W and L read a
// byte, word or dword written signed, followed by x written in hexadecimal,
// by s read and not written; U makes the next B or W unsigned; J and j are
// 32-bit and 16-bit jump displacements. Checked when the program is built.
consteval RowArgument Operands(const char* description) {
  RowArgument a;
  a.kind = RowArgument::Operands;
  bool asUnsigned = false;
  auto add = [&a](Operand op) {
    if (a.count == a.operands.size()) throw "too many operands";
    a.operands[a.count++] = op;
  };
  for (const char* d = description; *d;) {
    char letter = *d++;
    char modifier = 0;
    if ((*d == 'x' || *d == 's') && letter != 'U' && letter != 'J' && letter != 'j')
      modifier = *d++;
    switch (letter) {
      case 'B':
        add(modifier == 'x'   ? Operand::ByteHex
            : modifier == 's' ? Operand::ByteSkipped
            : asUnsigned      ? Operand::ByteUnsigned
                              : Operand::ByteSigned);
        asUnsigned = false;
        break;
      case 'W':
        add(modifier == 'x'   ? Operand::WordHex
            : modifier == 's' ? Operand::WordSkipped
            : asUnsigned      ? Operand::WordUnsigned
                              : Operand::WordSigned);
        asUnsigned = false;
        break;
      case 'L':
        add(modifier == 'x'   ? Operand::DwordHex
            : modifier == 's' ? Operand::DwordSkipped
                              : Operand::DwordSigned);
        break;
      case 'U':
        asUnsigned = true;
        break;
      case 'J':
        add(Operand::Jump32);
        break;
      case 'j':
        add(Operand::Jump16);
        break;
      default:
        throw "unknown operand letter";
    }
  }
  return a;
}

// A record written as raw bytes: its total length, opcode included.
consteval RowArgument RawLength(unsigned bytes) {
  if (bytes < 1 || bytes > 255) throw "a raw record holds 1 to 255 bytes";
  RowArgument a;
  a.kind = RowArgument::RawLength;
  a.length = static_cast<uint8_t>(bytes);
  return a;
}

// A move (values signed words after the time), or an accelerate (a rate
// word first).
consteval RowArgument Motion(unsigned values, bool accelerate) {
  if (values < 1 || values > 3) throw "a motion moves along 1 to 3 axes";
  RowArgument a;
  a.kind = RowArgument::Motion;
  a.values = static_cast<uint8_t>(values);
  a.accelerate = accelerate;
  return a;
}

// A handler and the kind of row argument it reads (none for most).
struct RowHandler {
  constexpr RowHandler(OpcodeHandler f, RowArgument::Kind takes = RowArgument::None)
      : function(f), reads(takes) {}
  OpcodeHandler function;
  RowArgument::Kind reads;
};

// One row of an OpcodeTable: opcode, SCASM record name, handler, argument.
struct OpcodeRow {
  uint8_t opcode;
  const char* name;
  RowHandler handler;
  RowArgument argument;
};

// True when every row carries the kind of argument its handler reads: a
// table check made when the program is built.
template <size_t N>
consteval bool ArgumentsMatch(const OpcodeRow (&rows)[N]) {
  for (const OpcodeRow& row : rows)
    if (row.handler.reads != row.argument.kind) return false;
  return true;
}

// Finds the first row of a table whose opcode equals a byte, in constant time.
class OpcodeIndex {
 public:
  OpcodeIndex(const OpcodeRow* rows, size_t count);
  template <size_t N>
  explicit OpcodeIndex(const OpcodeRow (&rows)[N]) : OpcodeIndex(rows, N) {}
  const OpcodeRow* Find(uint8_t opcode) const { return index_[opcode]; }

 private:
  std::array<const OpcodeRow*, 256> index_{};
};

// Reads nothing; writes ";;; unknown record id: 0x%x\n".
void WriteUnknownRecordId(BglRun& run, uint8_t opcode);

// Looks the opcode up and calls its handler, or writes the unknown record id.
void DispatchOpcode(BglRun& run, const OpcodeIndex& table, uint8_t opcode, uint32_t recordStart);

// What a section's top-level decoder made of a byte read outside an area.
struct TopLevelResult {
  enum Kind { EndWalk, OpenArea, Record, Unknown } kind;
  uint32_t areaEnd = 0;  // OpenArea: the offset where the area ends
};

// A section's part of the area loop.
struct AreaLoopSpec {
  const OpcodeIndex* table;                         // records inside an area
  void (*closingLine)(BglRun& run);                 // "EndA\n\n", ...
  void (*unknownTopLevel)(BglRun& run, uint8_t b);  // a line with the byte
  // Decodes the byte b read at offset outside an area: an end of the walk
  // (writing its own line if it has one), an area header (written, with its
  // end offset), another top-level record, or Unknown.
  TopLevelResult (*topLevel)(BglRun& run, uint8_t b, uint32_t offset);
};

// The record walk of one unit of sections 9, 15 and 16, with the area end
// check, the overrun comment and the pending close.
void RunAreaLoop(BglRun& run, const AreaLoopSpec& spec);

// Raw-dump handlers: the row's argument is the record's total length; the
// row handlers below carry that. The procedural form writes
// ";;; %s(0x%02x) - SCASM does not support this record\n", the dynamic-scenery form "\t;
// %s(0x%02x)\n"; both then the "\tDbx( %X ..." line.
void RawDumpProcedural(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void RawDumpDynamic(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
inline constexpr RowHandler kRawProcedural{RawDumpProcedural, RowArgument::RawLength};
inline constexpr RowHandler kRawDynamic{RawDumpDynamic, RowArgument::RawLength};

// The switch record: targets registered in Collect mode, written in Print
// mode as IfVarRange lines and a final Jump.
void WriteSwitchRecord(BglRun& run, uint16_t variable, uint32_t defaultTarget,
                       const std::vector<uint32_t>& targets);

}  // namespace bgltext
