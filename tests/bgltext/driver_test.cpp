// The driver: the command line, output names, writes that fail, and the
// executable's exit statuses.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#ifndef _WIN32
#include <sys/wait.h>
#endif

#include "tests/bgltext/run_helpers.h"

namespace bgltest {
namespace {

TEST(Driver, OutputNames) {
  // Without an output path: the input path with its extension replaced.
  // The dot of a directory is no extension; the last dot is.
  for (auto [input, output] : {std::pair{"maps.old/file", "maps.sca"}, {"a.b.bgl", "a.b.sca"}})
    EXPECT_EQ(bgltext::DefaultOutputPath(input, ".sca"), output);
  bgltext::RunOptions options = MultiOptions();  // a control file that cannot be written
  options.failingOutput = MultiPath("bglbind.ctl");
  EXPECT_EQ(RunBgl(WalkBuilder().Build(), options).status, -1);
}

#if defined(BGLTEXT_EXE) && !defined(_WIN32)
constexpr char kBanner[] = "BGLTEXT: MSFS/CFS Scenery Disassembler for Terrasm/SCASM ver 2.2\n\n";
constexpr char kUsage[] =
    "usage: bgltext [options] <bglfile> [<output file/directory>]\n  options:\n"
    "     -seq      : sequenced label\n     -terrasm  : Terrasm compatible\n"
    "     -fs98lib  : FS98 library compatible\n     -multi    : output to multiple files\n";
constexpr char kBoxText[] =
    "BGLTEXT is a console application and needs command line parameters.\n"
    "You must execute it in command prompt(DOS prompt). Read the documents!";

// Runs the executable with these arguments; its exit status and standard
// output.
std::pair<int, std::string> RunExe(const std::string& args) {
  const int status = std::system((BGLTEXT_EXE " " + args + " > bgtdrv.log").c_str());
  std::ifstream in("bgtdrv.log", std::ios::binary);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1000,
          std::string(std::istreambuf_iterator<char>(in), {})};
}

// Only a command line without arguments shows the error box. A file that
// cannot take the text (every write and close is checked) fails the run
// with -1.
TEST(Driver, ExecutableExitStatusesAndOutput) {
  const std::vector<uint8_t> bytes = WalkBuilder().Build();
  std::ofstream("bgtdrv.bgl", std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  const std::pair<std::string, std::pair<int, std::string>> cases[] = {
      {"", {1, std::string(kBanner) + kUsage + kBoxText + "\n"}},
      {"-Seq bgtdrv.bgl", {1, std::string(kBanner) + kUsage}},
      {"bgtdrv.bgl b.sca c.sca", {1, std::string(kBanner) + kUsage}},
      {"missing.bgl", {255, std::string(kBanner) + "Can't open file : missing.bgl\n"}},
      {"bgtdrv.bgl no_such_dir/out.sca",
       {255, std::string(kBanner) + "can't open file : no_such_dir/out.sca\n"}},
  };
  for (const auto& [args, expected] : cases) EXPECT_EQ(RunExe(args), expected) << args;
  const auto [status, console] = RunExe("bgtdrv.bgl /dev/full");
  EXPECT_EQ(status, 255);
  EXPECT_TRUE(EndsWith(console, "can't write file : /dev/full\n"));
  // Many files go to a new directory, named by the input path without its
  // extension when not given; options may follow the files.
  EXPECT_EQ(RunExe("bgtdrv.bgl -multi").first, 0);
  EXPECT_TRUE(std::ifstream("bgtdrv/bglbind.ctl").good());
  std::filesystem::remove_all("bgtdrv");
  std::remove("bgtdrv.bgl");
  std::remove("bgtdrv.log");
}
#endif

}  // namespace
}  // namespace bgltest
