// The starter air_class.cfg and air_nat.cfg: they are what make_config makes
// from data/ now (so also OpenFlights' country spellings mapped to the
// simulator's), the product's own readers take every line of them, and
// common aircraft land in the categories a user expects.
#include <gtest/gtest.h>

#include <set>

#include "aircraft/aircraft_category.h"
#include "config/air_class_file.h"
#include "config/air_nat_file.h"
#include "config/open_data.h"
#include "geo/air_nat.h"
#include "platform/file_text.h"

namespace fm {
namespace {

std::string Read(const std::string& relative) {
  std::string bytes;
  EXPECT_TRUE(ReadFileBytes(FM_SOURCE_DIR "/" + relative, bytes)) << relative;
  return bytes;
}

TEST(StarterFiles, AreWhatTheGeneratorMakesNow) {
  std::string text, problem;
  ASSERT_TRUE(config::MakeAirClassCfg(Read("data/aircraft-types.csv"), text, problem)) << problem;
  EXPECT_TRUE(text == Read("config/air_class.cfg"))
      << "config/air_class.cfg is stale: rebuild it with config/make-config.sh";
  ASSERT_TRUE(config::MakeAirNatCfg(Read("data/airlines-openflights.dat"),
                                    Read("data/sim-country-names.txt"), text, problem))
      << problem;
  EXPECT_TRUE(text == Read("config/air_nat.cfg"))
      << "config/air_nat.cfg is stale: rebuild it with config/make-config.sh";
}

TEST(StarterFiles, LoadWithTheProductsReaders) {
  AircraftCategories categories;
  ASSERT_TRUE(categories.LoadCategories(FM_SOURCE_DIR "/config/air_class.cfg"));
  for (const auto& [name, category] : categories) {
    EXPECT_FALSE(category.modelPatterns.empty() || category.titlePatterns.empty()) << name;
  }
  // (The airship in no category is the check's finding on the demo.)
  EXPECT_EQ(categories.ClassifyModel("BOEING", "B738"), "Airliner Narrow-body");
  EXPECT_EQ(categories.ClassifyModel("De Havilland", "DHC-8-100"), "Turboprop");
  EXPECT_EQ(categories.ClassifyTrafficTitle("Cessna Caravan 208B Paint1"), "Turboprop");

  // air_nat.cfg: every line its country and callsigns.
  AirlineCountryMap map;
  ASSERT_EQ(ReadAirNatFile(FM_SOURCE_DIR "/config/air_nat.cfg", map), AirNatRead::Loaded);
  size_t lines = 0;
  for (const std::string& line : opendata::SplitLines(Read("config/air_nat.cfg"))) {
    if (line.empty() || line[0] == ';') continue;
    ++lines;
    const std::string country = line.substr(0, line.find('/'));
    const std::vector<std::string> callsigns =
        opendata::SplitCsvLine(line.substr(line.find('/') + 1));
    for (const std::string& c : callsigns)
      EXPECT_FALSE(c.empty() || c.front() == ' ' || c.back() == ' ')
          << country << ": [" << c << "]";
    const auto* loaded = map.FindCountryAirlines(country);
    ASSERT_NE(loaded, nullptr) << country;
    EXPECT_EQ(*loaded, std::set<std::string>(callsigns.begin(), callsigns.end())) << country;
  }
  EXPECT_EQ(lines, map.Countries().size());  // no country twice
  // Spellings of the simulator, callsigns as aircraft files write them.
  for (const auto& [country, callsign] :
       {std::pair{"GLOBAL", "FEDEX"}, {"Netherlands, The", "KLM"}}) {
    const auto* found = map.FindCountryAirlines(country);
    EXPECT_TRUE(found && found->count(callsign)) << country << " lacks " << callsign;
  }
}

}  // namespace
}  // namespace fm
