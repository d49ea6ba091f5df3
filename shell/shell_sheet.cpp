#include "shell/shell_sheet.h"

#include <commctrl.h>
#include <prsht.h>

#include <string>

#include "shell/shell_page_host.h"
#include "shell/shell_picture.h"
#include "resources/resource.h"
#include "ui/dialog_specs.h"

namespace fm::win32 {
namespace {

// The sheet whose window is being created on this thread.
thread_local ShellSheet* creatingSheet = nullptr;

struct PageContext {
  ShellSheet* sheet;
  CAiPropertyPage* page;
};

struct ModalContext {
  ShellSheet* sheet;
  DialogLogic* logic;
  std::unique_ptr<Win32PageHost> host;
};

Win32PageHost* HostOf(HWND window) {
  return reinterpret_cast<Win32PageHost*>(GetWindowLongPtrA(window, DWLP_USER));
}

// Draws the page's decorations: pictures first, then the texts over them.
void PaintDecorations(Win32PageHost& host, HDC dc) {
  for (const Decoration& d : host.Decorations()) {
    RECT box{d.left, d.top, d.right, d.bottom};
    if (d.kind == Decoration::Kind::Picture) {
      DrawResourcePicture(dc, GetModuleHandleA(nullptr), d.resourceId, box);
      continue;
    }
    HFONT font = CreateFontA(-d.fontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                             DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, d.fontFace.c_str());
    HGDIOBJ old = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    DrawTextA(dc, d.text.c_str(), -1, &box, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, old);
    DeleteObject(font);
  }
}

// The list row under the mouse cursor, or -1.
int RowUnderCursor(HWND list) {
  LVHITTESTINFO hit{};
  GetCursorPos(&hit.pt);
  ScreenToClient(list, &hit.pt);
  return static_cast<int>(
      SendMessageA(list, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
}

unsigned CheckIndex(UINT state) { return (state & LVIS_STATEIMAGEMASK) >> 12; }

// Runs one handler of the logic with the host's handler bracket.
template <typename Handler>
void RunHandler(Win32PageHost& host, Handler handler) {
  host.BeginHandler();
  handler();
  host.EndHandler();
}

bool ForwardNotify(Win32PageHost& host, const NMHDR& header, INT_PTR& result) {
  DialogLogic& logic = host.Logic();
  const int id = static_cast<int>(header.idFrom);
  switch (header.code) {
    case LVN_ITEMCHANGED: {
      const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
      if ((change.uChanged & LVIF_STATE) == 0) return false;
      RunHandler(host, [&] {
        logic.OnRowStateChanged(id, change.iItem, CheckIndex(change.uOldState),
                                CheckIndex(change.uNewState));
      });
      return true;
    }
    case NM_DBLCLK: {
      char className[32] = {};
      GetClassNameA(header.hwndFrom, className, sizeof className);
      if (lstrcmpiA(className, WC_LISTVIEWA) != 0) return false;
      const int row = RowUnderCursor(header.hwndFrom);
      RunHandler(host, [&] { logic.OnRowDoubleClicked(id, row); });
      return true;
    }
    case TVN_SELCHANGEDA: {
      const auto& change = reinterpret_cast<const NMTREEVIEWA&>(header);
      const auto item = reinterpret_cast<TreeItem>(change.itemNew.hItem);
      RunHandler(host, [&] { logic.OnTreeSelectionChanged(id, item); });
      return true;
    }
    default:
      break;
  }
  (void)result;
  return false;
}

// A page with decorations shows its labels over them. The sheet paints the
// pages without a header white (it subclasses them after their creation), so
// the page's own answer goes in front of the sheet's.
LRESULT CALLBACK DecoratedPageSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR, DWORD_PTR) {
  switch (message) {
    case WM_CTLCOLORSTATIC:
      SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      SetTextColor(reinterpret_cast<HDC>(wParam), RGB(255, 255, 255));
      return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(window, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client,
               reinterpret_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
      return TRUE;
    }
    default:
      return DefSubclassProc(window, message, wParam, lParam);
  }
}

void ShowDecorationsInFront(Win32PageHost& host) {
  if (host.Decorations().empty()) return;
  SetWindowSubclass(host.Window(), &DecoratedPageSubclass, 1, 0);  // once: same id
}

bool ForwardSheetNotify(Win32PageHost& host, CAiPropertyPage& page, CWizard& wizard,
                        const NMHDR& header, INT_PTR& result) {
  switch (header.code) {
    case PSN_SETACTIVE:
      ShowDecorationsInFront(host);
      RunHandler(host, [&] { page.OnSetActive(); });
      result = 0;
      return true;
    case PSN_WIZNEXT: {
      bool goOn = true;
      RunHandler(host, [&] { goOn = page.OnWizardNext(); });
      result = goOn ? 0 : -1;
      return true;
    }
    case PSN_HELP:
      RunHandler(host, [&] { wizard.OnHelp(page); });
      result = 0;
      return true;
    default:
      return false;
  }
}

}  // namespace

bool ForwardToLogic(Win32PageHost& host, UINT message, WPARAM wParam, LPARAM lParam,
                    INT_PTR& result) {
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wParam) != BN_CLICKED) return false;
      if (host.InHandler()) return true;  // nothing re-enters a running handler
      RunHandler(host, [&] { host.Logic().OnButton(LOWORD(wParam)); });
      return true;
    case WM_NOTIFY:
      if (host.InHandler()) return false;
      return ForwardNotify(host, *reinterpret_cast<const NMHDR*>(lParam), result);
    case WM_SETCURSOR:
      if (!host.IsWaiting()) return false;
      SetCursor(LoadCursorA(nullptr, IDC_WAIT));
      result = TRUE;
      return true;
    case WM_PAINT: {
      if (host.Decorations().empty()) return false;
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(host.Window(), &paint);
      PaintDecorations(host, dc);
      EndPaint(host.Window(), &paint);
      return true;
    }
    case WM_CTLCOLORSTATIC:
      // Texts over a painted page are white and let the picture show through.
      if (host.Decorations().empty()) return false;
      SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      SetTextColor(reinterpret_cast<HDC>(wParam), RGB(255, 255, 255));
      result = reinterpret_cast<INT_PTR>(GetStockObject(NULL_BRUSH));
      return true;
    default:
      return false;
  }
}

ShellSheet::ShellSheet(CWizard& wizard, HINSTANCE instance)
    : wizard_(wizard), instance_(instance) {}

ShellSheet::~ShellSheet() {
  if (bitmap_ != nullptr) DeleteObject(bitmap_);
}

int CALLBACK ShellSheet::SheetCallback(HWND window, UINT message, LPARAM) {
  if (message == PSCB_INITIALIZED && creatingSheet != nullptr) {
    creatingSheet->window_ = window;
    if (creatingSheet->onCreated) creatingSheet->onCreated(window);
  }
  return 0;
}

void ShellSheet::Run() {
  bitmap_ = LoadBitmapA(instance_, MAKEINTRESOURCEA(IDB_WIZARD));

  char caption[256] = {};
  LoadStringA(instance_, IDS_WIZARD_CAPTION, caption, sizeof caption);

  std::vector<PageContext> contexts;
  std::vector<std::string> titles;
  contexts.reserve(CWizard::kPageCount);
  titles.reserve(CWizard::kPageCount);
  std::vector<PROPSHEETPAGEA> pages(CWizard::kPageCount);
  for (int i = 0; i < CWizard::kPageCount; ++i) {
    CAiPropertyPage* page = wizard_.Pages()[i];
    contexts.push_back({this, page});
    titles.emplace_back(FindDialogSpec(page->DialogId())->caption);
    PROPSHEETPAGEA& p = pages[i];
    p.dwSize = sizeof p;
    p.dwFlags = PSP_HASHELP;
    p.dwFlags |= (i == 0) ? PSP_HIDEHEADER : PSP_USEHEADERTITLE;
    p.hInstance = instance_;
    p.pszTemplate = MAKEINTRESOURCEA(page->DialogId());
    p.pfnDlgProc = &ShellSheet::PageProc;
    p.lParam = reinterpret_cast<LPARAM>(&contexts.back());
    p.pszHeaderTitle = titles.back().c_str();
  }

  PROPSHEETHEADERA header{};
  header.dwSize = sizeof header;
  header.dwFlags = PSH_PROPSHEETPAGE | PSH_WIZARD97 | PSH_HEADER | PSH_WATERMARK | PSH_USEHICON |
                   PSH_HASHELP | PSH_USEHBMHEADER | PSH_USEHBMWATERMARK | PSH_USECALLBACK;
  header.hwndParent = nullptr;
  header.hInstance = instance_;
  header.hIcon = LoadIconA(instance_, MAKEINTRESOURCEA(IDR_MAINFRAME));
  header.pszCaption = caption;
  header.nPages = CWizard::kPageCount;
  header.ppsp = pages.data();
  header.hbmWatermark = bitmap_;
  header.hbmHeader = bitmap_;
  header.pfnCallback = &ShellSheet::SheetCallback;

  creatingSheet = this;
  PropertySheetA(&header);
  creatingSheet = nullptr;
  window_ = nullptr;
  hosts_.clear();
}

INT_PTR CALLBACK ShellSheet::PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* context =
        reinterpret_cast<PageContext*>(reinterpret_cast<const PROPSHEETPAGEA*>(lParam)->lParam);
    auto host = std::make_unique<Win32PageHost>(*context->sheet, *context->page, window);
    SetWindowLongPtrA(window, DWLP_USER, reinterpret_cast<LONG_PTR>(host.get()));
    context->page->AttachHost(host.get());
    Win32PageHost& h = *host;
    context->sheet->hosts_.push_back(std::move(host));
    RunHandler(h, [&] { context->page->OnInitDialog(); });
    return TRUE;
  }
  Win32PageHost* host = HostOf(window);
  if (host == nullptr) return FALSE;

  INT_PTR result = 0;
  bool handled = false;
  if (message == WM_NOTIFY) {
    const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
    if (header.hwndFrom == GetParent(window)) {
      auto& page = static_cast<CAiPropertyPage&>(host->Logic());
      handled = ForwardSheetNotify(*host, page, host->Sheet().Wizard(), header, result);
      if (handled) {
        SetWindowLongPtrA(window, DWLP_MSGRESULT, result);
        return TRUE;
      }
    }
  }
  handled = ForwardToLogic(*host, message, wParam, lParam, result);
  if (!handled) return FALSE;
  if (message == WM_CTLCOLORSTATIC || message == WM_SETCURSOR) return result;
  SetWindowLongPtrA(window, DWLP_MSGRESULT, result);
  return TRUE;
}

int ShellSheet::RunModal(DialogLogic& dialog, HWND owner) {
  ModalContext context{this, &dialog, nullptr};
  const INT_PTR result =
      DialogBoxParamA(instance_, MAKEINTRESOURCEA(dialog.DialogId()), owner, &ShellSheet::ModalProc,
                      reinterpret_cast<LPARAM>(&context));
  dialog.AttachHost(nullptr);
  return static_cast<int>(result);
}

INT_PTR CALLBACK ShellSheet::ModalProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* context = reinterpret_cast<ModalContext*>(lParam);
    context->host = std::make_unique<Win32PageHost>(*context->sheet, *context->logic, window);
    SetWindowLongPtrA(window, DWLP_USER, reinterpret_cast<LONG_PTR>(context->host.get()));
    context->logic->AttachHost(context->host.get());
    Win32PageHost& h = *context->host;
    RunHandler(h, [&] { context->logic->OnInitDialog(); });
    return TRUE;
  }
  Win32PageHost* host = HostOf(window);
  if (host == nullptr) return FALSE;

  INT_PTR result = 0;
  if (!ForwardToLogic(*host, message, wParam, lParam, result)) return FALSE;
  // The Escape key and the close box end a dialog that did not end itself.
  if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL && IsWindow(window) && !host->Ended()) {
    ::EndDialog(window, IDCANCEL);
  }
  if (message == WM_CTLCOLORSTATIC || message == WM_SETCURSOR) return result;
  SetWindowLongPtrA(window, DWLP_MSGRESULT, result);
  return TRUE;
}

}  // namespace fm::win32
