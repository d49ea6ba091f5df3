// air_nat.cfg's grammar. Reading the file is the fault table's and the
// resource bounds'.
#include <gtest/gtest.h>

#include "geo/air_nat.h"

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

}  // namespace
}  // namespace fm
