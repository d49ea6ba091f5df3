#include "cli/console_page_host.h"

#include <algorithm>

#include "resources/resource.h"
#include "ui/dialog_specs.h"

namespace fm::cli {
namespace {

const char* KindPrefix(BoxIcon icon) {
  switch (icon) {
    case BoxIcon::Error:
      return "error: ";
    case BoxIcon::Warning:
      return "warning: ";
    case BoxIcon::Information:
      return "info: ";
    case BoxIcon::Question:
      return "question: ";
  }
  return "";
}

}  // namespace

void ConsoleOutput::Status(const std::string& text) {
  if (text == lastStatus_) return;
  lastStatus_ = text;
  if (!terminal_) {
    std::fprintf(stream_, "%s\n", text.c_str());
    std::fflush(stream_);
    return;
  }
  // The new text over the old one, blanks over what the old one left.
  std::string line = "\r" + text;
  if (text.size() < shownLength_) line.append(shownLength_ - text.size(), ' ');
  std::fputs(line.c_str(), stream_);
  std::fflush(stream_);
  shownLength_ = text.size();
  statusOpen_ = true;
}

void ConsoleOutput::EndProgressLine() {
  if (!statusOpen_) return;
  std::fputc('\n', stream_);
  statusOpen_ = false;
  shownLength_ = 0;
}

void ConsoleOutput::Message(BoxIcon icon, const std::string& text, BoxAnswer answer) {
  EndProgressLine();
  std::fprintf(stream_, "%s%s", KindPrefix(icon), text.c_str());
  if (icon == BoxIcon::Question) {
    std::fputs(answer == BoxAnswer::Ok ? " [OK]" : " [Cancel]", stream_);
  }
  std::fputc('\n', stream_);
  std::fflush(stream_);
}

void ConsoleOutput::Line(const std::string& text) {
  EndProgressLine();
  std::fprintf(stream_, "%s\n", text.c_str());
  std::fflush(stream_);
}

int ConsolePageHost::BoxCount(BoxIcon icon) const {
  auto it = boxCounts_.find(icon);
  return it == boxCounts_.end() ? 0 : it->second;
}

const ConsolePageHost::Control* ConsolePageHost::Find(int id) const {
  auto it = controls_.find(id);
  return it == controls_.end() ? nullptr : &it->second;
}

void ConsolePageHost::SetText(int id, const std::string& text) {
  controls_[id].text = text;
  if (id == IDC_STATUS) output_.Status(text);
}

std::string ConsolePageHost::GetText(int id) const {
  const Control* c = Find(id);
  return c ? c->text : std::string();
}

void ConsolePageHost::EnableControl(int id, bool enabled) { controls_[id].enabled = enabled; }

bool ConsolePageHost::IsControlEnabled(int id) const {
  const Control* c = Find(id);
  return c ? c->enabled : true;
}

void ConsolePageHost::SetCheck(int id, bool checked) { controls_[id].checked = checked; }

bool ConsolePageHost::IsChecked(int id) const {
  const Control* c = Find(id);
  return c && c->checked;
}

const ConsolePageHost::Row* ConsolePageHost::FindRow(int id, int row) const {
  const Control* c = Find(id);
  if (c == nullptr || row < 0 || row >= static_cast<int>(c->rows.size())) return nullptr;
  return &c->rows[static_cast<size_t>(row)];
}

int ConsolePageHost::ListAppendRow(int id, const std::vector<std::string>& cells) {
  auto& rows = controls_[id].rows;
  rows.push_back({cells, 0, false});
  return static_cast<int>(rows.size()) - 1;
}

int ConsolePageHost::ListRowCount(int id) const {
  const Control* c = Find(id);
  return c ? static_cast<int>(c->rows.size()) : 0;
}

std::string ConsolePageHost::ListCell(int id, int row, int column) const {
  const Row* r = FindRow(id, row);
  if (r == nullptr || column < 0 || column >= static_cast<int>(r->cells.size())) return {};
  return r->cells[static_cast<size_t>(column)];
}

void ConsolePageHost::ListSetRowData(int id, int row, std::intptr_t data) {
  if (FindRow(id, row)) controls_[id].rows[static_cast<size_t>(row)].data = data;
}

std::intptr_t ConsolePageHost::ListRowData(int id, int row) const {
  const Row* r = FindRow(id, row);
  return r ? r->data : 0;
}

void ConsolePageHost::ListSetRowCheck(int id, int row, bool checked) {
  if (FindRow(id, row)) controls_[id].rows[static_cast<size_t>(row)].checked = checked;
}

bool ConsolePageHost::ListRowCheck(int id, int row) const {
  const Row* r = FindRow(id, row);
  return r && r->checked;
}

void ConsolePageHost::ListDeleteAllRows(int id) { controls_[id].rows.clear(); }

void ConsolePageHost::ListSortByDataDescending(int id) {
  auto& rows = controls_[id].rows;
  std::stable_sort(rows.begin(), rows.end(),
                   [](const Row& a, const Row& b) { return a.data > b.data; });
}

const std::vector<TreeItem>* ConsolePageHost::Children(int id, TreeItem item) const {
  const Control* c = Find(id);
  if (c == nullptr) return nullptr;
  if (item == kTreeRoot) return &c->roots;
  auto it = c->nodes.find(item);
  return it == c->nodes.end() ? nullptr : &it->second.children;
}

const ConsolePageHost::TreeNode* ConsolePageHost::FindNode(int id, TreeItem item) const {
  const Control* c = Find(id);
  if (c == nullptr) return nullptr;
  auto it = c->nodes.find(item);
  return it == c->nodes.end() ? nullptr : &it->second;
}

TreeItem ConsolePageHost::TreeAppend(int id, TreeItem parent, const std::string& text,
                                     std::intptr_t data, int) {
  Control& c = controls_[id];
  if (parent != kTreeRoot && c.nodes.find(parent) == c.nodes.end()) return kTreeRoot;
  const TreeItem item = c.nextItem++;
  c.nodes[item] = {text, data, parent, {}};
  (parent == kTreeRoot ? c.roots : c.nodes[parent].children).push_back(item);
  return item;
}

TreeItem ConsolePageHost::TreeFirstChild(int id, TreeItem item) const {
  const std::vector<TreeItem>* children = Children(id, item);
  return children && !children->empty() ? children->front() : kTreeRoot;
}

TreeItem ConsolePageHost::TreeNextSibling(int id, TreeItem item) const {
  const TreeNode* node = FindNode(id, item);
  if (node == nullptr) return kTreeRoot;
  const std::vector<TreeItem>* siblings = Children(id, node->parent);
  auto it = std::find(siblings->begin(), siblings->end(), item);
  return it != siblings->end() && it + 1 != siblings->end() ? *(it + 1) : kTreeRoot;
}

TreeItem ConsolePageHost::TreeParent(int id, TreeItem item) const {
  const TreeNode* node = FindNode(id, item);
  return node ? node->parent : kTreeRoot;
}

std::string ConsolePageHost::TreeText(int id, TreeItem item) const {
  const TreeNode* node = FindNode(id, item);
  return node ? node->text : std::string();
}

std::intptr_t ConsolePageHost::TreeData(int id, TreeItem item) const {
  const TreeNode* node = FindNode(id, item);
  return node ? node->data : 0;
}

void ConsolePageHost::TreeDeleteAll(int id) {
  Control& c = controls_[id];
  c.nodes.clear();
  c.roots.clear();
}

bool ConsolePageHost::IsSortedCombo(int id) const {
  const DialogSpec* dialog = FindDialogSpec(dialogId_);
  const ControlSpec* control = dialog ? dialog->Find(id) : nullptr;
  return control && control->kind == ControlKind::SortedCombo;
}

void ConsolePageHost::ComboAdd(int id, const std::string& text) {
  Control& c = controls_[id];
  auto at = IsSortedCombo(id) ? std::upper_bound(c.comboItems.begin(), c.comboItems.end(), text)
                              : c.comboItems.end();
  const int index = static_cast<int>(at - c.comboItems.begin());
  c.comboItems.insert(at, text);
  if (c.comboSelection >= index) ++c.comboSelection;
}

void ConsolePageHost::ComboSelect(int id, int index) {
  Control& c = controls_[id];
  c.comboSelection = index >= 0 && index < static_cast<int>(c.comboItems.size()) ? index : -1;
}

int ConsolePageHost::ComboSelection(int id) const {
  const Control* c = Find(id);
  return c ? c->comboSelection : -1;
}

std::string ConsolePageHost::ComboText(int id, int index) const {
  const Control* c = Find(id);
  if (c == nullptr || index < 0 || index >= static_cast<int>(c->comboItems.size())) return {};
  return c->comboItems[static_cast<size_t>(index)];
}

BoxAnswer ConsolePageHost::ShowMessage(const std::string& text, BoxIcon icon, const std::string&) {
  ++boxCounts_[icon];
  const BoxAnswer answer = icon == BoxIcon::Question ? questionAnswer : BoxAnswer::Ok;
  output_.Message(icon, text, answer);
  return answer;
}

}  // namespace fm::cli
