#include "tests/support/aircraft_scenarios.h"

#include <gtest/gtest.h>

#include "platform/file_paths.h"
#include "platform/file_text.h"
#include "resources/resource.h"
#include "ui/page_host.h"

namespace fm::testing {
namespace {

std::string CfgPath(const FixtureInstallation& installation, const char* folder) {
  return JoinPath(JoinPath(JoinPath(installation.Root(), "AIRCRAFT"), folder), "aircraft.cfg");
}

}  // namespace

void AddScenarioAircraft(FixtureInstallation& installation) {
  installation.WorkFile("air_class.cfg",
                        "; categories of interchangeable aircraft\n"
                        "[Airliner]\n"
                        "737\n"
                        "A320\n"
                        "<\"Boeing 737\" \"Airbus A320\">\n"
                        "[Light]\n"
                        "C172\n");
  installation.AddAircraft("B737",
                           "[General]\n"
                           "atc_type=Boeing\n"
                           "atc_model=737-800\n"
                           "[fltsim.0]\n"
                           "title=Boeing 737-800 Speedbird\n"
                           "ui_manufacturer=Boeing\n"
                           "ui_type=737-800\n"
                           "ui_variation=British Airways\n"
                           "atc_airline=Speed Bird\n"
                           "atc_id=G-ABCD\n"
                           "[fltsim.1]\n"
                           "title=Boeing 737-800 Lufthansa\n"
                           "ui_variation=Lufthansa\n"
                           "atc_airline=LUFTHANSA\n"
                           "atc_id=D-ABCD\n");
  installation.AddAircraft("a320",
                           "[fltsim.0]\n"
                           "title=Airbus A320 Lufthansa\n"
                           "ui_manufacturer=Airbus\n"
                           "ui_type=A320\n"
                           "ui_variation=Lufthansa\n"
                           "atc_airline=Lufthansa\n"
                           "[General]\n"
                           "atc_type=Airbus\n"
                           "atc_model=A320\n");
  installation.AddAircraft("C172",
                           "[General]\n"
                           "atc_type=Cessna\n"
                           "atc_model=C172\n"
                           "[fltsim.0]\n"
                           "title=Cessna Skyhawk\n"
                           "ui_manufacturer=Cessna\n"
                           "ui_type=172 Skyhawk\n"
                           "ui_variation=White\n");
}

void AircraftImportScenario(WizardDriver& wizard, const FixtureInstallation& installation) {
  ASSERT_EQ(wizard.ActiveDialogId(), IDD_WELCOME);
  wizard.Next();
  ASSERT_EQ(wizard.ActiveDialogId(), IDD_AIRCRAFT);
  EXPECT_EQ(wizard.EnabledButtons(), unsigned{kWizardBack});
  EXPECT_FALSE(wizard.ControlEnabled(IDC_GENERATE_AIRLINES)) << "no import yet";
  EXPECT_FALSE(wizard.ControlEnabled(IDC_AIRCRAFT_LIST));

  wizard.PressButton(IDC_IMPORT_AIRCRAFT);
  std::string box;
  ASSERT_TRUE(wizard.TakeMessageBox(box));
  // Airlines Speed Bird, LUFTHANSA, Lufthansa and the Cessna's empty one;
  // models Boeing 737-800, Airbus A320, Cessna C172; variations British
  // Airways, Lufthansa (twice), White.
  EXPECT_EQ(box, "Import succeeded. 4 airlines, 3 models, 3 variations.");
  wizard.WaitUntilIdle();
  EXPECT_EQ(wizard.EnabledButtons(), unsigned{kWizardBack | kWizardNext});
  EXPECT_TRUE(wizard.ControlEnabled(IDC_GENERATE_AIRLINES));

  // Folders in listing order (a320, B737, C172), paths in order of first
  // appearance.
  const std::vector<std::string> tree = {"Airliner",    "  Airbus", "    A320", "  Boeing",
                                         "    737-800", "Light",    "  Cessna", "    172 Skyhawk"};
  EXPECT_EQ(wizard.TreeLines(IDC_AIRCRAFT_TREE), tree);

  ASSERT_TRUE(wizard.SelectTreePath(IDC_AIRCRAFT_TREE, {"Airliner", "Boeing"}));
  EXPECT_TRUE(wizard.ListRows(IDC_AIRCRAFT_LIST).empty());
  EXPECT_FALSE(wizard.ControlEnabled(IDC_AIRCRAFT_LIST)) << "a manufacturer is no type";

  ASSERT_TRUE(wizard.SelectTreePath(IDC_AIRCRAFT_TREE, {"Airliner", "Boeing", "737-800"}));
  EXPECT_TRUE(wizard.ControlEnabled(IDC_AIRCRAFT_LIST));
  const std::string cfg = CfgPath(installation, "B737");
  const std::vector<std::vector<std::string>> rows = {
      {"Lufthansa", "LUFTHANSA", "D-ABCD", "Boeing 737-800 Lufthansa", cfg},
      {"British Airways", "Speed Bird", "G-ABCD", "Boeing 737-800 Speedbird", cfg}};
  EXPECT_EQ(wizard.ListRows(IDC_AIRCRAFT_LIST), rows);
  EXPECT_TRUE(wizard.ListRowChecked(IDC_AIRCRAFT_LIST, 0));
  EXPECT_TRUE(wizard.ListRowChecked(IDC_AIRCRAFT_LIST, 1));

  // A cleared box stays cleared when the type is shown again.
  wizard.SetListRowChecked(IDC_AIRCRAFT_LIST, 0, false);
  ASSERT_TRUE(wizard.SelectTreePath(IDC_AIRCRAFT_TREE, {"Light", "Cessna", "172 Skyhawk"}));
  EXPECT_EQ(wizard.ListRows(IDC_AIRCRAFT_LIST).size(), 1u);
  ASSERT_TRUE(wizard.SelectTreePath(IDC_AIRCRAFT_TREE, {"Airliner", "Boeing", "737-800"}));
  EXPECT_FALSE(wizard.ListRowChecked(IDC_AIRCRAFT_LIST, 0));
  EXPECT_TRUE(wizard.ListRowChecked(IDC_AIRCRAFT_LIST, 1));

  // Every callsign but the empty one, the unchecked variation's included,
  // upper case first.
  wizard.PressButton(IDC_GENERATE_AIRLINES);
  ASSERT_TRUE(wizard.TakeMessageBox(box));
  EXPECT_EQ(box, "airlines.cfg updated successfully.");
  wizard.WaitUntilIdle();
  std::string written;
  EXPECT_TRUE(ReadFileBytes(installation.RootPath("AIRCRAFT/airlines.cfg"), written));
  EXPECT_EQ(written, "LUFTHANSA\r\nLufthansa\r\nSpeed Bird\r\n");
}

}  // namespace fm::testing
