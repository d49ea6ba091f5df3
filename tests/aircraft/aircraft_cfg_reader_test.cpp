// The aircraft.cfg reader, its key/value splitter and the folder scan, over
// the shapes real aircraft.cfg files take.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "aircraft/aircraft_cfg_reader.h"
#include "aircraft/aircraft_scan.h"
#include "platform/file_system.h"
#include "tests/support/fixture_installation.h"

namespace fm {
namespace {

using testing::FixtureInstallation;

// The key and value of a line as "key|value", "-" when it has none.
TEST(SplitKeyValueTest, Cases) {
  const std::pair<const char*, const char*> cases[] = {
      {"  ui_type =  737-800  ", "ui_type|737-800"},
      {"atc_airline=A;B", "atc_airline|A;B"},
      {"texture=http://example", "texture|http:"},
      {"x", "-"},
      {"  ;title=commented", "-"},
  };
  for (const auto& [line, split] : cases) {
    std::string_view key, value;
    const bool found = SplitKeyValue(line, key, value);
    EXPECT_EQ(found ? std::string(key) + "|" + std::string(value) : "-", split) << line;
  }
}

// A model as text: "type|model" then one line per variation in title order,
// "title: airline|id|manufacturer|type|variation".
std::string Describe(const AircraftModel& model) {
  std::string text = model.atcType + "|" + model.atcModel;
  for (const auto& [title, v] : model.variations) {
    text += "\n" + title + ": " + v.atcAirline + "|" + v.atcId + "|" + v.uiManufacturer + "|" +
            v.uiType + "|" + v.uiVariation;
  }
  return text;
}

// Reads the bytes as AIRCRAFT/X/aircraft.cfg of a fresh installation.
std::string ReadCfg(std::string_view bytes) {
  FixtureInstallation installation;
  installation.AddRootFile("AIRCRAFT/X/aircraft.cfg", bytes);
  AircraftModelList models;
  EXPECT_TRUE(ReadAircraftCfg(installation.RootPath("AIRCRAFT/X"), AircraftCategories(), models));
  return models.size() == 1 ? Describe(models.front()) : std::to_string(models.size()) + " models";
}

TEST(ReadAircraftCfgTest, Cases) {
  const struct {
    const char* name;
    std::string bytes;
    const char* model;
  } cases[] = {
      {"five values carry into the next section, the title does not",
       "[General]\natc_type=Boeing\natc_model=737\n"
       "[fltsim.0]\ntitle=AB\natc_airline=X\natc_id=N1\nui_manufacturer=M\nui_type=T\n"
       "ui_variation=V\n[fltsim.1]\ntitle=CD\n[fltsim.2]\natc_airline=Y\n",
       "Boeing|737\nAB: X|N1|M|T|V\nCD: X|N1|M|T|V"},
      {"the first of two sections of one title stays",
       "[fltsim.0]\ntitle=AB\natc_airline=First\n[fltsim.1]\ntitle=AB\natc_airline=Second\n",
       "|\nAB: First||||"},
      {"a title of one character is not stored",
       "[fltsim.0]\ntitle=A\natc_airline=X\n[fltsim.1]\ntitle=BC\n", "|\nBC: X||||"},
      {"keys in any case, values as written",
       "[FLTSIM.12]\nTitle = Boeing 737\n[Fltsim.13]\nTITLE=boeing 737\nAtc_Airline=sPeEd\n",
       "|\nBoeing 737: ||||\nboeing 737: sPeEd||||"},
      {"a UTF-8 byte-order mark before the first header", "\xEF\xBB\xBF[fltsim.0]\r\ntitle=AB\r\n",
       "|\nAB: ||||"},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadCfg(c.bytes), c.model) << c.name;
}

// An aircraft.cfg is found in any case of its name; a folder of that name,
// the file in AIRCRAFT itself and one in a sub-folder of an aircraft
// folder give nothing. Listing order and classification are the whole
// wizard's.
TEST(ScanAircraftFoldersTest, ReadsTheFileOfEachAircraftFolderOnly) {
  FixtureInstallation installation;
  installation.AddRootFile("AIRCRAFT/D/Aircraft.CFG", "[fltsim.0]\r\ntitle=Dd\r\n");
  ASSERT_TRUE(MakeDirectories(installation.RootPath("AIRCRAFT/Ab/aircraft.cfg")));
  installation.AddRootFile("AIRCRAFT/aircraft.cfg", "[fltsim.0]\r\ntitle=Root\r\n");
  installation.AddRootFile("AIRCRAFT/E/texture/aircraft.cfg", "[fltsim.0]\r\ntitle=Sub\r\n");
  AircraftModelList models;
  ScanAircraftFolders(installation.RootPath("AIRCRAFT"), AircraftCategories(), models);
  ASSERT_EQ(models.size(), 1u);
  EXPECT_EQ(Describe(models.front()), "|\nDd: ||||");
}

}  // namespace
}  // namespace fm
