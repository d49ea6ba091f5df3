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
#include <string>
#include <vector>

#include "tests/support/recording_host.h"
#include "tests/support/wizard_driver.h"
#include "wizard/wizard.h"

namespace fm::testing {

struct RecordedModal {
  int dialogId;
};

class RecordingSheet : public WizardDriver {
 public:
  // Without a wizard the sheet serves single dialogs and pages.
  explicit RecordingSheet(CWizard* wizard = nullptr) : wizard_(wizard) {}
  ~RecordingSheet() override;

  // Wizard navigation: each fails the test when its button is not enabled.
  void Open();
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

  // A host for one page or dialog outside the wizard's navigation.
  std::unique_ptr<RecordingHost> MakeHost(DialogLogic& logic);

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
  bool ControlEnabled(int id) override { return ActiveHost().IsControlEnabled(id); }
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
  BoxAnswer Answer();
  int RunModal(DialogLogic& dialog);

 private:
  void Activate(int index);
  CAiPropertyPage& Page(int index) const { return *wizard_->Pages()[index]; }

  CWizard* wizard_;
  std::map<int, std::unique_ptr<RecordingHost>> hosts_;
  std::vector<unsigned> posted_;
  unsigned buttons_ = 0;
  int active_ = -1;
  bool closed_ = false;
  size_t takenBoxes_ = 0;
};

}  // namespace fm::testing
