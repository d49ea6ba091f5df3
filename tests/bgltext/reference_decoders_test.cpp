// Expected texts of the navigation-aid, airport-menu, exclusion, synthetic,
// procedural, library, dynamic-scenery and marker decoders, worked out by
// hand from the record layouts (coordinates and frequencies chosen so that
// their text forms are exact).
#include <gtest/gtest.h>

#include <cstdio>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "tests/bgltext/bgl_builder.h"
#include "tests/bgltext/run_helpers.h"

namespace {

using bgltest::BglBuilder;
using bgltest::ByteWriter;

// Header bounds: N45 S45 E90 W90.
constexpr int32_t kNorth = 5000875;
constexpr uint32_t kEast = 0x40000000u, kWest = 0xC0000000u;
// 24-bit coordinates: N18, S18, E45, E45:42:11.25, W90.
constexpr uint32_t kN18 = 1000175, kS18 = 0x1000000u - 1000175, kN36 = 2000350;
constexpr uint32_t kE45 = 0x200000, kE45b = 0x208000, kW90 = 0xC00000;
// LatRange words 0xC000 and 0x1000 of every LatRange section here.
const std::string kLatRangeLine = "LatRange( S75:29:3.34 N18:52:15.84 )\n";
const std::string kBoundsLine = "LatRange( S45:0:0.00 N45:0:0.00 )\n";

BglBuilder NewFile() {
  BglBuilder b;
  b.Bounds(kNorth, -kNorth, kEast, kWest);
  return b;
}

// The comment block that opens a section file of a multi-file run.
std::string Block(int section, const std::string& name) {
  return ";;; Disassembled by bgltext ver 2.2\n;;; section " + std::to_string(section) + " - " +
         name + "\nHeader( 1 N45:0:0.00 S45:0:0.00 E90:0:0.00 W90:0:0.00 )\n";
}

// A multi-file run that is expected to succeed.
bgltext::MemoryRunResult RunMulti(const BglBuilder& b, bool seq = false, bool fs98 = false) {
  bgltext::RunOptions options = bgltest::MultiOptions();
  options.sequencedLabels = seq;
  options.fs98Library = fs98;
  bgltext::MemoryRunResult r = bgltest::RunBgl(b.Build(), options);
  EXPECT_EQ(r.status, 0) << r.console;
  return r;
}

std::string File(const bgltext::MemoryRunResult& r, const std::string& name) {
  return bgltest::MultiText(r, name + ".sca");
}

std::string Label(uint32_t offset) {
  char text[16];
  std::snprintf(text, sizeof text, ":L%08X", offset);
  return text;
}

std::string Hex(uint32_t v) {
  char text[16];
  std::snprintf(text, sizeof text, "%x", v);
  return text;
}

std::string Padded(std::string text, size_t width) {
  text.resize(width, ' ');
  return text;
}

// Opens a LatRange section whose single entry's records follow the subtable.
uint32_t OneLatRange(BglBuilder& b, int section) {
  uint32_t start = b.BeginSection(section);
  b.Body().U8(21).U16(0xC000).U16(0x1000).U32(10).U8(0);
  return start;
}

void Vor(ByteWriter& w, uint8_t r, uint16_t v, uint8_t t, uint32_t lat, uint32_t lon, uint16_t h,
         uint16_t a, const std::string& id, const std::string& name) {
  w.U8(4).U8(r).U16(v).U8(t).U24(lat).U24(lon).U16(h).U16(a);
  w.Text(Padded(id, 5)).Text(Padded(name, 24));
}

// Three frequency entries (108.00 with no stations, 108.05, 108.10); the
// third repeats the first band of the second.
BglBuilder VorIlsFile() {
  BglBuilder b = NewFile();
  b.Frequencies(0, 2);
  b.BeginSection(0);
  ByteWriter& w = b.Body();
  w.U8(1).U32(0).U8(1).U32(15).U8(1).U32(34);  // the table ends after 108.10 by itself
  w.U8(21).U16(0xC000).U16(0x1000).U32(44);    // at s + 15
  w.U8(21).U16(0x1000).U16(0x2000).U32(89).U8(0);
  w.U8(21).U16(0xC000).U16(0x1000).U32(144).U8(0);  // at s + 34
  Vor(w, 40, 0x4000, 0x0A, kN18, kE45b, 1234, 0x8000, "AB C", "A B (X)");
  w.U8(0);
  w.U8(5).U8(18).U16(0x2000).U8(0x1F).U24(kN18).U24(kE45).U16(300).U16(0x4000);
  w.Text("IABC ").Text(Padded("RWY 09", 24)).U24(kN36).U24(kE45).U16(310).U16(6860).U8(0);
  Vor(w, 0, 0, 0xFF, kS18, kW90, 0, 0, "", "NAME");
  w.U8(20);
  for (int i = 1; i <= 17; ++i) w.U8(i);
  w.U8(0x33).U8(0);
  return b;
}

const std::string kVor1 =
    "\tVOR( 108.05 40 0A 90.00 AB_C A_B_{X}\n\t\tN18:0:0.00 E45:42:11.25 1234 180.00 )\n";
const std::string kIls =
    "\tILS( 108.05 18 1F 45.00 IABC RWY_09\n\t\tN18:0:0.00 E45:0:0.00 300 90.00\n"
    "\t\tN36:0:0.00 E45:0:0.00 310 3.00 )\n";
const std::string kVor2AndStrays =
    "\tVOR( 108.10 0 FF 0.00 _ NAME\n\t\tS18:0:0.00 W90:0:0.00 0 0.00 )\n"
    ";;; unknown record (0x14)\n"
    ";;; 0x1 0x2 0x3 0x4 0x5 0x6 0x7 0x8 0x9 0xa 0xb 0xc 0xd 0xe 0xf 0x10 0x11 \n"
    ";;; unknown record (0x33)\n";

TEST(ReferenceNavaids, VorAndIlsGoToOneFilePerLatitudeBand) {
  auto r = RunMulti(VorIlsFile());
  EXPECT_EQ(File(r, "bgt0-0"), Block(0, "VOR, ILS") + kLatRangeLine + kVor1 + kVor2AndStrays);
  EXPECT_EQ(File(r, "bgt0-1"),
            Block(0, "VOR, ILS") + "LatRange( N18:52:15.84 N37:44:31.67 )\n" + kIls);
  EXPECT_EQ(r.files.count(bgltest::MultiPath("bgt0-2.sca")), 0u);
}

TEST(ReferenceNavaids, AtisRecordsFollowTheirLengthAndEndOfDataIsCaught) {
  BglBuilder b = NewFile();
  b.BeginSection(19);  // the run goes on after section 13 meets the end of the file
  b.Body().U8(0);
  OneLatRange(b, 13);
  ByteWriter& w = b.Body();
  size_t start = b.Here();
  w.U8(4).U16(0x2750).U24(kN18).U24(kE45).U8(10).U16(0);
  w.U8(0x49).U8(0xC9).U8(0x89).U8(0x09).Text("RWY (9) OPEN").U8(0x80).U8(0x81).U8(0);
  w.Fill(3, 0xEE);  // skipped: the next record starts at start + length
  b.PatchBodyU16(start + 10, static_cast<uint32_t>(b.Here() - start));
  w.U8(4).U16(0x1810).U24(kS18).U24(kW90).U8(0).U16(18).U8(0).U8(0).U8(0).U8(0).TextZ("X");
  // A long message is cut at 255 characters.
  w.U8(4).U16(0x1810).U24(kS18).U24(kW90).U8(0).U16(317).U32(0).TextZ(std::string(300, 'M'));
  auto r = RunMulti(b);
  EXPECT_EQ(
      File(r, "bgt13-1"),
      Block(13, "ATIS") + kLatRangeLine +
          "ATIS(\n\t20\n\tN18:0:0.00\n\tE45:0:0.00\n\t127.50\n\t9L 9C 9R 9\n\tRWY_{9}_OPEN%A%B )\n"
          "ATIS(\n\t0\n\tS18:0:0.00\n\tW90:0:0.00\n\t118.10\n\t0 0 0 0\n\tX )\n"
          "ATIS(\n\t0\n\tS18:0:0.00\n\tW90:0:0.00\n\t118.10\n\t0 0 0 0\n\t" +
          std::string(255, 'M') + " )\nEOF!!!\n");
  EXPECT_NE(r.console.find("\tLatRange 1\n"), std::string::npos);
  EXPECT_NE(r.console.find("Done.\n"), std::string::npos);
  EXPECT_EQ(File(r, "bgt19"), Block(19, "Exception"));
}

TEST(ReferenceNavaids, NdbRecordsFollowEachOtherInEachLatRangeFile) {
  BglBuilder b = NewFile();
  b.BeginSection(14);
  ByteWriter& w = b.Body();
  w.U8(21).U16(0xC000).U16(0x1000).U32(19).U8(21).U16(0x1000).U16(0x2000).U32(19 + 43).U8(0);
  auto ndb = [&](uint16_t fw, uint8_t fb, uint32_t lat, uint32_t lon, const char* id,
                 const char* name) {
    w.U8(4).U16(fw).U8(fb).U24(lat).U24(lon).U16(120).U8(25);
    w.Text(Padded(id, 5)).Text(Padded(name, 24));
  };
  ndb(0x0345, 0x50, kN18, kE45b, "NB", "NDB (TEST)");
  w.U8(0);
  ndb(0x1234, 0x56, kS18, kW90, "Q Q", "X_ _");
  w.U8(0);
  auto r = RunMulti(b);
  EXPECT_EQ(File(r, "bgt14-1"),
            Block(14, "NDB") + kLatRangeLine +
                "\tNDB( 345.50 50 NB NDB_{TEST} N18:0:0.00 E45:42:11.25 120 )\n");
  EXPECT_EQ(File(r, "bgt14-2"), Block(14, "NDB") + "LatRange( N18:52:15.84 N37:44:31.67 )\n" +
                                    "\tNDB( 234.56 50 Q_Q X S18:0:0.00 W90:0:0.00 120 )\n");
  EXPECT_NE(r.console.find("\tLatRange 1\n\tLatRange 2\n"), std::string::npos);
}

TEST(ReferenceMenus, EachMenuGetsItsOwnFileAndTitlesKeepTrailingBlanks) {
  BglBuilder b = NewFile();
  b.BeginSection(11);
  ByteWriter& w = b.Body();
  w.U8(1).U16(22).U32(131).TextZ("My Menu (A) ").Fill(2, 0x77);  // 20 bytes and two skipped
  w.U8(1).U16(108).U32(130).TextZ(std::string(100, 'T'));        // a title keeps 99 characters
  w.U8(0);  // ends the menus and is the second menu's empty entry list
  w.U8(3).U16(0xFFFF).I32(640112000).I32(-640112000).U32(25700).U16(1000);
  w.U16(0x1850).U16(0x2975).U16(42).U16(0x0800).U16(7).TextZ("Gate (1) ").U8(0);
  auto r = RunMulti(b);
  EXPECT_EQ(File(r, "bgt11-1"), Block(11, "Airport") + kBoundsLine + "Menu( My_Menu_{A}_ )\n" +
                                    "MenuEntry(\n\tN45:0:0.00\n\tS45:0:0.00\n\t100.40\n\t5.50\n"
                                    "\t118.50\n\t129.75\n\t42\n\t108.00\n\t7\n\tGate_{1}_ )\n");
  EXPECT_EQ(File(r, "bgt11-2"),
            Block(11, "Airport") + kBoundsLine + "Menu( " + std::string(99, 'T') + " )\n");
}

TEST(ReferenceExclusions, StrayBytesAreDumpedAndTheWalkGoesOn) {
  BglBuilder b = NewFile();
  b.BeginSection(19);
  ByteWriter& w = b.Body();
  w.U8(3).U16(0xAB).I32(kNorth).I32(-kNorth).U32(kEast).U32(kWest);
  w.U8(7).U8(0xFE).U8(3).U16(0x10).U32(0).U32(0).U32(0).U32(0).U8(0);
  auto r = RunMulti(b);
  const std::string expected =
      Block(19, "Exception") +
      "GenIncl( exclude.bgl ab\n\tN45:0:0.00 S45:0:0.00 E90:0:0.00 W90:0:0.00\n"
      "\tN45:0:0.00 S45:0:0.00 E90:0:0.00 W90:0:0.00 )\n"
      "Dbx( 7 )\nDbx( FE )\n"
      "GenIncl( exclude.bgl 10\n\tS0:0:0.00 S0:0:0.00 W0:0:0.00 W0:0:0.00\n"
      "\tS0:0:0.00 S0:0:0.00 W0:0:0.00 W0:0:0.00 )\n";
  EXPECT_EQ(File(r, "bgt19"), expected);
  // Files are written with CR LF line ends.
  EXPECT_EQ(r.files[bgltest::MultiPath("bgt19.sca")], bgltest::CrLf(expected));
}

TEST(ReferenceSynthetic, BlocksAndRunsOfBlocks) {
  BglBuilder b = NewFile();
  b.BeginSection(3);
  ByteWriter& w = b.Body();
  w.U8(22).U16(7).U32(15).U8(22).U16(8).U32(45).U8(0);
  w.U8(4).U16(12).U8(0xAB).U8(0x0C).U16(0x1F).U8(128).U16(3);
  w.U8(5).U16(5).U16(6).U8(1).U8(2).U16(3).U8(64).U16(0).U8(4).U8(5).U16(0xA6).U8(0).U16(1).U8(0);
  w.U8(0);
  auto r = RunMulti(b);
  EXPECT_EQ(File(r, "bgt3"),
            Block(3, "Synthetic scenery") + kBoundsLine +
                "Synth 3 7\n\tBlock 12 AB C 1F 3.500000\n"
                "\tBlock 5 1 2 3 0.250000\n\tBlock 6 4 5 A6 1.000000\nSynth 3 8\n");
}

TEST(ReferenceFatal, RecordKindsOutsideTheFixedOnesEndTheRunWithStatusOne) {
  struct Case {
    int section;
    std::vector<uint8_t> body;
    const char* message;
  };
  const Case cases[] = {
      {0, {2}, "unknown record\n"},
      {0, {1, 5, 0, 0, 0, 7}, "unknown record\n"},
      {3, {22, 1, 0, 7, 0, 0, 0, 9}, "unknown record\n"},
      {3, {22, 1, 0, 7, 0, 0, 0, 5, 6, 0, 5, 0}, "illegal longitude in synth block\n"},
      {11, {2}, "unknown record\n"},
      {11, {1, 9, 0, 8, 0, 0, 0, 0, 9}, "unknown record\n"},
      {13, {21, 0, 0, 0, 0, 10, 0, 0, 0, 0, 5}, "unknown record"},
      {14, {21, 0, 0, 0, 0, 10, 0, 0, 0, 0, 3}, "unknown record"},
  };
  for (const Case& c : cases) {
    BglBuilder b = NewFile();
    b.Frequencies(0, 2);
    b.BeginSection(c.section);
    b.Body().Bytes(c.body);
    auto r = bgltest::RunBgl(b.Build());
    EXPECT_EQ(r.status, 1) << c.section << r.console;
    const std::string message = c.message;  // the last text of the run
    ASSERT_GE(r.console.size(), message.size()) << c.section;
    EXPECT_EQ(r.console.substr(r.console.size() - message.size()), message)
        << c.section << r.console;
    EXPECT_EQ(r.console.find("Done."), std::string::npos) << c.section;
  }
}

TEST(ReferenceFatal, EndOfDataInSectionsWithoutAHandlerEndsTheRunWithAFailure) {
  const std::pair<int, std::vector<uint8_t>> cases[] = {
      {0, {1, 5, 0, 0, 0, 21, 0}}, {3, {22, 1}}, {11, {1, 9, 0}}, {19, {3, 1, 0, 0}}};
  for (const auto& [section, body] : cases) {
    BglBuilder b = NewFile();
    b.BeginSection(section);
    b.Body().Bytes(body);
    auto r = bgltest::RunBgl(b.Build());
    EXPECT_NE(r.status, 0) << section << r.console;
    EXPECT_EQ(r.console.find("Done."), std::string::npos) << section << r.console;
  }
}

// One area of procedural scenery: a self jump, a Seed, a backward jump of
// LandingLights into the Seed's operands, a raw-dump record, an unknown opcode,
// Return and a Call to the byte after the area. Two LatRange entries decode the same records.
struct ProceduralFile {
  BglBuilder bgl = NewFile();
  uint32_t area = 0;
};

ProceduralFile Procedural() {
  ProceduralFile f;
  f.bgl.BeginSection(9);
  ByteWriter& w = f.bgl.Body();
  w.U8(21).U16(0xC000).U16(0x1000).U32(19).U8(21).U16(0xC000).U16(0x1000).U32(19).U8(0);
  f.area = static_cast<uint32_t>(f.bgl.Here());
  w.U8(4).I32(kNorth).U32(kEast).U8(3).U8(62);
  w.U8(0x0D).U8(0).I16(0);                                                    // area + 11
  w.U8(0x3D).U8(0).U8(0xAB).U8(5).U16(0xBEEF).U32(100000).I32(-2).U16(9999);  // area + 15
  w.I16(-1).I16(2).I16(-3).I16(4);
  w.U8(0x4A).U8(0).I16(-22).U16(0x1F).I16(10).I16(-5).I16(7);  // area + 39
  w.U8(0x47).U8(0x99).U16(0x0102);                             // area + 51
  w.U8(0x7B).U8(0x22).U8(0);                                   // area + 55
  w.U8(0x23).U8(0).I16(4);                                     // area + 58
  w.U8(0);                                                     // area + 62
  return f;
}

std::string ProceduralText(const std::string& self, const std::string& inner,
                           const std::string& after) {
  return Block(9, "Procedural scenery") + kLatRangeLine + "Area( 4 N45:0:0.00 E90:0:0.00 3 )\n" +
         self + "\n\tJump( " + self + " )\n\tSeed( " +
         inner +  // the label stands inside the Seed's text
         "\nab 5 beef 100000 -2 -1 2 -3 4 )\n\tLandingLights( " + inner +
         " 1f 10 -5 7 )\n"
         ";;; Rec47(0x47) - SCASM does not support this record\n\tDbx( 47 99 2 1 )\n"
         ";;; unknown record id: 0x7b\n\tReturn\n\tCall( " +
         after + " )\n" + after + "\nEndA\n\n;;;;; End of LatRange\n";
}

TEST(ReferenceProcedural, AreaRecordsLabelsAndTheCloseAfterTheArea) {
  ProceduralFile f = Procedural();
  auto r = RunMulti(f.bgl);
  EXPECT_EQ(File(r, "bgt9-1"),
            ProceduralText(Label(f.area + 11), Label(f.area + 17), Label(f.area + 62)));
  EXPECT_EQ(File(r, "bgt9-2"),
            ProceduralText(Label(f.area + 11), Label(f.area + 17), Label(f.area + 62)));
}

TEST(ReferenceProcedural, SequencedLabelsNumberTargetsInTheOrderFirstMetInEachUnit) {
  auto r = RunMulti(Procedural().bgl, true);
  EXPECT_EQ(File(r, "bgt9-1"), ProceduralText(":L0", ":L1", ":L2"));
  EXPECT_EQ(File(r, "bgt9-2"), ProceduralText(":L0", ":L1", ":L2"));
}

TEST(ReferenceProcedural, UnknownTopLevelRecordAreaOverrunAndEndOfData) {
  BglBuilder b = NewFile();
  b.BeginSection(9);
  ByteWriter& w = b.Body();
  w.U8(21).U16(0xC000).U16(0x1000).U32(19).U8(21).U16(0x1000).U16(0x2000).U32(35).U8(0);
  w.U8(0x30);
  uint32_t area = static_cast<uint32_t>(b.Here());
  w.U8(5).I32(0).U32(0).U8(0).U16(13).U8(0x22).U8(0).U8(23);  // Return crosses the end at area + 13
  // The second entry: an area with a dword length, cut short by the end of the file.
  w.U8(14).I32(kNorth).U32(kWest).U8(9).U32(100).U8(0x22).U8(0);
  auto r = RunMulti(b);
  EXPECT_EQ(File(r, "bgt9-1"),
            Block(9, "Procedural scenery") + kLatRangeLine +
                ";;; unknown record: 0x30\nArea( 5 S0:0:0.00 W0:0:0.00 0 )\n\tReturn\n"
                ";;;;; EndA Overrun. (now:0x" +
                Hex(area + 14) + ", enda:0x" + Hex(area + 13) +
                "\nEndA\n\n;;;;; End of LatRange\n");
  EXPECT_EQ(File(r, "bgt9-2"), Block(9, "Procedural scenery") +
                                   "LatRange( N18:52:15.84 N37:44:31.67 )\n" +
                                   "Area( E N45:0:0.00 W90:0:0.00 9 )\n\tReturn\nEOF!!!\n");
  EXPECT_NE(r.console.find("Done.\n"), std::string::npos);
}

// Displacement words that all point at one later record: each remembers the
// offset it counts from and is patched once the target is known.
struct ForwardJumps {
  BglBuilder& b;
  std::vector<std::pair<size_t, size_t>> holes;  // (word offset, counted from)
  ByteWriter& Word(size_t from) {
    holes.emplace_back(b.Here(), from);
    return b.Body().U16(0);
  }
  // The opcode bytes (and operands before the displacement), then the displacement.
  ByteWriter& Op(std::initializer_list<uint8_t> bytes) {
    size_t from = b.Here();
    b.Body().Bytes(bytes);
    return Word(from);
  }
  void PatchTo(size_t target) {
    for (auto [at, from] : holes) b.PatchBodyU16(at, static_cast<uint32_t>(target - from));
  }
};

TEST(ReferenceLibrary, ObjectHeaderAndRecordFormats) {
  BglBuilder b = NewFile();
  b.BeginSection(10);
  ByteWriter& w = b.Body();
  w.U32(40).U32(1).U32(0xABCD).U32(0).U32(0xFFFFFFFFu).U32(0).Fill(16, 0x55);
  size_t obj = b.Here();
  w.Fill(16, 0xEE).U8(7).U32(41 + 8).U32(0).U32(250).U32(65536).U32(0x1F).U32(3).Text("Tower").Fill(
      3);
  uint32_t first = static_cast<uint32_t>(b.Here());
  w.U8(0x01).U8(0).U8(0x02).U8(0).U8(0x04).U8(7).U8(0x0A).U8(0).I16(1).I16(-2).I16(3).U16(0x5555);
  w.U8(0x11).U8(0).U16(1).U16(2).I16(-3).I16(4).I16(-5).U8(0x12).U8(0).U16(9);
  w.U8(0x49).U8(0).U16(0xA).U16(0xB).U16(3).U16(4).U16(5).U16(6).U16(7).U16(8);
  w.U8(0x90).U8(0).U16(3).I16(1).I16(2).I16(3).U32(32767).U16(0).U8(5).U8(128).U8(200);
  w.U8(0x30).U8(0).U16(16548);
  w.U8(0x43).U8(0).U16(20).U16(0x1F).U16(0xA9).U8(1).U8(0xAB).U8(3).U8(4).TextZ("tex.bmp");
  w.U8(0x20).U8(0).U16(2).I16(1).I16(2).I16(3).U32(16384).U16(4).U16(5).U16(6).U16(7).U16(8).U16(9);
  w.U8(0x16).U8(0).U16(0x2AB).I16(-7).U8(0x52).U8(0).U8(0x0F).U8(0x3A);
  w.U8(0x89).U8(0).U32(0x1234ABCD).U8(0x17).U8(0).I16(-1);
  w.U8(0x21).U8(0).U16(22).U16(0x1A).U16(1).U16(2).U16(0x2B).U16(3).U16(4).U16(0x3C).U16(5).U16(6);
  uint32_t jump = static_cast<uint32_t>(b.Here());
  w.U8(0x88).U8(0).I32(static_cast<int32_t>(first - jump));
  w.U8(0x63).U8(0).U16(5).U32(1).U32(0xA).U32(0xB).U32(0xC).U8(0x22).U8(0);
  auto back = [&] {
    return static_cast<int16_t>(first - (b.Here() - 2));
  };  // after the opcode word
  w.U8(0x2F).U8(0).I16(back()).U16(1).U16(2).U16(0).U32(65536);
  w.U16(0).I32(kNorth).U16(0).I32(0x40000000).U16(32768).I32(100);  // 48-bit position and altitude
  w.U8(0x4C).U8(0).I16(back()).U16(3).U16(4).U16(0).U32(131072).U16(0xAB);
  w.U8(0xA0).U8(0).U16(42).U16(4).U16(100).U16(200).U16(1).U16(2).U16(3).U16(4).U16(5).U16(6).U16(
      7);
  w.U16(8).U16(9).U16(10).U16(11).U16(12).U16(13).U16(14).U16(15).U16(16);
  w.U8(0xA0).U8(0).U16(42).U16(11).U16(7).U16(100).U16(200).U16(1).U16(2).U16(3).U16(5).U16(6).U16(
      7);
  w.U16(9).U16(10).U16(11).U16(12).U16(14).U16(15).U16(16).U16(17);
  w.U8(0xA0).U8(0).U16(10).U16(5).U8(0xA).U8(0xB).U8(0xC).U8(0xD);
  w.U8(0x3B).U8(0).I16(back()).I16(-1);
  uint32_t monitor = static_cast<uint32_t>(b.Here());  // its displacement word is unsigned
  w.U8(0x73).U8(0).U16(0xFFFE).I16(1).I16(2).I16(3).I16(4).I16(5).I16(6);
  w.U8(0x64).U8(0).I16(back()).U16(2).I16(1).I16(-2).U8(0x62).U8(0).I16(back()).U16(2).U16(1).U16(
      2);
  // Runway: threshold offsets and extensions are read N, F, N, F and written by end.
  w.U8(0xAA).U8(0).Fill(3).U16(0).I32(kNorth).U16(0).I32(0x40000000).U16(32768).I32(100).U16(1000);
  w.U16(3000).U16(45).U8(0x1F).U8(0x02).U8(4).U8(0x0A).U8(0x49).Fill(2).U16(11).Fill(2).U16(22);
  w.Fill(2).U16(33).Fill(2).U16(0xFFFF).Fill(2).U8(0xAB).U8(2).U8(3).U8(0x1C).U16(546).U16(10);
  w.U16(20).U16(30).Fill(2).U8(0xCD).U8(4).U8(5).U8(0x2D).U16(0).U16(40).U16(50).U16(60);
  b.PatchBodyU32(obj + 21, static_cast<uint32_t>(b.Here() - obj));
  w.U8(0x7B);  // after the object's end: never read
  auto r = RunMulti(b);
  EXPECT_EQ(
      File(r, "bgt10"),
      "ObjID( 00000001 0000ABCD 00000000 FFFFFFFF )\n"
      "LibObj( PWR 7 SIZE 250 SCALE 1.000000 TYPE 0x1f PROP 3 NAME \"Tower\" )\n" +
          Label(first) +
          "\n;;; Forever (Infinite loop)\n;;; Nop \n;;; NopBX\n\tDbx( 4 7 )\n"
          "\tMoveTo( 1 -2 3 )\n"
          "\t;;; DefPPoint instruction is not supported by SCASM.\n\t;;; DefPPoint 1 2 -3 4 -5\n"
          "\tDbx( 11 0 )\tDbw( 1 2 -3 4 -5 )\n"
          "\t;;; MoveToPPt instruction isnot supported by SCASM.\n\t;;; MoveToPPt 9\n"
          "\tDbx( 12 0 )\tDbw( 9 )\n"
          "\tBuilding( 3 4 5  6 7 8  A B )\n\tPolyM( m 1 2 3 1.000000   5 -0 -72 )\n"
          "\tBrightness( 51 )\n\tLoadBitmap( 1f LWS1 ab 1 3 4 tex.bmp )\n"
          "\tTexPoly( m 1 2 3 0.50\t\t4 5 6\n\t\t7 8 9\n\t)\n"
          "\tSetVar( 2AB -7 )\n\tSurfaceColor( 0F 3A )\n\tVarBase( 1234abcd )\n\tTextureEnable( -1 "
          ")\n"
          ";;; IfVarRange3\n\tDbx( 21 0 )\n\tDwd( 22 )\t; " +
          Label(jump) +
          "\n\tDwx( 1a )\t; var1\n\tDwd( 1 2 )\t; min1, max1\n\tDwx( 2b )\t; var2\n"
          "\tDwd( 3 4 )\t; min2, max2\n\tDwx( 3c )\t; var3\n\tDwd( 5 6 )\t; min3, max3\n" +
          Label(jump) + "\n\tJump32( " + Label(first) +
          " )\n\tCallLibObj( 5 1 A B C )\n\tReturn\n\tRefPoint( 2 " + Label(first) +
          " 1.000000 N45:0:0.00 E90:0:0.00 E= 100.500000 v1= 1 v2= 2 )\n\tRefPoint( ind " +
          Label(first) +
          " 0.500000 ab v1= 3 v2= 4 )\n"
          "\tAdvBldg( NORMAL 100 200\n\t\tLEVEL1\t1\t2\t3\t\t4\n\t\tLEVEL2\t5\t6\t7\t8\t9\n"
          "\t\tLEVEL3\t10\t11\t12\t\t13\n\t\tROOF\t14\t\t15\t\t16\n\t)\n"
          "\tAdvBldg( POLY 7 100 200\n\t\tLEVEL1\t1\t2\n\t\tLEVEL2\t5\t6\t7\t\t9\n"
          "\t\tLEVEL3\t10\t11\t12\n\t\tROOF\t14\t15\t16\t\t17\n\t)\n"
          "\tAdvBldg( UNKNOWN[5]\nA B C D )\n\tPitchCall( " +
          Label(first) +
          " ffffffff  )\n"
          "\tMonitor3D( " +
          Label(monitor + 0xFFFE) + " 1 2  3 4  5 6 )\n\tEnumBitmaps( " + Label(first) +
          " 1 -2 )\n\tMonitorPt( " + Label(first) +
          "\n\t\t1 2 )\n"
          "\tRunway( N45:0:0.00 E90:0:0.00\n\t\talt\t100.50\n\t\theading\t5.50\n\t\tlength\t3000\n"
          "\t\twidth\t45\n\t\tmarkers\t1F\n\t\tthreshold\t02\n\t\tsurface\t4\n\t\tlights\t0A\n"
          "\t\tid\t9L\n\t\tThrOffN\t11\n\t\tExtN\t33\n\t\tThrOffF\t22\n\t\tExtF\t65535\n"
          "\t\tTHRLightsN\tab\n\t\tAprLN\t2\n\t\tStrobesN\t3\n\t\tVasiTypeN\t1c\n"
          "\t\tVasiSlopeN\t3.00\n\t\tVasiSideN\t10\n\t\tVasiDistN\t20\n\t\tVasiSpaceN\t30\n"
          "\t\tTHRLightsF\tcd\n\t\tAprLF\t4\n\t\tStrobesF\t5\n\t\tVasiTypeF\t2d\n"
          "\t\tVasiSlopeF\t0.00\n\t\tVasiSideF\t40\n\t\tVasiDistF\t50\n\t\tVasiSpaceF\t60\n\t)\n"
          "EndObj\n\n\n");
}

TEST(ReferenceLibrary, Fs98LayoutWritesLibObj1AndCallLibObj1) {
  BglBuilder b = NewFile();
  b.BeginSection(10);
  b.Body().U32(60).U32(1).U32(2).U32(3).U32(4).U32(60).U32(5).U32(6).U32(7).U32(8).U32(0).Fill(16);
  b.Body().Fill(16).U8(7).U16(16 + 1 + 2 + 2 + 18);
  b.Body().U8(0x22).U8(0).U8(0x63).U8(0).U32(1).U32(2).U32(3).U32(0xFF).U8(0x7B);
  auto r = RunMulti(b, false, true);
  const std::string object =
      "LibObj1( 1 2 3 4 7 )\n\tReturn\n\tCallLibObj1( 1 2 3 FF )\nEndObj\n\n\n";
  EXPECT_EQ(File(r, "bgt10"), "ObjID( 00000001 00000002 00000003 00000004 )\n" + object +
                                  "ObjID( 00000005 00000006 00000007 00000008 )\n" + object);
}

TEST(ReferenceDynamic, Area15RecordsAndTheCloseBeforeAnUnknownTopLevelRecord) {
  BglBuilder b = NewFile();
  OneLatRange(b, 15);
  ByteWriter& w = b.Body();
  ForwardJumps jumps{b, {}};
  w.U8(4).U16(0).U16(0x1000).U16(0x4000).U16(0xC000).U16(0);
  size_t afterN = b.Here();
  w.U16(0xF000).U16(0x0800).U16(0x2000).U16(0).Fill(24, 0x99);
  uint32_t gear = static_cast<uint32_t>(b.Here());
  w.U8(0x04).U8(5).U8(0x01).I16(0x4000).I16(32767).U8(0x24).I16(-7);
  w.U8(0x28).Bytes({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
  w.U8(0x19).U16(3).U16(2048).I16(-4).U8(0x20).U16(1).U16(0x4000).U16(2);
  jumps.Op({0x32, 0xAB, 0}).U16(0).U8(0x35);
  w.U8(0x33).U16(0).U24(kN36).U16(0).U16(0).U24(kW90).U16(32768).U16(10).U16(0);
  uint32_t call = static_cast<uint32_t>(b.Here());  // to the 24-bit latitude: no label line there
  w.U8(0x25).I16(6);
  w.U8(0x33).U16(0).U24(0x7FFFFF).U16(0).U16(0).U24(0).U16(0).U16(0).U16(
      0);  // wrapped, then halved
  jumps.Op({0x35}).U16(0).U16(0).U8(0x12).U32(1).U32(2).U32(0xA).U32(0xFFFFFFFFu);
  w.U8(0x40).I32(kNorth).U32(kEast).U32(7).U8(0xFF).I16(-300).U16(0x4000).U32(5).U32(6);
  jumps.Op({0x43}).U32(0).U32(0x4000).U32(3).U16(0x4000).U32(4).U32(5);
  w.U8(0x41).U16(0).I32(kNorth).U16(0).I32(0x40000000).U16(0).U32(7).U32(0x40000000);
  w.U8(0x27).I16(-5).U8(0x31).U8(10).U8(0xAB).U8(0x0C).U8(0xFF);
  uint32_t ret = static_cast<uint32_t>(b.Here());
  w.U8(0x26);
  b.PatchBodyU16(afterN - 2, static_cast<uint32_t>(b.Here() - afterN));
  jumps.PatchTo(ret);
  w.U8(0x77).U8(0);
  auto r = RunMulti(b);
  const std::string ref = Label(ret);
  EXPECT_EQ(
      File(r, "bgt15-1"),
      Block(15, "Dynamic scenery") + kLatRangeLine +
          "Area15( S0:0:0.00 N18:52:15.84 E90:0:0.00 W90:0:0.00\n"
          "\tS18:52:15.84 N9:26:7.92 E45:0:0.00 W0:0:0.00 )\n" +
          Label(gear) + "\n\tGear( 1 )\n\tPitchTo( 90.00 180.00 )\n\tJump( " + Label(gear) +
          " )\n\t; SetPos(0x28)\n\tDbx( 28 1 2 3 4 5 6 7 8 9 A B C )\n"
          "\tAccelerateX( 3 0.50 -4 )\n\tTurn( 1 90.000000 2 )\n\tPattern( " +
          ref +
          " 0AB 3 5 )\n"
          "\tSetPos( N18:0:0.00 W45:0:0.00 10.500000 )\n\tCall( " +
          Label(call + 6) +
          " )\n\tSetPos( S14:30:56.69 W0:0:0.00 0.000000 )\n"
          "\tCallDLibObj( " +
          ref +
          " 1 2\n\t\t00000001 00000002 0000000A FFFFFFFF )\n"
          "\tD_40( N45:0:0.00 E90:0:0.00 7 -1 -300 90.000000 5 6)\n\tMonitorRwy( " +
          ref +
          " S0:0:0.00 E90:0:0.00 3 90.000000 4 5 )\n\tTaxiTo( N45:0:0.00 E90:0:0.00 7 90.000000 )\n"
          "\tHold( -5 )\n\tSetColor( 10 AB C )\n\tExit\n" +
          ref + "\n\tReturn\nEnd15\n\n; unknown record: 0x77\n");
}

TEST(ReferenceMarkers, TopLevelRecords) {
  BglBuilder b = NewFile();
  OneLatRange(b, 16);
  ByteWriter& w = b.Body();
  w.U8(4).U8(0).U24(kN18).U24(kE45).U16(150).U8(0);
  w.U8(6).U8(0).U24(kS18).U24(kW90).U16(0).U8(0);
  w.U8(7).U8(0).U24(kN18).U24(kE45).U24(3 * 256 + 128);
  w.U24(kS18).U24(kW90).U24(0x800000).U8(0).U8(0);
  w.TextZ("ILS 27 (X)").U8(0x49).U8(0x1B);
  w.U8(100).U8(0).U24(kN18).U24(kS18).U24(kE45).U24(kW90).U16(5).U8(2).U8(3);
  w.U8(230).U8(0).U32(0).U16(9).U16(2).U16(0).U32(3 * 65536);
  w.U32(0x10000000).U32(0x20000000).U32(0).U32(0xC0000000u);
  w.U8(230).U8(0).U32(0).U16(2).U16(0).U16(0).U32(0);
  w.U8(0x55).U8(0);
  auto r = RunMulti(b);
  EXPECT_EQ(File(r, "bgt16-1"),
            Block(16, "IMO Marker, Landme") + kLatRangeLine +
                "\tIM( N18:0:0.00 E45:0:0.00 150 )\n\tOM( S18:0:0.00 W90:0:0.00 0 )\n"
                "LandMe( N18:0:0.00 E45:0:0.00 3.50 9L\n\tS18:0:0.00 W90:0:0.00 32768.00 "
                "27\n\tILS_27_{X} )\n"
                "\tTimeZone( N18:0:0.00 S18:0:0.00 E45:0:0.00 W90:0:0.00 5 2 3 )\n"
                "\tFlattenPoly( 9 2 3.000000\n\t\tN22:30:0.00 E45:0:0.00\n\t\tS0:0:0.00 "
                "E270:0:0.00\n\t)\n"
                "\tFlattenPoly( FEMT_LAKE 0 0.000000\n\t)\n"
                ";;; unknown record: 0x55\n");
}

TEST(ReferenceMarkers, Area16RecordsAndAZeroLengthArea) {
  BglBuilder b = NewFile();
  OneLatRange(b, 16);
  ByteWriter& w = b.Body();
  ForwardJumps jumps{b, {}};
  size_t area = b.Here();
  w.U8(101).U8(0).U24(kN18).U24(kS18).U24(kE45).U24(kW90);
  jumps.Op({0x77, 0}).U16(1).U16(2).U16(0).U32(131072).U16(0).I32(kNorth).U16(0).U32(kEast);
  w.U16(0).U32(99);
  jumps.Op({0x2F, 0}).U16(3).U16(4).U16(0).U32(0).U16(0).I32(-kNorth).U16(0).U32(kWest);
  w.U16(0).U32(99);
  w.U8(0x71).U8(0).I16(-20);
  jumps.Op({0x24, 0}).U16(0x1A).U16(1).U16(9);
  jumps.Op({0x33, 0}).U16(0x4000).U16(0x8000).U16(0);
  jumps.Op({0x39, 0}).U16(0x1A).U16(0xFF);
  jumps.Op({0x54, 0}).U16(0x2B);
  jumps.Op({0x70, 0}).U16(2).I16(1).I16(-2).I16(3).I16(4);
  jumps.Op({0x0D, 0});
  uint32_t ret = static_cast<uint32_t>(b.Here());
  w.U8(0x22).U8(0);
  w.Data()[area + 1 - b.HeaderLength()] = static_cast<uint8_t>(b.Here() - area);
  jumps.PatchTo(ret);
  uint32_t second = static_cast<uint32_t>(b.Here());
  w.U8(101).U8(0).U24(kN18).U24(kS18).U24(kE45).U24(kW90).U8(0x71).U8(0).I16(5).U8(0);
  auto r = RunMulti(b);
  const std::string ref = Label(ret);
  const std::string area16 = "Area16( N18:0:0.00 S18:0:0.00 E45:0:0.00 W90:0:0.00 )\n";
  EXPECT_EQ(File(r, "bgt16-1"),
            Block(16, "IMO Marker, Landme") + kLatRangeLine + area16 + "\tRefPoint( 7 " + ref +
                " 0.500000 N45:0:0.00 E90:0:0.00 v1= 1 v2= 2 )\n\tRefPoint( 2 " + ref +
                " 65536.000000 S45:0:0.00 W90:0:0.00 E= 99 v1= 3 v2= 4 )\n\tSetElevation( -20 )\n"
                "\tIfVarRange( " +
                ref + " 1A 1 9 )\n\tRotatedCall( " + ref +
                " 90.00 180.00 0.00 )\n"
                "\tIfVarAnd( " +
                ref + " 1A FF )\n\tCallAsm( " + ref + " 2B )\n\tSenseBorder( " + ref +
                "\n\t\t1 -2\n\t\t3 4\n\t)\n\tJump( " + ref + " )\n" + ref +
                "\n\tReturn\nEnd16\n\n" + area16 +
                "\tSetElevation( 5 )\n;;;;; EndA Overrun. (now:0x" + Hex(second + 18) +
                ", enda:0x" + Hex(second) + "\nEnd16\n\n");
}

}  // namespace
