// The wizard scenarios against the real Win32 shell, in this process: the
// sheet runs modally on a second thread, the scenario drives its windows.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <ole2.h>
#include <cstdlib>
#include <functional>
#include <memory>

#include "resources/resource.h"
#include "shell/shell_sheet.h"
#include "tests/e2e/win32_wizard_driver.h"
#include "tests/support/aircraft_scenarios.h"
#include "tests/support/fixture_installation.h"
#include "tests/support/generate_scenarios.h"
#include "tests/support/scenery_scenarios.h"
#include "tests/support/traffic_scenarios.h"
#include "tests/support/wizard_scenarios.h"

namespace fm::testing {
namespace {

class ShellThread {
 public:
  explicit ShellThread(const std::function<void(CWizard&)>& setup = {}) {
    if (setup) setup(wizard);
    thread_ = CreateThread(nullptr, 0, &ShellThread::Run, this, 0, nullptr);
  }
  ~ShellThread() {
    if (WaitForSingleObject(thread_, 10000) != WAIT_OBJECT_0)
      ADD_FAILURE() << "the wizard did not close";
    CloseHandle(thread_);
  }
  bool Closed() { return WaitForSingleObject(thread_, 5000) == WAIT_OBJECT_0; }
  // A driver of the sheet once it is shown; null when none appeared.
  std::unique_ptr<Win32WizardDriver> Driver() {
    HWND sheet = WaitForSheet(GetCurrentProcessId(), 10000);
    return sheet ? std::make_unique<Win32WizardDriver>(sheet, GetCurrentProcessId()) : nullptr;
  }
  CWizard wizard;

 private:
  static DWORD WINAPI Run(LPVOID self) {
    OleInitialize(nullptr);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    {
      win32::ShellSheet sheet(static_cast<ShellThread*>(self)->wizard, GetModuleHandleA(nullptr));
      sheet.Run();
    }
    OleUninitialize();
    return 0;
  }
  HANDLE thread_;
};

TEST(WizardShellTest, WelcomeAndHelp) {
  ShellThread shell;
  const auto driver = shell.Driver();
  ASSERT_NE(driver, nullptr);
  WelcomeAndHelpScenario(*driver);
  EXPECT_TRUE(shell.Closed());
}

TEST(WizardShellTest, ModelFilledBeforehandEnablesNext) {
  ShellThread shell([](CWizard& wizard) { wizard.State().aircraftModels.emplace_back(); });
  const auto driver = shell.Driver();
  ASSERT_NE(driver, nullptr);
  driver->Next();
  EXPECT_EQ(driver->ActiveDialogId(), 105);
  EXPECT_EQ(driver->EnabledButtons(), unsigned{kWizardBack | kWizardNext});
  driver->Next();
  EXPECT_EQ(driver->ActiveDialogId(), 106);
  EXPECT_EQ(driver->EnabledButtons(), unsigned{kWizardBack}) << "no airports yet";
  driver->Cancel();
  EXPECT_TRUE(shell.Closed());
}

// Saves the sheet as <name>.bmp when FLEETMIX_SCREENSHOT_DIR names a folder.
void SaveScreenshotIfAsked(Win32WizardDriver& driver, const std::string& name) {
  char folder[MAX_PATH] = {};
  if (GetEnvironmentVariableA("FLEETMIX_SCREENSHOT_DIR", folder, sizeof folder) == 0) return;
  EXPECT_TRUE(driver.SaveScreenshot(std::string(folder) + "\\" + name + ".bmp"));
}

TEST(WizardShellTest, TrafficImport) {
  FixtureInstallation installation;
  ASSERT_TRUE(installation.IsReady());
  ASSERT_TRUE(installation.PointSystemAtRoot());
  InstallScenarioTraffic(installation);
  ShellThread shell([&](CWizard& wizard) {
    wizard.State().workFolder = installation.WorkFolder();
    wizard.State().aircraftModels.emplace_back();
    AddScenarioAirports(wizard.State().airportStore);
  });
  const auto driver = shell.Driver();
  ASSERT_NE(driver, nullptr);
  for (int page = 0; page < 3; ++page) driver->Next();
  TrafficImportScenario(*driver, installation, true);
  SaveScreenshotIfAsked(*driver, "traffic");
  driver->Cancel();
  EXPECT_TRUE(shell.Closed());
}

// "Import from FS" through the embedded bgltext, then "Load Cached" in a
// fresh wizard; the filled page is saved as a screenshot when asked.
TEST(WizardShellTest, SceneryImportThenLoadCached) {
  FixtureInstallation installation;
  ASSERT_TRUE(installation.IsReady());
  AddSceneryFixture(installation);
  ASSERT_TRUE(installation.PointSystemAtRoot());
  auto onSceneryPage = [&](CWizard& wizard) {
    wizard.State().aircraftModels.emplace_back();
    wizard.State().workFolder = installation.WorkFolder();
  };
  for (bool fresh : {false, true}) {
    ShellThread shell(onSceneryPage);
    const auto driver = shell.Driver();
    ASSERT_NE(driver, nullptr);
    driver->Next();
    driver->Next();
    if (!fresh) {
      SceneryImportScenario(*driver, installation);
      // Airports opened as a user opens them, for the picture.
      driver->SelectTreePath(IDC_PLACE_TREE,
                             {"Europe", "United Kingdom", "London", "Heathrow (EGLL)"});
      SaveScreenshotIfAsked(*driver, "scenery");
    } else {
      SceneryLoadCachedScenario(*driver);
    }
    driver->Cancel();
    EXPECT_TRUE(shell.Closed());
  }
}

TEST(WizardShellTest, AircraftImport) {
  FixtureInstallation installation;
  ASSERT_TRUE(installation.IsReady());
  AddScenarioAircraft(installation);
  ASSERT_TRUE(installation.PointSystemAtRoot());
  ShellThread shell(
      [&](CWizard& wizard) { wizard.State().workFolder = installation.WorkFolder(); });
  const auto driver = shell.Driver();
  ASSERT_NE(driver, nullptr);
  AircraftImportScenario(*driver, installation);
  SaveScreenshotIfAsked(*driver, "aircraft");
  driver->Cancel();
  EXPECT_TRUE(shell.Closed());
}

// The whole wizard in this process: the three imports with the embedded
// bgltext and traffic decompiler, the redistribution, then save and compile
// with the embedded traffic compiler; the generate page after its run is
// saved as a screenshot when asked.
TEST(WizardShellTest, WholeWizardFromImportToNewTraffic) {
  FixtureInstallation installation;
  ASSERT_TRUE(installation.IsReady());
  AddGenerateFixture(installation);
  ASSERT_TRUE(installation.PointSystemAtRoot());
  ShellThread shell(
      [&](CWizard& wizard) { wizard.State().workFolder = installation.WorkFolder(); });
  const auto driver = shell.Driver();
  ASSERT_NE(driver, nullptr);
  WholeWizardScenario(*driver, installation, [&] { SaveScreenshotIfAsked(*driver, "generate"); });
  EXPECT_TRUE(shell.Closed());
}

}  // namespace
}  // namespace fm::testing
