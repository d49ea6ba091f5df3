// Section 0 (VOR and ILS stations by frequency and latitude band) and the
// LatRange sections 13 (ATIS) and 14 (NDB).
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "bgltext/bgl_run.h"
#include "bgltext/record_format.h"
#include "bgltext/record_io.h"
#include "bgltext/lat_range.h"
#include "bgltext/navaid_text.h"
#include "bgltext/section_decoders.h"

namespace bgltext {
namespace {

constexpr char kUnknownRecordFatal[] = "unknown record\n";
constexpr char kUnknownRecordNoNewline[] = "unknown record";
constexpr char kUnknown14Line[] = ";;; unknown record (0x14)\n";
constexpr char kDumpOpen[] = ";;; ";
constexpr char kDumpByte[] = "0x%x ";
constexpr char kDumpClose[] = "\n";
constexpr char kUnknownStation[] = ";;; unknown record (0x%x)\n";
constexpr char kVorLine[] = "\tVOR( %.2f %d %02X %.2f %s %s\n\t\t%s %s %d %.2f )\n";
constexpr char kIlsLine[] = "\tILS( %.2f %d %02X %.2f %s %s\n\t\t%s %s %d %.2f\n\t\t%s %s %d %.2f )\n";
constexpr char kAtisLines[] = "ATIS(\n\t%d\n\t%s\n\t%s\n\t%s\n\t%s %s %s %s\n\t%s )\n";
constexpr char kNdbLine[] = "\tNDB( %s%d %s %s %s %s %d )\n";

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
  Emit(run, kVorLine, frequency, s.range, s.type, s.variation, s.id.c_str(), s.name.c_str(), CoordText(s.lat).c_str(),
            CoordText(s.lon).c_str(), s.height, s.angle);
}

void Ils(BglRun& run, double frequency) {
  BglImage& img = run.image;
  Station s = ReadStation(img);
  CoordValue gsLat = Lat24(img.U24()), gsLon = Lon24(img.U24());
  int gsHeight = img.Word();
  double slope = std::asin(img.Word() / 131072.0) * 180.0 / std::numbers::pi;
  Emit(run, kIlsLine, frequency, s.range, s.type, s.variation, s.id.c_str(), s.name.c_str(), CoordText(s.lat).c_str(),
            CoordText(s.lon).c_str(), s.height, s.angle, CoordText(gsLat).c_str(), CoordText(gsLon).c_str(), gsHeight, slope);
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
        Emit(run, kUnknown14Line);
        Emit(run, kDumpOpen);
        for (uint8_t x : img.SkipAndCollect(kOpaqueStationBytes)) Emit(run, kDumpByte, x);
        Emit(run, kDumpClose);
        break;
      }
      default:
        Emit(run, kUnknownStation, b);
        break;
    }
  }
}

void DecodeBandList(BglRun& run, uint32_t sectionStart, double frequency) {
  BglImage& img = run.image;
  for (;;) {
    uint8_t b = img.Byte();
    if (b == 0) return;
    if (b != kBandEntry) run.Fatal(1, kUnknownRecordFatal);
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
    if (b != kStationRecord) run.Fatal(1, kUnknownRecordNoNewline);
    uint16_t frequency = img.Word();
    CoordValue lat = Lat24(img.U24()), lon = Lon24(img.U24());
    int range = img.Byte();
    uint16_t length = img.Word();
    std::string runways[4];
    for (std::string& r : runways) r = RunwayDesignator(img.Byte());
    std::vector<char> message;
    img.ReadZeroText(message, kAtisMessageKeep);
    Emit(run, kAtisLines, range * 2, CoordText(lat).c_str(), CoordText(lon).c_str(), BcdFrequency(frequency).c_str(),
              runways[0].c_str(), runways[1].c_str(), runways[2].c_str(), runways[3].c_str(),
              CleanAtisMessage(message.data(), message.size()).c_str());
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
    if (b != kStationRecord) run.Fatal(1, kUnknownRecordNoNewline);
    uint16_t w = img.Word();
    uint8_t f = img.Byte();
    CoordValue lat = Lat24(img.U24()), lon = Lon24(img.U24());
    int height = img.Word();
    int range = img.Byte();
    uint8_t id[kNavaidIdWidth], name[kNavaidNameWidth];
    img.ReadBytes(sizeof id, id);
    img.ReadBytes(sizeof name, name);
    Emit(run, kNdbLine, NdbFrequency(w, f).c_str(), range * 2, CleanNavaidField(id, sizeof id).c_str(),
              CleanNavaidField(name, sizeof name).c_str(), CoordText(lat).c_str(), CoordText(lon).c_str(), height);
  }
}

// Sections 13 and 14 end quietly on end of data and file errors.
void WalkStationSection(BglRun& run, int section, uint32_t slot, void (*records)(BglRun&)) {
  try {
    WalkLatRanges(run, section, slot, false, records);
  } catch (BgltextException e) {
    if (e == EndOfData) Emit(run, "%s", kEofLine);
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
    if (b != kFrequencyEntry) run.Fatal(1, kUnknownRecordFatal);
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

void DecodeAtisSection(BglRun& run, int section, uint32_t slot) { WalkStationSection(run, section, slot, DecodeAtisRecords); }

void DecodeNdbSection(BglRun& run, int section, uint32_t slot) { WalkStationSection(run, section, slot, DecodeNdbRecords); }

}  // namespace bgltext
