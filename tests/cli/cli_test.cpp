// fleetmix-cli: its command line, its console output, and whole runs over a
// fixture installation (the summary's figures, exclusions, seeded runs,
// failing steps).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/console_page_host.h"
#include "cli/main_job.h"
#include "geo/airport_cache.h"
#include "platform/file_paths.h"
#include "platform/file_system.h"
#include "platform/file_text.h"
#include "tests/support/fixture_installation.h"
#include "tests/support/traffic_scenarios.h"

namespace fm::cli {
namespace {

using Action = ParsedCommandLine::Action;

// Everything written to a temporary stream.
std::string Contents(std::FILE* stream) {
  std::fflush(stream);
  std::rewind(stream);
  std::string text;
  char buffer[4096];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, stream)) > 0) text.append(buffer, n);
  return text;
}

TEST(CliOptions, RefusalsSayWhatWasRefused) {
  const std::vector<Subcommand> commands = {{"check", "checks", nullptr}};
  struct Case {
    std::vector<std::string> arguments;
    std::string error;
  };
  const Case cases[] = {
      {{"--frobnicate"}, "unknown option '--frobnicate'"},
      {{"-x"}, "unknown option '-x'"},
      {{"--fs-root"}, "--fs-root needs a value"},
      {{"--work-dir="}, "--work-dir needs a value"},
      {{"--airports", "disk"}, "--airports takes import or cache, not 'disk'"},
      {{"--traffic=bgl"}, "--traffic takes decompile or files, not 'bgl'"},
      {{"--method", "Evenly"}, "--method takes evenly or randomly, not 'Evenly'"},
      {{"--save", "yes"}, "--save takes none, save or compile, not 'yes'"},
      {{"--method=randomly", "--seed", "-1"},
       "--seed takes a whole number from 0 to 4294967295, not '-1'"},
      {{"--method=randomly", "--seed", "4294967296"},
       "--seed takes a whole number from 0 to 4294967295, not '4294967296'"},
      {{"--method=randomly", "--seed", "12x"},
       "--seed takes a whole number from 0 to 4294967295, not '12x'"},
      {{"--seed", "5"}, "--seed is the seed of --method randomly; evenly draws no numbers"},
      {{"--save", "none", "--save", "save"}, "--save is given more than once"},
      {{"--method", "evenly", "stray"}, "unexpected argument 'stray'"},
      {{"restore"}, "unknown command 'restore'"},
  };
  for (const Case& c : cases) {
    const ParsedCommandLine parsed = ParseCommandLine(c.arguments, commands);
    EXPECT_EQ(parsed.action, Action::kUsageError) << c.error;
    EXPECT_EQ(parsed.error, c.error);
  }
}

TEST(CliOptions, AcceptedCommandLines) {
  const std::vector<Subcommand> commands = {{"check", "checks", nullptr}};
  ParsedCommandLine parsed =
      ParseCommandLine({"--fs-root", "/fs", "--work-dir=/w", "--airports", "import", "--traffic",
                        "files", "--method", "randomly", "--seed", "4294967295", "--save=compile",
                        "--exclude", "A B", "--exclude=C"},
                       commands);
  ASSERT_EQ(parsed.action, Action::kRun) << parsed.error;
  const CliOptions& o = parsed.options;
  EXPECT_EQ(o.fsRoot, "/fs");
  EXPECT_EQ(o.workDir, "/w");
  EXPECT_EQ(o.airports, AirportSource::kImport);
  EXPECT_EQ(o.traffic, TrafficSource::kFiles);
  EXPECT_TRUE(o.randomly);
  EXPECT_EQ(o.seed, 4294967295u);
  EXPECT_EQ(o.save, SaveMode::kCompile);
  EXPECT_EQ(o.exclude, (std::vector<std::string>{"A B", "C"}));

  parsed = ParseCommandLine({}, commands);
  EXPECT_EQ(parsed.action, Action::kRun);
  EXPECT_EQ(parsed.options.airports, AirportSource::kCacheElseImport);
  EXPECT_EQ(parsed.options.save, SaveMode::kSave);
  EXPECT_FALSE(parsed.options.randomly);

  EXPECT_EQ(ParseCommandLine({"--seed", "3", "--help"}).action, Action::kHelp);
  EXPECT_EQ(ParseCommandLine({"--version"}).action, Action::kVersion);
  parsed = ParseCommandLine({"check", "--fs-root", "x"}, commands);
  ASSERT_EQ(parsed.action, Action::kSubcommand);
  EXPECT_STREQ(parsed.subcommand->name, "check");
  EXPECT_EQ(parsed.subcommandArguments, (std::vector<std::string>{"--fs-root", "x"}));
  EXPECT_NE(HelpText(commands).find("  check                  checks\n"), std::string::npos);
}

TEST(ConsoleOutput, ProgressAndMessagesOnATerminalAndElsewhere) {
  struct Case {
    bool terminal;
    std::string expected;
  };
  const Case cases[] = {
      {false,
       "10% processed\n20% processed\ninfo: done\nquestion: go on? [OK]\n"
       "error: broken\nwarning: odd\nstep\n"},
      {true,
       "\r10% processed\r20% processed\ninfo: done\nquestion: go on? [OK]\n"
       "error: broken\nwarning: odd\n\rstep\n"},
  };
  for (const Case& c : cases) {
    std::FILE* stream = std::tmpfile();
    ASSERT_NE(stream, nullptr);
    ConsoleOutput output(stream, c.terminal);
    ConsolePageHost host(0, output);
    host.questionAnswer = BoxAnswer::Ok;
    host.SetText(1008, "10% processed");
    host.SetText(1008, "10% processed");  // unchanged: nothing new
    host.SetText(1008, "20% processed");
    host.SetText(1009, "not the status line");
    host.ShowMessage("done", BoxIcon::Information, "caption");
    EXPECT_EQ(host.ShowMessage("go on?", BoxIcon::Question, "caption"), BoxAnswer::Ok);
    host.ShowMessage("broken", BoxIcon::Error, "caption");
    host.ShowMessage("odd", BoxIcon::Warning, "caption");
    host.SetText(1008, "step");
    output.EndProgressLine();
    EXPECT_EQ(Contents(stream), c.expected) << (c.terminal ? "terminal" : "plain");
    std::fclose(stream);
  }
}

TEST(ConsoleOutput, AShorterProgressTextBlanksTheRestOfTheLongerOne) {
  std::FILE* stream = std::tmpfile();
  ASSERT_NE(stream, nullptr);
  ConsoleOutput output(stream, true);
  output.Status("Loading AI Traffic");
  output.Status("Sorting");
  output.Line("done");
  EXPECT_EQ(Contents(stream), "\rLoading AI Traffic\rSorting           \ndone\n");
  std::fclose(stream);
}

// A plan of AC id with one leg to each airport.
std::string Plan(const std::string& id, const std::vector<std::string>& airports) {
  std::string line = id + ",N1,100%,24Hr,IFR";
  for (const std::string& icao : airports) line += ",07:00:00,08:00:00,050,F,0001," + icao;
  return line + "\n";
}

std::string Aircraft(const std::string& type, const std::string& title,
                     const std::string& airline) {
  return "[General]\natc_type=" + type + "\n[fltsim.0]\ntitle=" + title +
         "\nui_manufacturer=Maker\nui_type=" + type + "\nui_variation=" + title +
         (airline.empty() ? "" : "\natc_airline=" + airline) + "\n";
}

// Three categories, one without an installed aircraft; two airlines of the
// United Kingdom, one GLOBAL, one aircraft without airline; seven plans:
// two flown by a British airline, one (France has no airline) by the GLOBAL
// one, one by the aircraft without airline, one left out for want of a
// helicopter, one whose title is in no category, one of an aircraft that
// Aircraft.txt does not have.
class CliRun : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(installation_.IsReady());
    installation_.WorkFile("air_class.cfg",
                           "[Heli]\nBELL\n<\"Bell\">\n[Jet]\nJET\n<\"Boeing\">\n"
                           "[Prop]\nPROP\n<\"Dash\">\n");
    installation_.WorkFile("air_nat.cfg", "GLOBAL/GIANT\nUnited Kingdom/SPEEDBIRD\n");
    installation_.AddAircraft("JetUK", Aircraft("JET", "Jet UK", "SPEEDBIRD"));
    installation_.AddAircraft("JetSpare", Aircraft("JET", "Jet Spare", "SPEEDBIRD"));
    installation_.AddAircraft("JetGlobal", Aircraft("JET", "Jet Global", "GIANT"));
    installation_.AddAircraft("PropPrivate", Aircraft("PROP", "Prop Private", ""));
    AirportStore airports;
    testing::AddScenarioAirports(airports);
    ASSERT_TRUE(SaveCache(airports, installation_.WorkPath(kCacheFile)));
    installation_.WorkFile("Aircraft.txt",
                           "AC#1,250,\"Boeing 737\"\nAC#2,100,\"Cessna 172\"\n"
                           "AC#3,200,\"Dash 8\"\nAC#4,120,\"Bell 206\"\n");
    plans_ = Plan("AC#1", {"EGLL"}) + Plan("AC#1", {"EGLL", "LFPG"}) + Plan("AC#1", {"LFPG"}) +
             Plan("AC#3", {"EGLL"}) + Plan("AC#4", {"EGLL"}) + Plan("AC#2", {"EGLL"}) +
             Plan("AC#9", {"EGLL"});
    installation_.WorkFile("FlightPlans.txt", plans_);
    options_ = {};
    options_.fsRoot = installation_.Root();
    options_.workDir = installation_.WorkFolder();
    options_.traffic = TrafficSource::kFiles;
  }

  int Run() {
    std::FILE* messages = std::tmpfile();
    std::FILE* summary = std::tmpfile();
    ConsoleOutput output(messages, false);
    const int status = RunMainJob(options_, output, summary);
    messages_ = Contents(messages);
    summary_ = Contents(summary);
    std::fclose(messages);
    std::fclose(summary);
    return status;
  }

  testing::FixtureInstallation installation_;
  std::string plans_;
  CliOptions options_;
  std::string messages_, summary_;
};

TEST_F(CliRun, TheSummaryCountsEveryPlanAndNamesTheFiles) {
  options_.exclude = {"Jet Spare"};
  ASSERT_EQ(Run(), kExitSuccess) << messages_;
  const std::string work = installation_.WorkFolder();
#if defined(_WIN32)
  const char* aircraftFile = "aircraft.txt";  // the name written; the file system ignores case
#else
  const char* aircraftFile = "Aircraft.txt";  // the file there, whose name differs in case
#endif
  const std::string expected =
      "\nSummary\n"
      "  flight plans read                                7\n"
      "  generated                                        4\n"
      "  left out                                         3\n"
      "    traffic aircraft in no category                1\n"
      "    aircraft missing from Aircraft.txt             1\n"
      "    no installed aircraft found                    1\n"
      "  flights matched\n"
      "    by an airline of a visited country             2\n"
      "    by a GLOBAL airline                            1\n"
      "    by an aircraft without airline                 1\n"
      "\nBusiest installed aircraft (flights)\n"
      "        2  Jet UK\n"
      "        1  Jet Global\n"
      "        1  Prop Private\n"
      "\nFiles\n"
      "  report             " +
      JoinPath(work, "report.txt") +
      "\n"
      "  new aircraft       " +
      JoinPath(work, aircraftFile) +
      "\n"
      "  new flight plans   " +
      JoinPath(work, "FlightPlans.txt") + "\n";
  EXPECT_EQ(summary_, expected);
  EXPECT_NE(messages_.find("excluded: Jet Spare\n"), std::string::npos) << messages_;
  EXPECT_NE(messages_.find("info: Generation complete. 4 plans generated.\n"), std::string::npos);
  const std::string saved = installation_.ReadWorkFile("FlightPlans.txt");
  EXPECT_EQ(saved.substr(0, 5), "AC#1,");
  EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), 4) << saved;
}

TEST_F(CliRun, TheSameSeedGivesTheSameReport) {
  std::string many = plans_;
  for (int i = 0; i < 40; ++i) many += Plan("AC#1", {"EGLL"});
  options_.randomly = true;
  options_.seed = 20021;
  options_.save = SaveMode::kNone;
  std::string reports[2];
  for (std::string& report : reports) {
    installation_.WorkFile("FlightPlans.txt", many);
    ASSERT_EQ(Run(), kExitSuccess) << messages_;
    report = installation_.ReadWorkFile("report.txt");
  }
  EXPECT_EQ(reports[0], reports[1]);
  // Both British aircraft had their share: the choice was a draw.
  EXPECT_NE(reports[0].find("Jet Spare was selected"), std::string::npos);
  EXPECT_NE(reports[0].find("Jet UK was selected"), std::string::npos);
}

// The two commands beside a run: the check reads the same inputs and tells
// what a run would lose; the restore puts the backup back, or refuses.
TEST_F(CliRun, CheckAndRestoreCommands) {
  options_.checkOnly = true;
  EXPECT_EQ(Run(), 4) << messages_;
  EXPECT_NE(summary_.find("Traffic titles that no category claims"), std::string::npos) << summary_;
  EXPECT_EQ(installation_.ReadWorkFile("report.txt"), "") << "a check generates nothing";

  auto restore = [&](const std::vector<std::string>& arguments, std::string& text) {
    std::FILE* messages = std::tmpfile();
    std::FILE* out = std::tmpfile();
    ConsoleOutput output(messages, false);
    const int status = RunRestore(arguments, output, out);
    text = Contents(messages) + Contents(out);
    std::fclose(messages);
    std::fclose(out);
    return status;
  };
  std::string text;
  EXPECT_EQ(restore({"--fs-root"}, text), kExitUsage) << text;
  RemoveFile(installation_.BackupTrafficBglPath());  // the check's traffic import made one
  EXPECT_EQ(restore({"--fs-root", installation_.Root()}, text), 3);
  EXPECT_NE(text.find("error: Cannot restore the traffic"), std::string::npos) << text;

  installation_.SetTrafficBgl("new traffic");
  ASSERT_TRUE(WriteFileBytes(installation_.BackupTrafficBglPath(), "first traffic"));
  EXPECT_EQ(restore({"--fs-root=" + installation_.Root()}, text), kExitSuccess) << text;
  std::string restored;
  ASSERT_TRUE(ReadFileBytes(installation_.TrafficBglPath(), restored));
  EXPECT_EQ(restored, "first traffic");
}

TEST_F(CliRun, FailingStepsEndWithTheirStatus) {
  struct Case {
    const char* name;
    std::function<void(testing::FixtureInstallation&, CliOptions&)> setUp;
    int status;
    std::string message;
  };
  const Case cases[] = {
      {"no air_class.cfg: the wizard ends itself",
       [](auto& in, auto&) { RemoveFile(in.WorkPath("air_class.cfg")); }, kExitEnded,
       "error: Cannot find air_class.cfg\n"},
      {"no aircraft",
       [](auto& in, auto&) {
         RemoveTree(in.RootPath("AIRCRAFT"));
         MakeDirectory(in.RootPath("AIRCRAFT"));
       },
       kExitStepFailed, "error: no aircraft was imported"},
      {"an unknown title to exclude", [](auto&, auto& o) { o.exclude = {"Jet Nowhere"}; },
       kExitUsage, "error: --exclude: no installed aircraft has the title 'Jet Nowhere'\n"},
      {"no cache to load",
       [](auto& in, auto& o) {
         RemoveFile(in.WorkPath("sccache.txt"));
         o.airports = AirportSource::kCache;
       },
       kExitStepFailed, "warning: Cache file is not yet present, or is not valid. Import first\n"},
      {"no traffic files", [](auto& in, auto&) { RemoveFile(in.WorkPath("FlightPlans.txt")); },
       kExitStepFailed, "error: Cannot find the files after decompilation. Import has failed.\n"},
      {"a working folder that is not there", [](auto&, auto& o) { o.workDir += "/missing"; },
       kExitUsage, "error: --work-dir: no folder"},
  };
  for (const Case& c : cases) {
    SetUp();
    c.setUp(installation_, options_);
    const std::string plans = installation_.ReadWorkFile("FlightPlans.txt");
    EXPECT_EQ(Run(), c.status) << c.name << "\n" << messages_;
    EXPECT_NE(messages_.find(c.message), std::string::npos) << c.name << "\n" << messages_;
    EXPECT_EQ(installation_.ReadWorkFile("FlightPlans.txt"), plans) << c.name << ": nothing saved";
  }
}

}  // namespace
}  // namespace fm::cli
