// The shipped programs, started as a user starts them and driven from this
// process: fleetmix.exe's wizard, and the FS2002 lookup without its key.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/file_system.h"
#include "tests/e2e/win32_wizard_driver.h"
#include "tests/support/generate_scenarios.h"

namespace fm::testing {
namespace {

// The FS2002 key of the 32-bit view, as a 64-bit program reaches it.
constexpr char kFsKey[] =
    "SOFTWARE\\Wow6432Node\\Microsoft\\Microsoft Games\\Flight Simulator\\8.0";

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

// fleetmix.exe started in the working folder of the installation, the
// scenario run on its wizard, then the program's end with exit code 0.
template <typename Scenario>
void RunShippedWizard(const FixtureInstallation& installation, Scenario scenario) {
  Process fleetmix(FLEETMIX_EXE, installation.WorkFolder());
  ASSERT_TRUE(fleetmix.Started());
  HWND sheet = WaitForSheet(fleetmix.Id(), 15000);
  ASSERT_NE(sheet, nullptr) << "no wizard appeared";
  Win32WizardDriver driver(sheet, fleetmix.Id());
  scenario(driver);
  EXPECT_EQ(fleetmix.WaitForExit(10000), 0);
}

TEST(FleetmixExeTest, WizardOpensOnWelcomeAndCancelWritesNothing) {
  FixtureInstallation installation;
  ASSERT_TRUE(installation.IsReady());
  RunShippedWizard(installation, [](WizardDriver& driver) { WelcomeAndHelpScenario(driver); });
  std::vector<DirEntry> written;
  EXPECT_TRUE(ListDirectory(installation.WorkFolder(), "*.*", written));
  EXPECT_TRUE(written.empty()) << "Cancel wrote " << written.front().name;
}

// From the first import to a new installed traffic with the programs it
// carries; then a second run loads the cache the first one wrote.
TEST(FleetmixExeTest, WholeWizardThenLoadCachedInASecondRun) {
  FixtureInstallation installation;
  ASSERT_TRUE(installation.IsReady());
  AddGenerateFixture(installation);
  ASSERT_TRUE(installation.PointSystemAtRoot());
  RunShippedWizard(installation,
                   [&](WizardDriver& driver) { WholeWizardScenario(driver, installation); });
  RunShippedWizard(installation, [](WizardDriver& driver) { LoadCachedInAFreshRun(driver); });
}

// Without the key, or without its value, the lookup shows its one box and
// ends the program with code 1. The fixture puts the key back.
TEST(FleetmixExeTest, MissingFsKeyOrValueShowsItsBoxAndExitsWithOne) {
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
