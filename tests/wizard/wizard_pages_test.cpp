// The wizard through the recording sheet: the whole run and a fresh run
// through the welcome page that loads the cache (the scenarios the real
// shell and fleetmix.exe run too), and the buttons and help each page
// offers as its data comes.
#include <gtest/gtest.h>

#include "resources/resource.h"
#include "tests/support/generate_scenarios.h"
#include "tests/support/recording_wizard_driver.h"
#include "wizard/wizard.h"

namespace fm::testing {
namespace {

TEST(WizardScenarioTest, WholeWizardThenAFreshRunThatLoadsTheCache) {
  FixtureInstallation installation;
  ASSERT_TRUE(installation.IsReady());
  AddGenerateFixture(installation);
  ASSERT_TRUE(installation.PointSystemAtRoot());  // the traffic tools look it up too
  for (bool fresh : {false, true}) {
    CWizard wizard;
    wizard.State().workFolder = installation.WorkFolder();
    RecordingWizardDriver driver(wizard);
    EXPECT_EQ(driver.ActiveHost().Caption(), "AI Traffic Fleetmixer - Version 0.7");
    if (fresh) {
      AFreshRunLoadsTheCache(driver, installation);
    } else {
      WholeWizardScenario(driver, installation);
    }
  }
}

// Each page enables Next once the data it stands for is there and offers
// its help; the generate page offers a disabled Finish until a run, and
// keeps an earlier run's buttons and plans after another import.
TEST(WizardPagesTest, EachPageGoesForwardOnlyOnceItsDataIsLoaded) {
  CWizard wizard;
  RecordingWizardDriver sheet(wizard);
  WizardState& state = wizard.State();
  const std::function<void()> loads[] = {
      [&] { state.aircraftModels.emplace_back(); },
      [&] { state.airportStore.AddAirport("Europe", "France", "", "Paris", "Orly", "LFPO"); },
      [&] {
        state.flightPlans.push_back({"AC#3,N1", "AC#3", {{"EGLL"}, {"LFPG"}}});
      }};
  sheet.Next();
  for (int page = 1; page <= 3; ++page) {
    EXPECT_EQ(sheet.buttonRequests.back(), unsigned{kWizardBack}) << "page " << page;
    EXPECT_NE(sheet.ReadHelp(IDC_HELP_TEXT), "") << "no help on page " << page;
    loads[page - 1]();
    sheet.Back();
    sheet.Next();
    EXPECT_EQ(sheet.Buttons(), unsigned{kWizardBack | kWizardNext}) << "page " << page;
    sheet.Next();
  }
  EXPECT_EQ(sheet.buttonRequests.back(), unsigned{kWizardBack | kWizardDisabledFinish});
  EXPECT_EQ(sheet.ReadHelp(IDC_HELP_TEXT),
            "After new AI plans are generated, double-click aircraft to view the flights it will "
            "now perform.");

  wizard.Generate().newPlanLines = {"AC#3,N1"};  // an earlier run, then another import
  sheet.Back();
  state.flightPlans = {{"AC#2,y", "AC#2", {}}};
  sheet.Next();
  EXPECT_EQ(sheet.buttonRequests.back(), unsigned{kWizardNext | kWizardFinish});
  EXPECT_EQ(wizard.Generate().newPlanLines, std::vector<std::string>{"AC#3,N1"});
}

}  // namespace
}  // namespace fm::testing
