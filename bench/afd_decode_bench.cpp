// Decode speed of the airport directory (section 20) at world size: output
// text per second, in memory and into a real file, beside a baseline that
// only copies the same input and output bytes.
//   --airports=N   use the first N airports of airports.csv (0: all)
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "bgltext/driver.h"
#include "tools/bglwriter/afd_world_generator.h"

namespace {

size_t g_airports = 0;

const std::vector<uint8_t>& WorldFile() {
  static const std::vector<uint8_t> file =
      bglbench::BuildAfdFile(bglbench::ReadAirportsCsv(bglbench::DefaultAirportsCsv(), g_airports));
  return file;
}

size_t OutputSize() {
  static const size_t size = [] {
    bgltext::RunOptions o;
    o.inputPath = "world.bgl";
    auto r = bgltext::RunOnBytes(WorldFile(), o);
    size_t n = 0;
    for (auto& [path, text] : r.files) n += text.size();
    return n;
  }();
  return size;
}

void BM_AfdDecodeInMemory(benchmark::State& state) {
  const auto& file = WorldFile();
  bgltext::RunOptions o;
  o.inputPath = "world.bgl";
  for (auto _ : state) {
    auto r = bgltext::RunOnBytes(file, o);
    if (r.status != 0) state.SkipWithError("decode failed");
    benchmark::DoNotOptimize(r.files);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * OutputSize()));
  state.counters["input_bytes"] = static_cast<double>(file.size());
  state.counters["output_bytes"] = static_cast<double>(OutputSize());
}
BENCHMARK(BM_AfdDecodeInMemory)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_AfdDecodeToFile(benchmark::State& state) {
  const auto& file = WorldFile();
  std::string in = "bench_world_afd.bgl", out = "bench_world_afd.sca";
  FILE* f = std::fopen(in.c_str(), "wb");
  std::fwrite(file.data(), 1, file.size(), f);
  std::fclose(f);
  std::string console;
  for (auto _ : state) {
    console.clear();
    bgltext::Console c(&console);
    int status = bgltext::RunBgltext({in, out}, c, nullptr);
    if (status != 0) state.SkipWithError("decode failed");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * OutputSize()));
  std::remove(in.c_str());
  std::remove(out.c_str());
}
BENCHMARK(BM_AfdDecodeToFile)->Unit(benchmark::kMillisecond)->UseRealTime();

// Baseline: copying the same input bytes and writing as many output bytes.
void BM_CopyBaseline(benchmark::State& state) {
  const auto& file = WorldFile();
  std::vector<uint8_t> in(file.size());
  std::string out;
  for (auto _ : state) {
    std::memcpy(in.data(), file.data(), file.size());
    out.assign(OutputSize(), 'x');
    benchmark::DoNotOptimize(in.data());
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * OutputSize()));
}
BENCHMARK(BM_CopyBaseline)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  std::vector<char*> rest;
  for (int i = 0; i < argc; ++i) {
    if (std::strncmp(argv[i], "--airports=", 11) == 0) {
      g_airports = std::strtoul(argv[i] + 11, nullptr, 10);
    } else {
      rest.push_back(argv[i]);
    }
  }
  int n = static_cast<int>(rest.size());
  benchmark::Initialize(&n, rest.data());
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
