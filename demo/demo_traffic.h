// The traffic of the demo installation, as the traffic decompiler would
// leave it: Aircraft.txt with the traffic's aircraft types, FlightPlans.txt
// with plans between the demo's airports that fit each type (airliners
// between hubs, regional aircraft within a few hundred miles, light aircraft
// under visual rules nearby), and Airports.txt. A fixed seed makes the same
// bytes every time.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "demo/demo_airports.h"

namespace fm::demo {

struct DemoTraffic {
  std::string aircraft;     // Aircraft.txt
  std::string flightPlans;  // FlightPlans.txt
  std::string airports;     // Airports.txt
  int plans = 0;
};

inline constexpr int kDemoPlans = 3000;
inline constexpr std::uint32_t kDemoSeed = 2002;

// The titles of the traffic's aircraft types, AC#1 first.
std::vector<std::string> DemoTrafficTitles();

DemoTraffic MakeDemoTraffic(const std::vector<DemoAirport>& airports, int plans = kDemoPlans,
                            std::uint32_t seed = kDemoSeed);

}  // namespace fm::demo
