#include "tests/support/recording_sheet.h"

#include <gtest/gtest.h>

#include "platform/file_text.h"
#include "resources/resource.h"
#include "tests/support/wizard_scenarios.h"

namespace fm::testing {
namespace {

struct StringResource {
  int id;
  const char* text;
};

#define FM_STRING(id, text) {id, text},
constexpr StringResource kStrings[] = {
#include "resources/strings.def"
};
#undef FM_STRING

}  // namespace

RecordingSheet::RecordingSheet(CWizard* wizard) : wizard_(wizard) {}

RecordingSheet::~RecordingSheet() {
  for (auto& [index, host] : hosts_) host->Logic().AttachHost(nullptr);
}

CAiPropertyPage& RecordingSheet::Page(int index) const { return *wizard_->Pages()[index]; }

RecordingHost& RecordingSheet::HostOf(int pageIndex) {
  std::unique_ptr<RecordingHost>& host = hosts_[pageIndex];
  if (host == nullptr) {
    host = MakeHost(Page(pageIndex));
    host->RunHandler([&] { Page(pageIndex).OnInitDialog(); });
  }
  return *host;
}

std::unique_ptr<RecordingHost> RecordingSheet::MakeHost(DialogLogic& logic) {
  auto host = std::make_unique<RecordingHost>(*this, logic);
  logic.AttachHost(host.get());
  return host;
}

void RecordingSheet::Activate(int index) {
  active_ = index;
  HostOf(index).RunHandler([&] { Page(index).OnSetActive(); });
}

void RecordingSheet::ApplyPosted() {
  for (unsigned flags : posted_) {
    buttonRequests.push_back(flags);
    buttons_ = flags & (kWizardBack | kWizardNext | kWizardFinish);
  }
  posted_.clear();
}

void RecordingSheet::Open() {
  ASSERT_NE(wizard_, nullptr);
  Activate(0);
}

void RecordingSheet::Next() {
  ASSERT_TRUE(buttons_ & kWizardNext) << "Next is not enabled";
  ASSERT_LT(active_ + 1, CWizard::kPageCount);
  bool goOn = true;
  ActiveHost().RunHandler([&] { goOn = Page(active_).OnWizardNext(); });
  if (goOn) Activate(active_ + 1);
}

void RecordingSheet::Back() {
  ASSERT_TRUE(buttons_ & kWizardBack) << "Back is not enabled";
  ASSERT_GT(active_, 0);
  Activate(active_ - 1);
}

void RecordingSheet::Finish() {
  ASSERT_TRUE(buttons_ & kWizardFinish) << "Finish is not enabled";
  closed_ = true;
}

void RecordingSheet::Cancel() { closed_ = true; }

void RecordingSheet::Help() {
  ActiveHost().RunHandler([&] { wizard_->OnHelp(Page(active_)); });
}

BoxAnswer RecordingSheet::Answer() {
  if (answers.empty()) return BoxAnswer::Ok;
  BoxAnswer answer = answers.front();
  answers.pop_front();
  return answer;
}

int RecordingSheet::RunModal(DialogLogic& dialog) {
  RecordingHost host(*this, dialog);
  dialog.AttachHost(&host);
  host.RunHandler([&] { dialog.OnInitDialog(); });

  RecordedModal record{dialog.DialogId(), host.Caption(), {}};
  for (const ControlSpec& control : host.Spec().controls) {
    if (control.kind == ControlKind::Label || control.kind == ControlKind::StatusEdit ||
        control.kind == ControlKind::ReadOnlyText) {
      if (control.id != IDC_STATIC_LABEL) record.texts[control.id] = host.GetText(control.id);
    }
  }
  modals.push_back(record);
  if (onModal) onModal(host);
  dialog.AttachHost(nullptr);
  return host.Ended() ? host.EndResult() : IDC_CANCEL_BUTTON;
}

bool RecordingSheet::LoadString(int id, std::string& text) const {
  for (const StringResource& s : kStrings) {
    if (s.id == id) {
      text = s.text;
      return true;
    }
  }
  return false;
}

// The one "TEXT" resource is the read-me the resource script embeds.
bool RecordingSheet::LoadText(int id, std::string& text) const {
  return id == IDR_README && ReadFileBytes(ReadMePath(), text);
}

}  // namespace fm::testing
