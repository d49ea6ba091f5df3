// air_class.cfg and the two classifications it gives: installed aircraft by
// ATC type and model, traffic aircraft by title.
#include <gtest/gtest.h>

#include <string>
#include <vector>

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

// The table as text: "[name] model patterns | title patterns", in order.
std::vector<std::string> Describe(const AircraftCategories& categories) {
  std::vector<std::string> lines;
  for (const auto& [name, category] : categories) {
    std::string line = "[" + name + "]";
    for (const std::string& p : category.modelPatterns) line += " (" + p + ")";
    line += " |";
    for (const std::string& p : category.titlePatterns) line += " (" + p + ")";
    lines.push_back(line);
  }
  return lines;
}

TEST(LoadCategoriesTest, Cases) {
  const struct {
    const char* name;
    const char* text;
    std::vector<std::string> table;
  } cases[] = {
      {"comments, blanks around lines, a bracket line of two strings, a name given twice",
       "; comment\n\n[Airliner]\n  737  \n\t;737-800\n<\"Boeing 737\" \"B737\">\n[Prop]\nDash\n"
       "[Airliner]\nA320\n",
       {"[Airliner] (737) (A320) | (B737) (Boeing 737)", "[Prop] (Dash) |"}},
      {"the header name skips the first character, whatever it is",
       "(Heavy]\nB747\nx]y\nz\n",
       {"[] (z) |", "[Heavy] (B747) |"}},
      {"an unpaired last quote and text outside the pairs are ignored",
       "[Jet]\n<before \"a\" between \"b\" after \"c>\"d\"\n",
       {"[Jet] | (a) (b)"}},
  };
  for (const auto& c : cases) EXPECT_EQ(Describe(Load(c.text)), c.table) << c.name;
}

TEST(ClassifyTest, ModelsAndTitles) {
  const AircraftCategories categories = Load(
      "[Airliner]\n737\n<\"Boeing 737\" \"B737\">\n[Heavy]\nng 74\n[Jet]\n7\n[X]\ncessna\n"
      "[Zeppelin]\ncessna\nLZ\n[]\npiper\n[Prop]\npiper\n");
  const struct {
    const char* atcType;
    const char* atcModel;
    const char* category;
  } models[] = {
      {"Boeing", "737-800", "Airliner"},
      {"Boeing", "757", "Jet"},        // only "7" of Jet matches; Airliner sorts first
      {"Boeing", "747", "Heavy"},      // "NG 74" spans the blank between type and model
      {"boeing", "b737", "Airliner"},  // both sides upper-cased
      {"Cessna", "C152", "Unknown"},   // hit in the one-character [X]; [Zeppelin] not tried
      {"Piper", "Cub", "Prop"},        // a hit in the nameless category does not stop
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
      {categories, "boeing 737-800", ""},  // titles compare case-sensitively
      {categories, "Cessna 172", ""},      // plain lines never match titles
      // An empty pattern claims what the categories before it left.
      {withEmpty, "Boeing 737-800", "Airliner"},
      {withEmpty, "Boeing 747", "Any"},
  };
  for (const auto& c : titles)
    EXPECT_EQ(c.table.ClassifyTrafficTitle(c.title), c.category) << c.title;
}

}  // namespace
}  // namespace fm
