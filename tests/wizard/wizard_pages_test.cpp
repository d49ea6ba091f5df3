// The wizard's pages and help dialog through the recording host, and the
// recording host itself: it refuses what a dialog does not have and fails a
// test whose events enter a running handler.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "resources/resource.h"
#include "tests/support/recording_sheet.h"
#include "wizard/help_dialog.h"
#include "wizard/wizard.h"

namespace fm {
namespace {

using testing::RecordingSheet;

class WizardPagesTest : public ::testing::Test {
 protected:
  CWizard wizard;
  RecordingSheet sheet{&wizard};
};

TEST_F(WizardPagesTest, PagesComeInOrderFromTheirDialogs) {
  const int expected[] = {104, 105, 106, 107, 108};
  for (int i = 0; i < CWizard::kPageCount; ++i) {
    EXPECT_EQ(wizard.Pages()[i]->DialogId(), expected[i]);
  }
  EXPECT_EQ(wizard.Pages()[0], &wizard.Welcome());
  EXPECT_EQ(wizard.Pages()[4], &wizard.Generate());
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
