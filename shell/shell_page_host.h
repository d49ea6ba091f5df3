// The page host over real Win32 controls: one per page and per dialog.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ui/page_host.h"

namespace fm::win32 {

// Set on a page or dialog window while one of its handlers runs.
inline constexpr char kBusyProperty[] = "FleetmixHandlerRunning";

class ShellSheet;

class Win32PageHost : public PageHost {
 public:
  Win32PageHost(ShellSheet& sheet, DialogLogic& logic, HWND window);

  HWND Window() const { return window_; }
  DialogLogic& Logic() const { return logic_; }
  const std::vector<Decoration>& Decorations() const { return decorations_; }
  ShellSheet& Sheet() const { return sheet_; }
  bool IsWaiting() const { return waitCount_ > 0; }
  bool InHandler() const { return handlerDepth_ > 0; }
  bool Ended() const { return ended_; }
  // Called around every event handler: re-enables what a dispatch disabled.
  void BeginHandler();
  void EndHandler();

  void SetText(int id, const std::string& text) override;
  std::string GetText(int id) const override;
  void EnableControl(int id, bool enabled) override;
  bool IsControlEnabled(int id) const override;
  void SetCheck(int id, bool checked) override;
  bool IsChecked(int id) const override;
  void SetCaption(const std::string& caption) override;
  int ClientWidth() const override;

  void ListSetStyle(int id, bool checkBoxes, bool fullRowSelect) override;
  int ListClientWidth(int id) const override;
  int VerticalScrollBarWidth() const override;
  void ListAddColumn(int id, const std::string& heading, int width) override;
  int ListAppendRow(int id, const std::vector<std::string>& cells) override;
  int ListRowCount(int id) const override;
  std::string ListCell(int id, int row, int column) const override;
  void ListSetRowData(int id, int row, std::intptr_t data) override;
  std::intptr_t ListRowData(int id, int row) const override;
  void ListSetRowCheck(int id, int row, bool checked) override;
  bool ListRowCheck(int id, int row) const override;
  void ListDeleteAllRows(int id) override;
  void ListSortByDataDescending(int id) override;

  void TreeSetImages(int id, int bitmapId, int imageWidth) override;
  TreeItem TreeAppend(int id, TreeItem parent, const std::string& text, std::intptr_t data,
                      int image) override;
  TreeItem TreeFirstChild(int id, TreeItem item) const override;
  TreeItem TreeNextSibling(int id, TreeItem item) const override;
  TreeItem TreeParent(int id, TreeItem item) const override;
  std::string TreeText(int id, TreeItem item) const override;
  std::intptr_t TreeData(int id, TreeItem item) const override;
  void TreeDeleteAll(int id) override;

  void ComboAdd(int id, const std::string& text) override;
  void ComboSelect(int id, int index) override;
  int ComboSelection(int id) const override;
  std::string ComboText(int id, int index) const override;

  BoxAnswer ShowMessage(const std::string& text, BoxIcon icon, const std::string& caption) override;
  void BeginWaitCursor() override;
  void EndWaitCursor() override;
  void DispatchWaitingMessages() override;

  void PostWizardButtons(unsigned flags) override;
  bool HasHelpButton() const override;
  std::string HelpButtonText() const override;
  void SetHelpButtonText(const std::string& text) override;
  int RunModal(DialogLogic& dialog) override;
  void EndDialog(int result) override;
  bool LoadStringResource(int id, std::string& text) const override;
  bool LoadTextResource(int id, std::string& text) const override;
  void SetDecorations(std::vector<Decoration> decorations) override;

 private:
  HWND Control(int id) const;
  void LockWhileDispatching();

  ShellSheet& sheet_;
  DialogLogic& logic_;
  HWND window_;
  int waitCount_ = 0;
  int handlerDepth_ = 0;
  bool ended_ = false;
  std::vector<HWND> lockedWindows_;  // disabled by a dispatch, re-enabled after
  std::vector<Decoration> decorations_;
};

}  // namespace fm::win32
