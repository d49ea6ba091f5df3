// The scenery page through the recording sheet, with bgltext embedded as
// program 132 and run for real on the fixture airport directories, on the
// paths the whole wizard does not take.
#include <gtest/gtest.h>

#include "platform/file_paths.h"
#include "platform/file_system.h"
#include "resources/resource.h"
#include "tests/support/fake_os.h"
#include "tests/support/generate_scenarios.h"
#include "tests/support/recording_wizard_driver.h"

namespace fm::testing {
namespace {

class SceneryPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    os.SetFsRoot(installation.Root());
    AddSceneryFixture(installation);
    wizard.State().aircraftModels.emplace_back();
    wizard.State().workFolder = installation.WorkFolder();
    driver.Next();
    driver.Next();
  }
  RecordingHost& Page() { return driver.Sheet().ActiveHost(); }

  FixtureInstallation installation;
  ScopedFakeOs os;
  CWizard wizard;
  RecordingWizardDriver driver{wizard};
};

TEST_F(SceneryPageTest, ImportRunsBgltextOncePerFileWhileTheButtonsWait) {
  int dispatches = 0;
  Page().onDispatch = [&] {  // an impatient user: nothing else may start
    ++dispatches;
    for (int id : {IDC_IMPORT, IDC_LOAD_CACHED, IDC_GENERATE_AIR_NAT}) {
      wizard.Scenery().OnButton(id);
    }
  };
  Page().Press(IDC_IMPORT);
  EXPECT_GT(dispatches, 2);
  EXPECT_EQ(installation.ReadWorkFile("new_air_nat.cfg"), "");
  EXPECT_EQ(os.startedCommands.size(), 2u);
}

TEST_F(SceneryPageTest, BgltextThatCannotStartLoadsNothing) {
  os.Fail(FakeStep::Start, 2);
  Page().Press(IDC_IMPORT);
  ASSERT_EQ(driver.Sheet().boxes.size(), 1u);
  EXPECT_EQ(driver.Sheet().boxes[0].text, "BGL disassembler is missing. Import has failed.");
  EXPECT_TRUE(driver.TreeLines(IDC_PLACE_TREE).empty());
  EXPECT_EQ(installation.ReadWorkFile("sccache.txt"), "");
}

TEST_F(SceneryPageTest, MissingAirNatKeepsTheAirportsButNoTreeNorCache) {
  RemoveFile(installation.WorkPath("air_nat.cfg"));
  Page().Press(IDC_IMPORT);
  ASSERT_EQ(driver.Sheet().boxes.size(), 1u);
  EXPECT_EQ(driver.Sheet().boxes[0].text, "air_nat.cfg is missing");
  EXPECT_EQ(Page().GetText(IDC_STATUS), "Import failed.");
  EXPECT_TRUE(driver.TreeLines(IDC_PLACE_TREE).empty());
  EXPECT_EQ(installation.ReadWorkFile("sccache.txt"), "");
  EXPECT_EQ(driver.EnabledButtons(), unsigned{kWizardBack});
  driver.Back();
  driver.Next();
  EXPECT_EQ(driver.EnabledButtons(), unsigned{kWizardBack | kWizardNext})
      << "the store holds airports";
}

TEST_F(SceneryPageTest, AnUnwritableCacheIsToldAndTheTreeFilled) {
  installation.WorkFileBytes("sccache.txt", "earlier");
  ASSERT_TRUE(SetReadOnly(installation.WorkPath("sccache.txt"), true));
  Page().Press(IDC_IMPORT);
  SetReadOnly(installation.WorkPath("sccache.txt"), false);
  ASSERT_EQ(driver.Sheet().boxes.size(), 1u);
  EXPECT_EQ(driver.Sheet().boxes[0].icon, BoxIcon::Warning);
  EXPECT_EQ(driver.TreeLines(IDC_PLACE_TREE), FixtureSceneryTree());
}

// Load Cached without a cache warns under a caption of its own (the text is
// fleetmix-cli's: cli-demo-run.sh, --airports cache); with one it leaves the
// file as it was.
TEST_F(SceneryPageTest, LoadCachedWarnsWithoutACacheAndLeavesOneAsItWas) {
  Page().Press(IDC_LOAD_CACHED);
  ASSERT_EQ(os.boxes.size(), 1u);
  EXPECT_EQ(os.boxes[0].caption, "AI Traffic Fleetsorter");
  installation.WorkFileBytes("sccache.txt", FixtureSceneryCache());
  Page().Press(IDC_LOAD_CACHED);
  EXPECT_EQ(installation.ReadWorkFile("sccache.txt"), FixtureSceneryCache()) << "not rewritten";
}

}  // namespace
}  // namespace fm::testing
