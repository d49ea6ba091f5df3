// The starter air_nat.cfg: the airline callsigns of every country, from the
// OpenFlights airline list, with the countries spelt as the simulator's
// airport directory spells them, and a GLOBAL line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace fm::config {

// The simulator's spellings of an OpenFlights country name: the name itself
// when the simulator spells it so, else the spellings the table of this
// file gives (some countries have two), else none.
std::vector<std::string> SimCountryNames(const std::string& openFlightsName,
                                         const std::vector<std::string>& simNames);

// The callsigns that may fly anywhere (the GLOBAL line).
const std::vector<std::string>& GlobalCallsigns();

// The whole file, CR LF line ends, from the texts of
// airlines-openflights.dat and sim-country-names.txt. False with `problem`
// set when a GLOBAL callsign is missing from the airline list.
bool MakeAirNatCfg(std::string_view airlinesDat, std::string_view simCountryNames, std::string& out,
                   std::string& problem);

}  // namespace fm::config
