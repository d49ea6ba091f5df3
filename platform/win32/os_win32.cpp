// The OS interface on Windows: the ANSI (...A) APIs throughout, so paths and
// texts stay byte strings in the system code page.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/os_interface.h"

namespace fm {

namespace {

// FS2002 is a 32-bit program; its installer writes the 32-bit view.
constexpr const char* kFsKey = "SOFTWARE\\Microsoft\\Microsoft Games\\Flight Simulator\\8.0";
constexpr const char* kFsValue = "EXE Path";
constexpr DWORD kFsValueBuffer = 260;
constexpr const char* kPayloadType = "EXE";

OsError LastError() { return static_cast<OsError>(::GetLastError()); }

// Closes a handle on every path.
class HandleCloser {
 public:
  explicit HandleCloser(HANDLE handle) : handle_(handle) {}
  ~HandleCloser() {
    if (handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE) ::CloseHandle(handle_);
  }
  HandleCloser(const HandleCloser&) = delete;
  HandleCloser& operator=(const HandleCloser&) = delete;

 private:
  HANDLE handle_;
};

UINT IconFlag(BoxIcon icon) {
  switch (icon) {
    case BoxIcon::Error:
      return MB_ICONERROR;
    case BoxIcon::Warning:
      return MB_ICONWARNING;
    case BoxIcon::Information:
      return MB_ICONINFORMATION;
    case BoxIcon::Question:
      return MB_ICONQUESTION;
  }
  return 0;
}

class Win32Os final : public OsInterface {
 public:
  SettingRead ReadFsRootSetting() override {
    SettingRead read;
    HKEY key = nullptr;
    LONG status = ::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kFsKey, 0, KEY_READ | KEY_WOW64_32KEY, &key);
    if (status != ERROR_SUCCESS) {
      read.status = SettingStatus::KeyMissing;
      read.error = static_cast<OsError>(status);
      return read;
    }
    char buffer[kFsValueBuffer] = {};
    DWORD size = sizeof buffer;
    DWORD type = REG_NONE;
    status =
        ::RegQueryValueExA(key, kFsValue, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    ::RegCloseKey(key);
    if (status != ERROR_SUCCESS || type != REG_SZ) {
      read.status = SettingStatus::ValueMissing;
      read.error = static_cast<OsError>(status != ERROR_SUCCESS ? status : ERROR_INVALID_DATA);
      return read;
    }
    // A value stored without its terminating zero ends at the buffer.
    read.status = SettingStatus::Ok;
    read.value.assign(buffer, ::strnlen(buffer, size));
    return read;
  }

  PayloadLookup FindPayload(int id) override {
    PayloadLookup lookup;
    HMODULE self = ::GetModuleHandleA(nullptr);
    HRSRC found = ::FindResourceA(self, MAKEINTRESOURCEA(id), kPayloadType);
    if (found == nullptr) {
      lookup.failedStep = "FindResource";
      lookup.error = LastError();
      return lookup;
    }
    HGLOBAL loaded = ::LoadResource(self, found);
    if (loaded == nullptr) {
      lookup.failedStep = "LoadResource";
      lookup.error = LastError();
      return lookup;
    }
    const void* locked = ::LockResource(loaded);
    if (locked == nullptr) {
      lookup.failedStep = "LockResource";
      lookup.error = LastError();
      return lookup;
    }
    lookup.bytes =
        std::string_view(static_cast<const char*>(locked), ::SizeofResource(self, found));
    return lookup;
  }

  OsText TempFolder() override {
    char buffer[MAX_PATH + 1] = {};
    const DWORD length = ::GetTempPathA(sizeof buffer, buffer);
    if (length == 0) return {OsStatus::Failure(LastError()), {}};
    if (length > sizeof buffer) return {OsStatus::Failure(ERROR_INSUFFICIENT_BUFFER), {}};
    return {OsStatus::Success(), std::string(buffer, length)};
  }

  OsText CreateUniqueTempFile(const std::string& folder, const char* prefix) override {
    char buffer[MAX_PATH + 1] = {};
    if (::GetTempFileNameA(folder.c_str(), prefix, 0, buffer) == 0) {
      return {OsStatus::Failure(LastError()), {}};
    }
    return {OsStatus::Success(), std::string(buffer)};
  }

  std::string ExecutableNameFor(const std::string& uniqueFile) override {
    // Drive, folder and base name stay; the extension becomes "exe".
    const std::size_t nameStart = uniqueFile.find_last_of("\\/:") == std::string::npos
                                      ? 0
                                      : uniqueFile.find_last_of("\\/:") + 1;
    std::size_t dot = uniqueFile.find_last_of('.');
    if (dot == std::string::npos || dot < nameStart) dot = uniqueFile.size();
    return uniqueFile.substr(0, dot) + ".exe";
  }

  WriteResult WriteWholeFile(const std::string& path, std::string_view bytes, bool) override {
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {WritePhase::Open, LastError()};
    bool ok = true;
    OsError error = 0;
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    while (ok && left > 0) {
      const DWORD chunk = left > 0x40000000 ? 0x40000000 : static_cast<DWORD>(left);
      DWORD written = 0;
      if (!::WriteFile(file, data, chunk, &written, nullptr) || written == 0) {
        ok = false;
        error = LastError();
      }
      data += written;
      left -= written;
    }
    if (ok && !::FlushFileBuffers(file)) {
      ok = false;
      error = LastError();
    }
    if (!::CloseHandle(file) && ok) {
      ok = false;
      error = LastError();
    }
    if (!ok) return {WritePhase::WriteFlushClose, error};
    return {};
  }

  OsStatus RemoveFile(const std::string& path) override {
    if (!::DeleteFileA(path.c_str())) return OsStatus::Failure(LastError());
    return OsStatus::Success();
  }

  OsStatus CopyIfAbsent(const std::string& source, const std::string& target) override {
    if (!::CopyFileA(source.c_str(), target.c_str(), TRUE)) return OsStatus::Failure(LastError());
    return OsStatus::Success();
  }

  ProcessResult StartProcess(const std::string& commandLine, bool waitForExit, bool showWindow,
                             const std::string& workingFolder) override {
    // CreateProcessA may write into the command line: give it a copy.
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    const DWORD flags = showWindow ? 0 : CREATE_NO_WINDOW;
    const char* folder = workingFolder.empty() ? nullptr : workingFolder.c_str();
    if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, flags, nullptr, folder,
                          &startup, &process)) {
      return {OsStatus::Failure(LastError()), 0};
    }
    HandleCloser closeProcess(process.hProcess);
    HandleCloser closeThread(process.hThread);
    ProcessResult result;
    if (waitForExit) {
      ::WaitForSingleObject(process.hProcess, INFINITE);
      DWORD code = 0;
      if (::GetExitCodeProcess(process.hProcess, &code)) result.exitCode = static_cast<int>(code);
    }
    return result;
  }

  OsText ModulePath() override {
    std::vector<char> buffer(MAX_PATH + 1);
    for (;;) {
      const DWORD length =
          ::GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
      if (length == 0) return {OsStatus::Failure(LastError()), {}};
      if (length < buffer.size()) return {OsStatus::Success(), std::string(buffer.data(), length)};
      buffer.resize(buffer.size() * 2);  // the name was cut at the buffer's end
    }
  }

  void DebugOutput(const std::string& text) override { ::OutputDebugStringA(text.c_str()); }

  std::uint32_t TickCount() override { return static_cast<std::uint32_t>(::GetTickCount()); }

  bool ShiftHeld() override { return (::GetKeyState(VK_SHIFT) & 0x8000) != 0; }

  BoxAnswer ShowMessage(const std::string& text, const std::string& caption, BoxIcon icon,
                        BoxButtons buttons) override {
    const UINT kind = buttons == BoxButtons::OkCancel ? MB_OKCANCEL : MB_OK;
    const int answer = ::MessageBoxA(nullptr, text.c_str(), caption.c_str(), kind | IconFlag(icon));
    return answer == IDCANCEL ? BoxAnswer::Cancel : BoxAnswer::Ok;
  }

  [[noreturn]] void EndProcess(int exitCode) override { std::exit(exitCode); }
};

}  // namespace

OsInterface& NativeOs() {
  static Win32Os os;
  return os;
}

}  // namespace fm
