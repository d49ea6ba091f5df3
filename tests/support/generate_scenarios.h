// The wizard scenarios written once for every driver (the recording sheet,
// the real Win32 shell in the test's process, fleetmix.exe driven from
// another process), with their fixtures and what the pages must show for
// them: the welcome page; the whole wizard, from the aircraft import
// through the real embedded programs to a new compiled TRAFFIC.BGL and
// Finish; then "Load Cached" in a fresh run.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "tests/support/fixture_installation.h"
#include "tests/support/wizard_driver.h"

namespace fm::testing {

// The read-me as the program carries it.
std::string ReadMeText();

// Opens on the welcome page with Next only and "Read Me", which shows the
// read-me; Next relabels the help button; the aircraft page enables Back
// only; Back relabels it again; Cancel closes the wizard.
void WelcomeAndHelpScenario(WizardDriver& wizard);

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

// From the welcome page to Finish. Aircraft: the import's box, the tree,
// the rows of a type, airlines.cfg written. Scenery: the tree and
// sccache.txt. Traffic: the list, the backup box on the first import and not
// on the second. Generate: the boxes and the list; "Save && Compile" (the
// text files and the new TRAFFIC.BGL); Finish writes nothing more.
// `onFilledPage` runs with "aircraft", "scenery", "traffic" and "generate"
// once that page is filled (a caller may take a picture).
void WholeWizardScenario(WizardDriver& wizard, FixtureInstallation& installation,
                         const std::function<void(const char* page)>& onFilledPage = {});

// A fresh run on the installation the scenario above has used: from the
// welcome page through the aircraft import to the scenery page, where "Load
// Cached" fills the same tree and enables Next; then Cancel.
void LoadCachedInAFreshRun(WizardDriver& wizard);

}  // namespace fm::testing
