// The first page: splash picture, program name and version, description;
// its help button reads "Read Me" and shows the read-me text.
#pragma once

#include <string>

#include "wizard/ai_property_page.h"

namespace fm {

inline constexpr char kProgramName[] = "AI Traffic Fleetmixer";
inline constexpr char kProgramVersion[] = "Version 0.7";

class CPageWelcome : public CAiPropertyPage {
 public:
  using CAiPropertyPage::CAiPropertyPage;

  int DialogId() const override;
  int HelpTextId() const override;
  void OnInitDialog() override;
  void OnSetActive() override;
  bool OnWizardNext() override;

 private:
  std::string savedHelpCaption_;
};

}  // namespace fm
