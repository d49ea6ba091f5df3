#include "wizard/help_dialog.h"

#include "resources/resource.h"

namespace fm {

int CHelpDlg::DialogId() const { return IDD_HELP; }

void CHelpDlg::OnInitDialog() { Host().SetText(IDC_HELP_TEXT, text_); }

void CHelpDlg::OnButton(int id) {
  if (id == IDC_CANCEL_BUTTON || id == IDC_OK_BUTTON) Host().EndDialog(id);
}

}  // namespace fm
