// The whole wizard against the real Win32 shell, in this process: the sheet
// runs modally on a second thread, the scenario drives its windows; then a
// fresh run loads the cache. The filled pages are saved as screenshots when
// FLEETMIX_SCREENSHOT_DIR names a folder (scripts/screenshots.sh).
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <ole2.h>
#include <memory>

#include "shell/shell_sheet.h"
#include "tests/e2e/win32_wizard_driver.h"
#include "tests/support/generate_scenarios.h"

namespace fm::testing {
namespace {

class ShellThread {
 public:
  explicit ShellThread(const std::string& workFolder) {
    wizard_.State().workFolder = workFolder;
    thread_ = CreateThread(nullptr, 0, &ShellThread::Run, this, 0, nullptr);
  }
  ~ShellThread() {
    if (WaitForSingleObject(thread_, 10000) != WAIT_OBJECT_0)
      ADD_FAILURE() << "the wizard did not close";
    CloseHandle(thread_);
  }
  // A driver of the sheet once it is shown; null when none appeared.
  std::unique_ptr<Win32WizardDriver> Driver() {
    HWND sheet = WaitForSheet(GetCurrentProcessId(), 10000);
    return sheet ? std::make_unique<Win32WizardDriver>(sheet, GetCurrentProcessId()) : nullptr;
  }

 private:
  static DWORD WINAPI Run(LPVOID self) {
    OleInitialize(nullptr);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    {
      win32::ShellSheet sheet(static_cast<ShellThread*>(self)->wizard_, GetModuleHandleA(nullptr));
      sheet.Run();
    }
    OleUninitialize();
    return 0;
  }
  CWizard wizard_;
  HANDLE thread_;
};

TEST(WizardShellTest, WholeWizardThenLoadCachedInAFreshRun) {
  FixtureInstallation installation;
  ASSERT_TRUE(installation.IsReady());
  AddGenerateFixture(installation);
  ASSERT_TRUE(installation.PointSystemAtRoot());
  char folder[MAX_PATH] = {};
  const bool shots = GetEnvironmentVariableA("FLEETMIX_SCREENSHOT_DIR", folder, sizeof folder) > 0;
  for (bool fresh : {false, true}) {
    ShellThread shell(installation.WorkFolder());
    const auto driver = shell.Driver();
    ASSERT_NE(driver, nullptr);
    if (fresh) {
      LoadCachedInAFreshRun(*driver);
    } else {
      WholeWizardScenario(*driver, installation, [&](const char* page) {
        if (shots) {
          EXPECT_TRUE(driver->SaveScreenshot(std::string(folder) + "\\" + page + ".bmp"));
        }
      });
    }
  }
}

}  // namespace
}  // namespace fm::testing
