// One control of a page kept in memory.
#include "ui/stored_control.h"

#include <algorithm>

namespace fm {

int StoredControl::AppendRow(const std::vector<std::string>& cells) {
  Row row;
  row.cells = cells;
  row.cells.resize(std::max(cells.size(), columns.size()));
  rows.push_back(std::move(row));
  return static_cast<int>(rows.size()) - 1;
}

StoredControl::Row* StoredControl::RowAt(int row) {
  return row >= 0 && static_cast<size_t>(row) < rows.size() ? &rows[static_cast<size_t>(row)]
                                                            : nullptr;
}

const StoredControl::Row* StoredControl::RowAt(int row) const {
  return const_cast<StoredControl*>(this)->RowAt(row);
}

std::string StoredControl::Cell(int row, int column) const {
  const Row* r = RowAt(row);
  if (r == nullptr || column < 0 || static_cast<size_t>(column) >= r->cells.size()) return {};
  return r->cells[static_cast<size_t>(column)];
}

void StoredControl::SortRowsByDataDescending() {
  std::stable_sort(rows.begin(), rows.end(),
                   [](const Row& a, const Row& b) { return a.data > b.data; });
}

TreeItem StoredControl::AppendItem(TreeItem parent, const std::string& itemText, std::intptr_t data,
                                   int image) {
  if (parent != kTreeRoot && Node(parent) == nullptr) return kTreeRoot;
  const TreeItem item = nextItem++;
  nodes[item] = TreeNode{itemText, data, image, parent, {}};
  (parent == kTreeRoot ? roots : nodes[parent].children).push_back(item);
  return item;
}

const StoredControl::TreeNode* StoredControl::Node(TreeItem item) const {
  auto it = nodes.find(item);
  return it == nodes.end() ? nullptr : &it->second;
}

const std::vector<TreeItem>* StoredControl::Children(TreeItem item) const {
  if (item == kTreeRoot) return &roots;
  const TreeNode* node = Node(item);
  return node ? &node->children : nullptr;
}

TreeItem StoredControl::FirstChild(TreeItem item) const {
  const std::vector<TreeItem>* children = Children(item);
  return children && !children->empty() ? children->front() : kTreeRoot;
}

TreeItem StoredControl::NextSibling(TreeItem item) const {
  const TreeNode* node = Node(item);
  if (node == nullptr) return kTreeRoot;
  const std::vector<TreeItem>* siblings = Children(node->parent);
  auto it = std::find(siblings->begin(), siblings->end(), item);
  return it != siblings->end() && it + 1 != siblings->end() ? *(it + 1) : kTreeRoot;
}

void StoredControl::ClearTree() {
  nodes.clear();
  roots.clear();
}

void StoredControl::ComboAdd(const std::string& item, bool sorted) {
  auto at =
      sorted ? std::upper_bound(comboItems.begin(), comboItems.end(), item) : comboItems.end();
  const int index = static_cast<int>(at - comboItems.begin());
  comboItems.insert(at, item);
  if (comboSelection >= index) ++comboSelection;
}

void StoredControl::ComboSelect(int index) {
  comboSelection = index >= 0 && static_cast<size_t>(index) < comboItems.size() ? index : -1;
}

std::string StoredControl::ComboText(int index) const {
  return index >= 0 && static_cast<size_t>(index) < comboItems.size()
             ? comboItems[static_cast<size_t>(index)]
             : std::string();
}

}  // namespace fm
