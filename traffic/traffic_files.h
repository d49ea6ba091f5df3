// The two traffic text files as wholes: reading Aircraft.txt and
// FlightPlans.txt into the model, and writing the generated traffic back.
#pragma once

#include <functional>
#include <list>
#include <map>
#include <string>
#include <vector>

#include "traffic/traffic_records.h"

namespace fm {

// The names the import reads and the save writes; the file system takes
// "Aircraft.txt" and "aircraft.txt" for one file.
inline constexpr const char* kAircraftFileToRead = "Aircraft.txt";
inline constexpr const char* kAircraftFileToWrite = "aircraft.txt";
inline constexpr const char* kFlightPlansFile = "FlightPlans.txt";

// Adds every line of the file to `aircraft` (the first line of an id wins)
// and counts in `aircraftLines` every line with at least two commas,
// duplicates included. False when the file cannot be opened or a read fails
// part-way (the lines before the failure are added all the same).
bool ReadAircraftFile(const std::string& path, TrafficAircraftMap& aircraft, int& aircraftLines);

struct FlightPlanCounts {
  int plans = 0;
  int legs = 0;
  // Lines loaded although they are not five header fields plus whole
  // six-field legs.
  int irregularLines = 0;
  // Airport code to the number of legs that name it, ascending by code.
  std::map<std::string, int> legsPerAirport;
};

// Appends every plan of the file to `plans` and counts plans, legs and legs
// per airport into `counts`. `afterEachThousand`, when given, is called with
// the plan count after every 1000th plan. False when the file cannot be
// opened or a read fails part-way (the plans before the failure are
// appended all the same).
bool ReadFlightPlansFile(const std::string& path, std::list<FlightPlan>& plans,
                         FlightPlanCounts& counts,
                         const std::function<void(int plansLoaded)>& afterEachThousand = {});

enum class TrafficFile { kAircraft, kFlightPlans };

// Writes aircraft.txt (one line per aircraft, ascending id order) and
// FlightPlans.txt (one line per plan line, in order) into `folder`, each line
// ending in CR LF. The two files replace the earlier ones together or not at
// all; on failure `failed` names the file that could not be written and both
// earlier files are left as they were.
bool WriteTrafficFiles(const std::string& folder, const TrafficAircraftMap& newAircraft,
                       const std::vector<std::string>& newPlanLines, TrafficFile* failed);

}  // namespace fm
