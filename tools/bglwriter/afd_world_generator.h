// Builds airport-directory BGL files (section 20) from the open airport
// list: one container per airport with its position, two runways, a start
// position, three frequencies and the ICAO identifier, and name lists per
// region and country with state, city and airport names.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace bglbench {

struct AirportRow {
  std::string icao, name, city, country;
  double lat = 0, lon = 0, altFeet = 0;
  // Written into the name lists when not empty (airports.csv has neither).
  std::string region, state;
};

// Reads airports.csv (ICAO,Name,City,CountryISO2,Latitude,Longitude,AltitudeFeet,
// with double-quoted fields). Returns at most limit rows (0: all).
std::vector<AirportRow> ReadAirportsCsv(const std::string& path, size_t limit = 0);

// The BGL file for the airports. icaoAfterPosition puts each container's
// ICAO identifier right after its airport position, as FS2002's own
// airport-directory files do and as the scenery import reads them. One name
// list per region and country (in byte order): its REGION entry when the
// region is given, the COUNTRY entry, then per airport in list order its
// STATE entry when given, its CITY and its AIRPORT entry.
std::vector<uint8_t> BuildAfdFile(const std::vector<AirportRow>& airports,
                                  bool icaoAfterPosition = false);

// The airports.csv of the repository's shared data.
std::string DefaultAirportsCsv();

}  // namespace bglbench
