#include "tests/support/recording_host.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "resources/resource.h"
#include "tests/support/generate_scenarios.h"
#include "tests/support/recording_sheet.h"

namespace fm::testing {
namespace {

struct StringResource {
  int id;
  const char* text;
};

#define FM_STRING(id, text) {id, text},
constexpr StringResource kStrings[] = {
#include "resources/strings.def"
};
#undef FM_STRING

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

RecordingHost::Control& RecordingHost::Find(int id, Kinds kinds) const {
  missing_ = Control{};
  missing_.enabled = false;
  auto it = controls_.find(id);
  if (it == controls_.end()) {
    ADD_FAILURE() << "dialog " << spec_->id << " has no control " << id;
    return missing_;
  }
  if (kinds.size() > 0 &&
      std::find(kinds.begin(), kinds.end(), it->second.spec->kind) == kinds.end()) {
    ADD_FAILURE() << "control " << id << " of dialog " << spec_->id << " is of another kind";
    return missing_;
  }
  return it->second;
}

RecordingHost::Control* RecordingHost::FindForEvent(int id, Kinds kinds) {
  if (handlerDepth_ > 0) {
    ADD_FAILURE() << "an event of control " << id << " entered a running handler";
    return nullptr;
  }
  Control& c = Find(id, kinds);
  if (c.spec != nullptr && !c.enabled) {
    ADD_FAILURE() << "control " << id << " of dialog " << spec_->id << " is disabled";
  }
  return c.spec != nullptr && c.enabled ? &c : nullptr;
}

const StoredControl::TreeNode& RecordingHost::Node(int id, TreeItem item) const {
  static const StoredControl::TreeNode none;
  const StoredControl::TreeNode* node = Find(id, kTree).Node(item);
  return node ? *node : none;
}

void RecordingHost::RunHandler(const std::function<void()>& handler) {
  ++handlerDepth_;
  handler();
  if (--handlerDepth_ == 0) sheet_.ApplyPosted();
}

void RecordingHost::Press(int id) {
  Control* c = FindForEvent(id, {ControlKind::Button, ControlKind::CheckBox});
  if (c == nullptr) return;
  if (c->spec->kind == ControlKind::CheckBox) c->checked = !c->checked;
  RunHandler([&] { logic_.OnButton(id); });
}

void RecordingHost::SelectTreeItem(int id, TreeItem item) {
  Control* c = FindForEvent(id, kTree);
  if (c == nullptr) return;
  ASSERT_TRUE(c->nodes.count(item)) << "no tree item " << item;
  RunHandler([&] { logic_.OnTreeSelectionChanged(id, item); });
}

void RecordingHost::ToggleRowCheck(int id, int row) {
  Control* c = FindForEvent(id, kCheckList);
  if (c == nullptr) return;
  ASSERT_LT(static_cast<size_t>(row), c->rows.size());
  const unsigned before = c->rows[row].checked ? kRowChecked : kRowUnchecked;
  c->rows[row].checked = !c->rows[row].checked;
  const unsigned after = c->rows[row].checked ? kRowChecked : kRowUnchecked;
  RunHandler([&] { logic_.OnRowStateChanged(id, row, before, after); });
}

void RecordingHost::DoubleClickRow(int id, int row) {
  Control* c = FindForEvent(id, kList);
  if (c == nullptr) return;
  if (row >= static_cast<int>(c->rows.size())) row = -1;
  RunHandler([&] { logic_.OnRowDoubleClicked(id, row); });
}

void RecordingHost::ListSetStyle(int id, bool checkBoxes, bool fullRowSelect) {
  Control& c = Find(id, kList);
  if (checkBoxes && c.spec && c.spec->kind != ControlKind::CheckList) {
    ADD_FAILURE() << "list " << id << " is not made for check boxes";
  }
  c.checkBoxes = checkBoxes;
  c.fullRowSelect = fullRowSelect;
}

void RecordingHost::ListAddColumn(int id, const std::string& heading, int width) {
  Control& c = Find(id, kList);
  c.columns.push_back(heading);
  c.columnWidths.push_back(width);
}

int RecordingHost::ListAppendRow(int id, const std::vector<std::string>& cells) {
  Control& c = Find(id, kList);
  return c.spec ? c.AppendRow(cells) : -1;
}

void RecordingHost::ListSetRowData(int id, int row, std::intptr_t data) {
  if (StoredControl::Row* r = Find(id, kList).RowAt(row)) r->data = data;
}

std::intptr_t RecordingHost::ListRowData(int id, int row) const {
  const StoredControl::Row* r = Find(id, kList).RowAt(row);
  return r ? r->data : 0;
}

void RecordingHost::ListSetRowCheck(int id, int row, bool checked) {
  if (StoredControl::Row* r = Find(id, kCheckList).RowAt(row)) r->checked = checked;
}

bool RecordingHost::ListRowCheck(int id, int row) const {
  const StoredControl::Row* r = Find(id, kCheckList).RowAt(row);
  return r && r->checked;
}

TreeItem RecordingHost::TreeAppend(int id, TreeItem parent, const std::string& text,
                                   std::intptr_t data, int image) {
  Control& c = Find(id, kTree);
  if (c.spec == nullptr) return kTreeRoot;
  if (parent != kTreeRoot && c.Node(parent) == nullptr) {
    ADD_FAILURE() << "no parent tree item " << parent;
    return kTreeRoot;
  }
  return c.AppendItem(parent, text, data, image);
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

void RecordingHost::PostWizardButtons(unsigned flags) { sheet_.Post(flags); }

std::string RecordingHost::HelpButtonText() const { return sheet_.helpButtonText; }

void RecordingHost::SetHelpButtonText(const std::string& text) { sheet_.helpButtonText = text; }

int RecordingHost::RunModal(DialogLogic& dialog) { return sheet_.RunModal(dialog); }

void RecordingHost::EndDialog(int result) {
  ended_ = true;
  endResult_ = result;
}

bool RecordingHost::LoadStringResource(int id, std::string& text) const {
  for (const StringResource& s : kStrings) {
    if (s.id == id) {
      text = s.text;
      return true;
    }
  }
  return false;
}

// The one "TEXT" resource is the read-me the resource script embeds.
bool RecordingHost::LoadTextResource(int id, std::string& text) const {
  if (id != IDR_README) return false;
  text = ReadMeText();
  return !text.empty();
}

}  // namespace fm::testing
