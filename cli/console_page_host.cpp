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

const StoredControl* ConsolePageHost::Find(int id) const {
  auto it = controls_.find(id);
  return it == controls_.end() ? nullptr : &it->second;
}

void ConsolePageHost::SetText(int id, const std::string& text) {
  controls_[id].text = text;
  if (id == IDC_STATUS) output_.Status(text);
}

std::string ConsolePageHost::GetText(int id) const {
  const StoredControl* c = Find(id);
  return c ? c->text : std::string();
}

void ConsolePageHost::EnableControl(int id, bool enabled) { controls_[id].enabled = enabled; }

bool ConsolePageHost::IsControlEnabled(int id) const {
  const StoredControl* c = Find(id);
  return c ? c->enabled : true;
}

void ConsolePageHost::SetCheck(int id, bool checked) { controls_[id].checked = checked; }

bool ConsolePageHost::IsChecked(int id) const {
  const StoredControl* c = Find(id);
  return c && c->checked;
}

int ConsolePageHost::ListAppendRow(int id, const std::vector<std::string>& cells) {
  return controls_[id].AppendRow(cells);
}

int ConsolePageHost::ListRowCount(int id) const {
  const StoredControl* c = Find(id);
  return c ? static_cast<int>(c->rows.size()) : 0;
}

std::string ConsolePageHost::ListCell(int id, int row, int column) const {
  const StoredControl* c = Find(id);
  return c ? c->Cell(row, column) : std::string();
}

void ConsolePageHost::ListSetRowData(int id, int row, std::intptr_t data) {
  if (StoredControl::Row* r = controls_[id].RowAt(row)) r->data = data;
}

std::intptr_t ConsolePageHost::ListRowData(int id, int row) const {
  const StoredControl* c = Find(id);
  const StoredControl::Row* r = c ? c->RowAt(row) : nullptr;
  return r ? r->data : 0;
}

void ConsolePageHost::ListSetRowCheck(int id, int row, bool checked) {
  if (StoredControl::Row* r = controls_[id].RowAt(row)) r->checked = checked;
}

bool ConsolePageHost::ListRowCheck(int id, int row) const {
  const StoredControl* c = Find(id);
  const StoredControl::Row* r = c ? c->RowAt(row) : nullptr;
  return r && r->checked;
}

void ConsolePageHost::ListDeleteAllRows(int id) { controls_[id].rows.clear(); }

void ConsolePageHost::ListSortByDataDescending(int id) { controls_[id].SortRowsByDataDescending(); }

TreeItem ConsolePageHost::TreeAppend(int id, TreeItem parent, const std::string& text,
                                     std::intptr_t data, int image) {
  return controls_[id].AppendItem(parent, text, data, image);
}

TreeItem ConsolePageHost::TreeFirstChild(int id, TreeItem item) const {
  const StoredControl* c = Find(id);
  return c ? c->FirstChild(item) : kTreeRoot;
}

TreeItem ConsolePageHost::TreeNextSibling(int id, TreeItem item) const {
  const StoredControl* c = Find(id);
  return c ? c->NextSibling(item) : kTreeRoot;
}

TreeItem ConsolePageHost::TreeParent(int id, TreeItem item) const {
  const StoredControl* c = Find(id);
  const StoredControl::TreeNode* node = c ? c->Node(item) : nullptr;
  return node ? node->parent : kTreeRoot;
}

std::string ConsolePageHost::TreeText(int id, TreeItem item) const {
  const StoredControl* c = Find(id);
  const StoredControl::TreeNode* node = c ? c->Node(item) : nullptr;
  return node ? node->text : std::string();
}

std::intptr_t ConsolePageHost::TreeData(int id, TreeItem item) const {
  const StoredControl* c = Find(id);
  const StoredControl::TreeNode* node = c ? c->Node(item) : nullptr;
  return node ? node->data : 0;
}

void ConsolePageHost::TreeDeleteAll(int id) { controls_[id].ClearTree(); }

bool ConsolePageHost::IsSortedCombo(int id) const {
  const DialogSpec* dialog = FindDialogSpec(dialogId_);
  const ControlSpec* control = dialog ? dialog->Find(id) : nullptr;
  return control && control->kind == ControlKind::SortedCombo;
}

void ConsolePageHost::ComboAdd(int id, const std::string& text) {
  controls_[id].ComboAdd(text, IsSortedCombo(id));
}

void ConsolePageHost::ComboSelect(int id, int index) { controls_[id].ComboSelect(index); }

int ConsolePageHost::ComboSelection(int id) const {
  const StoredControl* c = Find(id);
  return c ? c->comboSelection : -1;
}

std::string ConsolePageHost::ComboText(int id, int index) const {
  const StoredControl* c = Find(id);
  return c ? c->ComboText(index) : std::string();
}

BoxAnswer ConsolePageHost::ShowMessage(const std::string& text, BoxIcon icon, const std::string&) {
  ++boxCounts_[icon];
  const BoxAnswer answer = icon == BoxIcon::Question ? questionAnswer : BoxAnswer::Ok;
  output_.Message(icon, text, answer);
  return answer;
}

}  // namespace fm::cli
