// The test double of the OS interface.
#include "tests/support/fake_os.h"

namespace fm::testing {

std::optional<OsError> FakeOs::Failure(FakeStep step) const {
  const auto found = failures_.find(step);
  if (found == failures_.end()) return std::nullopt;
  return found->second;
}

PayloadLookup FakeOs::FindPayload(int id) {
  if (payloadStep_ == nullptr) return NativeOs().FindPayload(id);
  return PayloadLookup{{}, payloadStep_, payloadError_};
}

OsText FakeOs::TempFolder() {
  if (auto error = Failure(FakeStep::TempFolder)) return {OsStatus::Failure(*error), {}};
  return NativeOs().TempFolder();
}

OsText FakeOs::CreateUniqueTempFile(const std::string& folder, const char* prefix) {
  if (auto error = Failure(FakeStep::UniqueTempFile)) return {OsStatus::Failure(*error), {}};
  return NativeOs().CreateUniqueTempFile(folder, prefix);
}

WriteResult FakeOs::WriteWholeFile(const std::string& path, std::string_view bytes,
                                   bool executable) {
  if (auto error = Failure(FakeStep::Open)) return {WritePhase::Open, *error};
  if (auto error = Failure(FakeStep::WriteFlushClose)) {
    // The file is there, as after a real failed write.
    NativeOs().WriteWholeFile(path, {}, executable);
    return {WritePhase::WriteFlushClose, *error};
  }
  return NativeOs().WriteWholeFile(path, bytes, executable);
}

OsStatus FakeOs::RemoveFile(const std::string& path) {
  if (auto error = Failure(FakeStep::Remove)) return OsStatus::Failure(*error);
  return NativeOs().RemoveFile(path);
}

OsStatus FakeOs::CopyIfAbsent(const std::string& source, const std::string& target) {
  if (auto error = Failure(FakeStep::Copy)) return OsStatus::Failure(*error);
  return NativeOs().CopyIfAbsent(source, target);
}

ProcessResult FakeOs::StartProcess(const std::string& commandLine, bool waitForExit,
                                   bool showWindow, const std::string& workingFolder) {
  startedCommands.push_back(commandLine);
  startedFolders.push_back(workingFolder);
  startedShown.push_back(showWindow);
  if (auto error = Failure(FakeStep::Start)) return {OsStatus::Failure(*error), 0};
  return NativeOs().StartProcess(commandLine, waitForExit, showWindow, workingFolder);
}

}  // namespace fm::testing
