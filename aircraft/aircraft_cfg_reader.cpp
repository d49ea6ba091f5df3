// Reading one aircraft.cfg. Only two words decide which lines are read: a
// line beginning with "[" closes the section and stops the reading, and a
// line containing FLTSIM or GENERAL (in any case) while reading is stopped
// starts it again for the lines after it. [fltsim.N], [General] and
// [GeneralEngineData] are therefore read, [WEIGHT_AND_BALANCE] is not.
#include "aircraft/aircraft_cfg_reader.h"

#include "aircraft/aircraft_text.h"
#include "platform/file_paths.h"

namespace fm {
namespace {

constexpr char kCfgName[] = "aircraft.cfg";

// The keys read, upper-cased, and where their values go.
enum class Target { AtcType, AtcModel, AtcAirline, AtcId, Title, Manufacturer, Type, Variation };

struct KeyTarget {
  std::string_view key;
  Target target;
};

constexpr KeyTarget kKeys[] = {
    {"ATC_TYPE", Target::AtcType},
    {"ATC_MODEL", Target::AtcModel},
    {"ATC_AIRLINE", Target::AtcAirline},
    {"ATC_ID", Target::AtcId},
    {"TITLE", Target::Title},
    {"UI_MANUFACTURER", Target::Manufacturer},
    {"UI_TYPE", Target::Type},
    {"UI_VARIATION", Target::Variation},
};

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool StartsWithUpper(std::string_view text, std::string_view upperWord) {
  if (text.size() < upperWord.size()) return false;
  for (size_t k = 0; k < upperWord.size(); ++k) {
    if (UpperAscii(text[k]) != upperWord[k]) return false;
  }
  return true;
}

// Whether the upper-cased line contains FLTSIM or GENERAL. A plain ASCII
// line is searched in place; any other goes through the code page's
// upper-casing into `scratch`.
bool NamesReadSection(std::string_view line, std::string& scratch) {
  for (char c : line) {
    if (static_cast<unsigned char>(c) >= 0x80) {
      UpperCaseInto(line, scratch);
      return scratch.find("FLTSIM") != std::string::npos ||
             scratch.find("GENERAL") != std::string::npos;
    }
  }
  for (size_t i = 0; i < line.size(); ++i) {
    const char lower = static_cast<char>(line[i] | 0x20);
    if ((lower == 'f' && StartsWithUpper(line.substr(i), "FLTSIM")) ||
        (lower == 'g' && StartsWithUpper(line.substr(i), "GENERAL"))) {
      return true;
    }
  }
  return false;
}

}  // namespace

bool SplitKeyValue(std::string_view line, std::string_view& key, std::string_view& value) {
  line = TrimBlanks(line);
  if (line.size() < 2 || line[0] == ';') return false;
  const size_t equals = line.find('=');
  if (equals == std::string_view::npos) return false;
  value = line.substr(equals + 1);
  if (const size_t comment = value.find("//"); comment != std::string_view::npos) {
    value = value.substr(0, comment);
  }
  value = TrimBlanks(value);
  key = TrimBlanks(line.substr(0, equals));
  return true;
}

void StoreVariation(VariationValues& values, std::map<std::string, InstalledAircraft>& variations,
                    const std::string& cfgPath) {
  if (values.title.size() < 2) return;
  variations.try_emplace(values.title,
                         InstalledAircraft{values.atcAirline, values.atcId, values.uiManufacturer,
                                           values.uiType, values.uiVariation, cfgPath, true});
  values.title.clear();
}

bool AircraftCfgReader::Read(const std::string& folderPath, const AircraftCategories& categories,
                             AircraftModelList& models) {
  const std::string cfgPath = JoinPath(folderPath, kCfgName);
  if (!reader_.Open(cfgPath)) return false;

  AircraftModel model;
  values_ = VariationValues();
  sectionEnabled_ = false;
  while (reader_.ReadLine(line_)) ReadLine(line_, model, cfgPath);
  reader_.Close();
  if (reader_.Failed()) return false;  // the lines before a failure are not the file
  StoreVariation(values_, model.variations, cfgPath);

  model.category = categories.ClassifyModel(model.atcType, model.atcModel);
  models.push_back(std::move(model));
  return true;
}

void AircraftCfgReader::ReadLine(std::string_view line, AircraftModel& model,
                                 const std::string& cfgPath) {
  line = TrimBlanks(line);
  // Upper-casing never changes these first characters or the length.
  if (line.size() < 2 || line[0] == ';' || (line[0] == '/' && line[1] == '/')) return;
  if (line[0] == '[') {
    StoreVariation(values_, model.variations, cfgPath);
    sectionEnabled_ = false;
  }
  if (sectionEnabled_) {
    std::string_view key, value;
    if (SplitKeyValue(line, key, value)) TakePair(key, value, model);
    return;
  }
  if (NamesReadSection(line, upper_)) sectionEnabled_ = true;
}

void AircraftCfgReader::TakePair(std::string_view key, std::string_view value,
                                 AircraftModel& model) {
  if (key.size() < 5 || key.size() > 15) return;  // shorter or longer than every key read
  UpperCaseInto(key, upper_);
  for (const KeyTarget& k : kKeys) {
    if (upper_ != k.key) continue;
    switch (k.target) {
      case Target::AtcType:
        model.atcType.assign(value);
        break;
      case Target::AtcModel:
        model.atcModel.assign(value);
        break;
      case Target::AtcAirline:
        values_.atcAirline.assign(value);
        break;
      case Target::AtcId:
        values_.atcId.assign(value);
        break;
      case Target::Title:
        values_.title.assign(value);
        break;
      case Target::Manufacturer:
        values_.uiManufacturer.assign(value);
        break;
      case Target::Type:
        values_.uiType.assign(value);
        break;
      case Target::Variation:
        values_.uiVariation.assign(value);
        break;
    }
    return;
  }
}

bool ReadAircraftCfg(const std::string& folderPath, const AircraftCategories& categories,
                     AircraftModelList& models) {
  AircraftCfgReader reader;
  return reader.Read(folderPath, categories, models);
}

}  // namespace fm
