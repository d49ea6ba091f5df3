// Hostile BGL images for the benchmark and the memory-bound test.
#include "tools/bglwriter/hostile_images.h"

#include <algorithm>

#include "tools/bglwriter/bgl_builder.h"

namespace bgltest {
namespace {

constexpr uint32_t kCompressionMarker = 0xABCDEF01u;
constexpr size_t kCompressionHeader = 20;  // marker, payload size, checksum, 8 bytes
constexpr uint64_t kMaxExpansion = 1024;
constexpr uint64_t kMaxPayload = uint64_t{256} << 20;
constexpr uint32_t kLongestCopy = 1u << 31;  // the longest copy one match gives
constexpr uint8_t kSubtableEntry = 21;
constexpr uint32_t kLatRangeEntries = 99;

ByteWriter Op(uint8_t opcode) { return ByteWriter().U8(opcode).U8(0); }

// A plain header, the compression header claiming `claim` bytes, then the
// stream, padded with zeros to `size` bytes in all.
std::vector<uint8_t> CompressedFile(uint32_t claim, const std::vector<uint8_t>& stream,
                                    size_t size) {
  BglBuilder header;
  header.Slot(9, 128);  // into the payload
  std::vector<uint8_t> file = header.Build();
  ByteWriter w;
  w.U32(kCompressionMarker).U32(claim).U32(0).U32(0).U32(0).Bytes(stream);
  file.insert(file.end(), w.Data().begin(), w.Data().end());
  if (file.size() < size) file.resize(size, 0);
  return file;
}

// Section 9 whose LatRange subtable has `entries` entries, all at one unit:
// an area (record 6, a dword length) holding copies of `records` up to
// about `size` bytes of file, then `last`; with jumpBack a Jump32 to the
// first copy follows.
std::vector<uint8_t> ProceduralUnit(const std::vector<uint8_t>& records, size_t size,
                                    uint32_t entries, const std::vector<uint8_t>& last = {},
                                    bool jumpBack = false) {
  BglBuilder b;
  const uint32_t start = b.BeginSection(9);
  const uint32_t unit = 9 * entries + 1;  // the subtable and its closing 0
  for (uint32_t i = 0; i < entries; ++i)
    b.Body().U8(kSubtableEntry).U16(0xC000).U16(0x1000).U32(unit);
  b.Body().U8(0);
  b.Body().U8(6).I32(Lat32Raw(45)).U32(Lon32Raw(90)).U8(0);
  const size_t lengthAt = b.Here();
  b.Body().U32(0);
  const size_t first = b.Here();
  do b.Body().Bytes(records);
  while (b.Here() + records.size() < size);
  b.Body().Bytes(last);
  if (jumpBack) b.Body().Bytes(Op(0x88).I32(static_cast<int32_t>(first - b.Here())).Data());
  b.PatchBodyU32(lengthAt, static_cast<uint32_t>(b.Here() - (start + unit)));
  b.Body().U8(0);
  return b.Build();
}

// The payload: section 9 with one area of Switch records, each of 1000
// targets, to its end. The stream writes the first record and copies it.
std::vector<uint8_t> PackedTargets(uint32_t payload) {
  BglBuilder b;
  b.BeginSection(9);
  b.Body().U8(kSubtableEntry).U16(0xC000).U16(0x1000).U32(10).U8(0);
  b.Body().U8(6).I32(Lat32Raw(45)).U32(Lon32Raw(90)).U8(0).U32(payload - 10);
  const size_t record = b.Here();
  b.Body().Bytes(Op(0x03).U16(1000).U16(1).I16(0).Data());
  for (int i = 0; i < 1000; ++i) b.Body().I16(8 + 2 * i);
  const auto distance = static_cast<uint32_t>(b.Here() - record);
  const std::vector<uint8_t> plain = b.Build();
  JmStreamWriter w;
  for (size_t i = 128; i < plain.size(); ++i) w.Literal(plain[i]);
  for (uint32_t left = payload - static_cast<uint32_t>(plain.size() - 128); left != 0;) {
    uint32_t copy = left < kLongestCopy ? left : kLongestCopy;
    if (left - copy != 0 && left - copy < 3) copy -= 3;
    w.Match(distance, copy - 1);
    left -= copy;
  }
  w.EndOfBlock();
  return w.Finish();
}

std::vector<uint8_t> UnendedDirectory(size_t size) {
  BglBuilder b;
  b.Extended({1, 2, 3}, 0x200).Bounds(5000875, -5000875, 0x40000000u, 0xC0000000u);
  AfdWriter afd(b);
  // Containers for half the file, then a name list of four billion entries
  // whose list of lists has no end.
  afd.BeginContainers();
  std::vector<uint32_t> starts;
  for (int i = 0; b.Here() < size / 2; ++i) {
    starts.push_back(afd.BeginContainer(1));
    afd.AirportPosition(i % 80, i % 170, 10);
    afd.Icao("ZZZZ");
    afd.Frequency(0x01180000u, 5);
    afd.EndContainer();
  }
  afd.EndContainers();
  afd.BeginNameLists();
  afd.BeginNameList(7, 0xFFFFFFFFu);
  for (size_t i = 0; b.Here() < size; ++i)
    afd.NameEntry(0x50001, starts[i * 7919 % starts.size()], "Airport");
  afd.EndNameList();
  return b.Build();
}

}  // namespace

const char* HostileKindName(HostileKind kind) {
  static const char* const kNames[] = {
      "claim of 4 GB",       "1024x expansion", "counts of 65535",    "unended directory",
      "99 LatRange entries", "jump chain",      "packed jump targets"};
  return kNames[static_cast<int>(kind)];
}

bool HostileKindUnpacks(HostileKind kind) {
  return kind == HostileKind::FullExpansion || kind == HostileKind::PackedTargets;
}

std::vector<uint8_t> CheapLengthCodesStream(uint32_t produced) {
  JmStreamWriter w;
  w.Literal(0);
  uint32_t left = produced - 1;
  while (left != 0) {
    // A copy of c bytes is a match of length c - 1, at least 2.
    uint32_t copy = left < kLongestCopy ? left : kLongestCopy;
    if (left - copy != 0 && left - copy < 3) copy -= 3;
    w.Match(1, copy - 1);
    left -= copy;
  }
  w.EndOfBlock();
  return w.Finish();
}

std::vector<uint8_t> HostileImage(HostileKind kind, size_t size) {
  const size_t streamLength = size > 400 ? size - 128 - kCompressionHeader : 252;
  switch (kind) {
    case HostileKind::HugeClaim:
      return CompressedFile(0xFFFFFFF0u, {'J', 'M', 0, 0}, size);
    case HostileKind::FullExpansion: {
      // The decoder stops at the end-of-block code once it has the claim,
      // so the padding after the stream is never read but still counts.
      const auto payload =
          static_cast<uint32_t>(std::min(kMaxExpansion * streamLength, kMaxPayload));
      return CompressedFile(payload, CheapLengthCodesStream(payload), 128 + 20 + streamLength);
    }
    case HostileKind::HugeCounts:
      // Meshes of 32767 rows without words and a texture list of half a
      // million lines, then a Switch of 65535 targets that runs out of data.
      return ProceduralUnit(Op(0x9A)
                                .U16(0x7FFF)
                                .U16(0x8000)
                                .Fill(12)
                                .Bytes({0, 0, 0, 0xFF, 0, 0xFF})
                                .Bytes(Op(0xA3).U16(0x7FFF).U16(0x8000).Fill(12).Data())
                                .Bytes({0, 0, 0, 0xFF, 0, 0xFF})
                                .Data(),
                            size, 1, Op(0x03).U16(0xFFFF).U16(1).I16(0).Data());
    case HostileKind::UnendedDirectory:
      return UnendedDirectory(size);
    case HostileKind::SharedLatRange:
      return ProceduralUnit(Op(0x0E).U16(1).I16(2).I16(3).I16(4).Data(), size,  // DefPoint
                            kLatRangeEntries);
    case HostileKind::JumpChain:
      // Jumps to the next record, and at the end one back to the first.
      return ProceduralUnit(Op(0x0D).I16(4).Data(), size, 1, {}, true);
    case HostileKind::PackedTargets: {
      const auto payload =
          static_cast<uint32_t>(std::min(kMaxExpansion * streamLength, kMaxPayload));
      return CompressedFile(payload, PackedTargets(payload), 128 + 20 + streamLength);
    }
  }
  return {};
}

}  // namespace bgltest
