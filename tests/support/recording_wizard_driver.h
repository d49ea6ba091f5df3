// The wizard driver over the recording sheet, opened on the first page.
#pragma once

#include "tests/support/recording_sheet.h"

namespace fm::testing {

class RecordingWizardDriver : public RecordingSheet {
 public:
  explicit RecordingWizardDriver(CWizard& wizard) : RecordingSheet(&wizard) { Open(); }

  RecordingSheet& Sheet() { return *this; }
};

}  // namespace fm::testing
