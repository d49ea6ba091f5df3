// The aircraft page through the recording sheet: the scenario that the real
// shell runs too, then the page's other paths (a repeated import, the
// missing air_class.cfg, airlines.cfg that cannot be written, Notepad).
#include <gtest/gtest.h>

#include "platform/file_paths.h"
#include "platform/file_system.h"
#include "platform/file_text.h"
#include "resources/resource.h"
#include "tests/support/aircraft_scenarios.h"
#include "tests/support/fake_os.h"
#include "tests/support/recording_wizard_driver.h"

namespace fm {
namespace {

using testing::FixtureInstallation;
using testing::ProcessEnded;
using testing::RecordingHost;
using testing::RecordingWizardDriver;
using testing::ScopedFakeOs;

class AircraftPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(installation.IsReady());
    os.SetFsRoot(installation.Root());
    os.Fail(testing::FakeStep::Start, 2);  // Notepad is never really started
    wizard.State().workFolder = installation.WorkFolder();
  }

  // The aircraft page, entered from the welcome page.
  RecordingHost& EnterPage() {
    driver.Next();
    EXPECT_EQ(driver.ActiveDialogId(), IDD_AIRCRAFT);
    return driver.Sheet().ActiveHost();
  }

  std::vector<std::string> BoxTexts() {
    std::vector<std::string> texts;
    for (const auto& box : driver.Sheet().boxes) texts.push_back(box.text);
    return texts;
  }

  const InstalledAircraft& Variation(const std::string& title) {
    for (const AircraftModel& model : wizard.State().aircraftModels) {
      if (auto it = model.variations.find(title); it != model.variations.end()) return it->second;
    }
    static const InstalledAircraft none;
    ADD_FAILURE() << "no variation " << title;
    return none;
  }

  std::string AircraftPath(std::string_view name) {
    return JoinPath(JoinPath(installation.Root(), "AIRCRAFT"), name);
  }

  FixtureInstallation installation;
  ScopedFakeOs os;
  CWizard wizard;
  RecordingWizardDriver driver{wizard};
};

TEST_F(AircraftPageTest, ImportBrowseUncheckAndWriteAirlines) {
  AddScenarioAircraft(installation);
  AircraftImportScenario(driver, installation);
  RecordingHost& page = driver.Sheet().ActiveHost();
  EXPECT_EQ(
      page.ListColumns(IDC_AIRCRAFT_LIST),
      (std::vector<std::string>{"Variation", "ATC Callsign", "ATC id", "FS Title", "Location"}));
  EXPECT_TRUE(page.ListHasCheckBoxes(IDC_AIRCRAFT_LIST));

  EXPECT_FALSE(Variation("Boeing 737-800 Lufthansa").useForAi);
  EXPECT_TRUE(Variation("Boeing 737-800 Speedbird").useForAi);
  for (const auto& box : driver.Sheet().boxes) {
    EXPECT_EQ(box.caption, "AI Traffic Fleetmixer");
    EXPECT_EQ(box.icon, BoxIcon::Information);
  }
  // Every model classified on import, in folder order.
  std::vector<std::string> categories;
  for (const AircraftModel& model : wizard.State().aircraftModels) {
    categories.push_back(model.category);
  }
  EXPECT_EQ(categories, (std::vector<std::string>{"Airliner", "Airliner", "Light"}));
}

TEST_F(AircraftPageTest, ASecondImportChecksEveryRowAgainAndKeepsTheTree) {
  AddScenarioAircraft(installation);
  AircraftImportScenario(driver, installation);
  const std::vector<std::string> tree = driver.TreeLines(IDC_AIRCRAFT_TREE);
  RecordingHost& page = driver.Sheet().ActiveHost();
  ASSERT_EQ(page.ListRowCount(IDC_AIRCRAFT_LIST), 2);

  installation.AddAircraft("Z",
                           "[General]\natc_type=Zlin\n[fltsim.0]\ntitle=Zlin Trainer\n"
                           "ui_manufacturer=Zlin\nui_type=Z-142\n");
  driver.PressButton(IDC_IMPORT_AIRCRAFT);
  // The rows of the first import are gone with its variations.
  EXPECT_EQ(page.ListRowCount(IDC_AIRCRAFT_LIST), 0);
  EXPECT_FALSE(page.IsControlEnabled(IDC_AIRCRAFT_LIST));
  EXPECT_TRUE(Variation("Boeing 737-800 Lufthansa").useForAi);
  EXPECT_EQ(BoxTexts().back(), "Import succeeded. 4 airlines, 4 models, 4 variations.");

  // Nothing doubled; the new path appended.
  std::vector<std::string> grown = tree;
  grown.insert(grown.end(), {"Unknown", "  Zlin", "    Z-142"});
  EXPECT_EQ(driver.TreeLines(IDC_AIRCRAFT_TREE), grown);

  ASSERT_TRUE(driver.SelectTreePath(IDC_AIRCRAFT_TREE, {"Airliner", "Boeing", "737-800"}));
  EXPECT_TRUE(driver.ListRowChecked(IDC_AIRCRAFT_LIST, 0));
  driver.SetListRowChecked(IDC_AIRCRAFT_LIST, 1, false);
  EXPECT_FALSE(Variation("Boeing 737-800 Speedbird").useForAi);
  driver.SetListRowChecked(IDC_AIRCRAFT_LIST, 1, true);
  EXPECT_TRUE(Variation("Boeing 737-800 Speedbird").useForAi);
}

TEST_F(AircraftPageTest, TypeListsOnlyItsOwnCategory) {
  installation.WorkFile("air_class.cfg", "[Jet]\nJET\n[Prop]\nPROP\n");
  for (const char* kind : {"Jet", "Prop"}) {
    installation.AddAircraft(kind, std::string("[General]\natc_type=") + kind +
                                       "\n[fltsim.0]\ntitle=" + kind +
                                       " one\nui_manufacturer=Same\nui_type=Same\n");
  }
  // No variation: no tree item.
  installation.AddAircraft("Empty", "[General]\natc_type=Jet\natc_model=Empty\n");
  EnterPage();
  driver.PressButton(IDC_IMPORT_AIRCRAFT);
  EXPECT_EQ(BoxTexts().back(), "Import succeeded. 1 airlines, 3 models, 1 variations.");
  EXPECT_EQ(driver.TreeLines(IDC_AIRCRAFT_TREE),
            (std::vector<std::string>{"Jet", "  Same", "    Same", "Prop", "  Same", "    Same"}));
  ASSERT_TRUE(driver.SelectTreePath(IDC_AIRCRAFT_TREE, {"Prop", "Same", "Same"}));
  const auto rows = driver.ListRows(IDC_AIRCRAFT_LIST);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0][3], "Prop one");
  ASSERT_TRUE(driver.SelectTreePath(IDC_AIRCRAFT_TREE, {"Jet"}));
  EXPECT_TRUE(driver.ListRows(IDC_AIRCRAFT_LIST).empty());
  EXPECT_FALSE(driver.ControlEnabled(IDC_AIRCRAFT_LIST));
}

TEST_F(AircraftPageTest, MissingClassFileEndsTheProcessAfterItsBox) {
  AddScenarioAircraft(installation);
  ASSERT_TRUE(RemoveFile(installation.WorkPath("air_class.cfg")));
  wizard.State().aircraftModels.emplace_back();
  RecordingHost& page = EnterPage();
  try {
    page.Press(IDC_IMPORT_AIRCRAFT);
    ADD_FAILURE() << "the process went on";
  } catch (const ProcessEnded& ended) {
    EXPECT_EQ(ended.exitCode, 1);
  }
  ASSERT_EQ(driver.Sheet().boxes.size(), 1u);
  EXPECT_EQ(driver.Sheet().boxes[0].text, "Cannot find air_class.cfg");
  EXPECT_EQ(driver.Sheet().boxes[0].icon, BoxIcon::Error);
  EXPECT_TRUE(wizard.State().aircraftModels.empty());
  EXPECT_EQ(page.WaitCursorDepth(), 0);
}

TEST_F(AircraftPageTest, EmptyAircraftFolderStillSucceeds) {
  installation.WorkFile("air_class.cfg", "");
  EnterPage();
  driver.PressButton(IDC_IMPORT_AIRCRAFT);
  EXPECT_EQ(BoxTexts(),
            std::vector<std::string>{"Import succeeded. 0 airlines, 0 models, 0 variations."});
  EXPECT_EQ(driver.EnabledButtons(), unsigned{kWizardBack | kWizardNext});
  // Entering the page again looks at the catalogue, which is empty.
  driver.Back();
  driver.Next();
  EXPECT_EQ(driver.EnabledButtons(), unsigned{kWizardBack});

  installation.AddRootFile("AIRCRAFT/airlines.cfg", "OLD\r\n");
  driver.PressButton(IDC_GENERATE_AIRLINES);
  EXPECT_EQ(BoxTexts().back(), "airlines.cfg updated successfully.");
  std::string written = "unread";
  EXPECT_TRUE(ReadFileBytes(AircraftPath("airlines.cfg"), written));
  EXPECT_EQ(written, "");
}

TEST_F(AircraftPageTest, AirlinesFileThatCannotBeWrittenIsLeftAsItWas) {
  AddScenarioAircraft(installation);
  EnterPage();
  driver.PressButton(IDC_IMPORT_AIRCRAFT);
  const std::string path = installation.AddRootFile("AIRCRAFT/airlines.cfg", "OLD\r\n");
  ASSERT_TRUE(SetReadOnly(path, true));
  driver.PressButton(IDC_GENERATE_AIRLINES);
  EXPECT_EQ(BoxTexts().back(),
            "Could not open airlines.cfg for writing. The file might be read-only.");
  EXPECT_EQ(driver.Sheet().boxes.back().icon, BoxIcon::Error);
  std::string bytes;
  EXPECT_TRUE(ReadFileBytes(path, bytes));
  EXPECT_EQ(bytes, "OLD\r\n");
  SetReadOnly(path, false);

  // Without the AIRCRAFT folder there is nowhere to write.
  ASSERT_TRUE(RemoveTree(installation.RootPath("AIRCRAFT")));
  driver.PressButton(IDC_GENERATE_AIRLINES);
  EXPECT_EQ(BoxTexts().back(),
            "Could not open airlines.cfg for writing. The file might be read-only.");
}

TEST_F(AircraftPageTest, NotepadCommandLines) {
  AddScenarioAircraft(installation);
  RecordingHost& page = EnterPage();
  driver.PressButton(IDC_IMPORT_AIRCRAFT);
  ASSERT_TRUE(driver.SelectTreePath(IDC_AIRCRAFT_TREE, {"Light", "Cessna", "172 Skyhawk"}));

  driver.PressButton(IDC_OPEN_AIR_CLASS);
  driver.PressButton(IDC_OPEN_AIRLINES);
  page.DoubleClickRow(IDC_AIRCRAFT_LIST, 0);
  page.DoubleClickRow(IDC_AIRCRAFT_LIST, -1);  // below the rows: nothing
  wizard.State().workFolder.clear();
  driver.PressButton(IDC_OPEN_AIR_CLASS);

  const std::vector<std::string> expected = {
      "notepad " + installation.WorkPath("air_class.cfg"),
      "notepad " + AircraftPath("airlines.cfg"),
      "notepad \"" + JoinPath(AircraftPath("C172"), "aircraft.cfg") + "\"",
      "notepad air_class.cfg"};
  EXPECT_EQ(os.startedCommands, expected);
}

}  // namespace
}  // namespace fm
