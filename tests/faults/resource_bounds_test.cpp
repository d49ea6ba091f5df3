// Hand-edited files with a line of 50 MB: every reader takes it whole, and
// the memory it needs stays within a small multiple of the file's size plus
// a constant; bgltext on hostile images likewise. Each read runs in a child
// process of its own, whose peak the parent takes from the system.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>

#include "bgltext/driver.h"
#include "bgltext/jm_decompress.h"
#include "platform/file_paths.h"
#include "platform/file_system.h"
#include "platform/file_text.h"
#include "tests/faults/file_readers.h"
#include "tools/bglwriter/hostile_images.h"

namespace fm {
namespace {

// Runs `run` in a child and expects the peak memory of the child to grow
// at most `boundKb` KiB beyond that of a child that runs nothing (a child
// starts with this process's memory), and `run` to give true. A child that
// hangs meets its processor-time limit, generous for any of these runs.
void ExpectWithin(const char* what, long boundKb, const std::function<bool()>& run) {
  long peaks[2] = {};
  for (int idle = 1; idle >= 0; --idle) {
    const pid_t child = fork();
    if (child == 0) {
      const rlimit cpu{30, 30};
      setrlimit(RLIMIT_CPU, &cpu);
      _exit(idle || run() ? 0 : 1);
    }
    int status = 0;
    rusage usage{};
    ASSERT_TRUE(child > 0 && wait4(child, &status, 0, &usage) == child && status == 0)
        << what << ": another status, or no end";
    peaks[idle] = usage.ru_maxrss;
  }
  std::printf("%-20s peak %ld KiB above an idle child, bound %ld KiB\n", what, peaks[0] - peaks[1],
              boundKb);
  EXPECT_LE(peaks[0] - peaks[1], boundKb) << what;
}

constexpr size_t kLine = 50u << 20;
// What a reader may hold beyond the process it starts in: four times the
// file (the line, its copy into the model, the read buffer, one piece of
// it) and 16 MB.
constexpr long kBoundKb = static_cast<long>(4 * kLine / 1024) + 16 * 1024;

TEST(ResourceBounds, HostileFilesStayWithinTheirBounds) {
  const std::string folder = MakeUniqueTempFolder("fmbounds");
  ASSERT_FALSE(folder.empty());
  const struct {
    const char* file;
    const char* before;  // the huge line follows
    const char* told;    // by the reader of the file
  } texts[] = {
      {"FlightPlans.txt", "AC#1,", "read, 1 plans"},
      {"Aircraft.txt", "AC#1,250,\"", "read, 1 aircraft"},
      {"air_class.cfg", "[Jet]\r\n<\"", "read, 1 categories"},
      {"air_nat.cfg", "France/", "loaded, 1 countries"},
      {"sccache.txt", "00000001\r\n 0.70\r\n1", "loaded"},
      {"aircraft.cfg", "[fltsim.0]\r\ntitle=", "read, 1 models"},
  };
  for (const auto& test : texts) {
    const std::string path = JoinPath(folder, test.file);
    ASSERT_TRUE(WriteFileBytes(path, test.before + std::string(kLine, 'A') + "\r\n"));
    ExpectWithin(test.file, kBoundKb,
                 [&] { return testing::ReadAs(test.file, path) == test.told; });
    RemoveFile(path);
  }
  // bgltext holds the mapped file, the unpacked image of a compressed one, the
  // jump targets of one unit (at most half as many as the file has bytes, plus
  // 65536, some forty bytes each; and a bit per offset below 64 MB) and buffers
  // of a constant size. Beyond the file and the unpacked image: 24 bytes per
  // byte of the file, and 16 MB.
  using bgltest::HostileKind;
  const struct {
    HostileKind kind;
    size_t size;  // a compressed kind unpacks to 1024 times its size
    int status;   // of bgltext::RunBgltext
  } images[] = {
      {HostileKind::HugeClaim, 4 << 20, bgltext::kExitLoadFailure},
      {HostileKind::FullExpansion, 250000, bgltext::kExitSuccess},
      {HostileKind::HugeCounts, 4 << 20, bgltext::kExitDecoderFailure},  // output limit
      {HostileKind::UnendedDirectory, 4 << 20, bgltext::kExitDecoderFailure},
      {HostileKind::SharedLatRange, 2 << 20, bgltext::kExitDecoderFailure},  // output limit
      {HostileKind::JumpChain, 4 << 20, bgltext::kExitSuccess},
      // No memory: 25 MB unpacked, which would hold 500 MB of table.
      {HostileKind::PackedTargets, 25000, bgltext::kExitDecoderFailure},
  };
  const std::string path = JoinPath(folder, "hostile.bgl");
  for (const auto& test : images) {
    const std::vector<uint8_t> image = bgltest::HostileImage(test.kind, test.size);
    ASSERT_TRUE(WriteFileBytes(path, std::string(image.begin(), image.end())));
    const long size = static_cast<long>(image.size());
    const long unpacked = bgltest::HostileKindUnpacks(test.kind)
                              ? static_cast<long>(bgltext::JmPayloadLimit(size - 148))
                              : 0;
    ExpectWithin(bgltest::HostileKindName(test.kind),
                 (size * (1 + 24) + unpacked) / 1024 + 16 * 1024, [&] {
                   std::string console;
                   bgltext::Console quiet(&console);
                   return bgltext::RunBgltext({path, "/dev/null"}, quiet, nullptr) == test.status;
                 });
  }
  RemoveTree(folder);
}

}  // namespace
}  // namespace fm
