#include "tests/support/recording_host.h"

#include <gtest/gtest.h>

#include "resources/resource.h"
#include "tests/support/generate_scenarios.h"
#include "tests/support/recording_sheet.h"

namespace fm::testing {

RecordingHost::RecordingHost(RecordingSheet& sheet, DialogLogic& logic)
    : StoredControlsHost(logic.DialogId()), sheet_(sheet), logic_(logic) {
  if (Spec().id == 0) ADD_FAILURE() << "no dialog " << logic.DialogId();
  for (const ControlSpec& control : Spec().controls) {
    if (control.id != -1) controls_[control.id].text = std::string(control.text);
  }
}

StoredControl& RecordingHost::Find(int id) const {
  missing_ = StoredControl{};
  missing_.enabled = false;
  auto it = controls_.find(id);
  if (it != controls_.end()) return it->second;
  ADD_FAILURE() << "dialog " << Spec().id << " has no control " << id;
  return missing_;
}

void RecordingHost::RunHandler(const std::function<void()>& handler) {
  ++handlerDepth_;
  handler();
  if (--handlerDepth_ == 0) sheet_.ApplyPosted();
}

void RecordingHost::Event(int id, const std::function<void(StoredControl&)>& handle) {
  EXPECT_EQ(handlerDepth_, 0) << "an event of control " << id << " entered a running handler";
  StoredControl& c = Find(id);
  EXPECT_TRUE(c.enabled) << "control " << id << " of dialog " << Spec().id << " is disabled";
  if (handlerDepth_ == 0 && c.enabled) RunHandler([&] { handle(c); });
}

void RecordingHost::Press(int id) {
  Event(id, [&](StoredControl& c) {
    if (Spec().Find(id)->kind == ControlKind::CheckBox) c.checked = !c.checked;
    logic_.OnButton(id);
  });
}

void RecordingHost::SelectTreeItem(int id, TreeItem item) {
  Event(id, [&](StoredControl& c) {
    ASSERT_TRUE(c.nodes.count(item)) << "no tree item " << item;
    logic_.OnTreeSelectionChanged(id, item);
  });
}

void RecordingHost::ToggleRowCheck(int id, int row) {
  Event(id, [&](StoredControl& c) {
    ASSERT_LT(static_cast<size_t>(row), c.rows.size());
    const bool before = c.rows[row].checked;
    c.rows[row].checked = !before;
    logic_.OnRowStateChanged(id, row, before ? kRowChecked : kRowUnchecked,
                             before ? kRowUnchecked : kRowChecked);
  });
}

void RecordingHost::DoubleClickRow(int id, int row) {
  Event(id, [&](StoredControl& c) {
    logic_.OnRowDoubleClicked(id, row < static_cast<int>(c.rows.size()) ? row : -1);
  });
}

BoxAnswer RecordingHost::ShowMessage(const std::string& text, BoxIcon icon,
                                     const std::string& caption) {
  sheet_.boxes.push_back(RecordedBox{text, caption, icon});
  return sheet_.Answer();
}

void RecordingHost::PostWizardButtons(unsigned flags) { sheet_.Post(flags); }

std::string RecordingHost::HelpButtonText() const { return sheet_.helpButtonText; }

void RecordingHost::SetHelpButtonText(const std::string& text) { sheet_.helpButtonText = text; }

int RecordingHost::RunModal(DialogLogic& dialog) { return sheet_.RunModal(dialog); }

// The one "TEXT" resource is the read-me the resource script embeds.
bool RecordingHost::LoadTextResource(int id, std::string& text) const {
  if (id != IDR_README) return false;
  text = ReadMeText();
  return !text.empty();
}

}  // namespace fm::testing
