// The installed aircraft: one imported aircraft.cfg with its variations.
// The scan that fills them lives beside this header.
#pragma once

#include <map>
#include <string>

namespace fm {

// One variation ([fltsim.N] section) of an installed aircraft, keyed by title.
struct InstalledAircraft {
  std::string title;
  std::string uiVariation;
  std::string uiManufacturer;
  std::string uiType;
  std::string atcAirline;
  std::string atcId;
  std::string cfgPath;
  bool useForAi = true;
};

struct AircraftModel {
  std::string atcType;
  std::string atcModel;
  std::string category;
  std::map<std::string, InstalledAircraft> variations;  // by title
};

}  // namespace fm
