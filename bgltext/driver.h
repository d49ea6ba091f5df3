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
