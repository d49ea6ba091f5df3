// Aircraft.txt and FlightPlans.txt as wholes: the counts the import shows,
// and the files the save writes.
#include "traffic/traffic_files.h"

#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "tests/support/fixture_installation.h"

namespace fm {
namespace {

using test::FixtureInstallation;

class TrafficFilesTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(installation.IsReady()); }
  FixtureInstallation installation;
};

TEST_F(TrafficFilesTest, AircraftFileKeepsTheFirstLineOfAnIdAndCountsEveryLine) {
  installation.WorkFileBytes("Aircraft.txt",
                             "AC#7,250,\"First\"\r\n"
                             "AC#1,300\r\n"  // one comma: neither kept nor counted
                             "\r\n"
                             "AC#7,180,\"Second\"\n"  // LF alone ends a line too
                             "AC#2,90,\"Cessna\"");   // no line end at all
  TrafficAircraftMap aircraft;
  int lines = -1;
  ASSERT_TRUE(ReadAircraftFile(installation.WorkPath("aircraft.TXT"), aircraft, lines));
  EXPECT_EQ(lines, 3);
  ASSERT_EQ(aircraft.size(), 2u);
  EXPECT_EQ(aircraft["AC#7"].cruiseSpeed, "250");
  EXPECT_EQ(aircraft["AC#7"].title, "First");
  EXPECT_EQ(aircraft["AC#2"].title, "Cessna");
}

TEST_F(TrafficFilesTest, MissingFilesAreReported) {
  TrafficAircraftMap aircraft;
  int lines = 0;
  EXPECT_FALSE(ReadAircraftFile(installation.WorkPath("Aircraft.txt"), aircraft, lines));
  std::list<FlightPlan> plans;
  FlightPlanCounts counts;
  EXPECT_FALSE(ReadFlightPlansFile(installation.WorkPath("FlightPlans.txt"), plans, counts));
}

TEST_F(TrafficFilesTest, FlightPlansFileCountsPlansLegsAndAirports) {
  installation.WorkFile(
      "FlightPlans.txt",
      "AC#3,N1,100%,24Hr,IFR,07:00:00,08:00:00,050,F,0001,EGLL,09:00:00,10:00:00,050,F,0002,LFPG\n"
      "\n"
      "no comma here\n"
      "AC#4,N2,100%,24Hr,IFR,07:00:00,08:00:00,050,F,0003,LFPG,09:00:00,10:00:00,050,F,0004,EDDF\n"
      "AC#5,edited\n");
  std::list<FlightPlan> plans;
  FlightPlanCounts counts;
  ASSERT_TRUE(ReadFlightPlansFile(installation.WorkPath("flightplans.txt"), plans, counts));
  EXPECT_EQ(counts.plans, 3);
  EXPECT_EQ(counts.legs, 4);
  EXPECT_EQ(counts.irregularLines, 1);
  EXPECT_EQ(counts.legsPerAirport,
            (std::map<std::string, int>{{"EDDF", 1}, {"EGLL", 1}, {"LFPG", 2}}));
  ASSERT_EQ(plans.size(), 3u);
  EXPECT_EQ(plans.back().lineText, "AC#5,edited");
  EXPECT_TRUE(plans.back().legs.empty());
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

TEST_F(TrafficFilesTest, SaveWritesBothFilesWithCrLfInIdOrder) {
  const TrafficAircraftMap newAircraft = {
      {"AC#2", {"250", "Boeing 737"}},
      {"AC#10", {"120", "Dash \"8\""}},
      {"AC#1", {"90", "Cessna, 172"}},
  };
  const std::vector<std::string> lines = {"AC#1,N1,100%,24Hr,IFR,07:00,08:00,050,F,0001,EGLL  ",
                                          "AC#10,N2,100%,24Hr,VFR,07:00,08:00,050,F,0001,LFPG"};
  TrafficFile failed{};
  ASSERT_TRUE(WriteTrafficFiles(installation.WorkFolder(), newAircraft, lines, &failed));
  EXPECT_EQ(installation.ReadWorkFile("aircraft.txt"),
            "AC#1,90,\"Cessna, 172\"\r\n"
            "AC#10,120,\"Dash \"8\"\"\r\n"
            "AC#2,250,\"Boeing 737\"\r\n");
  EXPECT_EQ(installation.ReadWorkFile("FlightPlans.txt"),
            "AC#1,N1,100%,24Hr,IFR,07:00,08:00,050,F,0001,EGLL  \r\n"
            "AC#10,N2,100%,24Hr,VFR,07:00,08:00,050,F,0001,LFPG\r\n");
}

TEST_F(TrafficFilesTest, SaveOfAnEmptyRunWritesTwoEmptyFiles) {
  installation.WorkFile("aircraft.txt", "old\n");
  TrafficFile failed{};
  ASSERT_TRUE(WriteTrafficFiles(installation.WorkFolder(), {}, {}, &failed));
  EXPECT_EQ(installation.ReadWorkFile("aircraft.txt"), "");
  EXPECT_EQ(installation.ReadWorkFile("FlightPlans.txt"), "");
}

// The import reads "Aircraft.txt", the save writes "aircraft.txt": one file,
// which keeps the name it had.
TEST_F(TrafficFilesTest, SaveReplacesTheFileOfAnyLetterCase) {
  installation.WorkFile("Aircraft.txt", "AC#1,1,\"old\"\n");
  installation.WorkFile("FLIGHTPLANS.TXT", "old\n");
  TrafficFile failed{};
  ASSERT_TRUE(
      WriteTrafficFiles(installation.WorkFolder(), {{"AC#1", {"2", "new"}}}, {"x,y"}, &failed));
  EXPECT_EQ(installation.ReadWorkFile("Aircraft.txt"), "AC#1,2,\"new\"\r\n");
  EXPECT_EQ(installation.ReadWorkFile("FLIGHTPLANS.TXT"), "x,y\r\n");
  std::vector<DirEntry> entries;
  ASSERT_TRUE(ListDirectory(installation.WorkFolder(), "*.*", entries));
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].name, "Aircraft.txt");
  EXPECT_EQ(entries[1].name, "FLIGHTPLANS.TXT");
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
