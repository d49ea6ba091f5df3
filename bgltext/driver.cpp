// The command line and the run of bgltext from banner to exit status.
#include "bgltext/driver.h"

#include <exception>
#include <new>

#include "bgltext/bgl_loader.h"
#include "bgltext/lat_range.h"
#include "bgltext/section_walk.h"

namespace bgltext {
namespace {

constexpr FormatText kBanner = "BGLTEXT: MSFS/CFS Scenery Disassembler for Terrasm/SCASM %s\n\n";
constexpr FormatText kDone = "Done.\n\n";
constexpr FormatText kCantWriteFile = "can't write file : %s\n";
constexpr FormatText kOutputLimit =
    "output limit reached : a file of %llu bytes may give at most %llu bytes of text\n";
constexpr const char* kUsage[] = {
    "usage: bgltext [options] <bglfile> [<output file/directory>]\n",
    "  options:\n",
    "     -seq      : sequenced label\n",
    "     -terrasm  : Terrasm compatible\n",
    "     -fs98lib  : FS98 library compatible\n",
    "     -multi    : output to multiple files\n",
};
constexpr char kNoArgsCaption[] = "Error";
constexpr char kNoArgsText[] =
    "BGLTEXT is a console application and needs command line parameters.\n"
    "You must execute it in command prompt(DOS prompt). Read the documents!";

constexpr char kOptSeq[] = "seq";
constexpr char kOptTerrasm[] = "terrasm";
constexpr char kOptMulti[] = "multi";
constexpr char kOptFs98Lib[] = "fs98lib";

void PrintUsage(Console& console) {
  for (const char* line : kUsage) console.Write(line);
}

// The header, the control files and the sections; the exit status.
int Decode(BglRun& run) {
  try {
    if (!ReadHeader(run)) return kExitOutputFailure;
    if (run.Options().multiFile && !run.CreateControlFiles()) return kExitOutputFailure;
    for (int n = 0; n < kSectionCount; ++n) {
      if (!SectionStep(run, n)) return kExitOutputFailure;
    }
  } catch (FatalExit e) {
    return e.status;
  } catch (BgltextException e) {
    // End of data or a file error that no decoder catches: the text so far
    // is kept and the run fails.
    if (e == EndOfData) PrintAlways<kEofLine>(run);
    return kExitDecoderFailure;
  } catch (const std::bad_alloc&) {
    ConsolePrint<kNoMemory>(run);
    return kExitDecoderFailure;
  } catch (const std::exception&) {
    // Nothing a decoder means to throw; the run still ends in order.
    return kExitDecoderFailure;
  }
  return kExitSuccess;
}

int WriteFailed(BglRun& run, const OutputFailure& failure) {
  run.AbandonOutputs();
  ConsolePrint<kCantWriteFile>(run, failure.path);
  return kExitOutputFailure;
}

// A write that failed, or text beyond the budget, ends the run at once. Text
// already formatted is still written as far as the budget allows.
int OutputFailed(BglRun& run, const OutputFailure& failure) {
  if (failure.kind == OutputFailure::WriteFailed) return WriteFailed(run, failure);
  try {
    run.CloseOutputs();
  } catch (const OutputFailure& later) {
    if (later.kind == OutputFailure::WriteFailed) return WriteFailed(run, later);
    run.AbandonOutputs();
  }
  ConsolePrint<kOutputLimit>(run, run.image.SourceSize(), run.Ledger().Limit());
  return kExitDecoderFailure;
}

// The run after the command line: image, header, control files, sections.
int Execute(BglRun& run, bool loaded) {
  if (!loaded) return kExitLoadFailure;
  run.Labels().Clear();
  run.Ledger().SetLimit(OutputBudget(run.image.SourceSize()));
  run.DecideOutputBase();
  int status;
  try {
    status = Decode(run);
    run.CloseOutputs();
  } catch (const OutputFailure& failure) {
    return OutputFailed(run, failure);
  }
  if (status == kExitSuccess) ConsolePrint<kDone>(run);
  return status;
}

}  // namespace

bool ParseCommandLine(const std::vector<std::string>& args, RunOptions& options, Console& console,
                      const ErrorBoxFunction& errorBox) {
  if (args.empty()) {
    PrintUsage(console);
    if (errorBox) errorBox(kNoArgsCaption, kNoArgsText);
    return false;
  }
  int files = 0;
  for (const std::string& arg : args) {
    if (!arg.empty() && arg[0] == '-') {
      std::string name = arg.substr(1);
      if (name == kOptSeq) {
        options.sequencedLabels = true;
      } else if (name == kOptTerrasm) {
        options.terrasm = true;
      } else if (name == kOptMulti) {
        options.multiFile = true;
      } else if (name == kOptFs98Lib) {
        options.fs98Library = true;
      } else {
        PrintUsage(console);
        return false;
      }
      continue;
    }
    if (files == 0) {
      options.inputPath = arg;
    } else if (files == 1) {
      options.outputPath = arg;
    } else {
      PrintUsage(console);
      return false;
    }
    ++files;
  }
  if (files == 0) {
    PrintUsage(console);
    return false;
  }
  return true;
}

int RunBgltext(const std::vector<std::string>& args, Console& console,
               const ErrorBoxFunction& errorBox) {
  Say<kBanner>(console, kVersionText);
  RunOptions options;
  if (!ParseCommandLine(args, options, console, errorBox)) return kExitUsage;
  BglRun run(options, console);
  bool loaded = LoadBglFile(options.inputPath, run.image, console);
  return Execute(run, loaded);
}

MemoryRunResult RunOnBytes(const std::vector<uint8_t>& file, RunOptions options) {
  MemoryRunResult result;
  Console console(&result.console);
  options.memoryOutput = true;
  BglRun run(options, console);
  bool loaded = LoadBglBytes(file, run.image, console);
  result.status = Execute(run, loaded);
  result.files = std::move(run.memoryFiles);
  return result;
}

uint64_t OutputBudget(uint64_t fileSize) {
  return kOutputBytesPerInputByte * fileSize + kOutputBytesExtra;
}

}  // namespace bgltext
