// Wizard scenarios written once and run against every driver.
#pragma once

#include <string>

#include "tests/support/wizard_driver.h"

namespace fm::testing {

// The read-me as the program carries it: its file, and its text.
std::string ReadMePath();
std::string ReadMeText();

// Opens on the welcome page with Next only and "Read Me", which shows the
// read-me; Next relabels the help button; the aircraft page enables Back
// only; Back relabels it again.
void WelcomeAndHelpScenario(WizardDriver& wizard);

}  // namespace fm::testing
