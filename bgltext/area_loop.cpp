// The area loop and the records that are written as raw bytes.
#include "bgltext/area_loop.h"

#include "bgltext/bgl_run.h"

namespace bgltext {
namespace {

constexpr FormatText kUnknownRecordId = ";;; unknown record id: 0x%x\n";
constexpr FormatText kOverrun = ";;;;; EndA Overrun. (now:0x%x, enda:0x%x\n";
constexpr FormatText kRawProceduralLine = ";;; %s(0x%02x) - SCASM does not support this record\n";
constexpr FormatText kRawDynamicLine = "\t; %s(0x%02x)\n";
constexpr FormatText kDbxOpen = "\tDbx( %X ";
constexpr FormatText kDbxByte = "%X ";
constexpr FormatText kDbxClose = ")\n";
constexpr FormatText kSwitchNote1 = "\t;;; Switch instruction is not implemented in scasm.\n";
constexpr FormatText kSwitchNote2 = "\t;;; So bgltext simulates this by IfVarRange.\n";
constexpr FormatText kSwitchTest = "\tIfVarRange( ";
constexpr FormatText kSwitchTestTail = " %X %d %d )\n";
constexpr FormatText kSwitchJump = "\tJump( ";
constexpr FormatText kSwitchJumpTail = " )\n\n";

template <FormatText Comment>
void RawDump(BglRun& run, const OpcodeRow& row, uint8_t opcode) {
  Print<Comment>(run, row.name, opcode);
  Print<kDbxOpen>(run, opcode);
  for (unsigned i = 1; i < row.argument.length; ++i) Print<kDbxByte>(run, run.image.Byte());
  Print<kDbxClose>(run);
}

}  // namespace

OpcodeIndex::OpcodeIndex(const OpcodeRow* rows, size_t count) {
  for (size_t i = count; i-- > 0;) index_[rows[i].opcode] = &rows[i];
}

void WriteUnknownRecordId(BglRun& run, uint8_t opcode) { Print<kUnknownRecordId>(run, opcode); }

void DispatchOpcode(BglRun& run, const OpcodeIndex& table, uint8_t opcode, uint32_t recordStart) {
  if (run.Pass() == DecodePass::Collect) run.CountSilentRecord();
  const OpcodeRow* row = table.Find(opcode);
  if (row == nullptr) {
    WriteUnknownRecordId(run, opcode);
    return;
  }
  row->handler.function(run, *row, opcode, recordStart);
}

void RunAreaLoop(BglRun& run, const AreaLoopSpec& spec) {
  bool inArea = false;
  bool pendingClose = false;
  uint32_t areaEnd = 0;
  for (;;) {
    uint32_t offset = static_cast<uint32_t>(run.image.Pos());
    uint8_t b = run.image.Byte();
    if (pendingClose) {
      spec.closingLine(run);
      pendingClose = false;
    }
    if (!inArea) {
      TopLevelResult r = spec.topLevel(run, b, offset);
      if (r.kind == TopLevelResult::EndWalk) return;
      if (r.kind == TopLevelResult::OpenArea) {
        inArea = true;
        areaEnd = r.areaEnd;
      } else if (r.kind == TopLevelResult::Unknown) {
        spec.unknownTopLevel(run, b);
      }
      continue;
    }
    DispatchOpcode(run, *spec.table, b, offset);
    uint32_t now = static_cast<uint32_t>(run.image.Pos());
    if (now >= areaEnd) {
      if (now > areaEnd) Print<kOverrun>(run, now, areaEnd);
      inArea = false;
      pendingClose = true;
    }
  }
}

void RawDumpProcedural(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t) {
  RawDump<kRawProceduralLine>(run, row, opcode);
}

void RawDumpDynamic(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t) {
  RawDump<kRawDynamicLine>(run, row, opcode);
}

void WriteSwitchRecord(BglRun& run, uint16_t variable, uint32_t defaultTarget,
                       const std::vector<uint32_t>& targets) {
  for (uint32_t t : targets) run.RegisterTarget(t);
  run.RegisterTarget(defaultTarget);
  Print<kSwitchNote1>(run);
  Print<kSwitchNote2>(run);
  for (size_t i = 0; i < targets.size(); ++i) {
    Print<kSwitchTest>(run);
    run.ReferenceLabel(targets[i]);
    Print<kSwitchTestTail>(run, variable, static_cast<int>(i), static_cast<int>(i));
  }
  Print<kSwitchJump>(run);
  run.ReferenceLabel(defaultTarget);
  Print<kSwitchJumpTail>(run);
}

}  // namespace bgltext
