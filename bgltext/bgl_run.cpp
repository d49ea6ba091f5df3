// The run-wide state: print channel, labels and section outputs.
#include "bgltext/bgl_run.h"

#include <cstdio>
#include <optional>

#include "bgltext/os_files.h"
#include "bgltext/section_table.h"

namespace bgltext {
namespace {

constexpr FormatText kLabelLine = ":L%08X\n";
constexpr FormatText kLabelLineSeq = ":L%d\n";
constexpr FormatText kLabelRef = ":L%08X";
constexpr FormatText kLabelRefSeq = ":L%d";
constexpr FormatText kNoLabel = "Internal error : no label(0x%x)\n";

constexpr FormatText kBlockSection = ";;; section %d - %s\n";
constexpr FormatText kBlockHeader = "Header( 1 %s %s %s %s )\n";
constexpr FormatText kBlockHeaderSingle = "Header( 1 %s %s %s %s )\n\n";
constexpr FormatText kBlockRule = ";;; ----------------------------\n";
constexpr FormatText kSectionSeparator = "\n";

constexpr char kSectionExtension[] = ".sca";
constexpr char kTerrasmExtension[] = ".trm";
constexpr char kBglExtension[] = ".bgl";
constexpr FormatText kTerrasmInclude = "include( %s%s )\n";
constexpr FormatText kBindLine = "%s%s\n";
constexpr FormatText kBatchLine = "scasm %s%s %s%s\n";

constexpr char kTerrasmListName[] = "main.trm";
constexpr char kBindName[] = "bglbind.ctl";
constexpr char kBatchName[] = "compall.bat";
constexpr FormatText kTerrasmListFirst = "// Genereted by bgltext\n";
constexpr FormatText kBindFirst = "; bglbind control file genereted by bgltext\n";
constexpr FormatText kBindSecond = "output.bgl\t; output file name\n";
constexpr FormatText kBatchFirst = "rem - compile batch file genereted by bgltext\n";

}  // namespace

BglRun::BglRun(RunOptions options, Console& console)
    : options_(std::move(options)), console_(console) {}

BglRun::~BglRun() { image.SetLabelPlacer(nullptr, nullptr); }

void BglRun::SetPass(DecodePass pass) {
  pass_ = pass;
  if (pass == DecodePass::Collect) silentRecords_ = 0;
  // Targets are registered only in the Collect pass, so a Print pass that
  // starts without any places no label and its readers need not ask.
  image.SetLabelPlacer(pass == DecodePass::Print && !labels_.Empty() ? this : nullptr, &labels_);
}

void BglRun::RegisterTarget(uint32_t target) {
  if (pass_ != DecodePass::Collect) return;
  if (labels_.Count() >= LabelLimit(image.SourceSize()) && labels_.Find(target) < 0)
    Fatal<kNoMemory>(*this, 1);
  try {
    labels_.Register(target);
  } catch (const std::bad_alloc&) {
    Fatal<kNoMemory>(*this, 1);
  }
}

void BglRun::ReferenceLabel(uint32_t target) {
  if (pass_ != DecodePass::Print || !out_.IsOpen()) return;
  int32_t seq = labels_.Find(target);
  if (seq < 0) Fatal<kNoLabel>(*this, 1, target);
  if (options_.sequencedLabels) {
    Put<kLabelRefSeq>(out_, seq);
  } else {
    Put<kLabelRef>(out_, target);
  }
}

void BglRun::PlaceLabel(uint32_t offset) {
  int32_t seq = labels_.Find(offset);
  if (seq < 0) return;
  if (options_.sequencedLabels) {
    Print<kLabelLineSeq>(*this, seq);
  } else {
    Print<kLabelLine>(*this, offset);
  }
}

bool BglRun::OpenFile(TextSink& sink, const std::string& path, bool append) {
  sink.Close();
  if (options_.memoryOutput) {
    std::string& text = memoryFiles[path];
    if (!append) text.clear();
    sink.OpenMemory(&text, path, ledger_, path == options_.failingOutput);
    return true;
  }
  FILE* f = std::fopen(path.c_str(), append ? "ab" : "wb");
  if (!f) return false;
  sink.OpenFile(f, path, ledger_);
  return true;
}

bool BglRun::OpenSectionOutput(const std::string& name, bool headerFile) {
  if (!options_.multiFile) {
    if (firstOpen_) {
      if (!OpenFile(out_, outputBase_, false)) {
        Say<kCantOpenFile>(console_, outputBase_);
        return false;
      }
      firstOpen_ = false;
    } else {
      Put<kSectionSeparator>(out_);
    }
    labels_.Clear();
    return true;
  }
  const char* extension = options_.terrasm ? kTerrasmExtension : kSectionExtension;
  std::string path = outputBase_ + name + (headerFile ? "" : extension);
  if (!OpenFile(out_, path, false)) {
    Say<kCantOpenFile>(console_, path);
    return false;
  }
  if (!headerFile) {
    if (options_.terrasm) {
      Put<kTerrasmInclude>(terrasmFile_, name, kTerrasmExtension);
    } else {
      Put<kBindLine>(bindFile_, name, kBglExtension);
      Put<kBatchLine>(batchFile_, name, kSectionExtension, name, kBglExtension);
    }
  }
  labels_.Clear();
  return true;
}

void BglRun::ReopenSectionOutput(const std::string& name) {
  if (options_.multiFile) {
    // The same file that the first open of this name created.
    std::string path =
        outputBase_ + name + (options_.terrasm ? kTerrasmExtension : kSectionExtension);
    if (!OpenFile(out_, path, true)) {
      Say<kCantOpenFile>(console_, path);
      throw FileError;
    }
  }
  labels_.Clear();
}

void BglRun::CloseSectionOutput() {
  if (options_.multiFile) out_.Close();
}

void BglRun::SectionHeaderBlock(int section) {
  if (!out_.IsOpen()) return;
  const BglHeader& h = header;
  const char* name = SectionName(section);
  if (options_.multiFile) {
    Put<kDisassembledLine>(out_, kVersionText);
    Put<kBlockSection>(out_, section, name);
    Put<kBlockHeader>(out_, h.north, h.south, h.east, h.west);
    return;
  }
  if (firstHeaderBlock_) {
    Put<kBlockHeaderSingle>(out_, h.north, h.south, h.east, h.west);
    firstHeaderBlock_ = false;
  }
  Put<kBlockRule>(out_);
  Put<kBlockSection>(out_, section, name);
}

void BglRun::DecideOutputBase() {
  if (!options_.multiFile) {
    if (!options_.outputPath.empty()) {
      outputBase_ = options_.outputPath;
      return;
    }
    outputBase_ = DefaultOutputPath(options_.inputPath,
                                    options_.terrasm ? kTerrasmExtension : kSectionExtension);
    return;
  }
  std::string dir = options_.outputPath;
  // With no directory on the command line the BGL path without its
  // extension names it.
  if (dir.empty()) dir = DefaultOutputPath(options_.inputPath, "");
  if (!options_.memoryOutput) MakeDirectory(dir);
  if (dir.empty() || dir.back() != kPathSeparator) dir += kPathSeparator;
  outputBase_ = dir;
}

bool BglRun::OpenControlFile(TextSink& file, const char* name) {
  const std::string path = outputBase_ + name;
  if (OpenFile(file, path, false)) return true;
  Say<kCantOpenFile>(console_, path);
  return false;
}

bool BglRun::CreateControlFiles() {
  if (options_.terrasm) {
    if (!OpenControlFile(terrasmFile_, kTerrasmListName)) return false;
    Put<kTerrasmListFirst>(terrasmFile_);
    return true;
  }
  if (!OpenControlFile(bindFile_, kBindName)) return false;
  Put<kBindFirst>(bindFile_);
  Put<kBindSecond>(bindFile_);
  if (!OpenControlFile(batchFile_, kBatchName)) return false;
  Put<kBatchFirst>(batchFile_);
  return true;
}

void BglRun::CloseOutputs() {
  // Every file is closed even when an earlier one fails; the first failure
  // is reported.
  TextSink* sinks[] = {&out_, &terrasmFile_, &bindFile_, &batchFile_};
  std::optional<OutputFailure> failure;
  for (TextSink* sink : sinks) {
    try {
      sink->Close();
    } catch (const OutputFailure& f) {
      if (!failure) failure = f;
    }
  }
  if (failure) throw *failure;
}

void BglRun::AbandonOutputs() {
  out_.Abandon();
  terrasmFile_.Abandon();
  bindFile_.Abandon();
  batchFile_.Abandon();
}

std::string DefaultOutputPath(const std::string& input, const char* extension) {
  std::string base = input;
  // Searched backwards from the last character down to the second.
  for (size_t i = base.size(); i-- > 1;) {
    if (base[i] == '.') {
      base.resize(i);
      break;
    }
  }
  return base + extension;
}

}  // namespace bgltext
