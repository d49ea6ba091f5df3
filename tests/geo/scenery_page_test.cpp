// The scenery page through the recording sheet, with bgltext embedded as
// program 132 and run for real on the fixture airport directories, on the
// paths the whole wizard does not take: an import that fails, and one whose
// cache cannot be written (a warning, the tree filled all the same).
#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "resources/resource.h"
#include "tests/support/fake_os.h"
#include "tests/support/generate_scenarios.h"
#include "tests/support/recording_wizard_driver.h"

namespace fm::testing {
namespace {

TEST(SceneryPageTest, ImportFailures) {
  for (int failure = 0; failure < 3; ++failure) {
    SCOPED_TRACE(failure);
    FixtureInstallation installation;
    ScopedFakeOs os;
    os.SetFsRoot(installation.Root());
    AddSceneryFixture(installation);
    CWizard wizard;
    wizard.State().aircraftModels.emplace_back();
    wizard.State().workFolder = installation.WorkFolder();
    RecordingWizardDriver driver{wizard};
    driver.Next();
    driver.Next();
    const std::string cache = installation.WorkPath("sccache.txt");
    if (failure == 0) os.Fail(FakeStep::Start, 2);
    if (failure == 1) RemoveFile(installation.WorkPath("air_nat.cfg"));
    if (failure == 2) installation.WorkFileBytes("sccache.txt", "earlier");
    ASSERT_TRUE(failure != 2 || SetReadOnly(cache, true));
    driver.PressButton(IDC_IMPORT);
    SetReadOnly(cache, false);
    ASSERT_EQ(driver.Sheet().boxes.size(), 1u);
    const RecordedBox& box = driver.Sheet().boxes[0];
    EXPECT_EQ(box.icon == BoxIcon::Warning, failure == 2);
    if (failure < 2) {
      EXPECT_EQ(box.text, failure == 0 ? "BGL disassembler is missing. Import has failed."
                                       : "air_nat.cfg is missing");
    }
    EXPECT_EQ(driver.TreeLines(IDC_PLACE_TREE),
              failure == 2 ? FixtureSceneryTree() : std::vector<std::string>());
    EXPECT_EQ(installation.ReadWorkFile("sccache.txt"), failure == 2 ? "earlier" : "");
  }
}

}  // namespace
}  // namespace fm::testing
