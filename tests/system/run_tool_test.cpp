// Starting programs: an extracted program runs with its arguments, also
// from a folder with a blank in its name; a failed extraction is followed by
// the start failure; the trace is cut at 511 characters.
#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "platform/os_interface.h"
#include "tests/support/fake_os.h"
#include "tests/system/system_test_support.h"
#include "services/system_command_lines.h"
#include "services/system_services.h"

namespace fm {
namespace {

using testing::ScopedEnv;
using testing::ScopedFakeOs;
using testing::ScopedTempFolder;

constexpr int kProbe = FM_PROBE_PAYLOAD;

// The text is prefix, an upper-case hexadecimal number, then suffix.
void ExpectTextWithCode(const std::string& text, const std::string& prefix,
                        const std::string& suffix) {
  ASSERT_GT(text.size(), prefix.size() + suffix.size()) << text;
  EXPECT_EQ(text.substr(0, prefix.size()), prefix) << text;
  EXPECT_EQ(text.substr(text.size() - suffix.size()), suffix) << text;
  const std::string code = text.substr(prefix.size(), text.size() - prefix.size() - suffix.size());
  for (const char c : code) {
    EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(c)) || (c >= 'A' && c <= 'F')) << text;
  }
}

TEST(RunTool, RunsTheExtractedProgramFromAFolderWithABlank) {
  ScopedTempFolder temp("run tool tmp");
  const std::string record = temp.Join("record.txt");
  ScopedEnv recordTo("FLEETMIX_PROBE_RECORD", record);
  ScopedFakeOs os;
  {
    const ExtractedTool tool = ExtractTool(kProbe);
    ASSERT_FALSE(tool.Empty());
    ASSERT_NE(tool.Path().find(' '), std::string::npos);

    const std::string folder = temp.Join("Scenery World");
    ASSERT_TRUE(
        RunTool(BgltextCommandLine(tool.Path(), folder, "AP 1.BGL", "temp.sca"), true, false));
    EXPECT_EQ(testing::ReadWholeFile(record), folder + testing::kSeparator + "AP 1.BGL\r\ntemp.sca\r\n");

    ASSERT_TRUE(RunTool(TrafficToolCommandLine(tool.Path()), true, true));
    EXPECT_EQ(testing::ReadWholeFile(record), "/np\r\n");
  }
  EXPECT_TRUE(os.boxes.empty());
  EXPECT_EQ(temp.Names(), std::vector<std::string>{"record.txt"});
}

TEST(RunTool, ReportsAProgramThatDoesNotExist) {
  ScopedFakeOs os;
  EXPECT_FALSE(RunTool("fleetmix-no-such-program report.txt", false, true));
  ASSERT_EQ(os.boxes.size(), 1u);
  ExpectTextWithCode(os.boxes[0].text,
                     "CreateProcess (fleetmix-no-such-program report.txt) failed: 0x", "");
#if !defined(_WIN32)
  // Notepad is not there to be started on POSIX.
  EXPECT_FALSE(RunTool("notepad report.txt", false, true));
  EXPECT_EQ(os.boxes.size(), 2u);
#endif
}

}  // namespace
}  // namespace fm
