// The aircraft page through the recording sheet, on the path the whole
// wizard does not take: a repeated import. The tree, the list rows and
// airlines.cfg are the whole wizard's; a failed airlines.cfg the fault
// table's; a missing air_class.cfg fleetmix-cli's (cli-demo-run.sh).
#include <gtest/gtest.h>

#include "resources/resource.h"
#include "tests/support/fake_os.h"
#include "tests/support/generate_scenarios.h"
#include "tests/support/recording_wizard_driver.h"

namespace fm::testing {
namespace {

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
  const std::vector<std::string> tree = driver.TreeLines(IDC_AIRCRAFT_TREE);
  // A cleared box clears the variation's useForAi; the next import sets
  // every one again, empties the list and keeps the tree.
  ASSERT_TRUE(driver.SelectTreePath(IDC_AIRCRAFT_TREE, {"Airliner", "Boeing", "737-800"}));
  driver.SetListRowChecked(IDC_AIRCRAFT_LIST, 0, false);
  const std::string kTitle = "Boeing 737-800 Lufthansa";
  // The models in listing order: a320, B737, C172.
  auto usedForAi = [&] {
    return std::next(wizard.State().aircraftModels.begin())->variations.at(kTitle).useForAi;
  };
  EXPECT_FALSE(usedForAi());
  driver.PressButton(IDC_IMPORT_AIRCRAFT);
  EXPECT_FALSE(driver.Sheet().ActiveHost().IsControlEnabled(IDC_AIRCRAFT_LIST));
  EXPECT_TRUE(usedForAi());
  EXPECT_EQ(driver.TreeLines(IDC_AIRCRAFT_TREE), tree);
}

}  // namespace
}  // namespace fm::testing
