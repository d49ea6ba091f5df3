#include "traffic/page_traffic.h"

#include "resources/resource.h"

namespace fm {

int CPageTraffic::DialogId() const { return IDD_TRAFFIC; }

int CPageTraffic::HelpTextId() const { return IDS_HELP_TRAFFIC; }

void CPageTraffic::OnSetActive() {
  Host().PostWizardButtons(State().flightPlans.empty() ? kWizardBack : kWizardBack | kWizardNext);
}

}  // namespace fm
