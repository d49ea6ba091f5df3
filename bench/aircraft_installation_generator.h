// A generated FS2002 AIRCRAFT folder for the aircraft import benchmark:
// folders of aircraft.cfg files of about 200 lines with four variations
// each, built from the open aircraft-type and airline lists of data/, and an
// air_class.cfg that sorts those types into categories.
#pragma once

#include <string>

namespace fm::bench {

struct GeneratedInstallation {
  std::string root;        // the FS2002 root: <base>/FS2002
  std::string classFile;   // <base>/air_class.cfg
  long long cfgBytes = 0;  // all aircraft.cfg files together
  int folders = 0;
};

// Writes `folders` aircraft folders below <base>/FS2002/AIRCRAFT and the
// air_class.cfg. The same count always gives the same files.
bool GenerateAircraftInstallation(const std::string& base, int folders, GeneratedInstallation& out);

}  // namespace fm::bench
