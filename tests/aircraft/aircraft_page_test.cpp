// The aircraft page through the recording sheet, on the paths the whole
// wizard does not take: Notepad, airlines.cfg that cannot be written, a
// repeated import, the category of a type, the missing air_class.cfg.
#include <gtest/gtest.h>

#include "platform/file_paths.h"
#include "platform/file_system.h"
#include "platform/file_text.h"
#include "resources/resource.h"
#include "tests/support/fake_os.h"
#include "tests/support/generate_scenarios.h"
#include "tests/support/recording_wizard_driver.h"

namespace fm::testing {
namespace {

class AircraftPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(installation.IsReady());
    os.SetFsRoot(installation.Root());
    os.Fail(FakeStep::Start, 2);  // Notepad is never really started
    wizard.State().workFolder = installation.WorkFolder();
  }
  // Enters the page from the welcome page and presses "Import Aircraft".
  RecordingHost& Import() {
    driver.Next();
    driver.PressButton(IDC_IMPORT_AIRCRAFT);
    return driver.Sheet().ActiveHost();
  }
  std::string LastBox() {
    return driver.Sheet().boxes.empty() ? "" : driver.Sheet().boxes.back().text;
  }
  bool UsedForAi(const std::string& title) {
    for (const AircraftModel& model : wizard.State().aircraftModels) {
      if (auto it = model.variations.find(title); it != model.variations.end())
        return it->second.useForAi;
    }
    ADD_FAILURE() << "no variation " << title;
    return false;
  }

  FixtureInstallation installation;
  ScopedFakeOs os;
  CWizard wizard;
  RecordingWizardDriver driver{wizard};
};

// After an import: Notepad on the files, a read-only airlines.cfg left as it
// was, then a second import that checks every row again and keeps the tree.
TEST_F(AircraftPageTest, NotepadUnwritableAirlinesAndASecondImport) {
  AddScenarioAircraft(installation);
  RecordingHost& page = Import();
  const std::vector<std::string> tree = driver.TreeLines(IDC_AIRCRAFT_TREE);
  ASSERT_TRUE(driver.SelectTreePath(IDC_AIRCRAFT_TREE, {"Light", "Cessna", "172 Skyhawk"}));
  driver.PressButton(IDC_OPEN_AIR_CLASS);
  driver.PressButton(IDC_OPEN_AIRLINES);
  page.DoubleClickRow(IDC_AIRCRAFT_LIST, 0);
  page.DoubleClickRow(IDC_AIRCRAFT_LIST, -1);  // below the rows: nothing
  wizard.State().workFolder.clear();
  driver.PressButton(IDC_OPEN_AIR_CLASS);
  wizard.State().workFolder = installation.WorkFolder();
  EXPECT_EQ(os.startedCommands,
            (std::vector<std::string>{
                "notepad " + installation.WorkPath("air_class.cfg"),
                "notepad " + installation.RootPath("AIRCRAFT/airlines.cfg"),
                "notepad \"" + installation.RootPath("AIRCRAFT/C172/aircraft.cfg") + "\"",
                "notepad air_class.cfg"}));

  const std::string airlines = installation.AddRootFile("AIRCRAFT/airlines.cfg", "OLD\r\n");
  ASSERT_TRUE(SetReadOnly(airlines, true));
  driver.PressButton(IDC_GENERATE_AIRLINES);
  SetReadOnly(airlines, false);
  EXPECT_EQ(LastBox(), "Could not open airlines.cfg for writing. The file might be read-only.");
  EXPECT_EQ(driver.Sheet().boxes.back().icon, BoxIcon::Error);
  std::string bytes;
  EXPECT_TRUE(ReadFileBytes(airlines, bytes));
  EXPECT_EQ(bytes, "OLD\r\n");

  ASSERT_TRUE(driver.SelectTreePath(IDC_AIRCRAFT_TREE, {"Airliner", "Boeing", "737-800"}));
  EXPECT_EQ(
      page.ListColumns(IDC_AIRCRAFT_LIST),
      (std::vector<std::string>{"Variation", "ATC Callsign", "ATC id", "FS Title", "Location"}));
  driver.SetListRowChecked(IDC_AIRCRAFT_LIST, 0, false);
  EXPECT_FALSE(UsedForAi("Boeing 737-800 Lufthansa"));
  installation.AddAircraft("Z",
                           "[General]\natc_type=Zlin\n[fltsim.0]\ntitle=Zlin Trainer\n"
                           "ui_manufacturer=Zlin\nui_type=Z-142\n");
  driver.PressButton(IDC_IMPORT_AIRCRAFT);
  // The rows of the first import are gone with its variations.
  EXPECT_EQ(page.ListRowCount(IDC_AIRCRAFT_LIST), 0);
  EXPECT_FALSE(page.IsControlEnabled(IDC_AIRCRAFT_LIST));
  EXPECT_TRUE(UsedForAi("Boeing 737-800 Lufthansa"));
  EXPECT_EQ(LastBox(), "Import succeeded. 4 airlines, 4 models, 4 variations.");
  // Nothing doubled; the new path appended.
  std::vector<std::string> grown = tree;
  grown.insert(grown.end(), {"Unknown", "  Zlin", "    Z-142"});
  EXPECT_EQ(driver.TreeLines(IDC_AIRCRAFT_TREE), grown);
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
  Import();
  EXPECT_EQ(LastBox(), "Import succeeded. 1 airlines, 3 models, 1 variations.");
  EXPECT_EQ(driver.TreeLines(IDC_AIRCRAFT_TREE),
            (std::vector<std::string>{"Jet", "  Same", "    Same", "Prop", "  Same", "    Same"}));
  ASSERT_TRUE(driver.SelectTreePath(IDC_AIRCRAFT_TREE, {"Prop", "Same", "Same"}));
  const auto rows = driver.ListRows(IDC_AIRCRAFT_LIST);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0][3], "Prop one");
}

TEST_F(AircraftPageTest, MissingClassFileEndsTheProcessAfterItsBox) {
  AddScenarioAircraft(installation);
  ASSERT_TRUE(RemoveFile(installation.WorkPath("air_class.cfg")));
  wizard.State().aircraftModels.emplace_back();
  driver.Next();
  RecordingHost& page = driver.Sheet().ActiveHost();
  try {
    page.Press(IDC_IMPORT_AIRCRAFT);
    ADD_FAILURE() << "the process went on";
  } catch (const ProcessEnded& ended) {
    EXPECT_EQ(ended.exitCode, 1);
  }
  ASSERT_EQ(driver.Sheet().boxes.size(), 1u);
  EXPECT_EQ(LastBox(), "Cannot find air_class.cfg");
  EXPECT_EQ(driver.Sheet().boxes[0].icon, BoxIcon::Error);
  EXPECT_TRUE(wizard.State().aircraftModels.empty());
  EXPECT_EQ(page.WaitCursorDepth(), 0);
}

TEST_F(AircraftPageTest, EmptyFolderImportsNothingAndWritesAnEmptyAirlinesFile) {
  installation.WorkFile("air_class.cfg", "");
  Import();
  EXPECT_EQ(LastBox(), "Import succeeded. 0 airlines, 0 models, 0 variations.");
  EXPECT_EQ(driver.EnabledButtons(), unsigned{kWizardBack | kWizardNext});
  // Entering the page again looks at the catalogue, which is empty.
  driver.Back();
  driver.Next();
  EXPECT_EQ(driver.EnabledButtons(), unsigned{kWizardBack});

  const std::string airlines = installation.AddRootFile("AIRCRAFT/airlines.cfg", "OLD\r\n");
  driver.PressButton(IDC_GENERATE_AIRLINES);
  EXPECT_EQ(LastBox(), "airlines.cfg updated successfully.");
  std::string written = "unread";
  EXPECT_TRUE(ReadFileBytes(airlines, written));
  EXPECT_EQ(written, "");
}

}  // namespace
}  // namespace fm::testing
