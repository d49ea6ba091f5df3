// The shipped programs, started as a user starts them and driven from this
// process: fleetmix.exe's wizard, and the FS2002 lookup without its key.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <prsht.h>

#include <functional>
#include <string>

#include "resources/resource.h"
#include "tests/e2e/win32_wizard_driver.h"
#include "tests/support/aircraft_scenarios.h"
#include "tests/support/fixture_installation.h"
#include "tests/support/generate_scenarios.h"
#include "tests/support/scenery_scenarios.h"
#include "tests/support/traffic_scenarios.h"
#include "tests/support/wizard_scenarios.h"

namespace fm::testing {
namespace {

constexpr char kFsKey[] = "SOFTWARE\\Microsoft\\Microsoft Games\\Flight Simulator\\8.0";

// The build gives Unix paths; Wine shows the Unix root as drive Z.
std::string WindowsPath(std::string path) {
  if (!path.empty() && path[0] == '/') path = "Z:" + path;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

class Process {
 public:
  Process(const std::string& program, const std::string& folder) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + WindowsPath(program) + "\"";
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
    if (WaitForSingleObject(info_.hProcess, milliseconds) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return static_cast<long>(code);
  }

 private:
  bool started_ = false;
  PROCESS_INFORMATION info_{};
};

class TempFolder {
 public:
  TempFolder() {
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    path_ = std::string(base) + "fmix-e2e-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(path_.c_str(), nullptr);
  }
  ~TempFolder() { RemoveDirectoryA(path_.c_str()); }
  const std::string& Path() const { return path_; }
  int FileCount() const {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path_ + "\\*").c_str(), &found);
    int count = 0;
    if (search == INVALID_HANDLE_VALUE) return 0;
    do {
      if (lstrcmpA(found.cFileName, ".") != 0 && lstrcmpA(found.cFileName, "..") != 0) ++count;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return count;
  }

 private:
  std::string path_;
};

// Puts the FS2002 key of the 32-bit view back as the test prefix has it.
class FsKeyRestorer {
 public:
  ~FsKeyRestorer() {
    HKEY key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kFsKey, 0, nullptr, 0, KEY_SET_VALUE | KEY_WOW64_32KEY,
                        nullptr, &key, nullptr) == ERROR_SUCCESS) {
      const char value[] = "C:\\FS2002";
      RegSetValueExA(key, "EXE Path", 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                     sizeof value);
      RegCloseKey(key);
    }
  }
};

TEST(FleetmixExeTest, WizardOpensOnWelcomeAndCancelWritesNothing) {
  TempFolder work;
  Process fleetmix(FLEETMIX_EXE, work.Path());
  ASSERT_TRUE(fleetmix.Started());
  HWND sheet = WaitForSheet(fleetmix.Id(), 15000);
  ASSERT_NE(sheet, nullptr) << "no wizard appeared";
  Win32WizardDriver driver(sheet, fleetmix.Id());
  WelcomeAndHelpScenario(driver);
  EXPECT_EQ(fleetmix.WaitForExit(10000), 0);
  EXPECT_EQ(work.FileCount(), 0) << "Cancel wrote a file into the working folder";
}

// The shipped program imports the fixture's airport directory with the
// bgltext it carries, and a second run loads the cache it wrote; each run
// gets to the scenery page as a user does, through the aircraft import.
TEST(FleetmixExeTest, SceneryImportThenLoadCachedInASecondRun) {
  FixtureInstallation installation;
  ASSERT_TRUE(installation.IsReady());
  AddSceneryFixture(installation);
  AddScenarioAircraft(installation);
  ASSERT_TRUE(installation.PointSystemAtRoot());
  for (bool second : {false, true}) {
    Process fleetmix(FLEETMIX_EXE, installation.WorkFolder());
    ASSERT_TRUE(fleetmix.Started());
    HWND sheet = WaitForSheet(fleetmix.Id(), 15000);
    ASSERT_NE(sheet, nullptr) << "no wizard appeared";
    Win32WizardDriver driver(sheet, fleetmix.Id());
    driver.Next();
    driver.PressButton(IDC_IMPORT_AIRCRAFT);
    std::string box;
    EXPECT_TRUE(driver.TakeMessageBox(box)) << "the aircraft import tells its counts";
    driver.WaitUntilIdle();
    driver.Next();
    if (second) {
      SceneryLoadCachedScenario(driver);
    } else {
      SceneryImportScenario(driver, installation);
    }
    driver.Cancel();
    EXPECT_EQ(fleetmix.WaitForExit(10000), 0);
  }
}

// fleetmix.exe started in the working folder of an installation that
// `fixture` filled, the scenario run on its wizard, then the program's end
// with exit code 0.
void RunShippedWizard(
    const std::function<void(FixtureInstallation&)>& fixture,
    const std::function<void(Win32WizardDriver&, FixtureInstallation&)>& scenario) {
  FixtureInstallation installation;
  ASSERT_TRUE(installation.IsReady());
  fixture(installation);
  ASSERT_TRUE(installation.PointSystemAtRoot());
  Process fleetmix(FLEETMIX_EXE, installation.WorkFolder());
  ASSERT_TRUE(fleetmix.Started());
  HWND sheet = WaitForSheet(fleetmix.Id(), 15000);
  ASSERT_NE(sheet, nullptr) << "no wizard appeared";
  Win32WizardDriver driver(sheet, fleetmix.Id());
  scenario(driver, installation);
  EXPECT_EQ(fleetmix.WaitForExit(10000), 0);
}

// "Import" on the traffic page of the shipped program runs its embedded
// decompiler in the folder it was started in. The aircraft and scenery pages
// let the wizard on only after their own imports, so the sheet is taken
// straight to the traffic page.
TEST(FleetmixExeTest, TrafficImportRunsTheEmbeddedDecompiler) {
  RunShippedWizard(InstallScenarioTraffic, [](Win32WizardDriver& driver, auto& installation) {
    SendMessageA(driver.Sheet(), PSM_SETCURSEL, 3, 0);
    TrafficImportScenario(driver, installation, false);
    driver.Cancel();
  });
}

TEST(FleetmixExeTest, ImportAircraftAndWriteAirlinesCfg) {
  RunShippedWizard(AddScenarioAircraft, [](Win32WizardDriver& driver, auto& installation) {
    AircraftImportScenario(driver, installation);
    driver.Cancel();
  });
}

// The shipped program from the first import to a new installed traffic,
// with the programs it carries; Finish ends it with exit code 0.
TEST(FleetmixExeTest, WholeWizardFromImportToNewTraffic) {
  RunShippedWizard(AddGenerateFixture, [](Win32WizardDriver& driver, auto& installation) {
    WholeWizardScenario(driver, installation);
  });
}

// Runs the probe, expects the one box and the exit code 1.
void ExpectFsRootFailure(const std::string& expectedText) {
  Process probe(FS_ROOT_PROBE_EXE, "");
  ASSERT_TRUE(probe.Started());
  HWND box = WaitForDialog(probe.Id(), nullptr, 15000);
  ASSERT_NE(box, nullptr) << "no message box";
  EXPECT_EQ(TextOf(box), "AI Traffic Fleetmixer");
  EXPECT_EQ(StaticTextsOf(box), expectedText);
  EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr) << "the box has no owner window";
  PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
  EXPECT_EQ(probe.WaitForExit(10000), 1);
}

TEST(FleetmixExeTest, MissingFsKeyShowsItsBoxAndExitsWithOne) {
  FsKeyRestorer restore;
  RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kFsKey, KEY_WOW64_32KEY, 0);
  ExpectFsRootFailure("Cannot find FS2002 root folder (2)");
}

TEST(FleetmixExeTest, MissingExePathValueShowsItsBoxAndExitsWithOne) {
  FsKeyRestorer restore;
  HKEY key;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kFsKey, 0, KEY_SET_VALUE | KEY_WOW64_32KEY, &key),
            ERROR_SUCCESS);
  RegDeleteValueA(key, "EXE Path");
  RegCloseKey(key);
  ExpectFsRootFailure("Cannot find FS2002 root folder (1)");
}

TEST(FleetmixExeTest, PresentFsKeyGivesTheFolder) {
  Process probe(FS_ROOT_PROBE_EXE, "");
  ASSERT_TRUE(probe.Started());
  EXPECT_EQ(probe.WaitForExit(15000), 0);
  EXPECT_TRUE(DialogWindowsOf(probe.Id()).empty());
}

}  // namespace
}  // namespace fm::testing
