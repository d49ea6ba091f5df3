// FS2002 under Wine, seen from the POSIX build: without FLEETMIX_FS_ROOT the
// installation folder is the FS2002 key of the Wine prefix's system.reg,
// mapped through the prefix's drive links; a Windows program is started
// through wine, also a user's own traffic tool lying beside the program.
#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <string>

#include "platform/file_system.h"
#include "platform/file_text.h"
#include "platform/os_interface.h"
#include "services/system_command_lines.h"
#include "services/system_services.h"
#include "tests/support/fake_os.h"
#include "tests/system/system_test_support.h"

namespace fm {
namespace {

namespace fs = std::filesystem;
using testing::ScopedEnv;
using testing::ScopedFakeOs;
using testing::ScopedTempFolder;

constexpr char kHeader[] =
    "WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\Machine\n\n#arch=win64\n\n";
// The key in both views, as Wine writes them (the plain one sorts first).
const std::string kPlain =
    R"([Software\\Microsoft\\Microsoft Games\\Flight Simulator\\8.0] 1796594576)"
    "\n#time=1dd85cd8c931354\n";
const std::string kWow =
    R"([Software\\Wow6432Node\\Microsoft\\Microsoft Games\\Flight Simulator\\8.0] 1796594576)"
    "\n#time=1dd85cd8c931354\n";
constexpr char kKeyMissing[] = "Cannot find FS2002 root folder (2)";
constexpr char kValueMissing[] = "Cannot find FS2002 root folder (1)";

std::string Value(const std::string& text) { return "\"EXE Path\"=\"" + text + "\"\n"; }

// A prefix laid out as wineboot leaves it: dosdevices/c: -> ../drive_c,
// d: -> a folder elsewhere, z: -> /, and the registry text given.
struct FixturePrefix {
  explicit FixturePrefix(const ScopedTempFolder& temp)
      : path(temp.Join("prefix")), dDrive(temp.Join("D drive")) {
    fs::create_directories(path + "/dosdevices");
    fs::create_directories(path + "/drive_c");
    fs::create_directories(dDrive);
    fs::create_directory_symlink("../drive_c", path + "/dosdevices/c:");
    fs::create_directory_symlink(dDrive, path + "/dosdevices/d:");
    fs::create_directory_symlink("/", path + "/dosdevices/z:");
  }
  void Registry(const std::string& blocks) const {
    ASSERT_TRUE(WriteFileBytes(path + "/system.reg", kHeader + blocks));
  }
  // "$C" stands for the folder of drive C:, "$D" for that of drive D:.
  std::string Expand(std::string text) const {
    for (auto [mark, folder] : {std::pair{"$C", path + "/drive_c"}, std::pair{"$D", dDrive}}) {
      if (const auto at = text.find(mark); at != std::string::npos) text.replace(at, 2, folder);
    }
    return text;
  }

  std::string path;
  std::string dDrive;
};

// The installation folder as FindFsRoot gives it, or the text of its box.
std::string FindFsRootOrBox() {
  ScopedFakeOs os;
  try {
    const std::string root = FindFsRoot();
    EXPECT_TRUE(os.boxes.empty());
    return root;
  } catch (const testing::ProcessEnded& ended) {
    EXPECT_EQ(ended.exitCode, 1);
    return os.boxes.size() == 1 ? os.boxes[0].text : "boxes: " + std::to_string(os.boxes.size());
  }
}

TEST(WinePrefix, ReadsTheFs2002KeyOfTheRegistryFile) {
  const std::string long259 = "C:\\\\" + std::string(256, 'x');
  struct Case {
    const char* what;
    std::string registry;
    std::string expected;  // the folder, or the box
  } cases[] = {
      {"the 32-bit view before the plain key",
       kPlain + Value(R"(C:\\FS64)") + "\n" + kWow + Value(R"(C:\\FS32)"), "$C/FS32"},
      {"key and value names in any letter case",
       R"([SOFTWARE\\microsoft\\MICROSOFT GAMES\\flight simulator\\8.0] 1)"
       "\n\"exe path\"=\"c:\\\\FS2002\\\\\"\n",
       "$C/FS2002"},
      {"a blank, non-ASCII characters and a surrogate pair, escaped as Wine does",
       kWow + Value(R"(C:\\Program Files\\Jeux \x00e9d\xe9\\FS 2002 \xd83d\xde80)"),
       "$C/Program Files/Jeux \xC3\xA9"
       "d\xC3\xA9/FS 2002 \xF0\x9F\x9A\x80"},
      {"another drive through its dosdevices link", kWow + Value(R"(D:\\Games\\FS2002)"),
       "$D/Games/FS2002"},
      {"drive Z: is the root folder", kWow + Value(R"(Z:\\opt\\FS2002\\)"), "/opt/FS2002"},
      {"'..' does not leave the drive", kWow + Value(R"(C:\\..\\FS2002\\.)"), "$C/FS2002"},
      {"259 characters fit the program's buffer", kWow + Value(long259),
       "$C/" + std::string(256, 'x')},
      {"no value", kWow + "\"Version\"=\"8.0\"\n", kValueMissing},
      {"the 32-bit key without the value hides the plain one",
       kPlain + Value(R"(C:\\FS64)") + "\n" + kWow + "\"Version\"=\"8.0\"\n", kValueMissing},
      {"the value of a subkey is not the key's",
       kPlain + "\n" + R"([Software\\Microsoft\\Microsoft Games\\Flight Simulator\\8.0\\Sub] 1)" +
           "\n" + Value(R"(C:\\FS2002)"),
       kValueMissing},
      {"an expandable string", kWow + "\"EXE Path\"=str(2):\"C:\\\\FS2002\"\n", kValueMissing},
      {"binary data", kWow + "\"EXE Path\"=hex:43,3a,5c,00\n", kValueMissing},
      {"an empty value", kWow + Value(""), kValueMissing},
      {"260 characters do not fit", kWow + Value(long259 + "x"), kValueMissing},
      {"a drive without a dosdevices link", kWow + Value(R"(E:\\FS2002)"), kValueMissing},
      {"another version's key only",
       R"([Software\\Microsoft\\Microsoft Games\\Flight Simulator\\9.0] 1)"
       "\n" +
           Value(R"(C:\\FS2004)"),
       kKeyMissing},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ScopedTempFolder temp("wine_prefix_tmp");
    const FixturePrefix prefix(temp);
    prefix.Registry(c.registry);
    ScopedEnv wine("WINEPREFIX", prefix.path);
    ScopedEnv root("FLEETMIX_FS_ROOT", std::nullopt);
    EXPECT_EQ(FindFsRootOrBox(), prefix.Expand(c.expected));
  }
}

TEST(WinePrefix, WhichPrefixIsRead) {
  ScopedTempFolder temp("wine_prefix_tmp");
  const FixturePrefix prefix(temp);
  prefix.Registry(kWow + Value(R"(C:\\FS2002)"));
  fs::create_directory_symlink(prefix.path, temp.Join(".wine"));
  ScopedEnv home("HOME", temp.Path());
  ScopedEnv root("FLEETMIX_FS_ROOT", std::nullopt);
  {
    ScopedEnv wine("WINEPREFIX", std::nullopt);
    EXPECT_EQ(FindFsRootOrBox(), temp.Join(".wine/drive_c/FS2002"));
  }
  ScopedEnv wine("WINEPREFIX", temp.Join("no prefix here"));
  EXPECT_EQ(FindFsRootOrBox(), kKeyMissing);
  ScopedEnv set("FLEETMIX_FS_ROOT", std::string("/srv/FS2002"));
  EXPECT_EQ(FindFsRootOrBox(), "/srv/FS2002");
}

// A stand-in for wine on the PATH: the probe program, which records its
// arguments.
struct FakeWine {
  explicit FakeWine(const ScopedTempFolder& temp)
      : record(temp.Join("record.txt")),
        recordTo("FLEETMIX_PROBE_RECORD", record),
        path("PATH", temp.Join("bin") + ":" + std::getenv("PATH")) {
    fs::create_directories(temp.Join("bin"));
    EXPECT_TRUE(
        WriteFileBytes(temp.Join("bin/wine"), NativeOs().FindPayload(FM_PROBE_PAYLOAD).bytes));
    fs::permissions(temp.Join("bin/wine"), fs::perms::owner_all);
  }
  std::string record;
  ScopedEnv recordTo;
  ScopedEnv path;
};

TEST(WinePrefix, WindowsProgramsStartThroughWine) {
  ScopedTempFolder temp("wine_exe_tmp");
  const FakeWine wine(temp);
  const std::string here = fs::current_path().string();
  const std::string work = temp.Join("work");
  fs::create_directories(work);
  const std::string lyingHere = "fleetmix_wine_test.EXE";
  ASSERT_TRUE(WriteFileBytes(lyingHere, "MZ"));
  struct Case {
    std::string commandLine, folder, recorded;
  } cases[] = {
      // A relative path names the program from this process's folder.
      {"\"wine_exe_tmp/tools dir/Tool.EXE\" /np", work,
       here + "/wine_exe_tmp/tools dir/Tool.EXE\r\n/np\r\n"},
      {"fleetmix_wine_test.EXE /np", work, here + "/fleetmix_wine_test.EXE\r\n/np\r\n"},
      // A bare name lying nowhere here is left to wine's own search.
      {"notepad.exe report.txt", work, "notepad.exe\r\nreport.txt\r\n"},
      {"\"/opt/tools/ttools.exe\" /np", "", "/opt/tools/ttools.exe\r\n/np\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.commandLine);
    const ProcessResult started = NativeOs().StartProcess(c.commandLine, true, false, c.folder);
    ASSERT_TRUE(started.status.ok);
    EXPECT_EQ(testing::ReadWholeFile(wine.record), c.recorded);
  }
  ::unlink(lyingHere.c_str());

  // The user's Windows decompiler beside the program: its copy keeps the
  // ".exe" and so runs through wine.
  ScopedFakeOs os;
  os.modulePath = temp.Join("fleetmix-cli");
  ASSERT_TRUE(WriteFileBytes(temp.Join("trafficdecompiler.exe"), "MZ user tool"));
  std::string copy;
  {
    const ExtractedTool tool = ExtractTool(134);
    copy = tool.Path();
    ASSERT_EQ(copy.substr(copy.size() - 4), ".exe");
    EXPECT_EQ(testing::ReadWholeFile(copy), "MZ user tool");
    ASSERT_TRUE(RunTool(TrafficToolCommandLine(copy), true, false, work));
    EXPECT_EQ(testing::ReadWholeFile(wine.record), copy + "\r\n/np\r\n");
  }
  EXPECT_FALSE(PathExists(copy));
  EXPECT_EQ(temp.Names(),
            (std::vector<std::string>{"bin", "record.txt", "trafficdecompiler.exe", "work"}))
      << "the copy and its name's reservation go";
  EXPECT_TRUE(os.boxes.empty());
}

TEST(WinePrefix, WithoutWineTheStartFails) {
  ScopedTempFolder temp("wine_missing_tmp");
  ScopedEnv path("PATH", temp.Path());
  ScopedFakeOs os;
  EXPECT_FALSE(RunTool("\"/opt/tools/ttools.exe\" /np", true, false));
  testing::ExpectOneErrorBox(os, "CreateProcess (\"/opt/tools/ttools.exe\" /np) failed: 0x2");
}

}  // namespace
}  // namespace fm
