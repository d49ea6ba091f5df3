#include "cli/run_summary.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace fm::cli {
namespace {

void Figure(std::FILE* stream, const char* label, int value) {
  std::fprintf(stream, "  %-42s %7d\n", label, value);
}

void PathLine(std::FILE* stream, const char* label, const std::string& path) {
  std::fprintf(stream, "  %-18s %s\n", label, path.c_str());
}

}  // namespace

void WriteSummary(std::FILE* stream, const RunSummary& summary) {
  const RedistributionTally& t = summary.tally;
  std::fprintf(stream, "\nSummary\n");
  Figure(stream, "flight plans read", t.plans);
  Figure(stream, "generated", t.generated);
  Figure(stream, "left out", t.noCategory + t.unknownAircraft + t.leftOut);
  Figure(stream, "  traffic aircraft in no category", t.noCategory);
  Figure(stream, "  aircraft missing from Aircraft.txt", t.unknownAircraft);
  Figure(stream, "  no installed aircraft found", t.leftOut);
  std::fprintf(stream, "  flights matched\n");
  Figure(stream, "  by an airline of a visited country", t.byCountry);
  Figure(stream, "  by a GLOBAL airline", t.byGlobal);
  Figure(stream, "  by an aircraft without airline", t.byNoAirline);

  // The most flights first; equal counts in title order.
  std::vector<std::pair<std::string, int>> busiest(summary.flightCounts.begin(),
                                                   summary.flightCounts.end());
  std::stable_sort(busiest.begin(), busiest.end(),
                   [](const auto& a, const auto& b) { return a.second > b.second; });
  if (busiest.size() > static_cast<size_t>(kBusiestShown)) busiest.resize(kBusiestShown);
  std::fprintf(stream, "\nBusiest installed aircraft (flights)\n");
  if (busiest.empty()) std::fprintf(stream, "  none\n");
  for (const auto& [title, flights] : busiest) {
    std::fprintf(stream, "  %7d  %s\n", flights, title.c_str());
  }

  std::fprintf(stream, "\nFiles\n");
  PathLine(stream, "report", summary.reportPath);
  if (summary.aircraftPath.empty()) {
    PathLine(stream, "new traffic", "not saved");
  } else {
    PathLine(stream, "new aircraft", summary.aircraftPath);
    PathLine(stream, "new flight plans", summary.flightPlansPath);
  }
  if (!summary.trafficBglPath.empty()) PathLine(stream, "compiled traffic", summary.trafficBglPath);
  std::fflush(stream);
}

}  // namespace fm::cli
