// fleetmix-cli's command line: the bytes split at NUL into arguments, parsed
// with the program's commands. Every command line is either refused with a
// message, or gives options whose values came from it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/cli_options.h"

namespace {

int NoCommand(const std::vector<std::string>&) { return 0; }

const fm::cli::Subcommand kCommands[] = {{"check", "check", NoCommand},
                                         {"restore", "restore", NoCommand}};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> arguments(1);
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == 0) {
      arguments.emplace_back();
    } else {
      arguments.back() += static_cast<char>(data[i]);
    }
  }
  const fm::cli::ParsedCommandLine parsed = fm::cli::ParseCommandLine(arguments, kCommands);
  using Action = fm::cli::ParsedCommandLine::Action;
  if ((parsed.action == Action::kUsageError && parsed.error.empty()) ||
      (parsed.action == Action::kSubcommand && parsed.subcommand == nullptr)) {
    std::abort();
  }
  for (const std::string& title : parsed.options.exclude) {
    bool given = false;
    for (const std::string& argument : arguments)
      given = given || argument.find(title) != std::string::npos;
    if (parsed.action == Action::kRun && !given) std::abort();
  }
  return 0;
}
