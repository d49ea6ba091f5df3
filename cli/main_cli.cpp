// fleetmix-cli: the main job of the wizard from a command line.
#include <cstdio>
#include <string>
#include <vector>

#if defined(_WIN32)
#include <io.h>
#define FM_ISATTY _isatty
#define FM_FILENO _fileno
#else
#include <unistd.h>
#define FM_ISATTY isatty
#define FM_FILENO fileno
#endif

#include "cli/cli_options.h"
#include "cli/console_page_host.h"
#include "cli/main_job.h"

namespace {

// The commands named by a first word, beside the main job.
const std::vector<fm::cli::Subcommand> kSubcommands = {};

}  // namespace

int main(int argc, char** argv) {
  using Action = fm::cli::ParsedCommandLine::Action;
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  const fm::cli::ParsedCommandLine parsed = fm::cli::ParseCommandLine(arguments, kSubcommands);
  switch (parsed.action) {
    case Action::kHelp:
      std::fputs(fm::cli::HelpText(kSubcommands).c_str(), stdout);
      return fm::cli::kExitSuccess;
    case Action::kVersion:
      std::printf("fleetmix-cli %s\n", FM_VERSION);
      return fm::cli::kExitSuccess;
    case Action::kUsageError:
      std::fprintf(stderr, "fleetmix-cli: %s\nTry 'fleetmix-cli --help'.\n", parsed.error.c_str());
      return fm::cli::kExitUsage;
    case Action::kSubcommand:
      return parsed.subcommand->run(parsed.subcommandArguments);
    case Action::kRun:
      break;
  }
  fm::cli::ConsoleOutput messages(stderr, FM_ISATTY(FM_FILENO(stderr)) != 0);
  return fm::cli::RunMainJob(parsed.options, messages, stdout);
}
