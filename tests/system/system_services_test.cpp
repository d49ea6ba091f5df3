// The system services over the native OS interface: unpacking embedded
// programs, starting them, finding the FS2002 installation, traces, and
// the Windows rules of splitting command lines that the POSIX start uses.
#include <gtest/gtest.h>

#include "platform/command_line.h"
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

// Each extraction gets its own file of the program's bytes; each goes with
// its object, and a stranger's file of the same prefix stays. A failed
// extraction gives the empty path and leaves nothing behind. (Its box and
// the start that follows it failing: the fault table in tests/faults.)
TEST(ExtractTool, EachExtractionGetsItsOwnFileAndRemovesOnlyThat) {
  ScopedTempFolder temp("extract_tmp");
  ScopedFakeOs os;
  ASSERT_TRUE(NativeOs().WriteWholeFile(temp.Join("fmixZZZZ.exe"), "x", false).ok());
  const std::string_view program = NativeOs().FindPayload(FM_PROBE_PAYLOAD).bytes;
  ASSERT_FALSE(program.empty());
  {
    ExtractedTool first = ExtractTool(FM_PROBE_PAYLOAD);
    const ExtractedTool second = ExtractTool(FM_PROBE_PAYLOAD);
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
#if defined(_WIN32)
  // A resource of another script of the same program survives the link.
  EXPECT_EQ(NativeOs().FindPayload(902).bytes, "second payload");
#endif
}

TEST(RunTool, RunsTheExtractedProgramFromAFolderWithABlank) {
  ScopedTempFolder temp("run tool tmp");
  const std::string record = temp.Join("record.txt");
  ScopedEnv recordTo("FLEETMIX_PROBE_RECORD", record);
  ScopedEnv exitWith("FLEETMIX_PROBE_EXIT", std::string("3"));  // its start counts all the same
  ScopedFakeOs os;
  {
    const ExtractedTool tool = ExtractTool(FM_PROBE_PAYLOAD);
    ASSERT_NE(tool.Path().find(' '), std::string::npos);
    const std::string folder = temp.Join("Scenery World");
    ASSERT_TRUE(
        RunTool(BgltextCommandLine(tool.Path(), folder, "AP 1.BGL", "temp.sca"), true, false));
    EXPECT_EQ(testing::ReadWholeFile(record),
              folder + kCommandPathSeparator + "AP 1.BGL\r\ntemp.sca\r\n");
  }
  EXPECT_EQ(temp.Names(), std::vector<std::string>{"record.txt"});
}

TEST(TraceDebug, FormatsLikePrintfAndPassesAtMost511Characters) {
  ScopedFakeOs os;
  TraceDebug("%-6s|%X|%s", "AC#12", 255u, std::string(600, 'x').c_str());
  EXPECT_EQ(os.traces, std::vector<std::string>{"AC#12 |FF|" + std::string(501, 'x')});
}

// The program name: quotes only group, backslashes are literal; later
// words: an even run of backslashes before a quote halves and the quote
// groups.
TEST(SplitCommandLine, FollowsTheWindowsRules) {
  EXPECT_EQ(SplitCommandLine(R"("C:\Temp Dir\fmix1.exe" a\\"b c")"),
            (std::vector<std::string>{R"(C:\Temp Dir\fmix1.exe)", R"(a\b c)"}));
}

}  // namespace
}  // namespace fm
