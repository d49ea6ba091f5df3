// Sections through the builder, by handler family: the airport/facility
// directory (section 20: containers with every sub-record, name lists and
// the container numbers their entries name, the fallbacks of every table;
// malformed sizes and files cut short: the fuzz targets), VOR
// and ILS stations in latitude-band files, ATIS and NDB records, airport
// menus, exclusion rectangles and synthetic scenery blocks. A record whose
// length field is 0 ends its walk instead of being read again for ever.
#include "tests/bgltext/run_helpers.h"

namespace bgltest {
namespace {

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
  afd.EndNameList();
  afd.EndNameLists();

  auto r = RunBgl(b.Build(), MultiOptions());
  EXPECT_EQ(r.status, 0) << r.console;
  EXPECT_EQ(File(r, "bgt20.sca"),
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
                "EndNL\n\n");
}

std::string Padded(std::string text, size_t width) {
  text.resize(width, ' ');
  return text;
}

void Vor(ByteWriter& w, uint8_t r, uint16_t v, uint8_t t, uint32_t lat, uint32_t lon, uint16_t h,
         uint16_t a, const std::string& id, const std::string& name) {
  w.U8(4).U8(r).U16(v).U8(t).U24(lat).U24(lon).U16(h).U16(a);
  w.Text(Padded(id, 5)).Text(Padded(name, 24));
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

// VOR and ILS stations go to one file per latitude band: three frequency
// entries (108.00 with no stations, 108.05, 108.10), the third repeating the
// first band of the second. Synthetic blocks and runs of blocks; each menu
// gets its own file and titles keep their trailing blanks.
TEST(NavaidSections, VorIlsSyntheticBlocksAndMenus) {
  BglBuilder b = DecoderBuilder();
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
  b.BeginSection(3);
  w.U8(22).U16(7).U32(15).U8(22).U16(8).U32(45).U8(0);
  w.U8(4).U16(12).U8(0xAB).U8(0x0C).U16(0x1F).U8(128).U16(3);
  w.U8(5).U16(5).U16(6).U8(1).U8(2).U16(3).U8(64).U16(0).U8(4).U8(5).U16(0xA6).U8(0).U16(1).U8(0);
  w.U8(0);
  b.BeginSection(11);
  w.U8(1).U16(22).U32(131).TextZ("My Menu (A) ").Fill(2, 0x77);  // 20 bytes and two skipped
  w.U8(1).U16(108).U32(130).TextZ(std::string(100, 'T'));        // a title keeps 99 characters
  w.U8(0);  // ends the menus and is the second menu's empty entry list
  w.U8(3).U16(0xFFFF).I32(640112000).I32(-640112000).U32(25700).U16(1000);
  w.U16(0x1850).U16(0x2975).U16(42).U16(0x0800).U16(7).TextZ("Gate (1) ").U8(0);
  auto r = RunMulti(b);
  EXPECT_EQ(File(r, "bgt0-0.sca"),
            Block(0, "VOR, ILS", kDecoderHeaderBlock) + kLatRangeLine + kVor1 + kVor2AndStrays);
  EXPECT_EQ(File(r, "bgt0-1.sca"), Block(0, "VOR, ILS", kDecoderHeaderBlock) +
                                       "LatRange( N18:52:15.84 N37:44:31.67 )\n" + kIls);
  EXPECT_EQ(r.files.count(MultiPath("bgt0-2.sca")), 0u);
  EXPECT_EQ(File(r, "bgt3.sca"),
            Block(3, "Synthetic scenery", kDecoderHeaderBlock) + kBoundsLine +
                "Synth 3 7\n\tBlock 12 AB C 1F 3.500000\n"
                "\tBlock 5 1 2 3 0.250000\n\tBlock 6 4 5 A6 1.000000\nSynth 3 8\n");
  EXPECT_EQ(File(r, "bgt11-1.sca"), Block(11, "Airport", kDecoderHeaderBlock) + kBoundsLine +
                                        "Menu( My_Menu_{A}_ )\n" +
                                        "MenuEntry(\n\tN45:0:0.00\n\tS45:0:0.00\n\t100.40\n\t5.50\n"
                                        "\t118.50\n\t129.75\n\t42\n\t108.00\n\t7\n\tGate_{1}_ )\n");
  EXPECT_EQ(File(r, "bgt11-2.sca"), Block(11, "Airport", kDecoderHeaderBlock) + kBoundsLine +
                                        "Menu( " + std::string(99, 'T') + " )\n");
}

// Exclusions with stray bytes dumped between them; NDB records follow each
// other; ATIS records follow their length, and the end of the data in
// section 13, last in the file, is caught and the run goes on.
TEST(NavaidSections, ExclusionsNdbsAndAtis) {
  BglBuilder b = DecoderBuilder();
  b.BeginSection(19);
  ByteWriter& w = b.Body();
  w.U8(7).U8(0xFE).U8(3).U16(0xAB).I32(kNorth).I32(-kNorth).U32(kEast).U32(kWest).U8(0);
  OneLatRange(b, 14);
  auto ndb = [&](uint16_t fw, uint8_t fb, uint32_t lat, uint32_t lon, const char* id,
                 const char* name) {
    w.U8(4).U16(fw).U8(fb).U24(lat).U24(lon).U16(120).U8(25);
    w.Text(Padded(id, 5)).Text(Padded(name, 24));
  };
  ndb(0x0345, 0x50, kN18, kE45b, "NB", "NDB (TEST)");
  ndb(0x1234, 0x56, kS18, kW90, "Q Q", "X_ _");
  w.U8(0);
  OneLatRange(b, 13);
  size_t start = b.Here();
  w.U8(4).U16(0x2750).U24(kN18).U24(kE45).U8(10).U16(0);
  w.U8(0x49).U8(0xC9).U8(0x89).U8(0x09).Text("RWY (9) OPEN").U8(0x80).U8(0x81).U8(0);
  w.Fill(3, 0xEE);  // skipped: the next record starts at start + length
  b.PatchBodyU16(start + 10, static_cast<uint32_t>(b.Here() - start));
  // A long message is cut at 255 characters.
  w.U8(4).U16(0x1810).U24(kS18).U24(kW90).U8(0).U16(317).U32(0).TextZ(std::string(300, 'M'));
  auto r = RunMulti(b);
  const std::string exclusions = Block(19, "Exception", kDecoderHeaderBlock) +
                                 "Dbx( 7 )\nDbx( FE )\nGenIncl( exclude.bgl ab\n\tN45:0:0.00 "
                                 "S45:0:0.00 E90:0:0.00 W90:0:0.00\n"
                                 "\tN45:0:0.00 S45:0:0.00 E90:0:0.00 W90:0:0.00 )\n";
  EXPECT_EQ(File(r, "bgt19.sca"), exclusions);
  EXPECT_EQ(File(r, "bgt14-1.sca"),
            Block(14, "NDB", kDecoderHeaderBlock) + kLatRangeLine +
                "\tNDB( 345.50 50 NB NDB_{TEST} N18:0:0.00 E45:42:11.25 120 )\n" +
                "\tNDB( 234.56 50 Q_Q X S18:0:0.00 W90:0:0.00 120 )\n");
  EXPECT_EQ(
      File(r, "bgt13-1.sca"),
      Block(13, "ATIS", kDecoderHeaderBlock) + kLatRangeLine +
          "ATIS(\n\t20\n\tN18:0:0.00\n\tE45:0:0.00\n\t127.50\n\t9L 9C 9R 9\n\tRWY_{9}_OPEN%A%B )\n"
          "ATIS(\n\t0\n\tS18:0:0.00\n\tW90:0:0.00\n\t118.10\n\t0 0 0 0\n\t" +
          std::string(255, 'M') + " )\nEOF!!!\n");
  EXPECT_NE(r.console.find("\tLatRange 1\n"), std::string::npos);
  EXPECT_NE(r.console.find("Done.\n"), std::string::npos);
}

// An ATIS record whose length is 0 ends the walk of its section (its
// LatRange line gives the bounds, 0 here).
TEST(ZeroLengths, EndTheWalkOfTheirSection) {
  ByteWriter atis;
  atis.U8(4).U16(0x1810).U24(Lat24Raw(18)).U24(Lon24Raw(90)).U8(10).U16(0);
  atis.U8(0x49).U8(0xC9).U8(0).U8(0x89).TextZ("HELLO (A) \x80");
  atis.U8(5);  // would be fatal if the record were read again
  auto r = RunBgl(LatRangeImage(13, 0x100, atis.Data()));
  EXPECT_EQ(r.status, 0) << r.console;
  EXPECT_TRUE(EndsWith(
      SingleText(r),
      ";;; section 13 - ATIS\nLatRange( S0:0:0.00 S0:0:0.00 )\n"
      "ATIS(\n\t20\n\tN18:0:0.00\n\tE90:0:0.00\n\t118.10\n\t9L 9C 0 9R\n\tHELLO_{A}_%A )\n"));
}

}  // namespace
}  // namespace bgltest
