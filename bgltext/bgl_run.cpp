// The run-wide state: print channel, labels and section outputs.
#include "bgltext/bgl_run.h"
#include "bgltext/record_format.h"

#include <cstdarg>
#include <cstdio>

#include "bgltext/os_files.h"
#include "bgltext/section_table.h"

namespace bgltext {
namespace {

constexpr char kLabelLine[] = ":L%08X\n";
constexpr char kLabelLineSeq[] = ":L%d\n";
constexpr char kLabelRef[] = ":L%08X";
constexpr char kLabelRefSeq[] = ":L%d";
constexpr char kNoLabel[] = "Internal error : no label(0x%x)\n";

constexpr char kBlockSection[] = ";;; section %d - %s\n";
constexpr char kBlockHeader[] = "Header( 1 %s %s %s %s )\n";
constexpr char kBlockHeaderSingle[] = "Header( 1 %s %s %s %s )\n\n";
constexpr char kBlockRule[] = ";;; ----------------------------\n";

constexpr char kSectionExtension[] = ".sca";
constexpr char kTerrasmExtension[] = ".trm";
constexpr char kBglExtension[] = ".bgl";
constexpr char kTerrasmInclude[] = "include( %s%s )\n";
constexpr char kBindLine[] = "%s%s\n";
constexpr char kBatchLine[] = "scasm %s%s %s%s\n";

constexpr char kTerrasmListName[] = "main.trm";
constexpr char kBindName[] = "bglbind.ctl";
constexpr char kBatchName[] = "compall.bat";
constexpr char kTerrasmListFirst[] = "// Genereted by bgltext\n";
constexpr char kBindFirst[] = "; bglbind control file genereted by bgltext\n";
constexpr char kBindSecond[] = "output.bgl\t; output file name\n";
constexpr char kBatchFirst[] = "rem - compile batch file genereted by bgltext\n";

}  // namespace

std::string Format(const char* format, ...) {
  std::string s;
  va_list args;
  va_start(args, format);
  AppendVPrintf(s, format, args);
  va_end(args);
  return s;
}

BglRun::BglRun(RunOptions options, Console& console)
    : options_(std::move(options)), console_(console) {}

BglRun::~BglRun() { image.SetLabelPlacer(nullptr, nullptr); }

void BglRun::SetPass(DecodePass pass) {
  pass_ = pass;
  image.SetLabelPlacer(pass == DecodePass::Print ? this : nullptr, &labels_);
}

void BglRun::Print(const char* format, ...) {
  if (pass_ != DecodePass::Print || !out_.IsOpen()) return;
  va_list args;
  va_start(args, format);
  out_.VPrintf(format, args);
  va_end(args);
}

void BglRun::PrintText(const char* text, size_t length) {
  if (pass_ == DecodePass::Print) out_.Write(text, length);
}

void BglRun::PrintAlways(const char* format, ...) {
  va_list args;
  va_start(args, format);
  out_.VPrintf(format, args);
  va_end(args);
}

void BglRun::ConsolePrint(const char* format, ...) {
  std::string s;
  va_list args;
  va_start(args, format);
  AppendVPrintf(s, format, args);
  va_end(args);
  console_.Write(s.c_str());
}

void BglRun::Fatal(int status, const char* format, ...) {
  std::string s;
  va_list args;
  va_start(args, format);
  AppendVPrintf(s, format, args);
  va_end(args);
  console_.Write(s.c_str());
  throw FatalExit{status};
}

void BglRun::RegisterTarget(uint32_t target) {
  if (pass_ != DecodePass::Collect) return;
  try {
    labels_.Register(target);
  } catch (const std::bad_alloc&) {
    Fatal(1, kNoMemory);
  }
}

void BglRun::ReferenceLabel(uint32_t target) {
  if (pass_ != DecodePass::Print || !out_.IsOpen()) return;
  int32_t seq = labels_.Find(target);
  if (seq < 0) Fatal(1, kNoLabel, target);
  if (options_.sequencedLabels) {
    Emit(*this, kLabelRefSeq, seq);
  } else {
    Emit(*this, kLabelRef, target);
  }
}

void BglRun::PlaceLabel(uint32_t offset) {
  int32_t seq = labels_.Find(offset);
  if (seq < 0) return;
  if (options_.sequencedLabels) {
    Emit(*this, kLabelLineSeq, seq);
  } else {
    Emit(*this, kLabelLine, offset);
  }
}

bool BglRun::OpenFile(TextSink& sink, const std::string& path, bool append) {
  sink.Close();
  if (options_.memoryOutput) {
    std::string& text = memoryFiles[path];
    if (!append) text.clear();
    sink.Open(&text);
    return true;
  }
  FILE* f = std::fopen(path.c_str(), append ? "ab" : "wb");
  if (!f) return false;
  sink.Open(f);
  return true;
}

bool BglRun::OpenSectionOutput(const std::string& name, bool headerFile) {
  if (!options_.multiFile) {
    if (firstOpen_) {
      if (!OpenFile(out_, outputBase_, false)) {
        console_.Printf(kCantOpenFile, outputBase_.c_str());
        return false;
      }
      firstOpen_ = false;
    } else {
      out_.Write("\n", 1);
    }
    labels_.Clear();
    return true;
  }
  const char* extension = options_.terrasm ? kTerrasmExtension : kSectionExtension;
  std::string path = outputBase_ + name + (headerFile ? "" : extension);
  if (!OpenFile(out_, path, false)) {
    console_.Printf(kCantOpenFile, path.c_str());
    return false;
  }
  if (!headerFile) {
    if (options_.terrasm) {
      terrasmFile_.Printf(kTerrasmInclude, name.c_str(), kTerrasmExtension);
    } else {
      bindFile_.Printf(kBindLine, name.c_str(), kBglExtension);
      batchFile_.Printf(kBatchLine, name.c_str(), kSectionExtension, name.c_str(), kBglExtension);
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
      console_.Printf(kCantOpenFile, path.c_str());
      throw FileError;
    }
  }
  labels_.Clear();
}

void BglRun::CloseSectionOutput() {
  if (options_.multiFile) out_.Close();
}

void BglRun::SectionHeaderBlock(int section) {
  std::string n = header.north.Text(), s = header.south.Text(), e = header.east.Text(),
              w = header.west.Text();
  const char* name = SectionName(section);
  if (options_.multiFile) {
    out_.Printf(kDisassembledLine, kVersionText);
    out_.Printf(kBlockSection, section, name);
    out_.Printf(kBlockHeader, n.c_str(), s.c_str(), e.c_str(), w.c_str());
    return;
  }
  if (firstHeaderBlock_) {
    out_.Printf(kBlockHeaderSingle, n.c_str(), s.c_str(), e.c_str(), w.c_str());
    firstHeaderBlock_ = false;
  }
  out_.Printf("%s", kBlockRule);
  out_.Printf(kBlockSection, section, name);
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
  console_.Printf(kCantOpenFile, path.c_str());
  return false;
}

bool BglRun::CreateControlFiles() {
  if (options_.terrasm) {
    if (!OpenControlFile(terrasmFile_, kTerrasmListName)) return false;
    terrasmFile_.Printf("%s", kTerrasmListFirst);
    return true;
  }
  if (!OpenControlFile(bindFile_, kBindName)) return false;
  bindFile_.Printf("%s", kBindFirst);
  bindFile_.Printf("%s", kBindSecond);
  if (!OpenControlFile(batchFile_, kBatchName)) return false;
  batchFile_.Printf("%s", kBatchFirst);
  return true;
}

void BglRun::CloseControlFiles() {
  terrasmFile_.Close();
  bindFile_.Close();
  batchFile_.Close();
  out_.Close();
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
