// The wizard's pages through the recording sheet: the welcome page, the
// shared welcome scenario, the help button and dialog, the buttons each page offers as its data
// comes, and the recording host itself: it refuses what a dialog does not have and fails a test
// whose events enter a running handler.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "platform/file_system.h"
#include "resources/resource.h"
#include "tests/support/recording_sheet.h"
#include "tests/support/recording_wizard_driver.h"
#include "tests/support/wizard_scenarios.h"
#include "wizard/help_dialog.h"
#include "wizard/wizard.h"

namespace fm {
namespace {

using testing::ReadMeText;
using testing::RecordingSheet;

class WizardPagesTest : public ::testing::Test {
 protected:
  // The text the help dialog opened with, after pressing help.
  std::string HelpText() {
    const size_t before = sheet.modals.size();
    sheet.Help();
    if (sheet.modals.size() != before + 1) return "<no help dialog>";
    EXPECT_EQ(sheet.modals.back().dialogId, 130);
    EXPECT_EQ(sheet.modals.back().caption, "Fleetmixer Help");
    return sheet.modals.back().texts[1011];
  }
  // Back to the page before and forward again, so the page sees new data.
  void ComeBack() {
    sheet.Back();
    sheet.Next();
  }

  CWizard wizard;
  RecordingSheet sheet{&wizard};
};

TEST_F(WizardPagesTest, WelcomeOffersNextOnlyAndPaintsNameAndVersion) {
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
  const std::string right = std::to_string(sheet.ActiveHost().ClientWidth() - 20);
  EXPECT_EQ(painted,
            (std::vector<std::string>{
                "picture 141 0,0,500,315", "Tahoma 36 0,0," + right + ",50 AI Traffic Fleetmixer",
                "Tahoma 14 0,50," + right + ",70 Version 0.7", "Tahoma 14 0,70," + right + ",90"}));
}

// The shared scenario (also run on the real shell): Read Me and the help
// dialog on the welcome page, the help button relabelled as pages change.
TEST(WizardScenarioTest, WelcomeAndHelp) {
  CWizard wizard;
  testing::RecordingWizardDriver driver(wizard);
  testing::WelcomeAndHelpScenario(driver);
}

// The help button's own caption comes back after the welcome page, but
// only when it was not empty.
TEST_F(WizardPagesTest, HelpButtonGetsItsOwnCaptionBackAfterTheWelcomePage) {
  sheet.helpButtonText = "Hilfe";
  sheet.Open();
  EXPECT_EQ(sheet.helpButtonText, "Read Me");
  sheet.Next();
  EXPECT_EQ(sheet.helpButtonText, "Hilfe");

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

TEST_F(WizardPagesTest, HelpShowsAStringElseATextResourceElseNothing) {
  for (int id : {0, 9999, 106, 139}) {
    PageWithHelpId page(wizard.State(), id);
    auto host = sheet.MakeHost(page);
    wizard.OnHelp(page);
  }
  ASSERT_EQ(sheet.modals.size(), 2u);
  EXPECT_EQ(sheet.modals[0].texts[1011],
            "This dialog imports the contents of traffic.bgl file that contains FS AI traffic.");
  EXPECT_EQ(sheet.modals[1].texts[1011], ReadMeText());
}

TEST_F(WizardPagesTest, EachPageGoesForwardOnlyOnceItsDataIsLoaded) {
  sheet.Open();
  sheet.Next();
  EXPECT_EQ(sheet.buttonRequests.back(), unsigned{kWizardBack});  // no aircraft imported
  EXPECT_EQ(sheet.Buttons(), unsigned{kWizardBack});

  wizard.State().aircraftModels.emplace_back();
  ComeBack();
  EXPECT_EQ(sheet.buttonRequests.back(), unsigned{kWizardBack | kWizardNext});
  sheet.Next();
  EXPECT_EQ(sheet.ActiveIndex(), 2);
  EXPECT_EQ(sheet.buttonRequests.back(), unsigned{kWizardBack});  // no airports yet
  EXPECT_NE(HelpText(), "<no help dialog>");

  wizard.State().airportStore.AddAirport("Europe", "United Kingdom", "", "London", "Heathrow",
                                         "EGLL");
  ComeBack();
  EXPECT_EQ(sheet.buttonRequests.back(), unsigned{kWizardBack | kWizardNext});
  sheet.Next();
  EXPECT_EQ(sheet.ActiveIndex(), 3);
  EXPECT_EQ(sheet.buttonRequests.back(), unsigned{kWizardBack});  // no plans yet
  EXPECT_EQ(HelpText(),
            "This dialog imports the contents of traffic.bgl file that contains FS AI traffic.");

  wizard.State().flightPlans.push_back({"AC#3,N1", "AC#3", {{"EGLL"}, {"LFPG"}}});
  wizard.Generate().newAircraft = {{"AC#1", {"250", "Boeing"}}};  // but no plan line
  ComeBack();
  EXPECT_EQ(sheet.buttonRequests.back(), unsigned{kWizardBack | kWizardNext});
  sheet.Next();
  EXPECT_EQ(sheet.ActiveIndex(), 4);
  // No generation run yet: Back and the disabled Finish.
  EXPECT_EQ(sheet.buttonRequests.back(), unsigned{kWizardBack | kWizardDisabledFinish});
  EXPECT_EQ(sheet.Buttons() & (kWizardNext | kWizardFinish), 0u);
  EXPECT_EQ(HelpText(),
            "After new AI plans are generated, double-click aircraft to view the flights it will "
            "now perform.");
}

TEST(WizardFinish, EarlierRunSurvivesAnotherImportAndFinishWritesNothing) {
  const std::filesystem::path before = std::filesystem::current_path();
  const std::string work = MakeUniqueTempFolder("fmwork");
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
  std::vector<DirEntry> left;
  EXPECT_TRUE(ReadDirectoryEntries(work, left));
  std::filesystem::current_path(before);
  RemoveTree(work);
  EXPECT_EQ(left.size(), 0u) << "the first file left: " << (left.empty() ? "" : left[0].name);
}

// A page that dispatches waiting messages in the middle of its handler.
class SlowPage : public CAiPropertyPage {
 public:
  using CAiPropertyPage::CAiPropertyPage;
  int DialogId() const override { return IDD_TRAFFIC; }
  void OnButton(int) override {
    WaitCursor wait(Host());
    Host().SetText(IDC_STATUS, "Working...");
    Host().DispatchWaitingMessages();
  }
};

TEST(RecordingHostTest, AClickDuringADispatchFailsTheTest) {
  WizardState state;
  SlowPage page(state);
  RecordingSheet sheet;
  auto host = sheet.MakeHost(page);
  host->onDispatch = [&] { host->Press(IDC_IMPORT); };
  EXPECT_NONFATAL_FAILURE(host->Press(IDC_IMPORT), "entered a running handler");
  EXPECT_EQ(host->WaitCursorDepth(), 0);
  EXPECT_EQ(host->GetText(IDC_STATUS), "Working...");
}

TEST(RecordingHostTest, RefusesControlsItsDialogDoesNotHave) {
  WizardState state;
  SlowPage page(state);
  RecordingSheet sheet;
  auto host = sheet.MakeHost(page);
  EXPECT_NONFATAL_FAILURE(host->SetText(IDC_HELP_TEXT, "x"), "has no control 1011");
  EXPECT_NONFATAL_FAILURE(host->ListAppendRow(IDC_HIDE_COMPILER, {"x"}), "of another kind");
  host->EnableControl(IDC_IMPORT, false);
  EXPECT_NONFATAL_FAILURE(host->Press(IDC_IMPORT), "is disabled");
}

// The texts users see on the generate dialog, typos included.
TEST(DialogSpecsTest, GenerateDialogTexts) {
  const DialogSpec* generate = FindDialogSpec(IDD_GENERATE);
  ASSERT_NE(generate, nullptr);
  EXPECT_EQ(generate->caption, "Generate AI Traffic");
  EXPECT_EQ(generate->Find(1025)->text, "Edit Aircraft");
  EXPECT_EQ(generate->Find(1026)->text, "Edit FlighPlans");
  EXPECT_EQ(generate->Find(1022)->text, "Save && Compile");
}

}  // namespace
}  // namespace fm
