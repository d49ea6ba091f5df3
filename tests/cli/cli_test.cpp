// fleetmix-cli's console output, and a whole run over a fixture
// installation (the summary's figures, exclusions). Its command line and the
// runs of the program itself over the demo are cli-demo-run.sh's.
#include <gtest/gtest.h>

#include <cstdio>

#include "cli/console_page_host.h"
#include "cli/main_job.h"
#include "geo/airport_cache.h"
#include "tests/support/fixture_installation.h"
#include "tests/support/traffic_scenarios.h"

namespace fm::cli {
namespace {

// Everything written to a temporary stream, which is closed.
std::string Contents(std::FILE* stream) {
  std::rewind(stream);
  std::string text;
  for (int c; (c = std::fgetc(stream)) != EOF;) text += static_cast<char>(c);
  std::fclose(stream);
  return text;
}

TEST(ConsoleOutput, ProgressAndMessagesOnATerminalAndElsewhere) {
  for (const bool terminal : {false, true}) {
    std::FILE* stream = std::tmpfile();
    ConsoleOutput output(stream, terminal);
    ConsolePageHost host(0, output);
    host.questionAnswer = BoxAnswer::Ok;
    host.SetText(1008, "10% processed");
    host.SetText(1008, "10% processed");  // unchanged: nothing new
    host.SetText(1008, "20% processed");
    host.ShowMessage("done", BoxIcon::Information, "caption");
    EXPECT_EQ(host.ShowMessage("go on?", BoxIcon::Question, "caption"), BoxAnswer::Ok);
    host.ShowMessage("broken", BoxIcon::Error, "caption");
    host.ShowMessage("odd", BoxIcon::Warning, "caption");
    host.SetText(1008, "step");
    output.EndProgressLine();
    // A shorter progress text blanks the rest of the longer one.
    output.Status("Loading AI Traffic");
    output.Status("Sorting");
    output.Line("done");
    EXPECT_EQ(Contents(stream),
              terminal ? "\r10% processed\r20% processed\ninfo: done\nquestion: go on? [OK]\n"
                         "error: broken\nwarning: odd\n\rstep\n"
                         "\rLoading AI Traffic\rSorting           \ndone\n"
                       : "10% processed\n20% processed\ninfo: done\nquestion: go on? [OK]\n"
                         "error: broken\nwarning: odd\nstep\nLoading AI Traffic\nSorting\ndone\n");
  }
}

// Three categories, one without an installed aircraft; two airlines of the
// United Kingdom, one GLOBAL, one aircraft without airline; seven plans:
// two flown by a British airline, one (France has no airline) by the GLOBAL
// one, one by the aircraft without airline, one left out for want of a
// helicopter, one whose title is in no category, one of an aircraft that
// Aircraft.txt does not have. One of the British aircraft is excluded, so
// the other flies both British flights.
TEST(CliRun, TheSummaryCountsEveryPlan) {
  testing::FixtureInstallation installation;
  ASSERT_TRUE(installation.IsReady());
  installation.WorkFile(
      "air_class.cfg",
      "[Heli]\nBELL\n<\"Bell\">\n[Jet]\nJET\n<\"Boeing\">\n[Prop]\nPROP\n<\"Dash\">\n");
  installation.WorkFile("air_nat.cfg", "GLOBAL/GIANT\nUnited Kingdom/SPEEDBIRD\n");
  for (const auto& [type, title, airline] : {std::tuple{"JET", "Jet UK", "SPEEDBIRD"},
                                             {"JET", "Jet Spare", "SPEEDBIRD"},
                                             {"JET", "Jet Global", "GIANT"},
                                             {"PROP", "Prop Private", ""}}) {
    installation.AddAircraft(title, std::string("[General]\natc_type=") + type +
                                        "\n[fltsim.0]\ntitle=" + title +
                                        "\natc_airline=" + airline + "\n");
  }
  AirportStore airports;
  testing::AddScenarioAirports(airports);
  ASSERT_TRUE(SaveCache(airports, installation.WorkPath(kCacheFile)));
  installation.WorkFile("Aircraft.txt",
                        "AC#1,250,\"Boeing 737\"\nAC#2,100,\"Cessna 172\"\n"
                        "AC#3,200,\"Dash 8\"\nAC#4,120,\"Bell 206\"\n");
  std::string plans;
  for (const char* legs : {"AC#1 EGLL", "AC#1 EGLL LFPG", "AC#1 LFPG", "AC#3 EGLL", "AC#4 EGLL",
                           "AC#2 EGLL", "AC#9 EGLL"}) {
    std::string line = std::string(legs, 4) + ",N1,100%,24Hr,IFR";
    for (const char* at = legs + 4; *at; at += 5) {
      line += ",07:00:00,08:00:00,050,F,0001," + std::string(at + 1, 4);
    }
    plans += line + "\n";
  }
  installation.WorkFile("FlightPlans.txt", plans);
  CliOptions options;
  options.fsRoot = installation.Root();
  options.workDir = installation.WorkFolder();
  options.traffic = TrafficSource::kFiles;
  options.exclude = {"Jet Spare"};
  std::FILE* messageFile = std::tmpfile();
  std::FILE* summaryFile = std::tmpfile();
  ConsoleOutput output(messageFile, false);
  ASSERT_EQ(RunMainJob(options, output, summaryFile), kExitSuccess);
  std::fclose(messageFile);
  const std::string summary = Contents(summaryFile);
  EXPECT_EQ(summary.substr(0, summary.find("\nFiles\n")),
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
            "        1  Prop Private\n");
}

}  // namespace
}  // namespace fm::cli
