// Section 20: the airport/facility directory, its containers (airports, VORs,
// NDBs with their sub-records) and the name lists that tie names to them.
// This is the text that Fleetmix reads.
#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>
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

constexpr std::string_view kDesignators[] = {"N", "L", "R", "C", "H"};
constexpr std::string_view kSurfaces[] = {"UNKNOWN", "DIRT", "CEMENT", "ASPHALT", "GRASS",
                                          "GRAVEL",  "MATS", "SNOW",   "CORAL",   "WATER"};
constexpr std::string_view kNavaidTypes[] = {"0",     "VOR", "DME",    "NDB",  "LOC",
                                             "SLOPE", "SDF", "MARKER", "TACAN"};
constexpr std::string_view kNavaidClasses[] = {"NONE",    "TERMINA", "LOWALT", "HIGHALT",
                                               "NDBCOMP", "NDBMH",   "NDBH",   "NDBHH",
                                               "OM",      "MM",      "IM",     "BC"};
constexpr std::string_view kFrequencyKinds[] = {"?",      "ATIS", "MULTICOM", "UNICOM", "CTAF",
                                                "GNDCON", "CT",   "CDEL",     "APCON",  "DEPCON",
                                                "CENTER", "FSS",  "AWOS"};
constexpr std::string_view kContainerKinds[] = {"", "APT", "VOR", "NDB"};

// The word of a table, or the decimal text of an index beyond it.
class TableWord {
 public:
  template <size_t N>
  TableWord(const std::string_view (&table)[N], uint32_t index) {
    if (index < N) {
      word_ = Word{table[index].data(), table[index].size()};
    } else {
      // "%d" of the index as a signed value.
      int32_t value = static_cast<int32_t>(index);
      char* end = number_ + sizeof number_;
      char* first = format_detail::WriteDecimal(
          end, value < 0 ? 0ull - static_cast<uint64_t>(value) : static_cast<uint64_t>(value));
      if (value < 0) *--first = '-';
      word_ = Word{first, static_cast<size_t>(end - first)};
    }
  }
  Word Text() const { return word_; }

 private:
  char number_[12];
  Word word_;
};

Word NameKindWord(uint32_t kind) {
  auto span = [](std::string_view word) { return Word{word.data(), word.size()}; };
  switch (kind) {
    case 0x10001:
      return span("REGION");
    case 0x20001:
      return span("COUNTRY");
    case 0x30001:
      return span("STATE");
    case 0x40001:
      return span("CITY");
    case 0x50001:
      return span("AIRPORT");
    case 0x50003:
      return span("VOR");
    case 0x50004:
      return span("NDB");
    default:
      return span("");
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

// Records read whole: little-endian values at p.
uint32_t U32At(const uint8_t* p) {
  return p[0] | (p[1] << 8) | (static_cast<uint32_t>(p[2]) << 16) |
         (static_cast<uint32_t>(p[3]) << 24);
}
int32_t S32At(const uint8_t* p) { return static_cast<int32_t>(U32At(p)); }
Fixed48 Fixed48At(const uint8_t* p) {
  return Fixed48{static_cast<uint16_t>(p[2] | (p[3] << 8)), S32At(p + 4)};
}

// The three values of a position read whole.
struct Position {
  CoordValue lat, lon;
  double alt;
};
constexpr size_t kPositionBytes = 24;
Position PositionAt(const uint8_t* p) {
  Fixed48 lat = Fixed48At(p), lon = Fixed48At(p + 8), alt = Fixed48At(p + 16);
  return Position{Lat48(lat.frac, lat.whole), Lon48(lon.frac, lon.whole),
                  Alt48(alt.frac, alt.whole)};
}

// Latitude, longitude and altitude at the head of the positioned
// sub-records; the caller writes what follows the altitude.
void WritePosition(BglImage& im, RecordText& o) {
  Fixed48 lat = ReadFixed48(im), lon = ReadFixed48(im), alt = ReadFixed48(im);
  Put<"%s %s %.2f">(o, Lat48(lat.frac, lat.whole), Lon48(lon.frac, lon.whole),
                    Alt48(alt.frac, alt.whole));
}

// The nibbles at bits 24, 20, 16, 12 and 8 of a frequency.
void WriteFrequency(RecordText& o, uint32_t f) {
  Put<"%d%d%d.%d%d ">(o, (f >> 24) & 15, (f >> 20) & 15, (f >> 16) & 15, (f >> 12) & 15,
                      (f >> 8) & 15);
}

// Bytes up to a 0 byte (so a text cut off by the end of the image is written
// as far as it goes).
void WriteZeroText(BglImage& im, RecordText& o) {
  const uint8_t* text;
  size_t length;
  bool ended = im.ViewZeroText(text, length);
  Put<"%s">(o, TextSpan{reinterpret_cast<const char*>(text), length});
  if (!ended) throw EndOfData;
}

// The first line of a runway, start position or navaid, "\t<name>( %s %s
// %.2f \n", and the start of its second, "\t\t%f " with the record's angle.
// Each value is written as soon as it is read, so a record cut short by the
// end of the image is written up to where it ends.
template <FormatText Opening>
void WriteLocatedHead(BglImage& im, RecordText& o) {
  Put<Opening>(o);
  WritePosition(im, o);
  Put<" \n\t\t">(o);
  Put<"%f ">(o, Angle32(im.Dword()));
}

// The records a directory holds most of, when all their bytes are there:
// one line each, the same text as the value-by-value path below writes.
bool DecodeWholeRecord(BglImage& im, RecordText& o, uint32_t type) {
  const uint8_t* p;
  switch (type) {
    case kAirportPosition:
      if (!(p = im.TakeWhole(kPositionBytes))) return false;
      {
        Position at = PositionAt(p);
        Put<"\tAPLocation( %s %s %.2f )\n">(o, at.lat, at.lon, at.alt);
      }
      return true;
    case kRunway:
      if (!(p = im.TakeWhole(kPositionBytes + 28))) return false;
      {
        Position at = PositionAt(p);
        p += kPositionBytes;
        Put<"\tRwyLoc( %s %s %.2f \n\t\t%f %f %d %d %s %d %s )\n">(
            o, at.lat, at.lon, at.alt, Angle32(U32At(p)), Angle32(U32At(p + 4)), S32At(p + 8),
            S32At(p + 12), TableWord(kDesignators, U32At(p + 16)).Text(), S32At(p + 20),
            TableWord(kSurfaces, U32At(p + 24)).Text());
      }
      return true;
    case kStartPosition:
      if (!(p = im.TakeWhole(kPositionBytes + 16))) return false;
      {
        Position at = PositionAt(p);
        p += kPositionBytes;
        Put<"\tSetupLoc( %s %s %.2f \n\t\t%f %d %s %d )\n">(
            o, at.lat, at.lon, at.alt, Angle32(U32At(p)), S32At(p + 4),
            TableWord(kDesignators, U32At(p + 8)).Text(), S32At(p + 12));
      }
      return true;
    case kRadioFrequency:
      if (!(p = im.TakeWhole(8))) return false;
      {
        uint32_t f = U32At(p);
        Put<"\tFrequency( %d%d%d.%d%d  %s )\n">(o, (f >> 24) & 15, (f >> 20) & 15, (f >> 16) & 15,
                                                (f >> 12) & 15, (f >> 8) & 15,
                                                TableWord(kFrequencyKinds, U32At(p + 4)).Text());
      }
      return true;
    default:
      return false;
  }
}

void DecodeSubRecord(BglImage& im, RecordText& o, uint32_t type) {
  if (DecodeWholeRecord(im, o, type)) return;
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
      Put<"%s ">(o, TableWord(kDesignators, im.Dword()).Text());
      Put<"%d ">(o, im.SDword());
      Put<"%s )\n">(o, TableWord(kSurfaces, im.Dword()).Text());
      break;
    case kStartPosition:  // "\t\t%f %d %s %d )\n"
      WriteLocatedHead<"\tSetupLoc( ">(im, o);
      Put<"%d ">(o, im.SDword());
      Put<"%s ">(o, TableWord(kDesignators, im.Dword()).Text());
      Put<"%d )\n">(o, im.SDword());
      break;
    case kNavaidRecord:  // "\t\t%f <freq>%s %s %d\n\t\t\"<name>\" )\n"
      WriteLocatedHead<"\tNavaid( ">(im, o);
      WriteFrequency(o, im.Dword());
      Put<"%s ">(o, TableWord(kNavaidTypes, im.Dword()).Text());
      Put<"%s ">(o, TableWord(kNavaidClasses, im.Dword()).Text());
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
      Put<"%s )\n">(o, TableWord(kFrequencyKinds, im.Dword()).Text());
      break;
    default:
      break;  // skipped by its size
  }
}

// Container start offsets in the order read, which is rising, since the
// walk only moves forward; container n (1-based) starts at the n-th.
using ContainerNumbers = std::vector<uint32_t>;

// The number of the container that starts at offset, or 0.
int ContainerAt(const ContainerNumbers& numbers, uint32_t offset) {
  auto it = std::lower_bound(numbers.begin(), numbers.end(), offset);
  return it != numbers.end() && *it == offset ? static_cast<int>(it - numbers.begin()) + 1 : 0;
}

void DecodeContainers(BglImage& im, TextSink& o, ContainerNumbers& numbers, int& count) {
  for (;;) {
    uint32_t start = static_cast<uint32_t>(im.Pos());
    uint32_t type = im.Dword();
    if (type == 0) return;
    if (type != kContainer) continue;  // the scan moves on by one dword
    ++count;
    numbers.push_back(start);
    uint32_t size = im.Dword();
    uint64_t next = static_cast<uint64_t>(im.Pos()) + size;
    uint32_t kind = im.Dword();
    im.Dword();
    std::string_view kindWord = kind < 4 ? kContainerKinds[kind] : "";
    Put<"Container( %s %d )\n">(o, Word{kindWord.data(), kindWord.size()}, count);
    for (;;) {
      uint32_t subType = im.Dword();
      uint32_t subSize = im.Dword();
      if (subType == 0) break;
      uint64_t subNext = static_cast<uint64_t>(im.Pos()) + subSize;
      RecordText record(o, im.PlacesLabels());
      try {
        DecodeSubRecord(im, record, subType);
      } catch (BgltextException) {
        record.Close();
        throw;
      }
      record.Close();
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
bool DecodeNameEntry(BglImage& im, TextSink& o, const ContainerNumbers& numbers, int count) {
  uint32_t type = im.Dword();
  uint32_t length = im.Dword();
  if (type != kNameEntry) return true;
  if (length < kNameEntryFixed) return false;
  uint32_t kind = im.Dword();
  uint32_t reference = im.Dword();
  size_t textLength = length - kNameEntryFixed;
  if (textLength > im.Remaining()) throw EndOfData;
  const char* text = reinterpret_cast<const char*>(im.ViewBytes(textLength));
  // An entry that names no container is written with 0; a reference that
  // is no container's start takes the number after the last container.
  int number = 0;
  if (reference != 0) {
    number = ContainerAt(numbers, reference);
    if (number == 0) number = count + 1;
  }
  // The text ends at its first 0 byte, if it holds one.
  Put<"\tNameEntry( %s %d \"%s\")\n">(o, NameKindWord(kind), number,
                                      TextSpan{text, strnlen(text, textLength)});
  return true;
}

void DecodeNameLists(BglImage& im, TextSink& o, const ContainerNumbers& numbers, int count) {
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
      if (!DecodeNameEntry(im, o, numbers, count)) break;
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
