// The wizard through the recording sheet: the whole run and a fresh run
// through the welcome page that loads the cache (the scenarios the real
// shell and fleetmix.exe run too, here with the trees' and lists' texts,
// and a run of the generate page kept through another import).
#include <gtest/gtest.h>

#include "resources/resource.h"
#include "tests/support/generate_scenarios.h"
#include "tests/support/recording_wizard_driver.h"
#include "wizard/wizard.h"

namespace fm::testing {
namespace {

using Lines = std::vector<std::string>;

TEST(WizardScenarioTest, WholeWizardThenAFreshRunThatLoadsTheCache) {
  FixtureInstallation installation;
  ASSERT_TRUE(installation.IsReady());
  AddGenerateFixture(installation);
  ASSERT_TRUE(installation.PointSystemAtRoot());  // the traffic tools look it up too
  const std::string cfg = installation.RootPath("AIRCRAFT/B737/aircraft.cfg");
  for (bool fresh : {false, true}) {
    CWizard wizard;
    wizard.State().workFolder = installation.WorkFolder();
    RecordingWizardDriver driver(wizard);
    if (fresh) {
      AFreshRunLoadsTheCache(driver, installation);
      EXPECT_EQ(driver.TreeLines(IDC_PLACE_TREE), FixtureSceneryTree()) << "the cache's tree";
      continue;
    }
    // The tree and list texts the real shell is not asked for; the imported
    // scenery tree is compared by the scenery page's tests.
    WholeWizardScenario(driver, installation, [&](const std::string& page) {
      if (page == "generate") {
        // Another import keeps the run: Next and Finish are offered again,
        // and "Save && Compile" then installs the run's plans.
        driver.Back();
        driver.PressButton(IDC_IMPORT);
        driver.Next();
        EXPECT_EQ(driver.buttonRequests.back(), unsigned{kWizardNext | kWizardFinish});
      }
      if (page != "aircraft") return;
      // Folders in listing order (a320, B737, C172), paths in order of first
      // appearance; the 737-800 is selected.
      EXPECT_EQ(driver.TreeLines(IDC_AIRCRAFT_TREE),
                (Lines{"Airliner", "  Airbus", "    A320", "  Boeing", "    737-800", "Light",
                       "  Cessna", "    172 Skyhawk"}));
      EXPECT_EQ(driver.ListRows(IDC_AIRCRAFT_LIST),
                (std::vector<Lines>{
                    {"Lufthansa", "LUFTHANSA", "D-ABCD", "Boeing 737-800 Lufthansa", cfg},
                    {"British Airways", "Speed Bird", "G-ABCD", "Boeing 737-800 Speedbird", cfg}}));
    });
  }
}

}  // namespace
}  // namespace fm::testing
