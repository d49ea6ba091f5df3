// air_nat.cfg's grammar and the country list.
#include <gtest/gtest.h>

#include "geo/air_nat.h"
#include "platform/file_paths.h"
#include "tests/support/fixture_installation.h"

namespace fm {
namespace {

using Callsigns = std::set<std::string>;

TEST(AirNatTest, GrammarTakesThePiecesAsWritten) {
  struct Case {
    std::vector<const char*> lines;
    std::map<std::string, Callsigns> expected;
  } cases[] = {
      {{"", " ", "x", "; France/AIRFRANS", "  /Spain/IBERIA", "/x", "no slash here"}, {}},
      {{"\t France/AIRFRANS,BRITAIR \r"}, {{"France", {"AIRFRANS", "BRITAIR"}}}},
      {{"France /AIR/FRANS"}, {{"France ", {"AIR/FRANS"}}}},
      {{"France/AIRFRANS, BRITAIR,AIRFRANS,", "a/"},
       {{"France", {"AIRFRANS", " BRITAIR", ""}}, {"a", {""}}}},
      {{"France/AIRFRANS", "France/BRITAIR", "FRANCE/HOP"},
       {{"France", {"AIRFRANS"}}, {"FRANCE", {"HOP"}}}},
  };
  for (const Case& c : cases) {
    AirlineCountryMap map;
    for (const char* line : c.lines) ReadAirNatLine(line, map);
    EXPECT_EQ(map.Countries(), c.expected) << c.lines.front();
  }
}

// A file read replaces the map; its lines may end in CR LF, LF or nothing.
TEST(AirNatTest, FileReplacesTheMapAndTheCountryListHoldsEachCountryOnce) {
  testing::FixtureInstallation fixture;
  ASSERT_TRUE(fixture.IsReady());
  AirlineCountryMap map;
  ReadAirNatLine("Old/X", map);
  fixture.WorkFileBytes("air_nat.cfg", "France/AIRFRANS\r\nSpain/IBERIA\nItaly/ALITALIA");
  EXPECT_EQ(ReadAirNatFile(fixture.WorkPath("air_nat.cfg"), map), AirNatRead::Loaded);
  EXPECT_EQ(map.Countries().size(), 3u);

  // In byte order, the empty country included.
  AirportStore store;
  store.AddAirport("Europe", "france", "", "Paris", "Orly", "LFPO");
  store.AddAirport("Europe", "Spain", "", "Madrid", "Barajas", "LEMD");
  store.AddAirport("Africa", "Spain", "", "Ceuta", "Ceuta", "GECE");
  store.AddAirport("Asia", "", "", "", "Nameless", "ZZZZ");
  EXPECT_TRUE(WriteCountryList(store, fixture.WorkPath("new_air_nat.cfg")));
  EXPECT_EQ(fixture.ReadWorkFile("new_air_nat.cfg"), "\r\nSpain\r\nfrance\r\n");
}

}  // namespace
}  // namespace fm
