// Visiting the aircraft folders and counting what they gave.
#include "aircraft/aircraft_scan.h"

#include <string_view>
#include <unordered_set>
#include <vector>

#include "aircraft/aircraft_cfg_reader.h"
#include "platform/file_paths.h"
#include "platform/file_system.h"

namespace fm {

void ScanAircraftFolders(const std::string& aircraftRoot, const AircraftCategories& categories,
                         AircraftModelList& models) {
  std::vector<DirEntry> entries;
  if (!ListDirectory(aircraftRoot, "*.*", entries)) return;
  AircraftCfgReader reader;
  for (const DirEntry& entry : entries) {
    if (entry.isDirectory) reader.Read(JoinPath(aircraftRoot, entry.name), categories, models);
  }
}

CatalogueCounts CountCatalogue(const AircraftModelList& models) {
  // Views into the catalogue, which outlives the sets.
  std::unordered_set<std::string_view> airlines, variations;
  std::unordered_set<std::string> modelNames;
  for (const AircraftModel& model : models) {
    modelNames.insert(model.atcType + " " + model.atcModel);
    for (const auto& [title, variation] : model.variations) {
      airlines.insert(variation.atcAirline);
      variations.insert(variation.uiVariation);
    }
  }
  return {static_cast<int>(airlines.size()), static_cast<int>(modelNames.size()),
          static_cast<int>(variations.size())};
}

}  // namespace fm
