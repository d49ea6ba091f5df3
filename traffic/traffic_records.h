// The records of the two traffic text files, as the wizard's model holds
// them: the aircraft types of Aircraft.txt and the flight plans of
// FlightPlans.txt.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace fm {

// One line of Aircraft.txt; its id is the key of the map that holds it.
struct TrafficAircraft {
  std::string cruiseSpeed;  // kept as read, never interpreted
  std::string title;        // the FS title of the aircraft, without quotes
};

// aircraftId ("AC#12") to its record, ascending by the exact bytes.
using TrafficAircraftMap = std::map<std::string, TrafficAircraft>;

// One leg of a flight plan line.
struct FlightLeg {
  std::string airportId;  // the leg's sixth field
};

// One line of FlightPlans.txt.
struct FlightPlan {
  std::string lineText;    // the whole line, without its line end
  std::string aircraftId;  // the first field
  std::vector<FlightLeg> legs;
};

}  // namespace fm
