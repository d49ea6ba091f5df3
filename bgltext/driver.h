// The command line and the run of bgltext from banner to exit status.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "bgltext/bgl_run.h"

namespace bgltext {

constexpr int kExitSuccess = 0;
constexpr int kExitUsage = 1;
constexpr int kExitLoadFailure = -1;
// An output file that cannot be created, written or closed.
constexpr int kExitOutputFailure = -1;
// A fatal decoder error, and a run whose text passes its budget.
constexpr int kExitDecoderFailure = 1;

// The text one run may write, over all its files: real files give 1.5 to 3
// times their size, so this bounds only hostile ones (a list whose entries
// all decode one large object again).
constexpr uint64_t kOutputBytesPerInputByte = 64;
constexpr uint64_t kOutputBytesExtra = 1 << 20;
uint64_t OutputBudget(uint64_t fileSize);

// Shows the "no arguments" message (a message box on Windows).
using ErrorBoxFunction = std::function<void(const char* caption, const char* text)>;

// Runs bgltext with the arguments after the program name; console text goes
// to console. Returns the exit status.
int RunBgltext(const std::vector<std::string>& args, Console& console,
               const ErrorBoxFunction& errorBox);

// Parses the arguments into options; false after the usage text (and, with no
// arguments at all, the error box).
bool ParseCommandLine(const std::vector<std::string>& args, RunOptions& options, Console& console,
                      const ErrorBoxFunction& errorBox);

// A whole run on bytes in memory with the given options (inputPath names the
// file in messages and default output names). Output files are kept in
// memory, by full path.
struct MemoryRunResult {
  int status = 0;
  std::string console;
  std::map<std::string, std::string> files;
};
MemoryRunResult RunOnBytes(const std::vector<uint8_t>& file, RunOptions options);

}  // namespace bgltext
