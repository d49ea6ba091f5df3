// Wizard scenarios written once and run against every driver.
#pragma once

#include <string>

#include "tests/support/wizard_driver.h"

namespace fm::testing {

// The read-me text as the program carries it.
std::string ReadMeText();

// Opens on the welcome page with Next only and "Read Me", which shows the
// read-me; Next relabels the help button; the aircraft page enables Back
// only; Back relabels it again.
void WelcomeAndHelpScenario(WizardDriver& wizard);

}  // namespace fm::testing
