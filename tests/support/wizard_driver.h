// What a wizard scenario does with the wizard, whoever shows it: the
// recording sheet, the real Win32 shell in the test's process, or the real
// fleetmix.exe driven from another process.
#pragma once

#include <string>

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
  virtual void Back() = 0;
  virtual void Cancel() = 0;
  virtual bool Closed() = 0;

  virtual std::string HelpButtonText() = 0;
  // Presses the help button; when a dialog opens, gives its caption and the
  // text of `textId`, closes it with its Close button and returns true.
  virtual bool ReadHelp(int textId, std::string& caption, std::string& text) = 0;
  // The text of a control of the page now shown.
  virtual std::string ControlText(int id) = 0;
};

}  // namespace fm::testing
