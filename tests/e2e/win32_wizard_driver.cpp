#include "tests/e2e/win32_wizard_driver.h"

#include <commctrl.h>

#include <cstring>
#include <functional>

#include "platform/file_text.h"
#include "resources/resource.h"
#include "shell/shell_page_host.h"
#include "ui/page_host.h"

namespace fm::testing {
namespace {

constexpr int kPollMs = 20;
constexpr int kWaitMs = 5000;

// Asks `done` every few milliseconds until it says yes or the time is up.
bool WaitFor(int milliseconds, const std::function<bool()>& done) {
  for (int waited = 0; waited <= milliseconds; waited += kPollMs) {
    if (done()) return true;
    Sleep(kPollMs);
  }
  return false;
}

HTREEITEM TreeNext(HWND tree, HTREEITEM item, WPARAM relation) {
  return reinterpret_cast<HTREEITEM>(
      SendMessageA(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

}  // namespace

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
  for (HWND child = FindWindowExA(dialog, nullptr, "Static", nullptr); child != nullptr;
       child = FindWindowExA(dialog, child, "Static", nullptr)) {
    const std::string text = TextOf(child);
    if (!text.empty()) texts += (texts.empty() ? "" : "\n") + text;
  }
  return texts;
}

HWND WaitForDialog(DWORD processId, HWND except, int milliseconds) {
  HWND dialog = nullptr;
  WaitFor(milliseconds, [&] {
    for (HWND window = FindWindowExA(nullptr, nullptr, "#32770", nullptr); window != nullptr;
         window = FindWindowExA(nullptr, window, "#32770", nullptr)) {
      DWORD owner = 0;
      GetWindowThreadProcessId(window, &owner);
      if (owner == processId && window != except && IsWindowVisible(window)) dialog = window;
    }
    return dialog != nullptr;
  });
  return dialog;
}

HWND Win32WizardDriver::CurrentPage() const {
  return reinterpret_cast<HWND>(SendMessageA(sheet_, PSM_GETCURRENTPAGEHWND, 0, 0));
}

int Win32WizardDriver::ActiveDialogId() {
  // The pages are numbered as their dialogs (no page gives no page's id).
  const WPARAM page = reinterpret_cast<WPARAM>(CurrentPage());
  return IDD_WELCOME + static_cast<int>(SendMessageA(sheet_, PSM_HWNDTOINDEX, page, 0));
}

unsigned Win32WizardDriver::EnabledButtons() {
  // The page posts its request; read once the buttons (Back, Next, Finish)
  // have kept their state for a while.
  unsigned flags = ~0u;
  int stable = 0;
  WaitFor(kWaitMs, [&] {
    unsigned now = 0;
    const std::pair<int, unsigned> buttons[] = {
        {0x3023, kWizardBack}, {0x3024, kWizardNext}, {0x3025, kWizardFinish}};
    for (auto [id, flag] : buttons) {
      HWND button = GetDlgItem(sheet_, id);
      if (button && IsWindowVisible(button) && IsWindowEnabled(button)) now |= flag;
    }
    stable = (now == flags) ? stable + kPollMs : 0;
    flags = now;
    return stable >= 200;
  });
  return flags;
}

void Win32WizardDriver::PressSheetButton(int button, bool closes) {
  const HWND before = CurrentPage();
  PostMessageA(sheet_, PSM_PRESSBUTTON, button, 0);
  WaitFor(kWaitMs, [&] { return Closed() || (!closes && CurrentPage() != before); });
}

std::string Win32WizardDriver::ReadHelp(int textId) {
  PostMessageA(GetDlgItem(sheet_, IDHELP), BM_CLICK, 0, 0);
  HWND dialog = WaitForDialog(processId_, sheet_, kWaitMs);
  if (dialog == nullptr) return {};
  const std::string text = TextOf(GetDlgItem(dialog, textId));
  PostMessageA(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
  WaitFor(kWaitMs, [&] { return !IsWindow(dialog); });
  return text;
}

void Win32WizardDriver::PressButton(int id) {
  // Sent, not posted: a thread takes sent messages in the order they came
  // and before its posted ones, so a posted click could be overtaken by the
  // idle check that follows and the check would see the page before the
  // click. The wait ends when the handler returns or after 200 ms (a
  // handler that opens a box waits for its answer).
  DWORD_PTR ignored;
  SendMessageTimeoutA(PageControl(id), BM_CLICK, 0, 0, SMTO_NORMAL, 200, &ignored);
}

bool Win32WizardDriver::TakeMessageBox(std::string& text, int milliseconds) {
  HWND box = WaitForDialog(processId_, sheet_, milliseconds);
  if (box == nullptr) return false;
  text = StaticTextsOf(box);
  PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
  WaitFor(kWaitMs, [&] { return !IsWindow(box); });
  return true;
}

void Win32WizardDriver::WaitUntilIdle() {
  WaitFor(60000, [&] {
    DWORD_PTR ignored;
    return SendMessageTimeoutA(sheet_, WM_NULL, 0, 0, SMTO_NORMAL, kPollMs, &ignored) != 0 &&
           !GetPropA(CurrentPage(), win32::kBusyProperty);
  });
}

int Win32WizardDriver::TreeItemCount(int id) {
  return static_cast<int>(SendMessageA(PageControl(id), TVM_GETCOUNT, 0, 0));
}

int Win32WizardDriver::ListRowCount(int id) {
  return static_cast<int>(SendMessageA(PageControl(id), LVM_GETITEMCOUNT, 0, 0));
}

bool Win32WizardDriver::SelectTreeItemAt(int id, const std::vector<int>& path) {
  HWND tree = PageControl(id);
  HTREEITEM item = nullptr;
  for (int place : path) {
    item = TreeNext(tree, item, item == nullptr ? TVGN_ROOT : TVGN_CHILD);
    for (int i = 0; i < place && item != nullptr; ++i) item = TreeNext(tree, item, TVGN_NEXT);
    if (item == nullptr) return false;
  }
  PostMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
  // A message sent to the sheet may be answered before the posted selection
  // is taken from the queue: wait until the tree has selected the item (its
  // handler has then run, or still runs and marks the page busy).
  WaitFor(kWaitMs, [&] { return TreeNext(tree, nullptr, TVGN_CARET) == item; });
  WaitUntilIdle();
  return true;
}

bool Win32WizardDriver::SaveScreenshot(const std::string& bmpPath) {
  RECT r;
  if (!GetWindowRect(sheet_, &r)) return false;
  const int width = r.right - r.left, height = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
  SelectObject(memory, old);
  // A 24-bit BMP file: the file header, the bitmap header, the rows.
  BITMAPINFOHEADER info{sizeof info, width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  const DWORD offset = sizeof(BITMAPFILEHEADER) + sizeof info;
  std::string bytes(offset + ((width * 3 + 3) / 4) * 4 * static_cast<size_t>(height), '\0');
  GetDIBits(memory, bitmap, 0, height, bytes.data() + offset, reinterpret_cast<BITMAPINFO*>(&info),
            DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  const BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(bytes.size()), 0, 0, offset};
  std::memcpy(bytes.data(), &file, sizeof file);
  std::memcpy(bytes.data() + sizeof file, &info, sizeof info);
  return WriteFileBytes(bmpPath, bytes);
}

}  // namespace fm::testing
