// The scenery page: airports and their countries, imported or cached.
#pragma once

#include "wizard/ai_property_page.h"

namespace fm {

class CPageScenery : public CAiPropertyPage {
 public:
  using CAiPropertyPage::CAiPropertyPage;

  int DialogId() const override;
  int HelpTextId() const override;
  void OnSetActive() override;
};

}  // namespace fm
