// The scenery page's handlers: import, cache load, air_nat.cfg and the
// country list, and the place tree they fill.
#include "geo/page_scenery.h"

#include <exception>

#include "geo/air_nat.h"
#include "geo/airport_cache.h"
#include "geo/scenery_import.h"
#include "platform/file_paths.h"
#include "resources/resource.h"
#include "wizard/page_status_line.h"

namespace fm {
namespace {

constexpr char kLoadingAirlines[] = "Loading airlines...";
constexpr char kAirNatMissing[] = "air_nat.cfg is missing";
constexpr char kAirNatUnreadable[] = "air_nat.cfg could not be read to its end";
constexpr char kImportFailed[] = "Import failed.";
constexpr char kLoadFailed[] = "Load failed.";
constexpr char kToolMissing[] = "BGL disassembler is missing. Import has failed.";
constexpr char kSavingCache[] = "Saving AFD to cache file...";
constexpr char kCacheNotWritten[] =
    "sccache.txt could not be written. The airports are imported; the cache file keeps its "
    "earlier content.";
constexpr char kFillingTree[] = "Filling tree....";
constexpr char kCountryListNotWritten[] = "Cannot open new_air_nat.cfg for writing.";

enum TreeImage { kRegionImage, kCountryImage, kStateImage, kCityImage, kAirportImage };

std::string CompletionText(const AirportStore& store) {
  const PlaceCounts counts = store.CountPlaces();
  return "Import completed. " + std::to_string(counts.airports) + " airports in " +
         std::to_string(counts.countries) + " countries";
}

// Marks the page busy while a handler runs, so that a click that reaches
// the page while the handler dispatches messages starts nothing.
class BusyScope {
 public:
  explicit BusyScope(bool& busy) : busy_(busy) { busy_ = true; }
  ~BusyScope() { busy_ = false; }

 private:
  bool& busy_;
};

}  // namespace

int CPageScenery::DialogId() const { return IDD_SCENERY; }

int CPageScenery::HelpTextId() const { return IDS_HELP_SCENERY; }

void CPageScenery::OnInitDialog() {
  Host().TreeSetImages(IDC_PLACE_TREE, IDB_TREE_IMAGES, 16);
  Host().EnableControl(IDC_GENERATE_AIR_NAT, false);
}

void CPageScenery::OnSetActive() {
  Host().PostWizardButtons(State().airportStore.HasRegions() ? kWizardBack | kWizardNext
                                                             : kWizardBack);
}

void CPageScenery::OnButton(int id) {
  if (busy_) return;
  BusyScope busy(busy_);
  switch (id) {
    case IDC_IMPORT:
      OnImportFromFs();
      break;
    case IDC_LOAD_CACHED:
      OnLoadCached();
      break;
    case IDC_VIEW_AIR_NAT:
      OnViewAirNat();
      break;
    case IDC_GENERATE_AIR_NAT:
      OnGenerateAirNat();
      break;
    default:
      break;
  }
}

std::string CPageScenery::WorkPath(const char* name) const {
  return JoinPath(State().workFolder, name);
}

void CPageScenery::SetStatus(const std::string& text) { Host().SetText(IDC_STATUS, text); }

void CPageScenery::OnImportFromFs() { ImportScenery(); }

void CPageScenery::ImportScenery() {
  AirportStore& store = State().airportStore;
  store.ClearPlaces();
  Host().TreeDeleteAll(IDC_PLACE_TREE);
  WaitCursor wait(Host());
  PageStatusLine status(Host(), IDC_STATUS);
  try {
    switch (RunSceneryImport(store, State().workFolder, status)) {
      case SceneryImportRun::Completed:
        break;
      case SceneryImportRun::ToolNotStarted:
        Host().ShowMessage(kToolMissing, BoxIcon::Error);
        return;
      case SceneryImportRun::Failed:
        Host().ShowMessage(kImportFailed, BoxIcon::Error);
        return;
    }
    if (!LoadAirlineCountries()) return;
    ImportCompleted();
  } catch (const std::exception&) {
    Host().ShowMessage(kImportFailed, BoxIcon::Error);
  }
}

void CPageScenery::ImportCompleted() {
  const AirportStore& store = State().airportStore;
  const std::string completed = CompletionText(store);
  FillPlaceTree();
  PageStatusLine(Host(), IDC_STATUS).ShowStatus(kSavingCache);
  if (!SaveCache(store, WorkPath(kCacheFile))) {
    Host().ShowMessage(kCacheNotWritten, BoxIcon::Warning);
  }
  SetStatus(completed);
  Host().EnableControl(IDC_GENERATE_AIR_NAT, true);
  Host().PostWizardButtons(kWizardBack | kWizardNext);
}

void CPageScenery::OnLoadCached() {
  AirportStore& store = State().airportStore;
  {
    WaitCursor wait(Host());
    Host().TreeDeleteAll(IDC_PLACE_TREE);
    store.ClearPlaces();
  }
  WaitCursor wait(Host());
  PageStatusLine status(Host(), IDC_STATUS);
  try {
    const CacheLoad loaded = LoadCache(store, WorkPath(kCacheFile), status);
    if (loaded != CacheLoad::Loaded) {
      Os().ShowMessage(CacheLoadText(loaded), kCacheCaption, BoxIcon::Warning);
      SetStatus(kLoadFailed);
      return;
    }
    if (!LoadAirlineCountries()) return;
    status.ShowStatus(kFillingTree);
    FillPlaceTree();
  } catch (const std::exception&) {
    // Memory running out on the way: the user learns it, the page stays.
    SetStatus(kLoadFailed);
    Host().ShowMessage(kLoadFailed, BoxIcon::Error);
    return;
  }
  SetStatus(CompletionText(store));
  Host().EnableControl(IDC_GENERATE_AIR_NAT, true);
  Host().PostWizardButtons(kWizardBack | kWizardNext);
}

void CPageScenery::OnViewAirNat() {
  RunTool(std::string("notepad ") + WorkPath(kAirNatFile), false, true);
}

void CPageScenery::OnGenerateAirNat() {
  WaitCursor wait(Host());
  if (!WriteCountryList(State().airportStore, WorkPath(kNewAirNatFile))) {
    Host().ShowMessage(kCountryListNotWritten, BoxIcon::Error);
    return;
  }
  RunTool(std::string("notepad ") + WorkPath(kNewAirNatFile), false, true);
}

bool CPageScenery::LoadAirlineCountries() {
  PageStatusLine status(Host(), IDC_STATUS);
  State().airportStore.Airlines().Clear();
  status.ShowStatus(kLoadingAirlines);
  switch (ReadAirNatFile(WorkPath(kAirNatFile), State().airportStore.Airlines())) {
    case AirNatRead::Loaded:
      return true;
    case AirNatRead::Missing:
      Host().ShowMessage(kAirNatMissing, BoxIcon::Error);
      break;
    case AirNatRead::ReadFailed:
      Host().ShowMessage(kAirNatUnreadable, BoxIcon::Error);
      break;
  }
  SetStatus(kImportFailed);
  return false;
}

void CPageScenery::FillPlaceTree() {
  PageHost& host = Host();
  for (const auto& [region, countries] : State().airportStore.Places()) {
    const TreeItem regionItem = host.TreeAppend(IDC_PLACE_TREE, kTreeRoot, region, 0, kRegionImage);
    for (const auto& [country, states] : countries) {
      const TreeItem countryItem =
          host.TreeAppend(IDC_PLACE_TREE, regionItem, country, 0, kCountryImage);
      for (const auto& [state, cities] : states) {
        // The cities of an airport without a state hang under the country.
        const TreeItem stateItem =
            state == kDefaultState
                ? countryItem
                : host.TreeAppend(IDC_PLACE_TREE, countryItem, state, 0, kStateImage);
        for (const auto& [city, airports] : cities) {
          const TreeItem cityItem = host.TreeAppend(IDC_PLACE_TREE, stateItem, city, 0, kCityImage);
          for (const auto& [name, icao] : airports) {
            host.TreeAppend(IDC_PLACE_TREE, cityItem, name + " (" + icao + ")", 0, kAirportImage);
          }
        }
      }
    }
  }
}

}  // namespace fm
