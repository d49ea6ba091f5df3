// Finding the FS2002 installation: the two failure boxes that end the
// process, the value as recorded, and the native setting of each platform.
#include <gtest/gtest.h>

#include "platform/os_interface.h"
#include "tests/support/fake_os.h"
#include "tests/system/system_test_support.h"
#include "wizard/system_services.h"

namespace fm {
namespace {

using test::ProcessEnded;
using test::ScopedFakeOs;

void ExpectEndsWithBox(ScopedFakeOs& os, const std::string& text) {
  try {
    FindFsRoot();
    ADD_FAILURE() << "the process should have ended";
  } catch (const ProcessEnded& ended) {
    EXPECT_EQ(ended.exitCode, 1);
  }
  ASSERT_EQ(os.boxes.size(), 1u);
  EXPECT_EQ(os.boxes[0].text, text);
  EXPECT_EQ(os.boxes[0].caption, "AI Traffic Fleetmixer");
  EXPECT_EQ(os.boxes[0].icon, BoxIcon::Error);
}

TEST(FindFsRoot, MissingKeyEndsTheProcess) {
  ScopedFakeOs os;
  os.SetFsRootMissing(SettingStatus::KeyMissing);
  ExpectEndsWithBox(os, "Cannot find FS2002 root folder (2)");
}

TEST(FindFsRoot, MissingValueEndsTheProcess) {
  ScopedFakeOs os;
  os.SetFsRootMissing(SettingStatus::ValueMissing);
  ExpectEndsWithBox(os, "Cannot find FS2002 root folder (1)");
}

TEST(FindFsRoot, GivesTheValueAsRecordedAndReadsItEveryTime) {
  ScopedFakeOs os;
  os.SetFsRoot("D:\\Games\\FS2002\\");
  EXPECT_EQ(FindFsRoot(), "D:\\Games\\FS2002\\");  // no separator removed
  os.SetFsRoot("E:\\FS 2002");
  EXPECT_EQ(FindFsRoot(), "E:\\FS 2002");  // nothing cached
  EXPECT_TRUE(os.boxes.empty());
}

#if defined(_WIN32)
TEST(FindFsRoot, ReadsTheInstallersKeyInThe32BitView) {
  // The test prefix records the installation as the FS2002 installer does.
  EXPECT_EQ(FindFsRoot(), "C:\\FS2002");
}
#else
TEST(FindFsRoot, ReadsTheEnvironmentOnPosix) {
  {
    test::ScopedEnv root("FLEETMIX_FS_ROOT", std::string("/opt/FS 2002"));
    EXPECT_EQ(FindFsRoot(), "/opt/FS 2002");
  }
  {
    test::ScopedEnv root("FLEETMIX_FS_ROOT", std::string());
    EXPECT_EQ(NativeOs().ReadFsRootSetting().status, SettingStatus::ValueMissing);
  }
  {
    test::ScopedEnv root("FLEETMIX_FS_ROOT", std::nullopt);
    EXPECT_EQ(NativeOs().ReadFsRootSetting().status, SettingStatus::KeyMissing);
  }
}
#endif

}  // namespace
}  // namespace fm
