// The OS interface beneath the system services: every call answers with a
// status and the platform's error code (the last error on Windows, errno on
// POSIX). Nothing here throws or shows text of its own choosing; the services
// above decide what the user sees. One implementation per platform, reached
// through fm::Os(); tests install their own through ScopedOsOverride.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace fm {

// The platform's error code: GetLastError() / the registry status on Windows,
// errno on POSIX. Shown to the user as "0x%X".
using OsError = unsigned int;

// Success or failure of one call, with the error code on failure.
struct OsStatus {
  bool ok = true;
  OsError error = 0;

  static OsStatus Success() { return {}; }
  static OsStatus Failure(OsError error) { return {false, error}; }
};

// A text answer (a folder, a file name) or the error that prevented it.
struct OsText {
  OsStatus status;
  std::string text;
};

// Reading the FS2002 installation folder ("EXE Path" of the FS2002 key under
// the local machine, 32-bit view; on POSIX FLEETMIX_FS_ROOT, else the same
// key in the registry file of the user's Wine prefix).
enum class SettingStatus {
  Ok,
  KeyMissing,    // the key cannot be opened
  ValueMissing,  // no value, not a plain string, or too long (POSIX: empty
                 // variable, or a drive the Wine prefix does not map)
};

struct SettingRead {
  SettingStatus status = SettingStatus::KeyMissing;
  std::string value;  // up to its terminating zero; only when Ok
  OsError error = 0;
};

// An embedded program's bytes, or the step that failed to reach them:
// "FindResource", "LoadResource" or "LockResource".
struct PayloadLookup {
  std::string_view bytes;            // lives as long as the program
  const char* failedStep = nullptr;  // nullptr when found
  OsError error = 0;

  bool Found() const { return failedStep == nullptr; }
};

// Writing a whole file: the open and the write-flush-close are told apart.
enum class WritePhase { Done, Open, WriteFlushClose };

struct WriteResult {
  WritePhase failedPhase = WritePhase::Done;
  OsError error = 0;

  bool ok() const { return failedPhase == WritePhase::Done; }
};

// Starting a command line. exitCode is only meaningful when the start was
// waited for (POSIX: 128 + signal number for a program ended by a signal).
struct ProcessResult {
  OsStatus status;
  int exitCode = 0;
};

enum class BoxIcon { Error, Warning, Information, Question };
enum class BoxButtons { Ok, OkCancel };
enum class BoxAnswer { Ok, Cancel };

class OsInterface {
 public:
  virtual ~OsInterface() = default;

  // The FS2002 installation folder as the installer recorded it.
  virtual SettingRead ReadFsRootSetting() = 0;

  // The embedded program with this id (resource type "EXE" on Windows).
  virtual PayloadLookup FindPayload(int id) = 0;

  // The temporary folder, with its trailing separator.
  virtual OsText TempFolder() = 0;
  // Creates a new, empty, uniquely named file with this prefix in the
  // folder and returns its full path (Windows: the prefix's first three
  // letters, four hexadecimal digits, ".tmp"; POSIX: the prefix and six
  // letters, no extension, owner-only, run bit set).
  virtual OsText CreateUniqueTempFile(const std::string& folder, const char* prefix) = 0;
  // The name under which an extracted program is written beside the
  // unique file: ".exe" replaces the extension on Windows; POSIX keeps the
  // name as it is.
  virtual std::string ExecutableNameFor(const std::string& uniqueFile) = 0;

  // Creates or truncates the file and writes all bytes, flushed and
  // closed. `executable` gives it the run bit on POSIX and refuses a
  // folder that cannot run programs (noexec mounts) at the open phase.
  virtual WriteResult WriteWholeFile(const std::string& path, std::string_view bytes,
                                     bool executable) = 0;
  virtual OsStatus RemoveFile(const std::string& path) = 0;
  // Copies only when the target does not exist yet; never overwrites.
  virtual OsStatus CopyIfAbsent(const std::string& source, const std::string& target) = 0;

  // Starts the command line as a new process (the first word, quoted or
  // not, names the program; Windows splitting rules on every platform).
  // waitForExit blocks without a time limit; showWindow false starts it
  // without a console window (ignored on POSIX). The child runs in
  // `workingFolder`, or in this process's current folder when it is empty;
  // a relative program path is taken from this process's current folder.
  // On POSIX a program whose name ends in ".exe" is started through wine.
  virtual ProcessResult StartProcess(const std::string& commandLine, bool waitForExit,
                                     bool showWindow, const std::string& workingFolder = {}) = 0;

  // The full path of the running program's own executable file
  // (GetModuleFileName on Windows, /proc/self/exe on Linux).
  virtual OsText ModulePath() = 0;

  // The developer trace channel (OutputDebugString; POSIX: standard error
  // when FLEETMIX_TRACE is set, else nothing).
  virtual void DebugOutput(const std::string& text) = 0;
  // Milliseconds since an arbitrary start, wrapping at 2^32.
  virtual std::uint32_t TickCount() = 0;
  // Whether a Shift key is held down (POSIX: never).
  virtual bool ShiftHeld() = 0;

  // A message box without owner window (POSIX: "caption: text" on
  // standard error, answered with Ok).
  virtual BoxAnswer ShowMessage(const std::string& text, const std::string& caption, BoxIcon icon,
                                BoxButtons buttons = BoxButtons::Ok) = 0;

  // Ends the process with this exit code. Test doubles throw instead.
  [[noreturn]] virtual void EndProcess(int exitCode) = 0;
};

// The implementation of this platform.
OsInterface& NativeOs();

// The implementation in use: the native one unless a test installed another.
OsInterface& Os();

// Installs another implementation for the lifetime of this object and puts
// the previous one back afterwards (overrides nest).
class ScopedOsOverride {
 public:
  explicit ScopedOsOverride(OsInterface& replacement);
  ~ScopedOsOverride();
  ScopedOsOverride(const ScopedOsOverride&) = delete;
  ScopedOsOverride& operator=(const ScopedOsOverride&) = delete;

 private:
  OsInterface* previous_;
};

}  // namespace fm
