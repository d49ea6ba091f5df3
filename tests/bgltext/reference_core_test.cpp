// Reference texts for the bgltext core: the command line, the header lines and
// the coordinate text form, the section walk with its output and control
// files, LatRange and latitude-band files, labels, and the airport/facility
// directory. Every expected text is typed from the program's line formats.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "bgltext/driver.h"
#include "tests/bgltext/bgl_builder.h"
#include "tests/bgltext/run_helpers.h"

namespace {

using bgltest::BglBuilder;
using bgltest::ByteWriter;
using bgltest::MultiText;
using bgltest::RunBgl;
using bgltest::SingleText;
namespace fs = std::filesystem;

constexpr char kBanner[] = "BGLTEXT: MSFS/CFS Scenery Disassembler for Terrasm/SCASM ver 2.2\n\n";
constexpr char kUsage[] =
    "usage: bgltext [options] <bglfile> [<output file/directory>]\n  options:\n"
    "     -seq      : sequenced label\n     -terrasm  : Terrasm compatible\n"
    "     -fs98lib  : FS98 library compatible\n     -multi    : output to multiple files\n";
constexpr char kBoxText[] =
    "BGLTEXT is a console application and needs command line parameters.\n"
    "You must execute it in command prompt(DOS prompt). Read the documents!";
constexpr char kDisassembled[] = ";;; Disassembled by bgltext ver 2.2\n";
// The bounds of the usual test header in their text form.
constexpr char kHeaderBlock[] = "Header( 1 N45:0:0.00 S18:0:0.00 E45:0:0.00 W123:45:0.00 )\n";
constexpr char kRule[] = ";;; ----------------------------\n";

BglBuilder UsualBuilder() {
  BglBuilder b;
  b.SceneryId(0x1a2b).Bounds(5000875, -2000350, 0x20000000u, 0xA8000000u);
  return b;
}

template <class... Args>
std::string Fmt(const char* format, Args... args) {
  char buf[128];
  std::snprintf(buf, sizeof buf, format, args...);
  return buf;
}

// Section slots: all 0 but the ones given.
std::vector<unsigned> Slots(std::initializer_list<std::pair<int, unsigned>> set) {
  std::vector<unsigned> slots(22, 0);
  for (auto [n, v] : set) slots[n] = v;
  return slots;
}

// The header lines, from the line formats of the header output.
std::string HeaderLines(const std::vector<unsigned>& slots, unsigned id = 0x1a2b,
                        const char* bounds = "N45:0:0.00 S18:0:0.00 E45:0:0.00 W123:45:0.00",
                        unsigned minFreq = 0, unsigned maxFreq = 0, unsigned value0 = 0) {
  char n[20], s[20], e[20], w[20];
  std::sscanf(bounds, "%19s %19s %19s %19s", n, s, e, w);
  std::string t = std::string(kDisassembled) + ";;; BGL header info\n" +
                  Fmt(";scenery id:\t0x%x\n", id) + ";max north:\t" + n + "\n;min north:\t" + s +
                  "\n;max east:\t" + e + "\n;min east:\t" + w + "\n";
  for (unsigned sec = 0; sec < 22; ++sec) {
    t += Fmt(";sec%u point:\t", sec) + Fmt("0x%x\n", slots.at(sec));
    if (sec == 0) t += Fmt(";min freq:\t0x%x\n", minFreq) + Fmt(";max freq:\t0x%x\n", maxFreq);
    if (sec == 15)
      for (unsigned v = 0; v < 8; ++v)
        t += Fmt(";value%u:\t", v) + Fmt("0x%x\n", value0 ? value0 + v : 0);
  }
  return t + Fmt(";value8:\t\t0x%x\n", value0 ? value0 + 8 : 0);
}

// The console lines of the section walk; `present` maps a section number to
// the text its decoder writes on the console.
std::string WalkConsole(const std::vector<std::pair<int, std::string>>& present) {
  std::string t;
  for (int n = 0; n < 22; ++n) {
    std::string line = Fmt("Analyzing section %d... does not exist\n", n);
    for (auto& [sec, text] : present)
      if (sec == n) line = Fmt("Analyzing section %d...\n", n) + text;
    t += line;
  }
  return t;
}

void ExpectEndsWith(const std::string& text, const std::string& tail) {
  ASSERT_GE(text.size(), tail.size()) << text;
  EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
}

// Sections 7 and 21 (not decodable) around an airport directory whose
// container and name lists are empty.
BglBuilder WalkBuilder() {
  BglBuilder b = UsualBuilder();
  b.Extended({0x00, 0x01, 0x0a, 0xab, 0x10, 0xff, 0x7f, 0x80, 0, 0, 0, 0, 0, 0, 0x5, 0xc0}, 0x2a);
  b.Slot(7, 168).Slot(21, 168).ExtendedField(156, 168).ExtendedField(164, 168);
  b.Body().U32(0).U32(0);
  return b;
}
const std::vector<unsigned> kWalkSlots = Slots({{7, 168}, {20, 0x87654321u}, {21, 168}});
constexpr char kGuidLines[] = "; GUID = 0 1 a ab 10 ff 7f 80 0 0 0 0 0 0 5 c0 \n; version = 2a\n";
std::string Sorry(int n) { return Fmt(";;; sorry, bgltext can't decode section %d\n", n); }

// ---- the command line, with real files ------------------------------------

struct CliResult {
  int status = 0;
  std::string console;
  std::vector<std::pair<std::string, std::string>> boxes;
};

class CommandLine : public ::testing::Test {
 protected:
  void SetUp() override {
    static int counter = 0;  // short paths, well inside the program's path buffers
    dir_ = fs::temp_directory_path() / ("bgtref" + std::to_string(++counter));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Write(const fs::path& rel, const std::vector<uint8_t>& bytes) {
    fs::path p = dir_ / rel;
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
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
    r.console = bgltest::Lf(r.console);
    return r;
  }
  fs::path dir_;
};

TEST_F(CommandLine, NoArgumentsGivesBannerUsageAndTheErrorBox) {
  CliResult r = Cli({});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.console, std::string(kBanner) + kUsage);
  ASSERT_EQ(r.boxes.size(), 1u);
  EXPECT_EQ(r.boxes[0].first, "Error");
  EXPECT_EQ(r.boxes[0].second, kBoxText);
}

TEST_F(CommandLine, BadCommandLinesGiveUsageWithoutBox) {
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

TEST_F(CommandLine, MissingInputAndUnwritableOutputEndTheRunWithMinusOne) {
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

TEST_F(CommandLine, HeaderOnlyFileRunsToDoneWithDefaultOutputName) {
  std::string in = Write("x.bgl", UsualBuilder().Build());
  CliResult r = Cli({in});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.console,
            std::string(kBanner) + "Anaylizing BGL Header\n" + WalkConsole({}) + "Done.\n\n");
  EXPECT_EQ(Read(dir_ / "x.sca"), bgltest::CrLf(HeaderLines(Slots({}))));
}

TEST_F(CommandLine, DefaultOutputNamesCutAtTheLastDot) {
  std::vector<uint8_t> bytes = UsualBuilder().Build();
  std::string x = Write("t/x.bgl", bytes);
  EXPECT_EQ(Cli({"-terrasm", x}).status, 0);
  EXPECT_TRUE(fs::exists(dir_ / "t/x.trm"));
  EXPECT_FALSE(fs::exists(dir_ / "t/x.sca"));
  EXPECT_EQ(Cli({Write("maps.old/file", bytes)}).status, 0);  // the dot of a directory
  EXPECT_TRUE(fs::exists(dir_ / "maps.sca"));
  EXPECT_EQ(Cli({Write("plain", bytes)}).status, 0);  // no dot at all: the whole path
  EXPECT_TRUE(fs::exists(dir_ / "plain.sca"));
  EXPECT_EQ(Cli({Write("a.b.bgl", bytes)}).status, 0);
  EXPECT_TRUE(fs::exists(dir_ / "a.b.sca"));
  std::string out = (dir_ / "given.txt").string();  // options may follow the files
  EXPECT_EQ(Cli({x, out, "-seq"}).status, 0);
  EXPECT_EQ(Read(out), Read(dir_ / "t/x.trm"));
}

TEST_F(CommandLine, MultiFileModeCreatesTheDirectory) {
  std::string in = Write("x.bgl", WalkBuilder().Build());
  EXPECT_EQ(Cli({"-multi", in, (dir_ / "out").string()}).status, 0);
  EXPECT_EQ(Read(dir_ / "out" / "bgt7.sca"), bgltest::CrLf(Sorry(7)));
  EXPECT_EQ(Read(dir_ / "out" / "bgthead.txt"), bgltest::CrLf(HeaderLines(kWalkSlots)));
  EXPECT_EQ(Read(dir_ / "out" / "bglbind.ctl"),
            "; bglbind control file genereted by bgltext\r\noutput.bgl\t; output file name\r\n"
            "bgt7.bgl\r\nbgt20.bgl\r\nbgt21.bgl\r\n");
  // A directory that already ends in a separator.
  EXPECT_EQ(Cli({"-multi", in, (dir_ / "out2").string() + "/"}).status, 0);
  EXPECT_TRUE(fs::exists(dir_ / "out2" / "bgt21.sca"));
}

// ---- header lines and the coordinate text form ----------------------------

TEST(HeaderLines, EveryFieldInItsPlaceAndFormat) {
  BglBuilder b;
  b.SceneryId(0xBEEF).Bounds(11001925, 0, 0x80000000u, 0).Frequencies(0x12, 0xfe);
  for (int v = 0; v <= 8; ++v) b.Value(v, 0xA0 + v);
  b.Slot(17, 0x7fffffff);  // clamped to the end; section 17 is not decodable
  auto r = RunBgl(b.Build());
  EXPECT_EQ(r.status, 0);
  // 99 degrees north wraps to 81 south; 0 is southern; 180 east stays east.
  EXPECT_EQ(SingleText(r),
            HeaderLines(Slots({{17, 0x7fffffff}}), 0xbeef,
                        "S81:0:0.00 S0:0:0.00 E180:0:0.00 W0:0:0.00", 0x12, 0xfe, 0xa0) +
                "\n" + Sorry(17));
}

TEST(CoordinateText, TruncatesDegreesAndMinutesAndRoundsSeconds) {
  struct Case {
    int32_t north, south;
    uint32_t east, west;
    const char* text;
  };
  const Case cases[] = {
      {1, 1222436, 0x08000000u, 0xFFFFFFFFu, "N0:0:0.03 N10:59:60.00 E11:15:0.00 W0:0:0.00"},
      {10001750, 3333333, 0x80000001u, 0x12345678u,
       "N90:0:0.00 N29:59:41.09 W179:59:60.00 E25:35:60.00"},
  };
  for (const Case& c : cases) {
    BglBuilder b;
    b.Bounds(c.north, c.south, c.east, c.west);
    EXPECT_EQ(SingleText(RunBgl(b.Build())), HeaderLines(Slots({}), 0, c.text));
  }
}

// ---- the section walk, in one file and in many ----------------------------

TEST(SectionWalk, SingleFileSeparatesSectionsByOneEmptyLine) {
  auto r = RunBgl(WalkBuilder().Build());
  EXPECT_EQ(r.status, 0);
  std::string expected = HeaderLines(kWalkSlots) + "\n" + Sorry(7) + "\n" + kHeaderBlock + "\n" +
                         kRule + ";;; section 20 - Airport Facility Directory\n" + kGuidLines +
                         "\n" + Sorry(21);
  EXPECT_EQ(SingleText(r), expected);
  ASSERT_EQ(r.files.size(), 1u);  // no control files
  EXPECT_EQ(r.files.begin()->second, bgltest::CrLf(expected));
  EXPECT_NE(r.console.find(WalkConsole({{7, Sorry(7)}, {20, ""}, {21, Sorry(21)}})),
            std::string::npos)
      << r.console;
}

TEST(SectionWalk, MultiFileWritesSectionFilesAndControlFiles) {
  auto r = RunBgl(WalkBuilder().Build(), bgltest::MultiOptions());
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.files.size(), 6u);
  EXPECT_EQ(MultiText(r, "bgthead.txt"), HeaderLines(kWalkSlots));
  EXPECT_EQ(MultiText(r, "bgt7.sca"), Sorry(7));
  EXPECT_EQ(MultiText(r, "bgt21.sca"), Sorry(21));
  EXPECT_EQ(MultiText(r, "bgt20.sca"), std::string(kDisassembled) +
                                           ";;; section 20 - Airport Facility Directory\n" +
                                           kHeaderBlock + kGuidLines);
  EXPECT_EQ(MultiText(r, "bglbind.ctl"),
            "; bglbind control file genereted by bgltext\noutput.bgl\t; output file name\n"
            "bgt7.bgl\nbgt20.bgl\nbgt21.bgl\n");
  EXPECT_EQ(MultiText(r, "compall.bat"),
            "rem - compile batch file genereted by bgltext\nscasm bgt7.sca bgt7.bgl\n"
            "scasm bgt20.sca bgt20.bgl\nscasm bgt21.sca bgt21.bgl\n");

  bgltext::RunOptions options = bgltest::MultiOptions();
  options.terrasm = true;
  r = RunBgl(WalkBuilder().Build(), options);
  EXPECT_EQ(r.files.size(), 5u);  // bgthead.txt, main.trm and three sections
  EXPECT_EQ(MultiText(r, "main.trm"),
            "// Genereted by bgltext\ninclude( bgt7.trm )\ninclude( bgt20.trm )\n"
            "include( bgt21.trm )\n");
  EXPECT_EQ(MultiText(r, "bgt7.trm"), Sorry(7));
  EXPECT_EQ(MultiText(r, "bgthead.txt"), HeaderLines(kWalkSlots));
}

TEST(SectionWalk, RealOffsetInSlot20WritesNoDirectory) {
  BglBuilder b = UsualBuilder();
  b.Slot(20, 128).Body().U32(0).U32(0);
  auto r = RunBgl(b.Build());
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(SingleText(r), HeaderLines(Slots({{20, 128}})));
  EXPECT_NE(r.console.find("Analyzing section 20...\nAnalyzing section 21... does not exist\n"
                           "Done.\n\n"),
            std::string::npos);
}

TEST(SectionWalk, DirectoryReadPastTheEndIsAFailedRun) {
  BglBuilder b = UsualBuilder();
  b.Extended({}, 1).ExtendedField(164, 0x10000).ExtendedField(156, 0x10000).Body().U32(0);
  EXPECT_NE(RunBgl(b.Build()).status, 0);
}

TEST(SectionWalk, FatalDecoderErrorEndsTheRunWithStatusOne) {
  BglBuilder b = UsualBuilder();
  b.BeginSection(0);
  b.Body().U8(2).U32(0);  // a frequency entry must start with the byte 1
  auto r = RunBgl(b.Build());
  EXPECT_EQ(r.status, 1);
  ExpectEndsWith(r.console, "Analyzing section 0...\nunknown record\n");
}

// ---- compressed files -----------------------------------------------------

TEST(CompressedFile, DecodesLikeThePlainFileButSection21IsGone) {
  BglBuilder b = UsualBuilder();
  b.Slot(7, 128).Slot(21, 128).Body().Text("abcabcabcabcabcabc").U32(0);
  auto r = RunBgl(b.BuildCompressed(0));
  EXPECT_EQ(r.status, 0) << r.console;
  EXPECT_EQ(SingleText(r), HeaderLines(Slots({{7, 128}})) + "\n" + Sorry(7));
  EXPECT_NE(r.console.find("Analyzing section 21... does not exist\nDone.\n\n"), std::string::npos);

  // A stored checksum other than 0, and a stream without its signature.
  auto bad = RunBgl(b.BuildCompressed(5));
  EXPECT_EQ(bad.status, -1);
  EXPECT_NE(bad.console.find("Bad checksum.\n"), std::string::npos) << bad.console;
  EXPECT_TRUE(bad.files.empty());
  std::vector<uint8_t> bytes = b.BuildCompressed(0);
  bytes[128 + 20] = 'X';
  bad = RunBgl(bytes);
  EXPECT_EQ(bad.status, -1);
  EXPECT_NE(bad.console.find("Decompression of BGL file failed.\n"), std::string::npos);
  EXPECT_TRUE(bad.files.empty());
}

TEST(CompressedFile, ExtendedHeaderWithNameListOffsetIsReadPlain) {
  BglBuilder b = UsualBuilder();
  b.Extended({}, 3).ExtendedField(156, 172).ExtendedField(164, 172);
  b.Body().U32(0xABCDEF01u).U32(0).U32(0);
  auto r = RunBgl(b.Build());
  EXPECT_EQ(r.status, 0) << r.console;
  EXPECT_EQ(bgltest::SectionBody(SingleText(r), 20),
            "; GUID = 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 \n; version = 3\n");
}

// ---- LatRange files and latitude bands ------------------------------------

// Section 14 with the given LatRange words; every entry has no records.
std::vector<uint8_t> LatRangeFile(const std::vector<std::pair<uint16_t, uint16_t>>& ranges) {
  BglBuilder b = UsualBuilder();
  b.BeginSection(14);
  uint32_t records = static_cast<uint32_t>(ranges.size() * 9 + 1);
  for (auto [a, c] : ranges) b.Body().U8(21).U16(a).U16(c).U32(records);
  b.Body().U8(0).U8(0);
  return b.Build();
}
constexpr char kRangeA[] = "LatRange( N18:52:15.84 S75:29:3.34 )\n";  // words 0x1000, 0xC000
constexpr char kRangeB[] = "LatRange( N75:29:3.34 N75:29:3.34 )\n";   // words 0x4000, 0x4000

TEST(LatRange, OneFilePerEntryWithHeaderBlockAndLatRangeLine) {
  auto file = LatRangeFile({{0x1000, 0xC000}, {0x4000, 0x4000}});
  auto r = RunBgl(file, bgltest::MultiOptions());
  EXPECT_EQ(r.status, 0);
  const std::string block = std::string(kDisassembled) + ";;; section 14 - NDB\n" + kHeaderBlock;
  EXPECT_EQ(MultiText(r, "bgt14-1.sca"), block + kRangeA);
  EXPECT_EQ(MultiText(r, "bgt14-2.sca"), block + kRangeB);
  EXPECT_NE(r.console.find("Analyzing section 14...\n\tLatRange 1\n\tLatRange 2\n"),
            std::string::npos);
  ExpectEndsWith(MultiText(r, "bglbind.ctl"), "bgt14-1.bgl\nbgt14-2.bgl\n");
  // In one file the bounds block comes once, before the first section.
  ExpectEndsWith(SingleText(RunBgl(file)), std::string("\n") + kHeaderBlock + "\n" + kRule +
                                               ";;; section 14 - NDB\n" + kRangeA + "\n" + kRule +
                                               ";;; section 14 - NDB\n" + kRangeB);
}

TEST(LatRange, NinetyNineEntriesAcceptedAndTheHundredthOverflows) {
  auto ok = RunBgl(LatRangeFile({99, {0x1000, 0x1000}}), bgltest::MultiOptions());
  EXPECT_EQ(ok.status, 0);
  EXPECT_EQ(ok.files.count(bgltest::MultiPath("bgt14-99.sca")), 1u);
  EXPECT_EQ(ok.console.find("subtable overflow."), std::string::npos);

  auto over = RunBgl(LatRangeFile({100, {0x1000, 0x1000}}), bgltest::MultiOptions());
  EXPECT_EQ(over.status, 0);  // the NDB section ends; the run goes on
  EXPECT_NE(over.console.find("Analyzing section 14...\nsubtable overflow.\n"
                              "Analyzing section 15... does not exist\n"),
            std::string::npos)
      << over.console;
  EXPECT_EQ(over.files.count(bgltest::MultiPath("bgt14-1.sca")), 0u);
  ExpectEndsWith(over.console, "Done.\n\n");
}

// VOR/ILS section: two frequencies; the first lists bands A and B, the second
// band A again. Each band holds one record that the program does not know.
std::vector<uint8_t> BandFile() {
  BglBuilder b = UsualBuilder();
  b.Frequencies(0, 1).BeginSection(0);
  ByteWriter& w = b.Body();
  w.U8(1).U32(11).U8(1).U32(30).U8(0);             // frequency table, 11 bytes
  w.U8(21).U16(0x1000).U16(0xC000).U32(40);        // 11: band A
  w.U8(21).U16(0x4000).U16(0x4000).U32(42).U8(0);  // 20: band B
  w.U8(21).U16(0x1000).U16(0xC000).U32(44).U8(0);  // 30: band A again
  w.U8(9).U8(0).U8(10).U8(0).U8(11).U8(0);         // 40, 42, 44: records
  return b.Build();
}

TEST(LatitudeBands, RepeatedBandIsAppendedToItsFirstFile) {
  auto r = RunBgl(BandFile(), bgltest::MultiOptions());
  EXPECT_EQ(r.status, 0) << r.console;
  const std::string block =
      std::string(kDisassembled) + ";;; section 0 - VOR, ILS\n" + kHeaderBlock;
  EXPECT_EQ(MultiText(r, "bgt0-0.sca"),
            block + kRangeA + ";;; unknown record (0x9)\n;;; unknown record (0xb)\n");
  EXPECT_EQ(MultiText(r, "bgt0-1.sca"), block + kRangeB + ";;; unknown record (0xa)\n");
  EXPECT_EQ(MultiText(r, "compall.bat"),
            "rem - compile batch file genereted by bgltext\nscasm bgt0-0.sca bgt0-0.bgl\n"
            "scasm bgt0-1.sca bgt0-1.bgl\n");
  // In one file the repeated band follows at once, without an empty line.
  ExpectEndsWith(SingleText(RunBgl(BandFile())),
                 std::string("\n") + kHeaderBlock + "\n" + kRule + ";;; section 0 - VOR, ILS\n" +
                     kRangeA + ";;; unknown record (0x9)\n\n" + kRule +
                     ";;; section 0 - VOR, ILS\n" + kRangeB +
                     ";;; unknown record (0xa)\n;;; unknown record (0xb)\n");
}

// ---- labels of jump targets -----------------------------------------------

// Procedural section. Entry 1: an area of "Jump X; Y: Return; Jump X; Jump Y"
// where X is the byte after the area. Entry 2: an area that a Jump to itself
// overruns.
std::vector<uint8_t> AreaFile(uint32_t* first, uint32_t* second) {
  BglBuilder b = UsualBuilder();
  uint32_t s = b.BeginSection(9);
  ByteWriter& w = b.Body();
  w.U8(21).U16(0x1000).U16(0xC000).U32(19).U8(21).U16(0x4000).U16(0x4000).U32(45).U8(0);
  *first = s + 19;
  w.U8(4).U32(5000875).U32(0x20000000).U8(3).U8(25);     // area, 25 bytes
  w.U8(0x0D).U8(0).I16(14).U8(0x22).U8(0);               // +11 Jump X, +15 Return
  w.U8(0x0D).U8(0).I16(8).U8(0x0D).U8(0).I16(-6).U8(0);  // +17 Jump X, +21 Jump Y
  *second = s + 45;
  w.U8(4).U32(5000875).U32(0x20000000).U8(3).U8(14);  // area, 14 bytes
  w.U8(0x0D).U8(0).I16(0).U8(0);                      // Jump 0 crosses the end
  return b.Build();
}

TEST(Labels, AreaEndsOffsetAndSequencedLabels) {
  uint32_t a1 = 0, a2 = 0;
  std::vector<uint8_t> bytes = AreaFile(&a1, &a2);
  auto r = RunBgl(bytes, bgltest::MultiOptions());
  EXPECT_EQ(r.status, 0) << r.console;
  const std::string block =
      std::string(kDisassembled) + ";;; section 9 - Procedural scenery\n" + kHeaderBlock;
  const std::string area = "Area( 4 N45:0:0.00 E45:0:0.00 3 )\n";
  const std::string x = Fmt(":L%08X", a1 + 25), y = Fmt(":L%08X", a1 + 15),
                    z = Fmt(":L%08X", a2 + 11);
  // One label line per target; the label of the byte after the area comes
  // before the closing line.
  EXPECT_EQ(MultiText(r, "bgt9-1.sca"), block + kRangeA + area + "\tJump( " + x + " )\n" + y +
                                            "\n\tReturn\n\tJump( " + x + " )\n\tJump( " + y +
                                            " )\n" + x + "\nEndA\n\n;;;;; End of LatRange\n");
  EXPECT_EQ(MultiText(r, "bgt9-2.sca"),
            block + kRangeB + area + z + "\n\tJump( " + z + " )\n" +
                Fmt(";;;;; EndA Overrun. (now:0x%x, enda:0x%x\n", a2 + 15, a2 + 14) +
                "EndA\n\n;;;;; End of LatRange\n");
  // Sequence numbers follow the order in which jumps are met, and start
  // again in every file.
  bgltext::RunOptions options = bgltest::MultiOptions();
  options.sequencedLabels = true;
  r = RunBgl(bytes, options);
  EXPECT_EQ(MultiText(r, "bgt9-1.sca"),
            block + kRangeA + area +
                "\tJump( :L0 )\n:L1\n\tReturn\n\tJump( :L0 )\n\tJump( :L1 )\n:L0\nEndA\n\n"
                ";;;;; End of LatRange\n");
  EXPECT_NE(MultiText(r, "bgt9-2.sca").find(area + ":L0\n\tJump( :L0 )\n"), std::string::npos);
}

// ---- the airport/facility directory ---------------------------------------

// A sub-record payload: latitude, longitude and altitude (each a fraction
// word and a whole dword), then dwords, then an optional zero-ended text.
std::vector<uint8_t> Payload(uint16_t latF, int32_t lat, uint16_t lonF, int32_t lon, uint16_t altF,
                             int32_t alt, std::initializer_list<int64_t> dwords,
                             const char* text = nullptr) {
  ByteWriter w;
  w.Fixed48(latF, lat).Fixed48(lonF, lon).Fixed48(altF, alt);
  for (int64_t d : dwords) w.U32(static_cast<uint32_t>(d));
  if (text) w.TextZ(text);
  return w.Data();
}

void Name(ByteWriter& w, uint32_t kind, uint32_t ref, const std::string& text) {
  w.U32(0x30002).U32(static_cast<uint32_t>(9 + text.size())).U32(kind).U32(ref).TextZ(text);
}

TEST(AirportDirectory, ContainersSubRecordsAndNameLists) {
  BglBuilder b = UsualBuilder();
  b.Extended({}, 0x10);
  bgltest::AfdWriter afd(b);
  afd.BeginContainers();
  uint32_t apt = afd.BeginContainer(1);
  afd.SubRecord(0x10001, Payload(0, 5000875, 0, 0x60000000, 32768, -2, {0}));
  afd.SubRecord(0x10002, Payload(32768, -2, 0, -0x20000000, 16384, 100,
                                 {0x40000000, 0xC0000000u, -5, 6, 1, -7, 3}));
  afd.SubRecord(0x10005, Payload(0, 0, 0, INT32_MIN, 0, 0, {0x80000000u, 3, 2, -4}));
  afd.SubRecord(0x10003, {1, 2, 3, 4});  // not a known sub-record: skipped
  afd.SubRecord(0x10004, Payload(0, 5000875, 0, 0x60000000, 0, 7,
                                 {0x20000000, 0x01103000, 4, 10, -1, 0}, "IKAL"));
  afd.SubRecord(0x10006, {'K', 'S', 'E', 'A', 0});
  afd.SubRecord(0x20001, {0x00, 0x45, 0x23, 0x01, 12, 0, 0, 0});
  afd.EndContainer();
  b.Body().U32(5);  // a stray entry type: the scan moves on four bytes
  uint32_t vor = afd.BeginContainer(2);
  // Indexes past the end of their tables, nibbles above 9, an empty name.
  afd.SubRecord(0x10004, Payload(0, 0, 0, 0, 0, 0, {0, 0x01A3F000, 9, 12, 0, 0}, ""));
  afd.SubRecord(0x10002, Payload(0, 0, 0, 0, 0, 0, {0, 0, 0, 0, 7, 0, 12}));
  afd.SubRecord(0x20001, {0, 0, 0, 0, 13, 0, 0, 0});
  afd.EndContainer();
  uint32_t ndb = afd.BeginContainer(3);
  afd.EndContainer();
  afd.BeginContainer(4);
  afd.EndContainer();
  afd.EndContainers();

  afd.BeginNameLists();
  ByteWriter& body = b.Body();
  body.U32(0x77).U32(0x99);  // not a name list: the next type follows at once
  afd.BeginNameList(0x1a2b, 12);
  Name(body, 0x10001, 0, "Europe");
  Name(body, 0x20001, 0, "United States");
  Name(body, 0x30001, 0, "Washington");
  Name(body, 0x40001, 0, "Seattle");
  Name(body, 0x50001, apt, "Seattle Tacoma Intl");
  Name(body, 0x50003, vor, "Seattle VOR");
  Name(body, 0x50004, ndb, "Alki");
  Name(body, 0x60001, 0, "Odd");
  body.U32(0x30003).U32(99);                                    // not a name entry: 8 bytes
  body.U32(0x30002).U32(13).U32(0x40001).U32(0).Text("Hello");  // no 0 byte
  Name(body, 0x50001, 12345, "Nowhere");
  Name(body, 0x50001, apt + 4, "Inside");
  afd.EndNameList();
  afd.BeginNameList(0xff, 1);
  Name(body, 0x50001, apt, "Boeing Field");
  afd.EndNameList();
  afd.EndNameLists();

  auto r = RunBgl(b.Build(), bgltest::MultiOptions());
  EXPECT_EQ(r.status, 0) << r.console;
  EXPECT_EQ(MultiText(r, "bgt20.sca"),
            std::string(kDisassembled) + ";;; section 20 - Airport Facility Directory\n" +
                kHeaderBlock + "; GUID = 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 \n; version = 10\n" +
                "Container( APT 1 )\n"
                "\tAPLocation( N45:0:0.00 E135:0:0.00 -1.50 )\n"
                "\tRwyLoc( S0:0:0.05 W45:0:0.00 100.25 \n"
                "\t\t90.000000 270.000000 -5 6 L -7 ASPHALT )\n"
                "\tSetupLoc( S0:0:0.00 W180:0:0.00 0.00 \n"
                "\t\t180.000000 3 R -4 )\n"
                "\tNavaid( N45:0:0.00 E135:0:0.00 7.00 \n"
                "\t\t45.000000 110.30 LOC IM -1\n"
                "\t\t\"IKAL\" )\n"
                "\tICAO_ID( \"KSEA\" )\n"
                "\tFrequency( 123.45  AWOS )\n"
                "EndC\n\n"
                "Container( VOR 2 )\n"
                "\tNavaid( S0:0:0.00 W0:0:0.00 0.00 \n\t\t0.000000 1103.150 9 12 0\n\t\t\"\" )\n"
                "\tRwyLoc( S0:0:0.00 W0:0:0.00 0.00 \n\t\t0.000000 0.000000 0 0 7 0 12 )\n"
                "\tFrequency( 000.00  13 )\n"
                "EndC\n\n"
                "Container( NDB 3 )\nEndC\n\n"
                "Container(  4 )\nEndC\n\n"
                "NameList( 1a2b )\n"
                "\tNameEntry( REGION 0 \"Europe\")\n"
                "\tNameEntry( COUNTRY 0 \"United States\")\n"
                "\tNameEntry( STATE 0 \"Washington\")\n"
                "\tNameEntry( CITY 0 \"Seattle\")\n"
                "\tNameEntry( AIRPORT 1 \"Seattle Tacoma Intl\")\n"
                "\tNameEntry( VOR 2 \"Seattle VOR\")\n"
                "\tNameEntry( NDB 3 \"Alki\")\n"
                "\tNameEntry(  0 \"Odd\")\n"
                "\tNameEntry( CITY 0 \"Hello\")\n"
                "\tNameEntry( AIRPORT 5 \"Nowhere\")\n"
                "\tNameEntry( AIRPORT 5 \"Inside\")\n"
                "EndNL\n\n"
                "NameList( ff )\n\tNameEntry( AIRPORT 1 \"Boeing Field\")\nEndNL\n\n");
}

}  // namespace
