// The airports at world size: sccache.txt loaded and saved, a world
// temp.sca read, and the whole "Import from FS" over the world split into
// 30 airport-directory files with the real bgltext runs, each beside a
// baseline that reads or writes the same bytes.
//   --airports=N   the first N airports of airports.csv (0: all)
//   --dir=FOLDER   where the inputs are made (default: a new temporary folder)
//   --peak=load|save|parse|import
//                  makes the inputs, then runs that operation once and prints
//                  the peak resident memory before and after it (on the
//                  inputs that an earlier run with the same --dir made)
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "geo/airport_cache.h"
#include "geo/scenery_text.h"
#include "platform/file_paths.h"
#include "platform/file_system.h"
#include "platform/file_text.h"
#include "resources/resource.h"
#include "services/system_command_lines.h"
#include "services/system_services.h"
#include "tests/support/recording_sheet.h"
#include "tools/bglwriter/afd_world_generator.h"

namespace {

constexpr int kSceneryFiles = 30;

size_t g_airports = 0;
std::string g_dir;

struct Inputs {
  std::string cache, sceneryText, root, work;
  std::vector<std::string> afdFiles;
  std::string cacheBytes, sceneryBytes;
  int airports = 0;
};

// Sends what bgltext writes on its standard output to /dev/null while it
// lives, so that only the benchmark's own report is printed.
class QuietChildren {
 public:
  QuietChildren() {
    std::fflush(stdout);
    saved_ = dup(1);
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, 1);
    close(null);
  }
  ~QuietChildren() {
    dup2(saved_, 1);
    close(saved_);
  }

 private:
  int saved_;
};

std::string Bytes(const std::vector<uint8_t>& v) { return std::string(v.begin(), v.end()); }

// Runs the embedded bgltext on one file into `output`.
bool RunBgltext(const std::string& folder, const std::string& name, const std::string& output) {
  QuietChildren quiet;
  fm::ExtractedTool tool = fm::ExtractTool(132);
  return !tool.Empty() &&
         fm::RunTool(fm::BgltextCommandLine(tool.Path(), folder, name, output), true, false);
}

const Inputs& MakeInputs() {
  static const Inputs inputs = [] {
    Inputs in;
    if (g_dir.empty()) g_dir = fm::MakeUniqueTempFolder("fmix-bench");
    const auto rows = bglbench::ReadAirportsCsv(bglbench::DefaultAirportsCsv(), g_airports);
    in.root = fm::JoinPath(g_dir, "FS2002");
    in.work = fm::JoinPath(g_dir, "work");
    const std::string scenery = fm::JoinPath(in.root, "SCENEDB/AFDFILES/SCENERY");
    fm::MakeDirectories(scenery);
    fm::MakeDirectories(in.work);
    // The whole world in one file, as one temp.sca, and its cache.
    fm::WriteFileBytes(fm::JoinPath(g_dir, "WORLD.BGL"), Bytes(bglbench::BuildAfdFile(rows, true)));
    in.sceneryText = fm::JoinPath(g_dir, "world.sca");
    if (!RunBgltext(g_dir, "WORLD.BGL", in.sceneryText)) std::abort();
    fm::ReadFileBytes(in.sceneryText, in.sceneryBytes);
    fm::AirportStore store;
    fm::TextLineReader reader;
    reader.Open(in.sceneryText);
    fm::ReadSceneryText(reader, store);
    in.airports = store.CountPlaces().airports;
    in.cache = fm::JoinPath(g_dir, "sccache.txt");
    fm::SaveCache(store, in.cache);
    fm::ReadFileBytes(in.cache, in.cacheBytes);
    // The world split into 30 files for the import.
    for (int f = 0; f < kSceneryFiles; ++f) {
      const size_t from = rows.size() * f / kSceneryFiles,
                   to = rows.size() * (f + 1) / kSceneryFiles;
      char name[16];
      std::snprintf(name, sizeof name, "AFD%02d.BGL", f);
      in.afdFiles.push_back(fm::JoinPath(scenery, name));
      fm::WriteFileBytes(in.afdFiles.back(), Bytes(bglbench::BuildAfdFile(
                                                 {rows.begin() + from, rows.begin() + to}, true)));
    }
    fm::WriteTextFile(fm::JoinPath(in.work, "air_nat.cfg"), "US/AMERICAN,UNITED\nGB/SPEEDBIRD\n");
    setenv("FLEETMIX_FS_ROOT", in.root.c_str(), 1);
    return in;
  }();
  return inputs;
}

void Report(benchmark::State& state, size_t bytes) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
  state.counters["airports"] = MakeInputs().airports;
}

void BM_LoadCache(benchmark::State& state) {
  const Inputs& in = MakeInputs();
  fm::NoStatus status;
  for (auto _ : state) {
    fm::AirportStore store;
    if (fm::LoadCache(store, in.cache, status) != fm::CacheLoad::Loaded)
      state.SkipWithError("load");
    state.PauseTiming();  // the store's end is not the load's
    store = fm::AirportStore();
    state.ResumeTiming();
  }
  Report(state, in.cacheBytes.size());
}

void BM_ReadCacheLinesBaseline(benchmark::State& state) {
  const Inputs& in = MakeInputs();
  std::string line;
  for (auto _ : state) {
    fm::TextLineReader reader;
    reader.Open(in.cache);
    size_t n = 0;
    while (reader.ReadLine(line)) n += line.size();
    benchmark::DoNotOptimize(n);
  }
  Report(state, in.cacheBytes.size());
}

void BM_SaveCache(benchmark::State& state) {
  const Inputs& in = MakeInputs();
  fm::AirportStore store;
  fm::NoStatus status;
  fm::LoadCache(store, in.cache, status);
  const std::string out = fm::JoinPath(g_dir, "saved.txt");
  for (auto _ : state) {
    if (!fm::SaveCache(store, out)) state.SkipWithError("save");
  }
  Report(state, in.cacheBytes.size());
}

// The same bytes written as a whole-or-nothing write must: beside the
// target, to the disk, then renamed over it.
void BM_WriteCacheBytesBaseline(benchmark::State& state) {
  const Inputs& in = MakeInputs();
  const std::string out = fm::JoinPath(g_dir, "written.txt");
  const std::string beside = out + ".new";
  for (auto _ : state) {
    fm::OutputFile file;
    file.Create(beside);
    file.WriteBytes(in.cacheBytes);
    file.FlushToDisk();
    file.Close();
    fm::ReplaceFileWith(beside, out);
  }
  Report(state, in.cacheBytes.size());
}

void BM_ParseSceneryText(benchmark::State& state) {
  const Inputs& in = MakeInputs();
  for (auto _ : state) {
    fm::AirportStore store;
    fm::TextLineReader reader;
    reader.Open(in.sceneryText);
    fm::ReadSceneryText(reader, store);
    state.PauseTiming();
    if (store.CountPlaces().airports != in.airports) state.SkipWithError("parse");
    store = fm::AirportStore();
    state.ResumeTiming();
  }
  Report(state, in.sceneryBytes.size());
}

void BM_ReadSceneryLinesBaseline(benchmark::State& state) {
  const Inputs& in = MakeInputs();
  std::string line;
  for (auto _ : state) {
    fm::TextLineReader reader;
    reader.Open(in.sceneryText);
    size_t n = 0;
    while (reader.ReadLine(line)) n += line.size();
    benchmark::DoNotOptimize(n);
  }
  Report(state, in.sceneryBytes.size());
}

// "Import from FS" pressed on the scenery page of a wizard: 30 bgltext runs,
// their texts read, air_nat.cfg, the tree and the cache.
bool ImportOnce(const Inputs& in) {
  fm::CWizard wizard;
  wizard.State().aircraftModels.emplace_back();
  wizard.State().workFolder = in.work;
  fm::testing::RecordingWizardDriver sheet(wizard);
  sheet.Next();
  sheet.Next();
  QuietChildren quiet;
  sheet.ActiveHost().Press(IDC_IMPORT);
  return sheet.ActiveHost()
             .GetText(IDC_STATUS)
             .rfind("Import completed. " + std::to_string(in.airports) + " ", 0) == 0;
}

void BM_ImportFromFs(benchmark::State& state) {
  const Inputs& in = MakeInputs();
  for (auto _ : state) {
    if (!ImportOnce(in)) state.SkipWithError("import");
  }
  Report(state, in.sceneryBytes.size());
}

// The same bytes moved without bgltext: every BGL file read, as much text
// as bgltext writes for the world written to temp.sca in 30 pieces.
void BM_ImportBytesBaseline(benchmark::State& state) {
  const Inputs& in = MakeInputs();
  const std::string temp = fm::JoinPath(in.work, "temp.sca");
  std::string bytes;
  const std::string piece = in.sceneryBytes.substr(0, in.sceneryBytes.size() / kSceneryFiles);
  for (auto _ : state) {
    for (const std::string& file : in.afdFiles) {
      fm::ReadFileBytes(file, bytes);
      fm::WriteFileBytes(temp, piece);
      fm::ReadFileBytes(temp, bytes);
    }
  }
  fm::RemoveFile(temp);
  Report(state, in.sceneryBytes.size());
}

BENCHMARK(BM_LoadCache)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadCacheLinesBaseline)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SaveCache)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WriteCacheBytesBaseline)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ParseSceneryText)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadSceneryLinesBaseline)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ImportFromFs)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ImportBytesBaseline)->Unit(benchmark::kMillisecond)->UseRealTime();

long PeakKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// One operation on inputs made by an earlier run (--dir), so that the peak
// is the operation's own.
int RunForPeak(const std::string& operation) {
  const std::string cache = fm::JoinPath(g_dir, "sccache.txt");
  const long before = PeakKb();
  fm::AirportStore store;
  fm::NoStatus status;
  if (operation == "load" || operation == "save") {
    fm::LoadCache(store, cache, status);
    if (operation == "save") {
      std::printf("after load: peak %ld kB\n", PeakKb());
      fm::SaveCache(store, fm::JoinPath(g_dir, "saved.txt"));
    }
  } else if (operation == "parse") {
    fm::TextLineReader reader;
    reader.Open(fm::JoinPath(g_dir, "world.sca"));
    fm::ReadSceneryText(reader, store);
  } else if (operation == "import") {
    Inputs in;
    in.work = fm::JoinPath(g_dir, "work");
    setenv("FLEETMIX_FS_ROOT", fm::JoinPath(g_dir, "FS2002").c_str(), 1);
    in.airports = -1;
    ImportOnce(in);
  } else {
    std::fprintf(stderr, "unknown --peak operation\n");
    return 2;
  }
  std::printf("%s: peak %ld kB before, %ld kB after\n", operation.c_str(), before, PeakKb());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<char*> rest;
  std::string peak;
  for (int i = 0; i < argc; ++i) {
    if (std::strncmp(argv[i], "--airports=", 11) == 0) {
      g_airports = std::strtoul(argv[i] + 11, nullptr, 10);
    } else if (std::strncmp(argv[i], "--dir=", 6) == 0) {
      g_dir = argv[i] + 6;
    } else if (std::strncmp(argv[i], "--peak=", 7) == 0) {
      peak = argv[i] + 7;
    } else {
      rest.push_back(argv[i]);
    }
  }
  if (!peak.empty()) return g_dir.empty() ? 2 : RunForPeak(peak);
  const bool madeFolder = g_dir.empty();
  int n = static_cast<int>(rest.size());
  benchmark::Initialize(&n, rest.data());
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (madeFolder && !g_dir.empty()) fm::RemoveTree(g_dir);
  return 0;
}
