#include "tests/support/traffic_scenarios.h"

#include <gtest/gtest.h>

#include "platform/file_text.h"
#include "resources/resource.h"
#include "tools/traffic_container.h"
#include "ui/page_host.h"

namespace fm::testing {
namespace {

constexpr char kAircraft[] =
    "AC#1,250,\"Boeing 737-400 Example Air\"\r\n"
    "AC#2,300,\"Airbus A320 Example\"\r\n"
    "AC#3,120,\"Cessna 172\"\r\n";
constexpr char kPlans[] =
    "AC#1,N737EX,100%,24Hr,IFR,07:00:00,08:00:00,350,F,0001,EGLL,09:00:00,10:00:00,350,F,0002,"
    "LFPG\r\n"
    "AC#2,F-ABCD,100%,24Hr,IFR,07:00:00,08:00:00,350,F,0003,LFPG,09:00:00,10:00:00,350,F,0004,"
    "EGLL\r\n"
    "AC#3,N172,100%,WEEK,VFR,0/07:00:00,0/08:00:00,050,R,0005,ZZZZ,0/09:00:00,0/10:00:00,050,R,"
    "0006,EGLL\r\n";

std::string ReadBytes(const std::string& path) {
  std::string bytes;
  ReadFileBytes(path, bytes);
  return bytes;
}

}  // namespace

std::string ScenarioTrafficBgl(const std::string& airports) {
  return EncodeTrafficFile({kAircraft, kPlans, airports});
}

void InstallScenarioTraffic(FixtureInstallation& installation) {
  installation.SetTrafficBgl(ScenarioTrafficBgl());
}

void AddScenarioAirports(AirportStore& store) {
  store.AddAirport("Europe", "United Kingdom", "", "London", "Heathrow", "EGLL");
  store.AddAirport("Europe", "France", "", "Paris", "Charles de Gaulle", "LFPG");
}

std::vector<std::vector<std::string>> ScenarioAirportRows(bool storeKnowsAirports) {
  if (!storeKnowsAirports) return {{"", "", "3"}, {"", "", "2"}, {"", "", "1"}};
  return {{"Heathrow", "United Kingdom", "3"}, {"Charles de Gaulle", "France", "2"}, {"", "", "1"}};
}

std::string BackupBoxText(const FixtureInstallation& installation) {
  return "AI Traffic Fleetmixer has detected that this is the first time you import the "
         "traffic BGL. The original traffic.bgl file was backed up as " +
         installation.Root() +
         "\\SCENEDB\\ATC\\BACKUP_TRAFFIC.BGL. This operation happens only once so now "
         "you may replace tha AI plans then import them again etc., no matter what "
         "the original traffic.bgl that was copied now will remain intact.";
}

void TrafficImportScenario(WizardDriver& wizard, FixtureInstallation& installation,
                           bool storeKnowsAirports) {
  ASSERT_EQ(wizard.ActiveDialogId(), IDD_TRAFFIC);
  EXPECT_TRUE(wizard.ControlChecked(IDC_HIDE_COMPILER));
  EXPECT_EQ(wizard.EnabledButtons(), unsigned{kWizardBack});
  const std::string firstTraffic = ReadBytes(installation.TrafficBglPath());

  wizard.PressButton(IDC_IMPORT);
  std::string box;
  ASSERT_TRUE(wizard.TakeMessageBox(box)) << "the backup box of the first import";
  EXPECT_EQ(box, BackupBoxText(installation));
  wizard.WaitUntilIdle();
  EXPECT_EQ(wizard.ListRows(IDC_AIRPORT_LIST), ScenarioAirportRows(storeKnowsAirports));
  EXPECT_EQ(wizard.ControlText(IDC_STATUS), "Loaded 3 AI aircraft, 3 plans, 6 legs");
  EXPECT_EQ(wizard.EnabledButtons(), unsigned{kWizardBack | kWizardNext});
  EXPECT_EQ(ReadBytes(installation.BackupTrafficBglPath()), firstTraffic);

  // Another traffic.bgl: imported as well, and the backup stays the first.
  installation.SetTrafficBgl(ScenarioTrafficBgl("EGLL\r\n"));
  wizard.PressButton(IDC_IMPORT);
  wizard.WaitUntilIdle();
  EXPECT_FALSE(wizard.TakeMessageBox(box, 1000)) << "a second backup box: " << box;
  EXPECT_EQ(wizard.ListRows(IDC_AIRPORT_LIST), ScenarioAirportRows(storeKnowsAirports));
  EXPECT_EQ(wizard.ControlText(IDC_STATUS), "Loaded 3 AI aircraft, 3 plans, 6 legs");
  EXPECT_EQ(ReadBytes(installation.BackupTrafficBglPath()), firstTraffic);
  EXPECT_EQ(installation.ReadWorkFile("Airports.txt"), "EGLL\r\n") << "the decompiler ran again";
}

}  // namespace fm::testing
