// The fixture installation: the folder tree it makes, the pointer to its
// root, and that it leaves nothing behind.
#include "tests/support/fixture_installation.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <stdlib.h>
#endif

#include "platform/file_paths.h"
#include "platform/file_system.h"
#include "platform/file_text.h"

namespace fm::testing {
namespace {

// What the system currently finds as the FS2002 root ("" when nothing).
std::string PointedRoot() {
#ifdef _WIN32
  char value[260] = {};
  DWORD size = sizeof value;
  DWORD type = 0;
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE,
                    "SOFTWARE\\Microsoft\\Microsoft Games\\Flight Simulator\\8.0", 0,
                    KEY_QUERY_VALUE | KEY_WOW64_32KEY, &key) != ERROR_SUCCESS) {
    return {};
  }
  LONG status =
      RegQueryValueExA(key, "EXE Path", nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
  RegCloseKey(key);
  return status == ERROR_SUCCESS && type == REG_SZ ? value : "";
#else
  const char* value = getenv("FLEETMIX_FS_ROOT");
  return value ? value : "";
#endif
}

// Everything goes at the end, a read-only file too; the other tests rely on
// the tree's layout and the LF to CR LF of the text files.
TEST(FixtureInstallation, MakesTheTreeAndRemovesItAtTheEnd) {
  std::string base;
  {
    FixtureInstallation installation;
    ASSERT_TRUE(installation.IsReady());
    const std::string cfg = installation.AddAircraft("B737", "[fltsim.0]\ntitle=Boeing 737\n");
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(cfg, bytes));
    EXPECT_EQ(bytes, "[fltsim.0]\r\ntitle=Boeing 737\r\n");
    EXPECT_TRUE(IsRegularFile(installation.TrafficBglPath()));
    EXPECT_FALSE(PathExists(installation.BackupTrafficBglPath()));
    EXPECT_NE(FolderOf(installation.Root()), installation.WorkFolder());
    base = std::string(FolderOf(installation.Root()));
    ASSERT_TRUE(SetReadOnly(cfg, true));
  }
  EXPECT_FALSE(PathExists(base));
}

TEST(FixtureInstallation, PointsTheSystemAtItsRootAndRestoresTheEarlierSetting) {
  const std::string earlier = PointedRoot();
  {
    FixtureInstallation installation;
    ASSERT_TRUE(installation.IsReady());
    ASSERT_TRUE(installation.PointSystemAtRoot());
    EXPECT_EQ(PointedRoot(), installation.Root());
    {
      FixtureInstallation inner;
      ASSERT_TRUE(inner.PointSystemAtRoot());
      EXPECT_EQ(PointedRoot(), inner.Root());
    }
    EXPECT_EQ(PointedRoot(), installation.Root());
  }
  EXPECT_EQ(PointedRoot(), earlier);
}

}  // namespace
}  // namespace fm::testing
