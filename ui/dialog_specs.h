// The controls of every dialog, read from the same list as the resource
// script, so that a host can refuse a control its dialog does not have.
#pragma once

#include <span>
#include <string_view>

namespace fm {

enum class ControlKind {
  Button,        // push button (also the default button)
  CheckBox,      // auto check box
  Label,         // static text
  StatusEdit,    // read-only single-line edit
  ReadOnlyText,  // read-only multi-line edit with a vertical scroll bar
  List,          // list view, report style
  CheckList,     // list view, report style, with check boxes
  Tree,          // tree view
  SortedCombo,   // drop-down list combo box with sorted items
};

struct ControlSpec {
  int id;
  ControlKind kind;
  std::string_view text;
};

struct DialogSpec {
  int id;
  std::string_view caption;
  bool isPage;  // a wizard page, else a modal dialog
  std::span<const ControlSpec> controls;

  // The control with this id, or nullptr (labels without id are never found).
  const ControlSpec* Find(int controlId) const;
};

// The dialog with this resource id, or nullptr.
const DialogSpec* FindDialogSpec(int dialogId);

std::span<const DialogSpec> AllDialogSpecs();

}  // namespace fm
