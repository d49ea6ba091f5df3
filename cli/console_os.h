// The OS interface of the console program: it forwards to the one beneath,
// answers the FS2002 folder from --fs-root, holds Shift down when the
// traffic files are to be taken as they lie, prints message boxes as the
// console host does, keeps the tools' own output off the summary's stream,
// and turns the process's end into an exception the program returns from.
#pragma once

#include <optional>
#include <string>

#include "cli/console_page_host.h"
#include "platform/os_interface.h"

namespace fm::cli {

// Thrown by ConsoleOs::EndProcess; the program ends with this code once
// every object on the way has been destroyed and the output flushed.
struct ProcessExit {
  int exitCode = 0;
};

class ConsoleOs final : public OsInterface {
 public:
  ConsoleOs(OsInterface& base, ConsoleOutput& output) : base_(base), output_(output) {}

  std::optional<std::string> fsRoot;  // unset: the setting beneath
  bool shiftHeld = false;

  SettingRead ReadFsRootSetting() override;
  PayloadLookup FindPayload(int id) override { return base_.FindPayload(id); }
  OsText TempFolder() override { return base_.TempFolder(); }
  OsText CreateUniqueTempFile(const std::string& folder, const char* prefix) override {
    return base_.CreateUniqueTempFile(folder, prefix);
  }
  std::string ExecutableNameFor(const std::string& uniqueFile) override {
    return base_.ExecutableNameFor(uniqueFile);
  }
  WriteResult WriteWholeFile(const std::string& path, std::string_view bytes,
                             bool executable) override {
    return base_.WriteWholeFile(path, bytes, executable);
  }
  OsStatus RemoveFile(const std::string& path) override { return base_.RemoveFile(path); }
  OsStatus CopyIfAbsent(const std::string& source, const std::string& target) override {
    return base_.CopyIfAbsent(source, target);
  }
  ProcessResult StartProcess(const std::string& commandLine, bool waitForExit, bool showWindow,
                             const std::string& workingFolder = {}) override;
  OsText ModulePath() override { return base_.ModulePath(); }
  void DebugOutput(const std::string& text) override { base_.DebugOutput(text); }
  std::uint32_t TickCount() override { return base_.TickCount(); }
  bool ShiftHeld() override { return shiftHeld; }
  BoxAnswer ShowMessage(const std::string& text, const std::string& caption, BoxIcon icon,
                        BoxButtons buttons) override;
  [[noreturn]] void EndProcess(int exitCode) override;

 private:
  OsInterface& base_;
  ConsoleOutput& output_;
};

}  // namespace fm::cli
