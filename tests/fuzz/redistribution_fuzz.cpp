// The redistribution over a small installation made from the input, one
// item per line, told apart by its first byte:
//   C<air_class.cfg line>   M<category>|<title>|<airline>|<0 or 1: for AI>
//   A<ICAO>|<country>       N<air_nat.cfg line>
//   T<Aircraft.txt line>    P<FlightPlans.txt line>
// The first byte of the input chooses the method and the seed. The run's
// tallies must add up, and its traffic must be savable.
#include <cstdlib>
#include <list>
#include <string>

#include "aircraft/aircraft_category.h"
#include "aircraft/aircraft_model.h"
#include "geo/air_nat.h"
#include "geo/airport_store.h"
#include "platform/file_paths.h"
#include "platform/file_text.h"
#include "tests/fuzz/fuzz_support.h"
#include "traffic/redistribution.h"
#include "traffic/traffic_files.h"
#include "traffic/traffic_lines.h"

namespace {

// The next field of a "|" separated text.
std::string Field(std::string_view& text) {
  const size_t bar = text.find('|');
  std::string field(text.substr(0, bar));
  text.remove_prefix(bar == std::string_view::npos ? text.size() : bar + 1);
  return field;
}

class QuietEvents final : public fm::RedistributionEvents {
 public:
  void TitleWithoutCategory(const std::string&) override {}
  void Progress(const std::string&) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const auto method =
      (data[0] & 1) ? fm::DistributionMethod::kRandomly : fm::DistributionMethod::kEvenly;
  fm::AircraftCategories categories;
  fm::AircraftModelList models;
  fm::AirportStore airports;
  fm::TrafficAircraftMap traffic;
  std::list<fm::FlightPlan> plans;
  fm::fuzz::ByteCursor cursor(data + 1, size - 1);
  for (int item = 0; item < 256 && !cursor.Empty(); ++item) {
    std::string_view line = cursor.Line();
    const char kind = line.empty() ? 0 : line.front();
    line.remove_prefix(line.empty() ? 0 : 1);
    if (kind == 'C') categories.AddConfigLine(line);
    if (kind == 'N') fm::ReadAirNatLine(line, airports.Airlines());
    if (kind == 'M') {
      fm::AircraftModel& model = models.emplace_back();
      model.category = Field(line);
      fm::InstalledAircraft& installed = model.variations[Field(line)];
      installed.atcAirline = Field(line);
      installed.useForAi = Field(line) != "0";
    }
    if (kind == 'A') {
      const std::string icao = Field(line);
      airports.AddAirport("Region", Field(line), "", "City", icao + " Airport", icao);
    }
    if (auto parsed = kind == 'T' ? fm::ParseAircraftLine(line) : std::nullopt) {
      traffic.emplace(std::move(parsed->aircraftId), std::move(parsed->aircraft));
    }
    if (auto parsed = kind == 'P' ? fm::ParseFlightPlanLine(line) : std::nullopt) {
      plans.push_back(std::move(parsed->plan));
    }
  }

  const std::string folder = fm::fuzz::ScratchFolder();
  fm::OutputFile report;
  if (!report.Create(fm::JoinPath(folder, "report.txt"))) std::abort();
  QuietEvents events;
  const fm::RedistributionResult result = fm::RedistributeTraffic(
      {plans, traffic, models, categories, airports}, method, data[0] >> 1, report, events);
  if (!report.Close()) std::abort();

  const fm::RedistributionTally& tally = result.tally;
  int counted = 0;
  for (const auto& [title, flights] : result.flightCounts) counted += flights;
  fm::TrafficFile failed;
  if (tally.plans != static_cast<int>(plans.size()) ||
      tally.generated + tally.leftOut + tally.noCategory + tally.unknownAircraft != tally.plans ||
      tally.generated != static_cast<int>(result.newPlanLines.size()) ||
      tally.byCountry + tally.byGlobal + tally.byNoAirline != tally.generated ||
      counted != tally.generated || result.newAircraft.size() > result.flightCounts.size() ||
      !fm::WriteTrafficFiles(folder, result.newAircraft, result.newPlanLines, &failed)) {
    std::abort();
  }
  return 0;
}
