// The starter air_nat.cfg from the OpenFlights airline list.
#include "config/air_nat_file.h"

#include <algorithm>
#include <map>
#include <set>

#include "config/open_data.h"

namespace fm::config {
namespace {

// OpenFlights' country names (typing slips included) whose simulator
// spelling differs.
const std::multimap<std::string, std::string>& CountryAliases() {
  static const std::multimap<std::string, std::string> kAliases = {
      {"Bahamas", "Bahamas, The"},
      {"Burma", "Myanmar"},
      {"Congo (Kinshasa)", "Congo (DRC)"},
      {"Congo (Kinshasa)", "Congo DRC"},
      {"Democratic People's Republic of Korea", "North Korea"},
      {"Democratic Republic of Congo", "Congo (DRC)"},
      {"Democratic Republic of Congo", "Congo DRC"},
      {"Democratic Republic of the Congo", "Congo (DRC)"},
      {"Democratic Republic of the Congo", "Congo DRC"},
      {"Fiji", "Fiji Islands"},
      {"Gambia", "Gambia, The"},
      {"Hong Kong", "Hong Kong SAR"},
      {"Hong Kong SAR of China", "Hong Kong SAR"},
      {"Ivory Coast", "Cote d'Ivoire"},
      {"Lao Peoples Democratic Republic", "Laos"},
      {"Macao", "Macao SAR"},
      {"Macedonia", "Macedonia, Former Yugoslav Republic of"},
      {"Montenegro", "Serbia and Montenegro"},
      {"Netherland", "Netherlands, The"},
      {"Netherlands", "Netherlands, The"},
      {"Republic of Korea", "Korea"},
      {"Republic of the Congo", "Congo"},
      {"Russia]]", "Russia"},
      {"Russian Federation", "Russia"},
      {"Saint Kitts and Nevis", "St. Kitts and Nevis"},
      {"Saint Lucia", "St. Lucia"},
      {"Saint Vincent and the Grenadines", "St. Vincent and the Grenadines"},
      {"Serbia", "Serbia and Montenegro"},
      {"Somali Republic", "Somalia"},
      {"South Korea", "Korea"},
      {"Syrian Arab Republic", "Syria"},
      {"UNited Kingdom", "United Kingdom"},
  };
  return kAliases;
}

std::string Trimmed(const std::string& s) {
  const size_t first = s.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

std::string Upper(std::string s) {
  for (char& c : s) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return s;
}

// A callsign as aircraft files write it in atc_airline, or "" when it
// cannot stand in air_nat.cfg: a comma would split it, and blanks around it
// would stay part of it.
std::string CallsignOf(const std::string& field) {
  if (field == "\\N") return "";
  std::string callsign = Upper(Trimmed(field));
  if (callsign.find(',') != std::string::npos) return "";
  return callsign;
}

const char* const kIntroduction[] = {
    "; air_nat.cfg: the airline callsigns of every country.",
    ";",
    "; Fleetmix gives a flight an installed aircraft whose ATC_AIRLINE is",
    "; listed here for one of the countries the flight visits, else one listed",
    "; for GLOBAL, else one without an airline.",
    ";",
    "; One line per country: the country name as the airport directory of the",
    "; simulator spells it, a slash, and the callsigns separated by commas,",
    "; for example United Kingdom/SPEEDBIRD,EASY. Country names and",
    "; callsigns are compared exactly, letter case included, and a blank",
    "; before the slash or after a comma becomes part of a name. Only the",
    "; first line of a country counts. Lines that begin with ; or / are",
    "; comments.",
    ";",
    "; A simulator in another language spells its countries its own way: the",
    "; scenery page's \"Generate new air_nat.cfg\" lists them.",
    ";",
    "; The callsigns are taken from the OpenFlights airline database",
    "; (https://openflights.org/data.html), made available under the Open",
    "; Database License (ODbL) v1.0:",
    "; https://opendatacommons.org/licenses/odbl/1-0/. Its contents are",
    "; licensed under the Database Contents License (DbCL) v1.0. This file is",
    "; a database derived from it and is available under the ODbL as well:",
    "; callsigns upper-cased, airlines without a usable callsign and countries",
    "; the simulator does not know left out, country names spelt as the",
    "; simulator spells them. The GLOBAL line was added by hand.",
};

}  // namespace

std::vector<std::string> SimCountryNames(const std::string& openFlightsName,
                                         const std::vector<std::string>& simNames) {
  if (std::find(simNames.begin(), simNames.end(), openFlightsName) != simNames.end()) {
    return {openFlightsName};
  }
  std::vector<std::string> names;
  auto [first, last] = CountryAliases().equal_range(openFlightsName);
  for (auto it = first; it != last; ++it) names.push_back(it->second);
  return names;
}

const std::vector<std::string>& GlobalCallsigns() {
  // Freight and charter operators that fly all over the world.
  static const std::vector<std::string> kGlobal = {"CARGOLUX", "FEDEX", "GIANT", "UPS"};
  return kGlobal;
}

bool MakeAirNatCfg(std::string_view airlinesDat, std::string_view simCountryNames, std::string& out,
                   std::string& problem) {
  const std::vector<std::string> simNames = opendata::SplitLines(simCountryNames);
  std::map<std::string, std::set<std::string>> callsigns;
  std::set<std::string> every;
  for (const std::string& line : opendata::SplitLines(airlinesDat)) {
    // ID, Name, Alias, IATA, ICAO, Callsign, Country, Active
    const std::vector<std::string> f = opendata::SplitCsvLine(line);
    if (f.size() != 8) continue;
    const std::string callsign = CallsignOf(f[5]);
    if (callsign.empty()) continue;
    every.insert(callsign);
    for (const std::string& country : SimCountryNames(f[6], simNames)) {
      callsigns[country].insert(callsign);
    }
  }
  for (const std::string& g : GlobalCallsigns()) {
    if (!every.count(g)) {
      problem = "the GLOBAL callsign " + g + " is not in the airline list";
      return false;
    }
  }
  out.clear();
  for (const char* line : kIntroduction) out.append(line).append("\r\n");
  out.append("\r\n");
  auto write = [&out](const std::string& country, const auto& list) {
    out.append(country).append("/");
    bool first = true;
    for (const std::string& c : list) {
      if (!first) out.append(",");
      out.append(c);
      first = false;
    }
    out.append("\r\n");
  };
  write("GLOBAL", GlobalCallsigns());
  for (const auto& [country, list] : callsigns) write(country, list);
  return true;
}

}  // namespace fm::config
