// The demo installation, built as the build builds it and imported with the
// product's own operations: the aircraft (classified by the starter
// air_class.cfg), the airports through the real bgltext, and the traffic
// through the traffic decompiler. Two builds give the same bytes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <list>
#include <map>
#include <set>
#include <string>

#include "aircraft/aircraft_scan.h"
#include "demo/demo_builder.h"
#include "geo/air_nat.h"
#include "geo/scenery_import.h"
#include "platform/file_system.h"
#include "platform/file_text.h"
#include "traffic/traffic_import.h"

namespace {

namespace fsys = std::filesystem;

// Every file below `root`, relative path -> bytes.
std::map<std::string, std::string> Tree(const std::string& root) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fsys::recursive_directory_iterator(root)) {
    if (!entry.is_regular_file()) continue;
    std::string bytes;
    EXPECT_TRUE(fm::ReadFileBytes(entry.path().string(), bytes));
    files[fsys::relative(entry.path(), root).generic_string()] = bytes;
  }
  return files;
}

class DemoInstallation : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    out_ = new std::string(fm::MakeUniqueTempFolder("fmdemo"));
    std::string problem;
    ok_ = fm::demo::BuildDemo(FM_SOURCE_DIR, *out_, built_, problem);
    EXPECT_TRUE(ok_) << problem;
  }
  static void TearDownTestSuite() {
    fm::RemoveTree(*out_);
    delete out_;
  }
  void SetUp() override { ASSERT_TRUE(ok_); }

  static std::string Root() { return *out_ + "/FS2002"; }
  static std::string Work() { return *out_ + "/work"; }

  static std::string* out_;
  static bool ok_;
  static fm::demo::DemoBuild built_;
};

std::string* DemoInstallation::out_ = nullptr;
bool DemoInstallation::ok_ = false;
fm::demo::DemoBuild DemoInstallation::built_;

TEST_F(DemoInstallation, TwoBuildsGiveTheSameBytes) {
  const std::string again = fm::MakeUniqueTempFolder("fmdemo");
  fm::demo::DemoBuild built;
  std::string problem;
  ASSERT_TRUE(fm::demo::BuildDemo(FM_SOURCE_DIR, again, built, problem)) << problem;
  // A build over an earlier one (and over what a run left in it) too.
  ASSERT_TRUE(fm::WriteFileBytes(again + "/work/report.txt", "left by a run"));
  ASSERT_TRUE(fm::demo::BuildDemo(FM_SOURCE_DIR, again, built, problem)) << problem;
  const auto first = Tree(*out_), second = Tree(again);
  fm::RemoveTree(again);
  ASSERT_EQ(first.size(), second.size());
  for (const auto& [path, bytes] : first) {
    auto it = second.find(path);
    ASSERT_NE(it, second.end()) << path;
    EXPECT_TRUE(it->second == bytes) << path << " differs";
  }
  EXPECT_EQ(built.aircraftFolders, built_.aircraftFolders);
}

TEST_F(DemoInstallation, EveryAircraftHasItsCategoryAndAKnownAirline) {
  fm::AircraftCategories categories;
  ASSERT_TRUE(categories.LoadCategories(Work() + "/air_class.cfg"));
  fm::AircraftModelList models;
  fm::ScanAircraftFolders(Root() + "/AIRCRAFT", categories, models);
  ASSERT_EQ(static_cast<int>(models.size()), built_.aircraftFolders);
  EXPECT_GE(models.size(), 20u);
  EXPECT_LE(models.size(), 40u);

  fm::AirlineCountryMap airNat;
  ASSERT_EQ(fm::ReadAirNatFile(Work() + "/air_nat.cfg", airNat), fm::AirNatRead::Loaded);
  std::set<std::string> known;
  for (const auto& [country, callsigns] : airNat.Countries()) {
    known.insert(callsigns.begin(), callsigns.end());
  }
  std::set<std::string> categoriesSeen, airlines;
  int withoutAirline = 0;
  for (const fm::AircraftModel& model : models) {
    ASSERT_FALSE(model.variations.empty()) << model.atcType << " " << model.atcModel;
    const std::string& path = model.variations.begin()->second.cfgPath;
    const bool meantUnknown = path.find("Zeppelin_NT") != std::string::npos;
    EXPECT_EQ(model.category == "Unknown", meantUnknown) << path << ": " << model.category;
    categoriesSeen.insert(model.category);
    for (const auto& [title, variation] : model.variations) {
      if (variation.atcAirline.empty()) {
        ++withoutAirline;
        continue;
      }
      airlines.insert(variation.atcAirline);
      EXPECT_TRUE(known.count(variation.atcAirline)) << title << ": " << variation.atcAirline;
    }
  }
  EXPECT_EQ(categoriesSeen.size(), categories.size() + 1);  // every category, and Unknown
  EXPECT_GE(airlines.size(), 20u);
  EXPECT_GT(withoutAirline, 10);
}

TEST_F(DemoInstallation, AirportsAndTrafficImportWithTheProductsOperations) {
  ASSERT_EQ(setenv("FLEETMIX_FS_ROOT", Root().c_str(), 1), 0);
  fm::NoStatus status;
  fm::AirportStore store;
  ASSERT_EQ(fm::RunSceneryImport(store, Work(), status), fm::SceneryImportRun::Completed);
  ASSERT_EQ(fm::ReadAirNatFile(Work() + "/air_nat.cfg", store.Airlines()), fm::AirNatRead::Loaded);
  EXPECT_EQ(store.CountPlaces().airports, built_.airports);
  EXPECT_EQ(static_cast<int>(store.Places().size()), built_.afdFiles);  // a region per file
  int countries = 0;
  for (const auto& [region, regionCountries] : store.Places()) {
    for (const auto& [country, states] : regionCountries) {
      ++countries;
      const auto* callsigns = store.Airlines().FindCountryAirlines(country);
      EXPECT_TRUE(callsigns != nullptr && !callsigns->empty()) << region << "/" << country;
    }
  }
  EXPECT_GE(countries, 12);

  fm::AircraftCategories categories;
  ASSERT_TRUE(categories.LoadCategories(Work() + "/air_class.cfg"));
  fm::TrafficImportRequest request;
  request.workFolder = Work();
  fm::TrafficAircraftMap aircraft;
  std::list<fm::FlightPlan> plans;
  const fm::TrafficImportOutcome outcome = fm::ImportTrafficFiles(request, status, aircraft, plans);
  ASSERT_EQ(outcome.status, fm::TrafficImportStatus::kLoaded);
  EXPECT_EQ(static_cast<int>(plans.size()), built_.plans);
  EXPECT_EQ(outcome.counts.irregularLines, 0);
  EXPECT_TRUE(fm::IsRegularFile(Work() + "/Airports.txt"));
  std::set<std::string> flown;
  for (const fm::FlightPlan& plan : plans) {
    flown.insert(plan.aircraftId);
    for (const fm::FlightLeg& leg : plan.legs) {
      EXPECT_NE(store.FindAirport(leg.airportId), nullptr) << plan.lineText;
    }
  }
  for (const auto& [id, traffic] : aircraft) {
    EXPECT_NE(categories.ClassifyTrafficTitle(traffic.title), "") << id << " " << traffic.title;
    EXPECT_TRUE(flown.count(id)) << id << " flies no plan";
  }
  unsetenv("FLEETMIX_FS_ROOT");
}

}  // namespace
