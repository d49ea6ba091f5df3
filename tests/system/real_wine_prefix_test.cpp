// FS2002 installed in a prefix that Wine itself made (wineboot, "wine reg
// add ... /reg:32", the folder created by a Windows program): FindFsRoot
// finds that folder without FLEETMIX_FS_ROOT. The prefix is made once per
// test run by make-fs2002-wine-prefix.sh and named by
// FLEETMIX_TEST_WINEPREFIX.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/file_system.h"
#include "services/system_services.h"
#include "tests/system/system_test_support.h"

namespace fm {
namespace {

TEST(RealWinePrefix, FindFsRootFindsTheInstallation) {
  const char* prefix = std::getenv("FLEETMIX_TEST_WINEPREFIX");
  ASSERT_NE(prefix, nullptr) << "run through ctest, which makes the prefix";
  testing::ScopedEnv wine("WINEPREFIX", std::string(prefix));
  testing::ScopedEnv root("FLEETMIX_FS_ROOT", std::nullopt);
  const std::string found = FindFsRoot();
  EXPECT_EQ(found,
            std::string(prefix) + "/drive_c/Program Files (x86)/Microsoft Games/FS 2002 \xC3\xA9");
  EXPECT_TRUE(IsDirectory(found)) << "the folder Wine made for C:\\...\\FS 2002 \xC3\xA9";
}

}  // namespace
}  // namespace fm
