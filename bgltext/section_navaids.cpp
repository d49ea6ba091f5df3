// Section 0 (VOR and ILS stations by frequency and latitude band) and the
// LatRange sections 13 (ATIS) and 14 (NDB).
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "bgltext/bgl_run.h"
#include "bgltext/lat_range.h"
#include "bgltext/navaid_text.h"
#include "bgltext/record_io.h"
#include "bgltext/section_decoders.h"

namespace bgltext {
namespace {

constexpr FormatText kUnknownRecordFatal = "unknown record\n";
constexpr FormatText kUnknownRecordNoNewline = "unknown record";
constexpr FormatText kUnknown14Line = ";;; unknown record (0x14)\n";
constexpr FormatText kDumpOpen = ";;; ";
constexpr FormatText kDumpByte = "0x%x ";
constexpr FormatText kDumpClose = "\n";
constexpr FormatText kUnknownStation = ";;; unknown record (0x%x)\n";
constexpr FormatText kVorLine = "\tVOR( %.2f %d %02X %.2f %s %s\n\t\t%s %s %d %.2f )\n";
constexpr FormatText kIlsLine =
    "\tILS( %.2f %d %02X %.2f %s %s\n\t\t%s %s %d %.2f\n\t\t%s %s %d %.2f )\n";
constexpr FormatText kAtisLines = "ATIS(\n\t%d\n\t%s\n\t%s\n\t%s\n\t%s %s %s %s\n\t%s )\n";
constexpr FormatText kNdbLine = "\tNDB( %s%d %s %s %s %s %d )\n";

constexpr uint8_t kFrequencyEntry = 1;
constexpr uint8_t kBandEntry = 21;
constexpr uint8_t kVorRecord = 4;
constexpr uint8_t kIlsRecord = 5;
constexpr uint8_t kOpaqueStation = 20;
constexpr size_t kOpaqueStationBytes = 17;
constexpr uint8_t kStationRecord = 4;  // ATIS and NDB
constexpr double kFrequencyStep = 0.05;
constexpr double kLowestFrequency = 108.0;

double FrequencyOf(uint16_t code) { return code * kFrequencyStep + kLowestFrequency; }

// The station part that VOR and ILS records share.
struct Station {
  int range, type, height;
  double variation, angle;
  CoordValue lat, lon;
  std::string id, name;
};

Station ReadStation(BglImage& img) {
  Station s;
  s.range = img.Byte();
  s.variation = Angle16(img.Word());
  s.type = img.Byte();
  s.lat = Lat24(img.U24());
  s.lon = Lon24(img.U24());
  s.height = img.Word();
  s.angle = Angle16(img.Word());
  uint8_t id[kNavaidIdWidth], name[kNavaidNameWidth];
  img.ReadBytes(sizeof id, id);
  img.ReadBytes(sizeof name, name);
  s.id = CleanNavaidField(id, sizeof id);
  s.name = CleanNavaidField(name, sizeof name);
  return s;
}

void Vor(BglRun& run, double frequency) {
  Station s = ReadStation(run.image);
  Print<kVorLine>(run, frequency, s.range, s.type, s.variation, s.id, s.name, s.lat, s.lon,
                  s.height, s.angle);
}

void Ils(BglRun& run, double frequency) {
  BglImage& img = run.image;
  Station s = ReadStation(img);
  CoordValue gsLat = Lat24(img.U24()), gsLon = Lon24(img.U24());
  int gsHeight = img.Word();
  double slope = std::asin(img.Word() / 131072.0) * 180.0 / std::numbers::pi;
  Print<kIlsLine>(run, frequency, s.range, s.type, s.variation, s.id, s.name, s.lat, s.lon,
                  s.height, s.angle, gsLat, gsLon, gsHeight, slope);
}

void DecodeStations(BglRun& run, double frequency) {
  BglImage& img = run.image;
  for (;;) {
    uint8_t b = img.Byte();
    switch (b) {
      case 0:
        return;
      case kVorRecord:
        Vor(run, frequency);
        break;
      case kIlsRecord:
        Ils(run, frequency);
        break;
      case kOpaqueStation: {
        Print<kUnknown14Line>(run);
        Print<kDumpOpen>(run);
        for (uint8_t x : img.SkipAndCollect(kOpaqueStationBytes)) Print<kDumpByte>(run, x);
        Print<kDumpClose>(run);
        break;
      }
      default:
        Print<kUnknownStation>(run, b);
        break;
    }
  }
}

void DecodeBandList(BglRun& run, uint32_t sectionStart, double frequency) {
  BglImage& img = run.image;
  for (;;) {
    uint8_t b = img.Byte();
    if (b == 0) return;
    if (b != kBandEntry) Fatal<kUnknownRecordFatal>(run, 1);
    uint16_t first = img.Word(), second = img.Word();
    uint32_t offset = img.Dword();
    size_t next = img.Pos();
    OpenLatitudeBand(run, first, second);
    img.Seek(static_cast<uint64_t>(sectionStart) + offset);
    DecodeStations(run, frequency);
    run.CloseSectionOutput();
    img.Seek(next);
  }
}

// ATIS and NDB records of one LatRange entry.
void DecodeAtisRecords(BglRun& run) {
  BglImage& img = run.image;
  for (;;) {
    size_t start = img.Pos();
    uint8_t b = img.Byte();
    if (b == 0) return;
    if (b != kStationRecord) Fatal<kUnknownRecordNoNewline>(run, 1);
    uint16_t frequency = img.Word();
    CoordValue lat = Lat24(img.U24()), lon = Lon24(img.U24());
    int range = img.Byte();
    uint16_t length = img.Word();
    std::string runways[4];
    for (std::string& r : runways) r = RunwayDesignator(img.Byte());
    std::vector<char> message;
    img.ReadZeroText(message, kAtisMessageKeep);
    Print<kAtisLines>(run, range * 2, lat, lon, BcdFrequency(frequency), runways[0], runways[1],
                      runways[2], runways[3], CleanAtisMessage(message.data(), message.size()));
    // A length of zero would read this record again.
    if (length == 0) return;
    img.Seek(start + length);
  }
}

void DecodeNdbRecords(BglRun& run) {
  BglImage& img = run.image;
  for (;;) {
    uint8_t b = img.Byte();
    if (b == 0) return;
    if (b != kStationRecord) Fatal<kUnknownRecordNoNewline>(run, 1);
    uint16_t w = img.Word();
    uint8_t f = img.Byte();
    CoordValue lat = Lat24(img.U24()), lon = Lon24(img.U24());
    int height = img.Word();
    int range = img.Byte();
    uint8_t id[kNavaidIdWidth], name[kNavaidNameWidth];
    img.ReadBytes(sizeof id, id);
    img.ReadBytes(sizeof name, name);
    Print<kNdbLine>(run, NdbFrequency(w, f), range * 2, CleanNavaidField(id, sizeof id),
                    CleanNavaidField(name, sizeof name), lat, lon, height);
  }
}

// Sections 13 and 14 end quietly on end of data and file errors.
void WalkStationSection(BglRun& run, int section, uint32_t slot, void (*records)(BglRun&)) {
  try {
    WalkLatRanges(run, section, slot, false, records);
  } catch (BgltextException e) {
    if (e == EndOfData) Print<kEofLine>(run);
  }
}

}  // namespace

void DecodeVorIlsSection(BglRun& run, int, uint32_t slot) {
  BglImage& img = run.image;
  const double lowest = FrequencyOf(run.header.minFreq);
  const double highest = FrequencyOf(run.header.maxFreq);
  for (uint32_t k = 0;; ++k) {
    uint8_t b = img.Byte();
    if (b == 0) return;
    if (b != kFrequencyEntry) Fatal<kUnknownRecordFatal>(run, 1);
    uint32_t offset = img.Dword();
    if (offset != 0) {
      size_t next = img.Pos();
      img.Seek(static_cast<uint64_t>(slot) + offset);
      DecodeBandList(run, slot, lowest + k * kFrequencyStep);
      img.Seek(next);
    }
    if (lowest + (k + 1) * kFrequencyStep > highest + 0.01) return;
  }
}

void DecodeAtisSection(BglRun& run, int section, uint32_t slot) {
  WalkStationSection(run, section, slot, DecodeAtisRecords);
}

void DecodeNdbSection(BglRun& run, int section, uint32_t slot) {
  WalkStationSection(run, section, slot, DecodeNdbRecords);
}

}  // namespace bgltext
