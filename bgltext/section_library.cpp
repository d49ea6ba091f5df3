// Section 10, library objects: a list of objects, each a header and a
// record sequence interpreted through the procedural OpcodeTable, decoded
// as one two-pass unit.
#include <string>
#include <vector>

#include "bgltext/area_loop.h"
#include "bgltext/bgl_run.h"
#include "bgltext/lat_range.h"
#include "bgltext/procedural_handlers.h"
#include "bgltext/section_decoders.h"

namespace bgltext {
namespace {

constexpr FormatText kLibraryName = "%s10";
constexpr FormatText kObjIdOpen = "ObjID( ";
constexpr FormatText kObjIdPart = "%08X ";
constexpr FormatText kObjIdClose = ")\n";
constexpr FormatText kLibObj1 = "LibObj1( 1 2 3 4 %d )\n";
constexpr FormatText kLibObj = "LibObj( PWR %d SIZE %d SCALE %f TYPE 0x%x PROP %d NAME \"%s\" )\n";
constexpr FormatText kEndObj = "EndObj\n\n\n";

// A list entry: the object's offset and its four identifier dwords.
constexpr uint32_t kListEntrySize = 20;
// Bytes of an object header in front of its name (full layout).
constexpr uint32_t kObjectHeaderFixed = 41;
constexpr size_t kUninterpretedHead = 16;

// The object name: the header's remaining bytes, cut at their first 0 byte.
std::string ReadObjectName(BglImage& img, uint32_t headerLength) {
  if (headerLength <= kObjectHeaderFixed) return {};
  size_t n = headerLength - kObjectHeaderFixed;
  if (n > img.Remaining()) throw EndOfData;
  std::vector<char> buf(n);
  img.ReadBytes(n, buf.data());
  size_t len = 0;
  while (len < n && buf[len] != 0) ++len;
  return std::string(buf.data(), len);
}

// Reads an object's header at the cursor, writes its line and returns the
// offset where its records end.
uint32_t ReadObjectHeader(BglRun& run, uint32_t objectStart) {
  BglImage& img = run.image;
  img.ReadBytes(kUninterpretedHead, nullptr);
  int power = img.Byte();
  if (run.Options().fs98Library) {
    uint32_t length = img.Word();
    Print<kLibObj1>(run, power);
    return objectStart + length;
  }
  uint32_t headerLength = img.Dword();
  uint32_t length = img.Dword();
  int32_t size = img.SDword();
  uint32_t scale = img.Dword();
  uint32_t type = img.Dword();
  int32_t property = img.SDword();
  std::string name = ReadObjectName(img, headerLength);
  Print<kLibObj>(run, power, size, 65536.0 / scale, type, property, name);
  return objectStart + length;
}

void DecodeObjectList(BglRun& run, uint32_t sectionStart) {
  BglImage& img = run.image;
  for (uint64_t entry = sectionStart;; entry += kListEntrySize) {
    img.Seek(entry);
    uint32_t offset = img.Dword();
    if (offset == 0) return;
    Print<kObjIdOpen>(run);
    for (int i = 0; i < 4; ++i) Print<kObjIdPart>(run, img.Dword());
    Print<kObjIdClose>(run);
    uint32_t objectStart = sectionStart + offset;
    img.Seek(objectStart);
    uint32_t objectEnd = ReadObjectHeader(run, objectStart);
    while (img.Pos() < objectEnd) {
      uint32_t recordStart = static_cast<uint32_t>(img.Pos());
      DispatchOpcode(run, ProceduralTable(), img.Byte(), recordStart);
    }
    Print<kEndObj>(run);
  }
}

}  // namespace

void DecodeLibrarySection(BglRun& run, int, uint32_t slot) {
  if (!run.OpenSectionOutput(Format<kLibraryName>(kNamePrefix), false)) return;
  RunTwoPassUnit(run, slot, [slot](BglRun& r) { DecodeObjectList(r, slot); });
  run.CloseSectionOutput();
}

}  // namespace bgltext
