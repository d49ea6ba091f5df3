// The aircraft page through the recording sheet, on the paths the whole
// wizard does not take: a repeated import and the category of a type.
// Writing airlines.cfg is the whole wizard's and the fault table's; a
// missing air_class.cfg is fleetmix-cli's (cli-demo-run.sh runs this page).
#include <gtest/gtest.h>

#include "resources/resource.h"
#include "tests/support/fake_os.h"
#include "tests/support/generate_scenarios.h"
#include "tests/support/recording_wizard_driver.h"

namespace fm::testing {
namespace {

// After an import a second one checks every row again, keeps the tree and
// lists a type by its category.
TEST(AircraftPageTest, ASecondImport) {
  FixtureInstallation installation;
  ScopedFakeOs os;
  os.SetFsRoot(installation.Root());
  CWizard wizard;
  wizard.State().workFolder = installation.WorkFolder();
  RecordingWizardDriver driver{wizard};
  driver.Next();
  AddScenarioAircraft(installation);
  driver.PressButton(IDC_IMPORT_AIRCRAFT);
  RecordingHost& page = driver.Sheet().ActiveHost();
  const std::vector<std::string> tree = driver.TreeLines(IDC_AIRCRAFT_TREE);
  // A cleared box clears the variation's useForAi; the next import sets
  // every one again, empties the list and appends only new tree paths.
  ASSERT_TRUE(driver.SelectTreePath(IDC_AIRCRAFT_TREE, {"Airliner", "Boeing", "737-800"}));
  driver.SetListRowChecked(IDC_AIRCRAFT_LIST, 0, false);
  const std::string kTitle = "Boeing 737-800 Lufthansa";
  auto usedForAi = [&] {
    for (const AircraftModel& model : wizard.State().aircraftModels)
      if (model.variations.count(kTitle)) return model.variations.at(kTitle).useForAi;
    return false;
  };
  EXPECT_FALSE(usedForAi());
  // A type of another category under the same names lists only its own
  // variations; a model without variations makes no tree item.
  installation.AddAircraft("Z",
                           "[General]\natc_type=Zlin\n[fltsim.0]\ntitle=Zlin Trainer\n"
                           "ui_manufacturer=Boeing\nui_type=737-800\n");
  installation.AddAircraft("Empty", "[General]\natc_type=Jet\natc_model=Empty\n");
  driver.PressButton(IDC_IMPORT_AIRCRAFT);
  EXPECT_FALSE(page.IsControlEnabled(IDC_AIRCRAFT_LIST));
  EXPECT_TRUE(usedForAi());
  EXPECT_EQ(driver.Sheet().boxes.back().text,
            "Import succeeded. 4 airlines, 5 models, 4 variations.");
  std::vector<std::string> grown = tree;
  grown.insert(grown.end(), {"Unknown", "  Boeing", "    737-800"});
  EXPECT_EQ(driver.TreeLines(IDC_AIRCRAFT_TREE), grown);
  ASSERT_TRUE(driver.SelectTreePath(IDC_AIRCRAFT_TREE, {"Unknown", "Boeing", "737-800"}));
  EXPECT_EQ(driver.ListRows(IDC_AIRCRAFT_LIST),
            (std::vector<std::vector<std::string>>{
                {"", "", "", "Zlin Trainer", installation.RootPath("AIRCRAFT/Z/aircraft.cfg")}}));
}

}  // namespace
}  // namespace fm::testing
