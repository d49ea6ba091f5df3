// The aircraft page: imports the installed aircraft, opens air_class.cfg,
// writes and opens airlines.cfg, and shows the catalogue as a tree of
// category, manufacturer and type beside the variations of the selected
// type, whose check boxes say which variations may fly AI traffic.
#pragma once

#include <string>
#include <unordered_map>

#include "wizard/ai_property_page.h"

namespace fm {

class CPageAircraft : public CAiPropertyPage {
 public:
  using CAiPropertyPage::CAiPropertyPage;

  int DialogId() const override;
  int HelpTextId() const override;
  void OnInitDialog() override;
  void OnSetActive() override;
  void OnButton(int id) override;
  void OnTreeSelectionChanged(int id, TreeItem item) override;
  void OnRowStateChanged(int id, int row, unsigned oldCheck, unsigned newCheck) override;
  void OnRowDoubleClicked(int id, int row) override;

  // The button handlers.
  void OnImportAircraft();
  void GenerateAirlinesCfg();

  // The child of `parent` with this text, made as its last child (with the
  // level as item data) when there is none yet.
  TreeItem AddTreePath(const std::string& text, TreeItem parent, int level);

 private:
  void FillTree();
  void FillList(TreeItem typeItem);

  // The children of every tree item by text, so a path is found without
  // walking the siblings. The tree is never emptied, and neither is this.
  std::unordered_map<TreeItem, std::unordered_map<std::string, TreeItem>> treeChildren_;
};

}  // namespace fm
