// The starter air_class.cfg: categories of interchangeable aircraft, each
// with the patterns that put installed aircraft (by ATC type and model) and
// traffic aircraft (by title) into it. The ICAO type designators of each
// family of types come from the open aircraft-type list.
#pragma once

#include <string>
#include <string_view>

namespace fm::config {

// The whole file, CR LF line ends, from the text of aircraft-types.csv.
// False with `problem` set when the list lacks a family the file needs, or
// when a pattern could not be written so that air_class.cfg reads it back.
bool MakeAirClassCfg(std::string_view aircraftTypesCsv, std::string& out, std::string& problem);

}  // namespace fm::config
