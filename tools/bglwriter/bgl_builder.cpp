// Builder of BGL images and the "JM" stream compressor.
#include "tools/bglwriter/bgl_builder.h"

#include <cmath>
#include <cstring>
#include <stdexcept>

namespace bgltest {

ByteWriter& ByteWriter::Le(uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) data_.push_back(static_cast<uint8_t>(v >> (8 * i)));
  return *this;
}
ByteWriter& ByteWriter::Text(const std::string& text) {
  data_.insert(data_.end(), text.begin(), text.end());
  return *this;
}
void ByteWriter::Patch(size_t at, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) data_.at(at + i) = static_cast<uint8_t>(v >> (8 * i));
}

int32_t Lat32Raw(double degrees) {
  return static_cast<int32_t>(std::llround(degrees * 10001750.0 / 90.0));
}
uint32_t Lon32Raw(double degrees) {
  return static_cast<uint32_t>(static_cast<int64_t>(std::llround(degrees * 4294967296.0 / 360.0)));
}
uint32_t Lat24Raw(double degrees) {
  return static_cast<uint32_t>(std::llround(degrees * 10001750.0 / 180.0)) & 0xFFFFFFu;
}
uint32_t Lon24Raw(double degrees) {
  return static_cast<uint32_t>(std::llround(degrees * 16777216.0 / 360.0)) & 0xFFFFFFu;
}

BglBuilder& BglBuilder::Put(size_t at, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) header_[at + i] = static_cast<uint8_t>(v >> (8 * i));
  return *this;
}

BglBuilder& BglBuilder::Slot(int section, uint32_t value) {
  // Section 0 at 18, 1 to 15 from 26, 16 to 19 from 102, 20 at 118, 21 at 122.
  size_t at = section == 0    ? 18
              : section <= 15 ? 26 + 4 * (section - 1)
              : section <= 19 ? 102 + 4 * (section - 16)
              : section == 20 ? 118
                              : 122;
  return Put(at, value, 4);
}
BglBuilder& BglBuilder::Extended(const std::array<uint8_t, 16>& guid, uint32_t version) {
  extended_ = true;
  Slot(20, kExtendedMarker);
  std::memcpy(header_.data() + 128, guid.data(), 16);
  return Put(144, version, 4);
}
uint32_t BglBuilder::BeginSection(int section) {
  uint32_t at = static_cast<uint32_t>(Here());
  Slot(section, at);
  return at;
}

std::vector<uint8_t> BglBuilder::Build() const {
  std::vector<uint8_t> out(header_.begin(),
                           header_.begin() + static_cast<std::ptrdiff_t>(HeaderLength()));
  out.insert(out.end(), body_.Data().begin(), body_.Data().end());
  return out;
}

std::vector<uint8_t> BglBuilder::BuildCompressed(uint32_t checksum) const {
  ByteWriter w;
  w.Bytes(std::vector<uint8_t>(header_.begin(),
                               header_.begin() + static_cast<std::ptrdiff_t>(HeaderLength())));
  w.U32(0xABCDEF01u).U32(static_cast<uint32_t>(body_.Size())).U32(checksum).U32(0).U32(0);
  w.Bytes(JmCompress(body_.Data()));
  return w.Data();
}

// --- airport directory -----------------------------------------------------

namespace {
uint16_t Frac(double v) {
  return static_cast<uint16_t>(std::llround((v - std::floor(v)) * 65536.0) & 0xFFFF);
}
int32_t Whole(double v) { return static_cast<int32_t>(std::floor(v)); }
}  // namespace

uint32_t AfdWriter::BeginContainer(uint32_t kind) {
  uint32_t start = static_cast<uint32_t>(bgl_.Here());
  bgl_.Body().U32(1);
  containerSizeAt_ = bgl_.Here();
  bgl_.Body().U32(0).U32(kind).U32(0);
  return start;
}

void AfdWriter::Located(uint32_t type, double lat, double lon, double alt,
                        std::initializer_list<int64_t> dwords, const char* text) {
  ByteWriter p;
  double latUnits = lat * 10001750.0 / 90.0;
  double lonUnits = lon * 4294967296.0 / 360.0;
  p.Fixed48(Frac(latUnits), Whole(latUnits)).Fixed48(Frac(lonUnits), Whole(lonUnits));
  p.Fixed48(Frac(alt), Whole(alt));
  for (int64_t d : dwords) p.U32(static_cast<uint32_t>(d));
  if (text) p.TextZ(text);
  SubRecord(type, p.Data());
}

void AfdWriter::EndContainer() {
  bgl_.Body().U32(0).U32(0);
  bgl_.PatchBodyU32(containerSizeAt_, static_cast<uint32_t>(bgl_.Here() - containerSizeAt_ - 4));
}

void AfdWriter::BeginNameList(uint32_t id, uint32_t count) {
  bgl_.Body().U32(0x30001);
  listSizeAt_ = bgl_.Here();
  bgl_.Body().U32(0).U32(id).U32(0).U32(0).U32(count);
}

void AfdWriter::EndNameList() {
  bgl_.PatchBodyU32(listSizeAt_, static_cast<uint32_t>(bgl_.Here() - listSizeAt_ - 4));
}

// --- "JM" stream ------------------------------------------------------------

JmStreamWriter::JmStreamWriter() : out_{'J', 'M', 0, 0} {}

void JmStreamWriter::Bits(uint32_t value, unsigned count) {
  for (unsigned i = 0; i < count; ++i) {
    acc_ |= ((value >> i) & 1u) << fill_;
    if (++fill_ == 8) {
      out_.push_back(static_cast<uint8_t>(acc_));
      acc_ = 0;
      fill_ = 0;
    }
  }
}

void JmStreamWriter::Literal(uint8_t byte) {
  if (byte < 128) {
    Bits(0, 1);
    Bits(byte, 7);
  } else {
    Bits(1, 1);
    Bits(1, 1);
    Bits(byte - 128u, 7);
  }
}

namespace {
void WriteDistance(JmStreamWriter& w, uint32_t distance) {
  w.Bits(1, 1);
  w.Bits(0, 1);
  if (distance < 64) {
    w.Bits(0, 1);
    w.Bits(distance, 6);
  } else if (distance < 320) {
    w.Bits(1, 1);
    w.Bits(0, 1);
    w.Bits(distance - 64, 8);
  } else {
    w.Bits(1, 1);
    w.Bits(1, 1);
    w.Bits(distance - 320, 12);
  }
}
}  // namespace

void JmStreamWriter::Match(uint32_t distance, uint32_t length) {
  if (distance >= 4415 || length < 2) throw std::invalid_argument("match out of range");
  WriteDistance(*this, distance);
  if (length == 2) {
    Bits(1, 1);
    return;
  }
  unsigned k = 1;
  while (length > (2u << k)) ++k;  // 2^k + 1 <= length <= 2^(k+1)
  Bits(0, k);
  Bits(1, 1);
  Bits(length - (1u << k) - 1, k);
}

void JmStreamWriter::EndOfBlock() { WriteDistance(*this, 4415); }

std::vector<uint8_t> JmStreamWriter::Finish() {
  if (fill_ != 0) {
    out_.push_back(static_cast<uint8_t>(acc_));
    acc_ = 0;
    fill_ = 0;
  }
  return out_;
}

std::vector<uint8_t> JmCompress(const std::vector<uint8_t>& data) {
  JmStreamWriter w;
  constexpr size_t kWindow = 4414;
  constexpr size_t kMaxCopy = 1u << 16;
  size_t i = 0;
  while (i < data.size()) {
    size_t bestLen = 0, bestDist = 0;
    size_t lo = i > kWindow ? i - kWindow : 0;
    for (size_t from = i; from-- > lo;) {
      size_t d = i - from;
      size_t n = 0;
      while (i + n < data.size() && n < kMaxCopy && data[from + n] == data[i + n]) ++n;
      if (n > bestLen) {
        bestLen = n;
        bestDist = d;
        if (n >= 258) break;
      }
    }
    if (bestLen >= 3) {
      w.Match(static_cast<uint32_t>(bestDist), static_cast<uint32_t>(bestLen - 1));
      i += bestLen;
    } else {
      w.Literal(data[i]);
      ++i;
    }
  }
  w.EndOfBlock();
  return w.Finish();
}

}  // namespace bgltest
