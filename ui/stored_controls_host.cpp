#include "ui/stored_controls_host.h"

namespace fm {

StoredControlsHost::StoredControlsHost(int dialogId) : spec_(FindDialogSpec(dialogId)) {
  static const DialogSpec none{0, "", false, {}};
  if (spec_ == nullptr) spec_ = &none;
  caption_ = std::string(spec_->caption);
}

StoredControl::Row* StoredControlsHost::RowToChange(int id, int row) {
  StoredControl* c = ControlToChange(id);
  return c ? c->RowAt(row) : nullptr;
}

const StoredControl::Row* StoredControlsHost::RowToRead(int id, int row) const {
  const StoredControl* c = ControlToRead(id);
  return c ? c->RowAt(row) : nullptr;
}

const StoredControl::TreeNode* StoredControlsHost::NodeToRead(int id, TreeItem item) const {
  const StoredControl* c = ControlToRead(id);
  return c ? c->Node(item) : nullptr;
}

void StoredControlsHost::SetText(int id, const std::string& text) {
  if (StoredControl* c = ControlToChange(id)) c->text = text;
}

std::string StoredControlsHost::GetText(int id) const {
  const StoredControl* c = ControlToRead(id);
  return c ? c->text : std::string();
}

void StoredControlsHost::EnableControl(int id, bool enabled) {
  if (StoredControl* c = ControlToChange(id)) c->enabled = enabled;
}

bool StoredControlsHost::IsControlEnabled(int id) const {
  const StoredControl* c = ControlToRead(id);
  return c ? c->enabled : true;
}

void StoredControlsHost::SetCheck(int id, bool checked) {
  if (StoredControl* c = ControlToChange(id)) c->checked = checked;
}

bool StoredControlsHost::IsChecked(int id) const {
  const StoredControl* c = ControlToRead(id);
  return c && c->checked;
}

void StoredControlsHost::ListAddColumn(int id, const std::string& heading, int) {
  if (StoredControl* c = ControlToChange(id)) c->columns.push_back(heading);
}

int StoredControlsHost::ListAppendRow(int id, const std::vector<std::string>& cells) {
  StoredControl* c = ControlToChange(id);
  return c ? c->AppendRow(cells) : -1;
}

int StoredControlsHost::ListRowCount(int id) const {
  const StoredControl* c = ControlToRead(id);
  return c ? static_cast<int>(c->rows.size()) : 0;
}

std::string StoredControlsHost::ListCell(int id, int row, int column) const {
  const StoredControl* c = ControlToRead(id);
  return c ? c->Cell(row, column) : std::string();
}

void StoredControlsHost::ListSetRowData(int id, int row, std::intptr_t data) {
  if (StoredControl::Row* r = RowToChange(id, row)) r->data = data;
}

std::intptr_t StoredControlsHost::ListRowData(int id, int row) const {
  const StoredControl::Row* r = RowToRead(id, row);
  return r ? r->data : 0;
}

void StoredControlsHost::ListSetRowCheck(int id, int row, bool checked) {
  if (StoredControl::Row* r = RowToChange(id, row)) r->checked = checked;
}

bool StoredControlsHost::ListRowCheck(int id, int row) const {
  const StoredControl::Row* r = RowToRead(id, row);
  return r && r->checked;
}

void StoredControlsHost::ListDeleteAllRows(int id) {
  if (StoredControl* c = ControlToChange(id)) c->rows.clear();
}

void StoredControlsHost::ListSortByDataDescending(int id) {
  if (StoredControl* c = ControlToChange(id)) c->SortRowsByDataDescending();
}

TreeItem StoredControlsHost::TreeAppend(int id, TreeItem parent, const std::string& text,
                                        std::intptr_t data, int image) {
  StoredControl* c = ControlToChange(id);
  return c ? c->AppendItem(parent, text, data, image) : kTreeRoot;
}

TreeItem StoredControlsHost::TreeFirstChild(int id, TreeItem item) const {
  const StoredControl* c = ControlToRead(id);
  return c ? c->FirstChild(item) : kTreeRoot;
}

TreeItem StoredControlsHost::TreeNextSibling(int id, TreeItem item) const {
  const StoredControl* c = ControlToRead(id);
  return c ? c->NextSibling(item) : kTreeRoot;
}

TreeItem StoredControlsHost::TreeParent(int id, TreeItem item) const {
  const StoredControl::TreeNode* node = NodeToRead(id, item);
  return node ? node->parent : kTreeRoot;
}

std::string StoredControlsHost::TreeText(int id, TreeItem item) const {
  const StoredControl::TreeNode* node = NodeToRead(id, item);
  return node ? node->text : std::string();
}

std::intptr_t StoredControlsHost::TreeData(int id, TreeItem item) const {
  const StoredControl::TreeNode* node = NodeToRead(id, item);
  return node ? node->data : 0;
}

void StoredControlsHost::TreeDeleteAll(int id) {
  if (StoredControl* c = ControlToChange(id)) c->ClearTree();
}

void StoredControlsHost::ComboAdd(int id, const std::string& text) {
  const ControlSpec* control = spec_->Find(id);
  if (StoredControl* c = ControlToChange(id)) {
    c->ComboAdd(text, control && control->kind == ControlKind::SortedCombo);
  }
}

void StoredControlsHost::ComboSelect(int id, int index) {
  if (StoredControl* c = ControlToChange(id)) c->ComboSelect(index);
}

int StoredControlsHost::ComboSelection(int id) const {
  const StoredControl* c = ControlToRead(id);
  return c ? c->comboSelection : -1;
}

std::string StoredControlsHost::ComboText(int id, int index) const {
  const StoredControl* c = ControlToRead(id);
  return c ? c->ComboText(index) : std::string();
}

}  // namespace fm
