// The redistribution over a small installation made from the input, one
// item per line, told apart by its first byte:
//   C<air_class.cfg line>   M<category>|<title>|<airline>|<0 or 1: for AI>
//   A<ICAO>|<country>       N<air_nat.cfg line>
//   T<Aircraft.txt line>    P<FlightPlans.txt line>
// The first byte of the input chooses the method and the seed. The run's
// tallies must add up, and its traffic must be savable.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <list>
#include <string>
#include <string_view>
#include <vector>

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

constexpr int kMaxItems = 256;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fm::fuzz::ByteCursor cursor(data, size);
  const uint8_t choice = cursor.Byte();
  const auto method =
      (choice & 1) ? fm::DistributionMethod::kRandomly : fm::DistributionMethod::kEvenly;
  const std::uint32_t seed = choice >> 1;

  fm::AircraftCategories categories;
  fm::AircraftModelList models;
  fm::AirportStore airports;
  fm::TrafficAircraftMap traffic;
  std::list<fm::FlightPlan> plans;
  for (int item = 0; item < kMaxItems && !cursor.Empty(); ++item) {
    std::string_view line = cursor.Line();
    if (line.empty()) continue;
    const char kind = line.front();
    line.remove_prefix(1);
    switch (kind) {
      case 'C':
        categories.AddConfigLine(line);
        break;
      case 'M': {
        fm::AircraftModel& model = models.emplace_back();
        model.category = Field(line);
        const std::string title = Field(line);
        fm::InstalledAircraft& installed = model.variations[title];
        installed.atcAirline = Field(line);
        installed.useForAi = Field(line) != "0";
        break;
      }
      case 'A': {
        const std::string icao = Field(line);
        airports.AddAirport("Region", Field(line), "", "City", icao + " Airport", icao);
        break;
      }
      case 'N':
        fm::ReadAirNatLine(line, airports.Airlines());
        break;
      case 'T':
        if (auto parsed = fm::ParseAircraftLine(line)) {
          traffic.emplace(std::move(parsed->aircraftId), std::move(parsed->aircraft));
        }
        break;
      case 'P':
        if (auto parsed = fm::ParseFlightPlanLine(line)) plans.push_back(std::move(parsed->plan));
        break;
      default:
        break;
    }
  }

  const std::string folder = fm::fuzz::ScratchFolder();
  fm::OutputFile report;
  if (!report.Create(fm::JoinPath(folder, "report.txt"))) std::abort();
  QuietEvents events;
  const fm::RedistributionInput input{plans, traffic, models, categories, airports};
  const fm::RedistributionResult result =
      fm::RedistributeTraffic(input, method, seed, report, events);
  if (!report.Close()) std::abort();

  const fm::RedistributionTally& tally = result.tally;
  int counted = 0;
  for (const auto& [title, flights] : result.flightCounts) counted += flights;
  if (tally.plans != static_cast<int>(plans.size()) ||
      tally.generated + tally.leftOut + tally.noCategory + tally.unknownAircraft != tally.plans ||
      tally.generated != static_cast<int>(result.newPlanLines.size()) ||
      tally.byCountry + tally.byGlobal + tally.byNoAirline != tally.generated ||
      counted != tally.generated || result.newAircraft.size() > result.flightCounts.size()) {
    std::abort();
  }
  fm::TrafficFile failed;
  if (!fm::WriteTrafficFiles(folder, result.newAircraft, result.newPlanLines, &failed)) {
    std::abort();
  }
  return 0;
}
