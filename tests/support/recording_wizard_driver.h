// The wizard driver over the recording sheet (declared with the sheet).
#pragma once

#include "tests/support/recording_sheet.h"
