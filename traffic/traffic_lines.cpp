// Parsing and writing single lines of Aircraft.txt and FlightPlans.txt.
#include "traffic/traffic_lines.h"

#include <algorithm>

namespace fm {
namespace {

constexpr size_t kNone = std::string_view::npos;
constexpr int kHeaderCommas = 5;     // the fifth comma ends the header fields
constexpr size_t kAirportField = 5;  // a leg has six fields; the sixth is the airport

size_t NextComma(std::string_view line, size_t after) {
  return after >= line.size() ? kNone : line.find(',', after + 1);
}

}  // namespace

std::optional<AircraftLine> ParseAircraftLine(std::string_view line) {
  const size_t a1 = line.find(',');
  if (a1 == kNone) return std::nullopt;
  const size_t a2 = line.find(',', a1 + 1);
  if (a2 == kNone) return std::nullopt;

  AircraftLine parsed;
  parsed.aircraftId = line.substr(0, a1);
  parsed.aircraft.cruiseSpeed = line.substr(a1 + 1, a2 - a1 - 1);
  // The title may hold commas and quotes itself: it runs from the first quote
  // after the speed to the last quote of the line. Without a quote after the
  // speed there is no title (a quote inside the id or the speed never starts
  // one).
  const size_t qStart = line.find('"', a2 + 1);
  const size_t qEnd = line.rfind('"');
  if (qStart != kNone && qEnd > qStart + 1) {
    parsed.aircraft.title = line.substr(qStart + 1, qEnd - qStart - 1);
  }
  return parsed;
}

std::optional<ParsedPlanLine> ParseFlightPlanLine(std::string_view line) {
  const size_t h1 = line.find(',');
  if (h1 == kNone) return std::nullopt;

  ParsedPlanLine parsed;
  parsed.plan.lineText = line;
  parsed.plan.aircraftId = line.substr(0, h1);
  // A well-formed line has four header commas and six more per leg: room
  // for its legs at once.
  const auto commas = static_cast<size_t>(std::count(line.begin(), line.end(), ','));
  if (commas > static_cast<size_t>(kHeaderCommas)) {
    parsed.plan.legs.reserve((commas - kHeaderCommas + kAirportField) / (kAirportField + 1));
  }

  size_t comma = h1;
  for (int i = 1; i < kHeaderCommas && comma != kNone; ++i) comma = NextComma(line, comma);
  if (comma == kNone) {  // fewer than five header fields, no legs
    parsed.wellFormed = false;
    return parsed;
  }

  // Each leg: find the commas that end its first five fields; its sixth field
  // runs to the next comma, or to the line's end for the last leg.
  size_t legStart = comma + 1;
  for (;;) {
    size_t fieldStart = legStart;
    size_t field = 0;
    for (; field < kAirportField; ++field) {
      size_t end = line.find(',', fieldStart);
      if (end == kNone) break;
      fieldStart = end + 1;
    }
    if (field < kAirportField) {  // a part leg: fewer than six fields
      parsed.wellFormed = false;
      break;
    }
    size_t airportEnd = line.find(',', fieldStart);
    const bool lastLeg = airportEnd == kNone;
    if (lastLeg) airportEnd = line.size();
    parsed.plan.legs.push_back({std::string(line.substr(fieldStart, airportEnd - fieldStart))});
    if (lastLeg) break;
    legStart = airportEnd + 1;  // always beyond the previous leg
  }
  return parsed;
}

std::string FormatAircraftLine(const std::string& aircraftId, const TrafficAircraft& aircraft) {
  std::string text;
  text.reserve(aircraftId.size() + aircraft.cruiseSpeed.size() + aircraft.title.size() + 4);
  text += aircraftId;
  text += ',';
  text += aircraft.cruiseSpeed;
  text += ",\"";
  text += aircraft.title;
  text += '"';
  return text;
}

std::string RewritePlanLine(std::string_view lineText, std::string_view newAircraftId) {
  const size_t h1 = lineText.find(',');
  std::string text(newAircraftId);
  text += ',';
  text += h1 == kNone ? lineText : lineText.substr(h1 + 1);
  return text;
}

}  // namespace fm
