// The page host of the console program: the pages run headless, their
// controls are kept in memory (a page reads back what it wrote), their
// status line and message boxes go to standard error as they happen.
#pragma once

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "ui/stored_controls_host.h"

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

class ConsolePageHost final : public StoredControlsHost {
 public:
  // The host of one page or dialog of this resource id.
  ConsolePageHost(int dialogId, ConsoleOutput& output)
      : StoredControlsHost(dialogId), output_(output) {}

  // How question boxes are answered.
  BoxAnswer questionAnswer = BoxAnswer::Cancel;
  // The wizard buttons the page asked for last (0 before any).
  unsigned WizardButtons() const { return wizardButtons_; }
  // How many message boxes of this kind were shown.
  int BoxCount(BoxIcon icon) const;

  // The status line is shown as it changes.
  void SetText(int id, const std::string& text) override;
  BoxAnswer ShowMessage(const std::string& text, BoxIcon icon, const std::string& caption) override;
  void DispatchWaitingMessages() override {}

  void PostWizardButtons(unsigned flags) override { wizardButtons_ = flags; }
  bool HasHelpButton() const override { return false; }
  std::string HelpButtonText() const override { return {}; }
  void SetHelpButtonText(const std::string&) override {}
  // No dialog opens without a window: answered as cancelled.
  int RunModal(DialogLogic&) override { return 2; }
  void EndDialog(int) override {}

 protected:
  // Controls are made as the page first changes them.
  StoredControl* ControlToChange(int id) override { return &controls_[id]; }
  const StoredControl* ControlToRead(int id) const override;

 private:
  ConsoleOutput& output_;
  std::map<int, StoredControl> controls_;
  std::map<BoxIcon, int> boxCounts_;
  unsigned wizardButtons_ = 0;
};

}  // namespace fm::cli
