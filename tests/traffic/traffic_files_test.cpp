// Aircraft.txt and FlightPlans.txt as wholes: what the import reads and
// counts, and the files the save writes.
#include "traffic/traffic_files.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/file_system.h"
#include "tests/support/fixture_installation.h"

namespace fm {
namespace {

using testing::FixtureInstallation;
using Names = std::vector<std::string>;

class TrafficFilesTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(installation.IsReady()); }

  bool ReadAircraft(TrafficAircraftMap& aircraft, int& lines) {
    return ReadAircraftFile(installation.WorkPath("Aircraft.txt"), aircraft, lines);
  }
  bool ReadPlans(std::list<FlightPlan>& plans, FlightPlanCounts& counts) {
    return ReadFlightPlansFile(installation.WorkPath("FlightPlans.txt"), plans, counts);
  }
  // The names in the working folder, in byte order.
  Names WorkNames() {
    std::vector<DirEntry> entries;
    EXPECT_TRUE(ReadDirectoryEntries(installation.WorkFolder(), entries));
    Names names;
    for (const DirEntry& entry : entries) names.push_back(entry.name);
    std::sort(names.begin(), names.end());
    return names;
  }

  FixtureInstallation installation;
  TrafficAircraftMap aircraft;
  int lines = 0;
  std::list<FlightPlan> plans;
  FlightPlanCounts counts;
};

TEST_F(TrafficFilesTest, AircraftFileFirstLineOfAnIdWinsAndEveryTwoCommaLineCounts) {
  EXPECT_FALSE(ReadAircraft(aircraft, lines));
  installation.WorkFileBytes("Aircraft.txt",
                             "AC#7,250,\"First Seven\"\r\n"
                             "AC#2,120,\"Two\rB\"\n"
                             "just one,comma\r\n"
                             "\r\n"
                             "AC#7,300,\"Second Seven\"\r\n"
                             "AC#10,450,\"Ten, \"the big one\"\"");
  ASSERT_TRUE(ReadAircraft(aircraft, lines));
  EXPECT_EQ(lines, 4);
  ASSERT_EQ(aircraft.size(), 3u);
  EXPECT_EQ(aircraft["AC#7"].cruiseSpeed, "250");
  EXPECT_EQ(aircraft["AC#7"].title, "First Seven");
  EXPECT_EQ(aircraft["AC#2"].title, "Two\rB");  // a CR alone stays in the line
  EXPECT_EQ(aircraft["AC#10"].title, "Ten, \"the big one\"");
}

TEST_F(TrafficFilesTest, PlansFileKeepsFileOrderAndCountsLegsPerAirport) {
  EXPECT_FALSE(ReadPlans(plans, counts));
  const std::string twoLegs =
      "AC#3,N1,100%,24Hr,IFR,07:00:00,08:00:00,050,F,0001,EGLL,09:00:00,10:00:00,050,F,0002,LFPG";
  installation.WorkFileBytes(
      "FlightPlans.txt", twoLegs +
                             "\r\n\r\nAC#4,x\r\n"
                             "AC#1,N2,100%,WEEK,IFR,0/07:00:00,0/08:00:00,350,F,0003,LFPG\n"
                             "AC#2,N3,50%,12Hr,VFR,07:00:00,08:00:00,010,R,0000,EGLL,"
                             "09:00:00,10:00:00,010,R,0000,EDDF,11:00:00,12:00:00,010,R,0000,EGLL");
  ASSERT_TRUE(ReadPlans(plans, counts));
  ASSERT_EQ(plans.size(), 4u);
  Names ids;
  for (const FlightPlan& plan : plans) ids.push_back(plan.aircraftId);
  EXPECT_EQ(ids, (Names{"AC#3", "AC#4", "AC#1", "AC#2"}));
  EXPECT_EQ(plans.front().lineText, twoLegs);
  Names airports;
  for (const FlightLeg& leg : plans.back().legs) airports.push_back(leg.airportId);
  EXPECT_EQ(airports, (Names{"EGLL", "EDDF", "EGLL"}));
  EXPECT_EQ(counts.plans, 4);
  EXPECT_EQ(counts.legs, 6);
  EXPECT_EQ(counts.irregularLines, 1);
  EXPECT_EQ(counts.legsPerAirport,
            (std::map<std::string, int>{{"EDDF", 1}, {"EGLL", 3}, {"LFPG", 2}}));
}

// A folder where a file should be cannot be read: that is a failure, not an
// empty file whose nothing a later save would write back.
TEST_F(TrafficFilesTest, AFolderInPlaceOfAFileIsReported) {
  ASSERT_TRUE(MakeDirectory(installation.WorkPath("Aircraft.txt")));
  ASSERT_TRUE(MakeDirectory(installation.WorkPath("FlightPlans.txt")));
  EXPECT_FALSE(ReadAircraft(aircraft, lines));
  EXPECT_FALSE(ReadPlans(plans, counts));
}

TEST_F(TrafficFilesTest, SaveWritesAscendingIdsAndPlanLinesWithCrLf) {
  const std::string folder = installation.WorkFolder();
  ASSERT_TRUE(WriteTrafficFiles(folder, {}, {}, nullptr));
  EXPECT_EQ(
      installation.ReadWorkFile("aircraft.txt") + installation.ReadWorkFile("FlightPlans.txt"), "");
  EXPECT_EQ(WorkNames(), (Names{"FlightPlans.txt", "aircraft.txt"}));
  const TrafficAircraftMap newAircraft{
      {"AC#2", {"120", "Two"}}, {"AC#10", {"450", "Ten, \"big\""}}, {"AC#1", {"250", ""}}};
  const Names planLines{"AC#10,N1,100%,24Hr,IFR,07:00:00,08:00:00,050,F,0001,EGLL  ", "AC#2,x"};
  ASSERT_TRUE(WriteTrafficFiles(folder, newAircraft, planLines, nullptr));
  EXPECT_EQ(WorkNames(), (Names{"FlightPlans.txt", "aircraft.txt"}));
  EXPECT_EQ(installation.ReadWorkFile("aircraft.txt"),
            "AC#1,250,\"\"\r\nAC#10,450,\"Ten, \"big\"\"\r\nAC#2,120,\"Two\"\r\n");
  EXPECT_EQ(installation.ReadWorkFile("FlightPlans.txt"),
            "AC#10,N1,100%,24Hr,IFR,07:00:00,08:00:00,050,F,0001,EGLL  \r\nAC#2,x\r\n");
}

TEST_F(TrafficFilesTest, SaveReplacesTheImportedFilesWhateverTheirLetterCase) {
  installation.WorkFileBytes("Aircraft.txt", "AC#5,1,\"Old\"\r\n");
  installation.WorkFileBytes("FlightPlans.txt", "old\r\nold\r\n");
  ASSERT_TRUE(WriteTrafficFiles(installation.WorkFolder(), {{"AC#1", {"250", "New"}}}, {"AC#1,y"},
                                nullptr));
  EXPECT_EQ(WorkNames().size(), 2u);
  EXPECT_EQ(installation.ReadWorkFile("Aircraft.txt"), "AC#1,250,\"New\"\r\n");
  EXPECT_EQ(installation.ReadWorkFile("FlightPlans.txt"), "AC#1,y\r\n");
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
  EXPECT_EQ(WorkNames().size(), 2u) << "no file is left beside the targets";
}

}  // namespace
}  // namespace fm
