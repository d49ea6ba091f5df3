// What a wizard scenario does with the wizard, whoever shows it: the
// recording sheet, the real Win32 shell in the test's process, or the real
// fleetmix.exe driven from another process.
#pragma once

#include <string>
#include <vector>

namespace fm::testing {

class WizardDriver {
 public:
  virtual ~WizardDriver() = default;

  // The dialog resource id of the page now shown.
  virtual int ActiveDialogId() = 0;
  // The wizard buttons enabled now (kWizardBack, kWizardNext, kWizardFinish),
  // once the requests the page posted have taken effect.
  virtual unsigned EnabledButtons() = 0;
  virtual void Next() = 0;
  virtual void Cancel() = 0;
  // Presses Finish and waits until the wizard has closed.
  virtual void Finish() = 0;
  virtual bool Closed() = 0;

  virtual std::string HelpButtonText() = 0;
  // Presses the help button; when a dialog opens, gives the text of its
  // control `textId` and closes it ("" when none opened).
  virtual std::string ReadHelp(int textId) = 0;
  // The text of a control of the page now shown.
  virtual std::string ControlText(int id) = 0;

  // Presses a button of the page now shown, as a user clicks it; the
  // handler may still run (and show boxes) afterwards.
  virtual void PressButton(int id) = 0;
  // The next message box the program shows, waiting up to `milliseconds`
  // for it: its text, then it is answered with OK. False when none came.
  virtual bool TakeMessageBox(std::string& text, int milliseconds = 60000) = 0;
  // Waits until the handler of the last press has ended.
  virtual void WaitUntilIdle() = 0;

  // The number of items of a tree control, and of rows of a list control,
  // of the page now shown.
  virtual int TreeItemCount(int id) = 0;
  virtual int ListRowCount(int id) = 0;
  // Selects the tree item reached from the root by these places among its
  // siblings; false when there is none.
  virtual bool SelectTreeItemAt(int id, const std::vector<int>& path) = 0;
};

}  // namespace fm::testing
