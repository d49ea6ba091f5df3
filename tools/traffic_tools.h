// What the project's traffic decompiler and compiler do, as functions the
// two programs and the tests call: the decompiler unpacks FS2002's
// SCENEDB\ATC\SCENERY\TRAFFIC.BGL into Aircraft.txt, FlightPlans.txt and
// Airports.txt in the working folder; the compiler packs the three into a new
// TRAFFIC.BGL. Each writes whole or not at all and ends with one line for the
// console.
#pragma once

#include <string>
#include <string_view>

#include "platform/file_atomic.h"

namespace fm {

// The three files the tools exchange through the working folder.
inline constexpr const char* kToolAircraftFile = "Aircraft.txt";
inline constexpr const char* kToolFlightPlansFile = "FlightPlans.txt";
inline constexpr const char* kToolAirportsFile = "Airports.txt";

// How a run ended: the exit status and the one line the program prints.
struct ToolOutcome {
  int exitCode = 0;  // 0 done, 1 failed
  std::string line;

  bool ok() const { return exitCode == 0; }
};

inline constexpr int kToolFailed = 1;
inline constexpr int kToolUsage = 2;

// FS2002's traffic file below its folder.
std::string InstalledTrafficPath(const std::string& fsRoot);

// The FS2002 folder as Fleetmix finds it (the registry's "EXE Path", or
// FLEETMIX_FS_ROOT on POSIX); false with the failure in `outcome`.
bool FindFsFolder(std::string& fsRoot, ToolOutcome& outcome);

// Reads the installed traffic and leaves the three text files in
// `workFolder` (empty: the current folder). On failure no file of the three
// is changed. `rename` replaces the renaming of the written files (tests
// fail it).
ToolOutcome DecompileTraffic(const std::string& fsRoot, const std::string& workFolder,
                             AtomicFileSet::RenameFunction rename = {});

// Reads the three text files of `workFolder` and installs a new traffic file
// in its place; on failure the installed file stays as it was.
ToolOutcome CompileTraffic(const std::string& fsRoot, const std::string& workFolder,
                           AtomicFileSet::RenameFunction rename = {});

// The whole program: "/np" is the only argument taken (the tools never wait
// for a key either way); prints the outcome's line (standard output when
// done, standard error when failed) and gives the exit status.
using TrafficToolOperation = ToolOutcome (*)(const std::string& fsRoot,
                                             const std::string& workFolder,
                                             AtomicFileSet::RenameFunction rename);
int TrafficToolMain(std::string_view programName, int argc, char** argv,
                    TrafficToolOperation operation);

}  // namespace fm
