// The readers of the files that users edit by hand or other programs write,
// each telling in a few words what it made of the file at a path.
#pragma once

#include <functional>
#include <map>
#include <string>

namespace fm::testing {

using FileReader = std::function<std::string(const std::string& path)>;

// By the name the file is read under: air_class.cfg, air_nat.cfg,
// sccache.txt, Aircraft.txt, FlightPlans.txt, aircraft.cfg, a BGL file given
// to bgltext, temp.sca.
const std::map<std::string, FileReader>& FileReaders();

}  // namespace fm::testing
