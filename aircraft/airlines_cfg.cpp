// Writing airlines.cfg whole or not at all.
#include "aircraft/airlines_cfg.h"

#include <set>
#include <string_view>

#include "platform/file_atomic.h"

namespace fm {

std::string AirlinesCfgText(const AircraftModelList& models) {
  std::set<std::string_view> airlines;
  for (const AircraftModel& model : models) {
    for (const auto& [title, variation] : model.variations) airlines.insert(variation.atcAirline);
  }
  std::string text;
  for (std::string_view airline : airlines) {
    if (airline.empty()) continue;
    text.append(airline).append("\r\n");
  }
  return text;
}

bool WriteAirlinesCfg(const std::string& path, const AircraftModelList& models) {
  AtomicFileSet files;
  OutputFile* file = files.Create(path);
  if (file == nullptr) return false;
  file->WriteBytes(AirlinesCfgText(models));
  return files.Commit();
}

}  // namespace fm
