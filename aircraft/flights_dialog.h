// The modal window that lists the flights the last generation gave one
// aircraft: the first two airports of each of its plan lines.
#pragma once

#include <vector>
#include <string>

#include "traffic/traffic_records.h"
#include "ui/page_host.h"
#include "wizard/wizard_state.h"

namespace fm {

class CFlightsByAcDlg : public DialogLogic {
 public:
  // Nothing is copied: the inputs must outlive the dialog.
  CFlightsByAcDlg(const WizardState& state, std::string title,
                  const std::vector<std::string>& newPlanLines, const TrafficAircraftMap& newAircraft)
      : state_(state), title_(std::move(title)), planLines_(newPlanLines), aircraft_(newAircraft) {}

  int DialogId() const override;
  void OnInitDialog() override;
  void OnButton(int id) override;

 private:
  std::string AirportText(const std::string& icao) const;

  const WizardState& state_;
  std::string title_;
  const std::vector<std::string>& planLines_;
  const TrafficAircraftMap& aircraft_;
};

}  // namespace fm
