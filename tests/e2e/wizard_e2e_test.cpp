// The wizard under Wine, against the real Win32 shell: in this process (the
// sheet runs modally on a second thread) and as the shipped fleetmix.exe,
// started as a user starts it and driven from this process; and the FS2002
// lookup without its key. The filled pages are saved as screenshots when
// FLEETMIX_SCREENSHOT_DIR names a folder (scripts/screenshots.sh).
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <ole2.h>
#include <optional>

#include "platform/file_system.h"
#include "shell/shell_sheet.h"
#include "tests/e2e/win32_wizard_driver.h"
#include "tests/support/generate_scenarios.h"

namespace fm::testing {
namespace {

// The FS2002 key of the 32-bit view, as a 64-bit program reaches it.
constexpr char kFsKey[] =
    "SOFTWARE\\Wow6432Node\\Microsoft\\Microsoft Games\\Flight Simulator\\8.0";

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

class Process {
 public:
  // The build gives Unix paths; Wine shows the Unix root as drive Z.
  Process(std::string program, const std::string& folder) {
    if (program[0] == '/') program = "Z:" + program;
    for (char& c : program) c = c == '/' ? '\\' : c;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + program + "\"";
    started_ = CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              folder.empty() ? nullptr : folder.c_str(), &startup, &info_) != 0;
  }
  ~Process() {
    if (!started_) return;
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT)
      TerminateProcess(info_.hProcess, 99);
    CloseHandle(info_.hProcess);
    CloseHandle(info_.hThread);
  }
  bool Started() const { return started_; }
  DWORD Id() const { return info_.dwProcessId; }
  // The exit code, or -1 when it has not ended within the time.
  long WaitForExit(int milliseconds) {
    DWORD code = 0;
    if (WaitForSingleObject(info_.hProcess, milliseconds) != WAIT_OBJECT_0) return -1;
    GetExitCodeProcess(info_.hProcess, &code);
    return static_cast<long>(code);
  }

 private:
  bool started_ = false;
  PROCESS_INFORMATION info_{};
};

// Runs the scenario on a wizard opened in the installation's working
// folder: by the shell in this process, or by fleetmix.exe, which must
// then end with exit code 0.
template <typename Scenario>
void RunWizard(bool shipped, const FixtureInstallation& installation, Scenario scenario) {
  std::string folder = installation.WorkFolder();
  std::optional<Process> fleetmix;
  HANDLE shell = nullptr;
  if (shipped) {
    fleetmix.emplace(FLEETMIX_EXE, folder);
  } else {
    shell = CreateThread(nullptr, 0, &RunShell, &folder, 0, nullptr);
  }
  const DWORD id = shipped ? fleetmix->Id() : GetCurrentProcessId();
  if (HWND sheet = WaitForSheet(id, 15000)) {
    Win32WizardDriver driver(sheet, id);
    scenario(driver);
  } else {
    ADD_FAILURE() << "no wizard appeared";
  }
  if (shipped) {
    EXPECT_EQ(fleetmix->WaitForExit(10000), 0);
  } else {
    EXPECT_EQ(WaitForSingleObject(shell, 10000), WAIT_OBJECT_0) << "the wizard did not close";
    CloseHandle(shell);
  }
}

// The welcome page, then Cancel, which writes nothing; the whole wizard,
// from the first import to a new installed traffic with the programs the
// wizard carries; then a fresh run that loads the cache the first one wrote.
TEST(WizardE2eTest, WelcomeThenWholeWizardThenLoadCachedInAFreshRun) {
  char folder[MAX_PATH] = {};
  const bool shots = GetEnvironmentVariableA("FLEETMIX_SCREENSHOT_DIR", folder, sizeof folder) > 0;
  for (bool shipped : {false, true}) {
    SCOPED_TRACE(shipped ? "fleetmix.exe" : "the shell in this process");
    FixtureInstallation installation;
    ASSERT_TRUE(installation.IsReady());
    RunWizard(shipped, installation, [](WizardDriver& driver) { WelcomeAndHelpScenario(driver); });
    std::vector<DirEntry> written;
    EXPECT_TRUE(ListDirectory(installation.WorkFolder(), "*.*", written));
    EXPECT_TRUE(written.empty()) << "Cancel wrote " << written.front().name;

    AddGenerateFixture(installation);
    ASSERT_TRUE(installation.PointSystemAtRoot());
    RunWizard(shipped, installation, [&](Win32WizardDriver& driver) {
      WholeWizardScenario(driver, installation, [&](const char* page) {
        EXPECT_TRUE(!shots || driver.SaveScreenshot(std::string(folder) + "\\" + page + ".bmp"));
      });
    });
    RunWizard(shipped, installation, [](WizardDriver& driver) { LoadCachedInAFreshRun(driver); });
  }
}

// Without the key, or without its value, the lookup shows its one box and
// ends the program with code 1. The fixture puts the key back.
TEST(WizardE2eTest, MissingFsKeyOrValueShowsItsBoxAndExitsWithOne) {
  for (bool wholeKey : {true, false}) {
    FixtureInstallation installation;
    ASSERT_TRUE(installation.PointSystemAtRoot());
    ASSERT_EQ(wholeKey ? RegDeleteKeyA(HKEY_LOCAL_MACHINE, kFsKey)
                       : RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kFsKey, "EXE Path"),
              ERROR_SUCCESS);
    Process probe(FS_ROOT_PROBE_EXE, "");
    ASSERT_TRUE(probe.Started());
    HWND box = WaitForDialog(probe.Id(), nullptr, 15000);
    ASSERT_NE(box, nullptr) << "no message box";
    EXPECT_EQ(TextOf(box), "AI Traffic Fleetmixer");
    EXPECT_EQ(StaticTextsOf(box), wholeKey ? "Cannot find FS2002 root folder (2)"
                                           : "Cannot find FS2002 root folder (1)");
    EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr) << "the box has no owner window";
    PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    EXPECT_EQ(probe.WaitForExit(10000), 1);
  }
}

}  // namespace
}  // namespace fm::testing
