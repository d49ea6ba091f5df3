// The wizard's navigation through the recording host: which wizard buttons
// each page enables, the welcome page's "Read Me" button, and help.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "resources/resource.h"
#include "tests/support/recording_sheet.h"
#include "wizard/help_dialog.h"
#include "wizard/wizard.h"

namespace fm {
namespace {

using testing::RecordingSheet;

std::string ReadMeFile() {
  std::ifstream in(std::string(FLEETMIX_SOURCE_DIR) + "/resources/readme.txt", std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

class WizardPagesTest : public ::testing::Test {
 protected:
  CWizard wizard;
  RecordingSheet sheet{&wizard};

  // Walks to the page with this index, filling the model so Next is allowed.
  void GoTo(int index) {
    wizard.State().aircraftModels.emplace_back();
    Airport airport;
    airport.icao = "EGLL";
    wizard.State().airportStore.AddAirport(airport);
    wizard.State().flightPlans.emplace_back();
    sheet.Open();
    while (sheet.ActiveIndex() < index) sheet.Next();
  }
};

TEST_F(WizardPagesTest, PagesComeInOrderFromTheirDialogs) {
  const int expected[] = {104, 105, 106, 107, 108};
  for (int i = 0; i < CWizard::kPageCount; ++i) {
    EXPECT_EQ(wizard.Pages()[i]->DialogId(), expected[i]);
  }
  EXPECT_EQ(wizard.Pages()[0], &wizard.Welcome());
  EXPECT_EQ(wizard.Pages()[4], &wizard.Generate());
}

TEST_F(WizardPagesTest, WelcomeOffersNextOnlyAndReadMe) {
  sheet.Open();
  EXPECT_EQ(sheet.ActiveIndex(), 0);
  EXPECT_EQ(sheet.buttonRequests, std::vector<unsigned>{2});
  EXPECT_EQ(sheet.Buttons(), unsigned{kWizardNext});
  EXPECT_EQ(sheet.helpButtonText, "Read Me");
}

TEST_F(WizardPagesTest, EveryPageWaitsForItsOwnDataBeforeNext) {
  sheet.Open();
  sheet.Next();
  EXPECT_EQ(sheet.ActiveIndex(), 1);
  EXPECT_EQ(sheet.Buttons(), unsigned{kWizardBack}) << "no aircraft imported: Back only";

  wizard.State().aircraftModels.emplace_back();
  sheet.Back();
  sheet.Next();
  EXPECT_EQ(sheet.Buttons(), unsigned{kWizardBack | kWizardNext});

  sheet.Next();
  EXPECT_EQ(sheet.ActiveIndex(), 2);
  EXPECT_EQ(sheet.Buttons(), unsigned{kWizardBack}) << "no airports: Back only";
  Airport airport;
  airport.icao = "LFPG";
  wizard.State().airportStore.AddAirport(airport);
  sheet.Back();
  sheet.Next();
  EXPECT_EQ(sheet.Buttons(), unsigned{kWizardBack | kWizardNext});

  sheet.Next();
  EXPECT_EQ(sheet.ActiveIndex(), 3);
  EXPECT_EQ(sheet.Buttons(), unsigned{kWizardBack}) << "no flight plans: Back only";
  wizard.State().flightPlans.emplace_back();
  sheet.Back();
  sheet.Next();
  EXPECT_EQ(sheet.Buttons(), unsigned{kWizardBack | kWizardNext});
}

TEST_F(WizardPagesTest, GenerateOffersFinishOnlyAfterARunWithPlans) {
  GoTo(4);
  EXPECT_EQ(sheet.buttonRequests.back(), unsigned{kWizardBack | kWizardDisabledFinish});
  EXPECT_EQ(sheet.Buttons(), unsigned{kWizardBack});

  wizard.Generate().newPlanLines.push_back(
      "AC#1,N1,100%,24Hr,IFR,07:00:00,08:00:00,050,F,0001,EGLL");
  sheet.Back();
  sheet.Next();
  EXPECT_EQ(sheet.buttonRequests.back(), unsigned{kWizardNext | kWizardFinish});
  sheet.Finish();
  EXPECT_TRUE(sheet.Closed());
}

TEST_F(WizardPagesTest, LeavingWelcomeRestoresHelpAndComingBackRelabelsIt) {
  sheet.Open();
  sheet.Next();
  EXPECT_EQ(sheet.helpButtonText, "Help");
  sheet.Back();
  EXPECT_EQ(sheet.helpButtonText, "Read Me");
  sheet.Next();
  EXPECT_EQ(sheet.helpButtonText, "Help");
}

TEST_F(WizardPagesTest, HelpOnWelcomeShowsTheReadMe) {
  sheet.Open();
  sheet.Help();
  ASSERT_EQ(sheet.modals.size(), 1u);
  EXPECT_EQ(sheet.modals[0].dialogId, IDD_HELP);
  EXPECT_EQ(sheet.modals[0].caption, "Fleetmixer Help");
  const std::string readMe = ReadMeFile();
  ASSERT_FALSE(readMe.empty());
  EXPECT_EQ(sheet.modals[0].texts.at(IDC_HELP_TEXT), readMe);
}

TEST_F(WizardPagesTest, HelpOnEachPageShowsItsString) {
  GoTo(3);
  sheet.Help();
  ASSERT_EQ(sheet.modals.size(), 1u);
  EXPECT_EQ(sheet.modals[0].texts.at(IDC_HELP_TEXT),
            "This dialog imports the contents of traffic.bgl file that contains FS AI traffic.");
  sheet.Next();
  sheet.Help();
  ASSERT_EQ(sheet.modals.size(), 2u);
  EXPECT_EQ(sheet.modals[1].texts.at(IDC_HELP_TEXT),
            "After new AI plans are generated, double-click aircraft to view the flights it will "
            "now perform.");
}

TEST_F(WizardPagesTest, HelpDialogClosesWithItsCloseButton) {
  sheet.Open();
  int pressed = 0;
  sheet.onModal = [&](testing::RecordingHost& dialog) {
    EXPECT_EQ(dialog.GetText(IDC_CANCEL_BUTTON), "Close");
    dialog.Press(IDC_CANCEL_BUTTON);
    EXPECT_TRUE(dialog.Ended());
    ++pressed;
  };
  sheet.Help();
  EXPECT_EQ(pressed, 1);
}

TEST_F(WizardPagesTest, WelcomePaintsPictureAndTitlesRightAligned) {
  sheet.Open();
  const auto& decorations = sheet.ActiveHost().Decorations();
  ASSERT_EQ(decorations.size(), 4u);
  EXPECT_EQ(decorations[0].kind, Decoration::Kind::Picture);
  EXPECT_EQ(decorations[0].resourceId, 141);
  EXPECT_EQ(decorations[0].right - decorations[0].left, 500);
  EXPECT_EQ(decorations[0].bottom - decorations[0].top, 315);
  const int width = sheet.ActiveHost().ClientWidth();
  struct Expected {
    const char* text;
    int height, top, bottom;
  };
  const Expected texts[] = {{"AI Traffic Fleetmixer", 36, 0, 50}, {"Version 0.7", 14, 50, 70}};
  for (int i = 0; i < 2; ++i) {
    const Decoration& d = decorations[i + 1];
    EXPECT_EQ(d.text, texts[i].text);
    EXPECT_EQ(d.fontFace, "Tahoma");
    EXPECT_EQ(d.fontHeight, texts[i].height);
    EXPECT_EQ(d.top, texts[i].top);
    EXPECT_EQ(d.bottom, texts[i].bottom);
    EXPECT_EQ(d.right, width - 20);
  }
  EXPECT_EQ(decorations[3].top, 70);
  EXPECT_EQ(decorations[3].bottom, 90);
  EXPECT_FALSE(sheet.ActiveHost().GetText(IDC_WELCOME_DESCRIPTION).empty());
  EXPECT_FALSE(sheet.ActiveHost().GetText(IDC_WELCOME_NOTICE).empty());
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

TEST(DialogSpecsTest, EveryDialogHasItsControls) {
  const DialogSpec* generate = FindDialogSpec(IDD_GENERATE);
  ASSERT_NE(generate, nullptr);
  EXPECT_EQ(generate->caption, "Generate AI Traffic");
  EXPECT_EQ(generate->Find(1025)->text, "Edit Aircraft");
  EXPECT_EQ(generate->Find(1026)->text, "Edit FlighPlans");
  EXPECT_EQ(generate->Find(1022)->text, "Save && Compile");
  EXPECT_EQ(generate->Find(1029)->kind, ControlKind::SortedCombo);
  const DialogSpec* flights = FindDialogSpec(IDD_FLIGHTS_BY_AIRCRAFT);
  ASSERT_NE(flights, nullptr);
  EXPECT_EQ(flights->Find(1025)->kind, ControlKind::List) << "1025 is a list in dialog 136";
  EXPECT_EQ(FindDialogSpec(IDD_HELP)->caption, "Fleetmixer Help");
  EXPECT_EQ(FindDialogSpec(IDD_AIRCRAFT)->Find(1003)->kind, ControlKind::CheckList);
  for (int id : {104, 105, 106, 107, 108, 130, 136}) EXPECT_NE(FindDialogSpec(id), nullptr) << id;
}

}  // namespace
}  // namespace fm
