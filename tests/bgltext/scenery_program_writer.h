// Test-side images for the interpreted sections (9, 10, 15, 16): a LatRange
// subtable with one entry whose unit holds the given bytes at a fixed
// offset, so that expected texts can name label offsets.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "bgltext/area_loop.h"
#include "bgltext/bgl_run.h"
#include "tools/bglwriter/bgl_builder.h"

namespace bgltest {

// The records of an area start here in every image below.
constexpr uint32_t kRecordsAt = 0x100;

// The opcode word of a procedural record (high byte 0), ready for operands.
inline ByteWriter Op(uint8_t opcode) { return ByteWriter().U8(opcode).U8(0); }
// A one-byte opcode (section 15 records).
inline ByteWriter Op1(uint8_t opcode) { return ByteWriter().U8(opcode); }

// A section-n image whose only LatRange entry points at unitAt, where unit
// is written.
std::vector<uint8_t> LatRangeImage(int section, uint32_t unitAt, const std::vector<uint8_t>& unit);

// Section 9 with one area (record 6, a dword length) holding records at
// kRecordsAt; the area length is exact plus lengthDelta.
std::vector<uint8_t> ProceduralImage(const std::vector<uint8_t>& records, int lengthDelta = 0);
// The header line of that area.
constexpr char kProceduralAreaLine[] = "Area( 6 N45:0:0.00 E90:0:0.00 0 )\n";

// Section 15 with one Area15 block holding records at kRecordsAt.
std::vector<uint8_t> DynamicImage(const std::vector<uint8_t>& records, int lengthDelta = 0);
constexpr char kDynamicAreaLines[] =
    "Area15( S0:0:0.00 S0:0:0.00 E90:0:0.00 W0:0:0.00\n\tS0:0:0.00 S0:0:0.00 W0:0:0.00 W0:0:0.00 "
    ")\n";

// Section 16 with top-level records at kRecordsAt.
std::vector<uint8_t> MarkerImage(const std::vector<uint8_t>& topLevel);
// Section 16 with one Area16 block (length byte exact plus lengthDelta)
// holding records at kRecordsAt.
std::vector<uint8_t> MarkerAreaImage(const std::vector<uint8_t>& records, int lengthDelta = 0);
constexpr char kMarkerAreaLine[] = "Area16( N18:0:0.00 S0:0:0.00 E90:0:0.00 W90:0:0.00 )\n";

// The text between the end of `opening` and the last `closing` of a
// single-file run's output (to the end when there is no closing text).
std::string Between(const std::string& text, const std::string& opening,
                    const std::string& closing);

// Runs one handler directly on bytes (cursor after the opcode byte) with
// the output open in memory; returns the text written (CR LF as LF).
struct DirectResult {
  std::string text;
  std::string console;
  int fatalStatus = -2;  // -2: no fatal exit
};
DirectResult RunHandler(const bgltext::OpcodeRow& row, const std::vector<uint8_t>& bytes,
                        bgltext::RunOptions options = {});

}  // namespace bgltest
