// The traffic tools as the wizard carries them, programs 134 and 135 (their
// round trip runs in the page and whole-wizard tests): they refuse what is
// not theirs with one line and a non-zero status, leave the installed
// traffic alone when they fail, and give way to a user's own tool lying
// beside the program.
#include <gtest/gtest.h>

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
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace fm {
namespace {

using testing::FixtureInstallation;
using testing::ScopedTempFolder;

constexpr int kDecompiler = 134;
constexpr int kCompiler = 135;

class TrafficToolProgramsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(installation.IsReady());
    ASSERT_TRUE(installation.PointSystemAtRoot());
  }

  // Runs the program as the wizard does, in the working folder: its exit
  // status, and on POSIX what it printed into `printed`.
  int Run(int id, std::string* printed) {
    ExtractedTool tool = ExtractTool(id);
    EXPECT_FALSE(tool.Empty());
    const std::string commandLine = TrafficToolCommandLine(tool.Path());
#if defined(_WIN32)
    if (printed) printed->clear();
    return Os().StartProcess(commandLine, true, false, installation.WorkFolder()).exitCode;
#else
    ::testing::internal::CaptureStdout();  // the child writes into the same files
    ::testing::internal::CaptureStderr();
    const ProcessResult result =
        Os().StartProcess(commandLine, true, false, installation.WorkFolder());
    const std::string errors = ::testing::internal::GetCapturedStderr();
    const std::string output = ::testing::internal::GetCapturedStdout();
    if (printed) *printed = output + errors;
    return result.exitCode;
#endif
  }

  std::string Installed() const {
    std::string bytes;
    ReadFileBytes(installation.TrafficBglPath(), bytes);
    return bytes;
  }
  bool WorkHas(const char* name) const { return IsRegularFile(installation.WorkPath(name)); }

  FixtureInstallation installation;
  ScopedTempFolder temp{"tool_programs_tmp"};
};

// The in-process tests give every refusal; the program prints its one line.
TEST_F(TrafficToolProgramsTest, AForeignTrafficFileIsRefusedWithOneLine) {
  installation.SetTrafficBgl(std::string("\x01\x00\x00\x00\x38\x00\x00\x00", 8) +
                             std::string(500, '\x7F'));
  std::string printed;
  EXPECT_EQ(Run(kDecompiler, &printed), 1);
  EXPECT_FALSE(WorkHas("Aircraft.txt") || WorkHas("FlightPlans.txt") || WorkHas("Airports.txt"));
#if !defined(_WIN32)
  const std::string start = "trafficdecompiler: " + installation.TrafficBglPath() +
                            " is not a traffic file of the Fleetmix traffic tools";
  EXPECT_EQ(printed.rfind(start, 0), 0u) << printed;
  EXPECT_EQ(printed.find('\n'), printed.size() - 1) << "one line: " << printed;
#endif
}

#if !defined(_WIN32)
// A disk that fills while the compiler writes: the file-size limit makes
// every write beyond it fail, as a full disk does.
TEST_F(TrafficToolProgramsTest, AFullDiskLeavesTheInstalledTrafficWhole) {
  const std::string installed = EncodeTrafficFile({"old", "old plans", "old airports"});
  installation.SetTrafficBgl(installed);
  installation.WorkFileBytes("Aircraft.txt", "AC#1,1,\"a\"\r\n");
  installation.WorkFileBytes("FlightPlans.txt", std::string(400000, 'p'));
  installation.WorkFileBytes("Airports.txt", "EGLL\r\n");

  ExtractedTool compiler = ExtractTool(kCompiler);
  ASSERT_FALSE(compiler.Empty());
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const rlimit limit{64 * 1024, 64 * 1024};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    ::signal(SIGXFSZ, SIG_IGN);
    const int null = ::open("/dev/null", O_WRONLY);
    ::dup2(null, 2);
    if (::chdir(installation.WorkFolder().c_str()) == 0) {
      ::execl(compiler.Path().c_str(), compiler.Path().c_str(), "/np", static_cast<char*>(nullptr));
    }
    ::_exit(127);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1);
  EXPECT_EQ(Installed(), installed);
  std::vector<DirEntry> beside;
  ASSERT_TRUE(ListDirectory(installation.RootPath("SCENEDB/ATC/SCENERY"), "*", beside));
  EXPECT_EQ(beside.size(), 1u) << "no half-written file is left beside the installed one";
}
#endif

// A user's own tool, named as the README says and lying beside the running
// program, is copied out and run instead of the embedded one; only the copy
// goes afterwards. The compiler, standing in for a user's decompiler, shows
// which program ran.
TEST_F(TrafficToolProgramsTest, AToolBesideTheProgramTakesThePlaceOfTheEmbeddedOne) {
  testing::ScopedFakeOs os;
  os.modulePath = JoinPath(temp.Path(), "fleetmix.exe");
  const std::string_view compilerBytes = NativeOs().FindPayload(kCompiler).bytes;
  const std::string beside = JoinPath(temp.Path(), ReplacementToolName(kDecompiler));
  ASSERT_TRUE(WriteFileBytes(beside, compilerBytes));
  installation.WorkFileBytes("Aircraft.txt", "user aircraft");
  installation.WorkFileBytes("FlightPlans.txt", "user plans");
  installation.WorkFileBytes("Airports.txt", "user airports");

  std::string copy;
  {
    ExtractedTool tool = ExtractTool(kDecompiler);
    ASSERT_FALSE(tool.Empty());
    copy = tool.Path();
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(copy, bytes));
    EXPECT_TRUE(bytes == compilerBytes);
    EXPECT_NE(copy, beside);
    ASSERT_TRUE(RunTool(TrafficToolCommandLine(copy), true, false, installation.WorkFolder()));
  }
  TrafficTexts texts;
  const std::string installed = Installed();
  ASSERT_EQ(DecodeTrafficFile(installed, texts), TrafficFileProblem::kNone);
  EXPECT_EQ(texts.flightPlans, "user plans");
  EXPECT_FALSE(PathExists(copy)) << "the copy goes after the run";
  EXPECT_TRUE(IsRegularFile(beside)) << "the user's tool stays";
  EXPECT_TRUE(os.boxes.empty());

  // Without the file beside the program the embedded decompiler runs again.
  ASSERT_TRUE(RemoveFile(beside));
  ExtractedTool embedded = ExtractTool(kDecompiler);
  std::string bytes;
  ASSERT_TRUE(ReadFileBytes(embedded.Path(), bytes));
  EXPECT_TRUE(bytes == NativeOs().FindPayload(kDecompiler).bytes);
}

}  // namespace
}  // namespace fm
