#include "tests/support/recording_sheet.h"

#include <gtest/gtest.h>

#include "resources/resource.h"

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

RecordingSheet::~RecordingSheet() {
  for (auto& [index, host] : hosts_) host->Logic().AttachHost(nullptr);
}

RecordingHost& RecordingSheet::HostOf(int pageIndex) {
  std::unique_ptr<RecordingHost>& host = hosts_[pageIndex];
  if (host == nullptr) {
    host = MakeHost(Page(pageIndex));
    host->RunHandler([&] { Page(pageIndex).OnInitDialog(); });
  }
  return *host;
}

std::unique_ptr<RecordingHost> RecordingSheet::MakeHost(DialogLogic& logic) {
  auto host = std::make_unique<RecordingHost>(*this, logic);
  logic.AttachHost(host.get());
  return host;
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

void RecordingSheet::Open() {
  ASSERT_NE(wizard_, nullptr);
  Activate(0);
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

BoxAnswer RecordingSheet::Answer() {
  if (answers.empty()) return BoxAnswer::Ok;
  BoxAnswer answer = answers.front();
  answers.pop_front();
  return answer;
}

int RecordingSheet::RunModal(DialogLogic& dialog) {
  const std::unique_ptr<RecordingHost> host = MakeHost(dialog);
  host->RunHandler([&] { dialog.OnInitDialog(); });
  modals.push_back({dialog.DialogId()});
  if (onModal) onModal(*host);
  dialog.AttachHost(nullptr);
  return host->endResult.value_or(IDC_CANCEL_BUTTON);
}

}  // namespace fm::testing
