// The shared wizard scenarios on the recording sheet (the same scenarios run
// against the real shell under Wine).
#include <gtest/gtest.h>

#include "tests/support/recording_wizard_driver.h"
#include "tests/support/wizard_scenarios.h"

namespace fm::testing {
namespace {

TEST(WizardScenarioTest, WelcomeAndHelp) {
  CWizard wizard;
  RecordingWizardDriver driver(wizard);
  WelcomeAndHelpScenario(driver);
}

}  // namespace
}  // namespace fm::testing
