// The scenery page: airports and their countries, imported from the
// simulator's airport directory or loaded from the cache of an earlier
// import, shown as a tree of regions, countries, states, cities and airports.
#pragma once

#include <string>

#include "wizard/ai_property_page.h"

namespace fm {

class CPageScenery : public CAiPropertyPage {
 public:
  using CAiPropertyPage::CAiPropertyPage;

  int DialogId() const override;
  int HelpTextId() const override;
  void OnInitDialog() override;
  void OnSetActive() override;
  void OnButton(int id) override;

  void OnImportFromFs();
  void OnLoadCached();
  void OnViewAirNat();
  void OnGenerateAirNat();

  // Loads air_nat.cfg into the store's airline map; false (after its box
  // and the status "Import failed.") when it cannot be read.
  bool LoadAirlineCountries();
  // One tree item per entry of the place tree; "Default" states get none.
  void FillPlaceTree();

 private:
  void ImportScenery();
  void ImportCompleted();
  // A file of the working folder, and its name as a command line shows it.
  std::string WorkPath(const char* name) const;
  void SetStatus(const std::string& text);

  bool busy_ = false;  // an import, load or country list is running
};

}  // namespace fm
