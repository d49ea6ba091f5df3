// The single-pass sections: VOR and ILS stations (0), ATIS (13), NDB (14),
// airport menus (11), exclusion rectangles (19) and synthetic scenery (1-6),
// with their fatal "unknown record" cases.
#include <gtest/gtest.h>

#include "tests/bgltext/run_helpers.h"
#include "tests/bgltext/scenery_program_writer.h"

namespace bgltest {
namespace {

constexpr char kEmptyLatRange[] = "LatRange( S0:0:0.00 S0:0:0.00 )\n";

bool EndsWith(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

std::string Padded(std::string text, size_t width, char pad) {
  text.resize(width, pad);
  return text;
}

// Section 0: frequencies 108.00 to 108.10; the second and third entries
// each have a band list with the same latitude pair.
std::vector<uint8_t> VorIlsImage(uint16_t secondBandWord = 0) {
  BglBuilder b;
  b.Frequencies(0, 2);
  uint32_t s = b.BeginSection(0);
  size_t table = b.Here();
  b.Body().U8(1).U32(0).U8(1).U32(0).U8(1).U32(0);
  size_t list1 = b.Here();
  b.PatchBodyU32(table + 6, static_cast<uint32_t>(list1 - s));
  b.Body().U8(21).U16(0).U16(0).U32(0).U8(0);
  size_t list2 = b.Here();
  b.PatchBodyU32(table + 11, static_cast<uint32_t>(list2 - s));
  b.Body().U8(21).U16(secondBandWord).U16(0).U32(0).U8(0);
  b.PatchBodyU32(list1 + 5, static_cast<uint32_t>(b.Here() - s));
  b.Body().U8(4).U8(5).U16(0x4000).U8(0x1F).U24(Lat24Raw(18)).U24(Lon24Raw(90)).U16(100).U16(0x2000);
  b.Body().Text("ABC  ").Text(Padded("A B (X)", 24, ' ')).U8(0);
  b.PatchBodyU32(list2 + 5, static_cast<uint32_t>(b.Here() - s));
  b.Body().U8(5).U8(7).U16(0).U8(0x20).U24(Lat24Raw(18)).U24(Lon24Raw(-90)).U16(50).U16(0x8000);
  b.Body().Text(Padded("IXYZ", 5, '\0')).Text(Padded("RWY 09", 24, '\0'));
  b.Body().U24(0).U24(Lon24Raw(90)).U16(60).U16(0x2000);
  b.Body().U8(0x14).Bytes({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17}).U8(9).U8(0);
  return b.Build();
}

constexpr char kVor[] = "\tVOR( 108.05 5 1F 90.00 ABC A_B_{X}\n\t\tN18:0:0.00 E90:0:0.00 100 45.00 )\n";
constexpr char kIlsAndOthers[] =
    "\tILS( 108.10 7 20 0.00 IXYZ RWY_09\n\t\tN18:0:0.00 W90:0:0.00 50 180.00\n\t\tS0:0:0.00 E90:0:0.00 60 3.58 )\n"
    ";;; unknown record (0x14)\n;;; 0x1 0x2 0x3 0x4 0x5 0x6 0x7 0x8 0x9 0xa 0xb 0xc 0xd 0xe 0xf 0x10 0x11 \n"
    ";;; unknown record (0x9)\n";

TEST(VorIlsSection, StationsByFrequencyAndBand) {
  auto r = RunBgl(VorIlsImage());
  ASSERT_EQ(r.status, 0) << r.console;
  // The second band repeats the first pair: its stations join the first file.
  EXPECT_EQ(SectionBody(SingleText(r), 0), std::string(kEmptyLatRange) + kVor + kIlsAndOthers);

  auto multi = RunBgl(VorIlsImage(), MultiOptions());
  EXPECT_EQ(MultiText(multi, "bgt0-0.sca"),
            std::string(";;; Disassembled by bgltext ver 2.2\n;;; section 0 - VOR, ILS\n"
                        "Header( 1 S0:0:0.00 S0:0:0.00 W0:0:0.00 W0:0:0.00 )\n") +
                kEmptyLatRange + kVor + kIlsAndOthers);
  EXPECT_EQ(multi.files.count(MultiPath("bgt0-1.sca")), 0u);

  // A new pair opens the next band file.
  auto two = RunBgl(VorIlsImage(LatRangeWord(18)), MultiOptions());
  EXPECT_TRUE(EndsWith(MultiText(two, "bgt0-0.sca"), std::string(kEmptyLatRange) + kVor));
  std::string second = MultiText(two, "bgt0-1.sca");
  EXPECT_TRUE(EndsWith(second, kIlsAndOthers)) << second;
  EXPECT_NE(second.find(";;; section 0 - VOR, ILS\n"), std::string::npos) << second;
  EXPECT_NE(second.find("LatRange( N17:59:"), std::string::npos) << second;
}

TEST(VorIlsSection, UnknownTableBytesAreFatal) {
  BglBuilder b;
  b.BeginSection(0);
  b.Body().U8(2);
  auto r = RunBgl(b.Build());
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(EndsWith(r.console, "unknown record\n")) << r.console;

  BglBuilder c;
  uint32_t s = c.BeginSection(0);
  c.Body().U8(1).U32(5).U8(7);
  EXPECT_EQ(c.Here() - s, 6u);
  r = RunBgl(c.Build());
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(EndsWith(r.console, "unknown record\n")) << r.console;
}

ByteWriter AtisRecord(const std::string& message, bool zeroLength = false) {
  ByteWriter w;
  w.U8(4).U16(0x1810).U24(Lat24Raw(18)).U24(Lon24Raw(90)).U8(10).U16(0).U8(0x49).U8(0xC9).U8(0).U8(0x89);
  w.TextZ(message);
  if (!zeroLength) w.PatchU16(10, static_cast<uint32_t>(w.Size()));
  return w;
}

constexpr char kAtis[] = "ATIS(\n\t20\n\tN18:0:0.00\n\tE90:0:0.00\n\t118.10\n\t9L 9C 0 9R\n\tHELLO_{A}_%A )\n";

TEST(AtisSection, RecordsFollowTheirLength) {
  ByteWriter unit = AtisRecord("HELLO (A) \x80");
  unit.Bytes(AtisRecord("HELLO (A) \x80").Data()).U8(0);
  auto r = RunBgl(LatRangeImage(13, kRecordsAt, unit.Data()));
  ASSERT_EQ(r.status, 0) << r.console;
  EXPECT_EQ(SectionBody(SingleText(r), 13), std::string(kEmptyLatRange) + kAtis + kAtis);
}

TEST(AtisSection, ZeroLengthEndsTheWalkAndTruncationIsNotFatal) {
  ByteWriter unit = AtisRecord("HELLO (A) \x80", true);
  unit.U8(5);  // would be fatal if the record were read again
  auto r = RunBgl(LatRangeImage(13, kRecordsAt, unit.Data()));
  EXPECT_EQ(r.status, 0) << r.console;
  EXPECT_EQ(SectionBody(SingleText(r), 13), std::string(kEmptyLatRange) + kAtis);

  auto cut = LatRangeImage(13, kRecordsAt, AtisRecord("HELLO").Data());
  cut.resize(cut.size() - 4);
  r = RunBgl(cut);
  EXPECT_EQ(r.status, 0) << r.console;
  EXPECT_EQ(SectionBody(SingleText(r), 13), std::string(kEmptyLatRange) + "EOF!!!\n");
}

TEST(AtisAndNdbSections, UnknownRecordIsFatalWithoutLineEnd) {
  for (int section : {13, 14}) {
    auto r = RunBgl(LatRangeImage(section, kRecordsAt, {5}));
    EXPECT_EQ(r.status, 1) << section;
    EXPECT_TRUE(EndsWith(r.console, "\tLatRange 1\nunknown record")) << r.console;
  }
}

TEST(NdbSection, OneLinePerStation) {
  ByteWriter unit;
  for (int i = 0; i < 2; ++i) {
    unit.U8(4).U16(0x0345).U8(0x67).U24(Lat24Raw(18)).U24(Lon24Raw(90)).U16(50).U8(12);
    unit.Text(Padded("NDB", 5, '\0')).Text(Padded("MY NDB", 24, '\0'));
  }
  unit.U8(0);
  auto r = RunBgl(LatRangeImage(14, kRecordsAt, unit.Data()));
  ASSERT_EQ(r.status, 0) << r.console;
  constexpr char kNdb[] = "\tNDB( 345.67 24 NDB MY_NDB N18:0:0.00 E90:0:0.00 50 )\n";
  EXPECT_EQ(SectionBody(SingleText(r), 14), std::string(kEmptyLatRange) + kNdb + kNdb);
}

std::vector<uint8_t> MenuImage(bool zeroLength, uint8_t entryByte = 3) {
  BglBuilder b;
  uint32_t s = b.BeginSection(11);
  size_t first = b.Here();
  b.Body().U8(1).U16(zeroLength ? 0 : 17).U32(0).TextZ("Title (1)");
  size_t second = b.Here();
  b.Body().U8(1).U16(14).U32(0).TextZ("Second").U8(0);
  b.PatchBodyU32(first + 3, static_cast<uint32_t>(b.Here() - s));
  b.Body().U8(entryByte).U16(0).I32(640112000).I32(0).I32(416).U16(0x2001);
  b.Body().U16(0x1810).U16(0x2275).U16(7).U16(0x1925).U16(9).TextZ("Gate (A)").U8(0);
  b.PatchBodyU32(second + 3, static_cast<uint32_t>(b.Here() - s));
  b.Body().U8(0);
  return b.Build();
}

constexpr char kMenuHead[] =
    ";;; Disassembled by bgltext ver 2.2\n;;; section 11 - Airport\n"
    "Header( 1 S0:0:0.00 S0:0:0.00 W0:0:0.00 W0:0:0.00 )\nLatRange( S0:0:0.00 S0:0:0.00 )\n";

TEST(MenuSection, OneFilePerMenu) {
  auto r = RunBgl(MenuImage(false), MultiOptions());
  ASSERT_EQ(r.status, 0) << r.console;
  EXPECT_EQ(MultiText(r, "bgt11-1.sca"),
            std::string(kMenuHead) +
                "Menu( Title_{1} )\nMenuEntry(\n\tN45:0:0.00\n\tS0:0:0.00\n\t1.63\n\t45.01\n\t118.10\n\t122.75\n\t7\n"
                "\t119.25\n\t9\n\tGate_{A} )\n");
  EXPECT_EQ(MultiText(r, "bgt11-2.sca"), std::string(kMenuHead) + "Menu( Second )\n");
}

TEST(MenuSection, ZeroLengthEndsAndUnknownEntryIsFatal) {
  auto r = RunBgl(MenuImage(true), MultiOptions());
  EXPECT_EQ(r.status, 0) << r.console;
  EXPECT_EQ(r.files.count(MultiPath("bgt11-1.sca")), 1u);
  EXPECT_EQ(r.files.count(MultiPath("bgt11-2.sca")), 0u);

  r = RunBgl(MenuImage(false, 4));
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(EndsWith(r.console, "unknown record\n")) << r.console;

  BglBuilder b;
  b.BeginSection(11);
  b.Body().U8(2);
  r = RunBgl(b.Build());
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(EndsWith(r.console, "unknown record\n")) << r.console;
}

TEST(ExclusionSection, RectanglesAndStrayBytes) {
  BglBuilder b;
  b.BeginSection(19);
  b.Body().U8(3).U16(0x1F).I32(Lat32Raw(45)).I32(0).U32(Lon32Raw(90)).U32(Lon32Raw(-90)).U8(7).U8(0);
  auto r = RunBgl(b.Build());
  ASSERT_EQ(r.status, 0) << r.console;
  EXPECT_EQ(SectionBody(SingleText(r), 19),
            "GenIncl( exclude.bgl 1f\n\tN45:0:0.00 S0:0:0.00 E90:0:0.00 W90:0:0.00\n"
            "\tN45:0:0.00 S0:0:0.00 E90:0:0.00 W90:0:0.00 )\nDbx( 7 )\n");
}

std::vector<uint8_t> SynthImage(uint16_t first, uint16_t last, uint8_t blockByte = 4) {
  BglBuilder b;
  uint32_t s = b.BeginSection(3);
  b.Body().U8(22).U16(5).U32(8).U8(0);
  b.Body().U8(blockByte).U16(10).U8(0x1A).U8(0x2B).U16(0x3C).U8(0x80).U16(7);
  b.Body().U8(5).U16(first).U16(last).U8(1).U8(2).U16(3).U8(0).U16(4).U8(5).U8(6).U16(7).U8(0x40).U16(8).U8(0);
  EXPECT_EQ(s + 8, 0x88u);
  return b.Build();
}

TEST(SyntheticSection, BlocksAndRuns) {
  auto r = RunBgl(SynthImage(1, 2));
  ASSERT_EQ(r.status, 0) << r.console;
  EXPECT_EQ(SectionBody(SingleText(r), 3),
            std::string(kEmptyLatRange) +
                "Synth 3 5\n\tBlock 10 1A 2B 3C 7.500000\n\tBlock 1 1 2 3 4.000000\n\tBlock 2 5 6 7 8.250000\n");
}

TEST(SyntheticSection, FatalCases) {
  auto r = RunBgl(SynthImage(2, 1));
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(EndsWith(r.console, "illegal longitude in synth block\n")) << r.console;
  r = RunBgl(SynthImage(1, 2, 6));
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(EndsWith(r.console, "unknown record\n")) << r.console;
  BglBuilder b;
  b.BeginSection(6);
  b.Body().U8(9);
  r = RunBgl(b.Build());
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(EndsWith(r.console, "unknown record\n")) << r.console;
}

}  // namespace
}  // namespace bgltest
