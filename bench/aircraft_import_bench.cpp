// The aircraft import over a generated installation: the whole "Import
// Aircraft" of the aircraft page (air_class.cfg, the folder scan, the
// classification, the counts and the tree, through the recording host),
// beside a baseline that lists the same folder and reads the same files
// whole.
//
//   --folders=N     aircraft folders to generate (default 5000)
//   --dir=PATH      generate into PATH and keep it (reused when it is there)
//   --once=import   no benchmark: one import, then the peak memory
//   --once=read     no benchmark: one baseline pass, then the peak memory
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "bench/aircraft_installation_generator.h"
#include "platform/file_paths.h"
#include "platform/file_system.h"
#include "platform/file_text.h"
#include "resources/resource.h"
#include "tests/support/recording_sheet.h"
#include "wizard/wizard.h"

namespace {

using fm::bench::GeneratedInstallation;

int g_folders = 5000;
std::string g_dir;
GeneratedInstallation g_installation;

// Lists AIRCRAFT and reads every folder's aircraft.cfg whole.
long long ReadEveryFileWhole() {
  const std::string aircraft = fm::JoinPath(g_installation.root, "AIRCRAFT");
  std::vector<fm::DirEntry> entries;
  fm::ListDirectory(aircraft, "*.*", entries);
  long long bytes = 0;
  std::string content;
  for (const fm::DirEntry& entry : entries) {
    if (!entry.isDirectory) continue;
    fm::ReadFileBytes(fm::JoinPath(fm::JoinPath(aircraft, entry.name), "aircraft.cfg"), content);
    bytes += static_cast<long long>(content.size());
  }
  return bytes;
}

// A new wizard on the aircraft page, "Import Aircraft" pressed; the number
// of variations imported.
long long ImportOnce() {
  fm::CWizard wizard;
  wizard.State().workFolder = std::string(fm::FolderOf(g_installation.classFile));
  fm::testing::RecordingWizardDriver sheet(wizard);
  sheet.Next();
  sheet.ActiveHost().Press(IDC_IMPORT_AIRCRAFT);
  long long variations = 0;
  for (const fm::AircraftModel& model : wizard.State().aircraftModels) {
    variations += static_cast<long long>(model.variations.size());
  }
  return variations;
}

void BM_ReadFilesWholeBaseline(benchmark::State& state) {
  long long bytes = 0;
  for (auto _ : state) {
    bytes = ReadEveryFileWhole();
    benchmark::DoNotOptimize(bytes);
  }
  state.counters["folders"] = g_folders;
  state.counters["bytes"] = static_cast<double>(bytes);
  state.counters["ns_per_folder"] = benchmark::Counter(
      static_cast<double>(g_folders),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ReadFilesWholeBaseline)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ImportAircraft(benchmark::State& state) {
  long long variations = 0;
  for (auto _ : state) {
    variations = ImportOnce();
    benchmark::DoNotOptimize(variations);
  }
  state.counters["folders"] = g_folders;
  state.counters["variations"] = static_cast<double>(variations);
  state.counters["ns_per_folder"] = benchmark::Counter(
      static_cast<double>(g_folders),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ImportAircraft)->Unit(benchmark::kMillisecond)->UseRealTime();

long PeakKilobytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<char*> rest;
  std::string once;
  for (int i = 0; i < argc; ++i) {
    if (std::strncmp(argv[i], "--folders=", 10) == 0) {
      g_folders = std::atoi(argv[i] + 10);
    } else if (std::strncmp(argv[i], "--dir=", 6) == 0) {
      g_dir = argv[i] + 6;
    } else if (std::strncmp(argv[i], "--once=", 7) == 0) {
      once = argv[i] + 7;
    } else {
      rest.push_back(argv[i]);
    }
  }
  const bool keep = !g_dir.empty();
  const std::string base = keep ? g_dir : fm::MakeUniqueTempFolder("fmbench");
  if (base.empty()) return 1;
  const bool made = keep && fm::PathExists(fm::JoinPath(base, "air_class.cfg"));
  if (made) {
    g_installation.root = fm::JoinPath(base, "FS2002");
    g_installation.classFile = fm::JoinPath(base, "air_class.cfg");
  } else if (!fm::bench::GenerateAircraftInstallation(base, g_folders, g_installation)) {
    std::fprintf(stderr, "cannot generate the installation in %s\n", base.c_str());
    return 1;
  }
  setenv("FLEETMIX_FS_ROOT", g_installation.root.c_str(), 1);

  int status = 0;
  if (!once.empty()) {
    const long before = PeakKilobytes();
    const auto start = std::chrono::steady_clock::now();
    const long long result = once == "import" ? ImportOnce() : ReadEveryFileWhole();
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("%s: %lld, %.1f ms, peak %ld KB (%ld KB before)\n", once.c_str(), result, ms,
                PeakKilobytes(), before);
  } else {
    if (!made) {
      std::printf("generated %d folders, %lld bytes of aircraft.cfg\n", g_installation.folders,
                  g_installation.cfgBytes);
    }
    ReadEveryFileWhole();  // a warm file cache for both
    int n = static_cast<int>(rest.size());
    benchmark::Initialize(&n, rest.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
  }
  if (!keep) fm::RemoveTree(base);
  return status;
}
