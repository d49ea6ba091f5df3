// One control of a page kept in memory, for hosts without windows (the
// console of fleetmix-cli, the tests' recording host): its text and states,
// list rows, tree items and combo items, kept as the window controls keep
// them.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "ui/page_host.h"

namespace fm {

struct StoredControl {
  struct Row {
    std::vector<std::string> cells;
    std::intptr_t data = 0;
    bool checked = false;
  };
  struct TreeNode {
    std::string text;
    std::intptr_t data = 0;
    int image = 0;
    TreeItem parent = kTreeRoot;
    std::vector<TreeItem> children;
  };

  std::string text;
  bool enabled = true;
  bool checked = false;
  std::vector<std::string> columns;
  std::vector<Row> rows;
  std::vector<std::string> comboItems;
  int comboSelection = -1;
  std::map<TreeItem, TreeNode> nodes;
  std::vector<TreeItem> roots;
  TreeItem nextItem = 1;

  // Lists: a row has at least a cell per column; rows out of range are null.
  int AppendRow(const std::vector<std::string>& cells);
  Row* RowAt(int row);
  const Row* RowAt(int row) const;
  std::string Cell(int row, int column) const;
  void SortRowsByDataDescending();

  // Trees: kTreeRoot stands for none.
  TreeItem AppendItem(TreeItem parent, const std::string& itemText, std::intptr_t data, int image);
  const TreeNode* Node(TreeItem item) const;
  TreeItem FirstChild(TreeItem item) const;
  TreeItem NextSibling(TreeItem item) const;
  void ClearTree();

  // Combos: a sorted combo keeps its items in byte order, and the selection
  // stays on its item.
  void ComboAdd(const std::string& item, bool sorted);
  void ComboSelect(int index);
  std::string ComboText(int index) const;

 private:
  const std::vector<TreeItem>* Children(TreeItem item) const;
};

}  // namespace fm
