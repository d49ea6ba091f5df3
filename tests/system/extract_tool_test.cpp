// Unpacking embedded programs: unique runnable files, nothing left behind,
// and the failure box of every step.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "platform/os_interface.h"
#include "tests/support/fake_os.h"
#include "tests/system/system_test_support.h"
#include "services/system_services.h"

namespace fm {
namespace {

using testing::FakeStep;
using testing::ScopedFakeOs;
using testing::ScopedTempFolder;

constexpr int kProbe = FM_PROBE_PAYLOAD;

std::string FileName(const std::string& path) { return path.substr(path.find_last_of("\\/") + 1); }

TEST(ExtractTool, GivesDistinctFilesWithTheProgramAndLeavesNothingBehind) {
  ScopedTempFolder temp("extract_tmp");
  ScopedFakeOs os;
  const std::string_view program = NativeOs().FindPayload(kProbe).bytes;
  ASSERT_FALSE(program.empty());
  {
    const ExtractedTool first = ExtractTool(kProbe);
    const ExtractedTool second = ExtractTool(kProbe);
    ASSERT_FALSE(first.Empty());
    ASSERT_FALSE(second.Empty());
    EXPECT_NE(first.Path(), second.Path());
    for (const ExtractedTool* tool : {&first, &second}) {
      EXPECT_EQ(tool->Path(), temp.Join(FileName(tool->Path())));
#if defined(_WIN32)
      // GetTempFileName takes the first three letters of the prefix "fmix".
      EXPECT_EQ(FileName(tool->Path()).rfind("fmi", 0), 0u) << tool->Path();
      EXPECT_EQ(tool->Path().substr(tool->Path().size() - 4), ".exe");
#else
      EXPECT_EQ(FileName(tool->Path()).rfind("fmix", 0), 0u) << tool->Path();
      EXPECT_EQ(FileName(tool->Path()).find('.'), std::string::npos) << "no extension";
#endif
      EXPECT_EQ(testing::ReadWholeFile(tool->Path()), std::string(program));
    }
  }
  EXPECT_EQ(temp.Names(), std::vector<std::string>{});
  EXPECT_TRUE(os.boxes.empty());
}

TEST(ExtractTool, RemovesOnlyItsOwnFilesAndOnlyOnce) {
  ScopedTempFolder temp("extract_own_tmp");
  ScopedFakeOs os;
  const std::string stranger = temp.Join("fmixZZZZ.exe");
  ASSERT_TRUE(NativeOs().WriteWholeFile(stranger, "x", false).ok());

  ExtractedTool moved = ExtractTool(kProbe);
  const std::string path = moved.Path();
  ExtractedTool tool = std::move(moved);
  EXPECT_TRUE(moved.Empty());
  EXPECT_EQ(tool.Path(), path);
  moved = ExtractedTool();  // the moved-from object deletes nothing
  EXPECT_TRUE(testing::ReadWholeFile(path).has_value());

  tool.Remove();
  EXPECT_TRUE(tool.Empty());
  EXPECT_EQ(temp.Names(), std::vector<std::string>{"fmixZZZZ.exe"});
  tool.Remove();
  EXPECT_EQ(temp.Names(), std::vector<std::string>{"fmixZZZZ.exe"});
}

struct FailingStep {
  FakeStep step;
  OsError error;
  const char* text;
};

TEST(ExtractTool, ShowsTheFailingStepAndLeavesNothingBehind) {
  const FailingStep cases[] = {
      {FakeStep::TempFolder, 0x5, "GetTempPath failed during extraction of (900) - 0x5"},
      {FakeStep::UniqueTempFile, 0x50, "GetTempFileName failed during extraction of (900) - 0x50"},
      {FakeStep::Open, 0x20, "CFile::Open failed during extraction of (900) - 0x20"},
      {FakeStep::WriteFlushClose, 0x8007000E,
       "CFile::Write/Flush/Close failed during extraction of (900) - 0x8007000E"},
  };
  for (const FailingStep& c : cases) {
    ScopedTempFolder temp("extract_fail_tmp");
    ScopedFakeOs os;
    os.Fail(c.step, c.error);
    const ExtractedTool tool = ExtractTool(kProbe);
    EXPECT_TRUE(tool.Empty()) << c.text;
    ASSERT_EQ(os.boxes.size(), 1u) << c.text;
    EXPECT_EQ(os.boxes[0].text, c.text);
    EXPECT_EQ(os.boxes[0].caption, "AI Traffic Fleetmixer");
    EXPECT_EQ(os.boxes[0].icon, BoxIcon::Error);
    EXPECT_EQ(temp.Names(), std::vector<std::string>{}) << c.text;
  }
}

}  // namespace
}  // namespace fm
