// The aircraft page through the recording sheet, on the paths the whole
// wizard does not take: Notepad, a repeated import and the category of a
// type, the missing air_class.cfg, an empty catalogue. An airlines.cfg that cannot
// be written is the fault table's.
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
    driver.Next();
  }
  std::string LastBox() {
    return driver.Sheet().boxes.empty() ? "" : driver.Sheet().boxes.back().text;
  }
  std::string Airlines() {
    std::string bytes = "<missing>";
    ReadFileBytes(installation.RootPath("AIRCRAFT/airlines.cfg"), bytes);
    return bytes;
  }

  FixtureInstallation installation;
  ScopedFakeOs os;
  CWizard wizard;
  RecordingWizardDriver driver{wizard};
};

// After an import: Notepad on the files, then a second import that checks
// every row again, keeps the tree and lists a type by its category.
TEST_F(AircraftPageTest, NotepadAndASecondImport) {
  AddScenarioAircraft(installation);
  driver.PressButton(IDC_IMPORT_AIRCRAFT);
  RecordingHost& page = driver.Sheet().ActiveHost();
  const std::vector<std::string> tree = driver.TreeLines(IDC_AIRCRAFT_TREE);
  ASSERT_TRUE(driver.SelectTreePath(IDC_AIRCRAFT_TREE, {"Light", "Cessna", "172 Skyhawk"}));
  driver.PressButton(IDC_OPEN_AIR_CLASS);
  driver.PressButton(IDC_OPEN_AIRLINES);
  page.DoubleClickRow(IDC_AIRCRAFT_LIST, 0);
  EXPECT_EQ(os.startedCommands,
            (std::vector<std::string>{
                "notepad " + installation.WorkPath("air_class.cfg"),
                "notepad " + installation.RootPath("AIRCRAFT/airlines.cfg"),
                "notepad \"" + installation.RootPath("AIRCRAFT/C172/aircraft.cfg") + "\""}));

  // A cleared box clears the variation's useForAi; the next import sets
  // every one again, empties the list and appends only new tree paths.
  ASSERT_TRUE(driver.SelectTreePath(IDC_AIRCRAFT_TREE, {"Airliner", "Boeing", "737-800"}));
  driver.SetListRowChecked(IDC_AIRCRAFT_LIST, 0, false);
  const std::string kTitle = "Boeing 737-800 Lufthansa";
  auto usedForAi = [&] {
    for (const AircraftModel& model : wizard.State().aircraftModels) {
      if (model.variations.count(kTitle)) return model.variations.at(kTitle).useForAi;
    }
    return false;
  };
  EXPECT_FALSE(usedForAi());
  // A type of another category under the same names lists only its own
  // variations; a model without variations makes no tree item.
  installation.AddAircraft("Z",
                           "[General]\natc_type=Zlin\n[fltsim.0]\ntitle=Zlin Trainer\n"
                           "ui_manufacturer=Boeing\nui_type=737-800\n");
  installation.AddAircraft("Empty", "[General]\natc_type=Jet\natc_model=Empty\n");
  driver.PressButton(IDC_IMPORT_AIRCRAFT);
  EXPECT_EQ(page.ListRowCount(IDC_AIRCRAFT_LIST), 0);
  EXPECT_FALSE(page.IsControlEnabled(IDC_AIRCRAFT_LIST));
  EXPECT_TRUE(usedForAi());
  EXPECT_EQ(LastBox(), "Import succeeded. 4 airlines, 5 models, 4 variations.");
  std::vector<std::string> grown = tree;
  grown.insert(grown.end(), {"Unknown", "  Boeing", "    737-800"});
  EXPECT_EQ(driver.TreeLines(IDC_AIRCRAFT_TREE), grown);
  ASSERT_TRUE(driver.SelectTreePath(IDC_AIRCRAFT_TREE, {"Unknown", "Boeing", "737-800"}));
  const auto rows = driver.ListRows(IDC_AIRCRAFT_LIST);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0][3], "Zlin Trainer");
}

TEST_F(AircraftPageTest, MissingClassFileEndsTheProcessAfterItsBox) {
  AddScenarioAircraft(installation);
  ASSERT_TRUE(RemoveFile(installation.WorkPath("air_class.cfg")));
  wizard.State().aircraftModels.emplace_back();
  try {
    driver.PressButton(IDC_IMPORT_AIRCRAFT);
    ADD_FAILURE() << "the process went on";
  } catch (const ProcessEnded& ended) {
    EXPECT_EQ(ended.exitCode, 1);
  }
  ASSERT_EQ(driver.Sheet().boxes.size(), 1u);
  EXPECT_EQ(LastBox(), "Cannot find air_class.cfg");
  EXPECT_TRUE(wizard.State().aircraftModels.empty());
  EXPECT_EQ(driver.Sheet().ActiveHost().WaitCursorDepth(), 0);
}

// An import of nothing enables Next; entering the page again looks at the
// catalogue, which is empty. The airlines file written is empty.
TEST_F(AircraftPageTest, EmptyFolderImportsNothingAndWritesAnEmptyAirlinesFile) {
  installation.WorkFile("air_class.cfg", "");
  driver.PressButton(IDC_IMPORT_AIRCRAFT);
  EXPECT_EQ(LastBox(), "Import succeeded. 0 airlines, 0 models, 0 variations.");
  EXPECT_EQ(driver.EnabledButtons(), unsigned{kWizardBack | kWizardNext});
  driver.Back();
  driver.Next();
  EXPECT_EQ(driver.EnabledButtons(), unsigned{kWizardBack});

  installation.AddRootFile("AIRCRAFT/airlines.cfg", "OLD\r\n");
  driver.PressButton(IDC_GENERATE_AIRLINES);
  EXPECT_EQ(LastBox(), "airlines.cfg updated successfully.");
  EXPECT_EQ(Airlines(), "");
}

}  // namespace
}  // namespace fm::testing
