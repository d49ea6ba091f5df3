// The fuzz targets, one program each: the build compiles this file once per
// target with FM_FUZZ_<name> defined, which picks the body of Fuzz().
// Readers that take a path get the input as a file in a scratch folder of
// the process; an input that breaks a promise of the reader aborts.
#include <stdlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <list>
#include <string>
#include <string_view>
#include <vector>

#include "aircraft/aircraft_category.h"
#include "aircraft/aircraft_cfg_reader.h"
#include "bgltext/driver.h"
#include "bgltext/jm_decompress.h"
#include "cli/cli_options.h"
#include "geo/air_nat.h"
#include "geo/airport_cache.h"
#include "geo/scenery_text.h"
#include "platform/file_paths.h"
#include "platform/file_system.h"
#include "platform/file_text.h"
#include "services/status_sink.h"
#include "tools/traffic_container.h"
#include "traffic/redistribution.h"
#include "traffic/traffic_files.h"
#include "traffic/traffic_lines.h"

namespace fm {
namespace {

[[maybe_unused]] void Check(bool kept) {
  if (!kept) std::abort();
}

// A folder of this process, in memory where the system has one (the writers
// under test make their files reach the disk), removed at exit.
[[maybe_unused]] const std::string& Scratch() {
  static const struct Folder {
    Folder() { Check(mkdtemp(path.data()) != nullptr); }
    ~Folder() { RemoveTree(path); }
    std::string path =
        std::string(IsDirectory("/dev/shm") ? "/dev/shm" : "/tmp") + "/fmfuzz.XXXXXX";
  } folder;
  return folder.path;
}

// Writes the bytes to `name` in the scratch folder and gives its path.
[[maybe_unused]] std::string ScratchFile(const char* name, std::string_view bytes) {
  std::string path = JoinPath(Scratch(), name);
  Check(WriteFileBytes(path, bytes));
  return path;
}

// Takes the text apart from the front: the text up to the next `end`,
// without it.
[[maybe_unused]] std::string_view Next(std::string_view& text, char end = '\n') {
  const size_t at = text.find(end);
  const std::string_view piece = text.substr(0, at);
  text.remove_prefix(at == std::string_view::npos ? text.size() : at + 1);
  return piece;
}

#if defined(FM_FUZZ_bgltext)
// A whole run in memory, single-file, then multi-file with sequenced labels,
// so every section decoder is reachable from one image.
void Fuzz(std::string_view bytes) {
  const std::vector<uint8_t> file(bytes.begin(), bytes.end());
  bgltext::RunOptions options;
  options.inputPath = "fuzz.bgl";
  bgltext::RunOnBytes(file, options);
  options.multiFile = options.sequencedLabels = true;
  options.outputPath = "out";
  bgltext::RunOnBytes(file, options);
}
#elif defined(FM_FUZZ_jm_decompress)
// The first byte gives how many of the next bytes stand for the file header
// that matches may reach back into; the rest is the stream. What was
// appended is what was counted, and never past the limit.
void Fuzz(std::string_view bytes) {
  if (bytes.empty()) return;
  const size_t header = std::min<size_t>(static_cast<uint8_t>(bytes[0]), bytes.size() - 1);
  const std::string_view stream = bytes.substr(1 + header);
  std::vector<uint8_t> out(bytes.begin() + 1, bytes.begin() + 1 + header);
  const size_t limit = static_cast<size_t>(bgltext::JmPayloadLimit(stream.size()));
  size_t produced = 0;
  if (bgltext::JmDecompress(reinterpret_cast<const uint8_t*>(stream.data()), stream.size(), out,
                            limit, produced)) {
    Check(produced <= limit && out.size() == header + produced);
  }
}
#elif defined(FM_FUZZ_aircraft_cfg)
// The file of one aircraft folder is one model, and it always has a category.
void Fuzz(std::string_view bytes) {
  static AircraftCategories categories;
  if (categories.size() == 0) {
    Check(categories.LoadCategories(ScratchFile(
        "air_class.cfg",
        "[Jet]\nBOEING\nAIRBUS 3\n<\"Boeing\" \"Airbus\">\n[Prop]\nCESSNA\n<\"Cessna\">\n")));
  }
  ScratchFile("aircraft.cfg", bytes);
  AircraftModelList models;
  Check(ReadAircraftCfg(Scratch(), categories, models) && models.size() == 1 &&
        !models.front().category.empty());
}
#elif defined(FM_FUZZ_air_class)
// Every line asked as an aircraft's type and model and as a traffic title,
// twice (the second answer comes from the kept ones), and of a copy (which
// works them out anew).
void Fuzz(std::string_view bytes) {
  AircraftCategories categories;
  Check(categories.LoadCategories(ScratchFile("air_class.cfg", bytes)));
  const AircraftCategories copy = categories;
  for (int asked = 0; asked < 64 && !bytes.empty(); ++asked) {
    const std::string line(Next(bytes));
    const std::string model = categories.ClassifyModel(line, line);
    const std::string title = categories.ClassifyTrafficTitle(line);
    Check(!model.empty() && categories.ClassifyModel(line, line) == model &&
          copy.ClassifyModel(line, line) == model && copy.ClassifyTrafficTitle(line) == title &&
          (title.empty() || categories.find(title) != categories.end()));
  }
}
#elif defined(FM_FUZZ_air_nat)
// Read as a file and line by line.
void Fuzz(std::string_view bytes) {
  AirlineCountryMap fromFile, byLine;
  Check(ReadAirNatFile(ScratchFile("air_nat.cfg", bytes), fromFile) == AirNatRead::Loaded);
  while (!bytes.empty()) ReadAirNatLine(Next(bytes), byLine);
}
#elif defined(FM_FUZZ_sccache)
// A loaded place tree saved and loaded again gives the same tree.
void Fuzz(std::string_view bytes) {
  NoStatus status;
  AirportStore store, reloaded;
  if (LoadCache(store, ScratchFile("sccache.txt", bytes), status) != CacheLoad::Loaded) return;
  const std::string again = JoinPath(Scratch(), "again.txt");
  Check(SaveCache(store, again) && LoadCache(reloaded, again, status) == CacheLoad::Loaded &&
        reloaded.Places() == store.Places());
}
#elif defined(FM_FUZZ_aircraft_txt)
// Never more aircraft than lines.
void Fuzz(std::string_view bytes) {
  TrafficAircraftMap aircraft;
  int lines = 0;
  Check(ReadAircraftFile(ScratchFile("Aircraft.txt", bytes), aircraft, lines) &&
        static_cast<size_t>(lines) >= aircraft.size());
}
#elif defined(FM_FUZZ_flight_plans)
// The counts it gives are those of the plans and legs it keeps.
void Fuzz(std::string_view bytes) {
  std::list<FlightPlan> plans;
  FlightPlanCounts counts;
  Check(ReadFlightPlansFile(ScratchFile("FlightPlans.txt", bytes), plans, counts));
  int legs = 0;
  for (const FlightPlan& plan : plans) legs += static_cast<int>(plan.legs.size());
  Check(counts.plans == static_cast<int>(plans.size()) && counts.legs == legs);
}
#elif defined(FM_FUZZ_scenery_text)
// temp.sca, the airport directory text that the scenery import reads: it
// always reads to the end.
void Fuzz(std::string_view bytes) {
  TextLineReader reader;
  Check(reader.Open(ScratchFile("temp.sca", bytes)));
  AirportStore store;
  Check(ReadSceneryText(reader, store) == SceneryTextRead::Done);
  LeadingInt(bytes);
}
#elif defined(FM_FUZZ_traffic_container)
// A file that decodes is one that encoding its three texts gives back byte
// for byte.
void Fuzz(std::string_view bytes) {
  TrafficFileLayout layout;
  const TrafficFileProblem head = ReadTrafficHead(bytes.substr(0, kTrafficHeaderSize), layout);
  TrafficTexts texts;
  if (DecodeTrafficFile(bytes, texts) != TrafficFileProblem::kNone) return;
  Check(head == TrafficFileProblem::kNone && layout.FileSize() == bytes.size() &&
        EncodeTrafficFile(texts) == bytes);
}
#elif defined(FM_FUZZ_cli_options)
// The bytes split at NUL into arguments. Every command line is either
// refused with a message, or gives options whose values came from it.
int NoCommand(const std::vector<std::string>&) { return 0; }

void Fuzz(std::string_view bytes) {
  static const cli::Subcommand kCommands[] = {{"check", "check", NoCommand},
                                              {"restore", "restore", NoCommand}};
  std::vector<std::string> arguments;
  do {
    arguments.emplace_back(Next(bytes, '\0'));
  } while (!bytes.empty());
  const cli::ParsedCommandLine parsed = cli::ParseCommandLine(arguments, kCommands);
  using Action = cli::ParsedCommandLine::Action;
  Check(!(parsed.action == Action::kUsageError && parsed.error.empty()) &&
        !(parsed.action == Action::kSubcommand && parsed.subcommand == nullptr));
  for (const std::string& title : parsed.options.exclude) {
    Check(parsed.action != Action::kRun ||
          std::any_of(arguments.begin(), arguments.end(), [&](const std::string& given) {
            return given.find(title) != std::string::npos;
          }));
  }
}
#elif defined(FM_FUZZ_redistribution)
// A small installation made from the input, one item per line, told apart
// by its first byte:
//   C<air_class.cfg line>   M<category>|<title>|<airline>|<0 or 1: for AI>
//   A<ICAO>|<country>       N<air_nat.cfg line>
//   T<Aircraft.txt line>    P<FlightPlans.txt line>
// The first byte of the input chooses the method and the seed. The run's
// tallies must add up, and its traffic must be savable.
class QuietEvents final : public RedistributionEvents {
 public:
  void TitleWithoutCategory(const std::string&) override {}
  void Progress(const std::string&) override {}
};

void Fuzz(std::string_view bytes) {
  if (bytes.empty()) return;
  const uint8_t first = static_cast<uint8_t>(bytes[0]);
  AircraftCategories categories;
  AircraftModelList models;
  AirportStore airports;
  TrafficAircraftMap traffic;
  std::list<FlightPlan> plans;
  bytes.remove_prefix(1);
  for (int item = 0; item < 256 && !bytes.empty(); ++item) {
    std::string_view line = Next(bytes);
    const char kind = line.empty() ? 0 : line.front();
    line.remove_prefix(line.empty() ? 0 : 1);
    if (kind == 'C') categories.AddConfigLine(line);
    if (kind == 'N') ReadAirNatLine(line, airports.Airlines());
    std::string field[4];
    std::string_view rest = line;
    for (std::string& piece : field) piece = Next(rest, '|');
    if (kind == 'M') {
      InstalledAircraft& installed = models.emplace_back().variations[field[1]];
      models.back().category = field[0];
      installed.atcAirline = field[2];
      installed.useForAi = field[3] != "0";
    }
    if (kind == 'A')
      airports.AddAirport("Region", field[1], "", "City", field[0] + " Airport", field[0]);
    if (auto parsed = kind == 'T' ? ParseAircraftLine(line) : std::nullopt) {
      traffic.emplace(std::move(parsed->aircraftId), std::move(parsed->aircraft));
    }
    if (auto parsed = kind == 'P' ? ParseFlightPlanLine(line) : std::nullopt) {
      plans.push_back(std::move(parsed->plan));
    }
  }
  OutputFile report;
  Check(report.Create(JoinPath(Scratch(), "report.txt")));
  QuietEvents events;
  const RedistributionResult result =
      RedistributeTraffic({plans, traffic, models, categories, airports},
                          (first & 1) ? DistributionMethod::kRandomly : DistributionMethod::kEvenly,
                          first >> 1, report, events);
  Check(report.Close());
  const RedistributionTally& tally = result.tally;
  int counted = 0;
  for (const auto& [title, flights] : result.flightCounts) counted += flights;
  TrafficFile failed;
  Check(tally.plans == static_cast<int>(plans.size()) &&
        tally.generated + tally.leftOut + tally.noCategory + tally.unknownAircraft == tally.plans &&
        tally.generated == static_cast<int>(result.newPlanLines.size()) &&
        tally.byCountry + tally.byGlobal + tally.byNoAirline == tally.generated &&
        counted == tally.generated && result.newAircraft.size() <= result.flightCounts.size() &&
        WriteTrafficFiles(Scratch(), result.newAircraft, result.newPlanLines, &failed));
}
#else
#error "define FM_FUZZ_<target>"
#endif

}  // namespace
}  // namespace fm

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fm::Fuzz(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
