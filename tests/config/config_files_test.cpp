// The starter air_class.cfg and air_nat.cfg: they are what make_config makes
// from data/ now, the product's own readers take every line of them, and
// common aircraft land in the categories a user expects.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "aircraft/aircraft_category.h"
#include "config/air_class_file.h"
#include "config/air_nat_file.h"
#include "config/open_data.h"
#include "geo/air_nat.h"
#include "platform/file_text.h"

namespace {

const std::string kSource = FM_SOURCE_DIR;

std::string Read(const std::string& relative) {
  std::string bytes;
  EXPECT_TRUE(fm::ReadFileBytes(kSource + "/" + relative, bytes)) << relative;
  return bytes;
}

std::string Trim(const std::string& s) {
  const size_t a = s.find_first_not_of(" \t\r\n\v\f");
  return a == std::string::npos ? "" : s.substr(a, s.find_last_not_of(" \t\r\n\v\f") - a + 1);
}

TEST(StarterFiles, AreWhatTheGeneratorMakesNow) {
  std::string text, problem;
  ASSERT_TRUE(fm::config::MakeAirClassCfg(Read("data/aircraft-types.csv"), text, problem))
      << problem;
  EXPECT_TRUE(text == Read("config/air_class.cfg"))
      << "config/air_class.cfg is stale: rebuild it with config/make-config.sh";
  ASSERT_TRUE(fm::config::MakeAirNatCfg(Read("data/airlines-openflights.dat"),
                                        Read("data/sim-country-names.txt"), text, problem))
      << problem;
  EXPECT_TRUE(text == Read("config/air_nat.cfg"))
      << "config/air_nat.cfg is stale: rebuild it with config/make-config.sh";
}

TEST(StarterFiles, AirClassLoadsEveryLineAndEveryCategoryServesBothSides) {
  fm::AircraftCategories categories;
  ASSERT_TRUE(categories.LoadCategories(kSource + "/config/air_class.cfg"));
  // Count what the lines hold, independently of the reader.
  int headers = 0, modelLines = 0, titleStrings = 0;
  bool inSection = false;
  for (const std::string& raw : fm::opendata::SplitLines(Read("config/air_class.cfg"))) {
    const std::string line = Trim(raw);
    if (line.empty() || line[0] == ';') continue;
    ASSERT_TRUE(inSection || line[0] == '[') << "line before the first category: " << line;
    if (line.find(']') != std::string::npos) {
      ASSERT_EQ(line[0], '[') << line;
      ++headers;
      inSection = true;
    } else if (line[0] == '<') {
      const size_t close = line.find('>', 1);
      ASSERT_NE(close, std::string::npos) << line;
      const std::string inner = line.substr(1, close - 1);
      const auto quotes = std::count(inner.begin(), inner.end(), '"');
      EXPECT_EQ(quotes % 2, 0) << line;
      titleStrings += static_cast<int>(quotes / 2);
    } else {
      ++modelLines;
    }
  }
  size_t models = 0, titles = 0;
  for (const auto& [name, category] : categories) {
    EXPECT_FALSE(category.modelPatterns.empty()) << name;
    EXPECT_FALSE(category.titlePatterns.empty()) << name;
    models += category.modelPatterns.size();
    titles += category.titlePatterns.size();
  }
  // Nothing merged or dropped: no pattern twice, no category twice.
  EXPECT_EQ(static_cast<size_t>(headers), categories.size());
  EXPECT_EQ(static_cast<size_t>(modelLines), models);
  EXPECT_EQ(static_cast<size_t>(titleStrings), titles);
}

TEST(StarterFiles, CommonAircraftGetTheCategoryAUserExpects) {
  fm::AircraftCategories categories;
  ASSERT_TRUE(categories.LoadCategories(kSource + "/config/air_class.cfg"));
  struct Installed {
    const char *type, *model, *category;
  } installed[] = {
      {"Boeing", "737-400", "Airliner Narrow-body"},
      {"BOEING", "B738", "Airliner Narrow-body"},
      {"Airbus", "A320-200", "Airliner Narrow-body"},
      {"McDonnell Douglas", "MD-82", "Airliner Narrow-body"},
      {"Boeing", "747-400", "Airliner Wide-body"},
      {"Airbus", "A330-300", "Airliner Wide-body"},
      {"McDonnell Douglas", "MD-11", "Airliner Wide-body"},
      {"Boeing", "B77W", "Airliner Wide-body"},
      {"Bombardier", "CRJ-200", "Regional Jet"},
      {"Embraer", "E190", "Regional Jet"},
      {"Fokker", "100", "Regional Jet"},
      {"De Havilland", "DHC-8-100", "Turboprop"},
      {"ATR", "ATR 72-500", "Turboprop"},
      {"Cessna", "208B Grand Caravan", "Turboprop"},
      {"Beech", "King Air A100", "Turboprop"},
      {"Learjet", "45", "Business Jet"},
      {"Dassault", "Falcon 900", "Business Jet"},
      {"Cessna", "172SP", "Light Single"},
      {"Cessna", "C172", "Light Single"},
      {"Mooney", "M20M", "Light Single"},
      {"Beech", "Baron 58", "Light Twin"},
      {"Bell", "206B JetRanger", "Helicopter"},
      {"Robinson", "R44", "Helicopter"},
      {"Schweizer", "SGS 2-32", "Glider"},
      {"General Dynamics", "F-16 Fighting Falcon", "Military"},
      {"Boeing", "C-17 Globemaster", "Military"},
      {"Douglas", "DC-3", "Vintage"},
      {"Zeppelin", "LZ N07", "Unknown"},
  };
  for (const Installed& a : installed) {
    EXPECT_EQ(categories.ClassifyModel(a.type, a.model), a.category) << a.type << " " << a.model;
  }
  struct Traffic {
    const char *title, *category;
  } traffic[] = {
      {"Boeing 737-800 Ryanair", "Airliner Narrow-body"},
      {"AIA Airbus A321 Lufthansa", "Airliner Narrow-body"},
      {"Boeing 777-300 Paint1", "Airliner Wide-body"},
      {"MD-11F FedEx", "Airliner Wide-body"},
      {"Bombardier CRJ-700 Air Canada Jazz", "Regional Jet"},
      {"Avro RJ85 Swiss", "Regional Jet"},
      {"Dash 8-100 Paint1", "Turboprop"},
      {"Cessna Caravan 208B Paint1", "Turboprop"},
      {"Learjet 45 Paint1", "Business Jet"},
      {"Cessna Skyhawk 172SP Paint1", "Light Single"},
      {"Beech Baron 58 Paint1", "Light Twin"},
      {"Bell 206B JetRanger Paint1", "Helicopter"},
      {"F-16C Fighting Falcon", "Military"},
      {"Douglas DC-3 Paint1", "Vintage"},
      {"Zeppelin NT", ""},
  };
  for (const Traffic& t : traffic) {
    EXPECT_EQ(categories.ClassifyTrafficTitle(t.title), t.category) << t.title;
  }
}

TEST(StarterFiles, AirNatGivesEveryLineItsCountryAndCallsigns) {
  fm::AirlineCountryMap map;
  ASSERT_EQ(fm::ReadAirNatFile(kSource + "/config/air_nat.cfg", map), fm::AirNatRead::Loaded);
  std::set<std::string> simNames;
  for (const std::string& n : fm::opendata::SplitLines(Read("data/sim-country-names.txt"))) {
    simNames.insert(n);
  }
  size_t lines = 0;
  for (const std::string& raw : fm::opendata::SplitLines(Read("config/air_nat.cfg"))) {
    const std::string line = Trim(raw);
    if (line.empty() || line[0] == ';') continue;
    ++lines;
    const size_t slash = line.find('/');
    ASSERT_NE(slash, std::string::npos) << line;
    const std::string country = line.substr(0, slash);
    EXPECT_TRUE(country == "GLOBAL" || simNames.count(country)) << country;
    std::set<std::string> written;
    for (const std::string& c : fm::opendata::SplitCsvLine(line.substr(slash + 1))) {
      EXPECT_FALSE(c.empty() || c.front() == ' ' || c.back() == ' ')
          << country << ": [" << c << "]";
      EXPECT_TRUE(written.insert(c).second) << country << ": " << c << " twice";
    }
    const auto* loaded = map.FindCountryAirlines(country);
    ASSERT_NE(loaded, nullptr) << country;
    EXPECT_EQ(*loaded, written) << country;
  }
  EXPECT_EQ(lines, map.Countries().size());  // no country twice
  // Spellings of the simulator, callsigns as aircraft files write them.
  const std::map<std::string, std::string> expected = {{"GLOBAL", "FEDEX"},
                                                       {"United Kingdom", "SPEEDBIRD"},
                                                       {"Netherlands, The", "KLM"},
                                                       {"Korea", "KOREANAIR"},
                                                       {"Congo (DRC)", "CONGOLAISE"},
                                                       {"Russia", "AEROFLOT"},
                                                       {"Cote d'Ivoire", "AIRIVOIRE"},
                                                       {"Germany", "LUFTHANSA"}};
  for (const auto& [country, callsign] : expected) {
    const auto* found = map.FindCountryAirlines(country);
    ASSERT_NE(found, nullptr) << country;
    EXPECT_TRUE(found->count(callsign)) << country << " lacks " << callsign;
  }
}

TEST(StarterFiles, OpenFlightsSpellingsMapToTheSimulators) {
  const std::vector<std::string> sim = {"Korea", "Congo (DRC)", "Congo DRC", "Germany"};
  EXPECT_EQ(fm::config::SimCountryNames("Germany", sim), std::vector<std::string>{"Germany"});
  EXPECT_EQ(fm::config::SimCountryNames("South Korea", sim), std::vector<std::string>{"Korea"});
  EXPECT_EQ(fm::config::SimCountryNames("Democratic Republic of the Congo", sim),
            (std::vector<std::string>{"Congo (DRC)", "Congo DRC"}));
  EXPECT_TRUE(fm::config::SimCountryNames("AEROCENTER", sim).empty());  // a shifted row
}

}  // namespace
