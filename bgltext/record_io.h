// Small helpers that the record handlers of the area interpreters share:
// the ignored high opcode byte, jump references and the pass test.
#pragma once

#include <cstdint>

#include "bgltext/area_loop.h"
#include "bgltext/bgl_run.h"
#include "bgltext/coord_value.h"

namespace bgltext {

// Records with a 16-bit opcode word: the high byte is read and not used.
inline uint8_t SkipHighByte(BglRun& run) { return run.image.Byte(); }

// True while text is written; handlers skip building costly operand texts
// in the Collect pass.
inline bool Printing(const BglRun& run) { return run.Pass() == DecodePass::Print; }

// A jump operand, counted from the record's opcode byte: the target is
// registered in the Collect pass and its label referenced in the Print pass.
inline void JumpRef(BglRun& run, uint32_t recordStart, int32_t displacement) {
  uint32_t target = recordStart + static_cast<uint32_t>(displacement);
  run.RegisterTarget(target);
  run.ReferenceLabel(target);
}

// Area loop entries that write one of a section's lines.
template <FormatText F>
void WriteLine(BglRun& run) {
  Print<F>(run);
}
template <FormatText F>
void WriteByteLine(BglRun& run, uint8_t b) {
  Print<F>(run, b);
}

}  // namespace bgltext
