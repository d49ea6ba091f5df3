// The scenarios of generate_scenarios.h and traffic_scenarios.h.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "platform/file_system.h"
#include "platform/file_text.h"
#include "resources/resource.h"
#include "tests/support/generate_scenarios.h"
#include "tests/support/traffic_scenarios.h"
#include "tools/bglwriter/afd_world_generator.h"
#include "tools/traffic_container.h"
#include "ui/page_host.h"

namespace fm::testing {
namespace {

// The aircraft of both traffics; no category claims the Cessna.
constexpr char kAircraft[] =
    "AC#1,250,\"Boeing 737-400 Example Air\"\r\n"
    "AC#2,300,\"Airbus A320 Example\"\r\n"
    "AC#3,120,\"Cessna 172\"\r\n";
// The traffic import's plans.
constexpr char kPlans[] =
    "AC#1,N737EX,100%,24Hr,IFR,07:00:00,08:00:00,350,F,0001,EGLL,09:00:00,10:00:00,350,F,0002,"
    "LFPG\r\n"
    "AC#2,F-ABCD,100%,24Hr,IFR,07:00:00,08:00:00,350,F,0003,LFPG,09:00:00,10:00:00,350,F,0004,"
    "EGLL\r\n"
    "AC#3,N172,100%,WEEK,VFR,0/07:00:00,0/08:00:00,050,R,0005,ZZZZ,0/09:00:00,0/10:00:00,050,R,"
    "0006,EGLL\r\n";
// The whole wizard's plans, without their aircraft.
constexpr char kPlan1[] =
    ",N737EX,100%,24Hr,IFR,07:00:00,08:00:00,350,F,0001,EGLL,09:00:00,10:00:00,350,F,0002,LFPG";
constexpr char kPlan2[] =
    ",F-ABCD,100%,24Hr,IFR,07:00:00,08:00:00,350,F,0003,LFPG,19:00:00,23:00:00,350,F,0004,KLAX";
constexpr char kPlan3[] = ",N172,100%,WEEK,VFR,0/07:00:00,0/08:00:00,050,R,0005,EGKK";
constexpr char kPlan4[] =
    ",G-EXMP,100%,24Hr,IFR,11:00:00,12:00:00,350,F,0006,EGKK,13:00:00,14:00:00,350,F,0007,EGLL";

std::string ReadBytes(const std::string& path) {
  std::string bytes;
  ReadFileBytes(path, bytes);
  return bytes;
}

// An airport-directory file of the airports, as the BGL builder makes them.
std::string AfdFile(const std::vector<bglbench::AirportRow>& airports) {
  const std::vector<uint8_t> bytes = bglbench::BuildAfdFile(airports, true);
  return std::string(bytes.begin(), bytes.end());
}

// Every file of the working folder with its bytes.
std::map<std::string, std::string> WorkFiles(const FixtureInstallation& installation) {
  std::map<std::string, std::string> files;
  std::vector<DirEntry> entries;
  EXPECT_TRUE(ListDirectory(installation.WorkFolder(), "*.*", entries));
  for (const DirEntry& entry : entries) files[entry.name] = installation.ReadWorkFile(entry.name);
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

// Presses "Import from FS" or "Load Cached", then expects the fixture's
// tree, the count and the buttons that follow a load (a box would upset
// the boxes expected after it).
void PressAndExpectTheFixtureTree(WizardDriver& wizard, int button) {
  wizard.PressButton(button);
  wizard.WaitUntilIdle();
  EXPECT_EQ(wizard.TreeItemCount(IDC_PLACE_TREE), 19);
  EXPECT_EQ(wizard.ControlText(IDC_STATUS), "Import completed. 6 airports in 4 countries");
  EXPECT_EQ(wizard.EnabledButtons(), unsigned{kWizardBack | kWizardNext});
}

// Presses "Import" on the traffic page, expects the box (none when empty),
// the airports' rows and the counts.
void ExpectTrafficImport(WizardDriver& wizard, const std::string& expectedBox) {
  wizard.PressButton(IDC_IMPORT);
  if (!expectedBox.empty()) ExpectBox(wizard, expectedBox);
  wizard.WaitUntilIdle();
  std::string box;
  EXPECT_FALSE(expectedBox.empty() && wizard.TakeMessageBox(box, 1000)) << "a box: " << box;
  EXPECT_EQ(wizard.ListRowCount(IDC_AIRPORT_LIST), 4);
  EXPECT_EQ(wizard.ControlText(IDC_STATUS), "Loaded 3 AI aircraft, 4 plans, 7 legs");
}

}  // namespace

std::string ReadMeText() {
  return ReadBytes(std::string(FLEETMIX_SOURCE_DIR) + "/resources/readme.txt");
}

void InstallScenarioTraffic(FixtureInstallation& installation) {
  installation.SetTrafficBgl(EncodeTrafficFile({kAircraft, kPlans, "EGLL\r\nLFPG\r\nZZZZ\r\n"}));
}

void AddScenarioAirports(AirportStore& store) {
  store.AddAirport("Europe", "United Kingdom", "", "London", "Heathrow", "EGLL");
  store.AddAirport("Europe", "France", "", "Paris", "Charles de Gaulle", "LFPG");
}

void AddScenarioAircraft(FixtureInstallation& installation) {
  installation.WorkFileBytes("air_class.cfg",
                             "; categories of interchangeable aircraft\r\n"
                             "[Airliner]\r\n737\r\nA320\r\n<\"Boeing 737\" \"Airbus A320\">\r\n"
                             "[Light]\r\nC172\r\n");
  installation.AddAircraft("B737",
                           "[General]\natc_type=Boeing\natc_model=737-800\n"
                           "[fltsim.0]\ntitle=Boeing 737-800 Speedbird\nui_manufacturer=Boeing\n"
                           "ui_type=737-800\nui_variation=British Airways\n"
                           "atc_airline=Speed Bird\natc_id=G-ABCD\n"
                           "[fltsim.1]\ntitle=Boeing 737-800 Lufthansa\nui_variation=Lufthansa\n"
                           "atc_airline=LUFTHANSA\natc_id=D-ABCD\n");
  installation.AddAircraft("a320",
                           "[fltsim.0]\ntitle=Airbus A320 Lufthansa\nui_manufacturer=Airbus\n"
                           "ui_type=A320\nui_variation=Lufthansa\natc_airline=Lufthansa\n"
                           "[General]\natc_type=Airbus\natc_model=A320\n");
  installation.AddAircraft("C172",
                           "[General]\natc_type=Cessna\natc_model=C172\n"
                           "[fltsim.0]\ntitle=Cessna Skyhawk\nui_manufacturer=Cessna\n"
                           "ui_type=172 Skyhawk\nui_variation=White\n");
}

void AddSceneryFixture(FixtureInstallation& installation) {
  installation.AddRootFile(
      "SCENEDB/AFDFILES/SCENERY/AFDEUR.BGL",
      AfdFile({{"EGLL", "Heathrow", "London", "United Kingdom", 51.47, -0.45, 80, "Europe", ""},
               {"EGKK", "Gatwick", "London", "United Kingdom", 51.15, -0.18, 200, "Europe", ""},
               {"LFPG", "Charles de Gaulle", "Paris", "France", 49.0, 2.55, 390, "Europe", ""}}));
  installation.AddRootFile(
      "SCENEDB/AFDFILES/SCENERY/afdnam.bgl",
      AfdFile({{"KLAX", "Los Angeles Intl", "Los Angeles", "United States", 33.94, -118.41, 125,
                "North America", "California"},
               {"KSEA", "Seattle-Tacoma", "Seattle", "United States", 47.45, -122.31, 433,
                "North America", "Washington"},
               {"EIDW", "Dublin", "Dublin", "Ireland", 53.42, -6.27, 242, "Europe", ""}}));
  installation.WorkFileBytes("air_nat.cfg",
                             "; countries and their airlines\r\n"
                             "United Kingdom/SPEEDBIRD,SHAMROCK\r\n"
                             "United States/AMERICAN,UNITED\r\n"
                             "GLOBAL/SPEEDBIRD\r\n");
}

std::vector<std::string> FixtureSceneryTree() {
  // Sorted by bytes at every level; the states that the airports lack are
  // not shown, their cities hang under the country.
  std::istringstream text(
      "Europe\n  France\n    Paris\n      Charles de Gaulle (LFPG)\n"
      "  Ireland\n    Dublin\n      Dublin (EIDW)\n"
      "  United Kingdom\n    London\n      Gatwick (EGKK)\n      Heathrow (EGLL)\n"
      "North America\n  United States\n    California\n      Los Angeles\n"
      "        Los Angeles Intl (KLAX)\n    Washington\n      Seattle\n"
      "        Seattle-Tacoma (KSEA)\n");
  std::vector<std::string> lines;
  for (std::string line; std::getline(text, line);) lines.push_back(line);
  return lines;
}

std::string FixtureSceneryCache() {
  // 2 regions, 4 countries, 5 states, 5 cities, 6 airports.
  return "00000022\r\n 0.70\r\n"
         "1Europe\r\n"
         "2France\r\n3Default\r\n4Paris\r\n5LFPG Charles de Gaulle\r\n"
         "2Ireland\r\n3Default\r\n4Dublin\r\n5EIDW Dublin\r\n"
         "2United Kingdom\r\n3Default\r\n4London\r\n5EGKK Gatwick\r\n5EGLL Heathrow\r\n"
         "1North America\r\n2United States\r\n"
         "3California\r\n4Los Angeles\r\n5KLAX Los Angeles Intl\r\n"
         "3Washington\r\n4Seattle\r\n5KSEA Seattle-Tacoma\r\n";
}

void AddGenerateFixture(FixtureInstallation& installation) {
  AddScenarioAircraft(installation);
  AddSceneryFixture(installation);
  // United Kingdom lists the British 737's airline, France and the United
  // States nothing, GLOBAL the Airbus's.
  installation.WorkFileBytes("air_nat.cfg", "United Kingdom/Speed Bird\r\nGLOBAL/Lufthansa\r\n");
  installation.SetTrafficBgl(
      EncodeTrafficFile({kAircraft,
                         std::string("AC#1") + kPlan1 + "\r\nAC#2" + kPlan2 + "\r\nAC#3" + kPlan3 +
                             "\r\nAC#1" + kPlan4 + "\r\n",
                         "EGKK\r\nEGLL\r\nKLAX\r\nLFPG\r\n"}));
}

void WholeWizardScenario(WizardDriver& wizard, FixtureInstallation& installation,
                         const std::function<void(const char* page)>& onFilledPage) {
  ASSERT_EQ(wizard.ActiveDialogId(), IDD_WELCOME);
  EXPECT_EQ(wizard.EnabledButtons(), unsigned{kWizardNext});  // also lets the page paint
  onFilledPage("welcome");
  wizard.Next();
  ASSERT_EQ(wizard.ActiveDialogId(), IDD_AIRCRAFT);
  wizard.PressButton(IDC_IMPORT_AIRCRAFT);
  // Airlines Speed Bird, LUFTHANSA, Lufthansa and the Cessna's empty one;
  // models Boeing 737-800, Airbus A320, Cessna C172; variations British
  // Airways, Lufthansa (twice), White.
  ExpectBox(wizard, "Import succeeded. 4 airlines, 3 models, 3 variations.");
  wizard.WaitUntilIdle();
  // Airliner: Airbus A320, Boeing 737-800; Light: Cessna 172 Skyhawk.
  EXPECT_EQ(wizard.TreeItemCount(IDC_AIRCRAFT_TREE), 8);
  ASSERT_TRUE(wizard.SelectTreeItemAt(IDC_AIRCRAFT_TREE, {0, 1, 0}));
  EXPECT_EQ(wizard.ListRowCount(IDC_AIRCRAFT_LIST), 2) << "the 737's two paints";
  // Every callsign but the empty one, upper case first.
  wizard.PressButton(IDC_GENERATE_AIRLINES);
  ExpectBox(wizard, "airlines.cfg updated successfully.");
  wizard.WaitUntilIdle();
  EXPECT_EQ(ReadBytes(installation.RootPath("AIRCRAFT/airlines.cfg")),
            "LUFTHANSA\r\nLufthansa\r\nSpeed Bird\r\n");
  onFilledPage("aircraft");
  wizard.Next();

  ASSERT_EQ(wizard.ActiveDialogId(), IDD_SCENERY);
  EXPECT_EQ(wizard.EnabledButtons(), unsigned{kWizardBack}) << "no airports yet";
  PressAndExpectTheFixtureTree(wizard, IDC_IMPORT);
  EXPECT_EQ(installation.ReadWorkFile("sccache.txt"), FixtureSceneryCache());
  // Heathrow opened as a user opens it, for the picture.
  wizard.SelectTreeItemAt(IDC_PLACE_TREE, {0, 2, 0, 1});
  onFilledPage("scenery");
  wizard.Next();

  // "Import" twice: the backup box comes the first time only, and the
  // backup keeps the first traffic to the end.
  ASSERT_EQ(wizard.ActiveDialogId(), IDD_TRAFFIC);
  EXPECT_EQ(wizard.EnabledButtons(), unsigned{kWizardBack}) << "no traffic yet";
  const std::string firstTraffic = ReadBytes(installation.TrafficBglPath());
  ExpectTrafficImport(wizard,
                      "AI Traffic Fleetmixer has detected that this is the first time you import "
                      "the traffic BGL. The original traffic.bgl file was backed up as " +
                          installation.Root() +
                          "\\SCENEDB\\ATC\\BACKUP_TRAFFIC.BGL. This operation happens only once "
                          "so now you may replace tha AI plans then import them again etc., no "
                          "matter what the original traffic.bgl that was copied now will remain "
                          "intact.");
  ExpectTrafficImport(wizard, "");
  EXPECT_EQ(wizard.EnabledButtons(), unsigned{kWizardBack | kWizardNext});
  onFilledPage("traffic");
  wizard.Next();

  ASSERT_EQ(wizard.ActiveDialogId(), IDD_GENERATE);
  EXPECT_EQ(wizard.EnabledButtons(), unsigned{kWizardBack}) << "Finish before a run";
  wizard.PressButton(IDC_GENERATE);
  ExpectBox(wizard,
            "Unable to determine what category 'Cessna 172' belongs to, therefore all flights it "
            "performed will not be included into the new AI traffic");
  ExpectBox(wizard, "Generation complete. 3 plans generated.");
  wizard.WaitUntilIdle();
  EXPECT_EQ(wizard.EnabledButtons(), unsigned{kWizardBack | kWizardFinish});
  onFilledPage("generate");

  wizard.PressButton(IDC_SAVE_AND_COMPILE);
  ExpectBox(wizard,
            "The new AI traffic plans and new AI airctaft are saved. Press OK to compile and "
            "apply the changes.");
  ExpectBox(wizard, "The compilation finished.");
  wizard.WaitUntilIdle();
  // The compiler installed the new traffic: the British 737 by its
  // country's airline, the Airbus by GLOBAL's.
  const std::string installed = ReadBytes(installation.TrafficBglPath());
  TrafficTexts texts;
  ASSERT_EQ(DecodeTrafficFile(installed, texts), TrafficFileProblem::kNone);
  EXPECT_EQ(texts.aircraft,
            "AC#1,250,\"Boeing 737-800 Speedbird\"\r\nAC#2,300,\"Airbus A320 Lufthansa\"\r\n");
  EXPECT_EQ(texts.flightPlans,
            std::string("AC#1") + kPlan1 + "\r\nAC#2" + kPlan2 + "\r\nAC#1" + kPlan4 + "\r\n");
  EXPECT_EQ(ReadBytes(installation.BackupTrafficBglPath()), firstTraffic);

  const std::map<std::string, std::string> before = WorkFiles(installation);
  wizard.Finish();
  EXPECT_TRUE(wizard.Closed());
  EXPECT_EQ(WorkFiles(installation), before) << "Finish wrote into the working folder";
  EXPECT_EQ(ReadBytes(installation.TrafficBglPath()), installed);
}

void AFreshRunLoadsTheCache(WizardDriver& wizard, const FixtureInstallation& installation) {
  ASSERT_EQ(wizard.ActiveDialogId(), IDD_WELCOME);
  EXPECT_EQ(wizard.HelpButtonText(), "Read Me");
  EXPECT_EQ(wizard.ReadHelp(IDC_HELP_TEXT), ReadMeText());
  wizard.Next();
  ASSERT_EQ(wizard.ActiveDialogId(), IDD_AIRCRAFT);
  EXPECT_EQ(wizard.HelpButtonText(), "Help");
  EXPECT_EQ(wizard.EnabledButtons(), unsigned{kWizardBack}) << "no aircraft imported";

  wizard.PressButton(IDC_IMPORT_AIRCRAFT);
  ExpectBox(wizard, "Import succeeded. 4 airlines, 3 models, 3 variations.");
  wizard.WaitUntilIdle();
  wizard.Next();
  ASSERT_EQ(wizard.ActiveDialogId(), IDD_SCENERY);
  EXPECT_EQ(wizard.TreeItemCount(IDC_PLACE_TREE), 0);
  PressAndExpectTheFixtureTree(wizard, IDC_LOAD_CACHED);

  const std::map<std::string, std::string> before = WorkFiles(installation);
  wizard.Cancel();
  EXPECT_TRUE(wizard.Closed());
  EXPECT_EQ(WorkFiles(installation), before) << "Cancel wrote into the working folder";
}

}  // namespace fm::testing
