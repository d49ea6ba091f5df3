// The file header and the walk over the 22 section slots.
#pragma once

namespace bgltext {

class BglRun;

// Opens the header output, writes the header lines and keeps the header in
// run.header. False when the header output cannot be opened.
bool ReadHeader(BglRun& run);

// The step of section n: the console line, then its decoder. False only when
// the output of an undecodable section cannot be opened.
bool SectionStep(BglRun& run, int section);

}  // namespace bgltext
