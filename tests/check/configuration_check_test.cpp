// The configuration check on a fixture installation (nothing on a
// consistent one, every kind of finding on a changed one), and the restore
// of the traffic backup changing nothing when a step fails (its runs with
// and without a backup are cli-demo-run.sh's).
#include <gtest/gtest.h>

#include <sstream>

#include "aircraft/aircraft_scan.h"
#include "check/configuration_check.h"
#include "check/traffic_restore.h"
#include "geo/air_nat.h"
#include "platform/file_system.h"
#include "platform/file_text.h"
#include "tests/support/fake_os.h"
#include "tests/support/fixture_installation.h"

namespace fm {
namespace {

using testing::FixtureInstallation;

struct Inputs {
  std::vector<std::string> airClass = {"[Airliner]",  "737", "<\"Boeing 737\">",
                                       "[Turboprop]", "ATR", "<\"ATR 72\">"};
  std::map<std::string, std::string> aircraftCfgs = {
      {"B737",
       "[general]\natc_type=Boeing\natc_model=737-800\n"
       "[fltsim.0]\ntitle=Boeing 737 Speedbird\natc_airline=SPEEDBIRD\n"
       "[fltsim.1]\ntitle=Boeing 737 Lufthansa\natc_airline=LUFTHANSA\n"},
      {"ATR72",
       "[general]\natc_type=ATR\natc_model=72-500\n"
       "[fltsim.0]\ntitle=ATR 72 Air France\natc_airline=AIRFRANS\n"}};
  std::vector<std::string> airNat = {"; callsigns of every country",
                                     "",
                                     "GLOBAL/SPEEDBIRD",          // line 3
                                     "United Kingdom/SPEEDBIRD",  // line 4
                                     "France/AIRFRANS",           // line 5
                                     "Germany/LUFTHANSA"};        // line 6
  std::map<std::string, std::string> traffic = {{"AC#1", "Boeing 737-800 BA"},
                                                {"AC#2", "ATR 72 Air France"}};
  std::vector<std::pair<std::string, std::vector<std::string>>> plans = {
      {"AC#1", {"EGLL", "LFPG"}}, {"AC#2", {"LFPG", "EDDF"}}, {"AC#1", {"EGLL", "EDDF"}}};
};

// The check's status and output.
std::pair<int, std::string> RunCheck(const Inputs& in) {
  FixtureInstallation fixture;
  EXPECT_TRUE(fixture.IsReady());
  WizardState state;
  for (const std::string& line : in.airClass) state.categories.AddConfigLine(line);
  for (const auto& [folder, text] : in.aircraftCfgs) fixture.AddAircraft(folder, text);
  ScanAircraftFolders(fixture.RootPath("AIRCRAFT"), state.categories, state.aircraftModels);
  for (const auto& [icao, country] :
       {std::pair{"EGLL", "United Kingdom"}, {"LFPG", "France"}, {"EDDF", "Germany"}}) {
    state.airportStore.AddAirport("Europe", country, "", "City", std::string("Airport ") + icao,
                                  icao);
  }
  std::string airNat;
  for (const std::string& line : in.airNat) airNat += line + "\n";
  const std::string airNatPath = fixture.WorkFile("air_nat.cfg", airNat);
  EXPECT_EQ(ReadAirNatFile(airNatPath, state.airportStore.Airlines()), AirNatRead::Loaded);
  for (const auto& [id, title] : in.traffic) state.trafficAircraft[id] = {"300", title};
  for (const auto& [id, airports] : in.plans) {
    FlightPlan& plan = state.flightPlans.emplace_back(FlightPlan{id + ",...", id, {}});
    for (const std::string& airport : airports) plan.legs.push_back({airport});
  }
  std::ostringstream out;
  const int status = RunConfigurationCheck(state, airNatPath, out);
  return {status, out.str()};
}

// The findings between the first line, which counts the inputs, and the
// last, which counts the findings.
std::string Findings(const Inputs& in) {
  const auto [status, output] = RunCheck(in);
  EXPECT_EQ(status, kCheckFoundProblems);
  const size_t first = output.find('\n') + 1;
  return output.substr(first, output.rfind("\n\n") + 1 - first);
}

// Each kind of finding once (the installed variation in no category is the
// check's one finding on the demo, cli-demo-run.sh). air_nat.cfg without a
// GLOBAL line has an installation of its own, as the fallback to GLOBAL
// is one of the other findings.
TEST(ConfigurationCheckTest, EachKindOfProblemIsFoundWithItsLines) {
  EXPECT_EQ(RunCheck(Inputs{}),
            std::pair(kCheckClean,
                      std::string("Checked 3 installed variations, 2 categories, 2 traffic titles "
                                  "in 3 flight plans, 3 airports and 4 countries of air_nat.cfg.\n"
                                  "No problems found.\n")));
  Inputs in;
  // A category without installed aircraft, one shadowed by an earlier one.
  in.airClass.insert(in.airClass.end(), {"[Regional]", "CRJ", "<\"Canadair\">", "[Jet]", "737"});
  in.traffic["AC#3"] = "Canadair CRJ Lufthansa";
  in.traffic["AC#4"] = "Fokker 50 KLM";  // in no category
  // AC#9 is not in Aircraft.txt, the scenery lacks ZZZZ.
  for (const char* id : {"AC#3", "AC#3", "AC#4", "AC#4", "AC#9"})
    in.plans.push_back({id, {"EGLL", "EGLL"}});
  in.plans.push_back({"AC#1", {"EGLL", "ZZZZ"}});
  in.airNat[4] = "France /AIRFRANS";
  // An installed callsign spelt otherwise: its country carries nothing.
  std::string& cfg = in.aircraftCfgs["B737"];
  cfg.replace(cfg.rfind("LUFTHANSA"), 9, "Lufthansa");
  EXPECT_EQ(
      Findings(in),
      "\nCategories that no installed aircraft falls into (2, 2 flights left out):\n"
      "  \"Jet\": 0 flights left out; its pattern \"737\" matches \"Boeing 737 Lufthansa\", "
      "which falls into \"Airliner\" first\n"
      "  \"Regional\": 2 flights left out\n"
      "\nTraffic titles that no category claims (1, 2 flights left out):\n"
      "  \"Fokker 50 KLM\": 2 flights\n"
      "\nAircraft of flight plans that Aircraft.txt does not hold (1, 1 flight left out):\n"
      "  AC#9: 1 flight\n"
      "\nAirports of the traffic that the loaded scenery does not hold, without a country "
      "(1, 1 leg):\n"
      "  \"ZZZZ\": 1 leg\n"
      "\nAirport countries that air_nat.cfg does not name (1, 2 legs):\n"
      "  \"France\": 2 legs; air_nat.cfg line 5 names \"France \"\n"
      "\nInstalled callsigns that no country of air_nat.cfg lists (1, 1 variation):\n"
      "  \"Lufthansa\": 1 variation; air_nat.cfg has \"LUFTHANSA\" (Germany, line 6)\n"
      "\nCountries of the traffic whose callsigns no installed aircraft carries (1, 2 legs):\n"
      "  line 6: \"Germany/LUFTHANSA\": its flights fall back to GLOBAL (2 legs)\n"
      "\nair_nat.cfg lines that are ignored or read otherwise than they look (1):\n"
      "  line 5: \"France /AIRFRANS\": a blank before the slash: the country is \"France \"\n");

  // air_nat.cfg lines ignored or read with blanks and empty callsigns; no
  // GLOBAL line, a near one.
  Inputs nat;
  nat.airNat[2] = "Global/SPEEDBIRD";
  nat.airNat[3] = "United Kingdom/SPEEDBIRD, EASY";
  nat.airNat.insert(nat.airNat.end(),
                    {"Italy", "x", "\tGermany/CONDOR", "; Spain", "Spain/ IBERIA,,VUELING "});
  EXPECT_EQ(Findings(nat),
            "\nair_nat.cfg lines that are ignored or read otherwise than they look (5):\n"
            "  line 4: \"United Kingdom/SPEEDBIRD, EASY\": a blank after a comma: the callsign is "
            "\" EASY\"\n"
            "  line 7: \"Italy\": no slash: the line is ignored\n"
            "  line 8: \"x\": a single character: the line is ignored\n"
            "  line 9: \"\tGermany/CONDOR\": \"Germany\" is named on line 6 already: the line is "
            "ignored\n"
            "  line 11: \"Spain/ IBERIA,,VUELING \": a blank after the slash: the callsign is "
            "\" IBERIA\"; an empty callsign (a comma too many): aircraft without an airline "
            "qualify for \"Spain\"\n"
            "\nair_nat.cfg has no GLOBAL line (1):\n"
            "  a flight whose countries give no aircraft goes straight to the aircraft without an "
            "airline; air_nat.cfg line 3 names \"Global\"\n");
}

// A step that fails before the traffic is replaced (here the new content
// cannot be written) changes nothing, and the copy kept of the current
// traffic is removed again.
TEST(TrafficRestoreTest, AFailedStepChangesNothing) {
  FixtureInstallation fixture;
  ASSERT_TRUE(fixture.IsReady());
  const std::string traffic = fixture.TrafficBglPath();
  fixture.AddRootFile("SCENEDB/ATC/BACKUP_TRAFFIC.BGL", "original traffic");
  fixture.SetTrafficBgl("new traffic");
  testing::ScopedFakeOs os;
  os.Fail(testing::FakeStep::Open, 0x1C);
  std::ostringstream out, err;
  EXPECT_EQ(RestoreTraffic(fixture.Root(), out, err), kRestoreFailed);
  EXPECT_NE(err.str().find("cannot be written (0x1C)"), std::string::npos) << err.str();
  std::string bytes;
  EXPECT_TRUE(ReadFileBytes(traffic, bytes) && bytes == "new traffic") << bytes;
  EXPECT_FALSE(PathExists(traffic + ".before-restore"));
  EXPECT_FALSE(PathExists(traffic + ".fmix-new"));
}

}  // namespace
}  // namespace fm
