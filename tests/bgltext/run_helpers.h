// Helpers for bgltext tests: whole runs in memory and text comparisons.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "bgltext/driver.h"
#include "tools/bglwriter/bgl_builder.h"

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

// printf into a string, for expected texts.
template <class... Args>
std::string Fmt(const char* format, Args... args) {
  char buf[256];
  std::snprintf(buf, sizeof buf, format, args...);
  return buf;
}
// The label text of a jump target without -seq: ":L%08X".
inline std::string Label(uint32_t offset) { return Fmt(":L%08X", offset); }
// The comment block that opens a section file of a multi-file run.
std::string Block(int section, const std::string& name, const std::string& headerLine);
// The usual header of the driver and walk tests: scenery id 0x1a2b, bounds
// N45 S18 E45 W123:45, written in section blocks as kUsualHeaderBlock.
BglBuilder UsualBuilder();
constexpr char kUsualHeaderBlock[] = "Header( 1 N45:0:0.00 S18:0:0.00 E45:0:0.00 W123:45:0.00 )\n";
constexpr char kDisassembled[] = ";;; Disassembled by bgltext ver 2.2\n";
constexpr char kRule[] = ";;; ----------------------------\n";
// Section slots: all 0 but the ones given.
std::vector<unsigned> Slots(std::initializer_list<std::pair<int, unsigned>> set);
// The header lines, from the line formats of the header output.
std::string HeaderLines(const std::vector<unsigned>& slots, unsigned id = 0x1a2b,
                        const char* bounds = "N45:0:0.00 S18:0:0.00 E45:0:0.00 W123:45:0.00",
                        unsigned minFreq = 0, unsigned maxFreq = 0, unsigned value0 = 0);
// The console lines of the section walk; `present` maps a section number to
// the text its decoder writes on the console.
std::string WalkConsole(const std::vector<std::pair<int, std::string>>& present);
// The line of a section that bgltext cannot decode.
std::string Sorry(int section);

// The file of the decoder tests: bounds N45 S45 E90 W90, with the
// coordinates below chosen so that their text forms are exact.
BglBuilder DecoderBuilder();
constexpr char kDecoderHeaderBlock[] = "Header( 1 N45:0:0.00 S45:0:0.00 E90:0:0.00 W90:0:0.00 )\n";
constexpr int32_t kNorth = 5000875;
constexpr uint32_t kEast = 0x40000000u, kWest = 0xC0000000u;
// 24-bit coordinates: N18, S18, N36, E45, E45:42:11.25, W90.
constexpr uint32_t kN18 = 1000175, kS18 = 0x1000000u - 1000175, kN36 = 2000350;
constexpr uint32_t kE45 = 0x200000, kE45b = 0x208000, kW90 = 0xC00000;
// The LatRange line of the words 0xC000 and 0x1000, and of the bounds.
constexpr char kLatRangeLine[] = "LatRange( S75:29:3.34 N18:52:15.84 )\n";
constexpr char kBoundsLine[] = "LatRange( S45:0:0.00 N45:0:0.00 )\n";
// Opens a LatRange section whose single entry (words 0xC000, 0x1000) has its
// records right after the subtable.
uint32_t OneLatRange(BglBuilder& b, int section);
// A multi-file run that is expected to succeed, and one of its section
// files by name without ".sca".
bgltext::MemoryRunResult RunMulti(const BglBuilder& b, bool seq = false, bool fs98 = false);
std::string File(const bgltext::MemoryRunResult& r, const std::string& name);
// text cut or padded with blanks to width.
std::string Padded(std::string text, size_t width);

// The bytes of all files of a run.
size_t OutputBytes(const bgltext::MemoryRunResult& r);
// True when text ends with tail (an EXPECT that prints both otherwise).
::testing::AssertionResult EndsWith(const std::string& text, const std::string& tail);

}  // namespace bgltest
