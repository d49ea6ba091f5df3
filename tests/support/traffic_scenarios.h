// The traffic import written once for every wizard driver (implemented with
// the whole wizard in wizard_scenarios.cpp).
#pragma once

#include "geo/airport_store.h"
#include "tests/support/fixture_installation.h"
#include "tests/support/wizard_driver.h"

namespace fm::testing {

// Installs the scenario's traffic as TRAFFIC.BGL, packed as the project's
// traffic tools pack it: three aircraft and three plans of two legs, whose
// legs end three times at EGLL, twice at LFPG and once at ZZZZ.
void InstallScenarioTraffic(FixtureInstallation& installation);

// Puts EGLL and LFPG (not ZZZZ) into the store, with a region, so the
// scenery page lets the wizard go on.
void AddScenarioAirports(AirportStore& store);

// On the traffic page of a wizard whose FS2002 installation holds the
// scenario traffic and whose working folder is empty: "Hide Compiler" is
// checked, only Back is enabled; "Import" runs the embedded decompiler,
// fills the list, says how much it loaded, enables Next and shows the
// backup box; a second import (of a changed traffic.bgl) shows no box and
// the backup keeps the first traffic.
void TrafficImportScenario(WizardDriver& wizard, FixtureInstallation& installation,
                           bool storeKnowsAirports);

}  // namespace fm::testing
