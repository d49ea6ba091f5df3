#include "tests/support/wizard_scenarios.h"

#include <gtest/gtest.h>

#include "platform/file_text.h"
#include "resources/resource.h"
#include "ui/page_host.h"

namespace fm::testing {

std::string ReadMePath() { return std::string(FLEETMIX_SOURCE_DIR) + "/resources/readme.txt"; }

std::string ReadMeText() {
  std::string text;
  ReadFileBytes(ReadMePath(), text);
  return text;
}

void WelcomeAndHelpScenario(WizardDriver& wizard) {
  ASSERT_EQ(wizard.ActiveDialogId(), IDD_WELCOME);
  EXPECT_EQ(wizard.EnabledButtons(), unsigned{kWizardNext});
  EXPECT_EQ(wizard.HelpButtonText(), "Read Me");
  EXPECT_NE(wizard.ControlText(IDC_WELCOME_DESCRIPTION).find("Fleetmixer gives"),
            std::string::npos);

  std::string caption, text;
  ASSERT_TRUE(wizard.ReadHelp(IDC_HELP_TEXT, caption, text));
  EXPECT_EQ(caption, "Fleetmixer Help");
  EXPECT_EQ(text, ReadMeText());

  wizard.Next();
  ASSERT_EQ(wizard.ActiveDialogId(), IDD_AIRCRAFT);
  EXPECT_EQ(wizard.HelpButtonText(), "Help");
  EXPECT_EQ(wizard.EnabledButtons(), unsigned{kWizardBack}) << "no aircraft imported";

  ASSERT_TRUE(wizard.ReadHelp(IDC_HELP_TEXT, caption, text));
  EXPECT_EQ(text.rfind("This page imports the aircraft installed", 0), 0u) << text;

  wizard.Back();
  ASSERT_EQ(wizard.ActiveDialogId(), IDD_WELCOME);
  EXPECT_EQ(wizard.HelpButtonText(), "Read Me");
  EXPECT_EQ(wizard.EnabledButtons(), unsigned{kWizardNext});

  wizard.Cancel();
  EXPECT_TRUE(wizard.Closed());
}

}  // namespace fm::testing
