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

// One row of an OpcodeTable: opcode, SCASM record name, handler, argument
// (an operand description, a byte count as decimal text, or null).
struct OpcodeRow {
  uint8_t opcode;
  const char* name;
  OpcodeHandler handler;
  const char* argument;
};

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
  const OpcodeIndex* table;     // records inside an area
  const char* closingLine;      // "EndA\n\n", ...
  const char* unknownTopLevel;  // format with one %x
  // Decodes the byte b read at offset outside an area: an end of the walk
  // (writing its own line if it has one), an area header (written, with its
  // end offset), another top-level record, or Unknown.
  TopLevelResult (*topLevel)(BglRun& run, uint8_t b, uint32_t offset);
};

// The record walk of one unit of sections 9, 15 and 16, with the area end
// check, the overrun comment and the pending close.
void RunAreaLoop(BglRun& run, const AreaLoopSpec& spec);

// Raw-dump handlers: the row's argument is the record's total length as
// decimal text. The procedural form writes ";;; %s(0x%02x) - SCASM does not
// support this record\n", the dynamic-scenery form "\t; %s(0x%02x)\n"; both
// then the "\tDbx( %X ..." line.
void RawDumpProcedural(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void RawDumpDynamic(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);

// The switch record: targets registered in Collect mode, written in Print
// mode as IfVarRange lines and a final Jump.
void WriteSwitchRecord(BglRun& run, uint16_t variable, uint32_t defaultTarget,
                       const std::vector<uint32_t>& targets);

}  // namespace bgltext
