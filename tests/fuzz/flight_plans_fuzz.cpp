// FlightPlans.txt read as a file: the counts it gives are those of the
// plans and legs it keeps.
#include <cstdlib>
#include <list>
#include <string>

#include "tests/fuzz/fuzz_support.h"
#include "traffic/traffic_files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::list<fm::FlightPlan> plans;
  fm::FlightPlanCounts counts;
  if (!fm::ReadFlightPlansFile(fm::fuzz::WriteScratchFile("FlightPlans.txt", bytes), plans,
                               counts)) {
    std::abort();
  }
  int legs = 0;
  for (const fm::FlightPlan& plan : plans) {
    legs += static_cast<int>(plan.legs.size());
  }
  if (counts.plans != static_cast<int>(plans.size()) || counts.legs != legs) std::abort();
  return 0;
}
