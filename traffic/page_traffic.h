// The traffic page: imports the installed AI traffic and shows how many
// flights touch each airport.
#pragma once

#include <map>
#include <string>

#include "wizard/ai_property_page.h"

namespace fm {

class CPageTraffic : public CAiPropertyPage {
 public:
  using CAiPropertyPage::CAiPropertyPage;

  int DialogId() const override;
  int HelpTextId() const override;
  void OnInitDialog() override;
  void OnSetActive() override;
  void OnButton(int id) override;

  // The handler of "Import".
  void ImportTraffic();

 private:
  void ShowAirportRows(const std::map<std::string, int>& legsPerAirport);
};

}  // namespace fm
