// The readers of the files that users edit by hand or other programs write,
// each telling in a few words what it made of the file at a path.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace fm::testing {

struct FileReader {
  const char* file;  // the name the file is read under
  std::function<std::string(const std::string& path)> read;
};

// air_class.cfg, air_nat.cfg, sccache.txt, Aircraft.txt, FlightPlans.txt,
// aircraft.cfg, a BGL file given to bgltext, temp.sca.
const std::vector<FileReader>& FileReaders();

}  // namespace fm::testing
