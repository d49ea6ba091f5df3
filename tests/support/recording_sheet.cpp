#include "tests/support/recording_sheet.h"

#include <gtest/gtest.h>

#include "resources/resource.h"
#include "tests/support/generate_scenarios.h"

namespace fm::testing {
namespace {

void AppendTree(RecordingHost& host, int id, TreeItem parent, int depth,
                std::vector<std::string>& lines) {
  for (TreeItem item = host.TreeFirstChild(id, parent); item != kTreeRoot;
       item = host.TreeNextSibling(id, item)) {
    lines.push_back(std::string(2 * depth, ' ') + host.TreeText(id, item));
    AppendTree(host, id, item, depth + 1, lines);
  }
}

}  // namespace

RecordingHost::RecordingHost(RecordingSheet& sheet, DialogLogic& logic)
    : StoredControlsHost(logic.DialogId()), sheet_(sheet), logic_(logic) {
  logic.AttachHost(this);
  if (Spec().id == 0) ADD_FAILURE() << "no dialog " << logic.DialogId();
  for (const ControlSpec& control : Spec().controls) {
    if (control.id != -1) controls_[control.id].text = std::string(control.text);
  }
}

StoredControl& RecordingHost::Find(int id) const {
  auto it = controls_.find(id);
  if (it != controls_.end()) return it->second;
  ADD_FAILURE() << "dialog " << Spec().id << " has no control " << id;
  missing_ = StoredControl{};  // what an earlier miss wrote is gone
  missing_.enabled = false;
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
  if (sheet_.answers.empty()) return BoxAnswer::Ok;
  const BoxAnswer answer = sheet_.answers.front();
  sheet_.answers.pop_front();
  return answer;
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

RecordingHost& RecordingSheet::HostOf(int pageIndex) {
  std::unique_ptr<RecordingHost>& host = hosts_[pageIndex];
  if (host == nullptr) {
    host = std::make_unique<RecordingHost>(*this, Page(pageIndex));
    host->RunHandler([&] { Page(pageIndex).OnInitDialog(); });
  }
  return *host;
}

void RecordingSheet::Activate(int index) {
  active_ = index;
  HostOf(index).RunHandler([&] { Page(index).OnSetActive(); });
}

void RecordingSheet::ApplyPosted() {
  for (unsigned flags : posted_) {
    buttonRequests.push_back(flags);
    buttons_ = flags & (kWizardBack | kWizardNext | kWizardFinish);
  }
  posted_.clear();
}

void RecordingSheet::Next() {
  ASSERT_TRUE(buttons_ & kWizardNext) << "Next is not enabled";
  ASSERT_LT(active_ + 1, CWizard::kPageCount);
  bool goOn = true;
  ActiveHost().RunHandler([&] { goOn = Page(active_).OnWizardNext(); });
  if (goOn) Activate(active_ + 1);
}

void RecordingSheet::Back() {
  ASSERT_TRUE(buttons_ & kWizardBack) << "Back is not enabled";
  ASSERT_GT(active_, 0);
  Activate(active_ - 1);
}

void RecordingSheet::Finish() {
  ASSERT_TRUE(buttons_ & kWizardFinish) << "Finish is not enabled";
  closed_ = true;
}

std::string RecordingSheet::ReadHelp(int textId) {
  std::string text;
  onModal = [&](RecordingHost& dialog) {
    text = dialog.GetText(textId);
    dialog.Press(IDC_CANCEL_BUTTON);
  };
  ActiveHost().RunHandler([&] { wizard_->OnHelp(Page(active_)); });
  onModal = nullptr;
  return text;
}

bool RecordingSheet::TakeMessageBox(std::string& text, int /*milliseconds*/) {
  if (takenBoxes_ >= boxes.size()) return false;
  text = boxes[takenBoxes_++].text;
  return true;
}

std::vector<std::string> RecordingSheet::TreeLines(int id) {
  std::vector<std::string> lines;
  AppendTree(ActiveHost(), id, kTreeRoot, 0, lines);
  return lines;
}

bool RecordingSheet::SelectTreePath(int id, const std::vector<std::string>& path) {
  RecordingHost& host = ActiveHost();
  TreeItem item = kTreeRoot;
  for (const std::string& text : path) {
    item = host.TreeFirstChild(id, item);
    while (item != kTreeRoot && host.TreeText(id, item) != text) {
      item = host.TreeNextSibling(id, item);
    }
    if (item == kTreeRoot) return false;
  }
  host.SelectTreeItem(id, item);
  return true;
}

bool RecordingSheet::SelectTreeItemAt(int id, const std::vector<int>& path) {
  RecordingHost& host = ActiveHost();
  TreeItem item = kTreeRoot;
  for (int place : path) {
    item = host.TreeFirstChild(id, item);
    for (int i = 0; i < place && item != kTreeRoot; ++i) item = host.TreeNextSibling(id, item);
    if (item == kTreeRoot) return false;
  }
  host.SelectTreeItem(id, item);
  return true;
}

std::vector<std::vector<std::string>> RecordingSheet::ListRows(int id) {
  RecordingHost& host = ActiveHost();
  std::vector<std::vector<std::string>> rows(host.ListRowCount(id));
  for (size_t row = 0; row < rows.size(); ++row) {
    for (size_t c = 0; c < host.ListColumns(id).size(); ++c) {
      rows[row].push_back(host.ListCell(id, static_cast<int>(row), static_cast<int>(c)));
    }
  }
  return rows;
}

void RecordingSheet::SetListRowChecked(int id, int row, bool checked) {
  if (ActiveHost().ListRowCheck(id, row) != checked) ActiveHost().ToggleRowCheck(id, row);
}

int RecordingSheet::RunModal(DialogLogic& dialog) {
  RecordingHost host(*this, dialog);
  host.RunHandler([&] { dialog.OnInitDialog(); });
  modals.push_back({dialog.DialogId()});
  if (onModal) onModal(host);
  return host.endResult.value_or(IDC_CANCEL_BUTTON);
}

}  // namespace fm::testing
