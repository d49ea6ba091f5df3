// The wizard as a Win32 property sheet: builds the sheet from the dialog
// resources, gives every page and dialog a page host, and forwards the
// notifications of its controls to the page logic by their meaning.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "wizard/wizard.h"

namespace fm::win32 {

class Win32PageHost;

class ShellSheet {
 public:
  ShellSheet(CWizard& wizard, HINSTANCE instance);
  ~ShellSheet();
  ShellSheet(const ShellSheet&) = delete;
  ShellSheet& operator=(const ShellSheet&) = delete;

  // Shows the wizard modally and returns when it closes.
  void Run();

  HWND Window() const { return window_; }
  HINSTANCE Instance() const { return instance_; }
  CWizard& Wizard() const { return wizard_; }

  // Runs a dialog of the logic's resource modally, owned by `owner`.
  int RunModal(DialogLogic& dialog, HWND owner);

  // Called once the sheet's window exists (the tests find it this way).
  std::function<void(HWND)> onCreated;

 private:
  static INT_PTR CALLBACK PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static INT_PTR CALLBACK ModalProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static int CALLBACK SheetCallback(HWND window, UINT message, LPARAM lParam);

  CWizard& wizard_;
  HINSTANCE instance_;
  HWND window_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  std::vector<std::unique_ptr<Win32PageHost>> hosts_;
};

// Forwards one message of a page or dialog window to its logic; true when
// the message was handled. Shared by the page and the modal procedures.
bool ForwardToLogic(Win32PageHost& host, UINT message, WPARAM wParam, LPARAM lParam,
                    INT_PTR& result);

}  // namespace fm::win32
