// Unpacking embedded programs: unique runnable files, nothing of their own
// left behind, and the failure box of every step.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "platform/os_interface.h"
#include "services/system_services.h"
#include "tests/support/fake_os.h"
#include "tests/system/system_test_support.h"

namespace fm {
namespace {

using testing::FakeStep;
using testing::ScopedFakeOs;
using testing::ScopedTempFolder;

constexpr int kProbe = FM_PROBE_PAYLOAD;

std::string FileName(const std::string& path) { return path.substr(path.find_last_of("\\/") + 1); }

// Each extraction gets its own runnable file; the files go with their
// objects, once, and a stranger's file of the same prefix stays.
TEST(ExtractTool, EachExtractionGetsItsOwnFileAndRemovesOnlyThat) {
  ScopedTempFolder temp("extract_tmp");
  ScopedFakeOs os;
  ASSERT_TRUE(NativeOs().WriteWholeFile(temp.Join("fmixZZZZ.exe"), "x", false).ok());
  const std::string_view program = NativeOs().FindPayload(kProbe).bytes;
  ASSERT_FALSE(program.empty());
  {
    ExtractedTool first = ExtractTool(kProbe);
    ExtractedTool second = ExtractTool(kProbe);
    ASSERT_FALSE(first.Empty());
    ASSERT_FALSE(second.Empty());
    EXPECT_NE(first.Path(), second.Path());
    for (const ExtractedTool* tool : {&first, &second}) {
      const std::string name = FileName(tool->Path());
      EXPECT_EQ(tool->Path(), temp.Join(name));
      EXPECT_EQ(testing::ReadWholeFile(tool->Path()), std::string(program));
#if defined(_WIN32)
      // GetTempFileName takes the first three letters of the prefix "fmix".
      EXPECT_EQ(name.rfind("fmi", 0), 0u) << name;
      EXPECT_EQ(name.substr(name.size() - 4), ".exe");
#else
      EXPECT_EQ(name.rfind("fmix", 0), 0u) << name;
      EXPECT_EQ(name.find('.'), std::string::npos) << "no extension";
#endif
    }
    const std::string path = first.Path();
    ExtractedTool moved = std::move(first);
    EXPECT_TRUE(first.Empty());
    EXPECT_EQ(moved.Path(), path);
    first = ExtractedTool();  // the moved-from object deletes nothing
    EXPECT_TRUE(testing::ReadWholeFile(path).has_value());
    moved.Remove();
    EXPECT_TRUE(moved.Empty());
    EXPECT_FALSE(testing::ReadWholeFile(path).has_value());
    moved.Remove();
  }
  EXPECT_EQ(temp.Names(), std::vector<std::string>{"fmixZZZZ.exe"});
  EXPECT_TRUE(os.boxes.empty());
}

TEST(ExtractTool, EachFailingStepIsNamedWithIdAndUpperCaseHexError) {
  const struct {
    const char* payloadStep;  // nullptr: fail `step` instead
    FakeStep step;
    int id;
    OsError error;
    const char* box;
  } cases[] = {
      {"FindResource", {}, 134, 0x716, "FindResource failed during extraction of (134) - 0x716"},
      {"LoadResource", {}, 135, 0x8, "LoadResource failed during extraction of (135) - 0x8"},
      {"LockResource", {}, 132, 0x1F, "LockResource failed during extraction of (132) - 0x1F"},
      {nullptr, FakeStep::TempFolder, 132, 0x3,
       "GetTempPath failed during extraction of (132) - 0x3"},
      {nullptr, FakeStep::UniqueTempFile, 132, 0x50,
       "GetTempFileName failed during extraction of (132) - 0x50"},
      {nullptr, FakeStep::Open, 132, 0xABC,
       "CFile::Open failed during extraction of (132) - 0xABC"},
      {nullptr, FakeStep::WriteFlushClose, 132, 0x70,
       "CFile::Write/Flush/Close failed during extraction of (132) - 0x70"},
  };
  for (const auto& c : cases) {
    ScopedTempFolder temp("extract_fail_tmp");
    ScopedFakeOs os;
    if (c.payloadStep) {
      os.FailPayload(c.payloadStep, c.error);
    } else {
      os.Fail(c.step, c.error);
    }
    ExtractedTool tool = ExtractTool(c.id);
    EXPECT_EQ(tool.Path(), "");
    testing::ExpectOneErrorBox(os, c.box);
    EXPECT_EQ(temp.Names(), std::vector<std::string>{}) << c.box;
  }
}

}  // namespace
}  // namespace fm
