// The traffic import written once and run against every wizard driver: the
// recording sheet, the real shell in-process and fleetmix.exe.
#pragma once

#include <string>
#include <vector>

#include "geo/airport_store.h"
#include "tests/support/fixture_installation.h"
#include "tests/support/wizard_driver.h"

namespace fm::testing {

// The traffic of the scenario as the project's traffic tools pack it: three
// aircraft and three plans of two legs, whose legs end three times at EGLL,
// twice at LFPG and once at ZZZZ. `airports` stands for Airports.txt.
std::string ScenarioTrafficBgl(const std::string& airports = "EGLL\r\nLFPG\r\nZZZZ\r\n");

// Installs that traffic as the installation's TRAFFIC.BGL.
void InstallScenarioTraffic(FixtureInstallation& installation);

// Puts EGLL and LFPG (not ZZZZ) into the store, with a region, so the
// scenery page lets the wizard go on.
void AddScenarioAirports(AirportStore& store);

// The rows the traffic page shows for that traffic, larger count first.
std::vector<std::vector<std::string>> ScenarioAirportRows(bool storeKnowsAirports);

// The box of the first traffic import, which backs up TRAFFIC.BGL.
std::string BackupBoxText(const FixtureInstallation& installation);

// On the traffic page of a wizard whose FS2002 installation holds the
// scenario traffic and whose working folder is empty: "Hide Compiler" is
// checked, only Back is enabled; "Import" runs the embedded decompiler,
// fills the list, says how much it loaded, enables Next and shows the
// backup box; a second import (of a changed traffic.bgl) shows no box and
// the backup keeps the first traffic.
void TrafficImportScenario(WizardDriver& wizard, FixtureInstallation& installation,
                           bool storeKnowsAirports);

}  // namespace fm::testing
