// Section 20: the airport/facility directory, its containers (airports, VORs,
// NDBs with their sub-records) and the name lists that tie names to them.
// This is the text that Fleetmix reads.
#include <string>
#include <unordered_map>
#include <vector>

#include "bgltext/bgl_loader.h"
#include "bgltext/bgl_run.h"
#include "bgltext/section_decoders.h"

namespace bgltext {
namespace {

constexpr FormatText kAfdName = "%s20";

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

// The word of a table, or the decimal text of an index beyond it.
template <size_t N>
std::string TableWord(const char* const (&table)[N], uint32_t index) {
  return index < N ? std::string(table[index]) : std::to_string(static_cast<int32_t>(index));
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

// Latitude, longitude and altitude at the head of the positioned
// sub-records; the caller writes what follows the altitude.
void WritePosition(BglImage& im, TextSink& o) {
  Fixed48 lat = ReadFixed48(im), lon = ReadFixed48(im), alt = ReadFixed48(im);
  Put<"%s %s %.2f">(o, Lat48(lat.frac, lat.whole), Lon48(lon.frac, lon.whole),
                    Alt48(alt.frac, alt.whole));
}

// The nibbles at bits 24, 20, 16, 12 and 8 of a frequency.
void WriteFrequency(TextSink& o, uint32_t f) {
  Put<"%d%d%d.%d%d ">(o, (f >> 24) & 15, (f >> 20) & 15, (f >> 16) & 15, (f >> 12) & 15,
                      (f >> 8) & 15);
}

// Bytes up to a 0 byte (so a text cut off by the end of the image is written
// as far as it goes).
void WriteZeroText(BglImage& im, TextSink& o) {
  std::vector<char> text;
  try {
    im.ReadZeroText(text, SIZE_MAX);
  } catch (BgltextException) {
    Put<"%s">(o, TextSpan{text.data(), text.size()});
    throw;
  }
  Put<"%s">(o, TextSpan{text.data(), text.size()});
}

// The first line of a runway, start position or navaid, "\t<name>( %s %s
// %.2f \n", and the start of its second, "\t\t%f " with the record's angle.
// Each value is written as soon as it is read, so a record cut short by the
// end of the image is written up to where it ends.
template <FormatText Opening>
void WriteLocatedHead(BglImage& im, TextSink& o) {
  Put<Opening>(o);
  WritePosition(im, o);
  Put<" \n\t\t">(o);
  Put<"%f ">(o, Angle32(im.Dword()));
}

void DecodeSubRecord(BglImage& im, TextSink& o, uint32_t type) {
  switch (type) {
    case kAirportPosition:
      Put<"\tAPLocation( ">(o);
      WritePosition(im, o);
      Put<" )\n">(o);
      break;
    case kRunway:  // "\t\t%f %f %d %d %s %d %s )\n" on the second line
      WriteLocatedHead<"\tRwyLoc( ">(im, o);
      Put<"%f ">(o, Angle32(im.Dword()));
      Put<"%d ">(o, im.SDword());
      Put<"%d ">(o, im.SDword());
      Put<"%s ">(o, TableWord(kDesignators, im.Dword()));
      Put<"%d ">(o, im.SDword());
      Put<"%s )\n">(o, TableWord(kSurfaces, im.Dword()));
      break;
    case kStartPosition:  // "\t\t%f %d %s %d )\n"
      WriteLocatedHead<"\tSetupLoc( ">(im, o);
      Put<"%d ">(o, im.SDword());
      Put<"%s ">(o, TableWord(kDesignators, im.Dword()));
      Put<"%d )\n">(o, im.SDword());
      break;
    case kNavaidRecord:  // "\t\t%f <freq>%s %s %d\n\t\t\"<name>\" )\n"
      WriteLocatedHead<"\tNavaid( ">(im, o);
      WriteFrequency(o, im.Dword());
      Put<"%s ">(o, TableWord(kNavaidTypes, im.Dword()));
      Put<"%s ">(o, TableWord(kNavaidClasses, im.Dword()));
      Put<"%d">(o, im.SDword());
      im.Dword();
      Put<"\n\t\t\"">(o);
      WriteZeroText(im, o);
      Put<"\" )\n">(o);
      break;
    case kIcaoIdentifier:
      Put<"\tICAO_ID( \"">(o);
      WriteZeroText(im, o);
      Put<"\" )\n">(o);
      break;
    case kRadioFrequency:
      Put<"\tFrequency( ">(o);
      WriteFrequency(o, im.Dword());
      Put<" ">(o);
      Put<"%s )\n">(o, TableWord(kFrequencyKinds, im.Dword()));
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
    Put<"Container( %s %d )\n">(o, kind < 4 ? kContainerKinds[kind] : "", count);
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
    Put<"EndC\n\n">(o);
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
  // An entry that names no container is written with 0; a reference that
  // is no container's start takes the number after the last container.
  int number = 0;
  if (reference != 0) {
    auto it = numbers.find(reference);
    number = it == numbers.end() ? count + 1 : it->second;
  }
  Put<"\tNameEntry( %s %d \"%s\")\n">(o, NameKindWord(kind), number, text);
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
    Put<"NameList( %x )\n">(o, id);
    for (uint32_t i = 0; i < entries; ++i) {
      if (!DecodeNameEntry(im, o, numbers, count, text)) break;
    }
    Put<"EndNL\n\n">(o);
    // A list whose entries ran past its size would send the walk back.
    if (im.Pos() > next) return;
    im.Seek(next);
  }
}

}  // namespace

void DecodeAfdSection(BglRun& run, int section, uint32_t slot) {
  if (slot != kExtendedHeaderMarker) return;
  if (!run.OpenSectionOutput(Format<kAfdName>(kNamePrefix), false)) return;
  run.SectionHeaderBlock(section);
  TextSink* sink = run.Text();
  if (sink == nullptr) return;
  TextSink& o = *sink;
  BglImage& im = run.image;
  im.Seek(kHeaderLength);
  Put<"; GUID = ">(o);
  for (int i = 0; i < 16; ++i) Put<"%x ">(o, im.Byte());
  Put<"\n">(o);
  Put<"; version = %x\n">(o, im.Dword());
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
