// Drives a wizard sheet through its windows, from the sheet's own process
// or from another one: buttons are pressed with posted messages (a handler
// may open a message box), texts read with WM_GETTEXT, and every wait is
// bounded.
#pragma once

#include <windows.h>

#include <prsht.h>

#include <string>
#include <vector>

#include "tests/support/wizard_driver.h"

namespace fm::testing {

// The text of a window of any process.
std::string TextOf(HWND window);
// The texts of a dialog's static controls (a message box's text is there).
std::string StaticTextsOf(HWND dialog);
// Waits up to `milliseconds` for a top-level dialog of the process other
// than `except` (the first one of a wizard's process is its sheet); nullptr
// when none came.
HWND WaitForDialog(DWORD processId, HWND except, int milliseconds);

class Win32WizardDriver : public WizardDriver {
 public:
  Win32WizardDriver(HWND sheet, DWORD processId) : sheet_(sheet), processId_(processId) {}

  int ActiveDialogId() override;
  unsigned EnabledButtons() override;
  void Next() override { PressSheetButton(PSBTN_NEXT, false); }
  void Cancel() override { PressSheetButton(PSBTN_CANCEL, true); }
  void Finish() override { PressSheetButton(PSBTN_FINISH, true); }
  bool Closed() override { return !IsWindow(sheet_) || !IsWindowVisible(sheet_); }
  std::string HelpButtonText() override { return TextOf(GetDlgItem(sheet_, IDHELP)); }
  std::string ReadHelp(int textId) override;
  std::string ControlText(int id) override { return TextOf(PageControl(id)); }
  void PressButton(int id) override;
  bool TakeMessageBox(std::string& text, int milliseconds = 60000) override;
  void WaitUntilIdle() override;
  int TreeItemCount(int id) override;
  int ListRowCount(int id) override;
  bool SelectTreeItemAt(int id, const std::vector<int>& path) override;

  // Saves the sheet's window, as the screen shows it, as a 24-bit BMP file.
  bool SaveScreenshot(const std::string& bmpPath);

 private:
  HWND CurrentPage() const;
  HWND PageControl(int id) const { return GetDlgItem(CurrentPage(), id); }
  // Presses a button of the sheet and waits until the page has changed or,
  // for a button that `closes` it, the sheet has closed.
  void PressSheetButton(int button, bool closes);

  HWND sheet_;
  DWORD processId_;
};

}  // namespace fm::testing
