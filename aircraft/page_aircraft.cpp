#include "aircraft/page_aircraft.h"

#include "resources/resource.h"

namespace fm {

int CPageAircraft::DialogId() const { return IDD_AIRCRAFT; }

int CPageAircraft::HelpTextId() const { return IDS_HELP_AIRCRAFT; }

void CPageAircraft::OnSetActive() {
  Host().PostWizardButtons(State().aircraftModels.empty() ? kWizardBack
                                                          : kWizardBack | kWizardNext);
}

}  // namespace fm
