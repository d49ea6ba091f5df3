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

}  // namespace
}  // namespace fm
