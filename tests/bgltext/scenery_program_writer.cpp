// Test-side images for the interpreted sections.
#include "tests/bgltext/scenery_program_writer.h"

#include "tests/bgltext/run_helpers.h"

namespace bgltest {
namespace {

constexpr uint8_t kSubtableEntry = 21;
constexpr uint32_t kProceduralAreaHeader = 14;  // record 6: byte, lat, lon, v, dword length
constexpr uint32_t kDynamicAreaHeader = 43;     // record 4: byte, 4 words, n, 4 words, 24 bytes
constexpr uint32_t kDynamicAfterLength = 32;
constexpr uint32_t kMarkerAreaHeader = 14;  // record 101: byte, n, 2 lat24, 2 lon24

}  // namespace

std::vector<uint8_t> LatRangeImage(int section, uint32_t unitAt, const std::vector<uint8_t>& unit) {
  BglBuilder b;
  uint32_t start = b.BeginSection(section);
  b.Body().U8(kSubtableEntry).U16(0).U16(0).U32(unitAt - start).U8(0);
  b.Body().Fill(unitAt - b.Here());
  b.Body().Bytes(unit);
  return b.Build();
}

std::vector<uint8_t> ProceduralImage(const std::vector<uint8_t>& records, int lengthDelta) {
  ByteWriter unit;
  unit.U8(6).I32(Lat32Raw(45)).U32(Lon32Raw(90)).U8(0);
  unit.U32(static_cast<uint32_t>(kProceduralAreaHeader + records.size() + lengthDelta));
  unit.Bytes(records).U8(0);
  return LatRangeImage(9, kRecordsAt - kProceduralAreaHeader, unit.Data());
}

std::vector<uint8_t> DynamicImage(const std::vector<uint8_t>& records, int lengthDelta) {
  ByteWriter unit;
  unit.U8(4).U16(0).U16(0).U16(0x4000).U16(0);
  unit.U16(static_cast<uint32_t>(kDynamicAfterLength + records.size() + lengthDelta));
  unit.U16(0).U16(0).U16(0).U16(0).Fill(24);
  unit.Bytes(records).U8(0);
  return LatRangeImage(15, kRecordsAt - kDynamicAreaHeader, unit.Data());
}

std::vector<uint8_t> MarkerImage(const std::vector<uint8_t>& topLevel) {
  ByteWriter unit;
  unit.Bytes(topLevel).U8(0);
  return LatRangeImage(16, kRecordsAt, unit.Data());
}

std::vector<uint8_t> MarkerAreaImage(const std::vector<uint8_t>& records, int lengthDelta) {
  ByteWriter unit;
  unit.U8(101).U8(static_cast<uint32_t>(kMarkerAreaHeader + records.size() + lengthDelta));
  unit.U24(Lat24Raw(18)).U24(0).U24(Lon24Raw(90)).U24(Lon24Raw(-90));
  unit.Bytes(records).U8(0);
  return LatRangeImage(16, kRecordsAt - kMarkerAreaHeader, unit.Data());
}

std::string Between(const std::string& text, const std::string& opening,
                    const std::string& closing) {
  size_t at = text.find(opening);
  if (at == std::string::npos) return "<no " + opening + ">";
  at += opening.size();
  size_t end = text.rfind(closing);
  if (end == std::string::npos || end < at) return text.substr(at);
  return text.substr(at, end - at);
}

DirectResult RunHandler(const bgltext::OpcodeRow& row, const std::vector<uint8_t>& bytes,
                        bgltext::RunOptions options) {
  DirectResult result;
  bgltext::Console console(&result.console);
  options.memoryOutput = true;
  options.inputPath = kInputName;
  bgltext::BglRun run(options, console);
  run.DecideOutputBase();
  run.OpenSectionOutput("unit", false);
  run.image.Assign(bytes);
  run.image.Seek(1);
  try {
    row.handler.function(run, row, bytes.at(0), 0);
  } catch (const bgltext::FatalExit& e) {
    result.fatalStatus = e.status;
  }
  run.CloseOutputs();
  auto it = run.memoryFiles.find(kSingleOutput);
  if (it != run.memoryFiles.end()) result.text = Lf(it->second);
  return result;
}

}  // namespace bgltest
