// The traffic import without its page: running the traffic decompiler in the
// working folder, reading Aircraft.txt and FlightPlans.txt into the model
// with their counts and progress, and the one-time backup of the installed
// traffic.bgl. The page turns the outcome into its texts and boxes.
#pragma once

#include <list>
#include <string>

#include "services/status_sink.h"
#include "traffic/traffic_files.h"
#include "traffic/traffic_records.h"

namespace fm {

struct TrafficImportRequest {
  // False loads the text files as they lie (the user held Shift).
  bool runDecompiler = true;
  // The decompiler's console window; hidden when false.
  bool showWindow = false;
  // Where the decompiler runs and the text files lie; empty: the current
  // folder.
  std::string workFolder;
};

enum class TrafficImportStatus {
  kLoaded,
  kDecompilerNotStarted,  // the runner showed why
  kAircraftFileMissing,   // cannot be opened, or a read failed part-way
  kFlightPlansFileMissing,
};

struct TrafficImportOutcome {
  TrafficImportStatus status = TrafficImportStatus::kLoaded;
  // Aircraft.txt lines with at least two commas, duplicates included.
  int aircraftLines = 0;
  // Plans, legs and legs per airport code of FlightPlans.txt.
  FlightPlanCounts counts;
};

// "Decompliling AI traffic...", the decompiler (payload 134) extracted, run
// with "/np" in the working folder unless the request says otherwise and
// deleted on every path, then the two files read into `aircraft` and
// `plans` (which the caller has emptied), with "Loading AI Traffic, %d plans
// loaded" after every 1000th plan. A file that cannot be read leaves its
// table empty: a failed import never passes for a short traffic.
TrafficImportOutcome ImportTrafficFiles(const TrafficImportRequest& request, StatusSink& status,
                                        TrafficAircraftMap& aircraft, std::list<FlightPlan>& plans);

// The installed traffic file and its one-time backup, below the FS2002 root.
std::string InstalledTrafficBgl(const std::string& fsRoot);
std::string BackupTrafficBgl(const std::string& fsRoot);

// Copies the installed traffic.bgl to the backup unless the backup exists;
// true only when this call made the copy. Never overwrites the backup.
bool BackUpTrafficBglOnce(const std::string& fsRoot);

}  // namespace fm
