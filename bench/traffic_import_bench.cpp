// Importing the installed traffic as the traffic page does: the embedded
// traffic decompiler (program 134) extracted and run on TRAFFIC.BGL, then
// Aircraft.txt and FlightPlans.txt read into the model; beside it the
// decompiler alone (in this process), the readers alone, and a baseline that
// copies the same bytes (reads TRAFFIC.BGL, writes the three files, reads two
// back).
//   --plans=N                    plans of the generated traffic (100000)
//   --make-installation=DIR      writes an FS2002 folder and a working folder
//                                with that traffic into DIR, then ends
//   --import-once=DIR            one import over such a DIR, then the peak
//   --copy-once=DIR              memory of this process and of its children
//                                (for a process doing only that operation)
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <list>
#include <string>
#include <vector>

#include "bench/traffic_generator.h"
#include "platform/file_paths.h"
#include "platform/file_system.h"
#include "platform/file_text.h"
#include "services/status_sink.h"
#include "tools/traffic_container.h"
#include "tools/traffic_tools.h"
#include "traffic/traffic_files.h"
#include "traffic/traffic_import.h"

namespace {

int g_plans = 100000;

struct Installation {
  std::string root;  // the FS2002 folder
  std::string work;  // the working folder
};

Installation InstallationIn(const std::string& folder) {
  return {fm::JoinPath(folder, "FS2002"), fm::JoinPath(folder, "work")};
}

bool MakeInstallation(const std::string& folder, int plans) {
  const Installation at = InstallationIn(folder);
  const std::string bgl = fm::InstalledTrafficPath(at.root);
  if (!fm::MakeDirectories(std::string(fm::FolderOf(bgl))) || !fm::MakeDirectories(at.work)) {
    return false;
  }
  const trafficbench::GeneratedTraffic traffic = trafficbench::MakeTraffic(plans);
  return fm::WriteFileBytes(
      bgl, fm::EncodeTrafficFile({traffic.aircraft, traffic.flightPlans, traffic.airports}));
}

// One installation for the run, made on first use.
const Installation& Shared() {
  static const Installation installation = [] {
    const std::string folder = fm::MakeUniqueTempFolder("fmix-bench-traffic");
    if (folder.empty() || !MakeInstallation(folder, g_plans)) {
      std::fprintf(stderr, "cannot make the benchmark installation\n");
      std::exit(1);
    }
    std::atexit([] { fm::RemoveTree(std::string(fm::FolderOf(Shared().root))); });
    return InstallationIn(folder);
  }();
  return installation;
}

void PointAt(const Installation& at) { ::setenv("FLEETMIX_FS_ROOT", at.root.c_str(), 1); }

bool Import(const Installation& at, fm::TrafficAircraftMap& aircraft,
            std::list<fm::FlightPlan>& plans) {
  fm::NoStatus status;
  fm::TrafficImportRequest request;
  request.workFolder = at.work;
  const fm::TrafficImportOutcome outcome = fm::ImportTrafficFiles(request, status, aircraft, plans);
  return outcome.status == fm::TrafficImportStatus::kLoaded && outcome.counts.plans == g_plans;
}

// The bytes the import moves, without looking at them.
bool Copy(const Installation& at, std::string& aircraft, std::string& plans) {
  std::string bgl;
  if (!fm::ReadFileBytes(fm::InstalledTrafficPath(at.root), bgl)) return false;
  fm::TrafficTexts texts;  // the three parts lie at known places
  if (fm::DecodeTrafficFile(bgl, texts) != fm::TrafficFileProblem::kNone) return false;
  const std::string a = fm::JoinPath(at.work, "Aircraft.txt");
  const std::string p = fm::JoinPath(at.work, "FlightPlans.txt");
  return fm::WriteFileBytes(a, texts.aircraft) && fm::WriteFileBytes(p, texts.flightPlans) &&
         fm::WriteFileBytes(fm::JoinPath(at.work, "Airports.txt"), texts.airports) &&
         fm::ReadFileBytes(a, aircraft) && fm::ReadFileBytes(p, plans);
}

void SetCounters(benchmark::State& state) {
  state.SetItemsProcessed(state.iterations() * g_plans);
  state.counters["plans"] = g_plans;
}

void BM_ImportTraffic(benchmark::State& state) {
  const Installation& at = Shared();
  PointAt(at);
  fm::TrafficAircraftMap aircraft;
  std::list<fm::FlightPlan> plans;
  for (auto _ : state) {
    // The page empties the model first.
    aircraft.clear();
    plans.clear();
    if (!Import(at, aircraft, plans)) state.SkipWithError("the import failed");
  }
  SetCounters(state);
}
BENCHMARK(BM_ImportTraffic)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_DecompilerInProcess(benchmark::State& state) {
  const Installation& at = Shared();
  for (auto _ : state) {
    if (!fm::DecompileTraffic(at.root, at.work).ok()) state.SkipWithError("decompiling failed");
  }
  SetCounters(state);
}
BENCHMARK(BM_DecompilerInProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ReadersOnly(benchmark::State& state) {
  const Installation& at = Shared();
  if (!fm::DecompileTraffic(at.root, at.work).ok()) state.SkipWithError("decompiling failed");
  fm::TrafficAircraftMap aircraft;
  std::list<fm::FlightPlan> plans;
  for (auto _ : state) {
    aircraft.clear();
    plans.clear();
    int lines = 0;
    fm::FlightPlanCounts counts;
    if (!fm::ReadAircraftFile(fm::JoinPath(at.work, "Aircraft.txt"), aircraft, lines) ||
        !fm::ReadFlightPlansFile(fm::JoinPath(at.work, "FlightPlans.txt"), plans, counts)) {
      state.SkipWithError("reading failed");
    }
  }
  SetCounters(state);
}
BENCHMARK(BM_ReadersOnly)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CopyBaseline(benchmark::State& state) {
  const Installation& at = Shared();
  std::string aircraft, plans;
  for (auto _ : state) {
    if (!Copy(at, aircraft, plans)) state.SkipWithError("copying failed");
    benchmark::DoNotOptimize(plans.data());
  }
  SetCounters(state);
}
BENCHMARK(BM_CopyBaseline)->Unit(benchmark::kMillisecond)->UseRealTime();

void PrintPeakMemory(const char* what) {
  rusage self{}, children{};
  ::getrusage(RUSAGE_SELF, &self);
  ::getrusage(RUSAGE_CHILDREN, &children);
  std::printf("%s: peak memory %ld KiB in this process, %ld KiB in the largest child\n", what,
              self.ru_maxrss, children.ru_maxrss);
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<char*> rest;
  std::string make, importOnce, copyOnce;
  for (int i = 0; i < argc; ++i) {
    const std::string argument = argv[i];
    auto value = [&](const char* name) -> const char* {
      const size_t n = std::strlen(name);
      return argument.compare(0, n, name) == 0 ? argv[i] + n : nullptr;
    };
    if (const char* v = value("--plans=")) {
      g_plans = std::atoi(v);
    } else if (const char* v = value("--make-installation=")) {
      make = v;
    } else if (const char* v = value("--import-once=")) {
      importOnce = v;
    } else if (const char* v = value("--copy-once=")) {
      copyOnce = v;
    } else {
      rest.push_back(argv[i]);
    }
  }
  if (!make.empty()) return MakeInstallation(make, g_plans) ? 0 : 1;
  if (!importOnce.empty()) {
    const Installation at = InstallationIn(importOnce);
    PointAt(at);
    fm::TrafficAircraftMap aircraft;
    std::list<fm::FlightPlan> plans;
    g_plans = 0;
    fm::NoStatus status;
    fm::TrafficImportRequest request;
    request.workFolder = at.work;
    const auto outcome = fm::ImportTrafficFiles(request, status, aircraft, plans);
    std::printf("imported %d plans, %d legs\n", outcome.counts.plans, outcome.counts.legs);
    PrintPeakMemory("import");
    return outcome.status == fm::TrafficImportStatus::kLoaded ? 0 : 1;
  }
  if (!copyOnce.empty()) {
    std::string aircraft, plans;
    const bool copied = Copy(InstallationIn(copyOnce), aircraft, plans);
    PrintPeakMemory("copy");
    return copied ? 0 : 1;
  }
  int n = static_cast<int>(rest.size());
  benchmark::Initialize(&n, rest.data());
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
