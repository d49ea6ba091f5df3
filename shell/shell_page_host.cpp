#include "shell/shell_page_host.h"

#include <commctrl.h>
#include <prsht.h>

#include "shell/shell_sheet.h"

namespace fm::win32 {
namespace {

constexpr int kSheetButtons[] = {IDCANCEL, IDHELP, 0x3023 /* Back */, 0x3024 /* Next */,
                                 0x3025 /* Finish */};

std::string WindowText(HWND window) {
  const int length = GetWindowTextLengthA(window);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  const int got = GetWindowTextA(window, text.data(), length + 1);
  text.resize(static_cast<size_t>(got < 0 ? 0 : got));
  return text;
}

// A multi-line edit shows a line break only for CR LF.
std::string WithCrLf(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
    out += text[i];
  }
  return out;
}

UINT BoxIconFlags(BoxIcon icon) {
  switch (icon) {
    case BoxIcon::Error:
      return MB_ICONERROR | MB_OK;
    case BoxIcon::Warning:
      return MB_ICONWARNING | MB_OK;
    case BoxIcon::Information:
      return MB_ICONINFORMATION | MB_OK;
    case BoxIcon::Question:
      return MB_ICONQUESTION | MB_OKCANCEL;
  }
  return MB_OK;
}

int CALLBACK CompareDataDescending(LPARAM a, LPARAM b, LPARAM) {
  if (a == b) return 0;
  return a > b ? -1 : 1;
}

HTREEITEM AsTreeItem(TreeItem item) {
  return item == kTreeRoot ? TVI_ROOT : reinterpret_cast<HTREEITEM>(item);
}

}  // namespace

Win32PageHost::Win32PageHost(ShellSheet& sheet, DialogLogic& logic, HWND window)
    : sheet_(sheet), logic_(logic), window_(window) {}

HWND Win32PageHost::Control(int id) const { return GetDlgItem(window_, id); }

// The window property kBusyProperty marks a page or dialog whose handler
// runs, so that a program driving the wizard from outside can wait for it.
void Win32PageHost::BeginHandler() {
  if (handlerDepth_++ == 0) SetPropA(window_, kBusyProperty, reinterpret_cast<HANDLE>(1));
}

void Win32PageHost::EndHandler() {
  if (--handlerDepth_ > 0) return;
  for (HWND w : lockedWindows_) EnableWindow(w, TRUE);
  lockedWindows_.clear();
  RemovePropA(window_, kBusyProperty);
}

// While a handler dispatches waiting messages, the page's controls and the
// sheet's buttons are disabled, so a click cannot start a second operation
// or close the wizard under the running one.
void Win32PageHost::LockWhileDispatching() {
  if (handlerDepth_ == 0 || !lockedWindows_.empty()) return;
  for (HWND child = GetWindow(window_, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if (IsWindowEnabled(child)) lockedWindows_.push_back(child);
  }
  if (HWND sheet = sheet_.Window(); sheet != nullptr && GetParent(window_) == sheet) {
    for (int id : kSheetButtons) {
      HWND button = GetDlgItem(sheet, id);
      if (button != nullptr && IsWindowEnabled(button)) lockedWindows_.push_back(button);
    }
  }
  for (HWND w : lockedWindows_) EnableWindow(w, FALSE);
}

void Win32PageHost::SetText(int id, const std::string& text) {
  HWND control = Control(id);
  const bool multiLine = (GetWindowLongA(control, GWL_STYLE) & ES_MULTILINE) != 0;
  SetWindowTextA(control, multiLine ? WithCrLf(text).c_str() : text.c_str());
}

std::string Win32PageHost::GetText(int id) const { return WindowText(Control(id)); }

void Win32PageHost::EnableControl(int id, bool enabled) { EnableWindow(Control(id), enabled); }

bool Win32PageHost::IsControlEnabled(int id) const { return IsWindowEnabled(Control(id)) != 0; }

void Win32PageHost::SetCheck(int id, bool checked) {
  SendMessageA(Control(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool Win32PageHost::IsChecked(int id) const {
  return SendMessageA(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32PageHost::SetCaption(const std::string& caption) {
  SetWindowTextA(window_, caption.c_str());
}

int Win32PageHost::ClientWidth() const {
  RECT r;
  GetClientRect(window_, &r);
  return r.right - r.left;
}

void Win32PageHost::ListSetStyle(int id, bool checkBoxes, bool fullRowSelect) {
  DWORD style = 0;
  if (checkBoxes) style |= LVS_EX_CHECKBOXES;
  if (fullRowSelect) style |= LVS_EX_FULLROWSELECT;
  SendMessageA(Control(id), LVM_SETEXTENDEDLISTVIEWSTYLE, style, style);
}

int Win32PageHost::ListClientWidth(int id) const {
  RECT r;
  GetClientRect(Control(id), &r);
  return r.right - r.left;
}

int Win32PageHost::VerticalScrollBarWidth() const { return GetSystemMetrics(SM_CXVSCROLL); }

void Win32PageHost::ListAddColumn(int id, const std::string& heading, int width) {
  HWND list = Control(id);
  HWND headerControl = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
  const int index = static_cast<int>(SendMessageA(headerControl, HDM_GETITEMCOUNT, 0, 0));
  LVCOLUMNA column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
  column.pszText = const_cast<char*>(heading.c_str());
  column.cx = width;
  column.iSubItem = index;
  SendMessageA(list, LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&column));
}

int Win32PageHost::ListAppendRow(int id, const std::vector<std::string>& cells) {
  HWND list = Control(id);
  LVITEMA item{};
  item.mask = LVIF_TEXT;
  item.iItem = ListRowCount(id);
  item.pszText = const_cast<char*>(cells.empty() ? "" : cells[0].c_str());
  const int row =
      static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
  for (size_t column = 1; column < cells.size(); ++column) {
    LVITEMA sub{};
    sub.iSubItem = static_cast<int>(column);
    sub.pszText = const_cast<char*>(cells[column].c_str());
    SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&sub));
  }
  return row;
}

int Win32PageHost::ListRowCount(int id) const {
  return static_cast<int>(SendMessageA(Control(id), LVM_GETITEMCOUNT, 0, 0));
}

std::string Win32PageHost::ListCell(int id, int row, int column) const {
  std::string text(1024, '\0');
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = text.data();
  item.cchTextMax = static_cast<int>(text.size());
  const auto length =
      SendMessageA(Control(id), LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
  text.resize(static_cast<size_t>(length));
  return text;
}

void Win32PageHost::ListSetRowData(int id, int row, std::intptr_t data) {
  LVITEMA item{};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  item.lParam = data;
  SendMessageA(Control(id), LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

std::intptr_t Win32PageHost::ListRowData(int id, int row) const {
  LVITEMA item{};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  SendMessageA(Control(id), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  return item.lParam;
}

void Win32PageHost::ListSetRowCheck(int id, int row, bool checked) {
  LVITEMA item{};
  item.stateMask = LVIS_STATEIMAGEMASK;
  item.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
  SendMessageA(Control(id), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

bool Win32PageHost::ListRowCheck(int id, int row) const {
  const auto state = SendMessageA(Control(id), LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK);
  return ((state & LVIS_STATEIMAGEMASK) >> 12) == 2;
}

void Win32PageHost::ListDeleteAllRows(int id) {
  SendMessageA(Control(id), LVM_DELETEALLITEMS, 0, 0);
}

void Win32PageHost::ListSortByDataDescending(int id) {
  SendMessageA(Control(id), LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(&CompareDataDescending));
}

void Win32PageHost::TreeSetImages(int id, int bitmapId, int imageWidth) {
  HIMAGELIST images =
      ImageList_LoadImageA(sheet_.Instance(), MAKEINTRESOURCEA(bitmapId), imageWidth, 0,
                           RGB(255, 255, 255), IMAGE_BITMAP, LR_CREATEDIBSECTION);
  SendMessageA(Control(id), TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images));
}

TreeItem Win32PageHost::TreeAppend(int id, TreeItem parent, const std::string& text,
                                   std::intptr_t data, int image) {
  TVINSERTSTRUCTA insert{};
  insert.hParent = AsTreeItem(parent);
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  insert.item.pszText = const_cast<char*>(text.c_str());
  insert.item.lParam = data;
  insert.item.iImage = image;
  insert.item.iSelectedImage = image;
  return static_cast<TreeItem>(
      SendMessageA(Control(id), TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

TreeItem Win32PageHost::TreeFirstChild(int id, TreeItem item) const {
  const WPARAM which = item == kTreeRoot ? TVGN_ROOT : TVGN_CHILD;
  return static_cast<TreeItem>(SendMessageA(Control(id), TVM_GETNEXTITEM, which,
                                            item == kTreeRoot ? 0 : static_cast<LPARAM>(item)));
}

TreeItem Win32PageHost::TreeNextSibling(int id, TreeItem item) const {
  return static_cast<TreeItem>(
      SendMessageA(Control(id), TVM_GETNEXTITEM, TVGN_NEXT, static_cast<LPARAM>(item)));
}

TreeItem Win32PageHost::TreeParent(int id, TreeItem item) const {
  return static_cast<TreeItem>(
      SendMessageA(Control(id), TVM_GETNEXTITEM, TVGN_PARENT, static_cast<LPARAM>(item)));
}

std::string Win32PageHost::TreeText(int id, TreeItem item) const {
  std::string text(1024, '\0');
  TVITEMA tv{};
  tv.mask = TVIF_TEXT;
  tv.hItem = reinterpret_cast<HTREEITEM>(item);
  tv.pszText = text.data();
  tv.cchTextMax = static_cast<int>(text.size());
  SendMessageA(Control(id), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
  text.resize(strlen(text.c_str()));
  return text;
}

std::intptr_t Win32PageHost::TreeData(int id, TreeItem item) const {
  TVITEMA tv{};
  tv.mask = TVIF_PARAM;
  tv.hItem = reinterpret_cast<HTREEITEM>(item);
  SendMessageA(Control(id), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
  return tv.lParam;
}

void Win32PageHost::TreeDeleteAll(int id) {
  SendMessageA(Control(id), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
}

void Win32PageHost::ComboAdd(int id, const std::string& text) {
  SendMessageA(Control(id), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void Win32PageHost::ComboSelect(int id, int index) {
  SendMessageA(Control(id), CB_SETCURSEL, index, 0);
}

int Win32PageHost::ComboSelection(int id) const {
  return static_cast<int>(SendMessageA(Control(id), CB_GETCURSEL, 0, 0));
}

std::string Win32PageHost::ComboText(int id, int index) const {
  const auto length = SendMessageA(Control(id), CB_GETLBTEXTLEN, index, 0);
  if (length == CB_ERR) return {};
  std::string text(static_cast<size_t>(length) + 1, '\0');
  SendMessageA(Control(id), CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(length));
  return text;
}

BoxAnswer Win32PageHost::ShowMessage(const std::string& text, BoxIcon icon,
                                     const std::string& caption) {
  const int answer = MessageBoxA(window_, text.c_str(), caption.c_str(), BoxIconFlags(icon));
  return answer == IDCANCEL ? BoxAnswer::Cancel : BoxAnswer::Ok;
}

void Win32PageHost::BeginWaitCursor() {
  ++waitCount_;
  SetCursor(LoadCursorA(nullptr, IDC_WAIT));
}

void Win32PageHost::EndWaitCursor() {
  if (waitCount_ > 0) --waitCount_;
  if (waitCount_ == 0) SetCursor(LoadCursorA(nullptr, IDC_ARROW));
}

void Win32PageHost::DispatchWaitingMessages() {
  LockWhileDispatching();
  MSG message;
  while (PeekMessageA(&message, window_, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  if (waitCount_ > 0) SetCursor(LoadCursorA(nullptr, IDC_WAIT));
}

void Win32PageHost::PostWizardButtons(unsigned flags) {
  PostMessageA(GetParent(window_), PSM_SETWIZBUTTONS, 0, static_cast<LPARAM>(flags));
}

bool Win32PageHost::HasHelpButton() const {
  return sheet_.Window() != nullptr && GetDlgItem(sheet_.Window(), IDHELP) != nullptr;
}

std::string Win32PageHost::HelpButtonText() const {
  return WindowText(GetDlgItem(sheet_.Window(), IDHELP));
}

void Win32PageHost::SetHelpButtonText(const std::string& text) {
  SetWindowTextA(GetDlgItem(sheet_.Window(), IDHELP), text.c_str());
}

int Win32PageHost::RunModal(DialogLogic& dialog) { return sheet_.RunModal(dialog, window_); }

void Win32PageHost::EndDialog(int result) {
  ended_ = true;
  ::EndDialog(window_, result);
}

bool Win32PageHost::LoadStringResource(int id, std::string& text) const {
  char buffer[4097];  // a string resource holds at most 4096 characters
  const int length = LoadStringA(sheet_.Instance(), static_cast<UINT>(id), buffer, sizeof buffer);
  if (length <= 0) return false;
  text.assign(buffer, static_cast<size_t>(length));
  return true;
}

bool Win32PageHost::LoadTextResource(int id, std::string& text) const {
  HRSRC found = FindResourceA(sheet_.Instance(), MAKEINTRESOURCEA(id), "TEXT");
  if (found == nullptr) return false;
  HGLOBAL loaded = LoadResource(sheet_.Instance(), found);
  const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (bytes == nullptr) return false;
  text.assign(static_cast<const char*>(bytes), SizeofResource(sheet_.Instance(), found));
  return true;
}

void Win32PageHost::SetDecorations(std::vector<Decoration> decorations) {
  decorations_ = std::move(decorations);
  InvalidateRect(window_, nullptr, TRUE);
}

}  // namespace fm::win32
