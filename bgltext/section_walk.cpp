// The file header and the walk over the 22 section slots.
#include "bgltext/section_walk.h"

#include "bgltext/bgl_loader.h"
#include "bgltext/bgl_run.h"
#include "bgltext/section_table.h"

namespace bgltext {
namespace {

constexpr char kHeaderFileName[] = "bgthead.txt";
constexpr char kAnalyzingHeader[] = "Anaylizing BGL Header\n";
constexpr char kHeadInfo[] = ";;; BGL header info\n";
constexpr char kHeadSceneryId[] = ";scenery id:\t0x%x\n";
constexpr char kHeadMaxNorth[] = ";max north:\t%s\n";
constexpr char kHeadMinNorth[] = ";min north:\t%s\n";
constexpr char kHeadMaxEast[] = ";max east:\t%s\n";
constexpr char kHeadMinEast[] = ";min east:\t%s\n";
constexpr char kHeadSection[] = ";sec%d point:\t";
constexpr char kHeadHex[] = "0x%x\n";
constexpr char kHeadMinFreq[] = ";min freq:\t0x%x\n";
constexpr char kHeadMaxFreq[] = ";max freq:\t0x%x\n";
constexpr char kHeadValue[] = ";value%d:\t0x%x\n";
constexpr char kHeadValue8[] = ";value8:\t\t0x%x\n";

constexpr char kSectionAbsent[] = "Analyzing section %d... does not exist\n";
constexpr char kSectionPresent[] = "Analyzing section %d...\n";
constexpr char kCantDecode[] = ";;; sorry, bgltext can't decode section %d\n";
constexpr char kUndecodableName[] = "%s%d";

}  // namespace

bool ReadHeader(BglRun& run) {
  if (!run.OpenSectionOutput(kHeaderFileName, true)) return false;
  run.SetPass(DecodePass::Print);
  run.ConsolePrint(kAnalyzingHeader);
  BglImage& im = run.image;
  BglHeader& h = run.header;
  im.Seek(0);
  h.sceneryId = im.Word();
  h.north = Lat32(im.SDword());
  h.south = Lat32(im.SDword());
  h.east = Lon32(im.Dword());
  h.west = Lon32(im.Dword());
  run.Print(kDisassembledLine, kVersionText);
  run.Print(kHeadInfo);
  run.Print(kHeadSceneryId, h.sceneryId);
  run.Print(kHeadMaxNorth, h.north.Text().c_str());
  run.Print(kHeadMinNorth, h.south.Text().c_str());
  run.Print(kHeadMaxEast, h.east.Text().c_str());
  run.Print(kHeadMinEast, h.west.Text().c_str());
  for (int n = 0; n < kSectionCount; ++n) {
    h.sections[n] = im.Dword();
    run.Print(kHeadSection, n);
    run.Print(kHeadHex, h.sections[n]);
    if (n == 0) {
      h.minFreq = im.Word();
      run.Print(kHeadMinFreq, h.minFreq);
      h.maxFreq = im.Word();
      run.Print(kHeadMaxFreq, h.maxFreq);
    } else if (n == 15) {
      for (int v = 0; v < 8; ++v) {
        h.values[v] = im.Word();
        run.Print(kHeadValue, v, h.values[v]);
      }
    } else if (n == 21) {
      h.values[8] = im.Word();
      run.Print(kHeadValue8, h.values[8]);
    }
  }
  run.CloseSectionOutput();
  return true;
}

bool SectionStep(BglRun& run, int section) {
  uint32_t slot = run.header.sections[section];
  if (slot == 0) {
    run.ConsolePrint(kSectionAbsent, section);
    return true;
  }
  run.ConsolePrint(kSectionPresent, section);
  run.image.Seek(slot);
  run.SetPass(DecodePass::Print);
  const SectionEntry& row = SectionRow(section);
  if (row.decode != nullptr) {
    row.decode(run, section, slot);
    return true;
  }
  if (!run.OpenSectionOutput(Format(kUndecodableName, kNamePrefix, section), false)) return false;
  run.Print(kCantDecode, section);
  run.CloseSectionOutput();
  run.ConsolePrint(kCantDecode, section);
  return true;
}

}  // namespace bgltext
