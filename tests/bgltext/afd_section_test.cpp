// Section 20, the airport/facility directory: the last word of each table
// and the unknown frequency kind, long and zero-ended names, and what
// malformed sizes, lengths and a file cut short do.
#include <gtest/gtest.h>

#include "tests/bgltext/bgl_builder.h"
#include "tests/bgltext/run_helpers.h"

namespace bgltest {
namespace {

constexpr uint32_t kApt = 1, kCity = 0x40001;

const std::string kGuidLines =
    "; GUID = 1 23 45 67 89 ab cd ef 0 10 f f0 7f 80 ff a \n"
    "; version = 200\n";

struct Afd {
  Afd() : afd(b) {
    b.Extended({0x01, 0x23, 0x45, 0x67, 0x89, 0xab, 0xcd, 0xef, 0x00, 0x10, 0x0f, 0xf0, 0x7f, 0x80,
                0xff, 0x0a},
               0x200);
  }
  std::string Decode() {
    auto r = RunBgl(b.Build());
    EXPECT_EQ(r.status, 0) << r.console;
    return SectionBody(SingleText(r), 20);
  }
  BglBuilder b;
  AfdWriter afd;
};

TEST(AfdSection, LastTableWordsAndSizesThatEndAContainerOrTheWalk) {
  Afd a;
  a.afd.BeginContainers();
  a.afd.BeginContainer(4);                                      // no kind word
  a.afd.Located(0x10002, 0, 0, 0, {0, 0, 0, 0, 4, 0, 9});       // the last word of each table
  a.afd.Located(0x10004, 0, 0, 0, {0, 0, 8, 11, 0, 0}, "A B");  // navaid
  a.afd.Frequency(0, 0);
  a.afd.EndContainer();
  a.afd.BeginContainer(kApt);
  a.b.Body().U32(0x10006).U32(2).TextZ("LONGER");  // ICAO text longer than the size
  a.afd.Icao("NEXT");
  a.afd.EndContainer();
  uint32_t third = a.afd.BeginContainer(kApt);
  a.afd.Icao("AAAA");
  a.afd.EndContainer();
  a.b.PatchBodyU32(third + 4, 8);  // a size that ends inside its own records
  a.afd.BeginContainer(kApt);
  a.afd.Icao("BBBB");
  a.afd.EndContainer();
  a.afd.EndContainers();
  a.afd.BeginNameLists();
  a.afd.EndNameLists();
  EXPECT_EQ(a.Decode(), kGuidLines +
                            "Container(  1 )\n"
                            "\tRwyLoc( S0:0:0.00 W0:0:0.00 0.00 \n"
                            "\t\t0.000000 0.000000 0 0 H 0 WATER )\n"
                            "\tNavaid( S0:0:0.00 W0:0:0.00 0.00 \n"
                            "\t\t0.000000 000.00 TACAN BC 0\n"
                            "\t\t\"A B\" )\n"
                            "\tFrequency( 000.00  ? )\n"
                            "EndC\n\n"
                            "Container( APT 2 )\n\tICAO_ID( \"LONGER\" )\nEndC\n\n"
                            "Container( APT 3 )\n\tICAO_ID( \"AAAA\" )\nEndC\n\n");
}

TEST(AfdSection, NameTextsAndAnEntryTooShortForItsFields) {
  Afd a;
  a.afd.BeginContainers();
  a.afd.EndContainers();
  a.afd.BeginNameLists();
  a.afd.BeginNameList(1, 4);
  std::string longName(150, 'x');
  a.afd.NameEntry(kCity, 0, longName);
  a.b.Body().U32(0x30002).U32(8 + 6).U32(kCity).U32(0).Bytes({'a', 'b', 0, 'c', 'd', 0});
  a.b.Body().U32(0x30002).U32(4);  // length below kind + reference: the list ends
  a.afd.NameEntry(kCity, 0, "Never read as an entry of this list");
  a.afd.EndNameList();
  a.afd.BeginNameList(2, 1);
  a.afd.NameEntry(kCity, 0, "Two");
  a.afd.EndNameList();
  a.afd.EndNameLists();
  EXPECT_EQ(a.Decode(), kGuidLines + "NameList( 1 )\n\tNameEntry( CITY 0 \"" + longName +
                            "\")\n\tNameEntry( CITY 0 \"ab\")\nEndNL\n\n"
                            "NameList( 2 )\n\tNameEntry( CITY 0 \"Two\")\nEndNL\n\n");
}

TEST(AfdSection, TruncatedDirectoryEndsTheRunWithFailure) {
  Afd a;
  a.afd.BeginContainers();
  a.afd.BeginContainer(kApt);
  a.afd.Icao("KSEA");
  auto file = a.b.Build();
  file.resize(file.size() - 2);
  auto r = RunBgl(file);
  EXPECT_EQ(r.status, 1);
  std::string text = SingleText(r);
  // The identifier is written byte by byte up to where the file ends.
  const std::string expected = "Container( APT 1 )\n\tICAO_ID( \"KSEEOF!!!\n";
  ASSERT_GE(text.size(), expected.size());
  EXPECT_EQ(text.substr(text.size() - expected.size()), expected) << text;
  EXPECT_EQ(r.console.find("Done."), std::string::npos);
}

}  // namespace
}  // namespace bgltest
