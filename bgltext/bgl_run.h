// The run-wide state of one disassembly: options, image, pass mode, label
// table, the current section output and the control files. A run creates
// one BglRun; decoders are plain functions that take it.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "bgltext/bgl_image.h"
#include "bgltext/bgltext_error.h"
#include "bgltext/coord_value.h"
#include "bgltext/label_table.h"
#include "bgltext/text_sink.h"

namespace bgltext {

constexpr char kVersionText[] = "ver 2.2";
constexpr char kNamePrefix[] = "bgt";
constexpr int kSectionCount = 22;

// Texts that more than one part of the run writes.
constexpr FormatText kCantOpenFile = "can't open file : %s\n";
constexpr FormatText kDisassembledLine = ";;; Disassembled by bgltext %s\n";
constexpr FormatText kNoMemory = "No memory\n";

struct RunOptions {
  bool sequencedLabels = false;  // -seq
  bool terrasm = false;          // -terrasm
  bool multiFile = false;        // -multi
  bool fs98Library = false;      // -fs98lib
  std::string inputPath;
  std::string outputPath;  // empty: not given
  // Tests and fuzzing: output files are kept in BglRun::memoryFiles instead
  // of being written to disk; writes to the memory file of this path fail.
  bool memoryOutput = false;
  std::string failingOutput;
};

// The 128-byte file header, as read.
struct BglHeader {
  uint16_t sceneryId = 0;
  CoordValue north, south, east, west;
  std::array<uint32_t, kSectionCount> sections{};
  uint16_t minFreq = 0, maxFreq = 0;
  std::array<uint16_t, 9> values{};  // value0 .. value8
};

class BglRun final : public LabelPlacer {
 public:
  BglRun(RunOptions options, Console& console);
  BglRun(const BglRun&) = delete;
  BglRun& operator=(const BglRun&) = delete;
  ~BglRun();

  const RunOptions& Options() const { return options_; }
  Console& Con() { return console_; }
  BglImage image;
  BglHeader header;

  // --- pass mode -------------------------------------------------------
  DecodePass Pass() const { return pass_; }
  void SetPass(DecodePass pass);
  // Collect mode: one more record decoded without text. The Print pass of
  // the unit writes at least a byte for each, so a unit whose records alone
  // would pass the output budget ends the run here, before its Print pass.
  void CountSilentRecord() {
    if (++silentRecords_ > ledger_.Limit() - ledger_.Written())
      throw OutputFailure{OutputFailure::OverBudget, out_.Path()};
  }

  // --- section text -------------------------------------------------
  bool HasOutput() const { return out_.IsOpen(); }
  TextSink& Out() { return out_; }
  // The section text while it is written (Print mode, an output open), else
  // null; Print<format>(run, ...) writes through it.
  TextSink* Text() { return pass_ == DecodePass::Print && out_.IsOpen() ? &out_ : nullptr; }

  // --- labels ---------------------------------------------------------
  LabelTable& Labels() { return labels_; }
  // Collect mode: remembers a jump target. Ignored in Print mode.
  void RegisterTarget(uint32_t target);
  // Print mode: writes ":L%08X" (or ":L%d" with -seq) without a line end.
  void ReferenceLabel(uint32_t target);
  // Print mode, called by the readers: the label line of the cursor offset.
  void PlaceLabel(uint32_t offset) override;

  // --- section outputs ------------------------------------------------
  // Opens the output of a section (or the header, headerFile set); clears the
  // label table. False after "can't open file : %s" on the console.
  bool OpenSectionOutput(const std::string& name, bool headerFile);
  // Appends to an earlier section file; throws FileError when it cannot.
  void ReopenSectionOutput(const std::string& name);
  void CloseSectionOutput();
  // Writes the comment block that opens a section's text.
  void SectionHeaderBlock(int section);

  // --- driver ---------------------------------------------------------
  // Fixes the output base from the options (creating the directory in
  // multi-file mode).
  void DecideOutputBase();
  const std::string& OutputBase() const { return outputBase_; }
  // Creates the control files of multi-file mode; false after the message.
  bool CreateControlFiles();
  // Closes every output (section text and control files); throws
  // OutputFailure when one cannot be written or closed.
  void CloseOutputs();
  // Closes every output without writing more (after an output failure).
  void AbandonOutputs();
  // The bytes all outputs of the run may hold together.
  OutputLedger& Ledger() { return ledger_; }

  // Section 0: latitude bands met so far, in order of first appearance.
  std::vector<std::pair<int64_t, int64_t>> latitudeBands;
  // Files of a memory-output run, by full path.
  std::map<std::string, std::string> memoryFiles;

 private:
  bool OpenFile(TextSink& sink, const std::string& path, bool append);
  // Opens a control file in the output directory; "can't open file" on failure.
  bool OpenControlFile(TextSink& file, const char* name);

  RunOptions options_;
  Console& console_;
  OutputLedger ledger_;
  DecodePass pass_ = DecodePass::Print;
  uint64_t silentRecords_ = 0;
  LabelTable labels_;
  TextSink out_;
  TextSink bindFile_, batchFile_, terrasmFile_;
  std::string outputBase_;
  bool firstOpen_ = true;
  bool firstHeaderBlock_ = true;
};

// The input path cut at its extension (the last '.' after the first
// character), plus extension.
std::string DefaultOutputPath(const std::string& input, const char* extension);

// The path separator that multi-file mode appends to the output directory.
#ifdef _WIN32
constexpr char kPathSeparator = '\\';
#else
constexpr char kPathSeparator = '/';
#endif

// Section text, written in Print mode only.
template <FormatText F, typename... Args>
void Print(BglRun& run, const Args&... args) {
  if (TextSink* text = run.Text()) Put<F>(*text, args...);
}

// Section text whatever the pass mode (the LatRange line of a unit).
template <FormatText F, typename... Args>
void PrintAlways(BglRun& run, const Args&... args) {
  if (run.HasOutput()) Put<F>(run.Out(), args...);
}

template <FormatText F, typename... Args>
void ConsolePrint(BglRun& run, const Args&... args) {
  Say<F>(run.Con(), args...);
}

// Writes the message on the console and ends the run with status.
template <FormatText F, typename... Args>
[[noreturn]] void Fatal(BglRun& run, int status, const Args&... args) {
  Say<F>(run.Con(), args...);
  throw FatalExit{status};
}

}  // namespace bgltext
