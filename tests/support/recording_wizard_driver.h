// The wizard driver over the recording sheet.
#pragma once

#include "resources/resource.h"
#include "tests/support/recording_sheet.h"
#include "tests/support/wizard_driver.h"

namespace fm::testing {

class RecordingWizardDriver : public WizardDriver {
 public:
  explicit RecordingWizardDriver(CWizard& wizard) : wizard_(wizard), sheet_(&wizard) {
    sheet_.Open();
  }

  RecordingSheet& Sheet() { return sheet_; }

  int ActiveDialogId() override { return wizard_.Pages()[sheet_.ActiveIndex()]->DialogId(); }
  unsigned EnabledButtons() override { return sheet_.Buttons(); }
  void Next() override { sheet_.Next(); }
  void Back() override { sheet_.Back(); }
  void Cancel() override { sheet_.Cancel(); }
  void Finish() override { sheet_.Finish(); }
  bool Closed() override { return sheet_.Closed(); }
  std::string HelpButtonText() override { return sheet_.helpButtonText; }
  std::string ControlText(int id) override { return sheet_.ActiveHost().GetText(id); }
  bool ControlEnabled(int id) override { return sheet_.ActiveHost().IsControlEnabled(id); }
  bool ControlChecked(int id) override { return sheet_.ActiveHost().IsChecked(id); }

  // The handler runs to its end inside the press; its boxes are recorded.
  void PressButton(int id) override { sheet_.ActiveHost().Press(id); }
  bool TakeMessageBox(std::string& text, int /*milliseconds*/) override {
    if (takenBoxes_ >= sheet_.boxes.size()) return false;
    text = sheet_.boxes[takenBoxes_++].text;
    return true;
  }
  void WaitUntilIdle(int /*milliseconds*/) override {}

  std::vector<std::string> TreeLines(int id) override {
    std::vector<std::string> lines;
    AppendTree(sheet_.ActiveHost(), id, kTreeRoot, 0, lines);
    return lines;
  }
  bool SelectTreePath(int id, const std::vector<std::string>& path) override {
    RecordingHost& host = sheet_.ActiveHost();
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
  std::vector<std::vector<std::string>> ListRows(int id) override {
    RecordingHost& host = sheet_.ActiveHost();
    const size_t columns = host.ListColumns(id).size();
    std::vector<std::vector<std::string>> rows;
    for (int row = 0; row < host.ListRowCount(id); ++row) {
      rows.emplace_back();
      for (size_t c = 0; c < columns; ++c) {
        rows.back().push_back(host.ListCell(id, row, static_cast<int>(c)));
      }
    }
    return rows;
  }
  bool ListRowChecked(int id, int row) override {
    return sheet_.ActiveHost().ListRowCheck(id, row);
  }
  void SetListRowChecked(int id, int row, bool checked) override {
    if (ListRowChecked(id, row) != checked) sheet_.ActiveHost().ToggleRowCheck(id, row);
  }

  bool ReadHelp(int textId, std::string& caption, std::string& text) override {
    bool opened = false;
    sheet_.onModal = [&](RecordingHost& dialog) {
      opened = true;
      caption = dialog.Caption();
      text = dialog.GetText(textId);
      dialog.Press(IDC_CANCEL_BUTTON);
    };
    sheet_.Help();
    sheet_.onModal = nullptr;
    return opened;
  }

 private:
  static void AppendTree(RecordingHost& host, int id, TreeItem parent, int depth,
                         std::vector<std::string>& lines) {
    for (TreeItem item = host.TreeFirstChild(id, parent); item != kTreeRoot;
         item = host.TreeNextSibling(id, item)) {
      lines.push_back(std::string(2 * depth, ' ') + host.TreeText(id, item));
      AppendTree(host, id, item, depth + 1, lines);
    }
  }

  CWizard& wizard_;
  RecordingSheet sheet_;
  size_t takenBoxes_ = 0;
};

}  // namespace fm::testing
