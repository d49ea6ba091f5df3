#include "geo/page_scenery.h"

#include "resources/resource.h"

namespace fm {

int CPageScenery::DialogId() const { return IDD_SCENERY; }

int CPageScenery::HelpTextId() const { return IDS_HELP_SCENERY; }

void CPageScenery::OnSetActive() {
  Host().PostWizardButtons(State().airportStore.HasRegions() ? kWizardBack | kWizardNext
                                                             : kWizardBack);
}

}  // namespace fm
