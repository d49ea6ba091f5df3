// Section 20: the airport/facility directory, its containers (airports, VORs,
// NDBs with their sub-records) and the name lists that tie names to them.
// This is the text that Fleetmix reads, and it is written at world size, so
// the lines are appended directly; each comment names the printf form that
// the bytes follow.
#include <string>
#include <unordered_map>
#include <vector>

#include "bgltext/bgl_loader.h"
#include "bgltext/bgl_run.h"
#include "bgltext/section_decoders.h"

namespace bgltext {
namespace {

constexpr char kAfdName[] = "%s20";

constexpr uint32_t kContainer = 1;
constexpr uint32_t kAirportPosition = 0x10001;
constexpr uint32_t kRunway = 0x10002;
constexpr uint32_t kNavaidRecord = 0x10004;
constexpr uint32_t kStartPosition = 0x10005;
constexpr uint32_t kIcaoIdentifier = 0x10006;
constexpr uint32_t kRadioFrequency = 0x20001;
constexpr uint32_t kNameList = 0x30001;
constexpr uint32_t kNameEntry = 0x30002;
// Kind and reference: the part of a name entry's length before its text.
constexpr uint32_t kNameEntryFixed = 8;

constexpr const char* kDesignators[] = {"N", "L", "R", "C", "H"};
constexpr const char* kSurfaces[] = {"UNKNOWN", "DIRT", "CEMENT", "ASPHALT", "GRASS",
                                     "GRAVEL",  "MATS", "SNOW",   "CORAL",   "WATER"};
constexpr const char* kNavaidTypes[] = {"0",     "VOR", "DME",    "NDB",  "LOC",
                                        "SLOPE", "SDF", "MARKER", "TACAN"};
constexpr const char* kNavaidClasses[] = {"NONE",    "TERMINA", "LOWALT", "HIGHALT",
                                          "NDBCOMP", "NDBMH",   "NDBH",   "NDBHH",
                                          "OM",      "MM",      "IM",     "BC"};
constexpr const char* kFrequencyKinds[] = {"?",      "ATIS", "MULTICOM", "UNICOM", "CTAF",
                                           "GNDCON", "CT",   "CDEL",     "APCON",  "DEPCON",
                                           "CENTER", "FSS",  "AWOS"};
constexpr const char* kContainerKinds[] = {"", "APT", "VOR", "NDB"};

// "%s" of a table word, or "%d" of the index when it is beyond the table.
template <size_t N>
void TableWord(TextSink& o, const char* const (&table)[N], uint32_t index) {
  if (index < N) {
    o.Raw(table[index], std::char_traits<char>::length(table[index]));
  } else {
    o.Int(static_cast<int32_t>(index));
  }
}

const char* NameKindWord(uint32_t kind) {
  switch (kind) {
    case 0x10001:
      return "REGION";
    case 0x20001:
      return "COUNTRY";
    case 0x30001:
      return "STATE";
    case 0x40001:
      return "CITY";
    case 0x50001:
      return "AIRPORT";
    case 0x50003:
      return "VOR";
    case 0x50004:
      return "NDB";
    default:
      return "";
  }
}

void Coord(TextSink& o, const CoordValue& c) {
  char buf[kCoordTextMax];
  o.Raw(buf, static_cast<size_t>(WriteCoord(buf, c.value, c.kind == CoordKind::Latitude) - buf));
}

// The 8-byte coordinate of the directory: an unused word, then the 48-bit
// value (fraction word, signed integer dword).
struct Fixed48 {
  uint16_t frac;
  int32_t whole;
};

Fixed48 ReadFixed48(BglImage& im) {
  im.Word();
  Fixed48 f;
  f.frac = im.Word();
  f.whole = im.SDword();
  return f;
}

// Latitude "%s ", longitude "%s ", altitude "%.2f" at the head of the
// positioned sub-records; the caller writes what follows the altitude.
void WritePosition(BglImage& im, TextSink& o) {
  Fixed48 lat = ReadFixed48(im), lon = ReadFixed48(im), alt = ReadFixed48(im);
  Coord(o, Lat48(lat.frac, lat.whole));
  o.Char(' ');
  Coord(o, Lon48(lon.frac, lon.whole));
  o.Char(' ');
  o.Fixed(Alt48(alt.frac, alt.whole), 2);
}

// "%d%d%d.%d%d " with the nibbles at bits 24, 20, 16, 12 and 8.
void WriteFrequency(TextSink& o, uint32_t f) {
  o.Int((f >> 24) & 15);
  o.Int((f >> 20) & 15);
  o.Int((f >> 16) & 15);
  o.Char('.');
  o.Int((f >> 12) & 15);
  o.Int((f >> 8) & 15);
  o.Char(' ');
}

// Bytes up to a 0 byte, each written with "%c" as it is read (so a text cut
// off by the end of the image is written as far as it goes).
void WriteZeroText(BglImage& im, TextSink& o) {
  std::vector<char> text;
  try {
    im.ReadZeroText(text, SIZE_MAX);
  } catch (BgltextException) {
    o.Write(text.data(), text.size());
    throw;
  }
  o.Write(text.data(), text.size());
}

// The first line of a runway, start position or navaid, "\t<name>( %s %s
// %.2f \n", and the start of its second, "\t\t%f " with the record's angle.
template <size_t N>
void WriteLocatedHead(BglImage& im, TextSink& o, const char (&opening)[N]) {
  o.Raw(opening);
  WritePosition(im, o);
  o.Char(' ');
  o.Newline();
  o.Raw("\t\t");
  o.Fixed(Angle32(im.Dword()), 6);
  o.Char(' ');
}

void DecodeSubRecord(BglImage& im, TextSink& o, uint32_t type) {
  switch (type) {
    case kAirportPosition:  // "\tAPLocation( %s %s %.2f )\n"
      o.Raw("\tAPLocation( ");
      WritePosition(im, o);
      o.Raw(" )");
      o.Newline();
      break;
    case kRunway: {  // "\tRwyLoc( %s %s %.2f \n" "\t\t%f %f %d %d %s %d %s )\n"
      WriteLocatedHead(im, o, "\tRwyLoc( ");
      o.Fixed(Angle32(im.Dword()), 6);
      o.Char(' ');
      o.Int(im.SDword());
      o.Char(' ');
      o.Int(im.SDword());
      o.Char(' ');
      TableWord(o, kDesignators, im.Dword());
      o.Char(' ');
      o.Int(im.SDword());
      o.Char(' ');
      TableWord(o, kSurfaces, im.Dword());
      o.Raw(" )");
      o.Newline();
      break;
    }
    case kStartPosition: {  // "\tSetupLoc( %s %s %.2f \n" "\t\t%f %d %s %d )\n"
      WriteLocatedHead(im, o, "\tSetupLoc( ");
      o.Int(im.SDword());
      o.Char(' ');
      TableWord(o, kDesignators, im.Dword());
      o.Char(' ');
      o.Int(im.SDword());
      o.Raw(" )");
      o.Newline();
      break;
    }
    case kNavaidRecord: {  // "\tNavaid( %s %s %.2f \n" "\t\t%f <freq>%s %s %d\n\t\t\"<name>\" )\n"
      WriteLocatedHead(im, o, "\tNavaid( ");
      WriteFrequency(o, im.Dword());
      TableWord(o, kNavaidTypes, im.Dword());
      o.Char(' ');
      TableWord(o, kNavaidClasses, im.Dword());
      o.Char(' ');
      o.Int(im.SDword());
      im.Dword();
      o.Newline();
      o.Raw("\t\t\"");
      WriteZeroText(im, o);
      o.Raw("\" )");
      o.Newline();
      break;
    }
    case kIcaoIdentifier:  // "\tICAO_ID( \"<text>\" )\n"
      o.Raw("\tICAO_ID( \"");
      WriteZeroText(im, o);
      o.Raw("\" )");
      o.Newline();
      break;
    case kRadioFrequency:  // "\tFrequency( <freq> %s )\n"
      o.Raw("\tFrequency( ");
      WriteFrequency(o, im.Dword());
      o.Char(' ');
      TableWord(o, kFrequencyKinds, im.Dword());
      o.Raw(" )");
      o.Newline();
      break;
    default:
      break;  // skipped by its size
  }
}

// Container start offset -> container number (1-based, the first wins).
using ContainerNumbers = std::unordered_map<uint32_t, int>;

void DecodeContainers(BglImage& im, TextSink& o, ContainerNumbers& numbers, int& count) {
  for (;;) {
    uint32_t start = static_cast<uint32_t>(im.Pos());
    uint32_t type = im.Dword();
    if (type == 0) return;
    if (type != kContainer) continue;  // the scan moves on by one dword
    ++count;
    numbers.try_emplace(start, count);
    uint32_t size = im.Dword();
    uint64_t next = static_cast<uint64_t>(im.Pos()) + size;
    uint32_t kind = im.Dword();
    im.Dword();
    o.Raw("Container( ");  // "Container( " <kind> " %d )\n"
    if (kind < 4)
      o.Raw(kContainerKinds[kind], std::char_traits<char>::length(kContainerKinds[kind]));
    o.Char(' ');
    o.Int(count);
    o.Raw(" )");
    o.Newline();
    for (;;) {
      uint32_t subType = im.Dword();
      uint32_t subSize = im.Dword();
      if (subType == 0) break;
      uint64_t subNext = static_cast<uint64_t>(im.Pos()) + subSize;
      DecodeSubRecord(im, o, subType);
      // A record that read past its own size is malformed: going back would
      // read the same bytes again, so the container's records end here.
      if (im.Pos() > subNext) break;
      im.Seek(subNext);
    }
    o.Raw("EndC");  // "EndC\n\n"
    o.Newline();
    o.Newline();
    // Likewise a container whose records ran past its size ends the list.
    if (im.Pos() > next) return;
    im.Seek(next);
  }
}

// Reads one name entry and writes its line; false when its length leaves no
// room for its own fields, which ends the entries of the list.
bool DecodeNameEntry(BglImage& im, TextSink& o, const ContainerNumbers& numbers, int count,
                     std::string& text) {
  uint32_t type = im.Dword();
  uint32_t length = im.Dword();
  if (type != kNameEntry) return true;
  if (length < kNameEntryFixed) return false;
  uint32_t kind = im.Dword();
  uint32_t reference = im.Dword();
  size_t textLength = length - kNameEntryFixed;
  if (textLength > im.Remaining()) throw EndOfData;
  text.resize(textLength);
  im.ReadBytes(textLength, text.data());
  // "\tNameEntry( " <kind> (" 0 " or " %d ") "\"%s\")\n"
  o.Raw("\tNameEntry( ");
  const char* word = NameKindWord(kind);
  o.Raw(word, std::char_traits<char>::length(word));
  if (reference == 0) {
    o.Raw(" 0 ");
  } else {
    auto it = numbers.find(reference);
    o.Char(' ');
    o.Int(it == numbers.end() ? count + 1 : it->second);
    o.Char(' ');
  }
  o.Char('"');
  o.Write(text.c_str(), std::char_traits<char>::length(text.c_str()));
  o.Raw("\")");
  o.Newline();
  return true;
}

void DecodeNameLists(BglImage& im, TextSink& o, const ContainerNumbers& numbers, int count) {
  std::string text;
  for (;;) {
    uint32_t type = im.Dword();
    uint32_t size = im.Dword();
    if (type == 0) return;
    if (type != kNameList) continue;  // the next list header follows directly
    uint64_t next = static_cast<uint64_t>(im.Pos()) + size;
    uint32_t id = im.Dword();
    im.Dword();
    im.Dword();
    uint32_t entries = im.Dword();
    o.Raw("NameList( ");  // "NameList( %x )\n"
    o.Hex(id);
    o.Raw(" )");
    o.Newline();
    for (uint32_t i = 0; i < entries; ++i) {
      if (!DecodeNameEntry(im, o, numbers, count, text)) break;
    }
    o.Raw("EndNL");  // "EndNL\n\n"
    o.Newline();
    o.Newline();
    // A list whose entries ran past its size would send the walk back.
    if (im.Pos() > next) return;
    im.Seek(next);
  }
}

}  // namespace

void DecodeAfdSection(BglRun& run, int section, uint32_t slot) {
  if (slot != kExtendedHeaderMarker) return;
  if (!run.OpenSectionOutput(Format(kAfdName, kNamePrefix), false)) return;
  run.SectionHeaderBlock(section);
  TextSink* sink = run.Text();
  if (sink == nullptr) return;
  TextSink& o = *sink;
  BglImage& im = run.image;
  im.Seek(kHeaderLength);
  o.Raw("; GUID = ");  // then "%x " per byte and "\n"
  for (int i = 0; i < 16; ++i) {
    o.Hex(im.Byte());
    o.Char(' ');
  }
  o.Newline();
  o.Raw("; version = ");  // "; version = %x\n"
  o.Hex(im.Dword());
  o.Newline();
  im.Dword();
  im.Dword();
  uint32_t nameLists = im.Dword();
  im.Dword();
  uint32_t containers = im.Dword();
  ContainerNumbers numbers;
  int count = 0;
  im.Seek(containers);
  DecodeContainers(im, o, numbers, count);
  im.Seek(nameLists);
  DecodeNameLists(im, o, numbers, count);
  run.CloseSectionOutput();
}

}  // namespace bgltext
