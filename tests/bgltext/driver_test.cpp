// The driver with real files: the command line, output names, long paths,
// writes that fail, and the executable's exit statuses.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#ifndef _WIN32
#include <sys/wait.h>
#endif

#include "bgltext/driver.h"
#include "tests/bgltext/run_helpers.h"
#include "tools/bglwriter/bgl_builder.h"

namespace bgltest {
namespace {

namespace fs = std::filesystem;

constexpr char kBanner[] = "BGLTEXT: MSFS/CFS Scenery Disassembler for Terrasm/SCASM ver 2.2\n\n";
constexpr char kUsage[] =
    "usage: bgltext [options] <bglfile> [<output file/directory>]\n  options:\n"
    "     -seq      : sequenced label\n     -terrasm  : Terrasm compatible\n"
    "     -fs98lib  : FS98 library compatible\n     -multi    : output to multiple files\n";
constexpr char kBoxText[] =
    "BGLTEXT is a console application and needs command line parameters.\n"
    "You must execute it in command prompt(DOS prompt). Read the documents!";

struct CliResult {
  int status = 0;
  std::string console;
  std::vector<std::pair<std::string, std::string>> boxes;
};

class Driver : public ::testing::Test {
 protected:
  void SetUp() override {
    static int counter = 0;  // short paths, well inside the program's path buffers
    dir_ = fs::temp_directory_path() / ("bgtdrv" + std::to_string(++counter));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Write(const fs::path& rel, const std::vector<uint8_t>& bytes) {
    fs::path p = dir_ / rel;
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return p.string();
  }
  static std::string Read(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  static CliResult Cli(const std::vector<std::string>& args) {
    CliResult r;
    bgltext::Console console(&r.console);
    r.status = bgltext::RunBgltext(args, console, [&](const char* caption, const char* text) {
      r.boxes.emplace_back(caption, text);
    });
    r.console = Lf(r.console);
    return r;
  }
  fs::path dir_;
};

// Only a command line without arguments shows the error box.
TEST_F(Driver, BadCommandLinesAndAnOutputThatCannotBeOpenedEndTheRun) {
  const std::string in = Write("x.bgl", UsualBuilder().Build());
  const std::string out = (dir_ / "no_such_dir" / "out.sca").string();
  const std::string usage = std::string(kBanner) + kUsage;
  const struct {
    std::vector<std::string> args;
    int status;
    std::string console;
  } cases[] = {
      {{}, 1, usage},
      {{"-Seq", in}, 1, usage},            // options are case-sensitive
      {{in, "b.sca", "c.sca"}, 1, usage},  // a third file argument
      {{in, out}, -1, std::string(kBanner) + "can't open file : " + out + "\n"},
  };
  for (const auto& c : cases) {
    const CliResult r = Cli(c.args);
    EXPECT_EQ(r.status, c.status) << c.console;
    EXPECT_EQ(r.console, c.console);
    EXPECT_EQ(r.boxes.size(), c.args.empty() ? 1u : 0u);
  }
  EXPECT_EQ(Cli({}).boxes, (std::vector<std::pair<std::string, std::string>>{{"Error", kBoxText}}));
}

// The input path may be long, well within the program's path buffers.
TEST_F(Driver, DefaultOutputNamesCutAtTheLastDot) {
  std::vector<uint8_t> bytes = UsualBuilder().Build();
  std::string in = Write(std::string(140, 'i') + ".bgl", bytes);
  CliResult r = Cli({in});
  EXPECT_EQ(r.console,
            std::string(kBanner) + "Anaylizing BGL Header\n" + WalkConsole({}) + "Done.\n\n");
  EXPECT_EQ(Read(dir_ / (std::string(140, 'i') + ".sca")), CrLf(HeaderLines(Slots({}))));
  std::string x = Write("t/x.bgl", bytes);
  EXPECT_EQ(Cli({"-terrasm", x}).status, 0);
  EXPECT_TRUE(fs::exists(dir_ / "t/x.trm"));
  EXPECT_FALSE(fs::exists(dir_ / "t/x.sca"));
  std::string out = (dir_ / "given.txt").string();  // options may follow the files
  EXPECT_EQ(Cli({x, out, "-seq"}).status, 0);
  EXPECT_EQ(Read(out), Read(dir_ / "t/x.trm"));
  // The dot of a directory; no dot at all: the whole path; a dot in the
  // first place only is no extension.
  for (auto [input, output] : {std::pair{"maps.old/file", "maps.sca"},
                               {"plain", "plain.sca"},
                               {"a.b.bgl", "a.b.sca"},
                               {".bgl", ".bgl.sca"}})
    EXPECT_EQ(bgltext::DefaultOutputPath(input, ".sca"), output);
}

TEST_F(Driver, MultiFileModeCreatesTheDirectory) {
  std::string in = Write("x.bgl", WalkBuilder().Build());
  EXPECT_EQ(Cli({"-multi", in, (dir_ / "out").string()}).status, 0);
  EXPECT_TRUE(fs::exists(dir_ / "out" / "bglbind.ctl"));
  // A directory that already ends in a separator.
  EXPECT_EQ(Cli({"-multi", in, (dir_ / "out2").string() + "/"}).status, 0);
  EXPECT_TRUE(fs::exists(dir_ / "out2" / "bgt21.sca"));
  // With no directory the input path without its extension names it.
  EXPECT_EQ(Cli({"-multi", in}).status, 0);
  EXPECT_TRUE(fs::exists(dir_ / "x" / "bgthead.txt"));
  bgltext::RunOptions options = MultiOptions();  // a control file that cannot be written
  options.failingOutput = MultiPath("bglbind.ctl");
  EXPECT_EQ(RunBgl(WalkBuilder().Build(), options).status, -1);
}

#if defined(BGLTEXT_EXE) && !defined(_WIN32)
// Runs the executable with these arguments and standard output into a
// file; its exit status.
int RunExe(const std::string& args, const std::string& stdoutFile) {
  const int status = std::system((BGLTEXT_EXE " " + args + " > " + stdoutFile).c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1000;
}

// The exit statuses; a file that cannot take the text (every write and
// close is checked) fails the run with -1. (Peak memory on hostile files:
// tests/faults.)
TEST_F(Driver, ExecutableExitStatusesAndOutput) {
  std::string log = (dir_ / "log.txt").string();
  EXPECT_EQ(RunExe("", log), 1);
  EXPECT_EQ(Read(log), std::string(kBanner) + kUsage + kBoxText + "\n");
  EXPECT_EQ(RunExe("missing.bgl", log), 255);  // exit status -1
  EXPECT_EQ(Read(log), std::string(kBanner) + "Can't open file : missing.bgl\n");
  const std::string in = Write("in.bgl", UsualBuilder().Build());
  EXPECT_EQ(RunExe(in + " /dev/full", log), 255);
  EXPECT_TRUE(EndsWith(Read(log), "can't write file : /dev/full\n"));
}

#endif

}  // namespace
}  // namespace bgltest
