// Single lines of Aircraft.txt and FlightPlans.txt: what each reading rule
// takes from a line, and that the reading never goes beyond the line's end.
#include "traffic/traffic_lines.h"

#include <gtest/gtest.h>

namespace fm {
namespace {

// The line as a view into a longer buffer whose rest looks like more
// fields, quotes and legs: a reader that goes beyond the line's end takes
// some of it.
std::string_view Within(std::string& buffer, std::string_view line) {
  buffer = std::string(line) + ",\"x\",09:00:00,10:00:00,050,F,0001,BEYOND\"";
  return std::string_view(buffer).substr(0, line.size());
}

TEST(AircraftLine, IdSpeedAndTitleOfEachLine) {
  const struct {
    const char* line;
    const char* id;
    const char* speed;
    const char* title;
  } cases[] = {
      {"AC#3,250,\"Boeing 737-400 Example Air\"", "AC#3", "250", "Boeing 737-400 Example Air"},
      // From the first quote after the speed to the last quote of the line.
      {"AC#1,250,\"Boeing 747, \"Jumbo\"\"", "AC#1", "250", "Boeing 747, \"Jumbo\""},
      {"AC#\"1,2\"5,\"Title\"", "AC#\"1", "2\"5", "Title"},
      {" AC#9 , 0250 ,  \"Cessna 172\"  ", " AC#9 ", " 0250 ", "Cessna 172"},
      // No pair of quotes: the title is empty.
      {"AC#1,250,Boeing", "AC#1", "250", ""},
      {"AC#1,250,\"Boeing", "AC#1", "250", ""},
      {"AC#1,250,\"\"", "AC#1", "250", ""},
      {",,", "", "", ""},
      // Counting from the line's start would take the id and speed as a
      // title; without a quote after the second comma the title is empty.
      {"AC#1,\"2,50,Boeing", "AC#1", "\"2", ""},
  };
  std::string buffer;
  for (const auto& c : cases) {
    auto parsed = ParseAircraftLine(Within(buffer, c.line));
    ASSERT_TRUE(parsed.has_value()) << c.line;
    EXPECT_EQ(parsed->aircraftId, c.id) << c.line;
    EXPECT_EQ(parsed->aircraft.cruiseSpeed, c.speed) << c.line;
    EXPECT_EQ(parsed->aircraft.title, c.title) << c.line;
  }
  for (const char* ignored : {"AC#1,250", "AC#1", ""})
    EXPECT_FALSE(ParseAircraftLine(Within(buffer, ignored)).has_value()) << ignored;
}

using Codes = std::vector<std::string>;

Codes Airports(const FlightPlan& plan) {
  Codes codes;
  for (const FlightLeg& leg : plan.legs) codes.push_back(leg.airportId);
  return codes;
}

const std::string kTwoLegs =
    "AC#3,N1,100%,24Hr,IFR,07:00:00,08:00:00,050,F,0001,EGLL,09:00:00,10:00:00,050,F,0002,LFPG";

struct PlanCase {
  std::string line;
  const char* id;
  Codes airports;
};

// Loaded with its id, text and the airports of its whole legs; flown by
// another aircraft, the line keeps every byte after its first comma.
void ExpectPlanLine(const PlanCase& c, bool wellFormed) {
  SCOPED_TRACE(c.line);
  std::string buffer;
  auto parsed = ParseFlightPlanLine(Within(buffer, c.line));
  ASSERT_TRUE(parsed.has_value());
  EXPECT_EQ(parsed->plan.aircraftId, c.id);
  EXPECT_EQ(parsed->plan.lineText, c.line);
  EXPECT_EQ(Airports(parsed->plan), c.airports);
  EXPECT_EQ(parsed->wellFormed, wellFormed);
  EXPECT_EQ(RewritePlanLine(c.line, "AC#99"), "AC#99" + c.line.substr(c.line.find(',')));
}

TEST(FlightPlanLine, IdAndTheAirportOfEachLeg) {
  const PlanCase cases[] = {
      {kTwoLegs, "AC#3", {"EGLL", "LFPG"}},
      {"AC#12,G-ABCD,50%,WEEK,VFR,3/07:30:00,3/09:05:00,350,R,0000,KSEA", "AC#12", {"KSEA"}},
      // The last airport runs to the line's end, trailing blanks included.
      {kTwoLegs + "  ", "AC#3", {"EGLL", "LFPG  "}},
      {"AC#1,N1,100%,24Hr,IFR,07:00:00,08:00:00,050,F,0001,", "AC#1", {""}},
      {"AC#1,,,,,,,,,,", "AC#1", {""}},
  };
  for (const PlanCase& c : cases) ExpectPlanLine(c, true);
  std::string buffer;
  for (const char* ignored : {"", "   ", "AC#3 N1 100%"})
    EXPECT_FALSE(ParseFlightPlanLine(Within(buffer, ignored)).has_value()) << ignored;
}

// Hand-edited lines of another shape are still loaded, marked as irregular,
// with their text byte for byte and the airports of their whole legs only.
TEST(FlightPlanLine, IrregularLinesKeepTheirTextAndTheirWholeLegs) {
  const PlanCase cases[] = {
      {"AC#1,", "AC#1", {}},
      {"AC#1,N1,100%", "AC#1", {}},
      {"AC#1,N1,100%,24Hr,IFR,", "AC#1", {}},
      {"AC#1,N1,100%,24Hr,IFR,07:00:00", "AC#1", {}},
      // the registration field deleted: the leg lacks its sixth field
      {"AC#3,100%,24Hr,IFR,07:00:00,08:00:00,050,F,0001,EGLL", "AC#3", {}},
      // a comma after the last leg
      {"AC#1,N1,100%,24Hr,IFR,07:00:00,08:00:00,050,F,0001,EGLL,", "AC#1", {"EGLL"}},
      // two whole legs, the second of empty fields, then a part leg
      {"AC#1,N1,100%,24Hr,IFR,07:00:00,08:00:00,050,F,0001,EGLL,09:00:00,,,,,,,,,,",
       "AC#1",
       {"EGLL", ""}},
  };
  for (const PlanCase& c : cases) ExpectPlanLine(c, false);
}

}  // namespace
}  // namespace fm
