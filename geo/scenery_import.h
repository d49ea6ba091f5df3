// The scenery import's run over the simulator's airport directory: bgltext
// is unpacked and run on every BGL file of SCENEDB\AFDFILES\SCENERY, and the
// airports of each temp.sca it writes go into the store.
#pragma once

#include <string>

#include "geo/airport_store.h"
#include "services/status_sink.h"

namespace fm {

// The embedded bgltext program.
inline constexpr int kBgltextPayload = 132;
inline constexpr char kSceneryTextFile[] = "temp.sca";

enum class SceneryImportRun {
  Completed,       // every file was run (a missing temp.sca is skipped)
  ToolNotStarted,  // bgltext could not be started; no further file was run
  Failed,          // a read failed or an error was raised on the way
};

// The scenery folder below the FS2002 root, as it exists on disk.
std::string SceneryFolder(const std::string& fsRoot);

// The output argument of bgltext's command line: "temp.sca" in the current
// folder, else the path in the working folder (quoted when it has a blank).
std::string SceneryTextArgument(const std::string& workFolder);

// Runs bgltext on every BGL file of the scenery folder, in the order the
// file system lists them, telling each file on `status` ("Importing AFD:
// Processing %s (%d of %d)"), and adds the airports to the store. The
// unpacked program and every temp.sca are deleted on every path.
SceneryImportRun RunSceneryImport(AirportStore& store, const std::string& workFolder,
                                  StatusSink& status);

}  // namespace fm
