// Finding the FS2002 installation: the recorded folder, the box and exit
// when it is not recorded, and the native setting of each platform.
#include <gtest/gtest.h>

#include "platform/os_interface.h"
#include "services/system_services.h"
#include "tests/support/fake_os.h"
#include "tests/system/system_test_support.h"

namespace fm {
namespace {

using testing::ScopedFakeOs;

// The recorded folder is read anew every time; a missing key or value ends
// the program with its box.
TEST(FindFsRoot, GivesTheRecordedFolderElseEndsTheProgramWithItsBox) {
  for (auto [status, text] : {std::pair{SettingStatus::KeyMissing, "(2)"},
                              std::pair{SettingStatus::ValueMissing, "(1)"}}) {
    ScopedFakeOs os;
    os.SetFsRoot("C:\\Program Files\\Microsoft Games\\FS2002");
    EXPECT_EQ(FindFsRoot(), "C:\\Program Files\\Microsoft Games\\FS2002");
    os.SetFsRoot("D:\\FS2002");
    EXPECT_EQ(FindFsRoot(), "D:\\FS2002");
    EXPECT_TRUE(os.boxes.empty());
    os.SetFsRootMissing(status);
    int exitCode = -1;
    try {
      FindFsRoot();
    } catch (const testing::ProcessEnded& ended) {
      exitCode = ended.exitCode;
    }
    EXPECT_EQ(exitCode, 1);
    testing::ExpectOneErrorBox(os, std::string("Cannot find FS2002 root folder ") + text);
  }
}

#if defined(_WIN32)
TEST(FindFsRoot, ReadsTheInstallersKeyInThe32BitView) {
  // The test prefix records the installation as the FS2002 installer does.
  EXPECT_EQ(FindFsRoot(), "C:\\FS2002");
}
#else
TEST(FindFsRoot, ReadsTheEnvironmentOnPosix) {
  {
    testing::ScopedEnv root("FLEETMIX_FS_ROOT", std::string("/opt/FS 2002"));
    EXPECT_EQ(FindFsRoot(), "/opt/FS 2002");
  }
  {
    testing::ScopedEnv root("FLEETMIX_FS_ROOT", std::string());
    EXPECT_EQ(NativeOs().ReadFsRootSetting().status, SettingStatus::ValueMissing);
  }
  {
    testing::ScopedEnv root("FLEETMIX_FS_ROOT", std::nullopt);
    testing::ScopedEnv wine("WINEPREFIX", std::string("/nonexistent/wine prefix"));
    EXPECT_EQ(NativeOs().ReadFsRootSetting().status, SettingStatus::KeyMissing);
  }
}
#endif

}  // namespace
}  // namespace fm
