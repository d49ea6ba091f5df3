// The driver with real files: the command line, output names, long paths,
// writes that fail, and the executable's exit statuses.
#include <gtest/gtest.h>

#include <cstdio>
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

TEST_F(Driver, BadCommandLinesGiveUsageAndOnlyNoArgumentsTheErrorBox) {
  CliResult none = Cli({});
  EXPECT_EQ(none.status, 1);
  EXPECT_EQ(none.console, std::string(kBanner) + kUsage);
  EXPECT_EQ(none.boxes, (std::vector<std::pair<std::string, std::string>>{{"Error", kBoxText}}));
  std::string in = Write("x.bgl", UsualBuilder().Build());
  const std::vector<std::vector<std::string>> bad = {
      {"-seq"},                                    // an option alone
      {"-multi", "-terrasm", "-fs98lib", "-seq"},  // options only
      {"-Seq", in},                                // options are case-sensitive
      {"-x", in},                                  // not an option name
      {"-", in},                                   // the empty option name
      {in, "b.sca", "c.sca"},                      // a third file argument
  };
  for (const auto& args : bad) {
    CliResult r = Cli(args);
    EXPECT_EQ(r.status, 1) << args[0];
    EXPECT_EQ(r.console, std::string(kBanner) + kUsage) << args[0];
    EXPECT_TRUE(r.boxes.empty()) << args[0];
  }
}

TEST_F(Driver, MissingInputAndUnwritableOutputEndTheRunWithMinusOne) {
  std::string missing = (dir_ / "none.bgl").string();
  CliResult r = Cli({missing});
  EXPECT_EQ(r.status, -1);
  EXPECT_EQ(r.console, std::string(kBanner) + "Can't open file : " + missing + "\n");
  // The header output is opened before the header message is written.
  std::string in = Write("x.bgl", UsualBuilder().Build());
  std::string out = (dir_ / "no_such_dir" / "out.sca").string();
  r = Cli({in, out});
  EXPECT_EQ(r.status, -1);
  EXPECT_EQ(r.console, std::string(kBanner) + "can't open file : " + out + "\n");
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
  // The dot of a directory; no dot at all: the whole path.
  for (auto [input, output] :
       {std::pair{"maps.old/file", "maps.sca"}, {"plain", "plain.sca"}, {"a.b.bgl", "a.b.sca"}}) {
    EXPECT_EQ(Cli({Write(input, bytes)}).status, 0);
    EXPECT_TRUE(fs::exists(dir_ / output)) << input;
  }
  std::string out = (dir_ / "given.txt").string();  // options may follow the files
  EXPECT_EQ(Cli({x, out, "-seq"}).status, 0);
  EXPECT_EQ(Read(out), Read(dir_ / "t/x.trm"));
  // A dot in the first place only is no extension.
  EXPECT_EQ(bgltext::DefaultOutputPath(".bgl", ".sca"), ".bgl.sca");
}

TEST_F(Driver, MultiFileModeCreatesTheDirectory) {
  std::string in = Write("x.bgl", WalkBuilder().Build());
  EXPECT_EQ(Cli({"-multi", in, (dir_ / "out").string()}).status, 0);
  EXPECT_EQ(Read(dir_ / "out" / "bgt7.sca"), CrLf(Sorry(7)));
  EXPECT_EQ(Read(dir_ / "out" / "bgthead.txt"), CrLf(HeaderLines(WalkSlots())));
  EXPECT_EQ(Read(dir_ / "out" / "bglbind.ctl"),
            "; bglbind control file genereted by bgltext\r\noutput.bgl\t; output file name\r\n"
            "bgt7.bgl\r\nbgt20.bgl\r\nbgt21.bgl\r\n");
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
  std::string in = Write("in.bgl", UsualBuilder().Build());
  EXPECT_EQ(RunExe(in + " " + (dir_ / "out.sca").string(), log), 0);
  EXPECT_EQ(Read(dir_ / "out.sca"), CrLf(HeaderLines(Slots({}))));
  EXPECT_EQ(RunExe(in + " /dev/full", log), 255);
  EXPECT_TRUE(EndsWith(Read(log), "can't write file : /dev/full\n"));
}

#endif

}  // namespace
}  // namespace bgltest
