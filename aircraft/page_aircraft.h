// The aircraft page: imports the installed aircraft and shows the catalogue.
#pragma once

#include "wizard/ai_property_page.h"

namespace fm {

class CPageAircraft : public CAiPropertyPage {
 public:
  using CAiPropertyPage::CAiPropertyPage;

  int DialogId() const override;
  int HelpTextId() const override;
  void OnSetActive() override;
};

}  // namespace fm
