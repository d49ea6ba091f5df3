// The system services over the OS interface: their texts, boxes and exits.
#include "services/system_services.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <exception>
#include <string_view>
#include <vector>

#include "platform/file_paths.h"
#include "platform/file_system.h"
#include "platform/file_text.h"
#include "platform/os_interface.h"

namespace fm {

namespace {

constexpr char kFsRootKeyMissing[] = "Cannot find FS2002 root folder (2)";
constexpr char kFsRootValueMissing[] = "Cannot find FS2002 root folder (1)";
constexpr int kFsRootMissingExitCode = 1;

constexpr char kExtractionFailed[] = "%s failed during extraction of (%d) - 0x%X";
constexpr char kStartFailed[] = "CreateProcess (%s) failed: 0x%X";

// Names of the extraction steps, as the failure box gives them.
constexpr char kStepTempPath[] = "GetTempPath";
constexpr char kStepTempFileName[] = "GetTempFileName";
constexpr char kStepOpen[] = "CFile::Open";
constexpr char kStepWrite[] = "CFile::Write/Flush/Close";
constexpr char kStepUnexpected[] = "UNEXPECTED";
constexpr char kStepReadReplacement[] = "CFile::Read";

// The programs a user may replace by a file beside the running program.
constexpr int kTrafficDecompilerId = 134;
constexpr int kTrafficCompilerId = 135;
constexpr std::string_view kWindowsProgramSuffix = ".exe";
#if defined(_WIN32)
constexpr std::string_view kProgramSuffix = kWindowsProgramSuffix;
#else
constexpr std::string_view kProgramSuffix = "";
#endif

constexpr char kTempFilePrefix[] = "fmix";
constexpr std::size_t kTraceBufferSize = 512;

std::string FormatText(const char* format, ...) FM_PRINTF_FORMAT(1, 2);

std::string FormatText(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  const int length = std::vsnprintf(nullptr, 0, format, args);
  va_end(args);
  std::string text;
  if (length > 0) {
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, again);
    text.assign(buffer.data(), static_cast<std::size_t>(length));
  }
  va_end(again);
  return text;
}

void ShowError(const std::string& text) { Os().ShowMessage(text, kMessageCaption, BoxIcon::Error); }

ExtractedTool ExtractionFailed(const char* step, int id, OsError error) {
  ShowError(FormatText(kExtractionFailed, step, id, error));
  return ExtractedTool();
}

}  // namespace

std::string FindFsRoot() {
  const SettingRead read = Os().ReadFsRootSetting();
  if (read.status == SettingStatus::Ok) return read.value;
  ShowError(read.status == SettingStatus::KeyMissing ? kFsRootKeyMissing : kFsRootValueMissing);
  Os().EndProcess(kFsRootMissingExitCode);
  return {};  // not reached: the process has ended
}

ExtractedTool::ExtractedTool(std::string path, std::string reservation)
    : path_(std::move(path)), reservation_(std::move(reservation)) {
  if (reservation_ == path_) reservation_.clear();
}

ExtractedTool::ExtractedTool(ExtractedTool&& other) noexcept
    : path_(std::move(other.path_)), reservation_(std::move(other.reservation_)) {
  other.path_.clear();
  other.reservation_.clear();
}

ExtractedTool& ExtractedTool::operator=(ExtractedTool&& other) noexcept {
  if (this != &other) {
    Remove();
    path_ = std::move(other.path_);
    reservation_ = std::move(other.reservation_);
    other.path_.clear();
    other.reservation_.clear();
  }
  return *this;
}

void ExtractedTool::Remove() {
  // The program first, then the name's reservation, so the name is never
  // free while the program exists.
  if (!path_.empty()) Os().RemoveFile(path_);
  if (!reservation_.empty()) Os().RemoveFile(reservation_);
  path_.clear();
  reservation_.clear();
}

std::string ReplacementToolName(int id) {
  switch (id) {
    case kTrafficDecompilerId:
      return "trafficdecompiler" + std::string(kProgramSuffix);
    case kTrafficCompilerId:
      return "trafficcompiler" + std::string(kProgramSuffix);
    default:
      return {};
  }
}

ExtractedTool ExtractTool(int id) {
  OsInterface& os = Os();
  // A replacement beside the program wins over the embedded program.
  std::string replacementBytes;
  std::string_view bytes;
  const std::string replacementName = ReplacementToolName(id);
  const OsText self = replacementName.empty() ? OsText{} : os.ModulePath();
  std::string replacement = replacementName.empty() || !self.status.ok || self.text.empty()
                                ? std::string()
                                : JoinPath(FolderOf(self.text), replacementName);
  // Outside Windows the user's Windows tool may lie there with its ".exe":
  // its copy keeps the ending, by which the runner starts it through wine.
  const bool windowsReplacement = kProgramSuffix.empty() && !replacement.empty() &&
                                  !IsRegularFile(replacement) &&
                                  IsRegularFile(replacement + std::string(kWindowsProgramSuffix));
  if (windowsReplacement) replacement += kWindowsProgramSuffix;
  if (!replacement.empty() && IsRegularFile(replacement)) {
    errno = 0;
    if (!ReadFileBytes(replacement, replacementBytes)) {
      return ExtractionFailed(kStepReadReplacement, id, static_cast<OsError>(errno));
    }
    bytes = replacementBytes;
  } else {
    const PayloadLookup payload = os.FindPayload(id);
    if (!payload.Found()) return ExtractionFailed(payload.failedStep, id, payload.error);
    bytes = payload.bytes;
  }

  const OsText folder = os.TempFolder();
  if (!folder.status.ok) return ExtractionFailed(kStepTempPath, id, folder.status.error);

  const OsText unique = os.CreateUniqueTempFile(folder.text, kTempFilePrefix);
  if (!unique.status.ok) return ExtractionFailed(kStepTempFileName, id, unique.status.error);

  // From here on the object owns what exists on disk, whatever happens.
  std::string path = os.ExecutableNameFor(unique.text);
  if (windowsReplacement) path += kWindowsProgramSuffix;
  ExtractedTool tool(path, unique.text);
  try {
    const WriteResult written = os.WriteWholeFile(tool.Path(), bytes, true);
    if (written.failedPhase == WritePhase::Open) {
      tool.Remove();
      return ExtractionFailed(kStepOpen, id, written.error);
    }
    if (written.failedPhase == WritePhase::WriteFlushClose) {
      tool.Remove();
      return ExtractionFailed(kStepWrite, id, written.error);
    }
  } catch (const std::exception&) {
    tool.Remove();
    return ExtractionFailed(kStepUnexpected, id, 0);
  }
  return tool;
}

bool RunTool(const std::string& commandLine, bool wait, bool showWindow,
             const std::string& workingFolder) {
  const ProcessResult started = Os().StartProcess(commandLine, wait, showWindow, workingFolder);
  if (!started.status.ok) {
    ShowError(FormatText(kStartFailed, commandLine.c_str(), started.status.error));
    return false;
  }
  return true;
}

void TraceDebug(const char* format, ...) {
  char buffer[kTraceBufferSize];
  va_list args;
  va_start(args, format);
  const int length = std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  if (length < 0) buffer[0] = '\0';
  Os().DebugOutput(buffer);
}

}  // namespace fm
