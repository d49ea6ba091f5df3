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

#include "ui/stored_controls_host.h"

namespace fm::testing {

class RecordingSheet;

struct RecordedBox {
  std::string text;
  std::string caption;
  BoxIcon icon;
};

class RecordingHost : public StoredControlsHost {
 public:
  RecordingHost(RecordingSheet& sheet, DialogLogic& logic);

  DialogLogic& Logic() const { return logic_; }
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

  BoxAnswer ShowMessage(const std::string& text, BoxIcon icon, const std::string& caption) override;
  void DispatchWaitingMessages() override {
    if (onDispatch) onDispatch();
  }
  void PostWizardButtons(unsigned flags) override;
  bool HasHelpButton() const override { return true; }
  std::string HelpButtonText() const override;
  void SetHelpButtonText(const std::string& text) override;
  int RunModal(DialogLogic& dialog) override;
  void EndDialog(int result) override { endResult = result; }
  // Only the read-me, of the resources (the pages' help texts are strings).
  bool LoadStringResource(int, std::string&) const override { return false; }
  bool LoadTextResource(int id, std::string& text) const override;

 protected:
  // A control the dialog lacks fails the test and reads as empty and
  // disabled.
  StoredControl* ControlToChange(int id) override { return &Find(id); }
  const StoredControl* ControlToRead(int id) const override { return &Find(id); }

 private:
  // The control, or (after a failure) an empty stand-in.
  StoredControl& Find(int id) const;
  // Runs the handler of a user's event on the control; fails the test when
  // the control is missing or disabled, or another handler runs.
  void Event(int id, const std::function<void(StoredControl&)>& handle);

  RecordingSheet& sheet_;
  DialogLogic& logic_;
  mutable std::map<int, StoredControl> controls_;
  mutable StoredControl missing_;
  int handlerDepth_ = 0;
};

}  // namespace fm::testing
