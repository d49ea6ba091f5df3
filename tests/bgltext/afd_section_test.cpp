// Section 20, the airport/facility directory: containers, every sub-record,
// name lists, container numbers, the table fallbacks, and what malformed
// sizes and lengths do. Coordinates are chosen to be exact in binary
// (22.5 degrees, 1.40625 degrees = 2^24 longitude units, ...).
#include <gtest/gtest.h>

#include "tests/bgltext/bgl_builder.h"
#include "tests/bgltext/run_helpers.h"

namespace bgltest {
namespace {

constexpr uint32_t kApt = 1, kVor = 2, kNdb = 3;
constexpr uint32_t kRegion = 0x10001, kCountry = 0x20001, kState = 0x30001, kCity = 0x40001,
                   kAirport = 0x50001, kVorName = 0x50003, kNdbName = 0x50004;

std::array<uint8_t, 16> Guid() {
  return {0x01, 0x23, 0x45, 0x67, 0x89, 0xab, 0xcd, 0xef,
          0x00, 0x10, 0x0f, 0xf0, 0x7f, 0x80, 0xff, 0x0a};
}

const std::string kGuidLines =
    "; GUID = 1 23 45 67 89 ab cd ef 0 10 f f0 7f 80 ff a \n"
    "; version = 200\n";

struct Afd {
  Afd() : afd(b) { b.Extended(Guid(), 0x200); }
  std::string Decode() {
    auto r = RunBgl(b.Build());
    EXPECT_EQ(r.status, 0) << r.console;
    return SectionBody(SingleText(r), 20);
  }
  BglBuilder b;
  AfdWriter afd;
};

TEST(AfdSection, EmptyListsWriteGuidAndVersionOnly) {
  Afd a;
  a.afd.BeginContainers();
  a.afd.EndContainers();
  a.afd.BeginNameLists();
  a.afd.EndNameLists();
  EXPECT_EQ(a.Decode(), kGuidLines);
}

TEST(AfdSection, AirportContainerWithEverySubRecord) {
  Afd a;
  a.afd.BeginContainers();
  a.afd.BeginContainer(kApt);
  a.afd.AirportPosition(22.5, 1.40625, 100.25);
  a.afd.Runway(22.5, 1.40625, 100.25, 0x40000000u, 0x20000000u, -3, 1500, 1, -1, 3);
  a.afd.StartPosition(-45.0, -1.40625, -1.5, 0x40000000u, 7, 2, 3);
  a.afd.Navaid(45.0, 90.0, 0.0, 0x20000000u, 0x01234500u, 1, 3, 130, "SEATTLE");
  a.afd.Icao("KSEA");
  a.afd.Frequency(0x01180000u, 1);
  a.afd.EndContainer();
  a.afd.EndContainers();
  a.afd.BeginNameLists();
  a.afd.EndNameLists();
  EXPECT_EQ(a.Decode(), kGuidLines +
                            "Container( APT 1 )\n"
                            "\tAPLocation( N22:30:0.00 E1:24:22.50 100.25 )\n"
                            "\tRwyLoc( N22:30:0.00 E1:24:22.50 100.25 \n"
                            "\t\t90.000000 45.000000 -3 1500 L -1 ASPHALT )\n"
                            "\tSetupLoc( S45:0:0.00 W1:24:22.50 -1.50 \n"
                            "\t\t90.000000 7 R 3 )\n"
                            "\tNavaid( N45:0:0.00 E90:0:0.00 0.00 \n"
                            "\t\t45.000000 123.45 VOR HIGHALT 130\n"
                            "\t\t\"SEATTLE\" )\n"
                            "\tICAO_ID( \"KSEA\" )\n"
                            "\tFrequency( 118.00  ATIS )\n"
                            "EndC\n\n");
}

TEST(AfdSection, TableIndicesBeyondTheTablesAreWrittenAsNumbers) {
  Afd a;
  a.afd.BeginContainers();
  a.afd.BeginContainer(4);  // no kind word
  a.afd.Runway(0, 0, 0, 0, 0, 0, 0, 7, 0, 12);
  a.afd.Runway(0, 0, 0, 0, 0, 0, 0, 4, 0, 9);  // the last word of each table
  a.afd.StartPosition(0, 0, 0, 0, 0, 5, 0);
  a.afd.Navaid(0, 0, 0, 0, 0x0ABCDE00u, 9, 12, -1, "");
  a.afd.Navaid(0, 0, 0, 0, 0, 8, 11, 0, "A B");
  a.afd.Frequency(0, 13);
  a.afd.Frequency(0, 0);
  a.afd.Frequency(0, 12);
  a.afd.EndContainer();
  a.afd.EndContainers();
  a.afd.BeginNameLists();
  a.afd.EndNameLists();
  EXPECT_EQ(a.Decode(), kGuidLines +
                            "Container(  1 )\n"
                            "\tRwyLoc( S0:0:0.00 W0:0:0.00 0.00 \n"
                            "\t\t0.000000 0.000000 0 0 7 0 12 )\n"
                            "\tRwyLoc( S0:0:0.00 W0:0:0.00 0.00 \n"
                            "\t\t0.000000 0.000000 0 0 H 0 WATER )\n"
                            "\tSetupLoc( S0:0:0.00 W0:0:0.00 0.00 \n"
                            "\t\t0.000000 0 5 0 )\n"
                            "\tNavaid( S0:0:0.00 W0:0:0.00 0.00 \n"
                            "\t\t0.000000 101112.1314 9 12 -1\n"
                            "\t\t\"\" )\n"
                            "\tNavaid( S0:0:0.00 W0:0:0.00 0.00 \n"
                            "\t\t0.000000 000.00 TACAN BC 0\n"
                            "\t\t\"A B\" )\n"
                            "\tFrequency( 000.00  13 )\n"
                            "\tFrequency( 000.00  ? )\n"
                            "\tFrequency( 000.00  AWOS )\n"
                            "EndC\n\n");
}

TEST(AfdSection, ContainerKindsNumbersAndNameEntries) {
  Afd a;
  a.afd.BeginContainers();
  uint32_t apt = a.afd.BeginContainer(kApt);
  a.afd.Icao("EDDF");
  a.afd.EndContainer();
  a.b.Body().U32(5);  // not a container: the scan moves on by one dword
  uint32_t vor = a.afd.BeginContainer(kVor);
  a.afd.EndContainer();
  uint32_t ndb = a.afd.BeginContainer(kNdb);
  a.afd.SubRecord(0x77777, {1, 2, 3, 4, 5});  // unknown: skipped by its size
  a.afd.Icao("FFM");
  a.afd.EndContainer();
  a.afd.EndContainers();
  a.afd.BeginNameLists();
  a.b.Body().U32(0x12345).U32(1000);  // not a list: the next header follows directly
  a.afd.BeginNameList(0x1A, 10);
  a.afd.NameEntry(kRegion, 0, "Europe");
  a.afd.NameEntry(kCountry, 0, "Germany");
  a.afd.NameEntry(kState, 0, "Hessen");
  a.afd.NameEntry(kCity, 0, "Frankfurt");
  a.afd.NameEntry(kAirport, apt, "Frankfurt Main");
  a.afd.NameEntry(kVorName, vor, "Frankfurt VOR");
  a.afd.NameEntry(kNdbName, ndb, "Frankfurt NDB");
  a.afd.NameEntry(kAirport, apt + 4, "No such container");
  a.b.Body().U32(0x30003).U32(99);  // not a name entry: only its 8 bytes are read
  a.afd.NameEntry(0x99, 0, "odd kind");
  a.afd.EndNameList();
  a.afd.BeginNameList(0xABC, 0);
  a.afd.EndNameList();
  a.afd.EndNameLists();
  EXPECT_EQ(a.Decode(), kGuidLines +
                            "Container( APT 1 )\n\tICAO_ID( \"EDDF\" )\nEndC\n\n"
                            "Container( VOR 2 )\nEndC\n\n"
                            "Container( NDB 3 )\n\tICAO_ID( \"FFM\" )\nEndC\n\n"
                            "NameList( 1a )\n"
                            "\tNameEntry( REGION 0 \"Europe\")\n"
                            "\tNameEntry( COUNTRY 0 \"Germany\")\n"
                            "\tNameEntry( STATE 0 \"Hessen\")\n"
                            "\tNameEntry( CITY 0 \"Frankfurt\")\n"
                            "\tNameEntry( AIRPORT 1 \"Frankfurt Main\")\n"
                            "\tNameEntry( VOR 2 \"Frankfurt VOR\")\n"
                            "\tNameEntry( NDB 3 \"Frankfurt NDB\")\n"
                            "\tNameEntry( AIRPORT 4 \"No such container\")\n"
                            "\tNameEntry(  0 \"odd kind\")\n"
                            "EndNL\n\n"
                            "NameList( abc )\n"
                            "EndNL\n\n");
}

TEST(AfdSection, NameTextStopsAtItsFirstZeroAndMayBeLong) {
  Afd a;
  a.afd.BeginContainers();
  a.afd.EndContainers();
  a.afd.BeginNameLists();
  a.afd.BeginNameList(1, 2);
  std::string longName(150, 'x');
  a.afd.NameEntry(kCity, 0, longName);
  a.b.Body().U32(0x30002).U32(8 + 6).U32(kCity).U32(0).Bytes({'a', 'b', 0, 'c', 'd', 0});
  a.afd.EndNameList();
  a.afd.EndNameLists();
  EXPECT_EQ(a.Decode(), kGuidLines + "NameList( 1 )\n\tNameEntry( CITY 0 \"" + longName +
                            "\")\n\tNameEntry( CITY 0 \"ab\")\nEndNL\n\n");
}

TEST(AfdSection, NameEntryTooShortForItsFieldsEndsTheList) {
  Afd a;
  a.afd.BeginContainers();
  a.afd.EndContainers();
  a.afd.BeginNameLists();
  a.afd.BeginNameList(1, 3);
  a.afd.NameEntry(kCity, 0, "One");
  a.b.Body().U32(0x30002).U32(4);  // length below kind + reference
  a.afd.NameEntry(kCity, 0, "Never read as an entry of this list");
  a.afd.EndNameList();
  a.afd.BeginNameList(2, 1);
  a.afd.NameEntry(kCity, 0, "Two");
  a.afd.EndNameList();
  a.afd.EndNameLists();
  EXPECT_EQ(a.Decode(), kGuidLines +
                            "NameList( 1 )\n\tNameEntry( CITY 0 \"One\")\nEndNL\n\n"
                            "NameList( 2 )\n\tNameEntry( CITY 0 \"Two\")\nEndNL\n\n");
}

TEST(AfdSection, SizesThatWouldSendAWalkBackEndIt) {
  Afd a;
  a.afd.BeginContainers();
  uint32_t first = a.afd.BeginContainer(kApt);
  a.afd.Icao("AAAA");
  a.afd.EndContainer();
  a.b.PatchBodyU32(first + 4, 8);  // a size that ends inside its own records
  a.afd.BeginContainer(kApt);
  a.afd.Icao("BBBB");
  a.afd.EndContainer();
  a.afd.EndContainers();
  a.afd.BeginNameLists();
  a.afd.EndNameLists();
  EXPECT_EQ(a.Decode(), kGuidLines + "Container( APT 1 )\n\tICAO_ID( \"AAAA\" )\nEndC\n\n");
}

TEST(AfdSection, SubRecordThatReadsPastItsSizeEndsTheContainer) {
  Afd a;
  a.afd.BeginContainers();
  a.afd.BeginContainer(kApt);
  a.b.Body().U32(0x10006).U32(2).TextZ("LONGER");  // ICAO text longer than the size
  a.afd.Icao("NEXT");
  a.afd.EndContainer();
  a.afd.BeginContainer(kApt);
  a.afd.Icao("SECOND");
  a.afd.EndContainer();
  a.afd.EndContainers();
  a.afd.BeginNameLists();
  a.afd.EndNameLists();
  EXPECT_EQ(a.Decode(), kGuidLines +
                            "Container( APT 1 )\n\tICAO_ID( \"LONGER\" )\nEndC\n\n"
                            "Container( APT 2 )\n\tICAO_ID( \"SECOND\" )\nEndC\n\n");
}

TEST(AfdSection, NamesReferToContainersAcrossTheWholeFile) {
  // Container numbers count every kind over the whole list; the lookup finds
  // each of many containers.
  Afd a;
  a.afd.BeginContainers();
  std::vector<uint32_t> starts;
  for (int i = 0; i < 3000; ++i) {
    starts.push_back(a.afd.BeginContainer(1 + i % 3));
    a.afd.EndContainer();
  }
  a.afd.EndContainers();
  a.afd.BeginNameLists();
  a.afd.BeginNameList(1, 3);
  a.afd.NameEntry(kAirport, starts[2999], "last");
  a.afd.NameEntry(kAirport, starts[1500], "middle");
  a.afd.NameEntry(kAirport, starts[0], "first");
  a.afd.EndNameList();
  a.afd.EndNameLists();
  std::string text = a.Decode();
  EXPECT_NE(text.find("Container( NDB 3000 )\nEndC\n\n"), std::string::npos);
  EXPECT_NE(text.find("NameList( 1 )\n"
                      "\tNameEntry( AIRPORT 3000 \"last\")\n"
                      "\tNameEntry( AIRPORT 1501 \"middle\")\n"
                      "\tNameEntry( AIRPORT 1 \"first\")\n"),
            std::string::npos);
}

TEST(AfdSection, SlotWithoutTheMarkerWritesNothing) {
  BglBuilder b;
  b.Slot(20, 0x80);
  b.Body().Fill(64);
  auto r = RunBgl(b.Build());
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(SingleText(r).find(";;; section 20"), std::string::npos);
}

TEST(AfdSection, MultiFileModeWritesBgt20WithItsHeaderBlock) {
  Afd a;
  a.b.Bounds(5000875, -5000875, 0x40000000u, 0xC0000000u);
  a.afd.BeginContainers();
  a.afd.EndContainers();
  a.afd.BeginNameLists();
  a.afd.EndNameLists();
  auto r = RunBgl(a.b.Build(), MultiOptions());
  EXPECT_EQ(MultiText(r, "bgt20.sca"),
            ";;; Disassembled by bgltext ver 2.2\n"
            ";;; section 20 - Airport Facility Directory\n"
            "Header( 1 N45:0:0.00 S45:0:0.00 E90:0:0.00 W90:0:0.00 )\n" +
                kGuidLines);
  EXPECT_NE(MultiText(r, "bglbind.ctl").find("bgt20.bgl\n"), std::string::npos);
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
