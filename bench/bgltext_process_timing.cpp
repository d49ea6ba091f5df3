// Timing of the real bgltext executable: the wall time of a run on a small
// airport-directory file (median of many runs, beside the cost of starting a
// program that does nothing), the time and peak memory of one run on the
// world-size file (each in a process that does only that run), beside a
// plain copy of its output file by cp, in the same run. With --hostile, the
// hostile images instead: each kind at three sizes ten times apart (the
// smallest BYTES, 100000 by default), its runs beside a cp of the same file.
//   bgltext_process_timing <bgltext> [--runs=N] [--small-airports=N] [--world-airports=N]
//   bgltext_process_timing <bgltext> --hostile[=BYTES] [--runs=N]
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tools/bglwriter/afd_world_generator.h"
#include "tools/bglwriter/hostile_images.h"

extern char** environ;

namespace {

// Runs program with args, output to /dev/null; returns the wall time in ms,
// the child's peak resident size in KiB and its exit status (-1 when it did
// not exit), and whether that status is 0.
bool RunOnce(const std::vector<std::string>& argv, double& ms, long& maxRssKb,
             int* exitStatus = nullptr) {
  std::vector<char*> args;
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  auto t0 = std::chrono::steady_clock::now();
  pid_t pid;
  if (posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ) != 0) return false;
  int status = 0;
  struct rusage ru {};
  wait4(pid, &status, 0, &ru);
  auto t1 = std::chrono::steady_clock::now();
  posix_spawn_file_actions_destroy(&actions);
  ms = std::chrono::duration<double, std::milli>(t1 - t0).count();
  maxRssKb = ru.ru_maxrss;
  if (exitStatus) *exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

long FileSize(const std::string& path) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return 0;
  std::fseek(f, 0, SEEK_END);
  long n = std::ftell(f);
  std::fclose(f);
  return n;
}

}  // namespace

// The peak memory of a child counts what its parent held when it was
// started, so the world run's peak is taken by a fresh copy of this program
// that holds nothing but the command line ("--peak <bgltext> <in> <out>").
long PeakOfFreshRun(const std::string& exe, const std::string& in, const std::string& out) {
  char self[4096];
  ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
  if (n <= 0) return -1;
  self[n] = 0;
  std::string cmd = std::string("'") + self + "' --peak '" + exe + "' '" + in + "' '" + out + "'";
  FILE* p = popen(cmd.c_str(), "r");
  if (!p) return -1;
  long kb = -1;
  if (std::fscanf(p, "%ld", &kb) != 1) kb = -1;
  pclose(p);
  return kb;
}

// The hostile images: per kind and size the median wall time of bgltext
// (text to /dev/null) and of cp of the same file, the cost per MB of input
// and its growth from the size before, the peak of one run in a fresh
// process and its ratio to the input, and bgltext's exit status. Returns the
// number of runs that crashed or did not start.
int HostileTable(const std::string& exe, const std::string& dir, size_t base, int runs) {
  std::printf(
      "| kind | input bytes | bgltext ms | cp ms | ms per MB | growth per byte | "
      "peak KiB | peak / input | status |\n|---|---|---|---|---|---|---|---|---|\n");
  const std::string in = dir + "/hostile.bgl", copy = dir + "/hostile.copy";
  int failures = 0;
  for (bgltest::HostileKind kind : bgltest::kHostileKinds) {
    // An unpacked image stops growing at 256 MB: the compressed kinds that
    // unpack stay below that.
    const size_t first = bgltest::HostileKindUnpacks(kind) ? base / 40 : base;
    double before = 0;
    for (size_t size = first; size <= 100 * first; size *= 10) {
      const auto image = bgltest::HostileImage(kind, size);
      WriteFile(in, image);
      std::vector<double> times, copies;
      int status = -1;
      long rss = 0;
      for (int i = 0; i < runs; ++i) {
        double ms;
        RunOnce({exe, in, "/dev/null"}, ms, rss, &status);
        if (status < 0) ++failures;
        times.push_back(ms);
        if (!RunOnce({"/bin/cp", in, copy}, ms, rss)) ++failures;
        copies.push_back(ms);
      }
      const long peak = PeakOfFreshRun(exe, in, "/dev/null");
      const double mb = image.size() / 1e6, perMb = Median(times) / mb;
      char growth[32] = "-";
      if (before > 0) std::snprintf(growth, sizeof growth, "%.2f", perMb / before);
      before = perMb;
      std::printf("| %s | %zu | %.1f | %.1f | %.1f | %s | %ld | %.1f | %d |\n",
                  bgltest::HostileKindName(kind), image.size(), Median(times), Median(copies),
                  perMb, growth, peak, peak * 1024.0 / image.size(), status);
    }
  }
  std::remove(in.c_str());
  std::remove(copy.c_str());
  return failures;
}

int main(int argc, char** argv) {
  if (argc == 5 && std::strcmp(argv[1], "--peak") == 0) {
    double ms;
    long rss = 0;
    bool ok = RunOnce({argv[2], argv[3], argv[4]}, ms, rss);
    std::printf("%ld\n", rss);
    return ok ? 0 : 1;
  }
  if (argc < 2) {
    std::fprintf(stderr,
                 "usage: %s <bgltext> [--runs=N] [--small-airports=N] [--world-airports=N]\n"
                 "       %s <bgltext> --hostile[=BYTES] [--runs=N]\n",
                 argv[0], argv[0]);
    return 2;
  }
  std::string exe = argv[1];
  int runs = 100;
  size_t smallAirports = 30, worldAirports = 0, hostile = 0;
  for (int i = 2; i < argc; ++i) {
    if (!std::strncmp(argv[i], "--runs=", 7)) runs = std::atoi(argv[i] + 7);
    if (!std::strcmp(argv[i], "--hostile")) hostile = 100000;
    if (!std::strncmp(argv[i], "--hostile=", 10)) hostile = std::strtoul(argv[i] + 10, nullptr, 10);
    if (!std::strncmp(argv[i], "--small-airports=", 17))
      smallAirports = std::strtoul(argv[i] + 17, nullptr, 10);
    if (!std::strncmp(argv[i], "--world-airports=", 17))
      worldAirports = std::strtoul(argv[i] + 17, nullptr, 10);
  }
  std::string dir = "bgltext_timing_" + std::to_string(getpid());
  mkdir(dir.c_str(), 0777);
  if (hostile != 0) {
    const int failures = HostileTable(exe, dir, hostile, runs < 5 ? runs : 5);
    rmdir(dir.c_str());
    return failures == 0 ? 0 : 1;
  }
  std::string small = dir + "/small.bgl", smallOut = dir + "/small.sca";
  std::string world = dir + "/world.bgl", worldOut = dir + "/world.sca";
  auto smallFile = bglbench::BuildAfdFile(
      bglbench::ReadAirportsCsv(bglbench::DefaultAirportsCsv(), smallAirports));
  WriteFile(small, smallFile);

  int failures = 0;
  std::vector<double> exeTimes, baseTimes;
  for (int i = 0; i < runs; ++i) {
    double ms;
    long rss;
    if (!RunOnce({exe, small, smallOut}, ms, rss)) ++failures;
    exeTimes.push_back(ms);
    if (!RunOnce({"/bin/true"}, ms, rss)) ++failures;
    baseTimes.push_back(ms);
  }
  std::printf("small file: %zu bytes in, %ld bytes out\n", smallFile.size(), FileSize(smallOut));
  std::printf("bgltext run on the small file: median %.3f ms over %d runs\n", Median(exeTimes),
              runs);
  std::printf("baseline /bin/true:            median %.3f ms over %d runs\n", Median(baseTimes),
              runs);

  size_t worldSize = 0;
  {
    auto worldFile = bglbench::BuildAfdFile(
        bglbench::ReadAirportsCsv(bglbench::DefaultAirportsCsv(), worldAirports));
    WriteFile(world, worldFile);
    worldSize = worldFile.size();
  }
  std::vector<double> worldTimes;
  int worldRuns = runs < 5 ? runs : 5;
  for (int i = 0; i < worldRuns; ++i) {
    double ms;
    long rss;
    if (!RunOnce({exe, world, worldOut}, ms, rss)) ++failures;
    worldTimes.push_back(ms);
  }
  // The same output bytes copied by cp, as a process too.
  const std::string worldCopy = worldOut + ".copy";
  std::vector<double> copyTimes;
  for (int i = 0; i < worldRuns; ++i) {
    double ms;
    long rss;
    if (!RunOnce({"/bin/cp", worldOut, worldCopy}, ms, rss)) ++failures;
    copyTimes.push_back(ms);
  }
  std::remove(worldCopy.c_str());
  long worldRss = PeakOfFreshRun(exe, world, worldOut);
  if (worldRss < 0) ++failures;
  long outBytes = FileSize(worldOut);
  double med = Median(worldTimes);
  std::printf("world file: %zu bytes in, %ld bytes out\n", worldSize, outBytes);
  std::printf(
      "bgltext run on the world file: median %.1f ms over %d runs = %.1f MB/s of output text\n",
      med, worldRuns, med > 0 ? outBytes / 1e6 / (med / 1000.0) : 0.0);
  const double copyMed = Median(copyTimes);
  std::printf("cp of that output file: median %.1f ms over %d runs; bgltext / cp = %.2f\n", copyMed,
              worldRuns, copyMed > 0 ? med / copyMed : 0.0);
  std::printf("peak resident memory of that run: %ld KiB\n", worldRss);
  std::remove(small.c_str());
  std::remove(smallOut.c_str());
  std::remove(world.c_str());
  std::remove(worldOut.c_str());
  rmdir(dir.c_str());
  return failures == 0 ? 0 : 1;
}
