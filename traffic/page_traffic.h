// The traffic page: imports the installed AI traffic.
#pragma once

#include "wizard/ai_property_page.h"

namespace fm {

class CPageTraffic : public CAiPropertyPage {
 public:
  using CAiPropertyPage::CAiPropertyPage;

  int DialogId() const override;
  int HelpTextId() const override;
  void OnSetActive() override;
};

}  // namespace fm
