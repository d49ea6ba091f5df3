// The generate page: the "Generate" handler around the redistribution, the
// list of flights per installed aircraft, and saving and compiling the new
// traffic.
#include "traffic/page_generate.h"

#include <cstdio>

#include "aircraft/flights_dialog.h"
#include "platform/file_paths.h"
#include "platform/os_interface.h"
#include "resources/resource.h"
#include "services/system_command_lines.h"
#include "services/system_services.h"
#include "traffic/traffic_files.h"

namespace fm {
namespace {

constexpr int kTrafficCompilerId = 135;
constexpr char kReportFile[] = "report.txt";

constexpr char kRandomly[] = "Randomly";
constexpr char kEvenly[] = "Evenly";
constexpr char kReportNotCreated[] = "Cannot create report.txt. Generation has failed.";
constexpr char kReportIncomplete[] = "report.txt could not be written completely.";
constexpr char kComplete[] = "Generation complete. %d plans generated.";
constexpr char kAircraftNotSaved[] = "Cannot aircraft.txt";
constexpr char kPlansNotSaved[] = "Cannot find flightplans.txt";
constexpr char kSaved[] =
    "The new AI traffic plans and new AI airctaft are saved. You may edit them and after you have "
    "finished press Compile Only button to compile and apply the changes.";
constexpr char kSavedConfirmCompile[] =
    "The new AI traffic plans and new AI airctaft are saved. Press OK to compile and apply the "
    "changes.";
constexpr char kCompiled[] = "The compilation finished.";

// The buttons that start disabled, and those each step enables for good.
constexpr int kStartDisabled[] = {IDC_VIEW_REPORT, IDC_EDIT_AIRCRAFT,    IDC_EDIT_FLIGHTPLANS,
                                  IDC_SAVE_ONLY,   IDC_SAVE_AND_COMPILE, IDC_COMPILE_ONLY};
constexpr int kEnabledByRun[] = {IDC_SAVE_AND_COMPILE, IDC_SAVE_ONLY, IDC_VIEW_REPORT};
constexpr int kEnabledBySave[] = {IDC_EDIT_AIRCRAFT, IDC_EDIT_FLIGHTPLANS, IDC_COMPILE_ONLY};

// The page's side of a run: boxes for titles without category, the status
// line for progress.
class PageRunEvents final : public RedistributionEvents {
 public:
  explicit PageRunEvents(PageHost& host) : host_(host) {}

  void TitleWithoutCategory(const std::string& text) override {
    host_.ShowMessage(text, BoxIcon::Warning);
  }
  void Progress(const std::string& text) override {
    host_.SetText(IDC_STATUS, text);
    host_.DispatchWaitingMessages();
  }

 private:
  PageHost& host_;
};

}  // namespace

int CPageGenerate::DialogId() const { return IDD_GENERATE; }

int CPageGenerate::HelpTextId() const { return IDS_HELP_GENERATE; }

void CPageGenerate::OnInitDialog() {
  AddListColumns(Host(), IDC_FLIGHT_COUNTS, {{"Aircraft Title", 0.8}, {"Fl. freq.", 0.2}});
  Host().SetCheck(IDC_HIDE_COMPILER, true);
  Host().ComboAdd(IDC_DISTRIBUTION, kRandomly);
  Host().ComboAdd(IDC_DISTRIBUTION, kEvenly);
  Host().ComboSelect(IDC_DISTRIBUTION, 0);
  for (int id : kStartDisabled) Host().EnableControl(id, false);
}

void CPageGenerate::OnSetActive() {
  Host().PostWizardButtons(newPlanLines.empty() ? kWizardBack | kWizardDisabledFinish
                                                : kWizardNext | kWizardFinish);
}

void CPageGenerate::OnButton(int id) {
  switch (id) {
    case IDC_GENERATE:
      GenerateTraffic();
      break;
    case IDC_VIEW_REPORT:
      OpenInNotepad(kReportFile);
      break;
    case IDC_EDIT_AIRCRAFT:
      OpenInNotepad("Aircraft.txt");
      break;
    case IDC_EDIT_FLIGHTPLANS:
      OpenInNotepad("FlightPlans.txt");
      break;
    case IDC_SAVE_ONLY:
      SaveOnly();
      break;
    case IDC_SAVE_AND_COMPILE:
      SaveAndCompile();
      break;
    case IDC_COMPILE_ONLY:
      CompileTraffic();
      break;
    default:
      break;
  }
}

void CPageGenerate::OnRowDoubleClicked(int id, int row) {
  if (id != IDC_FLIGHT_COUNTS) return;
  const std::string title = row >= 0 ? Host().ListCell(IDC_FLIGHT_COUNTS, row, 0) : std::string();
  WaitCursor wait(Host());
  CFlightsByAcDlg dialog(State(), title, newPlanLines, newAircraft);
  Host().RunModal(dialog);
}

void CPageGenerate::GenerateTraffic() {
  const std::uint32_t seed = seed_ ? *seed_ : Os().TickCount();
  // A run that cannot keep its report changes nothing: the last run's
  // tables, list and files stay as they were.
  OutputFile report;
  if (!report.Create(JoinPath(State().workFolder, kReportFile))) {
    Host().ShowMessage(kReportNotCreated, BoxIcon::Error);
    return;
  }
  WaitCursor wait(Host());
  newAircraft.clear();
  newPlanLines.clear();
  flightCounts.clear();
  tally = {};
  Host().ListDeleteAllRows(IDC_FLIGHT_COUNTS);
  const std::string method =
      Host().ComboText(IDC_DISTRIBUTION, Host().ComboSelection(IDC_DISTRIBUTION));

  const WizardState& state = State();
  const RedistributionInput input{state.flightPlans, state.trafficAircraft, state.aircraftModels,
                                  state.categories, state.airportStore};
  PageRunEvents events(Host());
  RedistributionResult result = RedistributeTraffic(
      input, method == kRandomly ? DistributionMethod::kRandomly : DistributionMethod::kEvenly,
      seed, report, events);
  newPlanLines = std::move(result.newPlanLines);
  newAircraft = std::move(result.newAircraft);
  flightCounts = std::move(result.flightCounts);
  tally = result.tally;

  for (const auto& [title, count] : flightCounts) {
    const int row = Host().ListAppendRow(IDC_FLIGHT_COUNTS, {title, std::to_string(count)});
    Host().ListSetRowData(IDC_FLIGHT_COUNTS, row, count);
  }
  TraceDebug("step 8 done. sorting...\n");
  Host().ListSortByDataDescending(IDC_FLIGHT_COUNTS);
  TraceDebug("done. enabling buttons...\n");
  for (int id : kEnabledByRun) Host().EnableControl(id, true);
  const bool reportWhole = report.Close();
  if (!reportWhole) Host().ShowMessage(kReportIncomplete, BoxIcon::Warning);
  char text[sizeof kComplete + 16];
  std::snprintf(text, sizeof text, kComplete, static_cast<int>(newPlanLines.size()));
  Host().ShowMessage(text, BoxIcon::Information);
  Host().PostWizardButtons(kWizardBack | kWizardFinish);
}

void CPageGenerate::SaveNewTraffic() {
  WaitCursor wait(Host());
  TrafficFile failed = TrafficFile::kAircraft;
  if (!WriteTrafficFiles(State().workFolder, newAircraft, newPlanLines, &failed)) {
    // Neither file has changed: the two are replaced together or not at all.
    Host().ShowMessage(failed == TrafficFile::kAircraft ? kAircraftNotSaved : kPlansNotSaved,
                       BoxIcon::Error);
    Os().EndProcess(1);
  }
  for (int id : kEnabledBySave) Host().EnableControl(id, true);
}

void CPageGenerate::CompileTraffic() {
  WaitCursor wait(Host());
  {
    ExtractedTool compiler = ExtractTool(kTrafficCompilerId);
    // Whether it started and what it did is not looked at: a compiler that
    // cannot start shows its own box.
    RunTool(TrafficToolCommandLine(compiler.Path()), true, !Host().IsChecked(IDC_HIDE_COMPILER),
            State().workFolder);
  }
  Host().ShowMessage(kCompiled, BoxIcon::Information);
}

void CPageGenerate::SaveOnly() {
  SaveNewTraffic();
  Host().ShowMessage(kSaved, BoxIcon::Information);
}

void CPageGenerate::SaveAndCompile() {
  SaveNewTraffic();
  if (Host().ShowMessage(kSavedConfirmCompile, BoxIcon::Question) == BoxAnswer::Ok) {
    CompileTraffic();
  }
}

void CPageGenerate::OpenInNotepad(const char* fileName) {
  RunTool(std::string("notepad ") + fileName, false, true, State().workFolder);
}

}  // namespace fm
