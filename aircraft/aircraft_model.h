// The installed aircraft: one imported aircraft.cfg with its variations.
// The reader that fills them is aircraft_cfg_reader.h, the folder scan
// aircraft_scan.h.
#pragma once

#include <list>
#include <map>
#include <string>

namespace fm {

// One variation of an installed aircraft: a section of its aircraft.cfg
// with a title. The title is the key of the variation's entry in its
// model's `variations`.
struct InstalledAircraft {
  std::string atcAirline;  // the airline's ATC callsign, may be empty
  std::string atcId;       // the ATC registration, may be empty
  std::string uiManufacturer;
  std::string uiType;
  std::string uiVariation;
  std::string cfgPath;  // the aircraft folder's path + "aircraft.cfg"
  // May the variation be given flights? True after every import; only the
  // aircraft page's check boxes change it, and it is never saved.
  bool useForAi = true;
};

struct AircraftModel {
  std::string atcType;   // the last ATC_TYPE of the file, as written
  std::string atcModel;  // the last ATC_MODEL of the file, as written
  std::string category;  // never empty: "Unknown" when nothing matched
  std::map<std::string, InstalledAircraft> variations;  // by title
};

// The catalogue, in the order in which the folders were listed.
using AircraftModelList = std::list<AircraftModel>;

}  // namespace fm
