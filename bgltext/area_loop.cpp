// The area loop and the records that are written as raw bytes.
#include "bgltext/area_loop.h"

#include <cstdlib>

#include "bgltext/bgl_run.h"

namespace bgltext {
namespace {

constexpr char kUnknownRecordId[] = ";;; unknown record id: 0x%x\n";
constexpr char kOverrun[] = ";;;;; EndA Overrun. (now:0x%x, enda:0x%x\n";
constexpr char kRawProcedural[] = ";;; %s(0x%02x) - SCASM does not support this record\n";
constexpr char kRawDynamic[] = "\t; %s(0x%02x)\n";
constexpr char kDbxOpen[] = "\tDbx( %X ";
constexpr char kDbxByte[] = "%X ";
constexpr char kDbxClose[] = ")\n";
constexpr char kSwitchNote1[] = "\t;;; Switch instruction is not implemented in scasm.\n";
constexpr char kSwitchNote2[] = "\t;;; So bgltext simulates this by IfVarRange.\n";
constexpr char kSwitchTest[] = "\tIfVarRange( ";
constexpr char kSwitchTestTail[] = " %X %d %d )\n";
constexpr char kSwitchJump[] = "\tJump( ";
constexpr char kSwitchJumpTail[] = " )\n\n";

void RawDump(BglRun& run, const OpcodeRow& row, uint8_t opcode, const char* comment) {
  run.Print(comment, row.name, opcode);
  long n = row.argument ? std::strtol(row.argument, nullptr, 10) : 0;
  if (n < 1) return;
  run.Print(kDbxOpen, opcode);
  for (long i = 1; i < n; ++i) run.Print(kDbxByte, run.image.Byte());
  run.Print("%s", kDbxClose);
}

}  // namespace

OpcodeIndex::OpcodeIndex(const OpcodeRow* rows, size_t count) {
  for (size_t i = count; i-- > 0;) index_[rows[i].opcode] = &rows[i];
}

void WriteUnknownRecordId(BglRun& run, uint8_t opcode) { run.Print(kUnknownRecordId, opcode); }

void DispatchOpcode(BglRun& run, const OpcodeIndex& table, uint8_t opcode, uint32_t recordStart) {
  const OpcodeRow* row = table.Find(opcode);
  if (row == nullptr || row->handler == nullptr) {
    WriteUnknownRecordId(run, opcode);
    return;
  }
  row->handler(run, *row, opcode, recordStart);
}

void RunAreaLoop(BglRun& run, const AreaLoopSpec& spec) {
  bool inArea = false;
  bool pendingClose = false;
  uint32_t areaEnd = 0;
  for (;;) {
    uint32_t offset = static_cast<uint32_t>(run.image.Pos());
    uint8_t b = run.image.Byte();
    if (pendingClose) {
      run.Print("%s", spec.closingLine);
      pendingClose = false;
    }
    if (!inArea) {
      TopLevelResult r = spec.topLevel(run, b, offset);
      if (r.kind == TopLevelResult::EndWalk) return;
      if (r.kind == TopLevelResult::OpenArea) {
        inArea = true;
        areaEnd = r.areaEnd;
      } else if (r.kind == TopLevelResult::Unknown) {
        run.Print(spec.unknownTopLevel, b);
      }
      continue;
    }
    DispatchOpcode(run, *spec.table, b, offset);
    uint32_t now = static_cast<uint32_t>(run.image.Pos());
    if (now >= areaEnd) {
      if (now > areaEnd) run.Print(kOverrun, now, areaEnd);
      inArea = false;
      pendingClose = true;
    }
  }
}

void RawDumpProcedural(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t) {
  RawDump(run, row, opcode, kRawProcedural);
}

void RawDumpDynamic(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t) {
  RawDump(run, row, opcode, kRawDynamic);
}

void WriteSwitchRecord(BglRun& run, uint16_t variable, uint32_t defaultTarget,
                       const std::vector<uint32_t>& targets) {
  for (uint32_t t : targets) run.RegisterTarget(t);
  run.RegisterTarget(defaultTarget);
  run.Print("%s", kSwitchNote1);
  run.Print("%s", kSwitchNote2);
  for (size_t i = 0; i < targets.size(); ++i) {
    run.Print("%s", kSwitchTest);
    run.ReferenceLabel(targets[i]);
    run.Print(kSwitchTestTail, variable, static_cast<int>(i), static_cast<int>(i));
  }
  run.Print("%s", kSwitchJump);
  run.ReferenceLabel(defaultTarget);
  run.Print("%s", kSwitchJumpTail);
}

}  // namespace bgltext
