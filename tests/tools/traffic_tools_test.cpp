// The traffic decompiler and compiler as functions, on a fixture
// installation: round trips byte for byte, and every failure ending with one
// line and no file half written.
#include "tools/traffic_tools.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "platform/file_system.h"
#include "platform/file_text.h"
#include "tests/support/fake_os.h"
#include "tests/support/fixture_installation.h"
#include "tools/traffic_container.h"

namespace fm {
namespace {

using testing::FixtureInstallation;

// Traffic texts drawn at random: lines of random length over every byte but
// the line ends, each ended by CR LF, LF or (the last) nothing.
std::string RandomText(std::mt19937& random, size_t lines, size_t longestLine) {
  std::uniform_int_distribution<size_t> length(0, longestLine);
  std::uniform_int_distribution<int> byte(0, 255);
  std::string text;
  for (size_t i = 0; i < lines; ++i) {
    for (size_t n = length(random); n > 0; --n) {
      const char c = static_cast<char>(byte(random));
      text += (c == '\r' || c == '\n') ? '\xE9' : c;
    }
    if (i + 1 < lines) text += (i % 3 == 0) ? "\n" : "\r\n";
  }
  return text;
}

class TrafficToolsTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(installation.IsReady()); }

  std::string Installed() const {
    std::string bytes;
    ReadFileBytes(installation.TrafficBglPath(), bytes);
    return bytes;
  }
  std::vector<std::string> WorkNames() const {
    std::vector<DirEntry> entries;
    ListDirectory(installation.WorkFolder(), "*", entries);
    std::vector<std::string> names;
    for (const DirEntry& entry : entries) names.push_back(entry.name);
    return names;
  }
  void WriteTexts(const std::string& aircraft, const std::string& plans,
                  const std::string& airports) {
    installation.WorkFileBytes("Aircraft.txt", aircraft);
    installation.WorkFileBytes("FlightPlans.txt", plans);
    installation.WorkFileBytes("Airports.txt", airports);
  }

  FixtureInstallation installation;
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
      {"Latin-1", "AC#1,250,\"Airbus A320 Lufthansa \xC4\xD6\xDC\"\r\n",
       "AC#1,D-AIPA,100%,24Hr,IFR,07:00:00,08:00:00,050,F,0001,EDDF\r\n",
       "EDDF,Frankfurt \xE0 \xFF\r\n"},
  };
  for (const auto& c : cases) {
    WriteTexts(c.aircraft, c.plans, c.airports);
    const ToolOutcome compiled = CompileTraffic(installation.Root(), installation.WorkFolder());
    ASSERT_TRUE(compiled.ok()) << c.what << ": " << compiled.line;
    for (const char* name : {"Aircraft.txt", "FlightPlans.txt", "Airports.txt"}) {
      ASSERT_TRUE(RemoveFile(installation.WorkPath(name)));
    }
    const ToolOutcome decompiled = DecompileTraffic(installation.Root(), installation.WorkFolder());
    ASSERT_TRUE(decompiled.ok()) << c.what << ": " << decompiled.line;
    EXPECT_TRUE(installation.ReadWorkFile("Aircraft.txt") == c.aircraft) << c.what;
    EXPECT_TRUE(installation.ReadWorkFile("FlightPlans.txt") == c.plans) << c.what;
    EXPECT_TRUE(installation.ReadWorkFile("Airports.txt") == c.airports) << c.what;
    EXPECT_EQ(WorkNames().size(), 3u) << c.what << ": nothing else is left";
  }
}

TEST_F(TrafficToolsTest, ARefusedTrafficFileChangesNoTextFile) {
  const std::string whole = EncodeTrafficFile({"AC#1,1,\"a\"\r\n", "p\r\n", "EGLL\r\n"});
  std::string changedText = whole, longerThanTheFile = whole;
  changedText[45] ^= 1;
  longerThanTheFile[27] = '\x7F';  // the length of FlightPlans.txt
  const struct {
    std::string bytes;
    const char* says;
  } cases[] = {
      {"fixture traffic.bgl", "is not a traffic file of the Fleetmix traffic tools"},
      {whole.substr(0, whole.size() - 1), "is cut short"},
      {whole.substr(0, 30), "is cut short"},
      {whole + "trailing", "is damaged"},
      {changedText, "is damaged"},
      {longerThanTheFile, "is cut short"},
  };
  for (const auto& c : cases) {
    installation.SetTrafficBgl(c.bytes);
    installation.WorkFileBytes("Aircraft.txt", "earlier");
    const ToolOutcome outcome = DecompileTraffic(installation.Root(), installation.WorkFolder());
    EXPECT_EQ(outcome.exitCode, 1) << c.says;
    EXPECT_EQ(outcome.line.rfind(installation.TrafficBglPath() + " " + c.says, 0), 0u)
        << outcome.line;
    EXPECT_EQ(outcome.line.find('\n'), std::string::npos);
    EXPECT_EQ(installation.ReadWorkFile("Aircraft.txt"), "earlier");
    EXPECT_EQ(WorkNames(), std::vector<std::string>{"Aircraft.txt"});
  }
}

TEST_F(TrafficToolsTest, AFailedRenameLeavesTheInstalledTrafficAndTheTextFilesAsTheyWere) {
  const std::string installed = EncodeTrafficFile({"old aircraft", "old plans", "old airports"});
  installation.SetTrafficBgl(installed);
  WriteTexts("new aircraft", "new plans", "new airports");
  auto failing = [](const std::string&, const std::string&) { return false; };

  const ToolOutcome compiled =
      CompileTraffic(installation.Root(), installation.WorkFolder(), failing);
  EXPECT_EQ(compiled.exitCode, 1);
  EXPECT_EQ(compiled.line, "cannot write " + installation.TrafficBglPath() +
                               "; the installed traffic is unchanged");
  EXPECT_EQ(Installed(), installed);
  std::vector<DirEntry> beside;
  ASSERT_TRUE(ListDirectory(installation.RootPath("SCENEDB/ATC/SCENERY"), "*", beside));
  EXPECT_EQ(beside.size(), 1u) << "no new file is left beside the installed one";

  // The second of the three renames fails: the first is put back.
  int renames = 0;
  auto secondFails = [&](const std::string& from, const std::string& to) {
    return ++renames != 2 && ReplaceFileWith(from, to);
  };
  const ToolOutcome decompiled =
      DecompileTraffic(installation.Root(), installation.WorkFolder(), secondFails);
  EXPECT_EQ(decompiled.exitCode, 1);
  EXPECT_EQ(installation.ReadWorkFile("Aircraft.txt"), "new aircraft");
  EXPECT_EQ(installation.ReadWorkFile("FlightPlans.txt"), "new plans");
  EXPECT_EQ(installation.ReadWorkFile("Airports.txt"), "new airports");
  EXPECT_EQ(WorkNames().size(), 3u);
}

TEST_F(TrafficToolsTest, MissingPiecesEachEndWithTheirLine) {
  WriteTexts("a", "p", "x");
  ASSERT_TRUE(RemoveFile(installation.WorkPath("Airports.txt")));
  const std::string installed = Installed();
  ToolOutcome outcome = CompileTraffic(installation.Root(), installation.WorkFolder());
  EXPECT_EQ(outcome.exitCode, 1);
  EXPECT_EQ(outcome.line, "cannot find Airports.txt in " + installation.WorkFolder());
  EXPECT_EQ(Installed(), installed);

  installation.WorkFileBytes("Airports.txt", "x");
  outcome = CompileTraffic(installation.WorkFolder(), installation.WorkFolder());
  EXPECT_EQ(outcome.exitCode, 1);
  EXPECT_EQ(outcome.line.rfind("there is no folder ", 0), 0u) << outcome.line;

  ASSERT_TRUE(RemoveFile(installation.TrafficBglPath()));
  outcome = DecompileTraffic(installation.Root(), installation.WorkFolder());
  EXPECT_EQ(outcome.line, "there is no traffic file " + installation.TrafficBglPath());
}

TEST(TrafficToolsFsFolder, IsFoundAsFleetmixFindsIt) {
  testing::ScopedFakeOs os;
  std::string root;
  ToolOutcome outcome;
  os.SetFsRoot("C:\\FS2002");
  ASSERT_TRUE(FindFsFolder(root, outcome));
  EXPECT_EQ(root, "C:\\FS2002");
  for (SettingStatus missing : {SettingStatus::KeyMissing, SettingStatus::ValueMissing}) {
    os.SetFsRootMissing(missing);
    EXPECT_FALSE(FindFsFolder(root, outcome));
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_EQ(outcome.line.rfind("cannot find the FS2002 folder: ", 0), 0u) << outcome.line;
  }
  EXPECT_TRUE(os.boxes.empty()) << "a console program shows no box";
}

}  // namespace
}  // namespace fm
