// The redistribution model on the cases it must get right before it can judge
// the product: each fallback's report lines, the random choice, the progress
// texts and the plan lines (Evenly and the new ids are checked on both sides
// by the generate page's tests).
#include "tests/traffic/redistribution_model.h"

#include <gtest/gtest.h>

#include <functional>

#include "tests/traffic/random_installation.h"

namespace fm::testing::model {
namespace {

// One plan line in the tools' format with a leg for each airport.
std::string PlanLine(const std::string& id, const std::vector<std::string>& airports) {
  std::string line = id;
  line += ",N1,100%,24Hr,IFR";
  for (const std::string& icao : airports) {
    line += ",07:00:00,08:00:00,050,F,0001,";
    line += icao;
  }
  return line;
}

// A Jet category for titles with "Boe", one traffic aircraft of it, two airports.
ModelInput Installation() {
  ModelInput input;
  input.categoryTitlePatterns = {{"Jet", {"Boe"}}, {"Prop", {"Cess"}}};
  input.airportCountry = {{"EGLL", "United Kingdom"}, {"LFPG", "France"}};
  input.trafficAircraft = {{"AC#1", {"250", "Boeing 737-400"}}};
  input.planLines = {PlanLine("AC#1", {"EGLL"})};
  return input;
}

Model Jet(std::map<std::string, Variation> variations) { return {"Jet", std::move(variations)}; }

const std::string kCallsignLine = "For fl. \"EGLL(United Kingdom)\" was used \"Boeing 737-400\" ";
const std::string kGlobalLine = "No match by callsign found, retry to fit using GLOBAL\r\n";
const std::string kGaLine = "GA a/c will be used for this flight\r\n";
const std::string kGlobalTry =
    "For fl. \"(GLOBAL)\" was used \"Boeing 737-400\" (1 a/c in the same cat. [Jet]). Valid "
    "callsigns are \r\n";

TEST(RedistributionModel, EmptyTrafficGivesEmptyOutputs) {
  ModelInput input = Installation();
  input.planLines = {"", "no comma here"};
  ModelOutput out = RunModel(input);
  EXPECT_EQ(out.report, "");
  EXPECT_EQ(out.aircraftTxt, "");
  EXPECT_EQ(out.flightPlansTxt, "");
  EXPECT_TRUE(out.listRows.empty());
  EXPECT_TRUE(out.statusTexts.empty());
  EXPECT_EQ(out.completionBox, "Generation complete. 0 plans generated.");
}

TEST(RedistributionModel, EachFallbackWritesItsReportLines) {
  struct Case {
    const char* name;
    std::function<void(ModelInput&)> setUp;
    std::string report;
  };
  const Variation ga{"Cessna GA", "", true};
  const Case cases[] = {
      {"no callsign for the countries: GLOBAL's",
       [](ModelInput& in) {
         in.countryAirlines = {{"GLOBAL", {"GLB"}}};
         in.aircraftModels = {Jet({{"Boeing GLB", {"Boeing GLB", "GLB"}}})};
         in.planLines = {PlanLine("AC#1", {"LFPG", "EGLL"})};
       },
       "For fl. \"EGLL,LFPG(France,United Kingdom)\" was used \"Boeing 737-400\" (1 a/c in the "
       "same cat. [Jet]). Valid callsigns are \r\n" +
           kGlobalLine +
           "For fl. \"EGLL,LFPG(GLOBAL)\" was used \"Boeing 737-400\" (1 a/c in the same cat. "
           "[Jet]). Valid callsigns are GLB\r\nBoeing GLB was selected for this flight.\r\n\r\n"},
      {"callsigns no aircraft carries: union with GLOBAL, no second line",
       [](ModelInput& in) {
         in.countryAirlines = {{"United Kingdom", {"BAW", "SHT"}}, {"GLOBAL", {"GLB"}}};
         in.aircraftModels = {Jet({{"Boeing GLB", {"Boeing GLB", "GLB"}}})};
       },
       kCallsignLine + "(1 a/c in the same cat. [Jet]). Valid callsigns are BAW,SHT\r\n" +
           "Boeing GLB was selected for this flight.\r\n\r\n"},
      {"no GLOBAL line: the GA aircraft after one GLOBAL try",
       [ga](ModelInput& in) {
         in.aircraftModels = {Jet({{"Boeing BAW", {"Boeing BAW", "BAW"}}, {ga.title, ga}})};
       },
       kCallsignLine + "(1 a/c in the same cat. [Jet]). Valid callsigns are \r\n" + kGlobalLine +
           "For fl. \"EGLL(GLOBAL)\" was used \"Boeing 737-400\" (1 a/c in the same cat. [Jet]). "
           "Valid callsigns are \r\n" +
           kGaLine + "Cessna GA was selected for this flight.\r\n\r\n"},
      {"an empty callsign piece takes the aircraft without airline at once",
       [ga](ModelInput& in) {
         in.countryAirlines = {{"United Kingdom", {""}}};
         in.aircraftModels = {Jet({{ga.title, ga}})};
       },
       kCallsignLine + "(1 a/c in the same cat. [Jet]). Valid callsigns are \r\n" +
           "Cessna GA was selected for this flight.\r\n\r\n"},
      {"only aircraft not for AI",
       [ga](ModelInput& in) {
         in.countryAirlines = {{"United Kingdom", {""}}};
         in.aircraftModels = {Jet({{ga.title, {ga.title, "", false}}})};
       },
       kCallsignLine + "(1 a/c in the same cat. [Jet]). Valid callsigns are \r\n" + kGaLine +
           "Cannot find appropriate airplane (even using GA planes), this flight will not be "
           "included in new traffic\r\n\r\nCould not find a match for flight EGLL,(GLOBAL,"
           "United Kingdom,)[ for aircraft Boeing 737-400 (MG# was 1)\r\n"},
      {"no model of the category",
       [ga](ModelInput& in) {
         in.countryAirlines = {{"United Kingdom", {"BAW"}}, {"GLOBAL", {""}}};
         in.aircraftModels = {{"Prop", {{ga.title, ga}}}};
         in.planLines = {PlanLine("AC#1", {"EGLL", "XXXX"})};
       },
       "WARNING:zero matching aircraft\r\nFor fl. \"EGLL,XXXX(,United Kingdom)\" was used "
       "\"Boeing 737-400\" (0 a/c in the same cat. [Jet]). Valid callsigns are BAW\r\n" +
           kGaLine +
           "Cannot find appropriate airplane (even using GA planes), this flight will not be "
           "included in new traffic\r\n\r\nCould not find a match for flight EGLL,XXXX,(,GLOBAL,"
           "United Kingdom,)[ for aircraft Boeing 737-400 (MG# was 0)\r\n"},
      {"a plan without legs: every attempt is a first one",
       [ga](ModelInput& in) {
         in.aircraftModels = {Jet({{ga.title, ga}})};
         in.planLines = {PlanLine("AC#1", {})};
       },
       "For fl. \"()\" was used \"Boeing 737-400\" (1 a/c in the same cat. [Jet]). Valid "
       "callsigns are \r\n" +
           kGlobalLine + kGlobalTry + kGaLine + kGlobalTry +
           "Cessna GA was selected for this flight.\r\n\r\n"},
      {"an aircraft id that Aircraft.txt lacks, once per id",
       [](ModelInput& in) {
         in.planLines = {PlanLine("AC#9", {"EGLL"}), PlanLine("AC#9", {"LFPG"})};
       },
       "Aircraft AC#9 of the flight plans is not in Aircraft.txt, therefore all flights it "
       "performed will not be included into the new AI traffic\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ModelInput input = Installation();
    c.setUp(input);
    EXPECT_EQ(RunModel(input).report, c.report);
  }
}

TEST(RedistributionModel, TitleWithoutCategoryIsReportedOnce) {
  ModelInput input = Installation();
  input.trafficAircraft = {{"AC#1", {"250", "Fokker 100"}}, {"AC#2", {"300", "Fokker 100"}}};
  input.planLines = {PlanLine("AC#1", {"EGLL"}), PlanLine("AC#2", {"EGLL"})};
  const std::string text =
      "Unable to determine what category 'Fokker 100' belongs to, therefore all flights it "
      "performed will not be included into the new AI traffic\n";
  ModelOutput out = RunModel(input);
  EXPECT_EQ(out.warningBoxes, std::vector<std::string>{text});
  EXPECT_EQ(out.report, text.substr(0, text.size() - 1) + "\r\n");
  EXPECT_TRUE(out.statusTexts.empty());
}

TEST(RedistributionModel, RandomlyWeighsTitlesByTheirCandidates) {
  ModelInput input = Installation();
  input.countryAirlines = {{"United Kingdom", {"BAW"}}};
  input.aircraftModels = {Jet({{"A", {"A", "BAW"}}}),
                          Jet({{"A", {"A", "BAW"}}, {"B", {"B", "BAW"}}})};
  input.planLines.assign(4, PlanLine("AC#1", {"EGLL"}));
  input.randomly = true;
  input.seed = 1;
  EXPECT_EQ(RunModel(input).listRows,
            (std::vector<std::pair<std::string, int>>{{"A", 3}, {"B", 1}}));
  input.aircraftModels = {Jet({{"A", {"A", "BAW"}}, {"B", {"B", "BAW"}}})};
  input.planLines.resize(1);
  input.seed = 1106900357;
  EXPECT_EQ(RunModel(input).listRows, (std::vector<std::pair<std::string, int>>{{"B", 1}}));
}

TEST(RedistributionModel, ProgressIsTruncatedFloatingPointPercent) {
  ModelInput input = Installation();
  input.countryAirlines = {{"United Kingdom", {""}}};
  input.aircraftModels = {Jet({{"A", {"A", "", true}}})};
  input.planLines.assign(50, PlanLine("AC#1", {"EGLL"}));
  input.planLines[10] = PlanLine("AC#9", {"EGLL"});  // counted, but shows no progress
  std::vector<std::string> expected;
  for (int plan = 1; plan <= 50; ++plan)
    if (plan != 11) expected.push_back(std::to_string(plan == 29 ? 57 : 2 * plan) + "% processed");
  EXPECT_EQ(RunModel(input).statusTexts, expected);  // 29 / 50 * 100 is just below 58
}

TEST(RedistributionModel, PlanLinesGiveTheAirportsOfTheirWholeLegs) {
  using Codes = std::vector<std::string>;
  const std::pair<const char*, Codes> cases[] = {
      {"AC#3,N1,100%,24Hr,IFR,07:00:00,08:00:00,050,F,0001,EGLL,09:00:00,10:00:00,050,F,0002,LFPG",
       {"EGLL", "LFPG"}},
      {"AC#1,,,,,,,,,,", {""}},
      {"AC#3,N1,100%,24Hr,IFR", {}},
      {"AC#3,N1,100%,24Hr,IFR,07:00:00,08:00:00,050,F,0001,EGLL,09:00:00,10:00", {"EGLL"}},
      {"AC#3,N1,100%,24Hr,IFR,07:00:00,08:00:00,050,F,0001,EGLL ,EXTRA", {"EGLL "}},
      {"AC#3,X,N1,100%,24Hr,IFR,07:00:00,08:00:00,050,F,0001,EGLL", {"0001"}},
  };
  for (const auto& [line, airports] : cases) {
    std::string id;
    Codes codes;
    EXPECT_TRUE(ParsePlanLine(line, id, codes));
    EXPECT_EQ(codes, airports) << line;
  }
  std::string id;
  Codes codes;
  EXPECT_FALSE(ParsePlanLine("", id, codes));
}

// Over a few hundred seeds the installations reach every line the run can write.
TEST(RandomInstallation, IsRepeatableAndReachesEveryOutcome) {
  EXPECT_EQ(DescribeInstallation(RandomInstallation(7)),
            DescribeInstallation(RandomInstallation(7)));
  const std::vector<std::string> lines = {"is not in Aircraft.txt", "Unable to determine",
                                          "WARNING:zero matching",  "retry to fit using GLOBAL",
                                          "GA a/c will be used",    "Cannot find appropriate",
                                          "was selected",           "Could not find a match"};
  std::map<std::string, int> seen;
  int randomly = 0, tenTitles = 0;
  for (std::uint32_t seed = 1; seed <= 300; ++seed) {
    ModelInput input = RandomInstallation(seed);
    ModelOutput out = RunModel(input);
    randomly += input.randomly;
    tenTitles += out.aircraftTxt.find("AC#10,") != std::string::npos;
    for (const std::string& line : lines) seen[line] += out.report.find(line) != std::string::npos;
  }
  for (const std::string& line : lines) EXPECT_GE(seen[line], 30) << line;
  EXPECT_GT(randomly, 100);
  EXPECT_GE(tenTitles, 3);
}

}  // namespace
}  // namespace fm::testing::model
