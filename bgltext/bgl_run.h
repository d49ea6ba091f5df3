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
constexpr char kCantOpenFile[] = "can't open file : %s\n";
constexpr char kDisassembledLine[] = ";;; Disassembled by bgltext %s\n";
constexpr char kNoMemory[] = "No memory\n";

struct RunOptions {
  bool sequencedLabels = false;  // -seq
  bool terrasm = false;          // -terrasm
  bool multiFile = false;        // -multi
  bool fs98Library = false;      // -fs98lib
  std::string inputPath;
  std::string outputPath;  // empty: not given
  // Tests and fuzzing: output files are kept in BglRun::memoryFiles instead
  // of being written to disk.
  bool memoryOutput = false;
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

  // --- print channel: section text, written only in Print mode ----------
  void Print(const char* format, ...) BGLTEXT_PRINTF(2, 3);
  void PrintText(const char* text, size_t length);
  void PrintText(const std::string& text) { PrintText(text.data(), text.size()); }
  // Writes whatever the pass mode (the LatRange line of a unit).
  void PrintAlways(const char* format, ...) BGLTEXT_PRINTF(2, 3);
  bool HasOutput() const { return out_.IsOpen(); }
  // The section text stream for direct appends, or null when nothing would
  // be written (Collect mode, no output open).
  TextSink* Text() { return pass_ == DecodePass::Print && out_.IsOpen() ? &out_ : nullptr; }

  // --- console --------------------------------------------------------
  void ConsolePrint(const char* format, ...) BGLTEXT_PRINTF(2, 3);
  // Writes the message on the console and ends the run with status.
  [[noreturn]] void Fatal(int status, const char* format, ...) BGLTEXT_PRINTF(3, 4);

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
  void CloseControlFiles();

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
  DecodePass pass_ = DecodePass::Print;
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

// printf into a new std::string.
std::string Format(const char* format, ...) BGLTEXT_PRINTF(1, 2);

// The path separator that multi-file mode appends to the output directory.
#ifdef _WIN32
constexpr char kPathSeparator = '\\';
#else
constexpr char kPathSeparator = '/';
#endif

}  // namespace bgltext
