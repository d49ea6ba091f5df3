// One line of the traffic text files: parsing it into its record, and the
// text a record is written back as.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "traffic/traffic_records.h"

namespace fm {

struct AircraftLine {
  std::string aircraftId;
  TrafficAircraft aircraft;
};

// An Aircraft.txt line: id before the first comma, cruise speed up to the
// second, title between the first double quote after the second comma and
// the last double quote of the line (empty when there is no such pair).
// A line with fewer than two commas is ignored (nullopt).
std::optional<AircraftLine> ParseAircraftLine(std::string_view line);

struct ParsedPlanLine {
  FlightPlan plan;
  // False for a line that is not five header fields followed by whole legs
  // of six fields each (a line edited by hand, for example).
  bool wellFormed = true;
};

// A FlightPlans.txt line: id before the first comma, then the legs that
// follow the five header fields, each leg's airport being its sixth field.
// A line without a comma (an empty line, too) is ignored (nullopt).
//
// A line of another shape is still loaded, with the whole legs that it has
// and `wellFormed` false: a part leg at its end, or a header of fewer than
// five fields, contributes no airport. The plan keeps its text byte for byte,
// so a hand-edited line reaches the new traffic as the user wrote it instead
// of vanishing without a word; the traffic compiler judges it in the end.
// The walk never looks beyond the line's end and always moves forward.
std::optional<ParsedPlanLine> ParseFlightPlanLine(std::string_view line);

// "%s,%s,\"%s\"" with id, cruise speed and title, without the line end.
std::string FormatAircraftLine(const std::string& aircraftId, const TrafficAircraft& aircraft);

// The plan line flown by another aircraft: the new id, a comma and
// everything of the line after its first comma (the whole line when it has
// none). Every other byte of the line is kept.
std::string RewritePlanLine(std::string_view lineText, std::string_view newAircraftId);

}  // namespace fm
