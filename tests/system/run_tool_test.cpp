// Starting programs: an extracted program runs with its arguments, also
// from a folder with a blank in its name, and its exit code comes back; a
// start that fails shows the command line; the trace is cut at 511
// characters.
#include <gtest/gtest.h>

#include <string>

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

TEST(RunTool, RunsTheExtractedProgramFromAFolderWithABlank) {
  ScopedTempFolder temp("run tool tmp");
  const std::string record = temp.Join("record.txt");
  ScopedEnv recordTo("FLEETMIX_PROBE_RECORD", record);
  ScopedEnv exitWith("FLEETMIX_PROBE_EXIT", std::string("3"));  // its start counts all the same
  ScopedFakeOs os;
  {
    const ExtractedTool tool = ExtractTool(kProbe);
    ASSERT_FALSE(tool.Empty());
    ASSERT_NE(tool.Path().find(' '), std::string::npos);

    const std::string folder = temp.Join("Scenery World");
    ASSERT_TRUE(
        RunTool(BgltextCommandLine(tool.Path(), folder, "AP 1.BGL", "temp.sca"), true, false));
    EXPECT_EQ(testing::ReadWholeFile(record),
              folder + testing::kSeparator + "AP 1.BGL\r\ntemp.sca\r\n");

    ASSERT_TRUE(RunTool(TrafficToolCommandLine(tool.Path()), true, true));
    EXPECT_EQ(testing::ReadWholeFile(record), "/np\r\n");

    // The native start waits for the child (the record is written) and
    // hands back its exit code; arguments are split by the Windows rules.
    const ProcessResult result =
        NativeOs().StartProcess("\"" + tool.Path() + "\" a\\\\\"b c\" \"\"", true, false);
    ASSERT_TRUE(result.status.ok);
    EXPECT_EQ(result.exitCode, 3);
    EXPECT_EQ(testing::ReadWholeFile(record), "a\\b c\r\n\r\n");
  }
  EXPECT_TRUE(os.boxes.empty());
  EXPECT_EQ(temp.Names(), std::vector<std::string>{"record.txt"});
}

TEST(RunTool, StartFailureShowsTheCommandLineAndHexError) {
  {
    ScopedFakeOs os;
    os.Fail(FakeStep::Start, 0x2E);
    EXPECT_FALSE(RunTool("notepad report.txt", false, true));
    testing::ExpectOneErrorBox(os, "CreateProcess (notepad report.txt) failed: 0x2E");
  }
  ScopedFakeOs os;
  EXPECT_FALSE(RunTool("fleetmix-no-such-program-here /np", true, false));
  testing::ExpectOneErrorBox(os, "CreateProcess (fleetmix-no-such-program-here /np) failed: 0x2");
}

TEST(TraceDebug, FormatsLikePrintfAndPassesAtMost511Characters) {
  ScopedFakeOs os;
  TraceDebug("%-6s|%05.1f|%X|%d", "AC#12", 3.5, 255u, -7);
  const std::string text600(600, 'x'), text511(511, 'y'), text512(512, 'z');
  TraceDebug("%s", text600.c_str());
  TraceDebug("%s", text511.c_str());
  TraceDebug("%s", text512.c_str());
  EXPECT_EQ(os.traces, (std::vector<std::string>{"AC#12 |003.5|FF|-7", text600.substr(0, 511),
                                                 text511, text512.substr(0, 511)}));
  EXPECT_TRUE(os.boxes.empty());
}

}  // namespace
}  // namespace fm
