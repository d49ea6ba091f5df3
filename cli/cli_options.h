// The command line of fleetmix-cli: the options of the main job, and a
// first word that names a command of its own (a small table the program
// passes in, so commands are added without touching the parser).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace fm::cli {

enum class AirportSource { kCacheElseImport, kImport, kCache };
enum class TrafficSource { kDecompile, kFiles };
enum class SaveMode { kNone, kSave, kCompile };

struct CliOptions {
  std::string fsRoot;   // empty: found as the wizard finds it
  std::string workDir;  // empty: the current folder
  AirportSource airports = AirportSource::kCacheElseImport;
  TrafficSource traffic = TrafficSource::kDecompile;
  bool randomly = false;  // else Evenly
  std::optional<std::uint32_t> seed;
  SaveMode save = SaveMode::kSave;
  std::vector<std::string> exclude;  // titles of variations not used for AI
  // Only the imports, then the configuration check in place of a
  // generation (`fleetmix-cli check`).
  bool checkOnly = false;
};

// A command of its own, named by the first word: `fleetmix-cli <name> ...`.
struct Subcommand {
  const char* name;
  const char* summary;  // one line for --help
  int (*run)(const std::vector<std::string>& arguments);
};

struct ParsedCommandLine {
  enum class Action { kRun, kHelp, kVersion, kSubcommand, kUsageError } action = Action::kRun;
  CliOptions options;
  std::string error;                       // kUsageError: what was refused
  const Subcommand* subcommand = nullptr;  // kSubcommand
  std::vector<std::string> subcommandArguments;
};

// The arguments after the program's name.
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments,
                                   std::span<const Subcommand> subcommands = {});

// The text of --help.
std::string HelpText(std::span<const Subcommand> subcommands = {});

}  // namespace fm::cli
