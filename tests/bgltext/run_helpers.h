// Helpers for bgltext tests: whole runs in memory and text comparisons.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "bgltext/driver.h"

namespace bgltest {

// Test input name; the single-file output is "in.sca" in memory.
constexpr char kInputName[] = "in.bgl";
constexpr char kSingleOutput[] = "in.sca";

// A whole run on the bytes (single-file mode unless options say otherwise).
bgltext::MemoryRunResult RunBgl(const std::vector<uint8_t>& file, bgltext::RunOptions options = {});

// The single output file of a single-file run with CR LF turned into LF;
// empty when the run wrote none.
std::string SingleText(const bgltext::MemoryRunResult& r);

// The text of one file of a multi-file run ("bgt20.sca", ...), CR LF as LF.
std::string MultiText(const bgltext::MemoryRunResult& r, const std::string& name);
// Multi-file run options with the output directory "out".
bgltext::RunOptions MultiOptions();
// The path a multi-file run gives name ("out/bgt20.sca", or with '\\').
std::string MultiPath(const std::string& name);

// Text of a single-file run from the line after ";;; section <n> - ..." up
// to, not including, the empty line that separates the next section block
// (";;; ----") or to the end.
std::string SectionBody(const std::string& singleText, int section);

std::string Lf(const std::string& crlf);
std::string CrLf(const std::string& lf);

}  // namespace bgltest
