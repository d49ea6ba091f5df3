// The aircraft.cfg reader, its key/value splitter, the folder scan and the
// import's three counts, over the shapes real aircraft.cfg files take.
#include <gtest/gtest.h>

#include <cstdio>

#include <string>
#include <vector>

#include "aircraft/aircraft_cfg_reader.h"
#include "aircraft/aircraft_scan.h"
#include "platform/file_paths.h"
#include "platform/file_system.h"
#include "tests/support/fixture_installation.h"

namespace fm {
namespace {

using testing::FixtureInstallation;

struct SplitCase {
  const char* line;
  bool found;
  const char* key;
  const char* value;
};

TEST(SplitKeyValueTest, Cases) {
  const SplitCase cases[] = {
      {"  ui_type =  737-800  ", true, "ui_type", "737-800"},
      {"title\t\t=\tBoeing 737\t", true, "title", "Boeing 737"},
      {"atc_airline = Speed Bird // callsign", true, "atc_airline", "Speed Bird"},
      {"atc_airline=A;B", true, "atc_airline", "A;B"},
      {"atc_airline=", true, "atc_airline", ""},
      {"atc_id=//only a comment", true, "atc_id", ""},
      {"=v", true, "", "v"},
      {"texture=http://example", true, "texture", "http:"},
      {"x", false, "", ""},
      {"  ;title=commented", false, "", ""},
      {"no pair here", false, "", ""},
  };
  for (const SplitCase& c : cases) {
    std::string_view key, value;
    EXPECT_EQ(SplitKeyValue(c.line, key, value), c.found) << c.line;
    if (!c.found) continue;
    EXPECT_EQ(key, c.key) << c.line;
    EXPECT_EQ(value, c.value) << c.line;
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
  if (!installation.IsReady()) return "no fixture";
  installation.AddRootFile("AIRCRAFT/X/aircraft.cfg", bytes);
  AircraftModelList models;
  AircraftCategories categories;
  const std::string folder = installation.RootPath("AIRCRAFT/X");
  if (!ReadAircraftCfg(folder, categories, models)) return "not read";
  if (models.size() != 1) return "models: " + std::to_string(models.size());
  if (models.front().category != "Unknown") return "category " + models.front().category;
  for (const auto& [title, v] : models.front().variations) {
    if (v.cfgPath != JoinPath(folder, "aircraft.cfg") || !v.useForAi) return "bad " + title;
  }
  return Describe(models.front());
}

struct ReadCase {
  const char* name;
  std::string bytes;
  const char* model;
};

TEST(ReadAircraftCfgTest, Cases) {
  const ReadCase cases[] = {
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
      {"comment and one-character lines are skipped inside a section",
       "[fltsim.0]\ntitle=AB\n;atc_airline=No\n//atc_airline=No\n[\natc_airline=Z\n",
       "|\nAB: Z||||"},
      {"a section without FLTSIM or GENERAL is not read",
       "[WEIGHT_AND_BALANCE]\natc_model=B737\ntitle=XY\n", "|"},
      {"a header with GENERAL anywhere is read",
       "[WEIGHT_AND_BALANCE]\natc_model=B737\n[GeneralEngineData]\natc_model=A320\n", "|A320"},
      {"a line with GENERAL enables the lines after it, not itself",
       "[WEIGHT_AND_BALANCE]\natc_type=GENERAL\natc_model=M1\n", "|M1"},
      {"a word cut short at the line's end does not enable",
       "[WEIGHT_AND_BALANCE]\nnote=Fltsi\natc_model=M1\nnote=genera\natc_model=M2\n", "|"},
      {"a comment naming fltsim does not enable",
       "[WEIGHT_AND_BALANCE]\n// fltsim notes\natc_model=M1\n", "|"},
      {"no airline before the variation gives an empty one",
       "[fltsim.0]\ntitle=AB\n[fltsim.1]\ntitle=CD\natc_airline=X\n", "|\nAB: ||||\nCD: X||||"},
      {"an empty value replaces the earlier one",
       "[fltsim.0]\ntitle=AB\natc_airline=X\n[fltsim.1]\ntitle=CD\natc_airline=\n",
       "|\nAB: X||||\nCD: ||||"},
      {"atc_model in [General] and in a [fltsim.N] section: the last one read",
       "[General]\natc_model=737\n[fltsim.0]\ntitle=AB\natc_model=738\n", "|738\nAB: ||||"},
      {"a title in [General] is taken", "[General]\ntitle=AB\natc_airline=NONE\n",
       "|\nAB: NONE||||"},
      {"banners before the first section, a comment after its header",
       "// ===========\n// My aircraft\n// ===========\n[fltsim.0] // first paint\ntitle=AB\n",
       "|\nAB: ||||"},
      {"sections after many flight-model sections",
       "[fltsim.0]\ntitle=AB\n[airplane_geometry]\nwing_area=1\n[flaps.0]\ntype=1\n"
       "[contact_points]\npoint.0=1\n[engines]\nnumber=2\n[fltsim.1]\ntitle=CD\n"
       "atc_airline=Late\n",
       "|\nAB: ||||\nCD: Late||||"},
      {"mixed CR LF and LF, no line end on the last line",
       "[fltsim.0]\r\ntitle=AB\natc_airline=X\r\natc_id=N1", "|\nAB: X|N1|||"},
      {"Latin-1 bytes kept as they are",
       "[fltsim.0]\ntitle=Caf\xE9 Air\natc_airline=A\xC9ROPOSTALE\n",
       "|\nCaf\xE9 Air: A\xC9ROPOSTALE||||"},
      // The byte-order mark keeps the first line from being a header, but
      // FLTSIM in it still starts the reading.
      {"a UTF-8 byte-order mark before the first header", "\xEF\xBB\xBF[fltsim.0]\r\ntitle=AB\r\n",
       "|\nAB: ||||"},
  };
  for (const ReadCase& c : cases) EXPECT_EQ(ReadCfg(c.bytes), c.model) << c.name;
}

TEST(ReadAircraftCfgTest, HostileFilesLoadWithoutHarm) {
  // One line of 10 MB inside a section, and 10 MB without any line end.
  const std::string longTitle(10 << 20, 'T');
  EXPECT_EQ(ReadCfg("[fltsim.0]\ntitle=" + longTitle + "\n"), "|\n" + longTitle + ": ||||");
  EXPECT_EQ(ReadCfg(std::string(10 << 20, '[')), "|");

  // Bytes of every value, many CRs and NULs among them.
  std::string binary;
  unsigned seed = 12345;
  for (int i = 0; i < (1 << 20); ++i) {
    seed = seed * 1103515245u + 12345u;
    binary += static_cast<char>(seed >> 16);
  }
  EXPECT_NE(ReadCfg(binary), "not read");
}

TEST(ReadAircraftCfgTest, AFailedReadAddsNothingAndTheNextFileReads) {
  FixtureInstallation installation;
  ASSERT_TRUE(installation.IsReady());
  // More than one read's worth, so the second read can fail.
  installation.AddAircraft("A", "[fltsim.0]\ntitle=AB\n" + std::string(200000, ';') + "\n");
  installation.AddAircraft("B", "[fltsim.0]\ntitle=CD\n");
  int reads = 0;
  AircraftCfgReader reader([&](std::FILE* file, char* buffer, size_t size) -> std::ptrdiff_t {
    if (++reads == 2) return -1;
    return static_cast<std::ptrdiff_t>(std::fread(buffer, 1, size, file));
  });
  AircraftModelList models;
  EXPECT_FALSE(reader.Read(installation.RootPath("AIRCRAFT/A"), {}, models));
  EXPECT_TRUE(models.empty());
  EXPECT_TRUE(reader.Read(installation.RootPath("AIRCRAFT/B"), {}, models));
  ASSERT_EQ(models.size(), 1u);
  EXPECT_EQ(Describe(models.front()), "|\nCD: ||||");
}

// The folders of a scan, each with the title it gave.
std::vector<std::string> ScannedTitles(const FixtureInstallation& installation) {
  AircraftModelList models;
  AircraftCategories categories;
  categories.AddConfigLine("[Jet]");
  categories.AddConfigLine("737");
  ScanAircraftFolders(installation.RootPath("AIRCRAFT"), categories, models);
  std::vector<std::string> titles;
  for (const AircraftModel& model : models) {
    titles.push_back((model.variations.empty() ? "-" : model.variations.begin()->first) + " " +
                     model.category);
  }
  return titles;
}

// Every folder once, in listing order; a folder named aircraft.cfg, a file
// in AIRCRAFT, a folder without aircraft.cfg and a sub-folder of an
// aircraft folder give nothing, and neither does a missing AIRCRAFT.
TEST(ScanAircraftFoldersTest, VisitsEveryFolderOnceInListingOrder) {
  FixtureInstallation installation;
  ASSERT_TRUE(installation.IsReady());
  EXPECT_TRUE(ScannedTitles(installation).empty());
  installation.AddAircraft("b", "[fltsim.0]\ntitle=Bb\n[General]\natc_model=737");
  installation.AddAircraft("A", "[fltsim.0]\ntitle=Aa\n");
  installation.AddAircraft("C", "[General]\natc_type=none\n");
  installation.AddRootFile("AIRCRAFT/D/Aircraft.CFG", "[fltsim.0]\r\ntitle=Dd\r\n");
  ASSERT_TRUE(MakeDirectories(installation.RootPath("AIRCRAFT/Ab/aircraft.cfg")));
  installation.AddRootFile("AIRCRAFT/aircraft.cfg", "[fltsim.0]\r\ntitle=Root\r\n");
  installation.AddRootFile("AIRCRAFT/E/texture/aircraft.cfg", "[fltsim.0]\r\ntitle=Sub\r\n");
  const std::vector<std::string> expected = {"Aa Unknown", "Bb Jet", "- Unknown", "Dd Unknown"};
  EXPECT_EQ(ScannedTitles(installation), expected);

  ASSERT_TRUE(RemoveTree(installation.RootPath("AIRCRAFT")));
  EXPECT_TRUE(ScannedTitles(installation).empty());
}

TEST(CountCatalogueTest, DistinctTexts) {
  AircraftModelList models;
  auto add = [&](const char* type, const char* model,
                 std::vector<std::pair<const char*, const char*>> airlineAndVariation) {
    AircraftModel& m = models.emplace_back();
    m.atcType = type;
    m.atcModel = model;
    for (const auto& [airline, variation] : airlineAndVariation) {
      InstalledAircraft& v = m.variations["Title " + std::to_string(m.variations.size())];
      v.atcAirline = airline;
      v.uiVariation = variation;
    }
  };
  add("Boeing", "737", {{"Speed Bird", "House"}, {"", "House"}});
  add("Boeing", "737", {{"SPEED BIRD", "house"}});
  add("BOEING", "737", {});  // no variation: a model all the same
  add("A B", "C", {});
  add("A", "B C", {});
  const CatalogueCounts counts = CountCatalogue(models);
  EXPECT_EQ(counts.airlines, 3);    // Speed Bird, SPEED BIRD and the empty one
  EXPECT_EQ(counts.models, 3);      // Boeing 737, BOEING 737, A B C
  EXPECT_EQ(counts.variations, 2);  // House, house
}

}  // namespace
}  // namespace fm
