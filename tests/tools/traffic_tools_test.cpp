// The traffic file of the project's traffic tools and the decompiler and
// compiler, as functions on a fixture installation and as the programs the
// wizard carries (134 and 135): round trips byte for byte, every failure
// ending with one line and no file half written, and a user's own tool
// beside the program used instead of the embedded one.
#include "tools/traffic_tools.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "platform/file_paths.h"
#include "platform/file_system.h"
#include "platform/file_text.h"
#include "platform/os_interface.h"
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

constexpr int kDecompiler = 134;
constexpr int kCompiler = 135;

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

class TrafficToolsTest : public ::testing::Test {
 protected:
  std::string Installed() const {
    std::string bytes;
    ReadFileBytes(installation.TrafficBglPath(), bytes);
    return bytes;
  }
  size_t Count(const std::string& folder) const {
    std::vector<DirEntry> entries;
    ListDirectory(folder, "*", entries);
    return entries.size();
  }
  void WriteTexts(const std::string& aircraft, const std::string& plans,
                  const std::string& airports) {
    installation.WorkFileBytes("Aircraft.txt", aircraft);
    installation.WorkFileBytes("FlightPlans.txt", plans);
    installation.WorkFileBytes("Airports.txt", airports);
  }
  std::string Work(const char* name) const { return installation.ReadWorkFile(name); }

  testing::FixtureInstallation installation;
};

TEST_F(TrafficToolsTest, CompileThenDecompileGivesBackTheFilesByteForByte) {
  std::mt19937 random(2002);
  const struct {
    const char* what;
    std::string aircraft, plans, airports;
  } cases[] = {
      {"empty", "", "", ""},
      {"large", RandomText(random, 2000, 80), RandomText(random, 60000, 200),
       RandomText(random, 3000, 40)},
      {"long lines", std::string(1 << 20, 'A'), RandomText(random, 3, 2 << 20), "\r\n\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    WriteTexts(c.aircraft, c.plans, c.airports);
    const ToolOutcome compiled = CompileTraffic(installation.Root(), installation.WorkFolder());
    ASSERT_TRUE(compiled.ok()) << compiled.line;
    for (const char* name : {"Aircraft.txt", "FlightPlans.txt", "Airports.txt"})
      ASSERT_TRUE(RemoveFile(installation.WorkPath(name)));
    const ToolOutcome decompiled = DecompileTraffic(installation.Root(), installation.WorkFolder());
    ASSERT_TRUE(decompiled.ok()) << decompiled.line;
    EXPECT_TRUE(Work("Aircraft.txt") == c.aircraft && Work("FlightPlans.txt") == c.plans &&
                Work("Airports.txt") == c.airports);
    EXPECT_EQ(Count(installation.WorkFolder()), 3u) << "nothing else is left";
  }
}

TEST_F(TrafficToolsTest, ARefusedTrafficFileChangesNoTextFile) {
  const std::string whole = EncodeTrafficFile({"AC#1,1,\"a\"\r\n", "p\r\n", "EGLL\r\n"});
  std::string changedText = whole;
  changedText[45] ^= 1;
  const std::pair<std::string, const char*> cases[] = {
      {"fixture traffic.bgl", "is not a traffic file of the Fleetmix traffic tools"},
      {whole.substr(0, whole.size() - 1), "is cut short"},
      {changedText, "is damaged"},
  };
  for (const auto& [bytes, says] : cases) {
    installation.SetTrafficBgl(bytes);
    installation.WorkFileBytes("Aircraft.txt", "earlier");
    const ToolOutcome outcome = DecompileTraffic(installation.Root(), installation.WorkFolder());
    EXPECT_TRUE(outcome.exitCode == 1 && outcome.line.find('\n') == std::string::npos);
    EXPECT_EQ(outcome.line.rfind(installation.TrafficBglPath() + " " + says, 0), 0u)
        << outcome.line;
    EXPECT_TRUE(Work("Aircraft.txt") == "earlier" && Count(installation.WorkFolder()) == 1);
  }
}

// A disk that fills while the compiler writes (POSIX: beyond the file-size
// limit every write fails) and a rename that fails. (A set of text files
// that cannot be placed: tests/traffic.)
TEST_F(TrafficToolsTest, AFailedWriteOrRenameLeavesTheInstalledTraffic) {
  const std::string installed = EncodeTrafficFile({"old aircraft", "old plans", "old airports"});
  const std::string plans(400000, 'p');
  installation.SetTrafficBgl(installed);
  WriteTexts("new aircraft", plans, "new airports");
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
  EXPECT_EQ(Installed(), installed);
  EXPECT_EQ(Count(installation.RootPath("SCENEDB/ATC/SCENERY")), 1u);  // nothing left beside it
}

// The programs as the wizard runs them. A user's own tool, named as the
// README says and lying beside the running program, is copied out and run
// instead of the embedded one; only the copy goes afterwards. The compiler,
// standing in for a user's decompiler, shows which program ran. (The
// embedded decompiler refusing a foreign file: tests/traffic.)
TEST_F(TrafficToolsTest, AToolBesideTheProgramTakesThePlaceOfTheEmbeddedOne) {
  ASSERT_TRUE(installation.PointSystemAtRoot());
  testing::ScopedTempFolder temp{"tool_programs_tmp"};
  testing::ScopedFakeOs os;
  os.modulePath = JoinPath(temp.Path(), "fleetmix.exe");
  const std::string beside = JoinPath(temp.Path(), ReplacementToolName(kDecompiler));
  ASSERT_TRUE(WriteFileBytes(beside, NativeOs().FindPayload(kCompiler).bytes));
  WriteTexts("user aircraft", "user plans", "user airports");
  ExtractedTool userTool = ExtractTool(kDecompiler);
  const std::string copy = userTool.Path();
  ASSERT_TRUE(RunTool(TrafficToolCommandLine(copy), true, false, installation.WorkFolder()));
  userTool = ExtractedTool();
  TrafficTexts texts;
  const std::string installed = Installed();
  EXPECT_TRUE(DecodeTrafficFile(installed, texts) == TrafficFileProblem::kNone &&
              texts.flightPlans == "user plans");
  EXPECT_FALSE(PathExists(copy)) << "the copy goes after the run";
  EXPECT_TRUE(IsRegularFile(beside)) << "the user's tool stays";
  EXPECT_TRUE(os.boxes.empty());
}

}  // namespace
}  // namespace fm
