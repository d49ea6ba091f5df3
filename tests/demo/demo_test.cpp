// The demo installation, built as the build builds it and imported with the
// product's own operations: the aircraft (classified by the starter
// air_class.cfg), the airports through the real bgltext, and the traffic
// through the traffic decompiler. Two builds give the same bytes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "aircraft/aircraft_scan.h"
#include "demo/demo_builder.h"
#include "geo/air_nat.h"
#include "geo/scenery_import.h"
#include "platform/file_system.h"
#include "platform/file_text.h"
#include "traffic/traffic_import.h"

namespace fm {
namespace {

// Every file below `root`, relative path -> bytes.
std::map<std::string, std::string> Tree(const std::string& root) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    const std::string path = entry.path().string();
    if (entry.is_regular_file()) ReadFileBytes(path, files[path.substr(root.size())]);
  }
  return files;
}

TEST(DemoInstallation, BuildsTheSameBytesAgainAndImportsWithTheProductsOperations) {
  const std::string out = MakeUniqueTempFolder("fmdemo"), again = MakeUniqueTempFolder("fmdemo");
  const std::string root = out + "/FS2002", work = out + "/work";
  demo::DemoBuild built;
  std::string problem;
  ASSERT_TRUE(demo::BuildDemo(FM_SOURCE_DIR, out, built, problem)) << problem;
  // Another build, and one over it and what a run left in it.
  ASSERT_TRUE(demo::BuildDemo(FM_SOURCE_DIR, again, built, problem)) << problem;
  ASSERT_TRUE(WriteFileBytes(again + "/work/report.txt", "left by a run"));
  ASSERT_TRUE(demo::BuildDemo(FM_SOURCE_DIR, again, built, problem)) << problem;
  EXPECT_TRUE(Tree(out) == Tree(again)) << "two builds differ";
  RemoveTree(again);

  // Every aircraft has its category, the airship meant to have none aside,
  // and an airline air_nat.cfg knows or none.
  AircraftCategories categories;
  ASSERT_TRUE(categories.LoadCategories(work + "/air_class.cfg"));
  AircraftModelList models;
  ScanAircraftFolders(root + "/AIRCRAFT", categories, models);
  ASSERT_EQ(static_cast<int>(models.size()), built.aircraftFolders);
  AirportStore store;
  ASSERT_EQ(ReadAirNatFile(work + "/air_nat.cfg", store.Airlines()), AirNatRead::Loaded);
  std::set<std::string> known, flown;
  for (const auto& [country, callsigns] : store.Airlines().Countries())
    known.insert(callsigns.begin(), callsigns.end());
  for (const AircraftModel& model : models) {
    for (const auto& [title, variation] : model.variations) {
      EXPECT_EQ(model.category == "Unknown", title == "Zeppelin NT") << title;
      EXPECT_TRUE(variation.atcAirline.empty() || known.count(variation.atcAirline)) << title;
    }
  }

  // The airports through bgltext, a region per file, every country with
  // callsigns; the traffic's plans fly between them, its titles classified.
  ASSERT_EQ(setenv("FLEETMIX_FS_ROOT", root.c_str(), 1), 0);
  NoStatus status;
  ASSERT_EQ(RunSceneryImport(store, work, status), SceneryImportRun::Completed);
  EXPECT_EQ(store.CountPlaces().airports, built.airports);
  EXPECT_EQ(static_cast<int>(store.Places().size()), built.afdFiles);
  for (const auto& [region, countries] : store.Places()) {
    for (const auto& [country, states] : countries) {
      const auto* callsigns = store.Airlines().FindCountryAirlines(country);
      EXPECT_TRUE(callsigns && !callsigns->empty()) << region << "/" << country;
    }
  }
  TrafficImportRequest request;
  request.workFolder = work;
  TrafficAircraftMap aircraft;
  std::list<FlightPlan> plans;
  const TrafficImportOutcome outcome = ImportTrafficFiles(request, status, aircraft, plans);
  unsetenv("FLEETMIX_FS_ROOT");
  ASSERT_EQ(outcome.status, TrafficImportStatus::kLoaded);
  EXPECT_EQ(static_cast<int>(plans.size()), built.plans);
  EXPECT_EQ(outcome.counts.irregularLines, 0);
  for (const FlightPlan& plan : plans) {
    flown.insert(plan.aircraftId);
    for (const FlightLeg& leg : plan.legs)
      EXPECT_NE(store.FindAirport(leg.airportId), nullptr) << plan.lineText;
  }
  for (const auto& [id, traffic] : aircraft) {
    EXPECT_NE(categories.ClassifyTrafficTitle(traffic.title), "") << id << " " << traffic.title;
    EXPECT_TRUE(flown.count(id)) << id << " flies no plan";
  }
  RemoveTree(out);
}

}  // namespace
}  // namespace fm
