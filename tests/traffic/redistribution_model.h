// A second, deliberately plain implementation of the flight-to-aircraft
// redistribution, kept apart from the product so that the two can be run on
// the same installation and their outputs compared byte for byte. It uses
// the standard library only and links nothing of the product.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace fm::testing::model {

struct Variation {
  std::string title;
  std::string atcAirline;
  bool useForAi = true;
};

struct Model {
  std::string category;
  std::map<std::string, Variation> variations;  // by title
};

struct ModelInput {
  std::map<std::string, std::set<std::string>> categoryTitlePatterns;  // category -> title patterns
  std::vector<Model> aircraftModels;                                   // in list order
  std::map<std::string, std::string> airportCountry;  // ICAO -> country; absent: not in the store
  std::map<std::string, std::set<std::string>> countryAirlines;  // air_nat.cfg; absent: not found
  std::map<std::string, std::pair<std::string, std::string>> trafficAircraft;  // id -> speed, title
  std::vector<std::string> planLines;  // FlightPlans.txt lines as read, without line ends
  bool randomly = false;
  std::uint32_t seed = 0;  // the random generator's seed (the product takes the tick count)
};

struct ModelOutput {
  std::string report;          // report.txt bytes, line ends CR LF
  std::string aircraftTxt;     // aircraft.txt bytes as the save writes the new aircraft
  std::string flightPlansTxt;  // FlightPlans.txt bytes as the save writes the new plan lines
  std::vector<std::string> warningBoxes;              // the page's warning boxes, in order
  std::string completionBox;                          // "Generation complete. %d plans generated."
  std::vector<std::pair<std::string, int>> listRows;  // (title, count) in the list's final order
  std::vector<std::string> statusTexts;               // progress texts shown, in order
  bool operator==(const ModelOutput&) const = default;
};

// One generation run over the input, with everything it shows and writes.
ModelOutput RunModel(const ModelInput& input);

// Small random installations, drawn from small vocabularies so that shared
// titles, missing entries and every fallback of the run turn up often. The
// same seed gives the same installation on every platform and library.
ModelInput RandomInstallation(std::uint32_t seed);

}  // namespace fm::testing::model
