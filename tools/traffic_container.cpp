// Packing and unpacking the traffic file of the project's traffic tools.
#include "tools/traffic_container.h"

#include <array>

namespace fm {
namespace {

constexpr std::uint32_t kCrcPolynomial = 0xEDB88320u;
constexpr std::size_t kCrcSlices = 8;  // eight bytes a step

using CrcTables = std::array<std::array<std::uint32_t, 256>, kCrcSlices>;

constexpr CrcTables MakeCrcTables() {
  CrcTables tables{};
  for (std::uint32_t byte = 0; byte < 256; ++byte) {
    std::uint32_t crc = byte;
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ ((crc & 1u) ? kCrcPolynomial : 0u);
    tables[0][byte] = crc;
  }
  for (std::size_t slice = 1; slice < kCrcSlices; ++slice) {
    for (std::size_t byte = 0; byte < 256; ++byte) {
      const std::uint32_t previous = tables[slice - 1][byte];
      tables[slice][byte] = (previous >> 8) ^ tables[0][previous & 0xFFu];
    }
  }
  return tables;
}

constexpr CrcTables kCrcTables = MakeCrcTables();

std::uint32_t LoadLe32(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::uint64_t LoadLe64(const unsigned char* p) {
  return static_cast<std::uint64_t>(LoadLe32(p)) | static_cast<std::uint64_t>(LoadLe32(p + 4))
                                                       << 32;
}

void AppendLe(std::string& out, std::uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFFu);
}

}  // namespace

std::uint32_t Crc32(std::string_view bytes, std::uint32_t crc) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  std::size_t left = bytes.size();
  crc = ~crc;
  while (left >= kCrcSlices) {
    const std::uint32_t low = LoadLe32(p) ^ crc;
    const std::uint32_t high = LoadLe32(p + 4);
    crc = kCrcTables[7][low & 0xFFu] ^ kCrcTables[6][(low >> 8) & 0xFFu] ^
          kCrcTables[5][(low >> 16) & 0xFFu] ^ kCrcTables[4][low >> 24] ^
          kCrcTables[3][high & 0xFFu] ^ kCrcTables[2][(high >> 8) & 0xFFu] ^
          kCrcTables[1][(high >> 16) & 0xFFu] ^ kCrcTables[0][high >> 24];
    p += kCrcSlices;
    left -= kCrcSlices;
  }
  while (left-- > 0) crc = (crc >> 8) ^ kCrcTables[0][(crc ^ *p++) & 0xFFu];
  return ~crc;
}

std::string EncodeTrafficFile(const TrafficTexts& texts) {
  std::string out;
  out.reserve(kTrafficHeaderSize + texts.aircraft.size() + texts.flightPlans.size() +
              texts.airports.size() + kTrafficChecksumSize);
  out += kTrafficMagic;
  AppendLe(out, kTrafficFormatVersion, 4);
  for (std::string_view text : {texts.aircraft, texts.flightPlans, texts.airports}) {
    AppendLe(out, text.size(), 8);
  }
  out += texts.aircraft;
  out += texts.flightPlans;
  out += texts.airports;
  AppendLe(out, Crc32(out), 4);
  return out;
}

TrafficFileProblem ReadTrafficHead(std::string_view head, TrafficFileLayout& layout) {
  if (head.size() < kTrafficMagic.size()) {
    // A beginning of our magic (or nothing at all) is a file of ours cut short.
    return kTrafficMagic.substr(0, head.size()) == head ? TrafficFileProblem::kCutShort
                                                        : TrafficFileProblem::kNotOurs;
  }
  if (head.substr(0, kTrafficMagic.size()) != kTrafficMagic) return TrafficFileProblem::kNotOurs;
  if (head.size() < kTrafficHeaderSize) return TrafficFileProblem::kCutShort;
  const auto* p = reinterpret_cast<const unsigned char*>(head.data()) + kTrafficMagic.size();
  if (LoadLe32(p) != kTrafficFormatVersion) return TrafficFileProblem::kUnknownVersion;
  for (int i = 0; i < 3; ++i) layout.lengths[i] = LoadLe64(p + 4 + 8 * i);
  return TrafficFileProblem::kNone;
}

TrafficFileProblem DecodeTrafficFile(std::string_view bytes, TrafficTexts& texts) {
  TrafficFileLayout layout;
  const TrafficFileProblem head = ReadTrafficHead(bytes.substr(0, kTrafficHeaderSize), layout);
  if (head != TrafficFileProblem::kNone) return head;
  // Lengths beyond the file cannot be added up safely: the file is short.
  const std::uint64_t room = bytes.size() - kTrafficHeaderSize;
  std::uint64_t content = 0;
  for (std::uint64_t length : layout.lengths) {
    if (length > room || content + length > room) return TrafficFileProblem::kCutShort;
    content += length;
  }
  const std::uint64_t whole = kTrafficHeaderSize + content + kTrafficChecksumSize;
  if (bytes.size() < whole) return TrafficFileProblem::kCutShort;
  if (bytes.size() > whole) return TrafficFileProblem::kDamaged;

  const std::size_t checked = bytes.size() - kTrafficChecksumSize;
  const auto* stored = reinterpret_cast<const unsigned char*>(bytes.data() + checked);
  if (Crc32(bytes.substr(0, checked)) != LoadLe32(stored)) return TrafficFileProblem::kDamaged;

  std::size_t at = kTrafficHeaderSize;
  std::string_view* parts[3] = {&texts.aircraft, &texts.flightPlans, &texts.airports};
  for (int i = 0; i < 3; ++i) {
    *parts[i] = bytes.substr(at, static_cast<std::size_t>(layout.lengths[i]));
    at += static_cast<std::size_t>(layout.lengths[i]);
  }
  return TrafficFileProblem::kNone;
}

std::uint32_t StoredTrafficChecksum(std::string_view tail) {
  return LoadLe32(reinterpret_cast<const unsigned char*>(tail.data()));
}

}  // namespace fm
