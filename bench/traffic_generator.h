// Traffic as the traffic tools write it, made up deterministically for the
// benchmarks: Aircraft.txt with one line per aircraft type, FlightPlans.txt
// with plans of two to four legs between made-up airports, and Airports.txt.
#pragma once

#include <cstdint>
#include <string>

namespace trafficbench {

struct GeneratedTraffic {
  std::string aircraft;
  std::string flightPlans;
  std::string airports;
  int legs = 0;
};

// `plans` plan lines over 400 aircraft types and 3000 airports; the same
// arguments always give the same bytes.
GeneratedTraffic MakeTraffic(int plans, std::uint32_t seed = 2002);

}  // namespace trafficbench
