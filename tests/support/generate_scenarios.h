// The wizard scenarios written once for every driver (the recording sheet,
// the real Win32 shell in the test's process, fleetmix.exe driven from
// another process), with their fixtures: the whole wizard, from the
// aircraft import through the real embedded programs to a new compiled
// TRAFFIC.BGL and Finish; then a fresh run through the welcome page to
// "Load Cached" and Cancel.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "tests/support/fixture_installation.h"
#include "tests/support/wizard_driver.h"

namespace fm::testing {

// The read-me as the program carries it.
std::string ReadMeText();

// air_class.cfg in the working folder (Airliner, Light) and three aircraft
// folders below AIRCRAFT: a 737-800 in two paints, an A320, a Cessna.
void AddScenarioAircraft(FixtureInstallation& installation);

// Two airport-directory files made with the BGL builder (Europe; North
// America and Ireland, in that order) and an air_nat.cfg in the working folder.
void AddSceneryFixture(FixtureInstallation& installation);
// The place tree of that fixture as the page shows it, and its sccache.txt.
std::vector<std::string> FixtureSceneryTree();
std::string FixtureSceneryCache();

// Both fixtures above, an air_nat.cfg that lets one flight find its airline
// by country and one only by GLOBAL, and a traffic of four plans (one of an
// aircraft no category claims).
void AddGenerateFixture(FixtureInstallation& installation);

// From the welcome page (Next only) to Finish, each page's visible
// outcome: the aircraft import's box, tree and rows, airlines.cfg; the scenery tree and
// sccache.txt; the traffic list with the backup box on the first import
// only; the generate boxes and buttons; "Save && Compile" installing a
// TRAFFIC.BGL of the new plans; Finish writing nothing more. Trees and lists
// are counted (a driver from another process cannot read their texts).
// `onFilledPage` runs with "welcome", "aircraft", "scenery", "traffic" and
// "generate" once that page is filled (a caller may take a picture, or look
// closer).
void WholeWizardScenario(WizardDriver& wizard, FixtureInstallation& installation,
                         const std::function<void(const char* page)>& onFilledPage);

// A fresh run on the installation the scenario above has used: the welcome
// page offers "Read Me", which shows the read-me; the aircraft
// page relabels the help button and enables Back only until the import;
// "Load Cached" fills the scenery tree and enables Next; Cancel closes the
// wizard and writes no file.
void AFreshRunLoadsTheCache(WizardDriver& wizard, const FixtureInstallation& installation);

}  // namespace fm::testing
