// The restore of the traffic backup: done whole with the replaced traffic
// kept, refused without a backup, and nothing changed when a step fails.
#include <gtest/gtest.h>

#include <optional>
#include <sstream>

#include "check/traffic_restore.h"
#include "platform/file_system.h"
#include "platform/file_text.h"
#include "tests/support/fake_os.h"
#include "tests/support/fixture_installation.h"

namespace fm {
namespace {

using testing::FakeStep;
using testing::FixtureInstallation;

std::string Bytes(const std::string& path) {
  std::string bytes;
  return ReadFileBytes(path, bytes) ? bytes : "<missing>";
}

struct Restore {
  int status = -1;
  std::string out, err;
};

Restore RunRestore(const FixtureInstallation& fixture) {
  std::ostringstream out, err;
  Restore r;
  r.status = RestoreTraffic(fixture.Root(), out, err);
  r.out = out.str();
  r.err = err.str();
  return r;
}

TEST(TrafficRestoreTest, PutsTheBackupBackAndKeepsWhatItReplaces) {
  FixtureInstallation fixture;
  ASSERT_TRUE(fixture.IsReady());
  const std::string traffic = fixture.TrafficBglPath();
  fixture.AddRootFile("SCENEDB/ATC/BACKUP_TRAFFIC.BGL", "original traffic");
  fixture.SetTrafficBgl("new traffic 1");

  Restore r = RunRestore(fixture);
  EXPECT_EQ(r.status, kRestoreDone) << r.err;
  EXPECT_EQ(Bytes(traffic), "original traffic");
  EXPECT_EQ(Bytes(traffic + ".before-restore"), "new traffic 1");
  EXPECT_EQ(r.out, "Restored " + traffic + " from " + fixture.BackupTrafficBglPath() +
                       ".\nThe traffic it replaced is kept as " + traffic + ".before-restore.\n");
  EXPECT_FALSE(PathExists(traffic + ".fmix-new"));

  // Again with nothing to undo: nothing is kept twice.
  r = RunRestore(fixture);
  EXPECT_EQ(r.status, kRestoreDone);
  EXPECT_NE(r.out.find("already holds the backup"), std::string::npos) << r.out;
  EXPECT_FALSE(PathExists(traffic + ".before-restore.2"));

  // A later new traffic is kept under the next free name.
  fixture.SetTrafficBgl("new traffic 2");
  EXPECT_EQ(RunRestore(fixture).status, kRestoreDone);
  EXPECT_EQ(Bytes(traffic), "original traffic");
  EXPECT_EQ(Bytes(traffic + ".before-restore"), "new traffic 1");
  EXPECT_EQ(Bytes(traffic + ".before-restore.2"), "new traffic 2");
  EXPECT_EQ(Bytes(fixture.BackupTrafficBglPath()), "original traffic");
}

TEST(TrafficRestoreTest, RefusesWithoutABackup) {
  FixtureInstallation fixture;
  ASSERT_TRUE(fixture.IsReady());
  fixture.SetTrafficBgl("new traffic");
  const Restore r = RunRestore(fixture);
  EXPECT_EQ(r.status, kRestoreFailed);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "Cannot restore the traffic: there is no backup " +
                       fixture.BackupTrafficBglPath() +
                       " (the first traffic import makes it); nothing was changed.\n");
  EXPECT_EQ(Bytes(fixture.TrafficBglPath()), "new traffic");
}

TEST(TrafficRestoreTest, AFailedStepChangesNothing) {
  struct Case {
    const char* what;
    std::optional<FakeStep> step;  // failed by the fake OS
    bool readOnly;                 // TRAFFIC.BGL may not be replaced
    const char* reason;
  } cases[] = {
      {"keeping the current traffic", FakeStep::Copy, false, "cannot be kept as"},
      {"creating the new content", FakeStep::Open, false, "cannot be written (0x1C)"},
      {"writing the new content midway", FakeStep::WriteFlushClose, false,
       "cannot be written (0x1C)"},
      {"a read-only traffic file", std::nullopt, true, "is read-only"},
  };
  for (const Case& c : cases) {
    FixtureInstallation fixture;
    ASSERT_TRUE(fixture.IsReady());
    const std::string traffic = fixture.TrafficBglPath();
    fixture.AddRootFile("SCENEDB/ATC/BACKUP_TRAFFIC.BGL", "original traffic");
    fixture.SetTrafficBgl("new traffic");
    testing::ScopedFakeOs os;
    if (c.step) os.Fail(*c.step, 0x1C);
    if (c.readOnly) {
      ASSERT_TRUE(SetReadOnly(traffic, true));
    }

    const Restore r = RunRestore(fixture);
    SetReadOnly(traffic, false);
    EXPECT_EQ(r.status, kRestoreFailed) << c.what;
    EXPECT_NE(r.err.find(c.reason), std::string::npos) << c.what << ": " << r.err;
    EXPECT_EQ(Bytes(traffic), "new traffic") << c.what;
    EXPECT_FALSE(PathExists(traffic + ".before-restore")) << c.what;
    EXPECT_FALSE(PathExists(traffic + ".fmix-new")) << c.what;
  }
}

}  // namespace
}  // namespace fm
