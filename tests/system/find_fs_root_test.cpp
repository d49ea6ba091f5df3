// Finding the FS2002 installation: the native setting of each platform.
#include <gtest/gtest.h>

#include "platform/os_interface.h"
#include "tests/support/fake_os.h"
#include "tests/system/system_test_support.h"
#include "services/system_services.h"

namespace fm {
namespace {

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
    EXPECT_EQ(NativeOs().ReadFsRootSetting().status, SettingStatus::KeyMissing);
  }
}
#endif

}  // namespace
}  // namespace fm
