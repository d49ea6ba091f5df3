#include "wizard/wizard.h"

#include <string>

#include "wizard/help_dialog.h"

namespace fm {

CWizard::CWizard()
    : welcome_(state_),
      aircraft_(state_),
      scenery_(state_),
      traffic_(state_),
      generate_(state_),
      pages_{&welcome_, &aircraft_, &scenery_, &traffic_, &generate_} {}

void CWizard::OnHelp(CAiPropertyPage& activePage) {
  CHelpDlg dialog;
  const int id = activePage.HelpTextId();
  if (id == 0) return;

  PageHost& host = activePage.Host();
  std::string text;
  if (!host.LoadStringResource(id, text)) host.LoadTextResource(id, text);
  if (text.empty()) return;

  dialog.SetText(std::move(text));
  host.RunModal(dialog);
}

}  // namespace fm
