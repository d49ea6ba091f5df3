// The system services over the native OS interface: unpacking embedded
// programs, starting them, finding the FS2002 installation, traces, and
// the Windows rules of splitting command lines that the POSIX start uses.
#include <gtest/gtest.h>

#include <string>

#include "platform/command_line.h"
#include "platform/os_interface.h"
#include "services/system_command_lines.h"
#include "services/system_services.h"
#include "tests/support/fake_os.h"
#include "tests/system/system_test_support.h"

namespace fm {
namespace {

using testing::FakeStep;
using testing::ScopedEnv;
using testing::ScopedFakeOs;
using testing::ScopedTempFolder;

constexpr int kProbe = FM_PROBE_PAYLOAD;

// Each extraction gets its own file of the program's bytes; each goes with
// its object, and a stranger's file of the same prefix stays. A failed
// extraction names its step, the id and the error in upper-case hex, gives
// the empty path and leaves nothing behind. (The start that follows it
// fails: the fault table in tests/faults.)
TEST(ExtractTool, EachExtractionGetsItsOwnFileAndRemovesOnlyThat) {
  ScopedTempFolder temp("extract_tmp");
  ScopedFakeOs os;
  ASSERT_TRUE(NativeOs().WriteWholeFile(temp.Join("fmixZZZZ.exe"), "x", false).ok());
  const std::string_view program = NativeOs().FindPayload(kProbe).bytes;
  ASSERT_FALSE(program.empty());
  {
    ExtractedTool first = ExtractTool(kProbe);
    const ExtractedTool second = ExtractTool(kProbe);
    EXPECT_NE(first.Path(), second.Path());
    EXPECT_EQ(first.Path().rfind(temp.Path(), 0), 0u) << first.Path();
    EXPECT_EQ(testing::ReadWholeFile(second.Path()), std::string(program));
    const std::string path = first.Path();
    first.Remove();
    EXPECT_FALSE(testing::ReadWholeFile(path).has_value());
  }
  os.Fail(FakeStep::Open, 0xABC);
  EXPECT_EQ(ExtractTool(132).Path(), "");
  EXPECT_EQ(temp.Names(), std::vector<std::string>{"fmixZZZZ.exe"});
  ASSERT_EQ(os.BoxTexts(),
            std::vector<std::string>{"CFile::Open failed during extraction of (132) - 0xABC"});
  EXPECT_TRUE(os.boxes[0].caption == "AI Traffic Fleetmixer" && os.boxes[0].icon == BoxIcon::Error);
  EXPECT_STREQ(NativeOs().FindPayload(4711).failedStep, "FindResource");
#if defined(_WIN32)
  // A resource of another script of the same program survives the link.
  EXPECT_EQ(NativeOs().FindPayload(902).bytes, "second payload");
  // The test prefix records the installation as the FS2002 installer does.
  EXPECT_EQ(FindFsRoot(), "C:\\FS2002");
#endif
}

TEST(RunTool, RunsTheExtractedProgramFromAFolderWithABlank) {
  ScopedTempFolder temp("run tool tmp");
  const std::string record = temp.Join("record.txt");
  ScopedEnv recordTo("FLEETMIX_PROBE_RECORD", record);
  ScopedEnv exitWith("FLEETMIX_PROBE_EXIT", std::string("3"));  // its start counts all the same
  ScopedFakeOs os;
  {
    const ExtractedTool tool = ExtractTool(kProbe);
    ASSERT_NE(tool.Path().find(' '), std::string::npos);
    const std::string folder = temp.Join("Scenery World");
    ASSERT_TRUE(
        RunTool(BgltextCommandLine(tool.Path(), folder, "AP 1.BGL", "temp.sca"), true, false));
    EXPECT_EQ(testing::ReadWholeFile(record),
              folder + kCommandPathSeparator + "AP 1.BGL\r\ntemp.sca\r\n");
    // The native start waits for the child and hands back its exit code.
    const ProcessResult result = NativeOs().StartProcess("\"" + tool.Path() + "\"", true, false);
    EXPECT_TRUE(result.status.ok && result.exitCode == 3);
  }
  EXPECT_TRUE(os.boxes.empty());
  EXPECT_EQ(temp.Names(), std::vector<std::string>{"record.txt"});
}

TEST(TraceDebug, FormatsLikePrintfAndPassesAtMost511Characters) {
  ScopedFakeOs os;
  TraceDebug("%-6s|%X|%s", "AC#12", 255u, std::string(600, 'x').c_str());
  EXPECT_EQ(os.traces, std::vector<std::string>{"AC#12 |FF|" + std::string(501, 'x')});
}

TEST(SplitCommandLine, FollowsTheWindowsRules) {
  const std::pair<const char*, std::vector<std::string>> cases[] = {
      {"  a", {"", "a"}},  // a leading blank gives an empty program name
      // The program name: quotes only group, backslashes are literal.
      {R"("C:\Temp Dir\fmix1.exe" /np)", {R"(C:\Temp Dir\fmix1.exe)", "/np"}},
      {R"(a\" b)", {R"(a\")", "b"}},
      // Later words: quoted parts, escaped quotes, runs of backslashes.
      {R"(t a"b c"d)", {"t", "ab cd"}},
      {R"(t a\\"b c")", {"t", R"(a\b c)"}},
      {R"(t a\\\"b)", {"t", R"(a\"b)"}},
      {R"(t a\\b)", {"t", R"(a\\b)"}},
      {R"(t "a""b")", {"t", R"(a"b)"}},
      {R"(t "open ended)", {"t", "open ended"}},
  };
  for (const auto& [line, words] : cases) EXPECT_EQ(SplitCommandLine(line), words) << line;
}

}  // namespace
}  // namespace fm
