// Decode speed of section 9 (procedural scenery, both passes of every
// LatRange unit) on a generated image, beside a baseline that only copies
// the same input and output bytes.
//
//   bench_procedural_decode [--size-mb=N] [--peak-memory] [benchmark flags]
//
// --peak-memory decodes once and prints the peak resident size instead of
// running the benchmarks.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench/procedural_image_generator.h"
#include "bgltext/driver.h"

namespace {

std::vector<uint8_t> g_image;
std::string g_imagePath;
size_t g_outputBytes = 0;

// The image as a file, decoded the way the program does it: loaded from the
// file and its text written through the output stream (here to the null
// device, so the disk does not take part).
bool WriteImageFile() {
  char path[] = "/tmp/bench_procedural_XXXXXX";
  int fd = mkstemp(path);
  if (fd < 0) return false;
  bool ok = write(fd, g_image.data(), g_image.size()) == static_cast<ssize_t>(g_image.size());
  close(fd);
  g_imagePath = path;
  return ok;
}

int Decode(const char* output) {
  std::string console;
  bgltext::Console capture(&console);
  return bgltext::RunBgltext({g_imagePath, output}, capture, [](const char*, const char*) {});
}

void BM_DecodeProceduralSection(benchmark::State& state) {
  for (auto _ : state) {
    if (Decode("/dev/null") != 0) state.SkipWithError("decode failed");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * g_image.size()));
}

// The same input bytes copied, and as many output bytes written.
void BM_CopyBaseline(benchmark::State& state) {
  for (auto _ : state) {
    std::vector<uint8_t> in(g_image);
    std::string out(g_outputBytes, ' ');
    benchmark::DoNotOptimize(in.data());
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * g_image.size()));
}

long PeakResidentKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

}  // namespace

int main(int argc, char** argv) {
  size_t sizeMb = 20;
  bool peakMemory = false;
  std::vector<char*> rest;
  for (int i = 0; i < argc; ++i) {
    if (std::strncmp(argv[i], "--size-mb=", 10) == 0) {
      sizeMb = std::strtoul(argv[i] + 10, nullptr, 10);
    } else if (std::strcmp(argv[i], "--peak-memory") == 0) {
      peakMemory = true;
    } else {
      rest.push_back(argv[i]);
    }
  }
  // --size-mb=0 is the tiny input of the test run.
  g_image = bglbench::GenerateProceduralImage(sizeMb == 0 ? 64 * 1024 : sizeMb * 1024 * 1024);
  if (!WriteImageFile()) {
    std::fprintf(stderr, "cannot write the image file\n");
    return 1;
  }
  if (peakMemory) {
    long before = PeakResidentKb();
    int status = Decode("/dev/null");
    std::printf("input %zu bytes, status %d\npeak RSS after generating: %ld KB, after decoding: %ld KB\n",
                g_image.size(), status, before, PeakResidentKb());
    std::remove(g_imagePath.c_str());
    return status;
  }
  // One decode into memory gives the output size for the baseline.
  bgltext::RunOptions options;
  options.inputPath = "bench.bgl";
  auto first = bgltext::RunOnBytes(g_image, options);
  if (first.status != 0 || first.files.empty()) {
    std::fprintf(stderr, "decode failed: %s\n", first.console.c_str());
    return 1;
  }
  g_outputBytes = first.files.begin()->second.size();
  std::printf("input %zu bytes, output %zu bytes\n", g_image.size(), g_outputBytes);

  benchmark::RegisterBenchmark("DecodeProceduralSection", BM_DecodeProceduralSection)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("CopyBaseline", BM_CopyBaseline)->Unit(benchmark::kMillisecond);
  int restCount = static_cast<int>(rest.size());
  benchmark::Initialize(&restCount, rest.data());
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::remove(g_imagePath.c_str());
  return 0;
}
