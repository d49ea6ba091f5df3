#include "cli/cli_options.h"

#include <cstdlib>

namespace fm::cli {
namespace {

using Action = ParsedCommandLine::Action;

// The options that take a value, and what each does with it (false with
// `error` set refuses the value).
struct ValueOption {
  const char* name;
  bool repeatable;
  bool (*apply)(const std::string& value, CliOptions& options, std::string& error);
};

bool Choice(const std::string& value, const char* name, const char* first, const char* second,
            std::string& error) {
  if (value == first) return true;
  if (value == second) return true;
  error = std::string(name) + " takes " + first + " or " + second + ", not '" + value + "'";
  return false;
}

bool ApplyFsRoot(const std::string& value, CliOptions& options, std::string&) {
  options.fsRoot = value;
  return true;
}

bool ApplyWorkDir(const std::string& value, CliOptions& options, std::string&) {
  options.workDir = value;
  return true;
}

bool ApplyAirports(const std::string& value, CliOptions& options, std::string& error) {
  if (!Choice(value, "--airports", "import", "cache", error)) return false;
  options.airports = value == "import" ? AirportSource::kImport : AirportSource::kCache;
  return true;
}

bool ApplyTraffic(const std::string& value, CliOptions& options, std::string& error) {
  if (!Choice(value, "--traffic", "decompile", "files", error)) return false;
  options.traffic = value == "files" ? TrafficSource::kFiles : TrafficSource::kDecompile;
  return true;
}

bool ApplyMethod(const std::string& value, CliOptions& options, std::string& error) {
  if (!Choice(value, "--method", "evenly", "randomly", error)) return false;
  options.randomly = value == "randomly";
  return true;
}

bool ApplySeed(const std::string& value, CliOptions& options, std::string& error) {
  const bool digits = !value.empty() && value.size() <= 10 &&
                      value.find_first_not_of("0123456789") == std::string::npos;
  const unsigned long long number = digits ? std::strtoull(value.c_str(), nullptr, 10) : 0;
  if (!digits || number > 0xFFFFFFFFull) {
    error = "--seed takes a whole number from 0 to 4294967295, not '" + value + "'";
    return false;
  }
  options.seed = static_cast<std::uint32_t>(number);
  return true;
}

bool ApplySave(const std::string& value, CliOptions& options, std::string& error) {
  if (value == "none" || value == "save" || value == "compile") {
    options.save = value == "none"   ? SaveMode::kNone
                   : value == "save" ? SaveMode::kSave
                                     : SaveMode::kCompile;
    return true;
  }
  error = "--save takes none, save or compile, not '" + value + "'";
  return false;
}

bool ApplyExclude(const std::string& value, CliOptions& options, std::string&) {
  options.exclude.push_back(value);
  return true;
}

constexpr ValueOption kValueOptions[] = {
    // name          repeatable  apply
    {"--fs-root", false, ApplyFsRoot},    {"--work-dir", false, ApplyWorkDir},
    {"--airports", false, ApplyAirports}, {"--traffic", false, ApplyTraffic},
    {"--method", false, ApplyMethod},     {"--seed", false, ApplySeed},
    {"--save", false, ApplySave},         {"--exclude", true, ApplyExclude},
};

ParsedCommandLine Refuse(std::string error) {
  ParsedCommandLine parsed;
  parsed.action = Action::kUsageError;
  parsed.error = std::move(error);
  return parsed;
}

}  // namespace

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments,
                                   std::span<const Subcommand> subcommands) {
  ParsedCommandLine parsed;
  if (!arguments.empty() && !arguments[0].starts_with("-")) {
    for (const Subcommand& command : subcommands) {
      if (arguments[0] == command.name) {
        parsed.action = Action::kSubcommand;
        parsed.subcommand = &command;
        parsed.subcommandArguments.assign(arguments.begin() + 1, arguments.end());
        return parsed;
      }
    }
    return Refuse("unknown command '" + arguments[0] + "'");
  }

  std::vector<std::string> given;  // the value options seen
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--help" || argument == "-h") {
      parsed.action = Action::kHelp;
      continue;
    }
    if (argument == "--version") {
      if (parsed.action != Action::kHelp) parsed.action = Action::kVersion;
      continue;
    }
    if (!argument.starts_with("-")) return Refuse("unexpected argument '" + argument + "'");

    const size_t equals = argument.find('=');
    const std::string name = argument.substr(0, equals);
    const ValueOption* option = nullptr;
    for (const ValueOption& candidate : kValueOptions) {
      if (name == candidate.name) option = &candidate;
    }
    if (option == nullptr) return Refuse("unknown option '" + name + "'");

    std::string value;
    if (equals != std::string::npos) {
      value = argument.substr(equals + 1);
    } else if (i + 1 < arguments.size()) {
      value = arguments[++i];
    } else {
      return Refuse(name + " needs a value");
    }
    if (value.empty()) return Refuse(name + " needs a value");
    if (!option->repeatable) {
      for (const std::string& seen : given) {
        if (seen == name) return Refuse(name + " is given more than once");
      }
      given.push_back(name);
    }
    std::string error;
    if (!option->apply(value, parsed.options, error)) return Refuse(error);
  }
  if (parsed.options.seed && !parsed.options.randomly && parsed.action == Action::kRun) {
    return Refuse("--seed is the seed of --method randomly; evenly draws no numbers");
  }
  return parsed;
}

std::string HelpText(std::span<const Subcommand> subcommands) {
  std::string text =
      "Usage: fleetmix-cli [options]\n"
      "\n"
      "Gives the AI traffic of FS2002 the aircraft that are installed, as the\n"
      "Fleetmix wizard does, without a window: imports the aircraft, the\n"
      "airports and the traffic, generates the new traffic, and saves it (and\n"
      "compiles it into the simulator's TRAFFIC.BGL when asked). Status lines,\n"
      "and every message with its kind (error:, warning:, info:), go to standard\n"
      "error; a summary of the run goes to standard output.\n"
      "\n"
      "Options:\n"
      "  --fs-root DIR          the FS2002 folder (default: found as the wizard\n"
      "                         finds it: FLEETMIX_FS_ROOT or the Wine prefix's\n"
      "                         registry on Linux, the registry on Windows;\n"
      "                         Windows traffic tools read only the registry,\n"
      "                         so with decompile or compile DIR must be the\n"
      "                         registry's folder there)\n"
      "  --work-dir DIR         the working folder: air_class.cfg, air_nat.cfg,\n"
      "                         sccache.txt and the traffic text files are read\n"
      "                         there, report.txt and the new traffic files are\n"
      "                         written there (default: the current folder)\n"
      "  --airports import|cache\n"
      "                         import the airport directory through bgltext, or\n"
      "                         load sccache.txt (default: the cache when it\n"
      "                         loads, else import)\n"
      "  --traffic decompile|files\n"
      "                         run the traffic decompiler on TRAFFIC.BGL, or read\n"
      "                         Aircraft.txt and FlightPlans.txt of the working\n"
      "                         folder as they lie (what holding Shift does in the\n"
      "                         wizard) (default: decompile)\n"
      "  --method evenly|randomly\n"
      "                         how an aircraft is chosen among the candidates\n"
      "                         (default: evenly)\n"
      "  --seed N               the seed of randomly, 0 to 4294967295, for runs\n"
      "                         that can be repeated (default: the tick count)\n"
      "  --save none|save|compile\n"
      "                         keep nothing, save aircraft.txt and\n"
      "                         FlightPlans.txt, or save them and compile them\n"
      "                         into TRAFFIC.BGL (default: save)\n"
      "  --exclude TITLE        an installed variation (its title) that flies no\n"
      "                         AI traffic; may be given several times\n"
      "  --help                 this text\n"
      "  --version              the version\n"
      "\n"
      "An option's value may also follow an equals sign: --method=randomly.\n";
  if (!subcommands.empty()) {
    text += "\nCommands:\n";
    for (const Subcommand& command : subcommands) {
      std::string line = std::string("  ") + command.name;
      line.resize(25, ' ');
      text += line + command.summary + "\n";
    }
  }
  text +=
      "\n"
      "Exit status:\n"
      "  0  the run succeeded\n"
      "  1  the run ended where the wizard ends itself (no FS2002 folder, no\n"
      "     air_class.cfg, the new traffic files could not be saved)\n"
      "  2  the command line was refused\n"
      "  3  a step failed; its message says why\n"
      "\n"
      "The first traffic import keeps the simulator's traffic as\n"
      "SCENEDB\\ATC\\BACKUP_TRAFFIC.BGL; copy it over SCENEDB\\ATC\\SCENERY\\TRAFFIC.BGL\n"
      "to undo.\n";
  return text;
}

}  // namespace fm::cli
