// A page host without a window, for tests: it keeps every control of the
// page's dialog in memory, refuses controls the dialog does not have, records
// message boxes and modal dialogs, and fails a test whose events enter a
// handler while another one runs.
#pragma once

#include <deque>
#include <functional>
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
 public:
  RecordingHost(RecordingSheet& sheet, DialogLogic& logic);
  ~RecordingHost() override;

  DialogLogic& Logic() const { return logic_; }
  const DialogSpec& Spec() const { return *spec_; }
  bool Ended() const { return ended_; }
  int EndResult() const { return endResult_; }
  const std::string& Caption() const { return caption_; }
  const std::vector<Decoration>& Decorations() const { return decorations_; }
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
  std::vector<std::string> ListColumns(int id) const;
  std::vector<int> ListColumnWidths(int id) const;
  bool ListHasCheckBoxes(int id) const;
  bool ListHasFullRowSelect(int id) const;
  int TreeImage(int id, TreeItem item) const;

  // PageHost
  void SetText(int id, const std::string& text) override;
  std::string GetText(int id) const override;
  void EnableControl(int id, bool enabled) override;
  bool IsControlEnabled(int id) const override;
  void SetCheck(int id, bool checked) override;
  bool IsChecked(int id) const override;
  void SetCaption(const std::string& caption) override;
  int ClientWidth() const override { return 475; }

  void ListSetStyle(int id, bool checkBoxes, bool fullRowSelect) override;
  int ListClientWidth(int id) const override;
  int VerticalScrollBarWidth() const override { return 17; }
  void ListAddColumn(int id, const std::string& heading, int width) override;
  int ListAppendRow(int id, const std::vector<std::string>& cells) override;
  int ListRowCount(int id) const override;
  std::string ListCell(int id, int row, int column) const override;
  void ListSetRowData(int id, int row, std::intptr_t data) override;
  std::intptr_t ListRowData(int id, int row) const override;
  void ListSetRowCheck(int id, int row, bool checked) override;
  bool ListRowCheck(int id, int row) const override;
  void ListDeleteAllRows(int id) override;
  void ListSortByDataDescending(int id) override;

  void TreeSetImages(int id, int bitmapId, int imageWidth) override;
  TreeItem TreeAppend(int id, TreeItem parent, const std::string& text, std::intptr_t data,
                      int image) override;
  TreeItem TreeFirstChild(int id, TreeItem item) const override;
  TreeItem TreeNextSibling(int id, TreeItem item) const override;
  TreeItem TreeParent(int id, TreeItem item) const override;
  std::string TreeText(int id, TreeItem item) const override;
  std::intptr_t TreeData(int id, TreeItem item) const override;
  void TreeDeleteAll(int id) override;

  void ComboAdd(int id, const std::string& text) override;
  void ComboSelect(int id, int index) override;
  int ComboSelection(int id) const override;
  std::string ComboText(int id, int index) const override;

  BoxAnswer ShowMessage(const std::string& text, BoxIcon icon, const std::string& caption) override;
  void BeginWaitCursor() override { ++waitCount_; }
  void EndWaitCursor() override;
  void DispatchWaitingMessages() override;

  void PostWizardButtons(unsigned flags) override;
  bool HasHelpButton() const override;
  std::string HelpButtonText() const override;
  void SetHelpButtonText(const std::string& text) override;
  int RunModal(DialogLogic& dialog) override;
  void EndDialog(int result) override;
  bool LoadStringResource(int id, std::string& text) const override;
  bool LoadTextResource(int id, std::string& text) const override;
  void SetDecorations(std::vector<Decoration> decorations) override;

 private:
  struct Control : StoredControl {
    const ControlSpec* spec = nullptr;
  };

  Control* Find(int id, std::initializer_list<ControlKind> kinds) const;
  Control* FindForEvent(int id, std::initializer_list<ControlKind> kinds);

  RecordingSheet& sheet_;
  DialogLogic& logic_;
  const DialogSpec* spec_;
  mutable std::map<int, Control> controls_;
  std::string caption_;
  std::vector<Decoration> decorations_;
  int waitCount_ = 0;
  int handlerDepth_ = 0;
  bool ended_ = false;
  int endResult_ = 0;
};

}  // namespace fm::testing
