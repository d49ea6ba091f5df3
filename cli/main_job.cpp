#include "cli/main_job.h"

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <system_error>

#include <sstream>

#include "aircraft/page_aircraft.h"
#include "check/configuration_check.h"
#include "check/traffic_restore.h"
#include "cli/console_os.h"
#include "cli/run_summary.h"
#include "geo/airport_cache.h"
#include "geo/page_scenery.h"
#include "platform/file_paths.h"
#include "platform/file_system.h"
#include "resources/resource.h"
#include "services/system_services.h"
#include "traffic/page_generate.h"
#include "traffic/page_traffic.h"
#include "traffic/traffic_files.h"

namespace fm::cli {
namespace {

namespace fsys = std::filesystem;

constexpr char kReportFile[] = "report.txt";
constexpr int kTitleColumn = 3;  // of the aircraft page's variation list

// A step that failed: its message has been printed (by the page, or here).
struct StepFailed {};

std::string Absolute(const std::string& path) {
  std::error_code error;
  const fsys::path absolute = fsys::absolute(fsys::path(path), error);
  return error ? path : absolute.lexically_normal().string();
}

std::string TrafficBglPath(const std::string& root) {
  return ResolvePath(
      JoinPath(JoinPath(JoinPath(JoinPath(root, "SCENEDB"), "ATC"), "SCENERY"), "TRAFFIC.BGL"));
}

std::optional<fsys::file_time_type> WriteTime(const std::string& path) {
  std::error_code error;
  const auto time = fsys::last_write_time(fsys::path(path), error);
  if (error) return std::nullopt;
  return time;
}

#if defined(_WIN32)
// Two spellings of one folder, as Windows compares them.
std::string FolderKey(std::string path) {
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  while (path.size() > 3 && path.back() == '\\') path.pop_back();
  return FoldFileNameCase(path);
}
#endif

#if !defined(_WIN32)
// FLEETMIX_FS_ROOT for this process and the tools it starts, put back as it
// was when it goes.
class ScopedFsRootVariable {
 public:
  explicit ScopedFsRootVariable(const std::string& value) {
    if (const char* earlier = std::getenv(kName)) earlier_ = earlier;
    ::setenv(kName, value.c_str(), 1);
  }
  ~ScopedFsRootVariable() {
    if (earlier_) {
      ::setenv(kName, earlier_->c_str(), 1);
    } else {
      ::unsetenv(kName);
    }
  }
  ScopedFsRootVariable(const ScopedFsRootVariable&) = delete;
  ScopedFsRootVariable& operator=(const ScopedFsRootVariable&) = delete;

 private:
  static constexpr char kName[] = "FLEETMIX_FS_ROOT";
  std::optional<std::string> earlier_;
};
#endif

// One page of the wizard on a console host of its own.
template <typename Page>
struct HostedPage {
  HostedPage(WizardState& state, ConsoleOutput& output)
      : page(state), host(page.DialogId(), output) {
    page.AttachHost(&host);
    page.OnInitDialog();
    page.OnSetActive();
  }
  bool NextAllowed() const { return (host.WizardButtons() & kWizardNext) != 0; }

  Page page;
  ConsolePageHost host;
};

class MainJob {
 public:
  MainJob(const CliOptions& options, ConsoleOutput& messages)
      : options_(options), messages_(messages) {}

  // Throws StepFailed, or ProcessExit where the wizard ends itself.
  void Run(RunSummary& summary);
  // The imports alone, then the check of what they read: its status.
  int Check(std::FILE* out);

 private:
  void Fail(const std::string& text) {
    messages_.Message(BoxIcon::Error, text);
    throw StepFailed{};
  }
  // The three imports, in the wizard's order.
  void Import();
  void ImportAircraft();
  void ExcludeVariation(HostedPage<CPageAircraft>& aircraft, const std::string& title);
  void ImportAirports();
  void ImportTraffic();
  // Generates, then saves (and compiles) what the page generated.
  void Generate(RunSummary& summary);

  const CliOptions& options_;
  ConsoleOutput& messages_;
  WizardState state_;
  std::string root_;
};

void MainJob::Import() {
  state_.workFolder = options_.workDir;
  root_ = FindFsRoot();  // a box and the end of the process when there is none
  messages_.Line("FS2002 folder: " + root_);
  messages_.Line("working folder: " + options_.workDir);
  ImportAircraft();
  ImportAirports();
  ImportTraffic();
}

void MainJob::Run(RunSummary& summary) {
  Import();
  Generate(summary);
}

int MainJob::Check(std::FILE* out) {
  Import();
  messages_.EndProgressLine();
  std::ostringstream findings;
  const int status =
      RunConfigurationCheck(state_, JoinPath(options_.workDir, "air_nat.cfg"), findings);
  std::fputs(findings.str().c_str(), out);
  return status;
}

void MainJob::ImportAircraft() {
  HostedPage<CPageAircraft> aircraft(state_, messages_);
  messages_.Line("Importing the aircraft...");
  aircraft.page.OnButton(IDC_IMPORT_AIRCRAFT);
  size_t variations = 0;
  for (const AircraftModel& model : state_.aircraftModels) variations += model.variations.size();
  if (variations == 0) {
    Fail("no aircraft was imported: no aircraft.cfg with a title below " +
         JoinPath(root_, "AIRCRAFT"));
  }
  for (const std::string& title : options_.exclude) ExcludeVariation(aircraft, title);
}

// Clears the check box of every row with this title, as a user does on the
// aircraft page: the type is selected in the tree, the row unchecked.
void MainJob::ExcludeVariation(HostedPage<CPageAircraft>& aircraft, const std::string& title) {
  PageHost& host = aircraft.host;
  auto child = [&](TreeItem parent, const std::string& text) {
    for (TreeItem item = host.TreeFirstChild(IDC_AIRCRAFT_TREE, parent); item != kTreeRoot;
         item = host.TreeNextSibling(IDC_AIRCRAFT_TREE, item)) {
      if (host.TreeText(IDC_AIRCRAFT_TREE, item) == text) return item;
    }
    return kTreeRoot;
  };
  bool found = false;
  for (AircraftModel& model : state_.aircraftModels) {
    auto variation = model.variations.find(title);
    if (variation == model.variations.end()) continue;
    found = true;
    const TreeItem type =
        child(child(child(kTreeRoot, model.category), variation->second.uiManufacturer),
              variation->second.uiType);
    aircraft.page.OnTreeSelectionChanged(IDC_AIRCRAFT_TREE, type);
    for (int row = 0; row < host.ListRowCount(IDC_AIRCRAFT_LIST); ++row) {
      if (host.ListCell(IDC_AIRCRAFT_LIST, row, kTitleColumn) != title) continue;
      host.ListSetRowCheck(IDC_AIRCRAFT_LIST, row, false);
      aircraft.page.OnRowStateChanged(IDC_AIRCRAFT_LIST, row, kRowChecked, kRowUnchecked);
    }
  }
  if (!found) {
    messages_.Message(BoxIcon::Error,
                      "--exclude: no installed aircraft has the title '" + title + "'");
    throw ProcessExit{kExitUsage};
  }
  messages_.Line("excluded: " + title);
}

void MainJob::ImportAirports() {
  HostedPage<CPageScenery> scenery(state_, messages_);
  AirportSource source = options_.airports;
  if (source == AirportSource::kCacheElseImport) {
    const bool cachePresent = IsRegularFile(ResolvePath(JoinPath(state_.workFolder, kCacheFile)));
    if (cachePresent) {
      scenery.page.OnButton(IDC_LOAD_CACHED);
      if (scenery.NextAllowed()) return;
      // air_nat.cfg failed after the airports loaded: importing cannot help.
      if (state_.airportStore.HasRegions()) Fail("the airports could not be loaded");
      messages_.Line("The airport cache did not load; importing the airports instead.");
    }
    source = AirportSource::kImport;
  }
  scenery.page.OnButton(source == AirportSource::kImport ? IDC_IMPORT : IDC_LOAD_CACHED);
  if (!scenery.NextAllowed()) {
    Fail(source == AirportSource::kImport ? "the airport import failed"
                                          : "the airport cache could not be loaded");
  }
}

void MainJob::ImportTraffic() {
  HostedPage<CPageTraffic> traffic(state_, messages_);
  traffic.page.OnButton(IDC_IMPORT);
  if (!traffic.NextAllowed()) Fail("the traffic import failed");
}

void MainJob::Generate(RunSummary& summary) {
  HostedPage<CPageGenerate> generate(state_, messages_);
  PageHost& host = generate.host;
  const std::string method = options_.randomly ? "Randomly" : "Evenly";
  for (int i = 0; !host.ComboText(IDC_DISTRIBUTION, i).empty(); ++i) {
    if (host.ComboText(IDC_DISTRIBUTION, i) == method) host.ComboSelect(IDC_DISTRIBUTION, i);
  }
  if (options_.seed) generate.page.SetRandomSeed(*options_.seed);
  generate.page.GenerateTraffic();
  if ((generate.host.WizardButtons() & kWizardFinish) == 0) Fail("the generation failed");
  summary.tally = generate.page.tally;
  summary.flightCounts = generate.page.flightCounts;
  if (options_.save == SaveMode::kNone) return;
  if (generate.page.newPlanLines.empty()) {
    Fail("no flight plan was given an aircraft: nothing is saved, the traffic stays as it was");
  }
  const bool compile = options_.save == SaveMode::kCompile;
  const std::string bgl = TrafficBglPath(root_);
  const auto before = WriteTime(bgl);
  generate.host.questionAnswer = BoxAnswer::Ok;
  generate.page.OnButton(compile ? IDC_SAVE_AND_COMPILE : IDC_SAVE_ONLY);
  summary.aircraftPath = ResolvePath(JoinPath(state_.workFolder, kAircraftFileToWrite));
  summary.flightPlansPath = ResolvePath(JoinPath(state_.workFolder, kFlightPlansFile));
  if (!compile) return;
  const auto after = WriteTime(bgl);
  if (!after || after == before) Fail("the traffic compiler did not write " + bgl);
  summary.trafficBglPath = bgl;
}

}  // namespace

int RunMainJob(const CliOptions& given, ConsoleOutput& messages, std::FILE* summaryStream) {
  CliOptions options = given;
  // The tools run in the working folder: both folders are made absolute.
  if (!options.fsRoot.empty()) {
    if (!IsDirectory(options.fsRoot)) {
      messages.Message(BoxIcon::Error, "--fs-root: no folder " + options.fsRoot);
      return kExitUsage;
    }
    options.fsRoot = Absolute(options.fsRoot);
  }
  const std::string workDir = options.workDir.empty() ? std::string(".") : options.workDir;
  if (!IsDirectory(workDir)) {
    messages.Message(BoxIcon::Error, "--work-dir: no folder " + options.workDir);
    return kExitUsage;
  }
  options.workDir = Absolute(workDir);

#if defined(_WIN32)
  // The traffic tools find FS2002 through the registry alone.
  const bool toolsRun =
      options.traffic == TrafficSource::kDecompile || options.save == SaveMode::kCompile;
  if (!options.fsRoot.empty() && toolsRun) {
    const SettingRead registered = Os().ReadFsRootSetting();
    if (registered.status != SettingStatus::Ok ||
        FolderKey(registered.value) != FolderKey(options.fsRoot)) {
      messages.Message(BoxIcon::Error,
                       "--fs-root: the traffic tools find FS2002 through its registry key, which "
                       "names " +
                           (registered.status == SettingStatus::Ok ? registered.value
                                                                   : std::string("no folder")) +
                           "; --traffic decompile and --save compile need that folder");
      return kExitUsage;
    }
  }
#endif

  ConsoleOs os(Os(), messages);
  ScopedOsOverride useConsoleOs(os);
  os.shiftHeld = options.traffic == TrafficSource::kFiles;
#if !defined(_WIN32)
  std::unique_ptr<ScopedFsRootVariable> rootForTools;
  if (!options.fsRoot.empty())
    rootForTools = std::make_unique<ScopedFsRootVariable>(options.fsRoot);
#endif
  if (!options.fsRoot.empty()) os.fsRoot = options.fsRoot;

  RunSummary summary;
  summary.reportPath = ResolvePath(JoinPath(options.workDir, kReportFile));
  MainJob job(options, messages);
  int status = kExitSuccess;
  try {
    if (options.checkOnly) {
      status = job.Check(summaryStream);
      std::fflush(summaryStream);
      return status;
    }
    job.Run(summary);
  } catch (const StepFailed&) {
    status = kExitStepFailed;
  } catch (const ProcessExit& exit) {
    status = exit.exitCode;
  }
  messages.EndProgressLine();
  if (status == kExitSuccess || summary.tally.plans > 0) WriteSummary(summaryStream, summary);
  std::fflush(summaryStream);
  return status;
}

int RunRestore(const std::vector<std::string>& arguments, ConsoleOutput& messages, std::FILE* out) {
  std::string fsRoot;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument.rfind("--fs-root=", 0) == 0) {
      fsRoot = argument.substr(10);
    } else if (argument == "--fs-root" && i + 1 < arguments.size()) {
      fsRoot = arguments[++i];
    } else {
      messages.Message(BoxIcon::Error, "restore: takes only --fs-root DIR, not " + argument);
      return kExitUsage;
    }
  }
  ConsoleOs os(Os(), messages);
  ScopedOsOverride useConsoleOs(os);
  std::string root = fsRoot;
  if (root.empty()) {
    try {
      root = FindFsRoot();
    } catch (const ProcessExit& exit) {
      return exit.exitCode;
    }
  }
  std::ostringstream done, failed;
  const int status = RestoreTraffic(root, done, failed);
  std::fputs(done.str().c_str(), out);
  if (!failed.str().empty()) messages.Message(BoxIcon::Error, failed.str());
  std::fflush(out);
  return status;
}

}  // namespace fm::cli
