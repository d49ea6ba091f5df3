// Builder of BGL images: a little-endian byte writer, the file
// header and extended header, section placement, airport-directory
// containers and name lists, and a compressor that writes the "JM" stream.
// The bgltext tests, the benchmarks and the demo installation build their
// BGL files with it.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace bgltest {

// Little-endian bytes with absolute offsets (patchable).
class ByteWriter {
 public:
  ByteWriter& U8(uint32_t v) { return Le(v, 1); }
  ByteWriter& U16(uint32_t v) { return Le(v, 2); }
  ByteWriter& U24(uint32_t v) { return Le(v, 3); }
  ByteWriter& U32(uint32_t v) { return Le(v, 4); }
  ByteWriter& I16(int32_t v) { return U16(static_cast<uint16_t>(v)); }
  ByteWriter& I32(int32_t v) { return U32(static_cast<uint32_t>(v)); }
  ByteWriter& Bytes(const std::vector<uint8_t>& b) { return Append(b.begin(), b.end()); }
  ByteWriter& Bytes(std::initializer_list<uint8_t> b) { return Append(b.begin(), b.end()); }
  ByteWriter& Text(const std::string& text);  // without a 0 byte
  ByteWriter& TextZ(const std::string& text) { return Text(text).U8(0); }
  ByteWriter& Fill(size_t count, uint8_t value = 0) { return Append(count, value); }
  // The 8-byte coordinate of the airport directory: unused word, fraction
  // word, signed integer dword.
  ByteWriter& Fixed48(uint16_t frac, int32_t whole) { return U16(0).U16(frac).I32(whole); }

  void PatchU16(size_t at, uint32_t v) { Patch(at, v, 2); }
  void PatchU32(size_t at, uint32_t v) { Patch(at, v, 4); }
  size_t Size() const { return data_.size(); }
  std::vector<uint8_t>& Data() { return data_; }
  const std::vector<uint8_t>& Data() const { return data_; }

 private:
  ByteWriter& Le(uint32_t v, int bytes);
  template <class... Args>
  ByteWriter& Append(Args... args) {
    data_.insert(data_.end(), args...);
    return *this;
  }
  void Patch(size_t at, uint32_t v, int bytes);
  std::vector<uint8_t> data_;
};

// Raw values of the format's encodings, from degrees (for readable inputs).
int32_t Lat32Raw(double degrees);   // raw × 90 / 10001750
uint32_t Lon32Raw(double degrees);  // raw × 360 / 2^32
uint32_t Lat24Raw(double degrees);  // 24 bits, raw × 180 / 10001750
uint32_t Lon24Raw(double degrees);  // 24 bits, raw × 360 / 2^24

constexpr uint32_t kExtendedMarker = 0x87654321u;

// A whole BGL file: 128-byte header (168 with the extended header) and a body
// that follows it. Offsets given to and returned by the builder are absolute
// offsets in the file.
class BglBuilder {
 public:
  // Header fields (offsets 0 .. 127).
  BglBuilder& SceneryId(uint16_t id) { return Put(0, id, 2); }
  BglBuilder& Bounds(int32_t northRaw, int32_t southRaw, uint32_t eastRaw, uint32_t westRaw) {
    return Put(2, static_cast<uint32_t>(northRaw), 4)
        .Put(6, static_cast<uint32_t>(southRaw), 4)
        .Put(10, eastRaw, 4)
        .Put(14, westRaw, 4);
  }
  BglBuilder& Frequencies(uint16_t minCode, uint16_t maxCode) {
    return Put(22, minCode, 2).Put(24, maxCode, 2);
  }
  BglBuilder& Value(int index, uint16_t v) {
    return Put(index == 8 ? 126 : 86 + 2 * index, v, 2);
  }  // value0 .. value8
  BglBuilder& Slot(int section, uint32_t value);
  // Adds the 40-byte extended header (slot 20 gets the marker).
  BglBuilder& Extended(const std::array<uint8_t, 16>& guid, uint32_t version);
  BglBuilder& ExtendedField(size_t offset, uint32_t v) { return Put(offset, v, 4); }  // 144 .. 164

  // The body, written after the header(s).
  ByteWriter& Body() { return body_; }
  size_t HeaderLength() const { return extended_ ? 168 : 128; }
  // Absolute offset of the next body byte.
  size_t Here() const { return HeaderLength() + body_.Size(); }
  // Sets slot n to Here() and returns it.
  uint32_t BeginSection(int section);
  void PatchBodyU32(size_t absolute, uint32_t v) { body_.PatchU32(absolute - HeaderLength(), v); }
  void PatchBodyU16(size_t absolute, uint32_t v) { body_.PatchU16(absolute - HeaderLength(), v); }

  std::vector<uint8_t> Build() const;
  // Header, compression header (marker, payload size, checksum, 8 bytes) and
  // the compressed body.
  std::vector<uint8_t> BuildCompressed(uint32_t checksum = 0) const;

 private:
  BglBuilder& Put(size_t at, uint32_t v, int bytes);
  std::array<uint8_t, 168> header_{};
  bool extended_ = false;
  ByteWriter body_;
};

// Airport-directory content written into a BglBuilder's body.
class AfdWriter {
 public:
  explicit AfdWriter(BglBuilder& bgl) : bgl_(bgl) {}

  // Sets the container-list offset (at 164) to Here().
  void BeginContainers() { bgl_.ExtendedField(164, static_cast<uint32_t>(bgl_.Here())); }
  // Returns the container's start offset (what name entries refer to).
  uint32_t BeginContainer(uint32_t kind);
  // A sub-record of a position (degrees, degrees, metres), then dwords, then
  // a zero-ended text when one is given.
  void Located(uint32_t type, double lat, double lon, double alt,
               std::initializer_list<int64_t> dwords, const char* text = nullptr);
  // The airport's position sub-record (type 0x10001, one dword after it).
  void AirportPosition(double lat, double lon, double alt) { Located(0x10001, lat, lon, alt, {0}); }
  void Icao(const std::string& id) { SubRecord(0x10006, ByteWriter().TextZ(id).Data()); }
  void Frequency(uint32_t frequency, uint32_t kind) {
    SubRecord(0x20001, ByteWriter().U32(frequency).U32(kind).Data());
  }
  void SubRecord(uint32_t type, const std::vector<uint8_t>& payload) {
    bgl_.Body().U32(type).U32(static_cast<uint32_t>(payload.size())).Bytes(payload);
  }
  void EndContainer();                          // the type-0 sub-record; patches the size
  void EndContainers() { bgl_.Body().U32(0); }  // dword 0

  // Sets the name-list offset (at 156) to Here().
  void BeginNameLists() { bgl_.ExtendedField(156, static_cast<uint32_t>(bgl_.Here())); }
  void BeginNameList(uint32_t id, uint32_t count);
  void NameEntry(uint32_t kind, uint32_t reference, const std::string& text) {
    bgl_.Body()
        .U32(0x30002)
        .U32(static_cast<uint32_t>(9 + text.size()))
        .U32(kind)
        .U32(reference)
        .TextZ(text);
  }
  void EndNameList();                                 // patches the size
  void EndNameLists() { bgl_.Body().U32(0).U32(0); }  // type 0, size 0

 private:
  BglBuilder& bgl_;
  size_t containerSizeAt_ = 0;
  size_t listSizeAt_ = 0;
};

// The "JM" bit stream, written least-significant bit first.
class JmStreamWriter {
 public:
  JmStreamWriter();  // "J", "M" and two unused bytes
  void Literal(uint8_t byte);
  // A match of copy = length + 1 bytes at distance (0 .. 4414).
  void Match(uint32_t distance, uint32_t length);
  void EndOfBlock();
  void Bits(uint32_t value, unsigned count);
  std::vector<uint8_t> Finish();  // pads the last byte with 0 bits

 private:
  std::vector<uint8_t> out_;
  uint32_t acc_ = 0;
  unsigned fill_ = 0;
};

// Compresses data with literals and matches (a greedy search); the stream
// ends with an end-of-block code.
std::vector<uint8_t> JmCompress(const std::vector<uint8_t>& data);

}  // namespace bgltest
