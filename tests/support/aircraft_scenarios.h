// The aircraft page scenario, written once for every wizard driver: a small
// installation of three aircraft folders and an air_class.cfg, imported,
// browsed, one check box cleared, and airlines.cfg written.
#pragma once

#include <string>

#include "tests/support/fixture_installation.h"
#include "tests/support/wizard_driver.h"

namespace fm::testing {

// Writes the scenario's air_class.cfg into the working folder and its three
// aircraft folders below AIRCRAFT.
void AddScenarioAircraft(FixtureInstallation& installation);

// From the welcome page of a wizard whose FS2002 root and working folder are
// the installation's: Next, "Import Aircraft", its box, the tree, the rows
// of one type, a check box cleared, "Generate airlines.cfg", its box and
// the file. Ends on the aircraft page with the rows of Airliner / Boeing /
// 737-800 shown (the caller may take a picture, then cancels).
void AircraftImportScenario(WizardDriver& wizard, const FixtureInstallation& installation);

}  // namespace fm::testing
