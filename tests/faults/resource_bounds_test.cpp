// Hand-edited files with a line of 50 MB: every reader takes it whole, and
// the memory it needs stays within a small multiple of the file's size plus
// a constant. Each read runs in a child process of its own, whose peak the
// parent takes from the system.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <list>
#include <string>

#include "aircraft/aircraft_category.h"
#include "aircraft/aircraft_cfg_reader.h"
#include "geo/air_nat.h"
#include "geo/airport_cache.h"
#include "geo/airport_store.h"
#include "platform/file_paths.h"
#include "platform/file_system.h"
#include "platform/file_text.h"
#include "services/status_sink.h"
#include "traffic/traffic_files.h"

namespace fm {
namespace {

constexpr size_t kLine = 50u << 20;
// What a reader may hold beyond the process it starts in: four times the
// file (the line, its copy into the model, the read buffer, one piece of
// it) and 16 MB.
constexpr long kBoundKb = static_cast<long>(4 * kLine / 1024) + 16 * 1024;

// The growth of the peak memory of a child that runs `read`, in KiB;
// -1 when the child failed.
long PeakGrowthOfChild(const std::function<bool()>& read) {
  const pid_t child = fork();
  if (child == 0) _exit(read() ? 0 : 1);
  int status = 0;
  rusage usage{};
  if (child < 0 || wait4(child, &status, 0, &usage) != child) return -1;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
  return usage.ru_maxrss;
}

TEST(ResourceBounds, ALineOfFiftyMegabytesStaysWithinItsBound) {
  const std::string folder = MakeUniqueTempFolder("fmbounds");
  ASSERT_FALSE(folder.empty());
  const std::string path = JoinPath(folder, "file.txt");
  const std::string huge(kLine, 'A');
  struct Case {
    const char* name;
    std::string before;  // the huge line follows
    std::function<bool()> read;
  };
  const Case cases[] = {
      {"FlightPlans.txt", "AC#1,",
       [&] {
         std::list<FlightPlan> plans;
         FlightPlanCounts counts;
         return ReadFlightPlansFile(path, plans, counts) && plans.size() == 1;
       }},
      {"Aircraft.txt", "AC#1,250,\"",
       [&] {
         TrafficAircraftMap aircraft;
         int lines = 0;
         return ReadAircraftFile(path, aircraft, lines) && aircraft.size() == 1;
       }},
      {"air_class.cfg", "[Jet]\r\n<\"",
       [&] {
         AircraftCategories categories;
         return categories.LoadCategories(path) && categories.size() == 1;
       }},
      {"air_nat.cfg", "France/",
       [&] {
         AirlineCountryMap airlines;
         return ReadAirNatFile(path, airlines) == AirNatRead::Loaded;
       }},
      {"sccache.txt", "00000001\r\n 0.70\r\n1",
       [&] {
         AirportStore store;
         NoStatus status;
         LoadCache(store, path, status);
         return true;
       }},
      {"aircraft.cfg", "[fltsim.0]\r\ntitle=",
       [&] {
         const std::string cfg = JoinPath(folder, "aircraft.cfg");
         AircraftCategories categories;
         AircraftModelList models;
         return ReplaceFileWith(path, cfg) && ReadAircraftCfg(folder, categories, models) &&
                models.size() == 1;
       }},
  };
  // A child starts with this process's memory: the growth is measured
  // against a child that reads nothing.
  const long idle = PeakGrowthOfChild([] { return true; });
  ASSERT_GT(idle, 0);
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    ASSERT_TRUE(WriteFileBytes(path, test.before + huge + "\r\n"));
    const long peak = PeakGrowthOfChild(test.read);
    ASSERT_GT(peak, 0) << "the read failed";
    EXPECT_LE(peak - idle, kBoundKb) << "peak " << peak << " KiB, idle " << idle << " KiB";
    std::printf("%-16s peak %ld KiB above an idle child, bound %ld KiB\n", test.name, peak - idle,
                kBoundKb);
  }
  RemoveTree(folder);
}

}  // namespace
}  // namespace fm
