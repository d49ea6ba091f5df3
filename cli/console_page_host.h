// The page host of the console program: the pages run headless, their
// controls are kept in memory (a page reads back what it wrote), their
// status line and message boxes go to standard error as they happen.
#pragma once

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "ui/page_host.h"
#include "ui/stored_control.h"

namespace fm::cli {

// Standard error as the console program uses it: one progress line that
// redraws itself on a terminal (plain lines elsewhere, only when the text
// changes), and message boxes as lines that start with their kind.
class ConsoleOutput {
 public:
  ConsoleOutput(std::FILE* stream, bool terminal) : stream_(stream), terminal_(terminal) {}

  // A status text of a long operation.
  void Status(const std::string& text);
  // A message box: "error: ", "warning: ", "info: " or "question: " and the
  // text; a question also shows how it was answered.
  void Message(BoxIcon icon, const std::string& text, BoxAnswer answer = BoxAnswer::Ok);
  // A line of the program's own.
  void Line(const std::string& text);
  // Ends a progress line that is still open, so other output starts on a
  // line of its own.
  void EndProgressLine();

 private:
  std::FILE* stream_;
  bool terminal_;
  std::string lastStatus_;
  bool statusOpen_ = false;      // a progress line without its line end
  std::size_t shownLength_ = 0;  // of the progress line on the terminal
};

class ConsolePageHost final : public PageHost {
 public:
  // The host of one page or dialog of this resource id.
  ConsolePageHost(int dialogId, ConsoleOutput& output) : dialogId_(dialogId), output_(output) {}

  // How question boxes are answered.
  BoxAnswer questionAnswer = BoxAnswer::Cancel;
  // The wizard buttons the page asked for last (0 before any).
  unsigned WizardButtons() const { return wizardButtons_; }
  // How many message boxes of this kind were shown.
  int BoxCount(BoxIcon icon) const;

  void SetText(int id, const std::string& text) override;
  std::string GetText(int id) const override;
  void EnableControl(int id, bool enabled) override;
  bool IsControlEnabled(int id) const override;
  void SetCheck(int id, bool checked) override;
  bool IsChecked(int id) const override;
  void SetCaption(const std::string&) override {}
  int ClientWidth() const override { return 475; }

  void ListSetStyle(int, bool, bool) override {}
  int ListClientWidth(int) const override { return 440; }
  int VerticalScrollBarWidth() const override { return 17; }
  void ListAddColumn(int, const std::string&, int) override {}
  int ListAppendRow(int id, const std::vector<std::string>& cells) override;
  int ListRowCount(int id) const override;
  std::string ListCell(int id, int row, int column) const override;
  void ListSetRowData(int id, int row, std::intptr_t data) override;
  std::intptr_t ListRowData(int id, int row) const override;
  void ListSetRowCheck(int id, int row, bool checked) override;
  bool ListRowCheck(int id, int row) const override;
  void ListDeleteAllRows(int id) override;
  void ListSortByDataDescending(int id) override;

  void TreeSetImages(int, int, int) override {}
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

  void BeginWaitCursor() override {}
  void EndWaitCursor() override {}
  void DispatchWaitingMessages() override {}

  void PostWizardButtons(unsigned flags) override { wizardButtons_ = flags; }
  bool HasHelpButton() const override { return false; }
  std::string HelpButtonText() const override { return {}; }
  void SetHelpButtonText(const std::string&) override {}
  // No dialog opens without a window: answered as cancelled.
  int RunModal(DialogLogic&) override { return 2; }
  void EndDialog(int) override {}
  bool LoadStringResource(int, std::string&) const override { return false; }
  bool LoadTextResource(int, std::string&) const override { return false; }
  void SetDecorations(std::vector<Decoration>) override {}

 private:
  const StoredControl* Find(int id) const;
  bool IsSortedCombo(int id) const;

  int dialogId_;
  ConsoleOutput& output_;
  std::map<int, StoredControl> controls_;
  std::map<BoxIcon, int> boxCounts_;
  unsigned wizardButtons_ = 0;
};

}  // namespace fm::cli
