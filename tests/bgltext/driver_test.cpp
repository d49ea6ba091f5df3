// The driver: the command line, output names, writes that fail, and the
// executable's exit statuses.
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

namespace bgltest {
namespace {

constexpr char kBanner[] = "BGLTEXT: MSFS/CFS Scenery Disassembler for Terrasm/SCASM ver 2.2\n\n";
constexpr char kUsage[] =
    "usage: bgltext [options] <bglfile> [<output file/directory>]\n  options:\n"
    "     -seq      : sequenced label\n     -terrasm  : Terrasm compatible\n"
    "     -fs98lib  : FS98 library compatible\n     -multi    : output to multiple files\n";
constexpr char kBoxText[] =
    "BGLTEXT is a console application and needs command line parameters.\n"
    "You must execute it in command prompt(DOS prompt). Read the documents!";

// Only a command line without arguments shows the error box.
TEST(Driver, BadCommandLinesEndTheRunWithTheUsage) {
  std::vector<std::pair<std::string, std::string>> boxes;
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"-Seq", "x.bgl"}, {"x.bgl", "b.sca", "c.sca"}, {}}) {
    std::string text;
    bgltext::Console console(&text);
    EXPECT_EQ(bgltext::RunBgltext(
                  args, console,
                  [&](const char* caption, const char* box) { boxes.emplace_back(caption, box); }),
              1);
    EXPECT_EQ(Lf(text), std::string(kBanner) + kUsage);
  }
  EXPECT_EQ(boxes, (std::vector<std::pair<std::string, std::string>>{{"Error", kBoxText}}));
}

TEST(Driver, OutputNames) {
  bgltext::RunOptions options;  // options may follow the files
  std::string console;
  bgltext::Console quiet(&console);
  ASSERT_TRUE(bgltext::ParseCommandLine({"x.bgl", "out", "-seq", "-terrasm"}, options, quiet, {}));
  EXPECT_TRUE(options.sequencedLabels && options.terrasm && options.outputPath == "out");
  // Without an output path: the input path with its extension replaced.
  options = {};
  options.terrasm = true;
  EXPECT_EQ(RunBgl(WalkBuilder().Build(), options).files.count("in.trm"), 1u);
  // The dot of a directory; no dot at all: the whole path; a dot in the
  // first place only is no extension.
  for (auto [input, output] : {std::pair{"maps.old/file", "maps.sca"},
                               {"plain", "plain.sca"},
                               {"a.b.bgl", "a.b.sca"},
                               {".bgl", ".bgl.sca"}})
    EXPECT_EQ(bgltext::DefaultOutputPath(input, ".sca"), output);
  options = MultiOptions();  // a control file that cannot be written
  options.failingOutput = MultiPath("bglbind.ctl");
  EXPECT_EQ(RunBgl(WalkBuilder().Build(), options).status, -1);
}

#if defined(BGLTEXT_EXE) && !defined(_WIN32)
// Runs the executable with these arguments; its exit status and standard
// output.
std::pair<int, std::string> RunExe(const std::string& args) {
  const int status = std::system((BGLTEXT_EXE " " + args + " > bgtdrv.log").c_str());
  std::ifstream in("bgtdrv.log", std::ios::binary);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1000,
          std::string(std::istreambuf_iterator<char>(in), {})};
}

// A file that cannot take the text (every write and close is checked)
// fails the run with -1.
TEST(Driver, ExecutableExitStatusesAndOutput) {
  const std::vector<uint8_t> bytes = WalkBuilder().Build();
  std::ofstream("bgtdrv.bgl", std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  const std::pair<std::string, std::pair<int, std::string>> cases[] = {
      {"", {1, std::string(kBanner) + kUsage + kBoxText + "\n"}},
      {"missing.bgl", {255, std::string(kBanner) + "Can't open file : missing.bgl\n"}},
      {"bgtdrv.bgl no_such_dir/out.sca",
       {255, std::string(kBanner) + "can't open file : no_such_dir/out.sca\n"}},
  };
  for (const auto& [args, expected] : cases) EXPECT_EQ(RunExe(args), expected) << args;
  const auto [status, console] = RunExe("bgtdrv.bgl /dev/full");
  EXPECT_EQ(status, 255);
  EXPECT_TRUE(EndsWith(console, "can't write file : /dev/full\n"));
  // Many files go to a new directory, named by the input path without its
  // extension when not given.
  EXPECT_EQ(RunExe("-multi bgtdrv.bgl").first, 0);
  EXPECT_TRUE(std::ifstream("bgtdrv/bglbind.ctl").good());
  std::filesystem::remove_all("bgtdrv");
  std::remove("bgtdrv.bgl");
  std::remove("bgtdrv.log");
}
#endif

}  // namespace
}  // namespace bgltest
