// An OS interface for tests: forwards to the native one unless told
// otherwise, records every message box, trace and started command line,
// throws ProcessEnded instead of ending the process, and can fail any step
// with a chosen error code. Install it with fm::ScopedOsOverride, or use
// ScopedFakeOs which installs itself.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/os_interface.h"

namespace fm::testing {

struct OsBox {
  std::string text;
  std::string caption;
  BoxIcon icon = BoxIcon::Error;
};

// Thrown by FakeOs::EndProcess in place of ending the process.
struct ProcessEnded {
  int exitCode = 0;
};

// Steps that FakeOs can make fail (the payload lookup has its own setter).
enum class FakeStep { TempFolder, UniqueTempFile, Open, WriteFlushClose, Remove, Copy, Start };

class FakeOs : public OsInterface {
 public:
  // What the FS2002 setting reads; unset: the native answer.
  std::optional<SettingRead> fsRoot;
  bool shiftHeld = false;
  // The running program's own path; unset: the native answer.
  std::optional<std::string> modulePath;

  std::vector<OsBox> boxes;
  std::vector<std::string> traces;
  std::vector<std::string> startedCommands;  // every start asked for
  std::vector<std::string> startedFolders;   // the working folder of each
  std::vector<bool> startedShown;            // whether each showed a window

  void SetFsRoot(const std::string& value) { fsRoot = SettingRead{SettingStatus::Ok, value, 0}; }
  // The next lookups of any payload fail at this step.
  void FailPayload(const char* step, OsError error) {
    payloadStep_ = step;
    payloadError_ = error;
  }
  void Fail(FakeStep step, OsError error) { failures_[step] = error; }

  // The texts of the recorded boxes, in order.
  std::vector<std::string> BoxTexts() const {
    std::vector<std::string> texts;
    for (const OsBox& box : boxes) texts.push_back(box.text);
    return texts;
  }

  SettingRead ReadFsRootSetting() override {
    return fsRoot ? *fsRoot : NativeOs().ReadFsRootSetting();
  }
  PayloadLookup FindPayload(int id) override;
  OsText TempFolder() override;
  OsText CreateUniqueTempFile(const std::string& folder, const char* prefix) override;
  std::string ExecutableNameFor(const std::string& uniqueFile) override {
    return NativeOs().ExecutableNameFor(uniqueFile);
  }
  WriteResult WriteWholeFile(const std::string& path, std::string_view bytes,
                             bool executable) override;
  OsStatus RemoveFile(const std::string& path) override;
  OsStatus CopyIfAbsent(const std::string& source, const std::string& target) override;
  ProcessResult StartProcess(const std::string& commandLine, bool waitForExit, bool showWindow,
                             const std::string& workingFolder = {}) override;
  OsText ModulePath() override {
    return modulePath ? OsText{OsStatus::Success(), *modulePath} : NativeOs().ModulePath();
  }
  void DebugOutput(const std::string& text) override { traces.push_back(text); }
  std::uint32_t TickCount() override { return NativeOs().TickCount(); }
  bool ShiftHeld() override { return shiftHeld; }
  BoxAnswer ShowMessage(const std::string& text, const std::string& caption, BoxIcon icon,
                        BoxButtons) override {
    boxes.push_back({text, caption, icon});
    return BoxAnswer::Ok;
  }
  [[noreturn]] void EndProcess(int exitCode) override { throw ProcessEnded{exitCode}; }

 private:
  std::optional<OsError> Failure(FakeStep step) const;

  std::map<FakeStep, OsError> failures_;
  const char* payloadStep_ = nullptr;
  OsError payloadError_ = 0;
};

// A FakeOs that is in use for its own lifetime.
class ScopedFakeOs : public FakeOs {
 public:
  ScopedFakeOs() : use_(*this) {}

 private:
  ScopedOsOverride use_;
};

}  // namespace fm::testing
