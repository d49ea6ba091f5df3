// FlightPlans.txt read as a file; every plan is then given another aircraft
// as the redistribution does, which keeps all but its id.
#include <cstdlib>
#include <list>
#include <string>

#include "tests/fuzz/fuzz_support.h"
#include "traffic/traffic_files.h"
#include "traffic/traffic_lines.h"

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
    const size_t comma = plan.lineText.find(',');
    if (comma != std::string::npos &&
        fm::RewritePlanLine(plan.lineText, "AC#1") != "AC#1" + plan.lineText.substr(comma)) {
      std::abort();
    }
  }
  if (counts.plans != static_cast<int>(plans.size()) || counts.legs != legs) std::abort();
  return 0;
}
