// The aircraft.cfg reader: one file gives one AircraftModel with one
// InstalledAircraft per titled section.
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "aircraft/aircraft_category.h"
#include "aircraft/aircraft_model.h"
#include "platform/file_text.h"

namespace fm {

// Splits a "key = value" line. False when the trimmed line is shorter than
// 2 characters, begins with ";" or has no "=". The key is the text before
// the first "=", the value the text after it up to a "//" comment; both
// trimmed, both views into `line`. A ";" inside the value belongs to it.
bool SplitKeyValue(std::string_view line, std::string_view& key, std::string_view& value);

// What a section of aircraft.cfg has given so far. The five values carry
// over into the next section of the same file; the title does not.
struct VariationValues {
  std::string atcAirline;
  std::string atcId;
  std::string uiManufacturer;
  std::string uiType;
  std::string uiVariation;
  std::string title;
};

// Closes the section being read: with a title of at least 2 characters a
// variation is stored under it (an earlier one of the same title stays) and
// the title emptied; the other values stay for the next section.
void StoreVariation(VariationValues& values, std::map<std::string, InstalledAircraft>& variations,
                    const std::string& cfgPath);

// Reads aircraft folders one after the other, reusing its buffers.
class AircraftCfgReader {
 public:
  AircraftCfgReader() = default;
  // Reads the files through `readChunk` (tests fail a read part-way).
  explicit AircraftCfgReader(TextLineReader::ReadChunkFunction readChunk)
      : reader_(std::move(readChunk)) {}

  // Reads <folderPath>/aircraft.cfg and appends its model, classified, to
  // `models` (also a model without any variation). False, with nothing
  // appended, when the file cannot be opened or a read fails part-way.
  bool Read(const std::string& folderPath, const AircraftCategories& categories,
            AircraftModelList& models);

 private:
  void ReadLine(std::string_view line, AircraftModel& model, const std::string& cfgPath);
  void TakePair(std::string_view key, std::string_view value, AircraftModel& model);

  TextLineReader reader_;
  std::string line_;
  std::string upper_;
  VariationValues values_;
  bool sectionEnabled_ = false;
};

// One folder without a reader of its own (see AircraftCfgReader::Read).
bool ReadAircraftCfg(const std::string& folderPath, const AircraftCategories& categories,
                     AircraftModelList& models);

}  // namespace fm
