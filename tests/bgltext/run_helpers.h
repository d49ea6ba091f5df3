// Helpers for bgltext tests: whole runs in memory, expected texts, images of
// the interpreted sections and the hostile files of the regression tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "bgltext/bgl_run.h"
#include "bgltext/driver.h"
#include "tools/bglwriter/bgl_builder.h"

namespace bgltest {

template <class... Args>
std::string Fmt(const char* format, Args... args) {
  char buf[256];
  std::snprintf(buf, sizeof buf, format, args...);
  return buf;
}

// A whole run on the bytes; the input is "in.bgl", so a single-file run
// writes "in.sca" and a multi-file run (MultiOptions) writes below "out".
bgltext::MemoryRunResult RunBgl(const std::vector<uint8_t>& file, bgltext::RunOptions options = {});
inline bgltext::RunOptions MultiOptions() {
  bgltext::RunOptions o;
  o.multiFile = true;
  o.outputPath = "out";
  return o;
}
// A multi-file run that is expected to succeed.
bgltext::MemoryRunResult RunMulti(const BglBuilder& b, bool seq = false);
// The output of a single-file run and of one file of a multi-file run
// ("bgt20.sca"); CR LF as LF, empty when absent.
std::string Output(const bgltext::MemoryRunResult& r, const std::string& path);
inline std::string SingleText(const bgltext::MemoryRunResult& r) { return Output(r, "in.sca"); }
inline std::string MultiPath(const std::string& name) {
  return std::string("out") + bgltext::kPathSeparator + name;
}
inline std::string File(const bgltext::MemoryRunResult& r, const std::string& name) {
  return Output(r, MultiPath(name));
}
::testing::AssertionResult EndsWith(const std::string& text, const std::string& tail);

// The label text of a jump target without -seq: ":L%08X".
inline std::string Label(uint32_t offset) { return Fmt(":L%08X", offset); }
// The comment block that opens a section file of a multi-file run.
inline std::string Block(int section, const std::string& name, const std::string& headerLine) {
  return Fmt(";;; Disassembled by bgltext ver 2.2\n;;; section %d - ", section) + name + "\n" +
         headerLine;
}
// The line of a section bgltext cannot decode.
inline std::string Sorry(int section) {
  return Fmt(";;; sorry, bgltext can't decode section %d\n", section);
}

// The header of the driver and walk tests: scenery id 0x1a2b, bounds N45
// S18 E45 W123:45.
BglBuilder UsualBuilder();
constexpr char kUsualHeaderBlock[] = "Header( 1 N45:0:0.00 S18:0:0.00 E45:0:0.00 W123:45:0.00 )\n";
// Sections 7 and 21 (not decodable) around an airport directory whose
// container and name lists are empty, and its section slots.
BglBuilder WalkBuilder();
// Section slots: all 0 but the ones given.
std::vector<unsigned> Slots(std::initializer_list<std::pair<int, unsigned>> set);
inline std::vector<unsigned> WalkSlots() { return Slots({{7, 168}, {20, 0x87654321u}, {21, 168}}); }
// The header lines, from the line formats of the header output.
std::string HeaderLines(const std::vector<unsigned>& slots, unsigned id = 0x1a2b,
                        const char* bounds = "N45:0:0.00 S18:0:0.00 E45:0:0.00 W123:45:0.00",
                        unsigned minFreq = 0, unsigned maxFreq = 0, unsigned value0 = 0);

// The file of the decoder tests: bounds N45 S45 E90 W90, with coordinates
// chosen so that their text forms are exact.
inline BglBuilder DecoderBuilder() {
  BglBuilder b;
  b.Bounds(5000875, -5000875, 0x40000000u, 0xC0000000u);
  return b;
}
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
void OneLatRange(BglBuilder& b, int section);

// The opcode word of a procedural record (high byte 0), ready for operands.
inline ByteWriter Op(uint8_t opcode) { return ByteWriter().U8(opcode).U8(0); }
// A section-n image whose only LatRange entry (words 0, 0) holds the unit at
// unitAt; section 9 with one area (record 6, a dword length) whose records
// start at 0x100.
std::vector<uint8_t> LatRangeImage(int section, uint32_t unitAt, const std::vector<uint8_t>& unit);
std::vector<uint8_t> ProceduralImage(const std::vector<uint8_t>& records);

}  // namespace bgltest
