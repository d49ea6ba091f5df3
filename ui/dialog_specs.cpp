#include "ui/dialog_specs.h"

#include <array>

#include "resources/resource.h"

namespace fm {
namespace {

// Each dialog's controls become one array, named after the dialog's id.
#define FM_DIALOG(id, caption, w, h, kind) constexpr ControlSpec kControls_##id[] = {
#define FM_END() \
  }              \
  ;
#define FM_BUTTON(id, text, x, y, w, h) {id, ControlKind::Button, text},
#define FM_DEFBUTTON(id, text, x, y, w, h) {id, ControlKind::Button, text},
#define FM_CHECKBOX(id, text, x, y, w, h) {id, ControlKind::CheckBox, text},
#define FM_LABEL(id, text, x, y, w, h) {id, ControlKind::Label, text},
#define FM_STATUS_EDIT(id, x, y, w, h) {id, ControlKind::StatusEdit, ""},
#define FM_READONLY_TEXT(id, x, y, w, h) {id, ControlKind::ReadOnlyText, ""},
#define FM_LIST(id, x, y, w, h) {id, ControlKind::List, ""},
#define FM_CHECKLIST(id, x, y, w, h) {id, ControlKind::CheckList, ""},
#define FM_TREE(id, x, y, w, h) {id, ControlKind::Tree, ""},
#define FM_SORTED_COMBO(id, x, y, w, h) {id, ControlKind::SortedCombo, ""},
#include "resources/dialogs.def"
#undef FM_DIALOG
#undef FM_END
#undef FM_BUTTON
#undef FM_DEFBUTTON
#undef FM_CHECKBOX
#undef FM_LABEL
#undef FM_STATUS_EDIT
#undef FM_READONLY_TEXT
#undef FM_LIST
#undef FM_CHECKLIST
#undef FM_TREE
#undef FM_SORTED_COMBO

// Then the dialogs themselves, each with its array of controls.
#define FM_BUTTON(...)
#define FM_DEFBUTTON(...)
#define FM_CHECKBOX(...)
#define FM_LABEL(...)
#define FM_STATUS_EDIT(...)
#define FM_READONLY_TEXT(...)
#define FM_LIST(...)
#define FM_CHECKLIST(...)
#define FM_TREE(...)
#define FM_SORTED_COMBO(...)

#define FM_PAGE true
#define FM_MODAL false
#define FM_DIALOG(id, caption, w, h, kind) DialogSpec{id, caption, FM_##kind, kControls_##id},
#define FM_END()
constexpr DialogSpec kDialogs[] = {
#include "resources/dialogs.def"
};

}  // namespace

const ControlSpec* DialogSpec::Find(int controlId) const {
  if (controlId == IDC_STATIC_LABEL) return nullptr;
  for (const ControlSpec& control : controls) {
    if (control.id == controlId) return &control;
  }
  return nullptr;
}

const DialogSpec* FindDialogSpec(int dialogId) {
  for (const DialogSpec& dialog : kDialogs) {
    if (dialog.id == dialogId) return &dialog;
  }
  return nullptr;
}

std::span<const DialogSpec> AllDialogSpecs() { return kDialogs; }

}  // namespace fm
