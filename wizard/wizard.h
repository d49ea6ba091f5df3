// The wizard: the shared model and the five pages, in order.
#pragma once

#include <array>

#include "aircraft/page_aircraft.h"
#include "geo/page_scenery.h"
#include "traffic/page_generate.h"
#include "traffic/page_traffic.h"
#include "wizard/page_welcome.h"
#include "wizard/wizard_state.h"

namespace fm {

class CWizard {
 public:
  static constexpr int kPageCount = 5;

  CWizard();
  CWizard(const CWizard&) = delete;
  CWizard& operator=(const CWizard&) = delete;

  WizardState& State() { return state_; }
  // Welcome, aircraft, scenery, traffic, generate.
  const std::array<CAiPropertyPage*, kPageCount>& Pages() const { return pages_; }

  CPageWelcome& Welcome() { return welcome_; }
  CPageAircraft& Aircraft() { return aircraft_; }
  CPageScenery& Scenery() { return scenery_; }
  CPageTraffic& Traffic() { return traffic_; }
  CPageGenerate& Generate() { return generate_; }

  // The sheet's help request: shows the active page's help text, if any.
  void OnHelp(CAiPropertyPage& activePage);

 private:
  WizardState state_;
  CPageWelcome welcome_;
  CPageAircraft aircraft_;
  CPageScenery scenery_;
  CPageTraffic traffic_;
  CPageGenerate generate_;
  std::array<CAiPropertyPage*, kPageCount> pages_;
};

}  // namespace fm
