#include "tests/support/scenery_scenarios.h"

#include <gtest/gtest.h>

#include "resources/resource.h"
#include "tools/bglwriter/bgl_builder.h"
#include "ui/page_host.h"

namespace fm::testing {
namespace {

constexpr uint32_t kAirportKind = 1, kVorKind = 2;
constexpr uint32_t kRegion = 0x10001, kCountry = 0x20001, kState = 0x30001, kCity = 0x40001,
                   kAirportName = 0x50001;

struct FixtureAirport {
  const char* icao;
  double lat, lon;
};

// One file: the containers (a VOR first, so that airport numbers do not
// start at 1), then one name list of `names` (kind, airport index or -1,
// text).
struct FixtureName {
  uint32_t kind;
  int airport;
  const char* text;
};

std::string AfdFile(const std::vector<FixtureAirport>& airports,
                    const std::vector<FixtureName>& names) {
  bgltest::BglBuilder bgl;
  bgl.Extended({}, 0x200);
  bgltest::AfdWriter afd(bgl);
  afd.BeginContainers();
  afd.BeginContainer(kVorKind);
  afd.EndContainer();
  std::vector<uint32_t> starts;
  for (const FixtureAirport& airport : airports) {
    starts.push_back(afd.BeginContainer(kAirportKind));
    afd.AirportPosition(airport.lat, airport.lon, 20.0);
    afd.Icao(airport.icao);
    afd.Frequency(0x01180000, 1);
    afd.EndContainer();
  }
  afd.EndContainers();
  afd.BeginNameLists();
  afd.BeginNameList(1, static_cast<uint32_t>(names.size()));
  for (const FixtureName& name : names) {
    afd.NameEntry(name.kind, name.airport < 0 ? 0 : starts[name.airport], name.text);
  }
  afd.EndNameList();
  afd.EndNameLists();
  const std::vector<uint8_t> bytes = bgl.Build();
  return std::string(bytes.begin(), bytes.end());
}

}  // namespace

void AddSceneryFixture(FixtureInstallation& installation) {
  installation.AddAfdScenery(
      "AFDEUR.BGL", AfdFile({{"EGLL", 51.47, -0.45}, {"EGKK", 51.15, -0.18}, {"LFPG", 49.0, 2.55}},
                            {{kRegion, -1, "Europe"},
                             {kCountry, -1, "United Kingdom"},
                             {kCity, -1, "London"},
                             {kAirportName, 0, "Heathrow"},
                             {kAirportName, 1, "Gatwick"},
                             {kCountry, -1, "France"},
                             {kCity, -1, "Paris"},
                             {kAirportName, 2, "Charles de Gaulle"}}));
  installation.AddAfdScenery(
      "afdnam.bgl",
      AfdFile({{"KLAX", 33.94, -118.41}, {"KSEA", 47.45, -122.31}, {"EIDW", 53.42, -6.27}},
              {{kRegion, -1, "North America"},
               {kCountry, -1, "United States"},
               {kState, -1, "California"},
               {kCity, -1, "Los Angeles"},
               {kAirportName, 0, "Los Angeles Intl"},
               {kState, -1, "Washington"},
               {kCity, -1, "Seattle"},
               {kAirportName, 1, "Seattle-Tacoma"},
               {kRegion, -1, "Europe"},
               {kCountry, -1, "Ireland"},
               {kCity, -1, "Dublin"},
               {kAirportName, 2, "Dublin"}}));
  installation.WorkFile("air_nat.cfg",
                        "; countries and their airlines\n"
                        "United Kingdom/SPEEDBIRD,SHAMROCK\n"
                        "United States/AMERICAN,UNITED\n"
                        "GLOBAL/SPEEDBIRD\n");
}

std::vector<std::string> FixtureSceneryTree() {
  // Sorted by bytes at every level; the states that the airports lack are
  // not shown, their cities hang under the country.
  return {"Europe",
          "  France",
          "    Paris",
          "      Charles de Gaulle (LFPG)",
          "  Ireland",
          "    Dublin",
          "      Dublin (EIDW)",
          "  United Kingdom",
          "    London",
          "      Gatwick (EGKK)",
          "      Heathrow (EGLL)",
          "North America",
          "  United States",
          "    California",
          "      Los Angeles",
          "        Los Angeles Intl (KLAX)",
          "    Washington",
          "      Seattle",
          "        Seattle-Tacoma (KSEA)"};
}

std::string FixtureSceneryCache() {
  // 2 regions, 4 countries, 5 states, 5 cities, 6 airports.
  return "00000022\r\n 0.70\r\n"
         "1Europe\r\n"
         "2France\r\n3Default\r\n4Paris\r\n5LFPG Charles de Gaulle\r\n"
         "2Ireland\r\n3Default\r\n4Dublin\r\n5EIDW Dublin\r\n"
         "2United Kingdom\r\n3Default\r\n4London\r\n5EGKK Gatwick\r\n5EGLL Heathrow\r\n"
         "1North America\r\n2United States\r\n"
         "3California\r\n4Los Angeles\r\n5KLAX Los Angeles Intl\r\n"
         "3Washington\r\n4Seattle\r\n5KSEA Seattle-Tacoma\r\n";
}

namespace {

// Presses the button, then expects no box, the fixture's tree, the count
// and the buttons that follow a load.
void PressAndExpectTheFixtureTree(WizardDriver& wizard, int button) {
  wizard.PressButton(button);
  wizard.WaitUntilIdle();
  std::string box;
  EXPECT_FALSE(wizard.TakeMessageBox(box, 300)) << box;
  EXPECT_EQ(wizard.TreeLines(IDC_PLACE_TREE), FixtureSceneryTree());
  EXPECT_EQ(wizard.ControlText(IDC_STATUS), "Import completed. 6 airports in 4 countries");
  EXPECT_TRUE(wizard.ControlEnabled(IDC_GENERATE_AIR_NAT));
  EXPECT_EQ(wizard.EnabledButtons(), unsigned{kWizardBack | kWizardNext});
}

}  // namespace

void SceneryImportScenario(WizardDriver& wizard, const FixtureInstallation& installation) {
  ASSERT_EQ(wizard.ActiveDialogId(), IDD_SCENERY);
  EXPECT_EQ(wizard.EnabledButtons(), unsigned{kWizardBack}) << "no airports yet";
  EXPECT_FALSE(wizard.ControlEnabled(IDC_GENERATE_AIR_NAT));

  PressAndExpectTheFixtureTree(wizard, IDC_IMPORT);
  EXPECT_EQ(installation.ReadWorkFile("sccache.txt"), FixtureSceneryCache());
  EXPECT_EQ(installation.ReadWorkFile("temp.sca"), "") << "temp.sca is deleted after each file";
}

void SceneryLoadCachedScenario(WizardDriver& wizard) {
  ASSERT_EQ(wizard.ActiveDialogId(), IDD_SCENERY);
  EXPECT_EQ(wizard.EnabledButtons(), unsigned{kWizardBack});
  EXPECT_TRUE(wizard.TreeLines(IDC_PLACE_TREE).empty());

  PressAndExpectTheFixtureTree(wizard, IDC_LOAD_CACHED);
}

}  // namespace fm::testing
