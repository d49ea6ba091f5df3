// The native OS interface where the services above do not show it: copying
// without overwriting, the clock, embedded programs beside other resources,
// and traces and boxes on POSIX.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "platform/os_interface.h"
#include "services/system_command_lines.h"
#include "services/system_services.h"
#include "tests/support/fake_os.h"
#include "tests/system/system_test_support.h"

namespace fm {
namespace {

using testing::ScopedEnv;
using testing::ScopedFakeOs;
using testing::ScopedTempFolder;

constexpr int kProbe = FM_PROBE_PAYLOAD;

TEST(NativeOs, CopiesOnlyWhenTheTargetIsAbsent) {
  ScopedTempFolder temp("native_copy_tmp");
  const std::string source = temp.Join("TRAFFIC.BGL");
  const std::string target = temp.Join("BACKUP_TRAFFIC.BGL");
  ASSERT_TRUE(NativeOs().WriteWholeFile(source, std::string("first\0bytes", 11), false).ok());

  EXPECT_TRUE(NativeOs().CopyIfAbsent(source, target).ok);
  EXPECT_EQ(testing::ReadWholeFile(target), std::string("first\0bytes", 11));

  ASSERT_TRUE(NativeOs().WriteWholeFile(source, "second", false).ok());
  const OsStatus again = NativeOs().CopyIfAbsent(source, target);
  EXPECT_FALSE(again.ok);
  EXPECT_NE(again.error, 0u);
  EXPECT_EQ(testing::ReadWholeFile(target), std::string("first\0bytes", 11));

  EXPECT_FALSE(NativeOs().CopyIfAbsent(temp.Join("missing.bgl"), temp.Join("other.bgl")).ok);
  EXPECT_FALSE(testing::ReadWholeFile(temp.Join("other.bgl")).has_value());
}

TEST(NativeOs, TheClockMovesForwardInMilliseconds) {
  const std::uint32_t before = NativeOs().TickCount();
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  const std::uint32_t elapsed = NativeOs().TickCount() - before;
  // Allows for a tick of 16 ms; seconds or microseconds fall outside.
  EXPECT_GE(elapsed, 30u);
  EXPECT_LT(elapsed, 5000u);
#if !defined(_WIN32)
  EXPECT_FALSE(NativeOs().ShiftHeld());
#endif
}

TEST(NativeOs, FindsEveryEmbeddedProgram) {
  EXPECT_TRUE(NativeOs().FindPayload(kProbe).Found());
  const PayloadLookup missing = NativeOs().FindPayload(4711);
  EXPECT_FALSE(missing.Found());
  EXPECT_STREQ(missing.failedStep, "FindResource");
  EXPECT_NE(missing.error, 0u);
#if defined(_WIN32)
  // A resource of another script of the same program survives the link.
  const PayloadLookup second = NativeOs().FindPayload(902);
  ASSERT_TRUE(second.Found());
  EXPECT_EQ(second.bytes, "second payload");
#endif
}

#if !defined(_WIN32)
TEST(NativeOs, TracesAndBoxesGoToStandardErrorOnPosix) {
  {
    ScopedEnv quiet("FLEETMIX_TRACE", std::nullopt);
    ::testing::internal::CaptureStderr();
    TraceDebug("unseen %d", 1);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
  }
  {
    ScopedEnv traced("FLEETMIX_TRACE", std::string("1"));
    ::testing::internal::CaptureStderr();
    TraceDebug("seen %d\n", 2);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "seen 2\n");
  }
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(NativeOs().ShowMessage("Done.", "AI Traffic Fleetmixer", BoxIcon::Information),
            BoxAnswer::Ok);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "AI Traffic Fleetmixer: Done.\n");
}
#endif

}  // namespace
}  // namespace fm
