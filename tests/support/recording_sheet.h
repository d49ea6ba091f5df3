// A property sheet without a window, for tests: it runs the wizard's pages
// through recording hosts, creates each page's host on its first activation
// as the platform does, applies posted wizard-button requests after the
// handler that posted them, and records message boxes and modal dialogs.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/recording_host.h"
#include "wizard/wizard.h"

namespace fm::testing {

struct RecordedModal {
  int dialogId;
  std::string caption;
  std::map<int, std::string> texts;  // text controls as the dialog opened
};

class RecordingSheet {
 public:
  // Without a wizard the sheet serves single dialogs and pages.
  explicit RecordingSheet(CWizard* wizard = nullptr);
  ~RecordingSheet();

  // Wizard navigation: each fails the test when its button is not enabled.
  void Open();
  void Next();
  void Back();
  void Finish();
  void Cancel();
  void Help();
  bool Closed() const { return closed_; }
  int ActiveIndex() const { return active_; }
  RecordingHost& ActiveHost() { return HostOf(active_); }
  RecordingHost& HostOf(int pageIndex);
  // The wizard buttons now enabled (kWizardBack, kWizardNext, kWizardFinish).
  unsigned Buttons() const { return buttons_; }
  std::vector<unsigned> buttonRequests;  // every request, in order

  // A host for one page or dialog outside the wizard's navigation.
  std::unique_ptr<RecordingHost> MakeHost(DialogLogic& logic);

  std::string helpButtonText = "Help";

  std::vector<RecordedBox> boxes;
  std::deque<BoxAnswer> answers;  // for the next boxes; Ok when empty
  std::vector<RecordedModal> modals;
  std::function<void(RecordingHost&)> onModal;  // runs while a modal is open

  // Used by the hosts.
  void Post(unsigned flags) { posted_.push_back(flags); }
  void ApplyPosted();
  BoxAnswer Answer();
  int RunModal(DialogLogic& dialog);
  bool LoadString(int id, std::string& text) const;
  bool LoadText(int id, std::string& text) const;

 private:
  void Activate(int index);
  CAiPropertyPage& Page(int index) const;

  CWizard* wizard_;
  std::map<int, std::unique_ptr<RecordingHost>> hosts_;
  std::vector<unsigned> posted_;
  unsigned buttons_ = 0;
  int active_ = -1;
  bool closed_ = false;
};

}  // namespace fm::testing
