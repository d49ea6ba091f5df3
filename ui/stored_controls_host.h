// A page host that keeps its page's controls in memory, for the hosts
// without a window (the console of fleetmix-cli, the tests' recording
// host): texts, states, list rows, tree items and combo items are kept in
// StoredControls as the window controls keep them, and read back from
// there. A derived host says where a control lives and does what needs a
// window or a user (boxes, modal dialogs, the sheet's buttons).
#pragma once

#include <string>
#include <vector>

#include "ui/dialog_specs.h"
#include "ui/page_host.h"
#include "ui/stored_control.h"

namespace fm {

class StoredControlsHost : public PageHost {
 public:
  // The host of one page or dialog of this resource id.
  explicit StoredControlsHost(int dialogId);

  // The dialog's controls as the resource script declares them (an empty
  // dialog when the id has none).
  const DialogSpec& Spec() const { return *spec_; }
  const std::string& Caption() const { return caption_; }
  // How many wait cursors are shown now.
  int WaitCursorDepth() const { return waitDepth_; }

  void SetText(int id, const std::string& text) override;
  std::string GetText(int id) const override;
  void EnableControl(int id, bool enabled) override;
  bool IsControlEnabled(int id) const override;
  void SetCheck(int id, bool checked) override;
  bool IsChecked(int id) const override;
  void SetCaption(const std::string& caption) override { caption_ = caption; }
  int ClientWidth() const override { return 475; }

  void ListSetStyle(int, bool, bool) override {}
  int ListClientWidth(int) const override { return 440; }
  int VerticalScrollBarWidth() const override { return 17; }
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

  void TreeSetImages(int, int, int) override {}
  TreeItem TreeAppend(int id, TreeItem parent, const std::string& text, std::intptr_t data,
                      int image) override;
  TreeItem TreeFirstChild(int id, TreeItem item) const override;
  TreeItem TreeNextSibling(int id, TreeItem item) const override;
  TreeItem TreeParent(int id, TreeItem item) const override;
  std::string TreeText(int id, TreeItem item) const override;
  std::intptr_t TreeData(int id, TreeItem item) const override;
  void TreeDeleteAll(int id) override;

  // A combo box the dialog declares sorted sorts what is added.
  void ComboAdd(int id, const std::string& text) override;
  void ComboSelect(int id, int index) override;
  int ComboSelection(int id) const override;
  std::string ComboText(int id, int index) const override;

  void BeginWaitCursor() override { ++waitDepth_; }
  void EndWaitCursor() override { --waitDepth_; }
  void SetDecorations(std::vector<Decoration>) override {}  // nothing is painted
  // Without a window there are no resources to load.
  bool LoadStringResource(int, std::string&) const override { return false; }
  bool LoadTextResource(int, std::string&) const override { return false; }

 protected:
  // The control of this id, to change it or to read it; nullptr when there
  // is none (a change is then dropped, a read gives an empty, enabled,
  // unchecked control).
  virtual StoredControl* ControlToChange(int id) = 0;
  virtual const StoredControl* ControlToRead(int id) const = 0;

 private:
  StoredControl::Row* RowToChange(int id, int row);
  const StoredControl::Row* RowToRead(int id, int row) const;
  const StoredControl::TreeNode* NodeToRead(int id, TreeItem item) const;

  const DialogSpec* spec_;
  std::string caption_;
  int waitDepth_ = 0;
};

}  // namespace fm
