// Splitting command lines by the Windows rules, which the POSIX process
// start relies on.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/command_line.h"
#include "services/system_command_lines.h"

namespace fm {
namespace {

struct SplitCase {
  const char* line;
  std::vector<std::string> words;
};

TEST(SplitCommandLine, FollowsTheWindowsRules) {
  const SplitCase cases[] = {
      {"notepad report.txt", {"notepad", "report.txt"}},
      {"tool", {"tool"}},
      {"", {""}},
      {"  a", {"", "a"}},  // a leading blank gives an empty program name
      {"tool  a\t\tb  ", {"tool", "a", "b"}},
      // The program name: quotes only group, backslashes are literal.
      {R"("C:\Temp Dir\fmix1.exe" /np)", {R"(C:\Temp Dir\fmix1.exe)", "/np"}},
      {R"(C:\dir\tool.exe a)", {R"(C:\dir\tool.exe)", "a"}},
      {R"("" /np)", {"", "/np"}},
      {R"(a\" b)", {R"(a\")", "b"}},
      // Later words: quoted parts, escaped quotes, runs of backslashes.
      {R"(t "C:\FS 2002\Scenery\a.bgl" temp.sca)",
       {"t", R"(C:\FS 2002\Scenery\a.bgl)", "temp.sca"}},
      {R"(t a"b c"d)", {"t", "ab cd"}},
      {R"(t \"a\")", {"t", R"("a")"}},
      {R"(t a\\"b c")", {"t", R"(a\b c)"}},
      {R"(t a\\\"b)", {"t", R"(a\"b)"}},
      {R"(t a\\b a\\\\b)", {"t", R"(a\\b)", R"(a\\\\b)"}},
      {R"(t "a""b")", {"t", R"(a"b)"}},
      {R"(t "" x)", {"t", "", "x"}},
      {R"(t "open ended)", {"t", "open ended"}},
      {R"(t "trailing\\")", {"t", R"(trailing\)"}},
  };
  for (const SplitCase& c : cases) {
    EXPECT_EQ(SplitCommandLine(c.line), c.words) << "command line: " << c.line;
  }
  // A failed extraction leaves an empty path: the line names no program.
  EXPECT_EQ(SplitCommandLine(TrafficToolCommandLine("")).front(), "");
}

}  // namespace
}  // namespace fm
