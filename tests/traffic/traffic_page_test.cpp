// The traffic page's "Import" on a fixture installation, with the real
// embedded decompiler: counts and rows, Shift, progress, and every failure
// with its box and the state it leaves. (The backup box on the first import
// and never again is the whole-wizard scenario's, wizard_pages_test.)
#include <gtest/gtest.h>

#include <functional>

#include "resources/resource.h"
#include "tests/support/fake_os.h"
#include "tests/support/fixture_installation.h"
#include "tests/support/recording_sheet.h"
#include "tests/support/traffic_scenarios.h"
#include "tests/system/system_test_support.h"
#include "wizard/wizard.h"

namespace fm {
namespace {

using testing::FakeStep;
using Texts = std::vector<std::string>;

// The page on a fixture installation holding the scenario traffic, whose
// airports the store knows.
struct TrafficPage {
  TrafficPage() {
    EXPECT_TRUE(installation.IsReady() && installation.PointSystemAtRoot());
    wizard.State().workFolder = installation.WorkFolder();
    testing::AddScenarioAirports(wizard.State().airportStore);
    InstallScenarioTraffic(installation);
    host.onDispatch = [this] { statusTexts.push_back(host.GetText(IDC_STATUS)); };
  }
  // Shift held: the text files are loaded as they lie in the working folder.
  void Import(bool shift = false) {
    os.shiftHeld = shift;
    statusTexts.clear();
    host.Press(IDC_IMPORT);
  }
  bool NextRequested() const {
    return !sheet.buttonRequests.empty() &&
           sheet.buttonRequests.back() == (kWizardBack | kWizardNext);
  }

  testing::FixtureInstallation installation;
  testing::ScopedTempFolder temp{"traffic_page_tmp"};  // where the decompiler is extracted
  testing::ScopedFakeOs os;
  CWizard wizard;
  testing::RecordingSheet sheet{&wizard};
  testing::RecordingHost& host = sheet.HostOf(3);
  Texts statusTexts;
};

TEST(TrafficPageTest, ShiftLoadsTheFilesAsTheyLieCountingTheirLinesAndShowingProgress) {
  TrafficPage page;
  page.installation.SetTrafficBgl("not a traffic file");  // never read
  page.installation.WorkFile(
      "Aircraft.txt",
      "AC#1,250,\"Boeing 737\"\nAC#1,260,\"the same id\"\nAC#2,250\n\nAC#3,1,Cessna\n");
  page.installation.WorkFile(
      "FlightPlans.txt",
      "AC#1,N1,100%,24Hr,IFR,07:00:00,08:00:00,050,F,0001,EGLL,09:00:00,10:00:00,050,F,0002,"
      "LFPG\na line without a comma\n\nAC#3,N2,100%,24Hr,VFR,07:00:00,08:00:00,050,F,0003,LFPG\n");
  page.Import(true);
  EXPECT_TRUE(page.os.startedCommands.empty()) << "the decompiler does not run with Shift";
  EXPECT_EQ(page.host.GetText(IDC_STATUS), "Loaded 3 AI aircraft, 2 plans, 3 legs");
  EXPECT_EQ(page.wizard.State().trafficAircraft["AC#1"].title, "Boeing 737") << "the first wins";
  EXPECT_EQ(page.host.ListRowCount(IDC_AIRPORT_LIST), 2);
  // The airport with the most legs first, though its code sorts after EGLL.
  EXPECT_EQ(page.host.ListCell(IDC_AIRPORT_LIST, 0, 0) + page.host.ListCell(IDC_AIRPORT_LIST, 0, 2),
            "Charles de Gaulle2");
  EXPECT_TRUE(page.NextRequested());

  std::string plans;
  for (int i = 0; i < 2500; ++i) plans += "AC#1,N1,100%,24Hr,IFR,07:00,08:00,050,F,0001,EGLL\n";
  page.installation.WorkFile("Aircraft.txt", "AC#1,250,\"Boeing 737\"\n");
  page.installation.WorkFile("FlightPlans.txt", plans);
  page.Import(true);
  EXPECT_EQ(page.statusTexts,
            (Texts{"Clearing...", "Decompliling AI traffic...",
                   "Loading AI Traffic, 1000 plans loaded", "Loading AI Traffic, 2000 plans loaded",
                   "Sorting items...", "Loaded 1 AI aircraft, 2500 plans, 2500 legs"}));
}

TEST(TrafficPageTest, EachFailureShowsItsBoxAndLeavesItsState) {
  const char* toolsMissing = "TTools is missing. Import has failed.";
  const char* filesMissing = "Cannot find the files after decompilation. Import has failed.";
  const struct {
    const char* what;
    std::function<void(TrafficPage&)> arrange;
    const char* pageBox;
    size_t aircraftLeft;
  } cases[] = {
      // (A decompiler that cannot be started shows the same box; one that
      // refuses a foreign traffic.bgl leaves no file, as traffic_tools_test
      // shows, and ends as the missing FlightPlans.txt below. The system's
      // own boxes of a failed extraction are the fault table's.)
      {"the decompiler cannot be extracted",
       [](TrafficPage& p) { p.os.FailPayload("FindResource", 0x716); }, toolsMissing, 0},
      {"FlightPlans.txt is missing",
       [](TrafficPage& p) {
         p.installation.WorkFile("Aircraft.txt", "AC#1,250,\"a\"\nAC#2,250,\"b\"\n");
         p.os.shiftHeld = true;
       },
       filesMissing, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TrafficPage page;
    // What an earlier import left goes first, whatever happens.
    page.wizard.State().trafficAircraft["AC#9"] = {};
    page.wizard.State().flightPlans.push_back({});
    page.host.ListAppendRow(IDC_AIRPORT_LIST, {"earlier", "row", "1"});
    c.arrange(page);
    page.Import(page.os.shiftHeld);
    ASSERT_EQ(page.sheet.boxes.size(), 1u);
    EXPECT_EQ(page.sheet.boxes[0].text, c.pageBox);
    EXPECT_EQ(page.wizard.State().trafficAircraft.size(), c.aircraftLeft);
    EXPECT_TRUE(page.wizard.State().flightPlans.empty());
    EXPECT_EQ(page.host.ListRowCount(IDC_AIRPORT_LIST), 0);
    EXPECT_FALSE(page.NextRequested());
    EXPECT_EQ(page.temp.Names(), Texts{}) << "the extracted file stays";
  }
  // A backup copy that fails shows nothing, and the import stands.
  TrafficPage page;
  page.os.Fail(FakeStep::Copy, 5);
  page.Import();
  EXPECT_TRUE(page.sheet.boxes.empty() && page.os.boxes.empty());
  EXPECT_EQ(page.host.GetText(IDC_STATUS), "Loaded 3 AI aircraft, 3 plans, 6 legs");
  EXPECT_TRUE(page.NextRequested());
  // ZZZZ, which the store lacks, is the last row: no name, no country.
  ASSERT_EQ(page.host.ListRowCount(IDC_AIRPORT_LIST), 3);
  EXPECT_EQ(page.host.ListCell(IDC_AIRPORT_LIST, 2, 0) + "|" +
                page.host.ListCell(IDC_AIRPORT_LIST, 2, 1) + "|" +
                page.host.ListCell(IDC_AIRPORT_LIST, 2, 2),
            "||1");
}

}  // namespace
}  // namespace fm
