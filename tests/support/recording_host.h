// A page host without a window, for tests: it keeps every control of the
// page's dialog in memory, refuses controls the dialog does not have, records
// message boxes and modal dialogs, and fails a test whose events enter a
// handler while another one runs.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "ui/dialog_specs.h"
#include "ui/page_host.h"
#include "ui/stored_control.h"

namespace fm::testing {

class RecordingSheet;

struct RecordedBox {
  std::string text;
  std::string caption;
  BoxIcon icon;
};

class RecordingHost : public PageHost {
 public:
  RecordingHost(RecordingSheet& sheet, DialogLogic& logic);

  DialogLogic& Logic() const { return logic_; }
  const std::string& Caption() const { return caption_; }
  int WaitCursorDepth() const { return waitCount_; }
  std::optional<int> endResult;  // set by EndDialog
  // Called whenever a handler dispatches waiting messages (tests may try to
  // press something there, as an impatient user would).
  std::function<void()> onDispatch;

  // What a user does.
  void Press(int id);  // a button; a check box toggles first
  void SelectTreeItem(int id, TreeItem item);
  void ToggleRowCheck(int id, int row);
  void DoubleClickRow(int id, int row);  // -1: below the last row
  // Runs a handler of the logic in the host's handler bracket.
  void RunHandler(const std::function<void()>& handler);

  std::vector<std::string> ListColumns(int id) const { return Find(id).columns; }

  // PageHost; a control the dialog lacks fails the test and reads as empty
  // and disabled.
  void SetText(int id, const std::string& text) override { Find(id).text = text; }
  std::string GetText(int id) const override { return Find(id).text; }
  void EnableControl(int id, bool enabled) override { Find(id).enabled = enabled; }
  bool IsControlEnabled(int id) const override { return Find(id).enabled; }
  void SetCheck(int id, bool checked) override { Find(id).checked = checked; }
  bool IsChecked(int id) const override { return Find(id).checked; }
  void SetCaption(const std::string& caption) override { caption_ = caption; }
  int ClientWidth() const override { return 475; }

  void ListSetStyle(int, bool, bool) override {}
  int ListClientWidth(int) const override { return 400; }
  int VerticalScrollBarWidth() const override { return 17; }
  void ListAddColumn(int id, const std::string& heading, int) override {
    Find(id).columns.push_back(heading);
  }
  int ListAppendRow(int id, const std::vector<std::string>& cells) override {
    return Find(id).AppendRow(cells);
  }
  int ListRowCount(int id) const override { return static_cast<int>(Find(id).rows.size()); }
  std::string ListCell(int id, int row, int column) const override {
    return Find(id).Cell(row, column);
  }
  void ListSetRowData(int id, int row, std::intptr_t data) override { Row(id, row).data = data; }
  std::intptr_t ListRowData(int id, int row) const override { return Row(id, row).data; }
  void ListSetRowCheck(int id, int row, bool checked) override { Row(id, row).checked = checked; }
  bool ListRowCheck(int id, int row) const override { return Row(id, row).checked; }
  void ListDeleteAllRows(int id) override { Find(id).rows.clear(); }
  void ListSortByDataDescending(int id) override { Find(id).SortRowsByDataDescending(); }

  void TreeSetImages(int, int, int) override {}
  TreeItem TreeAppend(int id, TreeItem parent, const std::string& text, std::intptr_t data,
                      int image) override {
    return Find(id).AppendItem(parent, text, data, image);
  }
  TreeItem TreeFirstChild(int id, TreeItem item) const override {
    return Find(id).FirstChild(item);
  }
  TreeItem TreeNextSibling(int id, TreeItem item) const override {
    return Find(id).NextSibling(item);
  }
  TreeItem TreeParent(int id, TreeItem item) const override { return Node(id, item).parent; }
  std::string TreeText(int id, TreeItem item) const override { return Node(id, item).text; }
  std::intptr_t TreeData(int id, TreeItem item) const override { return Node(id, item).data; }
  void TreeDeleteAll(int id) override { Find(id).ClearTree(); }

  void ComboAdd(int id, const std::string& text) override { Find(id).ComboAdd(text, true); }
  void ComboSelect(int id, int index) override { Find(id).ComboSelect(index); }
  int ComboSelection(int id) const override { return Find(id).comboSelection; }
  std::string ComboText(int id, int index) const override { return Find(id).ComboText(index); }

  BoxAnswer ShowMessage(const std::string& text, BoxIcon icon, const std::string& caption) override;
  void BeginWaitCursor() override { ++waitCount_; }
  void EndWaitCursor() override { --waitCount_; }
  void DispatchWaitingMessages() override {
    if (onDispatch) onDispatch();
  }

  void PostWizardButtons(unsigned flags) override;
  bool HasHelpButton() const override { return true; }
  std::string HelpButtonText() const override;
  void SetHelpButtonText(const std::string& text) override;
  int RunModal(DialogLogic& dialog) override;
  void EndDialog(int result) override { endResult = result; }
  bool LoadStringResource(int id, std::string& text) const override;
  bool LoadTextResource(int id, std::string& text) const override;
  void SetDecorations(std::vector<Decoration>) override {}  // nothing is painted

 private:
  struct Control : StoredControl {
    const ControlSpec* spec = nullptr;
  };

  // The control, or (after a failure) an empty stand-in without a spec.
  Control& Find(int id) const;
  // Runs the handler of a user's event on the control; fails the test when
  // the control is missing or disabled, or another handler runs.
  void Event(int id, const std::function<void(Control&)>& handle);
  // A row or tree item, or an empty stand-in when there is none.
  StoredControl::Row& Row(int id, int row) const;
  const StoredControl::TreeNode& Node(int id, TreeItem item) const;

  RecordingSheet& sheet_;
  DialogLogic& logic_;
  const DialogSpec* spec_;
  mutable std::map<int, Control> controls_;
  mutable Control missing_;
  mutable StoredControl::Row missingRow_;
  std::string caption_;
  int waitCount_ = 0;
  int handlerDepth_ = 0;
};

}  // namespace fm::testing
