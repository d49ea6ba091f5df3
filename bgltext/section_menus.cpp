// Section 11, airport menus: one output file per menu record with its
// entries.
#include <string>
#include <vector>

#include "bgltext/bgl_run.h"
#include "bgltext/navaid_text.h"
#include "bgltext/record_io.h"
#include "bgltext/section_decoders.h"

namespace bgltext {
namespace {

constexpr FormatText kUnknownRecord = "unknown record\n";
constexpr FormatText kMenuName = "%s11-%d";
constexpr FormatText kLatRangeLine = "LatRange( %s %s )\n";
constexpr FormatText kMenuLine = "Menu( %s )\n";
constexpr char kMenuEntry[] =
    "MenuEntry(\n\t%s\n\t%s\n\t%.2f\n\t%.2f\n\t%s\n\t%s\n\t%d\n\t%s\n\t%d\n\t%s )\n";

constexpr uint8_t kMenuRecord = 1;
constexpr uint8_t kEntryRecord = 3;

std::string ReadTitle(BglImage& img) {
  std::vector<char> text;
  img.ReadZeroText(text, kTitleKeep);
  return CleanTitle(text.data(), text.size());
}

void MenuEntry(BglRun& run) {
  BglImage& img = run.image;
  img.Word();
  CoordValue first = Lat32Fine(img.SDword());
  CoordValue second = Lat32Fine(img.SDword());
  int32_t e = img.SDword();
  double a = Angle16(img.Word());
  uint16_t w[5];
  for (uint16_t& x : w) x = img.Word();
  std::string title = ReadTitle(img);
  Print<kMenuEntry>(run, first, second, e / 256.0 + 0.005, a + 0.005, BcdFrequency(w[0]),
                    BcdFrequency(w[1]), w[2], BcdFrequency(w[3]), w[4], title);
}

void MenuEntries(BglRun& run) {
  for (;;) {
    uint8_t b = run.image.Byte();
    if (b == 0) return;
    if (b != kEntryRecord) Fatal<kUnknownRecord>(run, 1);
    MenuEntry(run);
  }
}

}  // namespace

void DecodeMenuSection(BglRun& run, int section, uint32_t slot) {
  BglImage& img = run.image;
  img.Seek(slot);
  for (int m = 1;; ++m) {
    size_t start = img.Pos();
    uint8_t b = img.Byte();
    if (b == 0) return;
    if (b != kMenuRecord) Fatal<kUnknownRecord>(run, 1);
    if (!run.OpenSectionOutput(Format<kMenuName>(kNamePrefix, m), false)) return;
    run.SectionHeaderBlock(section);
    Print<kLatRangeLine>(run, run.header.south, run.header.north);
    uint16_t length = img.Word();
    uint32_t offset = img.Dword();
    Print<kMenuLine>(run, ReadTitle(img));
    img.Seek(static_cast<uint64_t>(slot) + offset);
    MenuEntries(run);
    run.CloseSectionOutput();
    // A length of zero would read this menu again.
    if (length == 0) return;
    img.Seek(start + length);
  }
}

}  // namespace bgltext
