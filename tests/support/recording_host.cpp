#include "tests/support/recording_host.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/recording_sheet.h"

namespace fm::testing {
namespace {

using K = ControlKind;
constexpr std::initializer_list<ControlKind> kTextKinds = {K::Button, K::CheckBox, K::Label,
                                                           K::StatusEdit, K::ReadOnlyText};
constexpr std::initializer_list<ControlKind> kAnyKind = {
    K::Button, K::CheckBox,  K::Label, K::StatusEdit, K::ReadOnlyText,
    K::List,   K::CheckList, K::Tree,  K::SortedCombo};
constexpr std::initializer_list<ControlKind> kListKinds = {K::List, K::CheckList};

}  // namespace

RecordingHost::RecordingHost(RecordingSheet& sheet, DialogLogic& logic)
    : sheet_(sheet), logic_(logic), spec_(FindDialogSpec(logic.DialogId())) {
  if (spec_ == nullptr) {
    ADD_FAILURE() << "no dialog " << logic.DialogId();
    static const DialogSpec empty{0, "", false, {}};
    spec_ = &empty;
  }
  caption_ = std::string(spec_->caption);
  for (const ControlSpec& control : spec_->controls) {
    if (control.id == -1) continue;
    Control& c = controls_[control.id];
    c.spec = &control;
    c.text = std::string(control.text);
  }
}

RecordingHost::~RecordingHost() = default;

RecordingHost::Control* RecordingHost::Find(int id,
                                            std::initializer_list<ControlKind> kinds) const {
  auto it = controls_.find(id);
  if (it == controls_.end()) {
    ADD_FAILURE() << "dialog " << spec_->id << " has no control " << id;
    return nullptr;
  }
  if (std::find(kinds.begin(), kinds.end(), it->second.spec->kind) == kinds.end()) {
    ADD_FAILURE() << "control " << id << " of dialog " << spec_->id << " is of another kind";
    return nullptr;
  }
  return &it->second;
}

RecordingHost::Control* RecordingHost::FindForEvent(int id,
                                                    std::initializer_list<ControlKind> kinds) {
  if (handlerDepth_ > 0) {
    ADD_FAILURE() << "an event of control " << id << " entered a running handler";
    return nullptr;
  }
  Control* c = Find(id, kinds);
  if (c != nullptr && !c->enabled) {
    ADD_FAILURE() << "control " << id << " of dialog " << spec_->id << " is disabled";
    return nullptr;
  }
  return c;
}

void RecordingHost::RunHandler(const std::function<void()>& handler) {
  ++handlerDepth_;
  handler();
  if (--handlerDepth_ == 0) sheet_.ApplyPosted();
}

void RecordingHost::Press(int id) {
  Control* c = FindForEvent(id, {K::Button, K::CheckBox});
  if (c == nullptr) return;
  if (c->spec->kind == K::CheckBox) c->checked = !c->checked;
  RunHandler([&] { logic_.OnButton(id); });
}

void RecordingHost::SelectTreeItem(int id, TreeItem item) {
  Control* c = FindForEvent(id, {K::Tree});
  if (c == nullptr) return;
  ASSERT_TRUE(c->nodes.count(item)) << "no tree item " << item;
  RunHandler([&] { logic_.OnTreeSelectionChanged(id, item); });
}

void RecordingHost::ToggleRowCheck(int id, int row) {
  Control* c = FindForEvent(id, {K::CheckList});
  if (c == nullptr) return;
  ASSERT_LT(static_cast<size_t>(row), c->rows.size());
  const unsigned before = c->rows[row].checked ? kRowChecked : kRowUnchecked;
  c->rows[row].checked = !c->rows[row].checked;
  const unsigned after = c->rows[row].checked ? kRowChecked : kRowUnchecked;
  RunHandler([&] { logic_.OnRowStateChanged(id, row, before, after); });
}

void RecordingHost::DoubleClickRow(int id, int row) {
  Control* c = FindForEvent(id, kListKinds);
  if (c == nullptr) return;
  if (row >= static_cast<int>(c->rows.size())) row = -1;
  RunHandler([&] { logic_.OnRowDoubleClicked(id, row); });
}

std::vector<std::string> RecordingHost::ListColumns(int id) const {
  Control* c = Find(id, kListKinds);
  return c ? c->columns : std::vector<std::string>{};
}

std::vector<int> RecordingHost::ListColumnWidths(int id) const {
  Control* c = Find(id, kListKinds);
  return c ? c->columnWidths : std::vector<int>{};
}

bool RecordingHost::ListHasCheckBoxes(int id) const {
  Control* c = Find(id, kListKinds);
  return c && c->checkBoxes;
}

bool RecordingHost::ListHasFullRowSelect(int id) const {
  Control* c = Find(id, kListKinds);
  return c && c->fullRowSelect;
}

int RecordingHost::TreeImage(int id, TreeItem item) const {
  Control* c = Find(id, {K::Tree});
  return c && c->nodes.count(item) ? c->nodes.at(item).image : -1;
}

void RecordingHost::SetText(int id, const std::string& text) {
  if (Control* c = Find(id, kTextKinds)) c->text = text;
}

std::string RecordingHost::GetText(int id) const {
  Control* c = Find(id, kTextKinds);
  return c ? c->text : std::string();
}

void RecordingHost::EnableControl(int id, bool enabled) {
  if (Control* c = Find(id, kAnyKind)) c->enabled = enabled;
}

bool RecordingHost::IsControlEnabled(int id) const {
  Control* c = Find(id, kAnyKind);
  return c && c->enabled;
}

void RecordingHost::SetCheck(int id, bool checked) {
  if (Control* c = Find(id, {K::CheckBox})) c->checked = checked;
}

bool RecordingHost::IsChecked(int id) const {
  Control* c = Find(id, {K::CheckBox});
  return c && c->checked;
}

void RecordingHost::SetCaption(const std::string& caption) { caption_ = caption; }

void RecordingHost::ListSetStyle(int id, bool checkBoxes, bool fullRowSelect) {
  Control* c = Find(id, kListKinds);
  if (c == nullptr) return;
  if (checkBoxes && c->spec->kind != K::CheckList) {
    ADD_FAILURE() << "list " << id << " is not made for check boxes";
  }
  c->checkBoxes = checkBoxes;
  c->fullRowSelect = fullRowSelect;
}

int RecordingHost::ListClientWidth(int id) const {
  Find(id, kListKinds);
  return 400;
}

void RecordingHost::ListAddColumn(int id, const std::string& heading, int width) {
  if (Control* c = Find(id, kListKinds)) {
    c->columns.push_back(heading);
    c->columnWidths.push_back(width);
  }
}

int RecordingHost::ListAppendRow(int id, const std::vector<std::string>& cells) {
  Control* c = Find(id, kListKinds);
  return c ? c->AppendRow(cells) : -1;
}

int RecordingHost::ListRowCount(int id) const {
  Control* c = Find(id, kListKinds);
  return c ? static_cast<int>(c->rows.size()) : 0;
}

std::string RecordingHost::ListCell(int id, int row, int column) const {
  Control* c = Find(id, kListKinds);
  return c ? c->Cell(row, column) : std::string();
}

void RecordingHost::ListSetRowData(int id, int row, std::intptr_t data) {
  Control* c = Find(id, kListKinds);
  if (StoredControl::Row* r = c ? c->RowAt(row) : nullptr) r->data = data;
}

std::intptr_t RecordingHost::ListRowData(int id, int row) const {
  Control* c = Find(id, kListKinds);
  const StoredControl::Row* r = c ? c->RowAt(row) : nullptr;
  return r ? r->data : 0;
}

void RecordingHost::ListSetRowCheck(int id, int row, bool checked) {
  Control* c = Find(id, {K::CheckList});
  if (StoredControl::Row* r = c ? c->RowAt(row) : nullptr) r->checked = checked;
}

bool RecordingHost::ListRowCheck(int id, int row) const {
  Control* c = Find(id, {K::CheckList});
  const StoredControl::Row* r = c ? c->RowAt(row) : nullptr;
  return r && r->checked;
}

void RecordingHost::ListDeleteAllRows(int id) {
  if (Control* c = Find(id, kListKinds)) c->rows.clear();
}

void RecordingHost::ListSortByDataDescending(int id) {
  if (Control* c = Find(id, kListKinds)) c->SortRowsByDataDescending();
}

void RecordingHost::TreeSetImages(int id, int bitmapId, int) {
  if (Control* c = Find(id, {K::Tree})) c->imageBitmap = bitmapId;
}

TreeItem RecordingHost::TreeAppend(int id, TreeItem parent, const std::string& text,
                                   std::intptr_t data, int image) {
  Control* c = Find(id, {K::Tree});
  if (c == nullptr) return kTreeRoot;
  if (parent != kTreeRoot && c->Node(parent) == nullptr) {
    ADD_FAILURE() << "no parent tree item " << parent;
    return kTreeRoot;
  }
  return c->AppendItem(parent, text, data, image);
}

TreeItem RecordingHost::TreeFirstChild(int id, TreeItem item) const {
  Control* c = Find(id, {K::Tree});
  return c ? c->FirstChild(item) : kTreeRoot;
}

TreeItem RecordingHost::TreeNextSibling(int id, TreeItem item) const {
  Control* c = Find(id, {K::Tree});
  return c ? c->NextSibling(item) : kTreeRoot;
}

TreeItem RecordingHost::TreeParent(int id, TreeItem item) const {
  Control* c = Find(id, {K::Tree});
  return c && c->nodes.count(item) ? c->nodes.at(item).parent : kTreeRoot;
}

std::string RecordingHost::TreeText(int id, TreeItem item) const {
  Control* c = Find(id, {K::Tree});
  return c && c->nodes.count(item) ? c->nodes.at(item).text : std::string();
}

std::intptr_t RecordingHost::TreeData(int id, TreeItem item) const {
  Control* c = Find(id, {K::Tree});
  return c && c->nodes.count(item) ? c->nodes.at(item).data : 0;
}

void RecordingHost::TreeDeleteAll(int id) {
  if (Control* c = Find(id, {K::Tree})) c->ClearTree();
}

void RecordingHost::ComboAdd(int id, const std::string& text) {
  if (Control* c = Find(id, {K::SortedCombo})) c->ComboAdd(text, true);
}

void RecordingHost::ComboSelect(int id, int index) {
  if (Control* c = Find(id, {K::SortedCombo})) c->ComboSelect(index);
}

int RecordingHost::ComboSelection(int id) const {
  Control* c = Find(id, {K::SortedCombo});
  return c ? c->comboSelection : -1;
}

std::string RecordingHost::ComboText(int id, int index) const {
  Control* c = Find(id, {K::SortedCombo});
  return c ? c->ComboText(index) : std::string();
}

BoxAnswer RecordingHost::ShowMessage(const std::string& text, BoxIcon icon,
                                     const std::string& caption) {
  sheet_.boxes.push_back(RecordedBox{spec_->id, text, caption, icon});
  return sheet_.Answer();
}

void RecordingHost::EndWaitCursor() {
  if (waitCount_ == 0) {
    ADD_FAILURE() << "the wait cursor ended more often than it began";
    return;
  }
  --waitCount_;
}

void RecordingHost::DispatchWaitingMessages() {
  if (onDispatch) onDispatch();
}

void RecordingHost::PostWizardButtons(unsigned flags) { sheet_.Post(flags); }

bool RecordingHost::HasHelpButton() const { return sheet_.hasHelpButton; }

std::string RecordingHost::HelpButtonText() const { return sheet_.helpButtonText; }

void RecordingHost::SetHelpButtonText(const std::string& text) { sheet_.helpButtonText = text; }

int RecordingHost::RunModal(DialogLogic& dialog) { return sheet_.RunModal(dialog); }

void RecordingHost::EndDialog(int result) {
  ended_ = true;
  endResult_ = result;
}

bool RecordingHost::LoadStringResource(int id, std::string& text) const {
  return sheet_.LoadString(id, text);
}

bool RecordingHost::LoadTextResource(int id, std::string& text) const {
  return sheet_.LoadText(id, text);
}

void RecordingHost::SetDecorations(std::vector<Decoration> decorations) {
  decorations_ = std::move(decorations);
}

}  // namespace fm::testing
