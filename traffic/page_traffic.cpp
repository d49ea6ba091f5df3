// The traffic page: its list of airports and the "Import" handler, which
// runs the traffic import and shows its outcome.
#include "traffic/page_traffic.h"

#include <cstdio>
#include <string>

#include "resources/resource.h"
#include "traffic/traffic_import.h"
#include "wizard/page_status_line.h"

namespace fm {
namespace {

constexpr char kClearing[] = "Clearing...";
constexpr char kSorting[] = "Sorting items...";
constexpr char kLoaded[] = "Loaded %d AI aircraft, %d plans, %d legs";
constexpr char kToolsMissing[] = "TTools is missing. Import has failed.";
constexpr char kFilesMissing[] = "Cannot find the files after decompilation. Import has failed.";
constexpr char kBackupMade[] =
    "%s has detected that this is the first time you import the traffic BGL. The original "
    "traffic.bgl file was backed up as %s\\SCENEDB\\ATC\\BACKUP_TRAFFIC.BGL. This operation "
    "happens only once so now you may replace tha AI plans then import them again etc., no "
    "matter what the original traffic.bgl that was copied now will remain intact.";

template <typename... Args>
std::string Format(const char* format, Args... args) {
  const int length = std::snprintf(nullptr, 0, format, args...);
  std::string text(length > 0 ? static_cast<size_t>(length) : 0, '\0');
  std::snprintf(text.data(), text.size() + 1, format, args...);
  return text;
}

}  // namespace

int CPageTraffic::DialogId() const { return IDD_TRAFFIC; }

int CPageTraffic::HelpTextId() const { return IDS_HELP_TRAFFIC; }

void CPageTraffic::OnInitDialog() {
  Host().SetCheck(IDC_HIDE_COMPILER, true);
  AddListColumns(Host(), IDC_AIRPORT_LIST,
                 {{"Airport", 0.5}, {"Country", 0.4}, {"Fl. freq.", 0.1}});
}

void CPageTraffic::OnSetActive() {
  Host().PostWizardButtons(State().flightPlans.empty() ? kWizardBack : kWizardBack | kWizardNext);
}

void CPageTraffic::OnButton(int id) {
  if (id == IDC_IMPORT) ImportTraffic();
}

void CPageTraffic::ImportTraffic() {
  const bool shiftHeld = Os().ShiftHeld();
  WaitCursor wait(Host());
  PageStatusLine status(Host(), IDC_STATUS);

  status.ShowStatus(kClearing);
  State().trafficAircraft.clear();
  State().flightPlans.clear();
  Host().ListDeleteAllRows(IDC_AIRPORT_LIST);

  TrafficImportRequest request;
  request.runDecompiler = !shiftHeld;
  request.showWindow = !Host().IsChecked(IDC_HIDE_COMPILER);
  request.workFolder = State().workFolder;
  const TrafficImportOutcome outcome =
      ImportTrafficFiles(request, status, State().trafficAircraft, State().flightPlans);
  switch (outcome.status) {
    case TrafficImportStatus::kLoaded:
      break;
    case TrafficImportStatus::kDecompilerNotStarted:
      Host().ShowMessage(kToolsMissing, BoxIcon::Error);
      return;
    case TrafficImportStatus::kAircraftFileMissing:
    case TrafficImportStatus::kFlightPlansFileMissing:
      Host().ShowMessage(kFilesMissing, BoxIcon::Error);
      return;
  }

  ShowAirportRows(outcome.counts.legsPerAirport);
  status.ShowStatus(kSorting);
  Host().ListSortByDataDescending(IDC_AIRPORT_LIST);
  status.ShowStatus(
      Format(kLoaded, outcome.aircraftLines, outcome.counts.plans, outcome.counts.legs));

  const std::string fsRoot = FindFsRoot();
  if (BackUpTrafficBglOnce(fsRoot)) {
    Host().ShowMessage(Format(kBackupMade, kMessageCaption, fsRoot.c_str()), BoxIcon::Information);
  }
  Host().PostWizardButtons(kWizardBack | kWizardNext);
}

void CPageTraffic::ShowAirportRows(const std::map<std::string, int>& legsPerAirport) {
  const AirportStore& store = State().airportStore;
  for (const auto& [code, count] : legsPerAirport) {
    std::string name, city, state, country, region;
    store.FindAirport(code, name, city, state, country, region);
    const int row = Host().ListAppendRow(IDC_AIRPORT_LIST, {name, country, std::to_string(count)});
    Host().ListSetRowData(IDC_AIRPORT_LIST, row, count);
  }
}

}  // namespace fm
