// The traffic file of the project's traffic tools: the three traffic text
// files packed whole, byte for byte, behind a magic and a version, with their
// lengths and a checksum, so that a file that is not one of ours, or one cut
// short or damaged, is recognised and refused. tools/README.md gives the
// layout.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace fm {

// The three text files, as views into whatever holds their bytes.
struct TrafficTexts {
  std::string_view aircraft;     // Aircraft.txt
  std::string_view flightPlans;  // FlightPlans.txt
  std::string_view airports;     // Airports.txt
};

// The 12 bytes every traffic file of ours starts with: a name, then CR LF,
// Ctrl-Z and LF, which a transfer in text mode would change.
inline constexpr std::string_view kTrafficMagic{"FMIXTRAF\r\n\x1A\n", 12};
inline constexpr std::uint32_t kTrafficFormatVersion = 1;
// Magic, version and the three lengths.
inline constexpr std::size_t kTrafficHeaderSize = 12 + 4 + 3 * 8;
inline constexpr std::size_t kTrafficChecksumSize = 4;

enum class TrafficFileProblem {
  kNone,
  kNotOurs,         // another kind of file (FS2002's own traffic.bgl, for one)
  kUnknownVersion,  // ours, but of a version these tools do not read
  kCutShort,        // ends before its content does
  kDamaged,         // the checksum does not match, or bytes follow the end
};

// The traffic file holding the three texts.
std::string EncodeTrafficFile(const TrafficTexts& texts);

// The lengths of the three texts as a traffic file's head gives them.
struct TrafficFileLayout {
  std::uint64_t lengths[3] = {0, 0, 0};  // Aircraft.txt, FlightPlans.txt, Airports.txt

  std::uint64_t FileSize() const {
    return kTrafficHeaderSize + lengths[0] + lengths[1] + lengths[2] + kTrafficChecksumSize;
  }
};

// Checks the head of a traffic file: its first kTrafficHeaderSize bytes, or
// the whole file when it is shorter. kNone fills `layout`; whether the file
// is as long as its lengths say and its checksum matches is for the caller.
TrafficFileProblem ReadTrafficHead(std::string_view head, TrafficFileLayout& layout);

// The three texts of a traffic file, as views into `bytes`; kNone when the
// file is whole and ours, else what is wrong with it (`texts` untouched).
TrafficFileProblem DecodeTrafficFile(std::string_view bytes, TrafficTexts& texts);

// The checksum stored in the last kTrafficChecksumSize bytes of a file.
std::uint32_t StoredTrafficChecksum(std::string_view tail);

// CRC-32 as zlib and PNG compute it (reflected polynomial 0xEDB88320),
// continued from `crc` (0 to start).
std::uint32_t Crc32(std::string_view bytes, std::uint32_t crc = 0);

}  // namespace fm
