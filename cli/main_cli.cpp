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
int Check(const std::vector<std::string>& arguments) {
  fm::cli::ParsedCommandLine parsed = fm::cli::ParseCommandLine(arguments);
  if (parsed.action != fm::cli::ParsedCommandLine::Action::kRun) {
    std::fprintf(stderr, "fleetmix-cli check: %s\nTry 'fleetmix-cli --help'.\n",
                 parsed.action == fm::cli::ParsedCommandLine::Action::kUsageError
                     ? parsed.error.c_str()
                     : "takes the input options of a run only");
    return fm::cli::kExitUsage;
  }
  parsed.options.checkOnly = true;
  fm::cli::ConsoleOutput messages(stderr, FM_ISATTY(FM_FILENO(stderr)) != 0);
  return fm::cli::RunMainJob(parsed.options, messages, stdout);
}

int Restore(const std::vector<std::string>& arguments) {
  fm::cli::ConsoleOutput messages(stderr, FM_ISATTY(FM_FILENO(stderr)) != 0);
  return fm::cli::RunRestore(arguments, messages, stdout);
}

const std::vector<fm::cli::Subcommand> kSubcommands = {
    {"check",
     "reads the inputs of a run (same options) and reports what would silently go wrong in it; "
     "status 0 when nothing is found, 4 when something is",
     Check},
    {"restore",
     "puts SCENEDB\\ATC\\BACKUP_TRAFFIC.BGL back over the installed traffic, keeping the "
     "current one beside it (--fs-root DIR)",
     Restore},
};

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
