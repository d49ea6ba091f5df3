// Reading temp.sca: containers and name lists. Damaged text is the fuzz
// target's: it must always read to the end.
#include <gtest/gtest.h>

#include "geo/scenery_text.h"
#include "tests/support/fixture_installation.h"

namespace fm {
namespace {

// Reads the text as temp.sca; gives the tree as "region/country/state/
// city/name=ICAO" lines.
std::vector<std::string> Read(const std::string& text) {
  AirportStore store;
  testing::FixtureInstallation fixture;
  fixture.WorkFileBytes("temp.sca", text);
  TextLineReader reader;
  EXPECT_TRUE(reader.Open(fixture.WorkPath("temp.sca")));
  EXPECT_EQ(ReadSceneryText(reader, store), SceneryTextRead::Done);
  std::vector<std::string> lines;
  for (const auto& [r, countries] : store.Places())
    for (const auto& [c, states] : countries)
      for (const auto& [s, cities] : states)
        for (const auto& [t, airports] : cities)
          for (const auto& [n, icao] : airports)
            lines.push_back(r + "/" + c + "/" + s + "/" + t + "/" + n + "=" + icao);
  return lines;
}

std::string Container(const std::string& number, const std::string& icao) {
  return "Container( APT " + number +
         " )\r\n\tAPLocation( N51:28:39.00 W0:27:41.00 25.00 )\r\n"
         "\tICAO_ID( \"" +
         icao + "\" )\r\nEndC\r\n\r\n";
}

TEST(SceneryTextFileTest, NameListsPlaceTheirAirports) {
  const std::string text =
      "Container( VOR 1 )\r\n\tICAO_ID( \"VORX\" )\r\nEndC\r\n" + Container("2", "EGLL") +
      Container("3", "EGKK") + Container("4", "LFPG") +
      "NameList( 1 )\r\n"
      "\tNameEntry( REGION 0 \"Europe\")\r\n\tNameEntry( COUNTRY 0 \"United Kingdom\")\r\n"
      "\tNameEntry( STATE 0 \"England\")\r\n\tNameEntry( CITY 0 \"London\")\r\n"
      "\tNameEntry( AIRPORT 2 \"Heathrow\")\r\n"
      "\tNameEntry( COUNTRY 0 \"France\")\r\n"
      "\tNameEntry( AIRPORT 4 \"Charles de Gaulle\")\r\n"  // state and city cleared
      "\tNameEntry( VOR 1 \"Somewhere\")\r\n\tnot an entry\r\n"
      "\tNameEntry( AIRPORT 9 \"No container\")\r\n"
      "EndNL\r\n\r\nNameList( 2 )\r\n"
      "\tNameEntry( CITY 0 \"Gatwick\")\r\n\tNameEntry( AIRPORT 3 \"Gatwick\")\r\n"
      "\tNameEntry( AIRPORT 2 \"Gatwick\")\r\n"  // same name in the city: the first stays
      "EndNL\r\n";
  EXPECT_EQ(Read(text),
            (std::vector<std::string>{"//Default/Gatwick/Gatwick=EGKK",
                                      "Europe/France/Default//Charles de Gaulle=LFPG",
                                      "Europe/United Kingdom/England/London/Heathrow=EGLL"}));
}

}  // namespace
}  // namespace fm
