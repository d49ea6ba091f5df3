// The scenery page's scenarios, written once and run against every driver:
// "Import from FS" over a fixture airport directory made with the BGL
// builder and run through the real bgltext, then "Load Cached" in a fresh
// run. The fixture's names and what the page must show are here too.
#pragma once

#include <string>
#include <vector>

#include "tests/support/fixture_installation.h"
#include "tests/support/wizard_driver.h"

namespace fm::testing {

// Two airport-directory files (Europe; North America and Ireland) and an
// air_nat.cfg in the working folder.
void AddSceneryFixture(FixtureInstallation& installation);

// The place tree of the fixture as the page shows it.
std::vector<std::string> FixtureSceneryTree();
// The fixture's sccache.txt, byte for byte.
std::string FixtureSceneryCache();

// On the scenery page with an empty store: "Import from FS" fills the tree,
// writes sccache.txt, enables "Generate new air_nat.cfg" and Next.
void SceneryImportScenario(WizardDriver& wizard, const FixtureInstallation& installation);
// On the scenery page of a fresh run, with the cache of the import above:
// "Load Cached" fills the same tree and enables Next.
void SceneryLoadCachedScenario(WizardDriver& wizard);

}  // namespace fm::testing
