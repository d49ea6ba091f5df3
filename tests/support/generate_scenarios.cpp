#include "tests/support/generate_scenarios.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/file_paths.h"
#include "platform/file_system.h"
#include "platform/file_text.h"
#include "resources/resource.h"
#include "tests/support/aircraft_scenarios.h"
#include "tests/support/scenery_scenarios.h"
#include "tools/traffic_container.h"
#include "ui/page_host.h"

namespace fm::testing {
namespace {

constexpr char kAircraft[] =
    "AC#1,250,\"Boeing 737-400 Example Air\"\r\n"
    "AC#2,300,\"Airbus A320 Example\"\r\n"
    "AC#3,120,\"Cessna 172\"\r\n";
constexpr char kPlan1[] =
    ",N737EX,100%,24Hr,IFR,07:00:00,08:00:00,350,F,0001,EGLL,09:00:00,10:00:00,350,F,0002,LFPG";
constexpr char kPlan2[] =
    ",F-ABCD,100%,24Hr,IFR,07:00:00,08:00:00,350,F,0003,LFPG,19:00:00,23:00:00,350,F,0004,KLAX";
constexpr char kPlan3[] = ",N172,100%,WEEK,VFR,0/07:00:00,0/08:00:00,050,R,0005,EGKK";
constexpr char kPlan4[] =
    ",G-EXMP,100%,24Hr,IFR,11:00:00,12:00:00,350,F,0006,EGKK,13:00:00,14:00:00,350,F,0007,EGLL";

// The scenery fixture's airports; United Kingdom lists the British 737's
// airline, France and the United States nothing, GLOBAL the Airbus's.
constexpr char kAirNat[] =
    "United Kingdom/Speed Bird\n"
    "GLOBAL/Lufthansa\n";

const std::string kCallsignLine = " (2 a/c in the same cat. [Airliner]). Valid callsigns are ";

std::string ExpectedReport() {
  return "For fl. \"EGLL,LFPG(France,United Kingdom)\" was used \"Boeing 737-400 Example Air\"" +
         kCallsignLine +
         "Speed Bird\r\n"
         "Boeing 737-800 Speedbird was selected for this flight.\r\n\r\n"
         "For fl. \"KLAX,LFPG(France,United States)\" was used \"Airbus A320 Example\"" +
         kCallsignLine +
         "\r\n"
         "No match by callsign found, retry to fit using GLOBAL\r\n"
         "For fl. \"KLAX,LFPG(GLOBAL)\" was used \"Airbus A320 Example\"" +
         kCallsignLine +
         "Lufthansa\r\n"
         "Airbus A320 Lufthansa was selected for this flight.\r\n\r\n"
         "Unable to determine what category 'Cessna 172' belongs to, therefore all flights it "
         "performed will not be included into the new AI traffic\r\n"
         "For fl. \"EGKK,EGLL(United Kingdom)\" was used \"Boeing 737-400 Example Air\"" +
         kCallsignLine +
         "Speed Bird\r\n"
         "Boeing 737-800 Speedbird was selected for this flight.\r\n\r\n";
}

std::string ReadBytes(const std::string& path) {
  std::string bytes;
  ReadFileBytes(path, bytes);
  return bytes;
}

// Every file of the working folder with its bytes.
std::map<std::string, std::string> WorkFiles(const FixtureInstallation& installation) {
  std::map<std::string, std::string> files;
  std::vector<DirEntry> entries;
  EXPECT_TRUE(ListDirectory(installation.WorkFolder(), "*.*", entries));
  for (const DirEntry& entry : entries) {
    files[entry.name] = ReadBytes(JoinPath(installation.WorkFolder(), entry.name));
  }
  return files;
}

// Takes the next box and compares it, line ends aside (a box shows its
// text's last line end as nothing).
void ExpectBox(WizardDriver& wizard, const std::string& expected) {
  std::string box;
  ASSERT_TRUE(wizard.TakeMessageBox(box)) << "no box; expected: " << expected;
  while (!box.empty() && (box.back() == '\n' || box.back() == '\r')) box.pop_back();
  EXPECT_EQ(box, expected);
}

}  // namespace

void AddGenerateFixture(FixtureInstallation& installation) {
  AddScenarioAircraft(installation);
  AddSceneryFixture(installation);
  installation.WorkFile("air_nat.cfg", kAirNat);
  installation.SetTrafficBgl(
      EncodeTrafficFile({kAircraft,
                         std::string("AC#1") + kPlan1 + "\r\nAC#2" + kPlan2 + "\r\nAC#3" + kPlan3 +
                             "\r\nAC#1" + kPlan4 + "\r\n",
                         "EGKK\r\nEGLL\r\nKLAX\r\nLFPG\r\n"}));
}

void WholeWizardScenario(WizardDriver& wizard, FixtureInstallation& installation,
                         const std::function<void()>& afterGenerate) {
  std::string box;
  ASSERT_EQ(wizard.ActiveDialogId(), IDD_WELCOME);
  wizard.Next();
  wizard.PressButton(IDC_IMPORT_AIRCRAFT);
  ASSERT_TRUE(wizard.TakeMessageBox(box)) << "the aircraft import tells its counts";
  wizard.WaitUntilIdle();
  wizard.Next();
  wizard.PressButton(IDC_IMPORT);
  wizard.WaitUntilIdle();
  ASSERT_EQ(wizard.EnabledButtons(), unsigned{kWizardBack | kWizardNext}) << "airports imported";
  wizard.Next();
  wizard.PressButton(IDC_IMPORT);
  ASSERT_TRUE(wizard.TakeMessageBox(box)) << "the backup box of the first import";
  wizard.WaitUntilIdle();
  wizard.Next();

  ASSERT_EQ(wizard.ActiveDialogId(), IDD_GENERATE);
  EXPECT_EQ(wizard.EnabledButtons(), unsigned{kWizardBack}) << "nothing generated yet";
  EXPECT_TRUE(wizard.ControlChecked(IDC_HIDE_COMPILER));
  EXPECT_TRUE(wizard.ControlEnabled(IDC_GENERATE));
  for (int id : {IDC_VIEW_REPORT, IDC_EDIT_AIRCRAFT, IDC_EDIT_FLIGHTPLANS, IDC_SAVE_ONLY,
                 IDC_SAVE_AND_COMPILE, IDC_COMPILE_ONLY}) {
    EXPECT_FALSE(wizard.ControlEnabled(id)) << "control " << id << " before a run";
  }

  wizard.PressButton(IDC_GENERATE);
  ExpectBox(wizard,
            "Unable to determine what category 'Cessna 172' belongs to, therefore all flights it "
            "performed will not be included into the new AI traffic");
  ExpectBox(wizard, "Generation complete. 3 plans generated.");
  wizard.WaitUntilIdle();
  EXPECT_EQ(installation.ReadWorkFile("report.txt"), ExpectedReport());
  EXPECT_EQ(wizard.ListRows(IDC_FLIGHT_COUNTS),
            (std::vector<std::vector<std::string>>{{"Boeing 737-800 Speedbird", "2"},
                                                   {"Airbus A320 Lufthansa", "1"}}));
  EXPECT_EQ(wizard.ControlText(IDC_STATUS), "100% processed");
  EXPECT_EQ(wizard.EnabledButtons(), unsigned{kWizardBack | kWizardFinish});
  for (int id : {IDC_VIEW_REPORT, IDC_SAVE_ONLY, IDC_SAVE_AND_COMPILE}) {
    EXPECT_TRUE(wizard.ControlEnabled(id)) << "control " << id << " after a run";
  }
  EXPECT_FALSE(wizard.ControlEnabled(IDC_COMPILE_ONLY)) << "nothing saved yet";
  if (afterGenerate) afterGenerate();

  const std::string trafficBefore = ReadBytes(installation.TrafficBglPath());
  wizard.PressButton(IDC_SAVE_AND_COMPILE);
  ExpectBox(wizard,
            "The new AI traffic plans and new AI airctaft are saved. Press OK to compile and "
            "apply the changes.");
  ExpectBox(wizard, "The compilation finished.");
  wizard.WaitUntilIdle();
  const std::string aircraft =
      "AC#1,250,\"Boeing 737-800 Speedbird\"\r\nAC#2,300,\"Airbus A320 Lufthansa\"\r\n";
  const std::string plans =
      std::string("AC#1") + kPlan1 + "\r\nAC#2" + kPlan2 + "\r\nAC#1" + kPlan4 + "\r\n";
  EXPECT_EQ(installation.ReadWorkFile("aircraft.txt"), aircraft);
  EXPECT_EQ(installation.ReadWorkFile("FlightPlans.txt"), plans);
  for (int id : {IDC_EDIT_AIRCRAFT, IDC_EDIT_FLIGHTPLANS, IDC_COMPILE_ONLY}) {
    EXPECT_TRUE(wizard.ControlEnabled(id)) << "control " << id << " after a save";
  }
  // The compiler installed the new traffic: it unpacks to the saved files.
  const std::string installed = ReadBytes(installation.TrafficBglPath());
  EXPECT_NE(installed, trafficBefore);
  TrafficTexts texts;
  ASSERT_EQ(DecodeTrafficFile(installed, texts), TrafficFileProblem::kNone);
  EXPECT_EQ(texts.aircraft, aircraft);
  EXPECT_EQ(texts.flightPlans, plans);
  EXPECT_EQ(ReadBytes(installation.BackupTrafficBglPath()), trafficBefore)
      << "the backup keeps the first traffic";

  const std::map<std::string, std::string> before = WorkFiles(installation);
  wizard.Finish();
  EXPECT_TRUE(wizard.Closed());
  EXPECT_EQ(WorkFiles(installation), before) << "Finish wrote into the working folder";
  EXPECT_EQ(ReadBytes(installation.TrafficBglPath()), installed);
}

}  // namespace fm::testing
