// The closing summary of a console run: what a user reads first.
#pragma once

#include <cstdio>
#include <map>
#include <string>

#include "traffic/redistribution.h"

namespace fm::cli {

struct RunSummary {
  RedistributionTally tally;
  std::map<std::string, int> flightCounts;  // installed title -> flights
  std::string reportPath;
  std::string aircraftPath;     // empty: not saved
  std::string flightPlansPath;  // empty: not saved
  std::string trafficBglPath;   // empty: not compiled
};

// How many of the busiest installed aircraft the summary lists.
inline constexpr int kBusiestShown = 10;

void WriteSummary(std::FILE* stream, const RunSummary& summary);

}  // namespace fm::cli
