#include "traffic/page_generate.h"

#include "resources/resource.h"

namespace fm {

int CPageGenerate::DialogId() const { return IDD_GENERATE; }

int CPageGenerate::HelpTextId() const { return IDS_HELP_GENERATE; }

void CPageGenerate::OnSetActive() {
  Host().PostWizardButtons(newPlanLines.empty() ? kWizardBack | kWizardDisabledFinish
                                                : kWizardNext | kWizardFinish);
}

}  // namespace fm
