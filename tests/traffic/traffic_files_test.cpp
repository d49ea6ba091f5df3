// Aircraft.txt and FlightPlans.txt as wholes: the counts the import shows,
// and the files the save writes.
#include "traffic/traffic_files.h"

#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "tests/support/fixture_installation.h"

namespace fm {
namespace {

using testing::FixtureInstallation;

class TrafficFilesTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(installation.IsReady()); }
  FixtureInstallation installation;
};

TEST_F(TrafficFilesTest, MissingFilesAreReported) {
  TrafficAircraftMap aircraft;
  int lines = 0;
  EXPECT_FALSE(ReadAircraftFile(installation.WorkPath("Aircraft.txt"), aircraft, lines));
  std::list<FlightPlan> plans;
  FlightPlanCounts counts;
  EXPECT_FALSE(ReadFlightPlansFile(installation.WorkPath("FlightPlans.txt"), plans, counts));
}

// A folder where a file should be cannot be read: that is a failure, not an
// empty file whose nothing a later save would write back.
TEST_F(TrafficFilesTest, AFolderInPlaceOfAFileIsReported) {
  ASSERT_TRUE(MakeDirectory(installation.WorkPath("Aircraft.txt")));
  ASSERT_TRUE(MakeDirectory(installation.WorkPath("FlightPlans.txt")));
  TrafficAircraftMap aircraft;
  int lines = 0;
  EXPECT_FALSE(ReadAircraftFile(installation.WorkPath("Aircraft.txt"), aircraft, lines));
  std::list<FlightPlan> plans;
  FlightPlanCounts counts;
  EXPECT_FALSE(ReadFlightPlansFile(installation.WorkPath("FlightPlans.txt"), plans, counts));
}

TEST_F(TrafficFilesTest, ProgressComesAfterEveryThousandthPlan) {
  std::string text;
  for (int i = 0; i < 2500; ++i) text += "AC#1,N1,100%,24Hr,IFR,07:00,08:00,050,F,0001,EGLL\n";
  installation.WorkFile("FlightPlans.txt", text);
  std::list<FlightPlan> plans;
  FlightPlanCounts counts;
  std::vector<int> reported;
  ASSERT_TRUE(ReadFlightPlansFile(installation.WorkPath("FlightPlans.txt"), plans, counts,
                                  [&](int loaded) { reported.push_back(loaded); }));
  EXPECT_EQ(reported, (std::vector<int>{1000, 2000}));
  EXPECT_EQ(counts.legsPerAirport["EGLL"], 2500);
}

TEST_F(TrafficFilesTest, AMegabyteLineIsReadWhole) {
  const std::string title(1 << 20, 'x');
  installation.WorkFileBytes("Aircraft.txt", "AC#1,250,\"" + title + "\"\r\nAC#2,1,\"y\"\r\n");
  TrafficAircraftMap aircraft;
  int lines = 0;
  ASSERT_TRUE(ReadAircraftFile(installation.WorkPath("Aircraft.txt"), aircraft, lines));
  EXPECT_EQ(lines, 2);
  EXPECT_EQ(aircraft["AC#1"].title, title);
  EXPECT_EQ(aircraft["AC#2"].title, "y");
}

TEST_F(TrafficFilesTest, ARefusedPlanFileLeavesBothEarlierFilesAsTheyWere) {
  installation.WorkFile("aircraft.txt", "AC#1,1,\"old\"\n");
  installation.WorkFile("FlightPlans.txt", "old plans\n");
  ASSERT_TRUE(SetReadOnly(installation.WorkPath("FlightPlans.txt"), true));
  TrafficFile failed = TrafficFile::kAircraft;
  EXPECT_FALSE(
      WriteTrafficFiles(installation.WorkFolder(), {{"AC#1", {"2", "new"}}}, {"x,y"}, &failed));
  EXPECT_EQ(failed, TrafficFile::kFlightPlans);
  EXPECT_EQ(installation.ReadWorkFile("aircraft.txt"), "AC#1,1,\"old\"\r\n");
  EXPECT_EQ(installation.ReadWorkFile("FlightPlans.txt"), "old plans\r\n");
  std::vector<DirEntry> entries;
  ASSERT_TRUE(ListDirectory(installation.WorkFolder(), "*", entries));
  EXPECT_EQ(entries.size(), 2u) << "no file is left beside the targets";
}

}  // namespace
}  // namespace fm
