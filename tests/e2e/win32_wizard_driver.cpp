#include "tests/e2e/win32_wizard_driver.h"

#include <commctrl.h>
#include <prsht.h>

#include "resources/resource.h"
#include "ui/page_host.h"

namespace fm::testing {
namespace {

constexpr int kBackButton = 0x3023;
constexpr int kNextButton = 0x3024;
constexpr int kFinishButton = 0x3025;
constexpr int kPollMs = 20;
constexpr int kWaitMs = 5000;

struct Search {
  DWORD processId;
  HWND except;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectDialog(HWND window, LPARAM lParam) {
  auto& search = *reinterpret_cast<Search*>(lParam);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  char className[16] = {};
  GetClassNameA(window, className, sizeof className);
  if (owner == search.processId && window != search.except && IsWindowVisible(window) &&
      lstrcmpA(className, "#32770") == 0) {
    search.found.push_back(window);
  }
  return TRUE;
}

bool Shown(HWND window) {
  return window != nullptr && IsWindowVisible(window) && IsWindowEnabled(window);
}

}  // namespace

std::vector<HWND> DialogWindowsOf(DWORD processId, HWND except) {
  Search search{processId, except, {}};
  EnumWindows(&CollectDialog, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string TextOf(HWND window) {
  const auto length = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  const auto got =
      SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(got));
  return text;
}

std::string StaticTextsOf(HWND dialog) {
  std::string texts;
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    char className[16] = {};
    GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "Static") != 0) continue;
    const std::string text = TextOf(child);
    if (text.empty()) continue;
    if (!texts.empty()) texts += '\n';
    texts += text;
  }
  return texts;
}

HWND WaitForDialog(DWORD processId, HWND except, int milliseconds) {
  for (int waited = 0; waited <= milliseconds; waited += kPollMs) {
    auto dialogs = DialogWindowsOf(processId, except);
    if (!dialogs.empty()) return dialogs.front();
    Sleep(kPollMs);
  }
  return nullptr;
}

HWND WaitForSheet(DWORD processId, int milliseconds) {
  for (int waited = 0; waited <= milliseconds; waited += kPollMs) {
    for (HWND dialog : DialogWindowsOf(processId)) {
      if (GetDlgItem(dialog, kNextButton) != nullptr) return dialog;
    }
    Sleep(kPollMs);
  }
  return nullptr;
}

HWND Win32WizardDriver::CurrentPage() const {
  return reinterpret_cast<HWND>(SendMessageA(sheet_, PSM_GETCURRENTPAGEHWND, 0, 0));
}

int Win32WizardDriver::ActiveDialogId() {
  const auto index =
      SendMessageA(sheet_, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(CurrentPage()), 0);
  return index < 0 ? -1 : IDD_WELCOME + static_cast<int>(index);
}

unsigned Win32WizardDriver::EnabledButtons() {
  // The page posts its request; read once the buttons have kept their
  // state for a while.
  auto read = [&] {
    unsigned flags = 0;
    if (Shown(GetDlgItem(sheet_, kBackButton))) flags |= kWizardBack;
    if (Shown(GetDlgItem(sheet_, kNextButton))) flags |= kWizardNext;
    if (Shown(GetDlgItem(sheet_, kFinishButton))) flags |= kWizardFinish;
    return flags;
  };
  unsigned flags = read();
  for (int stable = 0, waited = 0; stable < 200 && waited < kWaitMs; waited += kPollMs) {
    Sleep(kPollMs);
    const unsigned now = read();
    stable = (now == flags) ? stable + kPollMs : 0;
    flags = now;
  }
  return flags;
}

void Win32WizardDriver::PressAndWaitForPageChange(int button) {
  const HWND before = CurrentPage();
  PostMessageA(sheet_, PSM_PRESSBUTTON, button, 0);
  for (int waited = 0; waited < kWaitMs && IsWindow(sheet_) && CurrentPage() == before;
       waited += kPollMs) {
    Sleep(kPollMs);
  }
}

void Win32WizardDriver::Next() { PressAndWaitForPageChange(PSBTN_NEXT); }

void Win32WizardDriver::Back() { PressAndWaitForPageChange(PSBTN_BACK); }

void Win32WizardDriver::Cancel() {
  PostMessageA(sheet_, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
  for (int waited = 0; waited < kWaitMs && IsWindow(sheet_) && IsWindowVisible(sheet_);
       waited += kPollMs) {
    Sleep(kPollMs);
  }
}

bool Win32WizardDriver::Closed() { return !IsWindow(sheet_) || !IsWindowVisible(sheet_); }

std::string Win32WizardDriver::HelpButtonText() { return TextOf(GetDlgItem(sheet_, IDHELP)); }

bool Win32WizardDriver::ReadHelp(int textId, std::string& caption, std::string& text) {
  PostMessageA(GetDlgItem(sheet_, IDHELP), BM_CLICK, 0, 0);
  HWND dialog = WaitForDialog(processId_, sheet_, kWaitMs);
  if (dialog == nullptr) return false;
  caption = TextOf(dialog);
  text = TextOf(GetDlgItem(dialog, textId));
  PostMessageA(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
  for (int waited = 0; waited < kWaitMs && IsWindow(dialog); waited += kPollMs) Sleep(kPollMs);
  return !IsWindow(dialog);
}

std::string Win32WizardDriver::ControlText(int id) { return TextOf(GetDlgItem(CurrentPage(), id)); }

}  // namespace fm::testing
