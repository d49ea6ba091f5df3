// A page host without a window, for tests: it keeps every control of the
// page's dialog in memory, refuses controls the dialog does not have, records
// message boxes and modal dialogs, and fails a test whose events enter a
// handler while another one runs.
#pragma once

#include <functional>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "ui/dialog_specs.h"
#include "ui/page_host.h"
#include "ui/stored_control.h"

namespace fm::testing {

class RecordingSheet;

struct RecordedBox {
  int dialogId;
  std::string text;
  std::string caption;
  BoxIcon icon;
};

class RecordingHost : public PageHost {
  // The kinds of control a call may address; empty: any.
  using Kinds = std::initializer_list<ControlKind>;
  static constexpr Kinds kText = {ControlKind::Button, ControlKind::CheckBox, ControlKind::Label,
                                  ControlKind::StatusEdit, ControlKind::ReadOnlyText};
  static constexpr Kinds kAny = {};
  static constexpr Kinds kList = {ControlKind::List, ControlKind::CheckList};
  static constexpr Kinds kCheckList = {ControlKind::CheckList};
  static constexpr Kinds kCheckBox = {ControlKind::CheckBox};
  static constexpr Kinds kTree = {ControlKind::Tree};
  static constexpr Kinds kCombo = {ControlKind::SortedCombo};

 public:
  RecordingHost(RecordingSheet& sheet, DialogLogic& logic);

  DialogLogic& Logic() const { return logic_; }
  bool Ended() const { return ended_; }
  int EndResult() const { return endResult_; }
  const std::string& Caption() const { return caption_; }
  int WaitCursorDepth() const { return waitCount_; }
  // Called whenever a handler dispatches waiting messages (tests may try to
  // press something there, as an impatient user would).
  std::function<void()> onDispatch;

  // What a user does. Every event fails the test when the control is
  // missing, disabled, of the wrong kind, or a handler is running.
  void Press(int id);  // a button; a check box toggles first
  void SelectTreeItem(int id, TreeItem item);
  void ToggleRowCheck(int id, int row);
  void DoubleClickRow(int id, int row);  // -1: below the last row
  // Runs a handler of the logic in the host's handler bracket.
  void RunHandler(const std::function<void()>& handler);

  // Reading what the page shows.
  std::vector<std::string> ListColumns(int id) const { return Find(id, kList).columns; }

  // PageHost; a control the dialog lacks reads as empty and disabled.
  void SetText(int id, const std::string& text) override { Find(id, kText).text = text; }
  std::string GetText(int id) const override { return Find(id, kText).text; }
  void EnableControl(int id, bool enabled) override { Find(id, kAny).enabled = enabled; }
  bool IsControlEnabled(int id) const override { return Find(id, kAny).enabled; }
  void SetCheck(int id, bool checked) override { Find(id, kCheckBox).checked = checked; }
  bool IsChecked(int id) const override { return Find(id, kCheckBox).checked; }
  void SetCaption(const std::string& caption) override { caption_ = caption; }
  int ClientWidth() const override { return 475; }

  void ListSetStyle(int id, bool checkBoxes, bool fullRowSelect) override;
  int ListClientWidth(int id) const override { return Find(id, kList).spec ? 400 : 0; }
  int VerticalScrollBarWidth() const override { return 17; }
  void ListAddColumn(int id, const std::string& heading, int width) override;
  int ListAppendRow(int id, const std::vector<std::string>& cells) override;
  int ListRowCount(int id) const override { return static_cast<int>(Find(id, kList).rows.size()); }
  std::string ListCell(int id, int row, int column) const override {
    return Find(id, kList).Cell(row, column);
  }
  void ListSetRowData(int id, int row, std::intptr_t data) override;
  std::intptr_t ListRowData(int id, int row) const override;
  void ListSetRowCheck(int id, int row, bool checked) override;
  bool ListRowCheck(int id, int row) const override;
  void ListDeleteAllRows(int id) override { Find(id, kList).rows.clear(); }
  void ListSortByDataDescending(int id) override { Find(id, kList).SortRowsByDataDescending(); }

  void TreeSetImages(int id, int bitmapId, int) override { Find(id, kTree).imageBitmap = bitmapId; }
  TreeItem TreeAppend(int id, TreeItem parent, const std::string& text, std::intptr_t data,
                      int image) override;
  TreeItem TreeFirstChild(int id, TreeItem item) const override {
    return Find(id, kTree).FirstChild(item);
  }
  TreeItem TreeNextSibling(int id, TreeItem item) const override {
    return Find(id, kTree).NextSibling(item);
  }
  TreeItem TreeParent(int id, TreeItem item) const override { return Node(id, item).parent; }
  std::string TreeText(int id, TreeItem item) const override { return Node(id, item).text; }
  std::intptr_t TreeData(int id, TreeItem item) const override { return Node(id, item).data; }
  void TreeDeleteAll(int id) override { Find(id, kTree).ClearTree(); }

  void ComboAdd(int id, const std::string& text) override { Find(id, kCombo).ComboAdd(text, true); }
  void ComboSelect(int id, int index) override { Find(id, kCombo).ComboSelect(index); }
  int ComboSelection(int id) const override { return Find(id, kCombo).comboSelection; }
  std::string ComboText(int id, int index) const override {
    return Find(id, kCombo).ComboText(index);
  }

  BoxAnswer ShowMessage(const std::string& text, BoxIcon icon, const std::string& caption) override;
  void BeginWaitCursor() override { ++waitCount_; }
  void EndWaitCursor() override;
  void DispatchWaitingMessages() override {
    if (onDispatch) onDispatch();
  }

  void PostWizardButtons(unsigned flags) override;
  bool HasHelpButton() const override { return true; }
  std::string HelpButtonText() const override;
  void SetHelpButtonText(const std::string& text) override;
  int RunModal(DialogLogic& dialog) override;
  void EndDialog(int result) override;
  bool LoadStringResource(int id, std::string& text) const override;
  bool LoadTextResource(int id, std::string& text) const override;
  void SetDecorations(std::vector<Decoration>) override {}  // nothing is painted

 private:
  struct Control : StoredControl {
    const ControlSpec* spec = nullptr;
  };

  // The control, or (after a failure) an empty stand-in without a spec.
  Control& Find(int id, Kinds kinds) const;
  Control* FindForEvent(int id, Kinds kinds);
  const StoredControl::TreeNode& Node(int id, TreeItem item) const;

  RecordingSheet& sheet_;
  DialogLogic& logic_;
  const DialogSpec* spec_;
  mutable std::map<int, Control> controls_;
  mutable Control missing_;
  std::string caption_;
  int waitCount_ = 0;
  int handlerDepth_ = 0;
  bool ended_ = false;
  int endResult_ = 0;
};

}  // namespace fm::testing
