// Small random installations for comparing the redistribution with its
// model: few categories, aircraft, airports and plans, drawn from small
// vocabularies so that shared titles, missing entries and every fallback of
// the run turn up often.
#pragma once

#include <cstdint>
#include <string>

#include "tests/traffic/redistribution_model.h"

namespace fm::testing::model {

// The same seed gives the same installation on every platform and library.
ModelInput RandomInstallation(std::uint32_t seed);

// A readable dump of an installation, for failure messages.
std::string DescribeInstallation(const ModelInput& input);

}  // namespace fm::testing::model
