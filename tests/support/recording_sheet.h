// A property sheet without a window, for tests: it runs the wizard's pages
// through recording hosts, creates each page's host on its first activation
// as the platform does, applies posted wizard-button requests after the
// handler that posted them, and records message boxes and modal dialogs.
// With a wizard it is also the wizard driver of the scenarios: a pressed
// button's handler runs to its end inside the press, its boxes recorded.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/wizard_driver.h"
#include "ui/stored_controls_host.h"
#include "wizard/wizard.h"

namespace fm::testing {

class RecordingSheet;

struct RecordedBox {
  std::string text;
  std::string caption;
  BoxIcon icon;
};

// A page host without a window, for tests: it keeps every control of the
// page's dialog in memory, refuses controls the dialog does not have, records
// message boxes and modal dialogs, and fails a test whose events enter a
// handler while another one runs.
class RecordingHost : public StoredControlsHost {
 public:
  // Attached to the logic for its lifetime.
  RecordingHost(RecordingSheet& sheet, DialogLogic& logic);
  ~RecordingHost() override { logic_.AttachHost(nullptr); }

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
  // Of the resources only the read-me (the pages' help texts are strings).
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

struct RecordedModal {
  int dialogId;
};

class RecordingSheet : public WizardDriver {
 public:
  // Without a wizard the sheet serves single dialogs and pages.
  explicit RecordingSheet(CWizard* wizard = nullptr) : wizard_(wizard) {}

  // Wizard navigation: each fails the test when its button is not enabled.
  void Next() override;
  void Back();
  void Finish() override;
  void Cancel() override { closed_ = true; }
  bool Closed() override { return closed_; }
  RecordingHost& ActiveHost() { return HostOf(active_); }
  RecordingHost& HostOf(int pageIndex);
  // The wizard buttons now enabled (kWizardBack, kWizardNext, kWizardFinish).
  unsigned Buttons() const { return buttons_; }
  std::vector<unsigned> buttonRequests;  // every request, in order

  std::string helpButtonText = "Help";

  std::vector<RecordedBox> boxes;
  std::deque<BoxAnswer> answers;  // for the next boxes; Ok when empty
  std::vector<RecordedModal> modals;
  std::function<void(RecordingHost&)> onModal;  // runs while a modal is open

  // WizardDriver, on the page now shown.
  int ActiveDialogId() override { return Page(active_).DialogId(); }
  unsigned EnabledButtons() override { return buttons_; }
  std::string HelpButtonText() override { return helpButtonText; }
  std::string ReadHelp(int textId) override;
  std::string ControlText(int id) override { return ActiveHost().GetText(id); }
  void PressButton(int id) override { ActiveHost().Press(id); }
  bool TakeMessageBox(std::string& text, int milliseconds = 60000) override;
  void WaitUntilIdle() override {}
  int TreeItemCount(int id) override { return static_cast<int>(TreeLines(id).size()); }
  int ListRowCount(int id) override { return ActiveHost().ListRowCount(id); }
  bool SelectTreeItemAt(int id, const std::vector<int>& path) override;

  // A tree control of the page now shown, one line per item, depth-first,
  // each indented by two blanks per level below the root.
  std::vector<std::string> TreeLines(int id);
  // Selects the item reached from the root by these texts; false when
  // there is none.
  bool SelectTreePath(int id, const std::vector<std::string>& path);
  // The rows of a list control of the page now shown, each its cells.
  std::vector<std::vector<std::string>> ListRows(int id);
  // Checks or unchecks the row's check box as a click on it does.
  void SetListRowChecked(int id, int row, bool checked);

  // Used by the hosts.
  void Post(unsigned flags) { posted_.push_back(flags); }
  void ApplyPosted();
  int RunModal(DialogLogic& dialog);

 protected:
  void Activate(int index);

 private:
  CAiPropertyPage& Page(int index) const { return *wizard_->Pages()[index]; }

  CWizard* wizard_;
  std::map<int, std::unique_ptr<RecordingHost>> hosts_;
  std::vector<unsigned> posted_;
  unsigned buttons_ = 0;
  int active_ = -1;
  bool closed_ = false;
  size_t takenBoxes_ = 0;
};

// The wizard driver over the recording sheet, opened on the first page.
class RecordingWizardDriver : public RecordingSheet {
 public:
  explicit RecordingWizardDriver(CWizard& wizard) : RecordingSheet(&wizard) { Activate(0); }

  RecordingSheet& Sheet() { return *this; }
};

}  // namespace fm::testing
