// What a page or dialog may ask of its window. Each page and each dialog
// has its own host, addressed by the resource ids of its own dialog. The
// Win32 shell implements it over real controls, the recording host of the
// tests without a window.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/os_interface.h"
#include "services/system_services.h"

namespace fm {

class DialogLogic;

// The wizard-button flags a page requests from its sheet.
enum WizardButton : unsigned {
  kWizardBack = 1,
  kWizardNext = 2,
  kWizardFinish = 4,
  kWizardDisabledFinish = 8,
};

using TreeItem = std::uintptr_t;
inline constexpr TreeItem kTreeRoot = 0;

// State-image values of a list row's check box, as the list reports them.
inline constexpr unsigned kRowCheckNone = 0;
inline constexpr unsigned kRowUnchecked = 1;
inline constexpr unsigned kRowChecked = 2;

// Something the host draws on the page's background, under its controls.
struct Decoration {
  enum class Kind { Picture, Text } kind = Kind::Text;
  int resourceId = 0;                            // Picture: a "JPEG" resource
  int left = 0, top = 0, right = 0, bottom = 0;  // pixels, page client area
  std::string text;                              // Text: right-aligned, one line,
  std::string fontFace;                          // vertically centred, white,
  int fontHeight = 0;                            // transparent background
};

class PageHost {
 public:
  virtual ~PageHost() = default;

  // Texts, states and checks of single controls.
  virtual void SetText(int id, const std::string& text) = 0;
  virtual std::string GetText(int id) const = 0;
  virtual void EnableControl(int id, bool enabled) = 0;
  virtual bool IsControlEnabled(int id) const = 0;
  virtual void SetCheck(int id, bool checked) = 0;
  virtual bool IsChecked(int id) const = 0;
  virtual void SetCaption(const std::string& caption) = 0;  // the dialog's own
  virtual int ClientWidth() const = 0;                      // of the page or dialog, in pixels

  // Report lists. A row's item data is also its sort value.
  virtual void ListSetStyle(int id, bool checkBoxes, bool fullRowSelect) = 0;
  virtual int ListClientWidth(int id) const = 0;
  virtual int VerticalScrollBarWidth() const = 0;
  virtual void ListAddColumn(int id, const std::string& heading, int width) = 0;
  virtual int ListAppendRow(int id, const std::vector<std::string>& cells) = 0;
  virtual int ListRowCount(int id) const = 0;
  virtual std::string ListCell(int id, int row, int column) const = 0;
  virtual void ListSetRowData(int id, int row, std::intptr_t data) = 0;
  virtual std::intptr_t ListRowData(int id, int row) const = 0;
  virtual void ListSetRowCheck(int id, int row, bool checked) = 0;
  virtual bool ListRowCheck(int id, int row) const = 0;
  virtual void ListDeleteAllRows(int id) = 0;
  virtual void ListSortByDataDescending(int id) = 0;

  // Trees. Items carry text, item data and an image index.
  virtual void TreeSetImages(int id, int bitmapId, int imageWidth) = 0;
  virtual TreeItem TreeAppend(int id, TreeItem parent, const std::string& text, std::intptr_t data,
                              int image) = 0;
  virtual TreeItem TreeFirstChild(int id, TreeItem item) const = 0;
  virtual TreeItem TreeNextSibling(int id, TreeItem item) const = 0;
  virtual TreeItem TreeParent(int id, TreeItem item) const = 0;
  virtual std::string TreeText(int id, TreeItem item) const = 0;
  virtual std::intptr_t TreeData(int id, TreeItem item) const = 0;
  virtual void TreeDeleteAll(int id) = 0;

  // Combo boxes (a sorted combo box sorts what is added).
  virtual void ComboAdd(int id, const std::string& text) = 0;
  virtual void ComboSelect(int id, int index) = 0;
  virtual int ComboSelection(int id) const = 0;
  virtual std::string ComboText(int id, int index) const = 0;

  // Message boxes owned by the page, caption kMessageCaption unless given.
  virtual BoxAnswer ShowMessage(const std::string& text, BoxIcon icon,
                                const std::string& caption = kMessageCaption) = 0;

  // Long operations: the wait cursor, and dispatching the messages waiting
  // for the page (its controls and the sheet's buttons are disabled while a
  // handler dispatches, so nothing can re-enter it).
  virtual void BeginWaitCursor() = 0;
  virtual void EndWaitCursor() = 0;
  virtual void DispatchWaitingMessages() = 0;

  // The sheet: wizard buttons (posted), its help button, modal dialogs,
  // resources, and what is painted under the page's controls.
  virtual void PostWizardButtons(unsigned flags) = 0;
  virtual bool HasHelpButton() const = 0;
  virtual std::string HelpButtonText() const = 0;
  virtual void SetHelpButtonText(const std::string& text) = 0;
  virtual int RunModal(DialogLogic& dialog) = 0;
  virtual void EndDialog(int result) = 0;
  virtual bool LoadStringResource(int id, std::string& text) const = 0;
  virtual bool LoadTextResource(int id, std::string& text) const = 0;
  virtual void SetDecorations(std::vector<Decoration> decorations) = 0;
};

// The logic of a page or a dialog: it learns of events by their meaning.
class DialogLogic {
 public:
  virtual ~DialogLogic() = default;
  virtual int DialogId() const = 0;

  void AttachHost(PageHost* host) { host_ = host; }
  PageHost& Host() const { return *host_; }
  bool HasHost() const { return host_ != nullptr; }

  virtual void OnInitDialog() {}
  virtual void OnButton(int /*id*/) {}
  virtual void OnTreeSelectionChanged(int /*id*/, TreeItem /*item*/) {}
  virtual void OnRowStateChanged(int /*id*/, int /*row*/, unsigned /*oldCheck*/,
                                 unsigned /*newCheck*/) {}
  // row is -1 when the double-click hit no row.
  virtual void OnRowDoubleClicked(int /*id*/, int /*row*/) {}

 private:
  PageHost* host_ = nullptr;
};

// A report list's column: its heading and its share of the list's client
// width less a vertical scroll bar.
struct ListColumn {
  const char* heading;
  double share;
};

// Gives the list full-row selection and adds the columns, each as wide as
// its share of the width, truncated.
inline void AddListColumns(PageHost& host, int id, std::initializer_list<ListColumn> columns) {
  host.ListSetStyle(id, false, true);
  const int width = host.ListClientWidth(id) - host.VerticalScrollBarWidth();
  for (const ListColumn& column : columns) {
    host.ListAddColumn(id, column.heading, static_cast<int>(width * column.share));
  }
}

// Shows the wait cursor for as long as it lives.
class WaitCursor {
 public:
  explicit WaitCursor(PageHost& host) : host_(host) { host_.BeginWaitCursor(); }
  ~WaitCursor() { host_.EndWaitCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  PageHost& host_;
};

}  // namespace fm
