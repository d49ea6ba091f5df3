// The foundation as the user and the traffic tools see it: the lines of
// Aircraft.txt and FlightPlans.txt, the files the save leaves, the system
// services with their boxes and exits, and the wizard's buttons and help.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <list>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/file_text.h"
#include "resources/resource.h"
#include "tests/support/fake_os.h"
#include "tests/support/recording_sheet.h"
#include "traffic/traffic_files.h"
#include "traffic/traffic_lines.h"
#include "services/system_command_lines.h"
#include "services/system_services.h"
#include "wizard/wizard.h"

namespace fm {
namespace {

// ---------------------------------------------------------------- Aircraft.txt

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
  };
  for (const auto& c : cases) {
    auto parsed = ParseAircraftLine(c.line);
    ASSERT_TRUE(parsed.has_value()) << c.line;
    EXPECT_EQ(parsed->aircraftId, c.id) << c.line;
    EXPECT_EQ(parsed->aircraft.cruiseSpeed, c.speed) << c.line;
    EXPECT_EQ(parsed->aircraft.title, c.title) << c.line;
  }
  for (const char* ignored : {"AC#1,250", "AC#1", ""})
    EXPECT_FALSE(ParseAircraftLine(ignored).has_value()) << ignored;
}

TEST(AircraftLine, NoQuoteAfterTheSecondCommaGivesAnEmptyTitle) {
  // Counting from the line's start would take the id and speed as a title;
  // without a quote after the second comma the title is empty instead.
  auto parsed = ParseAircraftLine("AC#1,\"2,50,Boeing");
  ASSERT_TRUE(parsed.has_value());
  EXPECT_EQ(parsed->aircraft.title, "");
}

// ------------------------------------------------------------- FlightPlans.txt

std::vector<std::string> Airports(const FlightPlan& plan) {
  std::vector<std::string> codes;
  for (const FlightLeg& leg : plan.legs) codes.push_back(leg.airportId);
  return codes;
}

const std::string kTwoLegs =
    "AC#3,N1,100%,24Hr,IFR,07:00:00,08:00:00,050,F,0001,EGLL,09:00:00,10:00:00,050,F,0002,LFPG";

TEST(FlightPlanLine, IdAndTheAirportOfEachLeg) {
  const struct {
    std::string line;
    const char* id;
    std::vector<std::string> airports;
  } cases[] = {
      {kTwoLegs, "AC#3", {"EGLL", "LFPG"}},
      {"AC#12,G-ABCD,50%,WEEK,VFR,3/07:30:00,3/09:05:00,350,R,0000,KSEA", "AC#12", {"KSEA"}},
      // The last airport runs to the line's end, trailing blanks included.
      {kTwoLegs + "  ", "AC#3", {"EGLL", "LFPG  "}},
      {"AC#1,N1,100%,24Hr,IFR,07:00:00,08:00:00,050,F,0001,", "AC#1", {""}},
  };
  for (const auto& c : cases) {
    auto parsed = ParseFlightPlanLine(c.line);
    ASSERT_TRUE(parsed.has_value()) << c.line;
    EXPECT_EQ(parsed->plan.aircraftId, c.id);
    EXPECT_EQ(parsed->plan.lineText, c.line);
    EXPECT_EQ(Airports(parsed->plan), c.airports) << c.line;
    EXPECT_TRUE(parsed->wellFormed) << c.line;
    // Flown by another aircraft, the line keeps every byte after its first comma.
    EXPECT_EQ(RewritePlanLine(c.line, "AC#99"), "AC#99" + c.line.substr(c.line.find(',')));
  }
  for (const char* ignored : {"", "   ", "AC#3 N1 100%"})
    EXPECT_FALSE(ParseFlightPlanLine(ignored).has_value()) << ignored;
}

TEST(FlightPlanLine, LinesOfAnyLengthOrShapeEndAtTheirEnd) {
  std::string line = "AC#3,N1,100%,24Hr,IFR";
  for (int i = 0; i < 5000; ++i) line += ",07:00:00,08:00:00,050,F,0001,K" + std::to_string(i);
  auto parsed = ParseFlightPlanLine(line);
  ASSERT_TRUE(parsed.has_value());
  ASSERT_EQ(parsed->plan.legs.size(), 5000u);
  EXPECT_EQ(parsed->plan.legs.front().airportId, "K0");
  EXPECT_EQ(parsed->plan.legs.back().airportId, "K4999");
  // Hand-edited lines: whatever becomes of them, the walk ends at their end.
  for (const std::string line :
       {"AC#1,", "AC#1,N1,100%", "AC#1,N1,100%,24Hr,IFR,", "AC#1,N1,100%,24Hr,IFR,07:00:00",
        "AC#1,N1,100%,24Hr,IFR,07:00:00,08:00:00,050,F,0001,EGLL,",
        "AC#1,N1,100%,24Hr,IFR,07:00:00,08:00:00,050,F,0001,EGLL,09:00:00,,,,,,,,,,"}) {
    auto parsed = ParseFlightPlanLine(line);
    if (parsed) {
      EXPECT_EQ(parsed->plan.aircraftId, "AC#1") << line;
      EXPECT_EQ(parsed->plan.lineText, line);
    }
  }
}

// ------------------------------------------------------- the files as wholes

std::vector<std::string> NamesIn(const std::string& folder) {
  std::vector<DirEntry> entries;
  ReadDirectoryEntries(folder, entries);
  std::vector<std::string> names;
  for (const DirEntry& entry : entries) names.push_back(entry.name);
  std::sort(names.begin(), names.end());
  return names;
}

class TrafficFolder : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(folder_.empty()); }
  void TearDown() override { RemoveTree(folder_); }
  std::string Path(const std::string& name) const { return folder_ + "/" + name; }
  std::string Bytes(const std::string& name) const {
    std::string bytes;
    EXPECT_TRUE(ReadFileBytes(Path(name), bytes)) << name;
    return bytes;
  }
  const std::string folder_ = MakeUniqueTempFolder("fmref");
};

TEST_F(TrafficFolder, AircraftFileFirstLineOfAnIdWinsAndEveryTwoCommaLineCounts) {
  TrafficAircraftMap aircraft;
  int lines = 0;
  EXPECT_FALSE(ReadAircraftFile(Path("Aircraft.txt"), aircraft, lines));
  ASSERT_TRUE(WriteFileBytes(Path("Aircraft.txt"),
                             "AC#7,250,\"First Seven\"\r\n"
                             "AC#2,120,\"Two\rB\"\n"
                             "just one,comma\r\n"
                             "\r\n"
                             "AC#7,300,\"Second Seven\"\r\n"
                             "AC#10,450,\"Ten, \"the big one\"\""));
  ASSERT_TRUE(ReadAircraftFile(Path("Aircraft.txt"), aircraft, lines));
  EXPECT_EQ(lines, 4);
  ASSERT_EQ(aircraft.size(), 3u);
  EXPECT_EQ(aircraft["AC#7"].cruiseSpeed, "250");
  EXPECT_EQ(aircraft["AC#7"].title, "First Seven");
  EXPECT_EQ(aircraft["AC#2"].title, "Two\rB");  // a CR alone stays in the line
  EXPECT_EQ(aircraft["AC#10"].title, "Ten, \"the big one\"");
}

TEST_F(TrafficFolder, PlansFileKeepsFileOrderAndCountsLegsPerAirport) {
  std::list<FlightPlan> plans;
  FlightPlanCounts counts;
  EXPECT_FALSE(ReadFlightPlansFile(Path("FlightPlans.txt"), plans, counts));
  ASSERT_TRUE(WriteFileBytes(
      Path("FlightPlans.txt"),
      kTwoLegs + "\r\n\r\n"
                 "AC#1,N2,100%,WEEK,IFR,0/07:00:00,0/08:00:00,350,F,0003,LFPG\n"
                 "AC#2,N3,50%,12Hr,VFR,07:00:00,08:00:00,010,R,0000,EGLL,"
                 "09:00:00,10:00:00,010,R,0000,EDDF,11:00:00,12:00:00,010,R,0000,EGLL"));
  ASSERT_TRUE(ReadFlightPlansFile(Path("FlightPlans.txt"), plans, counts));
  ASSERT_EQ(plans.size(), 3u);
  std::vector<std::string> ids;
  for (const FlightPlan& plan : plans) ids.push_back(plan.aircraftId);
  EXPECT_EQ(ids, (std::vector<std::string>{"AC#3", "AC#1", "AC#2"}));
  EXPECT_EQ(plans.front().lineText, kTwoLegs);
  EXPECT_EQ(Airports(plans.back()), (std::vector<std::string>{"EGLL", "EDDF", "EGLL"}));
  EXPECT_EQ(counts.plans, 3);
  EXPECT_EQ(counts.legs, 6);
  EXPECT_EQ(counts.legsPerAirport,
            (std::map<std::string, int>{{"EDDF", 1}, {"EGLL", 3}, {"LFPG", 2}}));
}

TEST_F(TrafficFolder, SaveWritesAscendingIdsAndPlanLinesWithCrLf) {
  ASSERT_TRUE(WriteTrafficFiles(folder_, {}, {}, nullptr));
  EXPECT_EQ(Bytes("aircraft.txt") + Bytes("FlightPlans.txt"), "");
  TrafficAircraftMap aircraft{
      {"AC#2", {"120", "Two"}}, {"AC#10", {"450", "Ten, \"big\""}}, {"AC#1", {"250", ""}}};
  std::vector<std::string> lines{"AC#10,N1,100%,24Hr,IFR,07:00:00,08:00:00,050,F,0001,EGLL  ",
                                 "AC#2,x"};
  ASSERT_TRUE(WriteTrafficFiles(folder_, aircraft, lines, nullptr));
  EXPECT_EQ(NamesIn(folder_), (std::vector<std::string>{"FlightPlans.txt", "aircraft.txt"}));
  EXPECT_EQ(Bytes("aircraft.txt"),
            "AC#1,250,\"\"\r\nAC#10,450,\"Ten, \"big\"\"\r\nAC#2,120,\"Two\"\r\n");
  EXPECT_EQ(Bytes("FlightPlans.txt"),
            "AC#10,N1,100%,24Hr,IFR,07:00:00,08:00:00,050,F,0001,EGLL  \r\nAC#2,x\r\n");
}

TEST_F(TrafficFolder, SaveReplacesTheImportedFilesWhateverTheirLetterCase) {
  ASSERT_TRUE(WriteFileBytes(Path("Aircraft.txt"), "AC#5,1,\"Old\"\r\n"));
  ASSERT_TRUE(WriteFileBytes(Path("FlightPlans.txt"), "old\r\nold\r\n"));
  ASSERT_TRUE(WriteTrafficFiles(folder_, {{"AC#1", {"250", "New"}}}, {"AC#1,y"}, nullptr));
  EXPECT_EQ(NamesIn(folder_).size(), 2u);
  EXPECT_EQ(Bytes("Aircraft.txt"), "AC#1,250,\"New\"\r\n");
  EXPECT_EQ(Bytes("FlightPlans.txt"), "AC#1,y\r\n");
}

// ------------------------------------------------------------ system services

using testing::FakeStep;
using testing::ScopedFakeOs;

void ExpectOneErrorBox(const testing::FakeOs& os, const std::string& text) {
  ASSERT_EQ(os.boxes.size(), 1u) << text;
  EXPECT_EQ(os.boxes[0].text, text);
  EXPECT_EQ(os.boxes[0].caption, "AI Traffic Fleetmixer");
  EXPECT_EQ(os.boxes[0].icon, BoxIcon::Error);
}

TEST(FindFsRoot, GivesTheRecordedFolderAndReadsItAnewEveryTime) {
  ScopedFakeOs os;
  os.SetFsRoot("C:\\Program Files\\Microsoft Games\\FS2002");
  EXPECT_EQ(FindFsRoot(), "C:\\Program Files\\Microsoft Games\\FS2002");
  os.SetFsRoot("D:\\FS2002");
  EXPECT_EQ(FindFsRoot(), "D:\\FS2002");
  EXPECT_TRUE(os.boxes.empty());
}

TEST(FindFsRoot, MissingKeyOrValueEndsTheProgramWithItsBox) {
  for (auto [status, text] : {std::pair{SettingStatus::KeyMissing, "(2)"},
                              std::pair{SettingStatus::ValueMissing, "(1)"}}) {
    ScopedFakeOs os;
    os.SetFsRootMissing(status);
    int exitCode = -1;
    try {
      FindFsRoot();
    } catch (const testing::ProcessEnded& ended) {
      exitCode = ended.exitCode;
    }
    EXPECT_EQ(exitCode, 1);
    ExpectOneErrorBox(os, std::string("Cannot find FS2002 root folder ") + text);
  }
}

TEST(ExtractTool, EachFailingStepIsNamedWithIdAndUpperCaseHexError) {
  const struct {
    const char* payloadStep;  // nullptr: fail `step` instead
    FakeStep step;
    int id;
    OsError error;
    const char* box;
  } cases[] = {
      {"FindResource", {}, 134, 0x716, "FindResource failed during extraction of (134) - 0x716"},
      {"LoadResource", {}, 135, 0x8, "LoadResource failed during extraction of (135) - 0x8"},
      {"LockResource", {}, 132, 0x1F, "LockResource failed during extraction of (132) - 0x1F"},
      {nullptr, FakeStep::TempFolder, 132, 0x3,
       "GetTempPath failed during extraction of (132) - 0x3"},
      {nullptr, FakeStep::UniqueTempFile, 132, 0x50,
       "GetTempFileName failed during extraction of (132) - 0x50"},
      {nullptr, FakeStep::Open, 132, 0xABC,
       "CFile::Open failed during extraction of (132) - 0xABC"},
      {nullptr, FakeStep::WriteFlushClose, 132, 0x70,
       "CFile::Write/Flush/Close failed during extraction of (132) - 0x70"},
  };
  for (const auto& c : cases) {
    ScopedFakeOs os;
    if (c.payloadStep) {
      os.FailPayload(c.payloadStep, c.error);
    } else {
      os.Fail(c.step, c.error);
    }
    ExtractedTool tool = ExtractTool(c.id);
    EXPECT_EQ(tool.Path(), "");
    ExpectOneErrorBox(os, c.box);
  }
}

TEST(ExtractTool, EachExtractionGetsItsOwnFileHoldingTheProgram) {
  ScopedFakeOs os;
  {
    ExtractedTool first = ExtractTool(IDR_BGLTEXT);
    ExtractedTool second = ExtractTool(IDR_BGLTEXT);
    ASSERT_FALSE(first.Empty());
    ASSERT_FALSE(second.Empty());
    EXPECT_NE(first.Path(), second.Path());
    std::string a, b;
    ASSERT_TRUE(ReadFileBytes(first.Path(), a));
    ASSERT_TRUE(ReadFileBytes(second.Path(), b));
    EXPECT_FALSE(a.empty());
    EXPECT_EQ(a, b);
    const std::filesystem::path path(first.Path());
    EXPECT_EQ(path.filename().string().substr(0, 3), "fmi") << path;
#if defined(_WIN32)
    EXPECT_EQ(path.extension().string(), ".exe");
#endif
    // Without arguments bgltext ends with a usage error; the start counts.
    EXPECT_TRUE(RunTool("\"" + first.Path() + "\"", true, false));
    first.Remove();
    EXPECT_FALSE(PathExists(path.string()));
  }
  EXPECT_TRUE(os.boxes.empty());
}

TEST(RunTool, StartFailureShowsTheCommandLineAndHexError) {
  {
    ScopedFakeOs os;
    os.Fail(FakeStep::Start, 0x2E);
    EXPECT_FALSE(RunTool("notepad report.txt", false, true));
    ExpectOneErrorBox(os, "CreateProcess (notepad report.txt) failed: 0x2E");
  }
  ScopedFakeOs os;
  EXPECT_FALSE(RunTool("fleetmix-no-such-program-here /np", true, false));
  ExpectOneErrorBox(os, "CreateProcess (fleetmix-no-such-program-here /np) failed: 0x2");
}

TEST(RunTool, FailedExtractionIsFollowedByTheStartFailure) {
  ScopedFakeOs os;
  os.Fail(FakeStep::TempFolder, 0x5);
  ExtractedTool tool = ExtractTool(IDR_BGLTEXT);
  ASSERT_TRUE(tool.Empty());
  const std::string command = TrafficToolCommandLine(tool.Path());
  EXPECT_EQ(command.substr(command.size() - 4), " /np");
  EXPECT_FALSE(RunTool(command, true, false));
  ASSERT_EQ(os.boxes.size(), 2u);
  EXPECT_EQ(os.boxes[0].text, "GetTempPath failed during extraction of (132) - 0x5");
  EXPECT_EQ(os.boxes[1].text.substr(0, 15), "CreateProcess (");
  EXPECT_NE(os.boxes[1].text.find(" /np) failed: 0x"), std::string::npos) << os.boxes[1].text;
}

TEST(TraceDebug, FormatsLikePrintfAndPassesAtMost511Characters) {
  ScopedFakeOs os;
  TraceDebug("%-6s|%05.1f|%X|%d", "AC#12", 3.5, 255u, -7);
  const std::string text600(600, 'x'), text511(511, 'y'), text512(512, 'z');
  TraceDebug("%s", text600.c_str());
  TraceDebug("%s", text511.c_str());
  TraceDebug("%s", text512.c_str());
  EXPECT_EQ(os.traces, (std::vector<std::string>{"AC#12 |003.5|FF|-7", text600.substr(0, 511),
                                                 text511, text512.substr(0, 511)}));
  EXPECT_TRUE(os.boxes.empty());
}

// --------------------------------------------------------------------- wizard

using testing::RecordingSheet;

std::string ReadMe() {
  std::ifstream in(std::string(FLEETMIX_SOURCE_DIR) + "/resources/readme.txt", std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// The text the help dialog opened with, after pressing help.
std::string HelpText(RecordingSheet& sheet) {
  const size_t before = sheet.modals.size();
  sheet.Help();
  if (sheet.modals.size() != before + 1) return "<no help dialog>";
  EXPECT_EQ(sheet.modals.back().dialogId, 130);
  EXPECT_EQ(sheet.modals.back().caption, "Fleetmixer Help");
  return sheet.modals.back().texts[1011];
}

TEST(WizardPages, WelcomeOffersNextOnlyAndPaintsNameAndVersion) {
  CWizard wizard;
  RecordingSheet sheet(&wizard);
  sheet.Open();
  EXPECT_EQ(sheet.ActiveIndex(), 0);
  EXPECT_EQ(sheet.buttonRequests.back(), unsigned{kWizardNext});
  EXPECT_EQ(sheet.Buttons(), unsigned{kWizardNext});
  EXPECT_EQ(sheet.ActiveHost().Spec().caption, "AI Traffic Fleetmixer - Version 0.7");
  EXPECT_NE(sheet.ActiveHost().GetText(1000), "");
  EXPECT_NE(sheet.ActiveHost().GetText(1001), "");
  // The picture, then name, version and notice right-aligned in three bands.
  std::vector<std::string> painted;
  for (const Decoration& d : sheet.ActiveHost().Decorations()) {
    std::ostringstream line;
    line << (d.kind == Decoration::Kind::Picture ? "picture " + std::to_string(d.resourceId)
                                                 : d.fontFace + " " + std::to_string(d.fontHeight))
         << " " << d.left << "," << d.top << "," << d.right << "," << d.bottom;
    if (d.kind == Decoration::Kind::Text && d.top < 70) line << " " << d.text;
    if (d.kind == Decoration::Kind::Text && d.top >= 70) {
      EXPECT_NE(d.text, "");  // the authorship notice, in its own words
    }
    painted.push_back(line.str());
  }
  const int right = sheet.ActiveHost().ClientWidth() - 20;
  EXPECT_EQ(painted, (std::vector<std::string>{
                         "picture 141 0,0,500,315",
                         "Tahoma 36 0,0," + std::to_string(right) + ",50 AI Traffic Fleetmixer",
                         "Tahoma 14 0,50," + std::to_string(right) + ",70 Version 0.7",
                         "Tahoma 14 0,70," + std::to_string(right) + ",90"}));
}

TEST(WizardPages, HelpButtonReadsReadMeOnlyOnTheWelcomePage) {
  CWizard wizard;
  RecordingSheet sheet(&wizard);
  sheet.helpButtonText = "Hilfe";
  sheet.Open();
  EXPECT_EQ(sheet.helpButtonText, "Read Me");
  EXPECT_EQ(HelpText(sheet), ReadMe());
  sheet.Next();
  EXPECT_EQ(sheet.helpButtonText, "Hilfe");
  const std::string aircraftHelp = HelpText(sheet);
  EXPECT_NE(aircraftHelp, "<no help dialog>");
  EXPECT_NE(aircraftHelp, ReadMe());
  sheet.Back();
  EXPECT_EQ(sheet.helpButtonText, "Read Me");
  sheet.Next();
  EXPECT_EQ(sheet.helpButtonText, "Hilfe");

  // Only a saved caption that is not empty goes back on the button.
  CWizard other;
  RecordingSheet emptyCaption(&other);
  emptyCaption.helpButtonText = "";
  emptyCaption.Open();
  emptyCaption.Next();
  EXPECT_EQ(emptyCaption.helpButtonText, "Read Me");
}

// A page whose help text id the test chooses.
class PageWithHelpId : public CAiPropertyPage {
 public:
  PageWithHelpId(WizardState& state, int helpId) : CAiPropertyPage(state), helpId_(helpId) {}
  int DialogId() const override { return IDD_TRAFFIC; }
  int HelpTextId() const override { return helpId_; }

 private:
  int helpId_;
};

TEST(WizardPages, HelpShowsAStringElseATextResourceElseNothing) {
  CWizard wizard;
  RecordingSheet sheet;
  for (int id : {0, 9999, 106, 139}) {
    PageWithHelpId page(wizard.State(), id);
    auto host = sheet.MakeHost(page);
    wizard.OnHelp(page);
  }
  ASSERT_EQ(sheet.modals.size(), 2u);
  EXPECT_EQ(sheet.modals[0].texts[1011],
            "This dialog imports the contents of traffic.bgl file that contains FS AI traffic.");
  EXPECT_EQ(sheet.modals[1].texts[1011], ReadMe());
}

TEST(WizardPages, EachPageGoesForwardOnlyOnceItsDataIsLoaded) {
  CWizard wizard;
  RecordingSheet sheet(&wizard);
  const auto comeBack = [&] {
    sheet.Back();
    sheet.Next();
  };
  sheet.Open();
  sheet.Next();
  EXPECT_EQ(sheet.buttonRequests.back(), unsigned{kWizardBack});  // no aircraft imported
  EXPECT_EQ(sheet.Buttons(), unsigned{kWizardBack});

  wizard.State().aircraftModels.emplace_back();
  comeBack();
  EXPECT_EQ(sheet.buttonRequests.back(), unsigned{kWizardBack | kWizardNext});
  sheet.Next();
  EXPECT_EQ(sheet.ActiveIndex(), 2);
  EXPECT_EQ(sheet.buttonRequests.back(), unsigned{kWizardBack});  // no airports yet
  EXPECT_NE(HelpText(sheet), "<no help dialog>");

  wizard.State().airportStore.AddAirport("Europe", "United Kingdom", "", "London", "Heathrow",
                                        "EGLL");
  comeBack();
  EXPECT_EQ(sheet.buttonRequests.back(), unsigned{kWizardBack | kWizardNext});
  sheet.Next();
  EXPECT_EQ(sheet.ActiveIndex(), 3);
  EXPECT_EQ(sheet.buttonRequests.back(), unsigned{kWizardBack});  // no plans yet
  EXPECT_EQ(HelpText(sheet),
            "This dialog imports the contents of traffic.bgl file that contains FS AI traffic.");

  wizard.State().flightPlans.push_back({kTwoLegs, "AC#3", {{"EGLL"}, {"LFPG"}}});
  wizard.Generate().newAircraft = {{"AC#1", {"250", "Boeing"}}};  // but no plan line
  comeBack();
  EXPECT_EQ(sheet.buttonRequests.back(), unsigned{kWizardBack | kWizardNext});
  sheet.Next();
  EXPECT_EQ(sheet.ActiveIndex(), 4);
  // No generation run yet: Back and the disabled Finish.
  EXPECT_EQ(sheet.buttonRequests.back(), unsigned{kWizardBack | kWizardDisabledFinish});
  EXPECT_EQ(sheet.Buttons() & (kWizardNext | kWizardFinish), 0u);
  EXPECT_EQ(HelpText(sheet),
            "After new AI plans are generated, double-click aircraft to view the flights it will "
            "now perform.");
  const int helpIds[] = {139, 104, 105, 106, 107};
  for (int i = 0; i < CWizard::kPageCount; ++i)
    EXPECT_EQ(wizard.Pages()[i]->HelpTextId(), helpIds[i]);
}

TEST(WizardPages, EarlierRunSurvivesAnotherImportAndFinishWritesNothing) {
  const std::filesystem::path before = std::filesystem::current_path();
  const std::string work = MakeUniqueTempFolder("fmrefwork");
  ASSERT_FALSE(work.empty());
  std::filesystem::current_path(work);
  {
    CWizard wizard;
    wizard.State().aircraftModels.emplace_back();
    wizard.State().airportStore.AddAirport("", "", "", "", "", "EGLL");
    wizard.State().flightPlans.push_back({"AC#1,x", "AC#1", {}});
    RecordingSheet sheet(&wizard);
    sheet.Open();
    for (int i = 0; i < 4; ++i) sheet.Next();
    ASSERT_EQ(sheet.ActiveIndex(), 4);
    // The results of an earlier generation run stay with the page.
    wizard.Generate().newPlanLines = {"AC#1,x"};
    wizard.Generate().newAircraft = {{"AC#1", {"250", "Boeing"}}};
    sheet.Back();
    wizard.State().flightPlans = {{"AC#2,y", "AC#2", {}}};  // a repeated import
    sheet.Back();
    sheet.Next();
    sheet.Next();
    ASSERT_EQ(sheet.ActiveIndex(), 4);
    EXPECT_EQ(sheet.buttonRequests.back(), unsigned{kWizardNext | kWizardFinish});
    EXPECT_EQ(wizard.Generate().newPlanLines, std::vector<std::string>{"AC#1,x"});
    sheet.Finish();
    EXPECT_TRUE(sheet.Closed());
  }
  const std::vector<std::string> left = NamesIn(work);
  std::filesystem::current_path(before);
  RemoveTree(work);
  EXPECT_EQ(left, std::vector<std::string>{});
}

}  // namespace
}  // namespace fm
