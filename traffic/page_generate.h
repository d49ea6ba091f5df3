// The generate page: runs the redistribution and keeps its results.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "traffic/traffic_records.h"
#include "wizard/ai_property_page.h"

namespace fm {

class CPageGenerate : public CAiPropertyPage {
 public:
  using CAiPropertyPage::CAiPropertyPage;

  int DialogId() const override;
  int HelpTextId() const override;
  void OnSetActive() override;

  // The results of the last generation run.
  std::vector<std::string> newPlanLines;
  std::map<std::string, TrafficAircraft> newAircraft;  // by new aircraft id
  std::map<std::string, int> flightCounts;             // by installed title
};

}  // namespace fm
