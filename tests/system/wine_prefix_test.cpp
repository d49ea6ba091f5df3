// FS2002 under Wine, seen from the POSIX build: without FLEETMIX_FS_ROOT the
// installation folder is the FS2002 key of the Wine prefix's system.reg,
// mapped through the prefix's drive links; a Windows program is started
// through wine.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/file_text.h"
#include "services/system_services.h"
#include "tests/support/fake_os.h"
#include "tests/system/system_test_support.h"

namespace fm {
namespace {

namespace fs = std::filesystem;
using testing::ScopedEnv;
using testing::ScopedFakeOs;
using testing::ScopedTempFolder;

// The 32-bit view of the key as Wine writes it.
const std::string kWow =
    "[Software\\\\Wow6432Node\\\\Microsoft\\\\Microsoft Games\\\\Flight Simulator\\\\8.0] 1\n"
    "#time=1dd85cd8c931354\n";
constexpr char kValueMissing[] = "Cannot find FS2002 root folder (1)";

std::string Value(const std::string& escaped) { return "\"EXE Path\"=\"" + escaped + "\"\n"; }

// A prefix as wineboot lays it out (dosdevices/c: -> ../drive_c),
// with d: leading to a folder elsewhere, and this registry text.
std::string MakePrefix(const ScopedTempFolder& temp, const std::string& registry) {
  const std::string prefix = temp.Join("prefix");
  fs::create_directories(prefix + "/dosdevices");
  fs::create_directories(temp.Join("D drive"));
  fs::create_directory_symlink("../drive_c", prefix + "/dosdevices/c:");
  fs::create_directory_symlink(temp.Join("D drive"), prefix + "/dosdevices/d:");
  EXPECT_TRUE(WriteFileBytes(prefix + "/system.reg", "WINE REGISTRY Version 2\n\n" + registry));
  return prefix;
}

// The installation folder as FindFsRoot gives it, or the text of its box
// (the program ends with exit code 1).
std::string FindFsRootOrBox() {
  ScopedFakeOs os;
  try {
    return FindFsRoot();
  } catch (const testing::ProcessEnded& ended) {
    EXPECT_EQ(ended.exitCode, 1);
    return os.boxes.size() == 1 ? os.boxes[0].text : "boxes: " + std::to_string(os.boxes.size());
  }
}

TEST(WinePrefix, ReadsTheFs2002KeyOfTheRegistryFile) {
  const struct {
    std::string registry;
    std::string expected;  // below the prefix ("D drive/" leads elsewhere), or the box
  } cases[] = {
      // The key in both views (the plain one sorts first): the 32-bit one decides.
      {"[Software\\\\Microsoft\\\\Microsoft Games\\\\Flight Simulator\\\\8.0] 1796594576\n" +
           Value("C:\\\\FS64") + kWow + Value("C:\\\\FS32"),
       "prefix/drive_c/FS32"},
      // A blank, non-ASCII units (four digits before a hex digit), a
      // surrogate pair, and ".." that stays on the drive.
      {kWow + Value(R"(C:\\..\\Jeux \x00e9d\xe9\\FS 2002 \xd83d\xde80)"),
       "prefix/drive_c/Jeux \xC3\xA9"
       "d\xC3\xA9/FS 2002 \xF0\x9F\x9A\x80"},
      {kWow + Value(R"(D:\\Games\\FS2002)"), "D drive/Games/FS2002"},
      {kWow + "\"Version\"=\"8.0\"\n", kValueMissing},
  };
  ScopedEnv root("FLEETMIX_FS_ROOT", std::nullopt);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.registry);
    ScopedTempFolder temp("wine_prefix_tmp");
    ScopedEnv wine("WINEPREFIX", MakePrefix(temp, c.registry));
    const bool asIs = c.expected.rfind("Cannot", 0) == 0;
    EXPECT_EQ(FindFsRootOrBox(), asIs ? c.expected : temp.Join(c.expected));
  }
}

TEST(WinePrefix, WindowsProgramsStartThroughWine) {
  ScopedTempFolder temp("wine_exe_tmp");
  // A stand-in for wine on the PATH: the probe, which records its arguments.
  fs::create_directories(temp.Join("bin"));
  fs::create_directories(temp.Join("work"));
  ASSERT_TRUE(NativeOs()
                  .WriteWholeFile(temp.Join("bin/wine"),
                                  NativeOs().FindPayload(FM_PROBE_PAYLOAD).bytes, true)
                  .ok());
  ScopedEnv path("PATH", temp.Join("bin"));
  const std::string record = temp.Join("record.txt");
  ScopedEnv recordTo("FLEETMIX_PROBE_RECORD", record);
  // A relative path names the file from here.
  ASSERT_TRUE(
      NativeOs()
          .StartProcess("\"wine_exe_tmp/tools dir/Tool.EXE\" /np", true, false, temp.Join("work"))
          .status.ok);
  EXPECT_EQ(testing::ReadWholeFile(record),
            fs::current_path().string() + "/wine_exe_tmp/tools dir/Tool.EXE\r\n/np\r\n");
}

}  // namespace
}  // namespace fm
