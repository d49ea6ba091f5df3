// The traffic import: decompiler, the two text files, the backup.
#include "traffic/traffic_import.h"

#include <cstdio>

#include "platform/file_paths.h"
#include "platform/os_interface.h"
#include "services/system_command_lines.h"
#include "services/system_services.h"

namespace fm {
namespace {

constexpr int kTrafficDecompilerId = 134;
constexpr char kDecompiling[] = "Decompliling AI traffic...";
constexpr char kLoadingPlans[] = "Loading AI Traffic, %d plans loaded";

std::string Below(const std::string& root, std::initializer_list<const char*> names) {
  std::string path = root;
  for (const char* name : names) path = JoinPath(path, name);
  return path;
}

}  // namespace

std::string InstalledTrafficBgl(const std::string& fsRoot) {
  return Below(fsRoot, {"SCENEDB", "ATC", "SCENERY", "TRAFFIC.BGL"});
}

std::string BackupTrafficBgl(const std::string& fsRoot) {
  return Below(fsRoot, {"SCENEDB", "ATC", "BACKUP_TRAFFIC.BGL"});
}

bool BackUpTrafficBglOnce(const std::string& fsRoot) {
  return Os()
      .CopyIfAbsent(ResolvePath(InstalledTrafficBgl(fsRoot)), ResolvePath(BackupTrafficBgl(fsRoot)))
      .ok;
}

TrafficImportOutcome ImportTrafficFiles(const TrafficImportRequest& request, StatusSink& status,
                                        TrafficAircraftMap& aircraft,
                                        std::list<FlightPlan>& plans) {
  TrafficImportOutcome outcome;
  status.ShowStatus(kDecompiling);
  {
    // The extracted decompiler goes at the end of this block, whatever
    // happened to it.
    ExtractedTool decompiler = ExtractTool(kTrafficDecompilerId);
    if (request.runDecompiler && !RunTool(TrafficToolCommandLine(decompiler.Path()), true,
                                          request.showWindow, request.workFolder)) {
      outcome.status = TrafficImportStatus::kDecompilerNotStarted;
      return outcome;
    }
  }

  if (!ReadAircraftFile(JoinPath(request.workFolder, kAircraftFileToRead), aircraft,
                        outcome.aircraftLines)) {
    aircraft.clear();
    outcome.aircraftLines = 0;
    outcome.status = TrafficImportStatus::kAircraftFileMissing;
    return outcome;
  }

  const bool read = ReadFlightPlansFile(JoinPath(request.workFolder, kFlightPlansFile), plans,
                                        outcome.counts, [&](int loaded) {
                                          char text[sizeof kLoadingPlans + 16];
                                          std::snprintf(text, sizeof text, kLoadingPlans, loaded);
                                          status.ShowStatus(text);
                                        });
  if (!read) {
    plans.clear();
    outcome.counts = {};
    outcome.status = TrafficImportStatus::kFlightPlansFileMissing;
  }
  return outcome;
}

}  // namespace fm
