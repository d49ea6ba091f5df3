// The deterministic traffic of the benchmarks.
#include "bench/traffic_generator.h"

#include <cstdio>
#include <random>
#include <vector>

namespace trafficbench {
namespace {

constexpr int kAircraftTypes = 400;
constexpr int kAirports = 3000;

std::string AirportCode(int index) {
  // Four letters, as ICAO codes are.
  std::string code(4, 'A');
  for (int i = 3; i >= 0; --i) {
    code[i] = static_cast<char>('A' + index % 26);
    index /= 26;
  }
  return code;
}

}  // namespace

GeneratedTraffic MakeTraffic(int plans, std::uint32_t seed) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> type(1, kAircraftTypes), airport(0, kAirports - 1),
      legCount(2, 4), hour(0, 20), altitude(30, 390), flight(1, 9999);
  GeneratedTraffic traffic;
  char line[256];
  for (int t = 1; t <= kAircraftTypes; ++t) {
    std::snprintf(line, sizeof line, "AC#%d,%d,\"Example Airliner %d Example Airways\"\r\n", t,
                  250 + t % 250, t);
    traffic.aircraft += line;
  }
  for (int a = 0; a < kAirports; ++a) traffic.airports += AirportCode(a) + "\r\n";

  traffic.flightPlans.reserve(static_cast<size_t>(plans) * 140);
  for (int p = 0; p < plans; ++p) {
    std::snprintf(line, sizeof line, "AC#%d,N%05dX,100%%,24Hr,IFR", type(random), p % 100000);
    traffic.flightPlans += line;
    const int legs = legCount(random);
    for (int l = 0; l < legs; ++l) {
      const int h = hour(random);
      std::snprintf(line, sizeof line, ",%02d:%02d:00,%02d:%02d:00,%03d,F,%04d,%s", h, l * 7 % 60,
                    h + 1 + l % 3, l * 11 % 60, altitude(random), flight(random),
                    AirportCode(airport(random)).c_str());
      traffic.flightPlans += line;
    }
    traffic.flightPlans += "\r\n";
    traffic.legs += legs;
  }
  return traffic;
}

}  // namespace trafficbench
