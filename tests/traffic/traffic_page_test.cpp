// The traffic page's "Import" on a fixture installation, with the real
// embedded decompiler: counts and rows, Shift, progress, the backup made
// once, and every failure with its box and the state it leaves.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/file_text.h"
#include "resources/resource.h"
#include "tests/support/fake_os.h"
#include "tests/support/fixture_installation.h"
#include "tests/support/recording_sheet.h"
#include "tests/support/recording_wizard_driver.h"
#include "tests/support/traffic_scenarios.h"
#include "tests/system/system_test_support.h"
#include "wizard/wizard.h"

namespace fm {
namespace {

using testing::FakeStep;
using testing::FixtureInstallation;
using testing::RecordingHost;
using testing::RecordingSheet;
using testing::ScopedFakeOs;
using testing::ScopedTempFolder;

using Rows = std::vector<std::vector<std::string>>;

constexpr char kToolsMissing[] = "TTools is missing. Import has failed.";
constexpr char kFilesMissing[] = "Cannot find the files after decompilation. Import has failed.";

class TrafficPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(installation.IsReady());
    ASSERT_TRUE(installation.PointSystemAtRoot());
    wizard.State().workFolder = installation.WorkFolder();
    testing::AddScenarioAirports(wizard.State().airportStore);
    InstallScenarioTraffic(installation);
    host = &sheet.HostOf(3);
    host->onDispatch = [this] { statusTexts.push_back(host->GetText(IDC_STATUS)); };
  }

  void Import() {
    statusTexts.clear();
    sheet.boxes.clear();
    sheet.buttonRequests.clear();
    os.boxes.clear();
    host->Press(IDC_IMPORT);
  }
  Rows ListRows() {
    Rows rows;
    for (int row = 0; row < host->ListRowCount(IDC_AIRPORT_LIST); ++row) {
      rows.push_back({});
      for (int column = 0; column < 3; ++column) {
        rows.back().push_back(host->ListCell(IDC_AIRPORT_LIST, row, column));
      }
    }
    return rows;
  }
  std::vector<std::string> PageBoxes() const {
    std::vector<std::string> texts;
    for (const auto& box : sheet.boxes) texts.push_back(box.text);
    return texts;
  }
  bool NextRequested() const {
    return !sheet.buttonRequests.empty() &&
           sheet.buttonRequests.back() == (kWizardBack | kWizardNext);
  }
  // Shift held: the text files are loaded as they lie in the working folder.
  void ImportAsTheyLie(const std::string& aircraft, const std::string& plans) {
    installation.WorkFile("Aircraft.txt", aircraft);
    installation.WorkFile("FlightPlans.txt", plans);
    os.shiftHeld = true;
    Import();
  }
  FixtureInstallation installation;
  ScopedTempFolder temp{"traffic_page_tmp"};  // where the decompiler is extracted
  ScopedFakeOs os;
  CWizard wizard;
  RecordingSheet sheet{&wizard};
  RecordingHost* host = nullptr;
  std::vector<std::string> statusTexts;
};

TEST_F(TrafficPageTest, ImportRunsTheDecompilerAndShowsEveryAirportLargerCountFirst) {
  Import();
  EXPECT_EQ(statusTexts, (std::vector<std::string>{"Clearing...", "Decompliling AI traffic...",
                                                   "Sorting items...",
                                                   "Loaded 3 AI aircraft, 3 plans, 6 legs"}));
  EXPECT_EQ(host->ListColumns(IDC_AIRPORT_LIST),
            (std::vector<std::string>{"Airport", "Country", "Fl. freq."}));
  EXPECT_EQ(ListRows(), testing::ScenarioAirportRows(true)) << "ZZZZ is not in the store";
  ASSERT_EQ(os.startedCommands.size(), 1u);
  const std::string& command = os.startedCommands[0];
  EXPECT_EQ(command.rfind("\"" + temp.Path(), 0), 0u) << command;
  EXPECT_EQ(command.substr(command.size() - 5), "\" /np") << command;
  EXPECT_EQ(os.startedFolders, std::vector<std::string>{installation.WorkFolder()});
  EXPECT_EQ(os.startedShown, std::vector<bool>{false}) << "Hide Compiler is checked";
  EXPECT_EQ(wizard.State().trafficAircraft.size(), 3u);
  EXPECT_EQ(wizard.State().flightPlans.size(), 3u);
  EXPECT_EQ(wizard.State().flightPlans.front().legs[1].airportId, "LFPG");
  ASSERT_EQ(sheet.boxes.size(), 1u) << "the backup box";
  EXPECT_EQ(sheet.boxes[0].icon, BoxIcon::Information);
  EXPECT_TRUE(NextRequested());
  EXPECT_EQ(host->WaitCursorDepth(), 0);
  EXPECT_EQ(temp.Names(), std::vector<std::string>{}) << "the extracted decompiler is gone";
  EXPECT_TRUE(os.boxes.empty());
}

TEST_F(TrafficPageTest, HideCompilerUncheckedShowsTheDecompilersWindow) {
  host->Press(IDC_HIDE_COMPILER);
  Import();
  EXPECT_EQ(os.startedShown, std::vector<bool>{true});
}

TEST_F(TrafficPageTest, ShiftLoadsTheFilesAsTheyLieAndCountsTheirLines) {
  installation.SetTrafficBgl("not a traffic file");  // never read
  ImportAsTheyLie(
      "AC#1,250,\"Boeing 737\"\nAC#1,260,\"the same id\"\nAC#2,250\n\nAC#3,1,Cessna\n",
      "AC#1,N1,100%,24Hr,IFR,07:00:00,08:00:00,050,F,0001,EGLL,09:00:00,10:00:00,050,F,0002,"
      "LFPG\n"
      "a line without a comma\n\n"
      "AC#3,N2,100%,24Hr,VFR,07:00:00,08:00:00,050,F,0003,EGLL\n");
  EXPECT_TRUE(os.startedCommands.empty()) << "the decompiler does not run with Shift";
  EXPECT_EQ(host->GetText(IDC_STATUS), "Loaded 3 AI aircraft, 2 plans, 3 legs");
  EXPECT_EQ(wizard.State().trafficAircraft.size(), 2u);
  EXPECT_EQ(wizard.State().trafficAircraft["AC#1"].title, "Boeing 737") << "the first line wins";
  EXPECT_EQ(ListRows(),
            (Rows{{"Heathrow", "United Kingdom", "2"}, {"Charles de Gaulle", "France", "1"}}));
  EXPECT_TRUE(NextRequested());
  EXPECT_EQ(temp.Names(), std::vector<std::string>{}) << "extracted, then deleted unused";
}

TEST_F(TrafficPageTest, LoadingProgressAfterEveryThousandthPlan) {
  std::string plans;
  for (int i = 0; i < 2500; ++i) plans += "AC#1,N1,100%,24Hr,IFR,07:00,08:00,050,F,0001,EGLL\n";
  ImportAsTheyLie("AC#1,250,\"Boeing 737\"\n", plans);
  EXPECT_EQ(statusTexts,
            (std::vector<std::string>{"Clearing...", "Decompliling AI traffic...",
                                      "Loading AI Traffic, 1000 plans loaded",
                                      "Loading AI Traffic, 2000 plans loaded", "Sorting items...",
                                      "Loaded 1 AI aircraft, 2500 plans, 2500 legs"}));
}

struct FailureCase {
  const char* what;
  std::function<void(ScopedFakeOs&, FixtureInstallation&)> arrange;
  std::string pageBox;
  std::vector<std::string> osBoxStarts;
  size_t aircraftLeft;
};

TEST_F(TrafficPageTest, EachFailureShowsItsBoxAndLeavesItsState) {
  const FailureCase cases[] = {
      {"the decompiler cannot be started",
       [](ScopedFakeOs& os, FixtureInstallation&) { os.Fail(FakeStep::Start, 2); },
       kToolsMissing,
       {"CreateProcess (\""},
       0},
      {"the decompiler cannot be extracted",
       [](ScopedFakeOs& os, FixtureInstallation&) { os.FailPayload("FindResource", 0x716); },
       kToolsMissing,
       {"FindResource failed during extraction of (134) - 0x716",
        "CreateProcess (\"\" /np) failed: 0x"},
       0},
      {"the decompiler refuses a foreign traffic.bgl and leaves no file",
       [](ScopedFakeOs&, FixtureInstallation& fs) { fs.SetTrafficBgl("FS2002's own"); },
       kFilesMissing,
       {},
       0},
      {"FlightPlans.txt is missing",
       [](ScopedFakeOs& os, FixtureInstallation& fs) {
         fs.WorkFile("Aircraft.txt", "AC#1,250,\"a\"\nAC#2,250,\"b\"\n");
         os.shiftHeld = true;
       },
       kFilesMissing,
       {},
       2},
  };
  for (const FailureCase& c : cases) {
    // What an earlier import left goes first, whatever happens.
    wizard.State().trafficAircraft["AC#9"] = {};
    wizard.State().flightPlans.push_back({});
    host->ListAppendRow(IDC_AIRPORT_LIST, {"earlier", "row", "1"});
    c.arrange(os, installation);
    Import();
    EXPECT_EQ(PageBoxes(), std::vector<std::string>{c.pageBox}) << c.what;
    EXPECT_EQ(sheet.boxes.at(0).icon, BoxIcon::Error) << c.what;
    ASSERT_EQ(os.boxes.size(), c.osBoxStarts.size()) << c.what;
    for (size_t i = 0; i < c.osBoxStarts.size(); ++i) {
      EXPECT_EQ(os.boxes[i].text.rfind(c.osBoxStarts[i], 0), 0u)
          << c.what << ": " << os.boxes[i].text;
    }
    EXPECT_EQ(wizard.State().trafficAircraft.size(), c.aircraftLeft) << c.what;
    EXPECT_TRUE(wizard.State().flightPlans.empty()) << c.what;
    EXPECT_EQ(host->ListRowCount(IDC_AIRPORT_LIST), 0) << c.what;
    EXPECT_FALSE(NextRequested()) << c.what;
    EXPECT_FALSE(PathExists(installation.BackupTrafficBglPath())) << c.what;
    EXPECT_EQ(host->WaitCursorDepth(), 0) << c.what;
    EXPECT_EQ(temp.Names(), std::vector<std::string>{}) << c.what << ": the extracted file stays";
    // Back to a working set-up for the next case.
    os.Succeed(FakeStep::Start);
    os.FailPayload(nullptr, 0);
    os.shiftHeld = false;
    InstallScenarioTraffic(installation);
    for (const char* name : {"Aircraft.txt", "FlightPlans.txt", "Airports.txt"}) {
      RemoveFile(installation.WorkPath(name));
    }
  }
}

TEST_F(TrafficPageTest, AFailedBackupCopyShowsNothingAndTheImportStands) {
  os.Fail(FakeStep::Copy, 5);
  Import();
  EXPECT_TRUE(PageBoxes().empty());
  EXPECT_TRUE(os.boxes.empty());
  EXPECT_EQ(host->GetText(IDC_STATUS), "Loaded 3 AI aircraft, 3 plans, 6 legs");
  EXPECT_TRUE(NextRequested());
}

TEST(TrafficScenario, OnTheRecordingSheet) {
  FixtureInstallation installation;
  ASSERT_TRUE(installation.IsReady());
  ASSERT_TRUE(installation.PointSystemAtRoot());
  testing::InstallScenarioTraffic(installation);
  CWizard wizard;
  wizard.State().workFolder = installation.WorkFolder();
  wizard.State().aircraftModels.emplace_back();
  testing::AddScenarioAirports(wizard.State().airportStore);
  testing::RecordingWizardDriver driver(wizard);
  for (int page = 0; page < 3; ++page) driver.Next();
  testing::TrafficImportScenario(driver, installation, true);
}

}  // namespace
}  // namespace fm
