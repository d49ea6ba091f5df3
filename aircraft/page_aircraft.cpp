#include "aircraft/page_aircraft.h"

#include <cstdio>
#include <vector>

#include "aircraft/aircraft_scan.h"
#include "aircraft/airlines_cfg.h"
#include "platform/file_paths.h"
#include "resources/resource.h"
#include "services/system_services.h"

namespace fm {
namespace {

constexpr char kClassFileName[] = "air_class.cfg";
constexpr char kAircraftFolder[] = "AIRCRAFT";
constexpr char kAirlinesFileName[] = "airlines.cfg";

constexpr char kNoClassFile[] = "Cannot find air_class.cfg";
constexpr char kImportSucceeded[] = "Import succeeded. %d airlines, %d models, %d variations.";
constexpr char kAirlinesNotWritten[] =
    "Could not open airlines.cfg for writing. The file might be read-only.";
constexpr char kAirlinesWritten[] = "airlines.cfg updated successfully.";

constexpr const char* kColumns[] = {"Variation", "ATC Callsign", "ATC id", "FS Title", "Location"};
constexpr int kLocationColumn = 4;

// Tree items carry their level as item data.
constexpr int kCategoryLevel = 1;
constexpr int kManufacturerLevel = 2;
constexpr int kTypeLevel = 3;

std::string AircraftRoot() { return JoinPath(FindFsRoot(), kAircraftFolder); }

}  // namespace

int CPageAircraft::DialogId() const { return IDD_AIRCRAFT; }

int CPageAircraft::HelpTextId() const { return IDS_HELP_AIRCRAFT; }

void CPageAircraft::OnInitDialog() {
  PageHost& host = Host();
  host.ListSetStyle(IDC_AIRCRAFT_LIST, true, true);
  const int width = (host.ListClientWidth(IDC_AIRCRAFT_LIST) - host.VerticalScrollBarWidth()) / 5;
  for (const char* heading : kColumns) host.ListAddColumn(IDC_AIRCRAFT_LIST, heading, width);
  host.EnableControl(IDC_AIRCRAFT_LIST, false);
  host.EnableControl(IDC_GENERATE_AIRLINES, false);  // until an import has ended
  treeChildren_.clear();                             // a new window has an empty tree
}

void CPageAircraft::OnSetActive() {
  Host().PostWizardButtons(State().aircraftModels.empty() ? kWizardBack
                                                          : kWizardBack | kWizardNext);
}

void CPageAircraft::OnButton(int id) {
  switch (id) {
    case IDC_IMPORT_AIRCRAFT:
      OnImportAircraft();
      break;
    case IDC_OPEN_AIR_CLASS: {
      const std::string& folder = State().workFolder;
      RunTool("notepad " +
                  (folder.empty() ? std::string(kClassFileName) : JoinPath(folder, kClassFileName)),
              false, true);
      break;
    }
    case IDC_GENERATE_AIRLINES:
      GenerateAirlinesCfg();
      break;
    case IDC_OPEN_AIRLINES:
      RunTool("notepad " + JoinPath(AircraftRoot(), kAirlinesFileName), false, true);
      break;
    default:
      break;
  }
}

void CPageAircraft::OnImportAircraft() {
  WizardState& state = State();
  PageHost& host = Host();
  state.aircraftModels.clear();
  state.categories.Clear();
  // The rows shown point at the variations just dropped: none of them may
  // change a variation of the new import.
  host.ListDeleteAllRows(IDC_AIRCRAFT_LIST);
  host.EnableControl(IDC_AIRCRAFT_LIST, false);
  WaitCursor wait(host);

  if (!state.categories.LoadCategories(JoinPath(state.workFolder, kClassFileName))) {
    host.ShowMessage(kNoClassFile, BoxIcon::Error);
    Os().EndProcess(1);
  }
  ScanAircraftFolders(AircraftRoot(), state.categories, state.aircraftModels);
  FillTree();
  const CatalogueCounts counts = CountCatalogue(state.aircraftModels);

  host.EnableControl(IDC_GENERATE_AIRLINES, true);
  host.PostWizardButtons(kWizardBack | kWizardNext);
  char text[160];
  std::snprintf(text, sizeof text, kImportSucceeded, counts.airlines, counts.models,
                counts.variations);
  host.ShowMessage(text, BoxIcon::Information);
}

void CPageAircraft::GenerateAirlinesCfg() {
  const std::string path = JoinPath(AircraftRoot(), kAirlinesFileName);
  if (!WriteAirlinesCfg(path, State().aircraftModels)) {
    Host().ShowMessage(kAirlinesNotWritten, BoxIcon::Error);
    return;
  }
  Host().ShowMessage(kAirlinesWritten, BoxIcon::Information);
}

TreeItem CPageAircraft::AddTreePath(const std::string& text, TreeItem parent, int level) {
  auto& children = treeChildren_[parent];
  auto found = children.find(text);
  if (found != children.end()) return found->second;
  const TreeItem item = Host().TreeAppend(IDC_AIRCRAFT_TREE, parent, text, level, 0);
  children.emplace(text, item);
  return item;
}

// Every variation's path, in catalogue order and title order: children
// appear in order of first appearance. A model without variations adds
// nothing.
void CPageAircraft::FillTree() {
  for (const AircraftModel& model : State().aircraftModels) {
    if (model.variations.empty()) continue;
    const TreeItem category = AddTreePath(model.category, kTreeRoot, kCategoryLevel);
    for (const auto& [title, variation] : model.variations) {
      const TreeItem manufacturer =
          AddTreePath(variation.uiManufacturer, category, kManufacturerLevel);
      AddTreePath(variation.uiType, manufacturer, kTypeLevel);
    }
  }
}

void CPageAircraft::OnTreeSelectionChanged(int id, TreeItem item) {
  if (id != IDC_AIRCRAFT_TREE) return;
  PageHost& host = Host();
  host.ListDeleteAllRows(IDC_AIRCRAFT_LIST);
  if (item == kTreeRoot || host.TreeData(IDC_AIRCRAFT_TREE, item) != kTypeLevel) {
    host.EnableControl(IDC_AIRCRAFT_LIST, false);
    return;
  }
  host.EnableControl(IDC_AIRCRAFT_LIST, true);
  FillList(item);
}

void CPageAircraft::FillList(TreeItem typeItem) {
  PageHost& host = Host();
  const TreeItem manufacturerItem = host.TreeParent(IDC_AIRCRAFT_TREE, typeItem);
  const TreeItem categoryItem = host.TreeParent(IDC_AIRCRAFT_TREE, manufacturerItem);
  const std::string type = host.TreeText(IDC_AIRCRAFT_TREE, typeItem);
  const std::string manufacturer = host.TreeText(IDC_AIRCRAFT_TREE, manufacturerItem);
  const std::string category = host.TreeText(IDC_AIRCRAFT_TREE, categoryItem);

  for (AircraftModel& model : State().aircraftModels) {
    if (model.category != category) continue;
    for (auto& [title, variation] : model.variations) {
      if (variation.uiManufacturer != manufacturer || variation.uiType != type) continue;
      const int row = host.ListAppendRow(
          IDC_AIRCRAFT_LIST,
          {variation.uiVariation, variation.atcAirline, variation.atcId, title, variation.cfgPath});
      host.ListSetRowCheck(IDC_AIRCRAFT_LIST, row, variation.useForAi);
      // Attached after the check box is set: the notification of that
      // change finds no variation and leaves the flag alone.
      host.ListSetRowData(IDC_AIRCRAFT_LIST, row, reinterpret_cast<std::intptr_t>(&variation));
    }
  }
}

void CPageAircraft::OnRowStateChanged(int id, int row, unsigned oldCheck, unsigned newCheck) {
  if (id != IDC_AIRCRAFT_LIST || (oldCheck == kRowCheckNone && newCheck == kRowCheckNone)) return;
  if (newCheck == kRowCheckNone) return;
  auto* variation =
      reinterpret_cast<InstalledAircraft*>(Host().ListRowData(IDC_AIRCRAFT_LIST, row));
  if (variation == nullptr) return;
  variation->useForAi = newCheck == kRowChecked;
}

void CPageAircraft::OnRowDoubleClicked(int id, int row) {
  if (id != IDC_AIRCRAFT_LIST || row < 0) return;
  // "notepad \"%s\"" with the row's location.
  RunTool("notepad \"" + Host().ListCell(IDC_AIRCRAFT_LIST, row, kLocationColumn) + "\"", false,
          true);
}

}  // namespace fm
