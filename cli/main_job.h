// The main job without a window: the wizard's pages driven in order through
// console page hosts (aircraft, airports, traffic, generate, save), then the
// summary.
#pragma once

#include <cstdio>

#include "cli/cli_options.h"
#include "cli/console_page_host.h"

namespace fm::cli {

// The exit statuses of the console program.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitEnded = 1;       // where the wizard ends itself with 1
inline constexpr int kExitUsage = 2;       // the command line was refused
inline constexpr int kExitStepFailed = 3;  // a step failed; its message was printed

// Runs the job; messages and progress go to `messages`, the summary to
// `summary`. Gives the exit status. With `checkOnly` the imports are
// followed by the configuration check, printed to `summary` (status 0 when
// it finds nothing, 4 when it does).
int RunMainJob(const CliOptions& options, ConsoleOutput& messages, std::FILE* summary);

// `fleetmix-cli restore [--fs-root DIR]`: puts the traffic backup back.
int RunRestore(const std::vector<std::string>& arguments, ConsoleOutput& messages, std::FILE* out);

}  // namespace fm::cli
