// The airports of the demo installation: a few hundred real airports of a
// dozen countries, chosen from the open airport list, with the countries
// spelt as the simulator spells them, and the airport-directory BGL files
// that hold them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tools/bglwriter/afd_world_generator.h"

namespace fm::demo {

struct DemoAirport {
  bglbench::AirportRow row;  // country: the simulator's spelling
  std::string file;          // the airport-directory file that holds it
  bool hub = false;          // served by the airliners
};

// The demo's airports from the text of airports.csv, in the order of the
// country table and, within a country, hubs first, then by ICAO code.
// False with `problem` set when a hub is missing from the list.
bool ChooseDemoAirports(std::string_view airportsCsv, std::vector<DemoAirport>& airports,
                        std::string& problem);

struct AfdFile {
  std::string name;  // e.g. AFDEUR.BGL
  std::vector<uint8_t> bytes;
};

// One airport-directory file per world region, in name order.
std::vector<AfdFile> BuildAfdFiles(const std::vector<DemoAirport>& airports);

}  // namespace fm::demo
