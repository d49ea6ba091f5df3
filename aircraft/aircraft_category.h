// A category of interchangeable aircraft, read from air_class.cfg.
#pragma once

#include <string>
#include <vector>

namespace fm {

struct AircraftCategory {
  std::string name;
  std::vector<std::string> titlePatterns;
};

}  // namespace fm
