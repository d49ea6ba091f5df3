// The configuration check: from the loaded inputs of a generation (the
// aircraft with air_class.cfg, the airports with air_nat.cfg, the traffic),
// what a run would do without saying so: aircraft that are never given a
// flight, flights that are left out, countries and callsigns that never
// meet, and the air_nat.cfg lines behind them.
#pragma once

#include <ostream>
#include <string>

#include "wizard/wizard_state.h"

namespace fm {

// Exit statuses of the check.
inline constexpr int kCheckClean = 0;
inline constexpr int kCheckFoundProblems = 4;

// Writes the findings to `out`, one a line, grouped under headings with
// their counts, every group and line in byte order; "No problems found."
// when there is none. `airNatPath` is the air_nat.cfg that the airlines of
// `state` were loaded from: it is read again to quote its lines with their
// numbers. Gives kCheckClean or kCheckFoundProblems.
int RunConfigurationCheck(const WizardState& state, const std::string& airNatPath,
                          std::ostream& out);

}  // namespace fm
