// The command line and the run of bgltext from banner to exit status.
#include "bgltext/driver.h"

#include <exception>
#include <new>

#include "bgltext/bgl_loader.h"
#include "bgltext/lat_range.h"
#include "bgltext/section_walk.h"

namespace bgltext {
namespace {

constexpr char kBanner[] = "BGLTEXT: MSFS/CFS Scenery Disassembler for Terrasm/SCASM %s\n";
constexpr char kDone[] = "Done.\n\n";
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

// Decoder failures that end the run; the exit status of each.
constexpr int kExitDecoderFailure = 1;

void PrintUsage(Console& console) {
  for (const char* line : kUsage) console.Write(line);
}

// The run after the command line: image, header, control files, sections.
int Execute(BglRun& run, bool loaded) {
  if (!loaded) return kExitLoadFailure;
  run.Labels().Clear();
  run.DecideOutputBase();
  try {
    if (!ReadHeader(run)) return kExitLoadFailure;
    if (run.Options().multiFile && !run.CreateControlFiles()) return kExitLoadFailure;
    for (int n = 0; n < kSectionCount; ++n) {
      if (!SectionStep(run, n)) {
        run.CloseControlFiles();
        return kExitLoadFailure;
      }
    }
  } catch (FatalExit e) {
    run.CloseControlFiles();
    return e.status;
  } catch (BgltextException e) {
    // End of data or a file error that no decoder catches: the text so far
    // is kept and the run fails.
    if (e == EndOfData) run.PrintAlways("%s", kEofLine);
    run.CloseControlFiles();
    return kExitDecoderFailure;
  } catch (const std::bad_alloc&) {
    run.ConsolePrint(kNoMemory);
    run.CloseControlFiles();
    return kExitDecoderFailure;
  } catch (const std::exception&) {
    // Nothing a decoder means to throw; the run still ends in order.
    run.CloseControlFiles();
    return kExitDecoderFailure;
  }
  run.CloseControlFiles();
  run.ConsolePrint(kDone);
  return kExitSuccess;
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
  console.Printf(kBanner, kVersionText);
  console.Write("\n");
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

}  // namespace bgltext
