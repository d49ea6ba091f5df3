// The generate page: the redistribution compared byte for byte with its
// independent model on a few hundred random installations and on the cases
// that are easy to get wrong, and the page's own rules (buttons that stay
// enabled, saving). The whole wizard with the real embedded programs is
// wizard_pages_test's.
#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "resources/resource.h"
#include "tests/support/fake_os.h"
#include "tests/support/fixture_installation.h"
#include "tests/support/recording_sheet.h"
#include "tests/traffic/redistribution_model.h"
#include "traffic/traffic_lines.h"
#include "wizard/wizard.h"

namespace fm {
namespace {

using testing::ScopedFakeOs;
namespace model = testing::model;

// One page on a fresh wizard, working in a folder of its own, its state
// loaded as the imports load it: plans and categories through their lines.
struct GeneratePage {
  explicit GeneratePage(const model::ModelInput& input) {
    host.onDispatch = [this] { statusTexts.push_back(host.GetText(IDC_STATUS)); };
    WizardState& state = wizard.State();
    for (const auto& [name, patterns] : input.categoryTitlePatterns) {
      state.categories.AddConfigLine("[" + name + "]");
      std::string line = "<";
      for (const std::string& pattern : patterns) line += "\"" + pattern + "\" ";
      state.categories.AddConfigLine(line + ">");
    }
    for (const model::Model& source : input.aircraftModels) {
      AircraftModel& model = state.aircraftModels.emplace_back();
      model.category = source.category;
      for (const auto& [title, variation] : source.variations) {
        model.variations[title].atcAirline = variation.atcAirline;
        model.variations[title].useForAi = variation.useForAi;
      }
    }
    for (const auto& [icao, country] : input.airportCountry) {
      state.airportStore.AddAirport("Region", country, "", "City", icao + " Airport", icao);
    }
    for (const auto& [country, callsigns] : input.countryAirlines) {
      state.airportStore.Airlines().Add(country, callsigns);
    }
    for (const auto& [id, entry] : input.trafficAircraft) {
      state.trafficAircraft[id] = {entry.first, entry.second};
    }
    for (const std::string& line : input.planLines) {
      if (auto parsed = ParseFlightPlanLine(line)) state.flightPlans.push_back(parsed->plan);
    }
    state.workFolder = installation.WorkFolder();
  }
  std::string File(const char* name) const { return installation.ReadWorkFile(name); }

  // Generate with the method, then Save Only; what a user sees and gets.
  model::ModelOutput Run(bool randomly, std::uint32_t seed) {
    host.ComboSelect(IDC_DISTRIBUTION, randomly ? 1 : 0);  // sorted: Evenly, Randomly
    wizard.Generate().SetRandomSeed(seed);
    host.Press(IDC_GENERATE);
    host.Press(IDC_SAVE_ONLY);
    model::ModelOutput out{
        File("report.txt"), File("aircraft.txt"), File("FlightPlans.txt"), {}, {}, {}, statusTexts};
    for (const auto& box : sheet.boxes) {
      if (box.icon == BoxIcon::Warning) out.warningBoxes.push_back(box.text);
      if (box.text.rfind("Generation complete.", 0) == 0) out.completionBox = box.text;
    }
    for (int row = 0; row < host.ListRowCount(IDC_FLIGHT_COUNTS); ++row) {
      out.listRows.emplace_back(host.ListCell(IDC_FLIGHT_COUNTS, row, 0),
                                std::stoi(host.ListCell(IDC_FLIGHT_COUNTS, row, 1)));
    }
    return out;
  }

  testing::FixtureInstallation installation;
  CWizard wizard;
  testing::RecordingSheet sheet{&wizard};
  testing::RecordingHost& host = sheet.HostOf(4);
  std::vector<std::string> statusTexts;
};

// The product's run on the input, checked against the model's.
model::ModelOutput RunBoth(const model::ModelInput& input) {
  const model::ModelOutput product = GeneratePage(input).Run(input.randomly, input.seed);
  const model::ModelOutput expected = model::RunModel(input);
  EXPECT_EQ(product.report, expected.report);
  EXPECT_TRUE(product == expected) << "files, boxes, list rows or progress texts differ";
  return product;
}

// A few hundred random installations, reaching every line the run can
// write: every fallback, Evenly's ties, shared titles, AC#10 before AC#2.
TEST(GeneratePageTest, MatchesTheModelOnRandomInstallations) {
  ScopedFakeOs os;
  for (std::uint32_t seed = 1; seed <= 300 && !HasFailure(); ++seed) {
    SCOPED_TRACE("installation seed " + std::to_string(seed));
    RunBoth(model::RandomInstallation(seed));
  }
}

// One traffic aircraft "Boeing 737-400" of category Jet flying one leg to
// EGLL (United Kingdom).
model::ModelInput SmallInstallation() {
  model::ModelInput input;
  input.categoryTitlePatterns = {{"Jet", {"Boe"}}};
  input.airportCountry = {{"EGLL", "United Kingdom"}};
  input.trafficAircraft = {{"AC#1", {"250", "Boeing 737-400"}}};
  input.planLines = {"AC#1,N1,100%,24Hr,IFR,07:00:00,08:00:00,350,F,0001,EGLL"};
  return input;
}

// GLOBAL without callsigns, which the random installations never give, and
// damaged traffic as a user may hand it in: a line of a megabyte, binary
// bytes, plans cut short.
TEST(GeneratePageTest, GlobalWithoutCallsignsAndDamagedTraffic) {
  ScopedFakeOs os;
  const std::string plan = SmallInstallation().planLines[0];
  std::string huge = "AC#1,N1,100%,24Hr,IFR", binary = "AC#1,";
  while (huge.size() < (1u << 20)) huge += ",07:00:00,08:00:00,350,F,0001,EGLL";
  for (int c = 1; c < 256; ++c) {
    if (c != '\n' && c != '\r') binary += static_cast<char>(c);
  }
  const struct {
    const char* name;
    std::vector<model::Model> models;
    std::map<std::string, std::set<std::string>> airlines;
    std::vector<std::string> plans;
    const char* reportPart;   // must occur in the report
    const char* aircraftTxt;  // the whole saved aircraft.txt
  } cases[] = {
      {"GLOBAL without callsigns: no endless loop, the aircraft without airline flies",
       {{"Jet", {{"Private", {"Private", ""}}}}},
       {{"GLOBAL", {}}},
       {plan},
       "Valid callsigns are \r\nNo match by callsign found, retry to fit using GLOBAL\r\n"
       "For fl. \"EGLL(GLOBAL)\" was used \"Boeing 737-400\" (1 a/c in the same cat. [Jet]). "
       "Valid callsigns are \r\nGA a/c will be used for this flight\r\nPrivate was selected",
       "AC#1,250,\"Private\"\r\n"},
      {"damaged traffic: what is left of a plan flies",
       {{"Jet", {{"A", {"A", ""}}}}},
       {{"United Kingdom", {""}}},
       {huge, binary, "AC#1", "AC#1,N1,100%", "AC#1,N1,100%,24Hr,IFR,07:00:00,08",
        ",,,,,,,,,,,,,,,,", "\x1A\x7F,\xFF"},
       "A was selected",
       "AC#1,250,\"A\"\r\n"},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.name);
    model::ModelInput input = SmallInstallation();
    input.aircraftModels = test.models;
    input.countryAirlines = test.airlines;
    input.planLines = test.plans;
    const model::ModelOutput product = RunBoth(input);
    EXPECT_NE(product.report.find(test.reportPart), std::string::npos) << product.report;
    EXPECT_EQ(product.aircraftTxt, test.aircraftTxt);
  }
}

TEST(GeneratePageTest, RandomlyDrawsTheKnownSequence) {
  TrafficRandom random(1);
  std::vector<int> draws;
  for (int i = 0; i < 5; ++i) draws.push_back(random.Draw());
  EXPECT_EQ(draws, (std::vector<int>{41, 18467, 6334, 26500, 19169}));
}

TEST(GeneratePageTest, ButtonsOnceEnabledStayAndSaveAndCompileCanBeCancelled) {
  ScopedFakeOs os;
  model::ModelInput input = SmallInstallation();
  input.aircraftModels = {{"Jet", {{"A", {"A", ""}}}}};
  input.countryAirlines = {{"United Kingdom", {""}}};
  GeneratePage page(input);
  testing::RecordingHost& host = page.host;
  auto enabled = [&] {
    int count = 0;
    for (int id : {IDC_GENERATE, IDC_VIEW_REPORT, IDC_EDIT_AIRCRAFT, IDC_EDIT_FLIGHTPLANS,
                   IDC_SAVE_ONLY, IDC_SAVE_AND_COMPILE, IDC_COMPILE_ONLY}) {
      count += host.IsControlEnabled(id);
    }
    return count;
  };
  host.Press(IDC_GENERATE);
  // Cancel in the confirmation: saved, but no compiler started.
  page.sheet.answers.push_back(BoxAnswer::Cancel);
  host.Press(IDC_SAVE_AND_COMPILE);
  EXPECT_TRUE(os.startedCommands.empty());
  EXPECT_EQ(page.File("aircraft.txt"), "AC#1,250,\"A\"\r\n");
  EXPECT_EQ(enabled(), 7);

  // A run refused (the report's name taken by a folder; its box is the
  // fault table's) keeps the last run's tables, list and buttons.
  const std::string report = page.installation.WorkPath("report.txt");
  ASSERT_TRUE(RemoveFile(report) && MakeDirectory(report));
  host.Press(IDC_GENERATE);
  EXPECT_EQ(host.ListRowCount(IDC_FLIGHT_COUNTS), 1);
  EXPECT_EQ(enabled(), 7) << "buttons once enabled stay enabled";
}

}  // namespace
}  // namespace fm
