// The redistribution at the size of a large installation: a made-up
// installation of 2,000 variations in 300 models and 20 categories, 200
// countries with 800 callsigns (and GLOBAL), and a traffic of plans with two
// to four legs between 3,000 airports. BM_Generate runs the whole
// redistribution with its report; BM_WriteBaseline writes the same report
// and plan bytes with plain writes, in the same run; BM_Save is the save
// that follows (aircraft.txt and FlightPlans.txt replaced together, flushed
// to the disk before they replace the earlier pair).
//   --plans=N     plans of the traffic (100000)
//   --once        one generation and save, then the peak memory of the process
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <list>
#include <string>
#include <vector>

#include "platform/file_paths.h"
#include "platform/file_system.h"
#include "platform/file_text.h"
#include "traffic/redistribution.h"
#include "traffic/traffic_files.h"

namespace {

int g_plans = 100000;

constexpr int kCategories = 20, kModels = 300, kVariations = 2000;
constexpr int kCountries = 200, kCallsigns = 800, kAirports = 3000, kTrafficTypes = 400;

// A fixed linear congruential sequence: the same installation every run.
class Dice {
 public:
  int Below(int n) {
    state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<int>((state_ >> 33) % static_cast<unsigned long long>(n));
  }

 private:
  unsigned long long state_ = 2002;
};

std::string Numbered(const char* prefix, int n, int width) {
  char text[32];
  std::snprintf(text, sizeof text, "%s%0*d", prefix, width, n);
  return text;
}

struct Installation {
  fm::AircraftModelList models;
  fm::AircraftCategories categories;
  fm::AirportStore airports;
  fm::TrafficAircraftMap trafficAircraft;
  std::list<fm::FlightPlan> plans;
  std::string work;
};

Installation* MakeInstallation(int planCount) {
  auto* at = new Installation;
  Dice dice;
  for (int c = 0; c < kCategories; ++c) {
    std::string header = "[";
    header += Numbered("Category", c, 2);
    header += ']';
    std::string titles = "<\"";
    titles += Numbered("Type", c, 2);
    titles += "-\">";
    at->categories.AddConfigLine(header);
    at->categories.AddConfigLine(titles);
  }
  std::vector<std::string> callsigns;
  for (int s = 0; s < kCallsigns; ++s) callsigns.push_back(Numbered("AIRLINE", s, 3));
  for (int m = 0; m < kModels; ++m) {
    fm::AircraftModel& model = at->models.emplace_back();
    model.category = Numbered("Category", m % kCategories, 2);
    const int variations = kVariations / kModels + (m < kVariations % kModels ? 1 : 0);
    for (int v = 0; v < variations; ++v) {
      fm::InstalledAircraft& variation =
          model.variations[Numbered("Model", m, 3) + Numbered(" Livery ", v, 2)];
      // One in ten flies for no airline.
      if (dice.Below(10) != 0) variation.atcAirline = callsigns[dice.Below(kCallsigns)];
    }
  }
  for (int c = 0; c < kCountries; ++c) {
    fm::AirlineCountryMap::Callsigns listed;
    for (int s = 0; s < kCallsigns / kCountries; ++s) listed.insert(callsigns[c * 4 + s]);
    at->airports.Airlines().Add(Numbered("Country ", c, 3), std::move(listed));
  }
  fm::AirlineCountryMap::Callsigns global;
  for (int s = 0; s < 40; ++s) global.insert(callsigns[dice.Below(kCallsigns)]);
  at->airports.Airlines().Add("GLOBAL", std::move(global));
  std::vector<std::string> codes;
  for (int a = 0; a < kAirports; ++a) {
    codes.push_back(Numbered("K", a, 3));
    // A few airports lie in countries that air_nat.cfg does not list.
    const std::string country = Numbered("Country ", dice.Below(kCountries + 10), 3);
    at->airports.AddAirport("Region", country, "", "City", "Airport " + codes.back(), codes.back());
  }
  for (int t = 0; t < kTrafficTypes; ++t) {
    // One type in a hundred has a title that no category claims.
    const std::string type = t % 100 == 99 ? "Other-" : Numbered("Type", t % kCategories, 2) + "-";
    at->trafficAircraft[Numbered("AC#", t + 1, 1)] = {"250", type + Numbered("Traffic ", t, 3)};
  }
  for (int p = 0; p < planCount; ++p) {
    fm::FlightPlan& plan = at->plans.emplace_back();
    plan.aircraftId = Numbered("AC#", dice.Below(kTrafficTypes) + 1, 1);
    plan.lineText = plan.aircraftId + "," + Numbered("N", p, 6) + ",100%,24Hr,IFR";
    for (int legs = 2 + dice.Below(3); legs > 0; --legs) {
      plan.legs.push_back({codes[dice.Below(kAirports)]});
      plan.lineText += ",07:00:00,08:00:00,350,F,0001," + plan.legs.back().airportId;
    }
  }
  at->work = fm::MakeUniqueTempFolder("fmix-bench-generate");
  return at;
}

const Installation& Shared() {
  static const Installation* installation = [] {
    Installation* made = MakeInstallation(g_plans);
    std::atexit([] { fm::RemoveTree(Shared().work); });
    return made;
  }();
  return *installation;
}

class NoEvents final : public fm::RedistributionEvents {
 public:
  void TitleWithoutCategory(const std::string&) override {}
  void Progress(const std::string&) override {}
};

// What the "Generate" button does, without a page.
bool Generate(const Installation& at, fm::RedistributionResult& result) {
  fm::OutputFile report;
  if (!report.Create(fm::JoinPath(at.work, "report.txt"))) return false;
  NoEvents events;
  result =
      fm::RedistributeTraffic({at.plans, at.trafficAircraft, at.models, at.categories, at.airports},
                              fm::DistributionMethod::kEvenly, 0, report, events);
  return report.Close();
}

// And "Save Only" after it.
bool GenerateAndSave(const Installation& at, fm::RedistributionResult& result) {
  return Generate(at, result) &&
         fm::WriteTrafficFiles(at.work, result.newAircraft, result.newPlanLines, nullptr);
}

void BM_Generate(benchmark::State& state) {
  const Installation& at = Shared();
  fm::RedistributionResult result;
  for (auto _ : state) {
    if (!Generate(at, result)) state.SkipWithError("generating failed");
  }
  state.SetItemsProcessed(state.iterations() * g_plans);
  state.counters["plans"] = g_plans;
  state.counters["generated"] = result.tally.generated;
}
BENCHMARK(BM_Generate)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same bytes written by plain writes: report.txt, aircraft.txt and
// FlightPlans.txt as a generation leaves them.
void BM_WriteBaseline(benchmark::State& state) {
  const Installation& at = Shared();
  fm::RedistributionResult result;
  std::string report, aircraft, plans;
  if (!GenerateAndSave(at, result) ||
      !fm::ReadFileBytes(fm::JoinPath(at.work, "report.txt"), report) ||
      !fm::ReadFileBytes(fm::JoinPath(at.work, "aircraft.txt"), aircraft) ||
      !fm::ReadFileBytes(fm::JoinPath(at.work, "FlightPlans.txt"), plans)) {
    state.SkipWithError("no generation to copy");
    return;
  }
  const std::string copy = fm::JoinPath(at.work, "copy");
  for (auto _ : state) {
    if (!fm::WriteFileBytes(copy + "-report.txt", report) ||
        !fm::WriteFileBytes(copy + "-FlightPlans.txt", plans)) {
      state.SkipWithError("writing failed");
    }
  }
  state.SetItemsProcessed(state.iterations() * g_plans);
  state.counters["plans"] = g_plans;
  state.counters["report_MB"] = static_cast<double>(report.size()) / 1e6;
}
BENCHMARK(BM_WriteBaseline)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Save(benchmark::State& state) {
  const Installation& at = Shared();
  fm::RedistributionResult result;
  if (!Generate(at, result)) state.SkipWithError("generating failed");
  for (auto _ : state) {
    if (!fm::WriteTrafficFiles(at.work, result.newAircraft, result.newPlanLines, nullptr)) {
      state.SkipWithError("saving failed");
    }
  }
  state.SetItemsProcessed(state.iterations() * g_plans);
}
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  std::vector<char*> rest;
  bool once = false;
  for (int i = 0; i < argc; ++i) {
    if (std::strncmp(argv[i], "--plans=", 8) == 0) {
      g_plans = std::atoi(argv[i] + 8);
    } else if (std::strcmp(argv[i], "--once") == 0) {
      once = true;
    } else {
      rest.push_back(argv[i]);
    }
  }
  if (once) {
    fm::RedistributionResult result;
    const bool ok = GenerateAndSave(Shared(), result);
    rusage self{};
    ::getrusage(RUSAGE_SELF, &self);
    std::printf("generated %d of %d plans; peak memory %ld KiB\n", result.tally.generated, g_plans,
                self.ru_maxrss);
    return ok ? 0 : 1;
  }
  int count = static_cast<int>(rest.size());
  benchmark::Initialize(&count, rest.data());
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
