// Output naming, a header cut short, long paths, and the real executable's
// exit statuses.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#ifndef _WIN32
#include <sys/wait.h>
#endif

#include "bgltext/driver.h"
#include "tests/bgltext/bgl_builder.h"
#include "tests/bgltext/run_helpers.h"

namespace bgltest {
namespace {

TEST(OutputNaming, DefaultOutputCutsAtTheLastDotAfterTheFirstCharacter) {
  EXPECT_EQ(bgltext::DefaultOutputPath("C:\\maps.old\\file", ".sca"), "C:\\maps.sca");
  EXPECT_EQ(bgltext::DefaultOutputPath(".bgl", ".sca"), ".bgl.sca");
  // Multi-file mode without a directory uses the input path without its
  // extension.
  bgltext::RunOptions m;
  m.inputPath = "x.bgl";
  m.multiFile = true;
  auto r = RunBgl(BglBuilder().Build(), m);
  EXPECT_EQ(r.files.count(std::string("x") + bgltext::kPathSeparator + "bgthead.txt"), 1u);
}

TEST(Failures, TruncatedHeaderEndsWithFailureStatus) {
  auto r = RunBgl(std::vector<uint8_t>(60, 0));
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.console, "Anaylizing BGL Header\n");
  std::string text = SingleText(r);
  EXPECT_EQ(text.substr(text.size() - 7), "EOF!!!\n");
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// The header lines of an all-zero header.
std::string ZeroHeaderLines() {
  std::string s =
      ";;; Disassembled by bgltext ver 2.2\n;;; BGL header info\n;scenery id:\t0x0\n"
      ";max north:\tS0:0:0.00\n;min north:\tS0:0:0.00\n;max east:\tW0:0:0.00\n"
      ";min east:\tW0:0:0.00\n";
  for (int n = 0; n < 22; ++n) {
    s += ";sec" + std::to_string(n) + " point:\t0x0\n";
    if (n == 0) s += ";min freq:\t0x0\n;max freq:\t0x0\n";
    if (n == 15)
      for (int v = 0; v < 8; ++v) s += ";value" + std::to_string(v) + ":\t0x0\n";
  }
  return s + ";value8:\t\t0x0\n";
}

TEST(RealFiles, LongPathsWork) {
  std::string in(140, 'i');
  in += ".bgl";
  WriteBytes(in, BglBuilder().Build());
  std::string console;
  bgltext::Console c(&console);
  EXPECT_EQ(bgltext::RunBgltext({in}, c, nullptr), 0) << console;
  std::string out = in.substr(0, 140) + ".sca";
  EXPECT_EQ(ReadFile(out), CrLf(ZeroHeaderLines()));
  std::remove(in.c_str());
  std::remove(out.c_str());
}

#if defined(BGLTEXT_EXE) && !defined(_WIN32)
int RunExe(const std::string& args, const std::string& stdoutFile) {
  int rc =
      std::system((std::string("\"") + BGLTEXT_EXE + "\" " + args + " > " + stdoutFile).c_str());
  return WIFEXITED(rc) ? WEXITSTATUS(rc) : -1000;
}

TEST(Executable, ExitStatusesAndOutput) {
  const std::string banner = "BGLTEXT: MSFS/CFS Scenery Disassembler for Terrasm/SCASM ver 2.2\n\n";
  EXPECT_EQ(RunExe("", "exe_noargs.txt"), 1);
  EXPECT_EQ(
      ReadFile("exe_noargs.txt"),
      banner +
          "usage: bgltext [options] <bglfile> [<output file/directory>]\n  options:\n"
          "     -seq      : sequenced label\n     -terrasm  : Terrasm compatible\n"
          "     -fs98lib  : FS98 library compatible\n     -multi    : output to multiple files\n"
          "BGLTEXT is a console application and needs command line parameters.\n"
          "You must execute it in command prompt(DOS prompt). Read the documents!\n");
  EXPECT_EQ(RunExe("missing.bgl", "exe_missing.txt"), 255);  // exit status -1
  EXPECT_EQ(ReadFile("exe_missing.txt"), banner + "Can't open file : missing.bgl\n");
  WriteBytes("exe_in.bgl", BglBuilder().Build());
  EXPECT_EQ(RunExe("exe_in.bgl exe_out.sca", "exe_ok.txt"), 0);
  EXPECT_EQ(ReadFile("exe_out.sca"), CrLf(ZeroHeaderLines()));
  for (const char* f :
       {"exe_noargs.txt", "exe_missing.txt", "exe_ok.txt", "exe_in.bgl", "exe_out.sca"})
    std::remove(f);
}
#endif

}  // namespace
}  // namespace bgltest
