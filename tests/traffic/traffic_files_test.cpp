// Aircraft.txt and FlightPlans.txt lines: what each reading rule takes from
// a line, never reading beyond its end. (The save of the two files is the
// fault table's "aircraft.txt + FlightPlans.txt" rows and the generate
// page's; the listing order and CR LF are file_services_test's.)
#include <gtest/gtest.h>

#include "traffic/traffic_lines.h"

namespace fm {
namespace {

using Names = std::vector<std::string>;

// The line as a view into a longer buffer whose rest looks like more
// fields, quotes and legs: a reader that goes beyond the line's end takes
// some of it.
std::string_view Within(std::string& buffer, std::string_view line) {
  buffer = std::string(line) + ",\"x\",09:00:00,10:00:00,050,F,0001,BEYOND\"";
  return std::string_view(buffer).substr(0, line.size());
}

TEST(TrafficLines, AircraftLineIdSpeedAndTitle) {
  const struct {
    const char *line, *id, *speed, *title;
  } cases[] = {
      // From the first quote after the speed to the last quote of the line.
      {"AC#1,250,\"Boeing 747, \"Jumbo\"\"", "AC#1", "250", "Boeing 747, \"Jumbo\""},
      {"AC#1,250,\"Boeing", "AC#1", "250", ""},
      // Counting from the line's start would take the id and speed as a title.
      {"AC#1,\"2,50,Boeing", "AC#1", "\"2", ""},
  };
  std::string buffer;
  for (const auto& c : cases) {
    auto parsed = ParseAircraftLine(Within(buffer, c.line));
    ASSERT_TRUE(parsed.has_value()) << c.line;
    EXPECT_EQ(
        parsed->aircraftId + "|" + parsed->aircraft.cruiseSpeed + "|" + parsed->aircraft.title,
        std::string(c.id) + "|" + c.speed + "|" + c.title);
  }
  for (const char* ignored : {"AC#1,250", ""})
    EXPECT_FALSE(ParseAircraftLine(Within(buffer, ignored)).has_value()) << ignored;
}

// Loaded with its id, text byte for byte and the airports of its whole legs;
// flown by another aircraft, the line keeps every byte after its first comma.
TEST(TrafficLines, PlanLineIdAndTheAirportOfEachWholeLeg) {
  const std::string twoLegs =
      "AC#3,N1,100%,24Hr,IFR,07:00:00,08:00:00,050,F,0001,EGLL,09:00:00,10:00:00,050,F,0002,LFPG";
  const struct {
    std::string line;
    Names airports;
    bool wellFormed;
  } cases[] = {
      {twoLegs, {"EGLL", "LFPG"}, true},
      // The last airport runs to the line's end, trailing blanks included.
      {twoLegs + "  ", {"EGLL", "LFPG  "}, true},
      {"AC#1,N1,100%,24Hr,IFR,07:00:00", {}, false},
      // the registration field deleted: the leg lacks its sixth field
      {"AC#3,100%,24Hr,IFR,07:00:00,08:00:00,050,F,0001,EGLL", {}, false},
      {"AC#1,N1,100%,24Hr,IFR,07:00:00,08:00:00,050,F,0001,EGLL,", {"EGLL"}, false},
      // two whole legs, the second of empty fields, then a part leg
      {"AC#1,N1,100%,24Hr,IFR,07:00:00,08:00:00,050,F,0001,EGLL,09:00:00,,,,,,,,,,",
       {"EGLL", ""},
       false},
  };
  std::string buffer;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    auto parsed = ParseFlightPlanLine(Within(buffer, c.line));
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ(parsed->plan.aircraftId, c.line.substr(0, 4));
    EXPECT_EQ(parsed->plan.lineText, c.line);
    Names airports;
    for (const FlightLeg& leg : parsed->plan.legs) airports.push_back(leg.airportId);
    EXPECT_EQ(airports, c.airports);
    EXPECT_EQ(parsed->wellFormed, c.wellFormed);
    EXPECT_EQ(RewritePlanLine(c.line, "AC#99"), "AC#99" + c.line.substr(c.line.find(',')));
  }
  for (const char* ignored : {"", "AC#3 N1 100%"})
    EXPECT_FALSE(ParseFlightPlanLine(Within(buffer, ignored)).has_value()) << ignored;
}

}  // namespace
}  // namespace fm
