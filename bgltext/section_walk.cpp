// The file header and the walk over the 22 section slots.
#include "bgltext/section_walk.h"

#include "bgltext/bgl_loader.h"
#include "bgltext/bgl_run.h"
#include "bgltext/section_table.h"

namespace bgltext {
namespace {

constexpr char kHeaderFileName[] = "bgthead.txt";
// The misspelling is part of the console text that scripts match.
constexpr FormatText kAnalyzingHeader = "Anaylizing BGL Header\n";
constexpr FormatText kHeadInfo = ";;; BGL header info\n";
constexpr FormatText kHeadSceneryId = ";scenery id:\t0x%x\n";
constexpr FormatText kHeadMaxNorth = ";max north:\t%s\n";
constexpr FormatText kHeadMinNorth = ";min north:\t%s\n";
constexpr FormatText kHeadMaxEast = ";max east:\t%s\n";
constexpr FormatText kHeadMinEast = ";min east:\t%s\n";
constexpr FormatText kHeadSection = ";sec%d point:\t";
constexpr FormatText kHeadHex = "0x%x\n";
constexpr FormatText kHeadMinFreq = ";min freq:\t0x%x\n";
constexpr FormatText kHeadMaxFreq = ";max freq:\t0x%x\n";
constexpr FormatText kHeadValue = ";value%d:\t0x%x\n";
constexpr FormatText kHeadValue8 = ";value8:\t\t0x%x\n";

constexpr FormatText kSectionAbsent = "Analyzing section %d... does not exist\n";
constexpr FormatText kSectionPresent = "Analyzing section %d...\n";
constexpr FormatText kCantDecode = ";;; sorry, bgltext can't decode section %d\n";
constexpr FormatText kUndecodableName = "%s%d";

}  // namespace

bool ReadHeader(BglRun& run) {
  if (!run.OpenSectionOutput(kHeaderFileName, true)) return false;
  run.SetPass(DecodePass::Print);
  ConsolePrint<kAnalyzingHeader>(run);
  BglImage& im = run.image;
  BglHeader& h = run.header;
  im.Seek(0);
  h.sceneryId = im.Word();
  h.north = Lat32(im.SDword());
  h.south = Lat32(im.SDword());
  h.east = Lon32(im.Dword());
  h.west = Lon32(im.Dword());
  Print<kDisassembledLine>(run, kVersionText);
  Print<kHeadInfo>(run);
  Print<kHeadSceneryId>(run, h.sceneryId);
  Print<kHeadMaxNorth>(run, h.north);
  Print<kHeadMinNorth>(run, h.south);
  Print<kHeadMaxEast>(run, h.east);
  Print<kHeadMinEast>(run, h.west);
  for (int n = 0; n < kSectionCount; ++n) {
    h.sections[n] = im.Dword();
    Print<kHeadSection>(run, n);
    Print<kHeadHex>(run, h.sections[n]);
    if (n == 0) {
      h.minFreq = im.Word();
      Print<kHeadMinFreq>(run, h.minFreq);
      h.maxFreq = im.Word();
      Print<kHeadMaxFreq>(run, h.maxFreq);
    } else if (n == 15) {
      for (int v = 0; v < 8; ++v) {
        h.values[v] = im.Word();
        Print<kHeadValue>(run, v, h.values[v]);
      }
    } else if (n == 21) {
      h.values[8] = im.Word();
      Print<kHeadValue8>(run, h.values[8]);
    }
  }
  run.CloseSectionOutput();
  return true;
}

bool SectionStep(BglRun& run, int section) {
  uint32_t slot = run.header.sections[section];
  if (slot == 0) {
    ConsolePrint<kSectionAbsent>(run, section);
    return true;
  }
  ConsolePrint<kSectionPresent>(run, section);
  run.image.Seek(slot);
  run.SetPass(DecodePass::Print);
  const SectionEntry& row = SectionRow(section);
  if (row.decode != nullptr) {
    row.decode(run, section, slot);
    return true;
  }
  if (!run.OpenSectionOutput(Format<kUndecodableName>(kNamePrefix, section), false)) return false;
  Print<kCantDecode>(run, section);
  run.CloseSectionOutput();
  ConsolePrint<kCantDecode>(run, section);
  return true;
}

}  // namespace bgltext
