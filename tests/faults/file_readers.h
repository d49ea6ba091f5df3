// The readers of the files that users edit by hand or other programs write,
// each telling in a few words what it made of the file at a path.
#pragma once

#include <string>

namespace fm::testing {

// Reads the file at `path` as the file named `file`: air_class.cfg,
// air_nat.cfg, sccache.txt, Aircraft.txt, FlightPlans.txt, aircraft.cfg or
// temp.sca; any other name is a BGL file given to bgltext.
std::string ReadAs(const std::string& file, const std::string& path);

}  // namespace fm::testing
