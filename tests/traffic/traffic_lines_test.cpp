// Single lines of Aircraft.txt and FlightPlans.txt: what each reading rule
// takes from a line, and the text a record is written back as.
#include "traffic/traffic_lines.h"

#include <gtest/gtest.h>

namespace fm {
namespace {

struct AircraftCase {
  const char* line;
  const char* id;
  const char* speed;
  const char* title;
};

TEST(AircraftLine, TakesIdSpeedAndTheTextBetweenTheQuotes) {
  const AircraftCase cases[] = {
      {"AC#3,250,\"Boeing 737-400 Example Air\"", "AC#3", "250", "Boeing 737-400 Example Air"},
      // From the first quote after the speed to the last quote of the line.
      {"AC#1,250,\"Boeing 747, \"Jumbo\"\"", "AC#1", "250", "Boeing 747, \"Jumbo\""},
      {"AC#1,250,Boeing", "AC#1", "250", ""},
      {"AC#1,250,\"Boeing", "AC#1", "250", ""},  // one quote: no title
      {"AC#1,250,\"\"", "AC#1", "250", ""},
      {"AC#1,250,", "AC#1", "250", ""},
      {",,\"x\"", "", "", "x"},
      {"AC#2, 300 ,  \"Cessna\"  ", "AC#2", " 300 ", "Cessna"},
      // A quote inside the id never starts the title.
      {"A\"C#5,250,Boeing", "A\"C#5", "250", ""},
  };
  for (const AircraftCase& c : cases) {
    SCOPED_TRACE(c.line);
    auto parsed = ParseAircraftLine(c.line);
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ(parsed->aircraftId, c.id);
    EXPECT_EQ(parsed->aircraft.cruiseSpeed, c.speed);
    EXPECT_EQ(parsed->aircraft.title, c.title);
  }
}

TEST(AircraftLine, FewerThanTwoCommasIsIgnored) {
  for (const char* line : {"AC#1,250", "", "AC#1", "\"a\",\"b\""}) {
    SCOPED_TRACE(line);
    EXPECT_FALSE(ParseAircraftLine(line).has_value());
  }
}

TEST(AircraftLine, IsWrittenAsIdSpeedAndQuotedTitle) {
  EXPECT_EQ(FormatAircraftLine("AC#10", {"250", "Boeing 747, \"Jumbo\""}),
            "AC#10,250,\"Boeing 747, \"Jumbo\"\"");
  EXPECT_EQ(FormatAircraftLine("AC#1", {"", ""}), "AC#1,,\"\"");
}

std::vector<std::string> Airports(const FlightPlan& plan) {
  std::vector<std::string> codes;
  for (const FlightLeg& leg : plan.legs) codes.push_back(leg.airportId);
  return codes;
}

using Codes = std::vector<std::string>;

TEST(PlanLine, TwoLegsGiveTheirAirportsInLineOrder) {
  const char* line =
      "AC#3,N1,100%,24Hr,IFR,07:00:00,08:00:00,050,F,0001,EGLL,09:00:00,10:00:00,050,F,0002,LFPG";
  auto parsed = ParseFlightPlanLine(line);
  ASSERT_TRUE(parsed.has_value());
  EXPECT_TRUE(parsed->wellFormed);
  EXPECT_EQ(parsed->plan.aircraftId, "AC#3");
  EXPECT_EQ(parsed->plan.lineText, line);
  EXPECT_EQ(Airports(parsed->plan), (Codes{"EGLL", "LFPG"}));
}

TEST(PlanLine, WeeklyTimesAndBlanksStayInTheFields) {
  auto parsed = ParseFlightPlanLine(
      "AC#9,D-ABCD,50%,WEEK,VFR,0/07:00:00,0/08:00:00,030,R,0000,EDDF ,1/07:00:00,1/08:00:00,030,R,"
      "0000, EDDM  ");
  ASSERT_TRUE(parsed.has_value());
  EXPECT_TRUE(parsed->wellFormed);
  EXPECT_EQ(Airports(parsed->plan), (Codes{"EDDF ", " EDDM  "}));
}

TEST(PlanLine, LineWithoutCommaIsIgnored) {
  EXPECT_FALSE(ParseFlightPlanLine("").has_value());
  EXPECT_FALSE(ParseFlightPlanLine("AC#3 N1 100%").has_value());
}

// Lines of another shape are kept with the whole legs they have, marked as
// irregular, and never read beyond their end.
TEST(PlanLine, IrregularLinesKeepTheirTextAndTheirWholeLegs) {
  struct Case {
    const char* line;
    Codes airports;
  };
  const Case cases[] = {
      {"AC#3,junk", {}},
      {"AC#3,N1,100%,24Hr,IFR", {}},
      {"AC#3,N1,100%,24Hr,IFR,", {}},
      // the registration field deleted: the leg lacks its sixth field
      {"AC#3,100%,24Hr,IFR,07:00:00,08:00:00,050,F,0001,EGLL", {}},
      // a whole leg, then a part leg
      {"AC#3,N1,100%,24Hr,IFR,07:00:00,08:00:00,050,F,0001,EGLL,09:00:00,10:00", {"EGLL"}},
      // a comma after the last leg
      {"AC#3,N1,100%,24Hr,IFR,07:00:00,08:00:00,050,F,0001,EGLL,", {"EGLL"}},
      {",,,,,,,,,,,,,,,,,,,,,,,", {"", "", ""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    auto parsed = ParseFlightPlanLine(c.line);
    ASSERT_TRUE(parsed.has_value());
    EXPECT_FALSE(parsed->wellFormed);
    EXPECT_EQ(parsed->plan.lineText, c.line);
    EXPECT_EQ(Airports(parsed->plan), c.airports);
  }
}

TEST(PlanLine, EmptyFieldsInWholeLegsAreStillWellFormed) {
  auto parsed = ParseFlightPlanLine("AC#1,,,,,,,,,,");
  ASSERT_TRUE(parsed.has_value());
  EXPECT_TRUE(parsed->wellFormed);
  EXPECT_EQ(Airports(parsed->plan), (Codes{""}));
}

TEST(PlanLine, RewriteChangesOnlyTheAircraftId) {
  EXPECT_EQ(RewritePlanLine("AC#3,N1,100%,24Hr,IFR,07:00:00,08:00:00,050,F,0001,EGLL  ", "AC#12"),
            "AC#12,N1,100%,24Hr,IFR,07:00:00,08:00:00,050,F,0001,EGLL  ");
  EXPECT_EQ(RewritePlanLine("AC#3,", "AC#1"), "AC#1,");
  EXPECT_EQ(RewritePlanLine("nocomma", "AC#1"), "AC#1,nocomma");
}

}  // namespace
}  // namespace fm
