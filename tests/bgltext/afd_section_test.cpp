// Section 20, the airport/facility directory: containers with every
// sub-record, name lists and the container numbers their entries name, the
// last word of each table, long and zero-ended names, and what malformed
// sizes, lengths and a file cut short do.
#include <gtest/gtest.h>

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

TEST(AfdSection, ContainersSubRecordsAndNameLists) {
  BglBuilder b = UsualBuilder();
  b.Extended({}, 0x10);
  AfdWriter afd(b);
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
  afd.NameEntry(0x10001, 0, "Europe");
  afd.NameEntry(0x20001, 0, "United States");
  afd.NameEntry(0x30001, 0, "Washington");
  afd.NameEntry(0x40001, 0, "Seattle");
  afd.NameEntry(0x50001, apt, "Seattle Tacoma Intl");
  afd.NameEntry(0x50003, vor, "Seattle VOR");
  afd.NameEntry(0x50004, ndb, "Alki");
  afd.NameEntry(0x60001, 0, "Odd");
  body.U32(0x30003).U32(99);                                    // not a name entry: 8 bytes
  body.U32(0x30002).U32(13).U32(0x40001).U32(0).Text("Hello");  // no 0 byte
  afd.NameEntry(0x50001, 12345, "Nowhere");
  afd.NameEntry(0x50001, apt + 4, "Inside");
  afd.EndNameList();
  afd.BeginNameList(0xff, 1);
  afd.NameEntry(0x50001, apt, "Boeing Field");
  afd.EndNameList();
  afd.EndNameLists();

  auto r = RunBgl(b.Build(), MultiOptions());
  EXPECT_EQ(r.status, 0) << r.console;
  EXPECT_EQ(MultiText(r, "bgt20.sca"),
            Block(20, "Airport Facility Directory", kUsualHeaderBlock) +
                "; GUID = 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 \n; version = 10\n" +
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

// The last word of each table, sizes that end a container or the walk, long
// and zero-ended names, and an entry too short for its fields.
TEST(AfdSection, LastTableWordsSizesThatEndAContainerAndNameTexts) {
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
                            "Container( APT 3 )\n\tICAO_ID( \"AAAA\" )\nEndC\n\n"
                            "NameList( 1 )\n\tNameEntry( CITY 0 \"" +
                            longName +
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
  // The identifier is written up to where the file ends.
  EXPECT_TRUE(EndsWith(SingleText(r), "Container( APT 1 )\n\tICAO_ID( \"KSEEOF!!!\n"));
  EXPECT_EQ(r.console.find("Done."), std::string::npos);
}

}  // namespace
}  // namespace bgltest
