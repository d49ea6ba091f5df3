// The command line, output naming, the header file, the section walk's
// console lines, single-file and multi-file output with the control files,
// and the real executable's exit statuses.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#ifdef _WIN32
#include <direct.h>
#define rmdir _rmdir
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "bgltext/driver.h"
#include "tests/bgltext/bgl_builder.h"
#include "tests/bgltext/run_helpers.h"

namespace bgltest {
namespace {

const std::string kBanner = "BGLTEXT: MSFS/CFS Scenery Disassembler for Terrasm/SCASM ver 2.2\n\n";
const std::string kUsage =
    "usage: bgltext [options] <bglfile> [<output file/directory>]\n"
    "  options:\n"
    "     -seq      : sequenced label\n"
    "     -terrasm  : Terrasm compatible\n"
    "     -fs98lib  : FS98 library compatible\n"
    "     -multi    : output to multiple files\n";
const std::string kBoxText =
    "BGLTEXT is a console application and needs command line parameters.\n"
    "You must execute it in command prompt(DOS prompt). Read the documents!";

struct CommandLine {
  int status;
  std::string console;
  int boxes = 0;
  std::string boxCaption, boxText;
};

CommandLine RunArgs(const std::vector<std::string>& args) {
  CommandLine r{};
  bgltext::Console c(&r.console);
  r.status = bgltext::RunBgltext(args, c, [&](const char* caption, const char* text) {
    ++r.boxes;
    r.boxCaption = caption;
    r.boxText = text;
  });
  return r;
}

TEST(CommandLine, NoArgumentsGiveUsageThenTheBox) {
  auto r = RunArgs({});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.console, kBanner + kUsage);
  EXPECT_EQ(r.boxes, 1);
  EXPECT_EQ(r.boxCaption, "Error");
  EXPECT_EQ(r.boxText, kBoxText);
}

TEST(CommandLine, RefusedArgumentListsGiveUsageWithoutBox) {
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"-seq"},                     // an option but no BGL file
           {"-Seq", "x.bgl"},            // options are case-sensitive
           {"-x", "x.bgl"},              // unknown option
           {"a.bgl", "b.sca", "c.sca"},  // a third file argument
           {"-", "x.bgl"},               // empty option name
       }) {
    auto r = RunArgs(args);
    EXPECT_EQ(r.status, 1) << args[0];
    EXPECT_EQ(r.console, kBanner + kUsage) << args[0];
    EXPECT_EQ(r.boxes, 0);
  }
}

TEST(CommandLine, OptionsMayStandAnywhere) {
  bgltext::RunOptions o;
  std::string console;
  bgltext::Console c(&console);
  ASSERT_TRUE(bgltext::ParseCommandLine({"in.bgl", "-multi", "dir", "-seq", "-terrasm", "-fs98lib"},
                                        o, c, nullptr));
  EXPECT_EQ(o.inputPath, "in.bgl");
  EXPECT_EQ(o.outputPath, "dir");
  EXPECT_TRUE(o.multiFile && o.sequencedLabels && o.terrasm && o.fs98Library);
}

TEST(OutputNaming, DefaultOutputCutsAtTheLastDotAfterTheFirstCharacter) {
  EXPECT_EQ(bgltext::DefaultOutputPath("x.bgl", ".sca"), "x.sca");
  EXPECT_EQ(bgltext::DefaultOutputPath("x.bgl", ".trm"), "x.trm");
  EXPECT_EQ(bgltext::DefaultOutputPath("C:\\maps.old\\file", ".sca"), "C:\\maps.sca");
  EXPECT_EQ(bgltext::DefaultOutputPath("a.b.c", ".sca"), "a.b.sca");
  EXPECT_EQ(bgltext::DefaultOutputPath("noext", ".sca"), "noext.sca");
  EXPECT_EQ(bgltext::DefaultOutputPath(".bgl", ".sca"), ".bgl.sca");
}

TEST(OutputNaming, RunsWriteWhereTheOptionsSay) {
  BglBuilder b;
  bgltext::RunOptions o;
  o.inputPath = "dir/x.bgl";
  EXPECT_EQ(RunBgl(b.Build(), o).files.count("dir/x.sca"), 1u);
  o.terrasm = true;
  EXPECT_EQ(RunBgl(b.Build(), o).files.count("dir/x.trm"), 1u);
  o.outputPath = "given.txt";
  EXPECT_EQ(RunBgl(b.Build(), o).files.count("given.txt"), 1u);
  // Multi-file mode without a directory uses the input path without its
  // extension.
  bgltext::RunOptions m;
  m.inputPath = "x.bgl";
  m.multiFile = true;
  auto r = RunBgl(b.Build(), m);
  EXPECT_EQ(r.files.count(std::string("x") + bgltext::kPathSeparator + "bgthead.txt"), 1u);
}

BglBuilder HeaderSample() {
  BglBuilder b;
  b.SceneryId(0xBEEF).Bounds(5000875, -5000875, 0x40000000u, 0xC0000000u).Frequencies(0x10, 0x20);
  for (int v = 0; v < 9; ++v) b.Value(v, static_cast<uint16_t>(0x100 + v));
  return b;
}

std::string HeaderLines(const std::vector<uint32_t>& slots) {
  std::ostringstream s;
  s << ";;; Disassembled by bgltext ver 2.2\n;;; BGL header info\n;scenery id:\t0xbeef\n"
    << ";max north:\tN45:0:0.00\n;min north:\tS45:0:0.00\n;max east:\tE90:0:0.00\n;min "
       "east:\tW90:0:0.00\n";
  for (int n = 0; n < 22; ++n) {
    char line[64];
    std::snprintf(line, sizeof line, ";sec%d point:\t0x%x\n", n, slots[n]);
    s << line;
    if (n == 0) s << ";min freq:\t0x10\n;max freq:\t0x20\n";
    if (n == 15)
      for (int v = 0; v < 8; ++v) s << ";value" << v << ":\t0x10" << v << "\n";
    if (n == 21) s << ";value8:\t\t0x108\n";
  }
  return s.str();
}

TEST(HeaderAndWalk, EmptyHeaderWritesHeaderLinesAndNoSection) {
  auto r = RunBgl(HeaderSample().Build());
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(SingleText(r), HeaderLines(std::vector<uint32_t>(22, 0)));
  std::string console = "Anaylizing BGL Header\n";
  for (int n = 0; n < 22; ++n)
    console += "Analyzing section " + std::to_string(n) + "... does not exist\n";
  EXPECT_EQ(r.console, console + "Done.\n\n");
}

TEST(HeaderAndWalk, FilesAreWrittenWithCrLf) {
  auto r = RunBgl(HeaderSample().Build());
  EXPECT_EQ(r.files.at(kSingleOutput), CrLf(HeaderLines(std::vector<uint32_t>(22, 0))));
}

TEST(HeaderAndWalk, UndecodableSectionsInSingleFileMode) {
  BglBuilder b = HeaderSample();
  b.Slot(7, 0x80).Slot(12, 0x80).Slot(20, 0x100);  // an old-style section 20 offset
  b.Body().Fill(16);
  auto r = RunBgl(b.Build());
  EXPECT_EQ(r.status, 0);
  std::vector<uint32_t> slots(22, 0);
  slots[7] = slots[12] = 0x80;
  slots[20] = 0x100;
  EXPECT_EQ(SingleText(r), HeaderLines(slots) +
                               "\n;;; sorry, bgltext can't decode section 7\n"
                               "\n;;; sorry, bgltext can't decode section 12\n");
  EXPECT_NE(r.console.find("Analyzing section 7...\n;;; sorry, bgltext can't decode section 7\n"
                           "Analyzing section 8... does not exist\n"),
            std::string::npos)
      << r.console;
  // Section 20 without the marker: reported, nothing written.
  EXPECT_NE(r.console.find("Analyzing section 20...\nAnalyzing section 21"), std::string::npos);
}

TEST(MultiFile, ControlFilesAndUndecodableSectionFiles) {
  BglBuilder b = HeaderSample();
  b.Slot(8, 0x80).Slot(21, 0x80);
  auto r = RunBgl(b.Build(), MultiOptions());
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(MultiText(r, "bgthead.txt"), HeaderLines([] {
              std::vector<uint32_t> s(22, 0);
              s[8] = s[21] = 0x80;
              return s;
            }()));
  EXPECT_EQ(MultiText(r, "bgt8.sca"), ";;; sorry, bgltext can't decode section 8\n");
  EXPECT_EQ(MultiText(r, "bgt21.sca"), ";;; sorry, bgltext can't decode section 21\n");
  EXPECT_EQ(MultiText(r, "bglbind.ctl"),
            "; bglbind control file genereted by bgltext\n"
            "output.bgl\t; output file name\n"
            "bgt8.bgl\nbgt21.bgl\n");
  EXPECT_EQ(MultiText(r, "compall.bat"),
            "rem - compile batch file genereted by bgltext\n"
            "scasm bgt8.sca bgt8.bgl\nscasm bgt21.sca bgt21.bgl\n");
  EXPECT_EQ(r.files.count(MultiPath("main.trm")), 0u);
}

TEST(MultiFile, TerrasmModeWritesTheIncludeList) {
  BglBuilder b = HeaderSample();
  b.Slot(17, 0x80);
  auto o = MultiOptions();
  o.terrasm = true;
  auto r = RunBgl(b.Build(), o);
  EXPECT_EQ(MultiText(r, "main.trm"), "// Genereted by bgltext\ninclude( bgt17.trm )\n");
  EXPECT_EQ(MultiText(r, "bgt17.trm"), ";;; sorry, bgltext can't decode section 17\n");
  EXPECT_EQ(r.files.count(MultiPath("bglbind.ctl")), 0u);
  EXPECT_EQ(r.files.count(MultiPath("bgthead.txt")), 1u);
}

TEST(MultiFile, DirectoryEndingInASeparatorGetsNoSecond) {
  BglBuilder b;
  auto o = MultiOptions();
  o.outputPath = std::string("out") + bgltext::kPathSeparator;
  auto r = RunBgl(b.Build(), o);
  EXPECT_EQ(r.files.count(MultiPath("bgthead.txt")), 1u);
}

TEST(Failures, TruncatedHeaderEndsWithFailureStatus) {
  std::vector<uint8_t> file(60, 0);
  auto r = RunBgl(file);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.console, "Anaylizing BGL Header\n");
  std::string text = SingleText(r);
  EXPECT_EQ(text.substr(text.size() - 7), "EOF!!!\n");
}

// --- real files and the executable --------------------------------------------

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

TEST(RealFiles, OutputThatCannotBeCreatedEndsWithMinusOne) {
  WriteBytes("driver_test_in.bgl", HeaderSample().Build());
  auto r = RunArgs({"driver_test_in.bgl", "no_such_dir/out.sca"});
  EXPECT_EQ(r.status, -1);
  EXPECT_NE(r.console.find("can't open file : no_such_dir/out.sca\n"), std::string::npos)
      << r.console;
  std::remove("driver_test_in.bgl");
}

TEST(RealFiles, LongPathsWork) {
  std::string in(140, 'i');
  in += ".bgl";
  WriteBytes(in, HeaderSample().Build());
  auto r = RunArgs({in});
  EXPECT_EQ(r.status, 0) << r.console;
  std::string out = in.substr(0, 140) + ".sca";
  EXPECT_EQ(ReadFile(out), CrLf(HeaderLines(std::vector<uint32_t>(22, 0))));
  std::remove(in.c_str());
  std::remove(out.c_str());
}

TEST(RealFiles, MultiFileModeCreatesItsDirectory) {
  BglBuilder b = HeaderSample();
  b.Slot(18, 0x80);
  WriteBytes("driver_multi_in.bgl", b.Build());
  auto r = RunArgs({"-multi", "driver_multi_in.bgl", "driver_multi_out"});
  ASSERT_EQ(r.status, 0) << r.console;
  const std::string dir = std::string("driver_multi_out") + bgltext::kPathSeparator;
  EXPECT_EQ(ReadFile(dir + "bgt18.sca"), CrLf(";;; sorry, bgltext can't decode section 18\n"));
  EXPECT_EQ(ReadFile(dir + "bglbind.ctl"),
            CrLf("; bglbind control file genereted by bgltext\noutput.bgl\t; output file "
                 "name\nbgt18.bgl\n"));
  for (const char* f : {"bgt18.sca", "bglbind.ctl", "compall.bat", "bgthead.txt"})
    std::remove((dir + f).c_str());
  rmdir("driver_multi_out");
  std::remove("driver_multi_in.bgl");
}

#if defined(BGLTEXT_EXE) && !defined(_WIN32)
int RunExe(const std::string& args, const std::string& stdoutFile) {
  int rc =
      std::system((std::string("\"") + BGLTEXT_EXE + "\" " + args + " > " + stdoutFile).c_str());
  return WIFEXITED(rc) ? WEXITSTATUS(rc) : -1000;
}

TEST(Executable, ExitStatusesAndOutput) {
  EXPECT_EQ(RunExe("", "exe_noargs.txt"), 1);
  EXPECT_EQ(ReadFile("exe_noargs.txt"), kBanner + kUsage + kBoxText + "\n");
  EXPECT_EQ(RunExe("missing.bgl", "exe_missing.txt"), 255);  // exit status -1
  EXPECT_EQ(ReadFile("exe_missing.txt"), kBanner + "Can't open file : missing.bgl\n");
  WriteBytes("exe_in.bgl", HeaderSample().Build());
  EXPECT_EQ(RunExe("exe_in.bgl exe_out.sca", "exe_ok.txt"), 0);
  EXPECT_EQ(ReadFile("exe_out.sca"), CrLf(HeaderLines(std::vector<uint32_t>(22, 0))));
  for (const char* f :
       {"exe_noargs.txt", "exe_missing.txt", "exe_ok.txt", "exe_in.bgl", "exe_out.sca"})
    std::remove(f);
}
#endif

}  // namespace
}  // namespace bgltest
