// The base of the five wizard pages: the shared model and the help text.
#pragma once

#include "ui/page_host.h"
#include "wizard/wizard_state.h"

namespace fm {

class CAiPropertyPage : public DialogLogic {
 public:
  explicit CAiPropertyPage(WizardState& state) : state_(state) {}

  // The page became the active page of the wizard.
  virtual void OnSetActive() {}
  // The user leaves the page with Next; false keeps the page.
  virtual bool OnWizardNext() { return true; }
  // The help text of the page: a string or "TEXT" resource id, 0 for none.
  virtual int HelpTextId() const { return 0; }

 protected:
  WizardState& State() const { return state_; }

 private:
  WizardState& state_;
};

}  // namespace fm
