// air_nat.cfg, the callsigns of every country, and new_air_nat.cfg, the
// country names of the loaded airports for a user to complete.
#pragma once

#include <string>
#include <string_view>

#include "geo/airport_store.h"

namespace fm {

inline constexpr char kAirNatFile[] = "air_nat.cfg";
inline constexpr char kNewAirNatFile[] = "new_air_nat.cfg";

// One line of air_nat.cfg: "country/callsign,callsign,...". Blanks around
// the line are removed; the pieces are taken exactly as written.
void ReadAirNatLine(std::string_view line, AirlineCountryMap& map);

enum class AirNatRead {
  Loaded,     // the file was read to its end (whatever its contents)
  Missing,    // it could not be opened
  ReadFailed  // a read failed part-way; the map is left empty
};

// Empties the map and fills it from the file.
AirNatRead ReadAirNatFile(const std::string& path, AirlineCountryMap& map);

// Every country name of the place tree, once, in byte order, one per line.
// False when the file cannot be created or written (an earlier list then
// stays as it was).
bool WriteCountryList(const AirportStore& store, const std::string& path);

}  // namespace fm
