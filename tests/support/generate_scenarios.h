// The whole wizard written once for every driver: aircraft, airports and
// traffic imported through the real embedded programs, the redistribution,
// then save and compile with the embedded traffic compiler, and Finish.
#pragma once

#include <functional>

#include "tests/support/fixture_installation.h"
#include "tests/support/wizard_driver.h"

namespace fm::testing {

// The aircraft and airport fixtures of the other scenarios, an air_nat.cfg
// that lets one flight find its airline by country and one only by GLOBAL,
// and a traffic of four plans (one of an aircraft no category claims).
void AddGenerateFixture(FixtureInstallation& installation);

// From the welcome page to Finish: the three imports, "Generate" with
// Evenly (report, boxes, list, status), "Save && Compile" answered OK (the
// two text files and the new TRAFFIC.BGL), then Finish, which writes
// nothing more. `afterGenerate` runs once the run's list is shown (a
// caller may take a picture).
void WholeWizardScenario(WizardDriver& wizard, FixtureInstallation& installation,
                         const std::function<void()>& afterGenerate = {});

}  // namespace fm::testing
