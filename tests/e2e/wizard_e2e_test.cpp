// The wizard under Wine, against the real Win32 shell: in this process (the
// sheet runs modally on a second thread) and as the shipped fleetmix.exe,
// started as a user starts it and driven from this process; and the FS2002
// lookup without its key. The filled pages are saved as screenshots when
// FLEETMIX_SCREENSHOT_DIR names a folder (scripts/screenshots.sh).
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <ole2.h>
#include <algorithm>
#include <cstdlib>

#include "shell/shell_sheet.h"
#include "tests/e2e/win32_wizard_driver.h"
#include "tests/support/generate_scenarios.h"

namespace fm::testing {
namespace {

// The wizard on the real shell, run to its end in a thread of this process,
// in the working folder given.
DWORD WINAPI RunShell(LPVOID workFolder) {
  OleInitialize(nullptr);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  {
    CWizard wizard;
    wizard.State().workFolder = *static_cast<const std::string*>(workFolder);
    win32::ShellSheet sheet(wizard, GetModuleHandleA(nullptr));
    sheet.Run();
  }
  OleUninitialize();
  return 0;
}

// Starts a Windows program of the build as a user starts it, in the folder
// given (the build gives Unix paths; Wine shows the Unix root as drive Z).
PROCESS_INFORMATION Start(std::string program, const std::string& folder) {
  std::replace(program.begin(), program.end(), '/', '\\');
  std::string commandLine = "\"Z:" + program + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  EXPECT_TRUE(CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             folder.c_str(), &startup, &process));
  return process;
}

// The program's exit code; one still running after 10 s is ended first
// (its code then is not 0 or 1).
long ExitCode(const PROCESS_INFORMATION& process) {
  DWORD code = static_cast<DWORD>(-1);
  if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, code);
  }
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  return static_cast<long>(code);
}

// Runs the scenario on a wizard opened in the installation's working
// folder: by the shell in this process, or by fleetmix.exe, which must
// then end with exit code 0.
template <typename Scenario>
void RunWizard(bool shipped, const FixtureInstallation& installation, Scenario scenario) {
  std::string folder = installation.WorkFolder();
  PROCESS_INFORMATION run{};  // fleetmix.exe, or the shell's thread
  if (shipped) {
    run = Start(FLEETMIX_EXE, folder);
  } else {
    run.hThread = CreateThread(nullptr, 0, &RunShell, &folder, 0, nullptr);
    run.dwProcessId = GetCurrentProcessId();
  }
  if (HWND sheet = WaitForDialog(run.dwProcessId, nullptr, 15000)) {
    Win32WizardDriver driver(sheet, run.dwProcessId);
    scenario(driver);
  } else {
    ADD_FAILURE() << "no wizard appeared";
  }
  if (shipped) {
    EXPECT_EQ(ExitCode(run), 0);
  } else {
    EXPECT_EQ(WaitForSingleObject(run.hThread, 10000), WAIT_OBJECT_0) << "no close";
    CloseHandle(run.hThread);
  }
}

// The whole wizard, from the first import to a new installed traffic with
// the programs the wizard carries; then a fresh run through the welcome
// page that loads the cache the first one wrote, and Cancel.
TEST(WizardE2eTest, WholeWizardThenAFreshRunThatLoadsTheCache) {
  const char* shots = std::getenv("FLEETMIX_SCREENSHOT_DIR");
  for (bool shipped : {false, true}) {
    SCOPED_TRACE(shipped ? "fleetmix.exe" : "the shell in this process");
    FixtureInstallation installation;
    ASSERT_TRUE(installation.IsReady());
    AddGenerateFixture(installation);
    ASSERT_TRUE(installation.PointSystemAtRoot());
    RunWizard(shipped, installation, [&](Win32WizardDriver& driver) {
      WholeWizardScenario(driver, installation, [&](const char* page) {
        EXPECT_TRUE(!shots || driver.SaveScreenshot(std::string(shots) + "\\" + page + ".bmp"));
      });
    });
    RunWizard(shipped, installation,
              [&](WizardDriver& driver) { AFreshRunLoadsTheCache(driver, installation); });
  }
}

// Without the FS2002 key the lookup shows its one box and ends the
// program with code 1. The fixture puts the key back.
TEST(WizardE2eTest, MissingFsKeyShowsItsBoxAndExitsWithOne) {
  FixtureInstallation installation;
  ASSERT_TRUE(installation.PointSystemAtRoot());
  ASSERT_EQ(
      RegDeleteKeyA(HKEY_LOCAL_MACHINE,
                    "SOFTWARE\\Wow6432Node\\Microsoft\\Microsoft Games\\Flight Simulator\\8.0"),
      ERROR_SUCCESS);
  const PROCESS_INFORMATION probe = Start(FS_ROOT_PROBE_EXE, installation.WorkFolder());
  HWND box = WaitForDialog(probe.dwProcessId, nullptr, 15000);
  EXPECT_NE(box, nullptr) << "no message box";
  EXPECT_EQ(StaticTextsOf(box), "Cannot find FS2002 root folder (2)");
  PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
  EXPECT_EQ(ExitCode(probe), 1);
}

}  // namespace
}  // namespace fm::testing
