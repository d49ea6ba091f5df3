// The traffic file of the project's traffic tools and the decompiler and
// compiler, as functions on a fixture installation and as the programs the
// wizard carries (134 and 135): round trips byte for byte, every failure
// ending with one line and no file half written, and a user's own tool
// beside the program used instead of the embedded one.
#include "tools/traffic_tools.h"

#include <gtest/gtest.h>

#include <array>
#include <random>

#include "platform/file_paths.h"
#include "platform/file_system.h"
#include "platform/file_text.h"
#include "services/system_command_lines.h"
#include "services/system_services.h"
#include "tests/support/fake_os.h"
#include "tests/support/fixture_installation.h"
#include "tests/system/system_test_support.h"
#include "tools/traffic_container.h"

#if !defined(_WIN32)
#include <signal.h>
#include <sys/resource.h>
#endif

namespace fm {
namespace {

constexpr int kDecompiler = 134, kCompiler = 135;

// Lines of random length over every byte, each ended by CR LF, LF or (the
// last) nothing.
std::string RandomText(std::mt19937& random, size_t lines, size_t longestLine) {
  std::string text;
  for (size_t i = 0; i < lines; ++i) {
    for (size_t n = random() % (longestLine + 1); n > 0; --n) text += static_cast<char>(random());
    if (i + 1 < lines) text += (i % 3 == 0) ? "\n" : "\r\n";
  }
  return text;
}

size_t Count(const std::string& folder) {
  std::vector<DirEntry> entries;
  ListDirectory(folder, "*", entries);
  return entries.size();
}

const char* const kTexts[] = {"Aircraft.txt", "FlightPlans.txt", "Airports.txt"};
using Texts = std::array<std::string, 3>;

void WriteTexts(testing::FixtureInstallation& installation, const Texts& texts) {
  for (int i = 0; i < 3; ++i) installation.WorkFileBytes(kTexts[i], texts[i]);
}

TEST(TrafficTools, CompileThenDecompileGivesBackTheFilesByteForByte) {
  std::mt19937 random(2002);
  const Texts cases[] = {
      {"", "", ""},
      {RandomText(random, 2000, 80), RandomText(random, 60000, 200), RandomText(random, 3000, 40)},
      {std::string(1 << 20, 'A'), RandomText(random, 3, 2 << 20), "\r\n\r\n"},  // long lines
  };
  testing::FixtureInstallation installation;
  for (const Texts& texts : cases) {
    WriteTexts(installation, texts);
    const ToolOutcome compiled = CompileTraffic(installation.Root(), installation.WorkFolder());
    ASSERT_TRUE(compiled.ok()) << compiled.line;
    for (const char* name : kTexts) ASSERT_TRUE(RemoveFile(installation.WorkPath(name)));
    const ToolOutcome decompiled = DecompileTraffic(installation.Root(), installation.WorkFolder());
    ASSERT_TRUE(decompiled.ok()) << decompiled.line;
    for (int i = 0; i < 3; ++i)
      EXPECT_TRUE(installation.ReadWorkFile(kTexts[i]) == texts[i]) << kTexts[i];
    EXPECT_EQ(Count(installation.WorkFolder()), 3u) << "nothing else is left";
  }
}

TEST(TrafficTools, AForeignOrTruncatedTrafficFileChangesNoTextFile) {
  testing::FixtureInstallation installation;
  const std::string whole = EncodeTrafficFile({"AC#1,1,\"a\"\r\n", "p\r\n", "EGLL\r\n"});
  for (const auto& [bytes, says] :
       {std::pair<std::string, const char*>{"fixture traffic.bgl",
                                            "is not a traffic file of the Fleetmix traffic tools"},
        {whole.substr(0, whole.size() - 1), "is cut short"}}) {
    installation.SetTrafficBgl(bytes);
    installation.WorkFileBytes("Aircraft.txt", "earlier");
    const ToolOutcome outcome = DecompileTraffic(installation.Root(), installation.WorkFolder());
    EXPECT_TRUE(outcome.exitCode == 1 && outcome.line.find('\n') == std::string::npos);
    EXPECT_EQ(outcome.line.rfind(installation.TrafficBglPath() + " " + says, 0), 0u)
        << outcome.line;
    EXPECT_TRUE(installation.ReadWorkFile("Aircraft.txt") == "earlier" &&
                Count(installation.WorkFolder()) == 1);
  }
}

// A disk that fills while the compiler writes (POSIX: beyond the file-size
// limit every write fails) and a rename that fails. (A set of text files
// that cannot be placed: tests/traffic.)
TEST(TrafficTools, AFailedWriteOrRenameLeavesTheInstalledTraffic) {
  testing::FixtureInstallation installation;
  const std::string installed = EncodeTrafficFile({"old aircraft", "old plans", "old airports"});
  installation.SetTrafficBgl(installed);
  WriteTexts(installation, {"new aircraft", std::string(400000, 'p'), "new airports"});
  const std::string failed =
      "cannot write " + installation.TrafficBglPath() + "; the installed traffic is unchanged";
#if !defined(_WIN32)
  rlimit unlimited{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &unlimited), 0);
  const rlimit limit{64 * 1024, unlimited.rlim_max};
  ::signal(SIGXFSZ, SIG_IGN);
  ::setrlimit(RLIMIT_FSIZE, &limit);
  const std::string line = CompileTraffic(installation.Root(), installation.WorkFolder()).line;
  ::setrlimit(RLIMIT_FSIZE, &unlimited);
  EXPECT_EQ(line, failed);
#endif
  auto failing = [](const std::string&, const std::string&) { return false; };
  EXPECT_EQ(CompileTraffic(installation.Root(), installation.WorkFolder(), failing).line, failed);
  EXPECT_EQ(testing::ReadWholeFile(installation.TrafficBglPath()), installed);
  EXPECT_EQ(Count(installation.RootPath("SCENEDB/ATC/SCENERY")), 1u);  // nothing left beside it
}

// The programs as the wizard runs them. A user's own tool, named as the
// README says and lying beside the running program, is copied out and run
// instead of the embedded one; only the copy goes afterwards. The compiler,
// standing in for a user's decompiler, shows which program ran. (The
// embedded decompiler refusing a foreign file: tests/traffic.)
TEST(TrafficTools, AToolBesideTheProgramTakesThePlaceOfTheEmbeddedOne) {
  testing::FixtureInstallation installation;
  ASSERT_TRUE(installation.PointSystemAtRoot());
  testing::ScopedTempFolder temp{"tool_programs_tmp"};
  testing::ScopedFakeOs os;
  os.modulePath = JoinPath(temp.Path(), "fleetmix.exe");
  const std::string beside = JoinPath(temp.Path(), ReplacementToolName(kDecompiler));
  ASSERT_TRUE(WriteFileBytes(beside, NativeOs().FindPayload(kCompiler).bytes));
  WriteTexts(installation, {"user aircraft", "user plans", "user airports"});
  ExtractedTool userTool = ExtractTool(kDecompiler);
  const std::string copy = userTool.Path();
  ASSERT_TRUE(RunTool(TrafficToolCommandLine(copy), true, false, installation.WorkFolder()));
  userTool = ExtractedTool();
  TrafficTexts texts;
  EXPECT_TRUE(DecodeTrafficFile(*testing::ReadWholeFile(installation.TrafficBglPath()), texts) ==
                  TrafficFileProblem::kNone &&
              texts.flightPlans == "user plans");
  EXPECT_FALSE(PathExists(copy)) << "the copy goes after the run";
  EXPECT_TRUE(IsRegularFile(beside)) << "the user's tool stays";
}

}  // namespace
}  // namespace fm
