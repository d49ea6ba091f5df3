// FS2002's AIRCRAFT\airlines.cfg: the airline callsigns of the installed
// aircraft, one a line.
#pragma once

#include <string>

#include "aircraft/aircraft_model.h"

namespace fm {

// The file's content: every distinct non-empty atcAirline of every
// variation (checked or not), ascending by the exact bytes, each followed
// by CR LF.
std::string AirlinesCfgText(const AircraftModelList& models);

// Replaces the file at `path` whole with that content. False when it could
// not be written; the file is then left as it was.
bool WriteAirlinesCfg(const std::string& path, const AircraftModelList& models);

}  // namespace fm
