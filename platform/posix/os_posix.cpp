// The OS interface on POSIX: the environment, else a Wine prefix's registry
// file, instead of the registry; mkstemp for unique files; posix_spawnp for
// child programs (command lines split with the Windows rules, no shell;
// Windows programs through wine); standard error for boxes and traces.
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

#include <climits>

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/command_line.h"
#include "platform/os_interface.h"
#include "platform/posix/payload_table.h"
#include "platform/posix/wine_registry.h"

extern char** environ;

namespace fm {

namespace {

constexpr const char* kFsRootVariable = "FLEETMIX_FS_ROOT";
constexpr const char* kTraceVariable = "FLEETMIX_TRACE";
constexpr const char* kDefaultTempFolder = "/tmp/";
constexpr const char* kWineProgram = "wine";
constexpr std::string_view kWindowsProgramEnding = ".exe";

OsError LastErrno() { return static_cast<OsError>(errno); }

// A program name ending in ".exe", in any letter case.
bool IsWindowsProgramName(std::string_view name) {
  if (name.size() < kWindowsProgramEnding.size()) return false;
  const std::string_view ending = name.substr(name.size() - kWindowsProgramEnding.size());
  for (std::size_t i = 0; i < ending.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(ending[i])) != kWindowsProgramEnding[i]) {
      return false;
    }
  }
  return true;
}

// Writes every byte, resuming after short writes and interruptions.
bool WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t written = ::write(fd, data, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

int WaitForChild(pid_t pid) {
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

class PosixOs final : public OsInterface {
 public:
  SettingRead ReadFsRootSetting() override {
    SettingRead read;
    const char* value = std::getenv(kFsRootVariable);
    if (value == nullptr) return ReadWineFsRoot(WinePrefixFolder());
    if (*value == '\0') {
      read.status = SettingStatus::ValueMissing;
      read.error = ENOENT;
    } else {
      read.status = SettingStatus::Ok;
      read.value = value;
    }
    return read;
  }

  PayloadLookup FindPayload(int id) override {
    PayloadLookup lookup;
    for (const PayloadEntry* entry = fm_payload_table; entry->begin != nullptr; ++entry) {
      if (entry->id == id) {
        lookup.bytes =
            std::string_view(entry->begin, static_cast<std::size_t>(entry->end - entry->begin));
        return lookup;
      }
    }
    lookup.failedStep = "FindResource";
    lookup.error = ENOENT;
    return lookup;
  }

  OsText TempFolder() override {
    const char* folder = std::getenv("TMPDIR");
    std::string text = (folder != nullptr && *folder != '\0') ? folder : kDefaultTempFolder;
    if (text.back() != '/') text += '/';
    return {OsStatus::Success(), text};
  }

  OsText CreateUniqueTempFile(const std::string& folder, const char* prefix) override {
    std::string pattern = folder;
    if (!pattern.empty() && pattern.back() != '/') pattern += '/';
    pattern += prefix;
    pattern += "XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) return {OsStatus::Failure(LastErrno()), {}};
    ::fchmod(fd, S_IRWXU);
    ::close(fd);
    return {OsStatus::Success(), std::string(name.data())};
  }

  std::string ExecutableNameFor(const std::string& uniqueFile) override { return uniqueFile; }

  WriteResult WriteWholeFile(const std::string& path, std::string_view bytes,
                             bool executable) override {
    const mode_t mode = executable ? S_IRWXU : (S_IRUSR | S_IWUSR | S_IRGRP | S_IROTH);
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
    if (fd < 0) return {WritePhase::Open, LastErrno()};
    if (executable) {
      struct statvfs volume {};
      if (::fstatvfs(fd, &volume) == 0 && (volume.f_flag & ST_NOEXEC) != 0) {
        ::close(fd);
        return {WritePhase::Open, EACCES};
      }
      ::fchmod(fd, S_IRWXU);
    }
    bool ok = WriteAll(fd, bytes.data(), bytes.size());
    OsError error = ok ? 0 : LastErrno();
    if (ok && ::fsync(fd) != 0 && errno != EINVAL && errno != EROFS) {
      ok = false;
      error = LastErrno();
    }
    if (::close(fd) != 0 && ok) {
      ok = false;
      error = LastErrno();
    }
    if (!ok) return {WritePhase::WriteFlushClose, error};
    return {};
  }

  OsStatus RemoveFile(const std::string& path) override {
    if (::unlink(path.c_str()) != 0) return OsStatus::Failure(LastErrno());
    return OsStatus::Success();
  }

  OsStatus CopyIfAbsent(const std::string& source, const std::string& target) override {
    const int in = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return OsStatus::Failure(LastErrno());
    struct stat info {};
    ::fstat(in, &info);
    // O_EXCL: an existing target (even a dangling link) is never touched.
    const int out =
        ::open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, info.st_mode & 0777);
    if (out < 0) {
      const OsError error = LastErrno();
      ::close(in);
      return OsStatus::Failure(error);
    }
    std::vector<char> buffer(1 << 16);
    OsError error = 0;
    while (true) {
      const ssize_t got = ::read(in, buffer.data(), buffer.size());
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) {
        error = LastErrno();
        break;
      }
      if (got == 0) break;
      if (!WriteAll(out, buffer.data(), static_cast<std::size_t>(got))) {
        error = LastErrno();
        break;
      }
    }
    ::close(in);
    if (::close(out) != 0 && error == 0) error = LastErrno();
    if (error != 0) {
      ::unlink(target.c_str());  // no half copy stays behind
      return OsStatus::Failure(error);
    }
    return OsStatus::Success();
  }

  ProcessResult StartProcess(const std::string& commandLine, bool waitForExit, bool /*showWindow*/,
                             const std::string& workingFolder) override {
    std::vector<std::string> words = SplitCommandLine(commandLine);
    if (words.empty() || words.front().empty()) return {OsStatus::Failure(ENOENT), 0};
    // The child changes folder before it runs the program: a relative path
    // of the program must still name it from this process's folder, and so
    // must a Windows program's bare name that lies here (wine would look in
    // the child's folder, Windows looks in the starting program's).
    std::string& program = words.front();
    const bool windowsProgram = IsWindowsProgramName(program);
    if (!workingFolder.empty() && program.front() != '/' &&
        (program.find('/') != std::string::npos ||
         (windowsProgram && ::access(program.c_str(), F_OK) == 0))) {
      char here[PATH_MAX];
      if (::getcwd(here, sizeof here) != nullptr) program = std::string(here) + '/' + program;
    }
    // A user's own Windows tools run through wine, which takes the
    // program's path as its first argument; without wine the start fails
    // with ENOENT as for any missing program.
    if (windowsProgram) words.insert(words.begin(), kWineProgram);
    std::vector<char*> argv;
    for (const std::string& word : words) argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    if (!workingFolder.empty()) {
      ::posix_spawn_file_actions_addchdir_np(&actions, workingFolder.c_str());
    }
    pid_t pid = 0;
    const int error = ::posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    ::posix_spawn_file_actions_destroy(&actions);
    if (error != 0) return {OsStatus::Failure(static_cast<OsError>(error)), 0};
    ReapFinishedChildren();
    if (!waitForExit) {
      unwaited_.push_back(pid);
      return {OsStatus::Success(), 0};
    }
    return {OsStatus::Success(), WaitForChild(pid)};
  }

  OsText ModulePath() override {
    std::vector<char> buffer(PATH_MAX);
    for (;;) {
      const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
      if (length < 0) return {OsStatus::Failure(LastErrno()), {}};
      if (static_cast<std::size_t>(length) < buffer.size()) {
        return {OsStatus::Success(), std::string(buffer.data(), static_cast<std::size_t>(length))};
      }
      buffer.resize(buffer.size() * 2);  // the link may have been cut short
    }
  }

  void DebugOutput(const std::string& text) override {
    const char* trace = std::getenv(kTraceVariable);
    if (trace == nullptr) return;
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
  }

  std::uint32_t TickCount() override {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    const unsigned long long ms = static_cast<unsigned long long>(now.tv_sec) * 1000ULL +
                                  static_cast<unsigned long long>(now.tv_nsec) / 1000000ULL;
    return static_cast<std::uint32_t>(ms);
  }

  bool ShiftHeld() override { return false; }

  BoxAnswer ShowMessage(const std::string& text, const std::string& caption, BoxIcon,
                        BoxButtons) override {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    std::fflush(stderr);
    return BoxAnswer::Ok;
  }

  [[noreturn]] void EndProcess(int exitCode) override { std::exit(exitCode); }

 private:
  // Collects the children started without waiting that have ended since,
  // so they do not stay behind as zombies for the life of this process.
  void ReapFinishedChildren() {
    std::vector<pid_t> running;
    for (const pid_t pid : unwaited_) {
      int status = 0;
      if (::waitpid(pid, &status, WNOHANG) == 0) running.push_back(pid);
    }
    unwaited_.swap(running);
  }

  std::vector<pid_t> unwaited_;
};

}  // namespace

OsInterface& NativeOs() {
  static PosixOs os;
  return os;
}

}  // namespace fm
