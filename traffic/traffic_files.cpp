// Whole-file reading and writing of Aircraft.txt and FlightPlans.txt.
#include "traffic/traffic_files.h"

#include "platform/file_atomic.h"
#include "platform/file_paths.h"
#include "platform/file_text.h"
#include "traffic/traffic_lines.h"

namespace fm {
namespace {

constexpr int kPlansPerProgressStep = 1000;

}  // namespace

bool ReadAircraftFile(const std::string& path, TrafficAircraftMap& aircraft, int& aircraftLines) {
  aircraftLines = 0;
  TextLineReader reader;
  if (!reader.Open(path)) return false;
  std::string line;
  while (reader.ReadLine(line)) {
    std::optional<AircraftLine> parsed = ParseAircraftLine(line);
    if (!parsed) continue;
    ++aircraftLines;
    aircraft.try_emplace(std::move(parsed->aircraftId), std::move(parsed->aircraft));
  }
  return !reader.Failed();
}

bool ReadFlightPlansFile(const std::string& path, std::list<FlightPlan>& plans,
                         FlightPlanCounts& counts,
                         const std::function<void(int plansLoaded)>& afterEachThousand) {
  TextLineReader reader;
  if (!reader.Open(path)) return false;
  std::string line;
  while (reader.ReadLine(line)) {
    std::optional<ParsedPlanLine> parsed = ParseFlightPlanLine(line);
    if (!parsed) continue;
    if (!parsed->wellFormed) ++counts.irregularLines;
    for (const FlightLeg& leg : parsed->plan.legs) ++counts.legsPerAirport[leg.airportId];
    counts.legs += static_cast<int>(parsed->plan.legs.size());
    plans.push_back(std::move(parsed->plan));
    ++counts.plans;
    if (afterEachThousand && counts.plans % kPlansPerProgressStep == 0) {
      afterEachThousand(counts.plans);
    }
  }
  return !reader.Failed();
}

bool WriteTrafficFiles(const std::string& folder, const TrafficAircraftMap& newAircraft,
                       const std::vector<std::string>& newPlanLines, TrafficFile* failed) {
  auto fail = [&](TrafficFile which) {
    if (failed) *failed = which;
    return false;
  };
  AtomicFileSet files;
  OutputFile* aircraftFile = files.Create(JoinPath(folder, kAircraftFileToWrite));
  if (!aircraftFile) return fail(TrafficFile::kAircraft);
  for (const auto& [aircraftId, aircraft] : newAircraft) {
    aircraftFile->WriteLine(FormatAircraftLine(aircraftId, aircraft));
  }

  OutputFile* plansFile = files.Create(JoinPath(folder, kFlightPlansFile));
  if (!plansFile) return fail(TrafficFile::kFlightPlans);
  for (const std::string& line : newPlanLines) plansFile->WriteLine(line);

  size_t failedIndex = 0;
  if (!files.Commit(&failedIndex)) {
    return fail(failedIndex == 0 ? TrafficFile::kAircraft : TrafficFile::kFlightPlans);
  }
  return true;
}

}  // namespace fm
