// air_class.cfg and the two classifications it gives: installed aircraft by
// ATC type and model, traffic aircraft by title.
#include <gtest/gtest.h>

#include <string>

#include "aircraft/aircraft_category.h"
#include "tests/support/fixture_installation.h"

namespace fm {
namespace {

AircraftCategories Load(std::string_view text) {
  AircraftCategories categories;
  testing::FixtureInstallation installation;
  EXPECT_TRUE(categories.LoadCategories(installation.WorkFile("air_class.cfg", text)));
  return categories;
}

TEST(ClassifyTest, ModelsAndTitles) {
  const AircraftCategories categories = Load(
      "; comment\n\n[Airliner]\n  737  \n<\"Boeing 737\" \"B737\">\n[Heavy]\nng 74\n[Jet]\n7\n"
      "[X]\ncessna\n[Zeppelin]\ncessna\nLZ\n[]\npiper\n[Prop]\npiper\n[Airliner]\nA320\n");
  const struct {
    const char* atcType;
    const char* atcModel;
    const char* category;
  } models[] = {
      {"Boeing", "737-800", "Airliner"},  // blanks around a line do not count
      {"Airbus", "A320", "Airliner"},     // a name given twice adds to the first
      {"Boeing", "757", "Jet"},           // only "7" of Jet matches; Airliner sorts first
      {"Boeing", "747", "Heavy"},         // "NG 74" spans the blank between type and model
      {"boeing", "b737", "Airliner"},     // both sides upper-cased
      {"Cessna", "C152", "Unknown"},      // hit in the one-character [X]; [Zeppelin] not tried
      {"Piper", "Cub", "Prop"},           // a hit in the nameless category does not stop
      {"Zeppelin", "LZ 129", "Zeppelin"},
  };
  for (const auto& c : models) {
    EXPECT_EQ(categories.ClassifyModel(c.atcType, c.atcModel), c.category)
        << c.atcType << "|" << c.atcModel;
  }
  const AircraftCategories withEmpty =
      Load("[Airliner]\n<\"Boeing 737\">\n[Any]\n<\"\">\n[Jet]\n<\"Boeing\">\n");
  const struct {
    const AircraftCategories& table;
    const char* title;
    const char* category;
  } titles[] = {
      {categories, "Boeing 737-800 Paint1", "Airliner"},
      {categories, "B737 Paint2", "Airliner"},  // either string of a bracket line
      {categories, "boeing 737-800", ""},       // titles compare case-sensitively
      {categories, "Cessna 172", ""},           // plain lines never match titles
      // An empty pattern claims what the categories before it left.
      {withEmpty, "Boeing 737-800", "Airliner"},
      {withEmpty, "Boeing 747", "Any"},
  };
  for (const auto& c : titles)
    EXPECT_EQ(c.table.ClassifyTrafficTitle(c.title), c.category) << c.title;
}

}  // namespace
}  // namespace fm
