// The wizard driver over the recording sheet.
#pragma once

#include "resources/resource.h"
#include "tests/support/recording_sheet.h"
#include "tests/support/wizard_driver.h"

namespace fm::testing {

class RecordingWizardDriver : public WizardDriver {
 public:
  explicit RecordingWizardDriver(CWizard& wizard) : wizard_(wizard), sheet_(&wizard) {
    sheet_.Open();
  }

  RecordingSheet& Sheet() { return sheet_; }

  int ActiveDialogId() override { return wizard_.Pages()[sheet_.ActiveIndex()]->DialogId(); }
  unsigned EnabledButtons() override { return sheet_.Buttons(); }
  void Next() override { sheet_.Next(); }
  void Back() override { sheet_.Back(); }
  void Cancel() override { sheet_.Cancel(); }
  bool Closed() override { return sheet_.Closed(); }
  std::string HelpButtonText() override { return sheet_.helpButtonText; }
  std::string ControlText(int id) override { return sheet_.ActiveHost().GetText(id); }

  bool ReadHelp(int textId, std::string& caption, std::string& text) override {
    bool opened = false;
    sheet_.onModal = [&](RecordingHost& dialog) {
      opened = true;
      caption = dialog.Caption();
      text = dialog.GetText(textId);
      dialog.Press(IDC_CANCEL_BUTTON);
    };
    sheet_.Help();
    sheet_.onModal = nullptr;
    return opened;
  }

 private:
  CWizard& wizard_;
  RecordingSheet sheet_;
};

}  // namespace fm::testing
