// The scenario traffic and airports, shared by the traffic page, the
// command-line and the whole-wizard tests (made in wizard_scenarios.cpp).
#pragma once

#include "geo/airport_store.h"
#include "tests/support/fixture_installation.h"

namespace fm::testing {

// Installs the scenario's traffic as TRAFFIC.BGL, packed as the project's
// traffic tools pack it: three aircraft and three plans of two legs, whose
// legs end three times at EGLL, twice at LFPG and once at ZZZZ.
void InstallScenarioTraffic(FixtureInstallation& installation);

// Puts EGLL and LFPG (not ZZZZ) into the store, with a region, so the
// scenery page lets the wizard go on.
void AddScenarioAirports(AirportStore& store);

}  // namespace fm::testing
