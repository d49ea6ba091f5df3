// Choosing the demo's airports and writing their airport-directory files.
#include "demo/demo_airports.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>

#include "config/open_data.h"

namespace fm::demo {
namespace {

struct CountrySpec {
  const char* iso;     // CountryISO2 of airports.csv
  const char* name;    // as the simulator's airport directory spells it
  const char* region;  // its REGION name entry
  const char* file;    // the airport-directory file of the region
  const char* icaoPrefix;
  int count;
  std::vector<std::string> hubs;
};

const std::vector<CountrySpec>& Countries() {
  static const std::vector<CountrySpec> kCountries = {
      {"US",
       "United States",
       "North America",
       "AFDNAM.BGL",
       "K",
       90,
       {"KATL", "KBOS", "KDEN", "KDFW", "KIAD", "KJFK", "KLAS", "KLAX", "KMIA", "KMSP", "KORD",
        "KPHX", "KSEA", "KSFO"}},
      {"CA", "Canada", "North America", "AFDNAM.BGL", "C", 25, {"CYUL", "CYVR", "CYYC", "CYYZ"}},
      {"GB",
       "United Kingdom",
       "Europe",
       "AFDEUR.BGL",
       "EG",
       25,
       {"EGBB", "EGCC", "EGKK", "EGLL", "EGPH"}},
      {"IE", "Ireland", "Europe", "AFDEUR.BGL", "EI", 8, {"EICK", "EIDW", "EINN"}},
      {"FR", "France", "Europe", "AFDEUR.BGL", "LF", 25, {"LFBO", "LFML", "LFMN", "LFPG", "LFPO"}},
      {"DE", "Germany", "Europe", "AFDEUR.BGL", "ED", 25, {"EDDF", "EDDH", "EDDL", "EDDM", "EDDB"}},
      {"NL", "Netherlands, The", "Europe", "AFDEUR.BGL", "EH", 8, {"EHAM", "EHRD"}},
      {"ES", "Spain", "Europe", "AFDEUR.BGL", "LE", 20, {"LEBL", "LEMD", "LEMG", "LEPA"}},
      {"IT", "Italy", "Europe", "AFDEUR.BGL", "LI", 20, {"LIMC", "LIPZ", "LIRF", "LIRN"}},
      {"CH", "Switzerland", "Europe", "AFDEUR.BGL", "LS", 8, {"LSGG", "LSZH"}},
      {"JP", "Japan", "Asia", "AFDASI.BGL", "RJ", 20, {"RJAA", "RJBB", "RJFF", "RJTT", "RJCC"}},
      {"AU", "Australia", "Oceania", "AFDOCE.BGL", "Y", 20, {"YBBN", "YMML", "YPPH", "YSSY"}},
  };
  return kCountries;
}

bool Contains(const std::string& text, const char* word) {
  return text.find(word) != std::string::npos;
}

// How well an airport fits a traffic of airliners and light aircraft: named
// airports with a city, international ones first; heliports, bases,
// hospitals, water and private fields not at all.
int Score(const bglbench::AirportRow& a) {
  for (const char* unfit : {"Heliport", "Hospital", "Seaplane", "Water", "Base", "Air Force",
                            "Army", "Naval", "Private", "Ranch", "Farm", "Glider", "Closed",
                            "Balloon", "Ultralight", "Airstrip", "Strip", "Helipad"}) {
    if (Contains(a.name, unfit)) return -1;
  }
  if (a.city.empty()) return -1;
  int score = 0;
  if (Contains(a.name, "International")) score += 4;
  if (Contains(a.name, "Regional")) score += 2;
  if (Contains(a.name, "Airport")) score += 1;
  return score;
}

bool AllLetters(const std::string& icao) {
  return icao.size() == 4 &&
         std::all_of(icao.begin(), icao.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

}  // namespace

bool ChooseDemoAirports(std::string_view airportsCsv, std::vector<DemoAirport>& airports,
                        std::string& problem) {
  std::map<std::string, std::vector<bglbench::AirportRow>> byIso;
  const std::vector<std::string> lines = opendata::SplitLines(airportsCsv);
  for (size_t i = 1; i < lines.size(); ++i) {
    const std::vector<std::string> f = opendata::SplitCsvLine(lines[i]);
    if (f.size() < 7) continue;
    bglbench::AirportRow r;
    r.icao = f[0];
    r.name = f[1];
    r.city = f[2];
    r.country = f[3];
    r.lat = std::atof(f[4].c_str());
    r.lon = std::atof(f[5].c_str());
    r.altFeet = std::atof(f[6].c_str());
    byIso[r.country].push_back(r);
  }
  airports.clear();
  for (const CountrySpec& c : Countries()) {
    std::vector<bglbench::AirportRow>& rows = byIso[c.iso];
    std::vector<std::pair<int, const bglbench::AirportRow*>> ranked;
    for (const bglbench::AirportRow& r : rows) {
      const bool hub = std::find(c.hubs.begin(), c.hubs.end(), r.icao) != c.hubs.end();
      const int score = hub ? 100 : Score(r);
      if (score >= 0 && AllLetters(r.icao) && r.icao.rfind(c.icaoPrefix, 0) == 0) {
        ranked.emplace_back(score, &r);
      }
    }
    std::sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) {
      return a.first != b.first ? a.first > b.first : a.second->icao < b.second->icao;
    });
    const size_t take = std::min(ranked.size(), static_cast<size_t>(c.count));
    size_t hubs = 0;
    for (size_t k = 0; k < take; ++k) {
      DemoAirport a;
      a.row = *ranked[k].second;
      a.row.country = c.name;
      a.row.region = c.region;
      a.file = c.file;
      a.hub = ranked[k].first == 100;
      hubs += a.hub ? 1 : 0;
      airports.push_back(a);
    }
    if (hubs != c.hubs.size()) {
      problem = std::string("airports.csv lacks a hub of ") + c.name;
      return false;
    }
  }
  return true;
}

std::vector<AfdFile> BuildAfdFiles(const std::vector<DemoAirport>& airports) {
  std::map<std::string, std::vector<bglbench::AirportRow>> byFile;
  for (const DemoAirport& a : airports) byFile[a.file].push_back(a.row);
  std::vector<AfdFile> files;
  for (const auto& [name, rows] : byFile) {
    files.push_back({name, bglbench::BuildAfdFile(rows, true)});
  }
  return files;
}

}  // namespace fm::demo
