// File-system services on POSIX: every name is resolved case-insensitively
// as Windows would, and read-only files are kept untouched as Windows keeps
// them.
#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/file_paths.h"
#include "platform/file_system.h"

namespace fm {
namespace {

bool StatPath(const std::string& path, struct stat& st) { return ::stat(path.c_str(), &st) == 0; }

// The entry of `folder` whose name equals `name` but for letter case; among
// several, the first in listing order.
bool FindFoldedEntry(const std::string& folder, const std::string& name, std::string& found) {
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return false;
  const std::string wanted = FoldFileNameCase(name);
  bool any = false;
  while (const dirent* d = ::readdir(dir)) {
    std::string entry = d->d_name;
    if (FoldFileNameCase(entry) != wanted) continue;
    if (!any || entry < found) found = entry;
    any = true;
  }
  ::closedir(dir);
  return any;
}

// Copies the bytes of `from` into the new file `to`; a partial copy is removed.
bool CopyToNewFile(const std::string& from, const std::string& to) {
  int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return false;
  int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (out < 0) {
    ::close(in);
    return false;
  }
  bool ok = true;
  char chunk[1 << 16];
  for (;;) {
    ssize_t got = ::read(in, chunk, sizeof chunk);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      ok = got == 0;
      break;
    }
    for (ssize_t done = 0; ok && done < got;) {
      ssize_t put = ::write(out, chunk + done, static_cast<size_t>(got - done));
      if (put < 0 && errno == EINTR) continue;
      ok = put > 0;
      if (ok) done += put;
    }
    if (!ok) break;
  }
  ::close(in);
  if (::close(out) != 0) ok = false;
  if (!ok) ::unlink(to.c_str());
  return ok;
}

}  // namespace

std::string FoldFileNameCase(std::string_view name) {
  std::string folded(name);
  for (char& c : folded) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return folded;
}

std::string ResolvePath(const std::string& path) {
  struct stat st;
  if (path.empty() || StatPath(path, st)) return path;
  std::string resolved;
  size_t pos = 0;
  bool lookUp = true;  // false once a component does not exist
  for (;;) {
    size_t next = path.find('/', pos);
    size_t end = next == std::string::npos ? path.size() : next;
    std::string component = path.substr(pos, end - pos);
    if (lookUp && !component.empty() && component != "." && component != "..") {
      if (!StatPath(resolved + component, st)) {
        std::string match;
        if (FindFoldedEntry(resolved.empty() ? "." : resolved, component, match)) {
          component = match;
        } else {
          lookUp = false;
        }
      }
    }
    resolved += component;
    if (next == std::string::npos) break;
    resolved += '/';
    pos = next + 1;
  }
  return resolved;
}

bool ReadDirectoryEntries(const std::string& folder, std::vector<DirEntry>& entries) {
  entries.clear();
  const std::string resolved = folder.empty() ? std::string(".") : ResolvePath(folder);
  DIR* dir = ::opendir(resolved.c_str());
  if (!dir) return false;
  while (const dirent* d = ::readdir(dir)) {
    std::string name = d->d_name;
    if (name == "." || name == "..") continue;
    DirEntry entry;
    entry.name = name;
    if (d->d_type == DT_DIR) {
      entry.isDirectory = true;
    } else if (d->d_type == DT_UNKNOWN || d->d_type == DT_LNK) {
      entry.isDirectory = IsDirectory(JoinPath(resolved, name));
    }
    entries.push_back(std::move(entry));
  }
  ::closedir(dir);
  return true;
}

bool PathExists(const std::string& path) {
  struct stat st;
  return StatPath(ResolvePath(path), st);
}

bool IsDirectory(const std::string& path) {
  struct stat st;
  return StatPath(ResolvePath(path), st) && S_ISDIR(st.st_mode);
}

bool IsRegularFile(const std::string& path) {
  struct stat st;
  return StatPath(ResolvePath(path), st) && S_ISREG(st.st_mode);
}

bool MakeDirectory(const std::string& path) {
  const std::string resolved = ResolvePath(path);
  if (::mkdir(resolved.c_str(), 0777) == 0) return true;
  return errno == EEXIST && IsDirectory(resolved);
}


bool RemoveEmptyDirectory(const std::string& path) {
  return ::rmdir(ResolvePath(path).c_str()) == 0;
}

bool ReplaceFileWith(const std::string& from, const std::string& to) {
  return ::rename(ResolvePath(from).c_str(), ResolvePath(to).c_str()) == 0;
}

bool LinkOrCopyFile(const std::string& file, const std::string& copy) {
  const std::string from = ResolvePath(file);
  const std::string to = ResolvePath(copy);
  if (::link(from.c_str(), to.c_str()) == 0) return true;
  // Some file systems (FAT, a few network shares) have no second names.
  return errno != EEXIST && CopyToNewFile(from, to);
}

bool FlushFileToDisk(std::FILE* file) { return file && ::fsync(::fileno(file)) == 0; }

bool FlushFolderToDisk(const std::string& folder) {
  int fd = ::open(folder.empty() ? "." : ResolvePath(folder).c_str(),
                  O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  bool ok = ::fsync(fd) == 0;
  ::close(fd);
  return ok;
}

bool CanReplaceFile(const std::string& name) {
  const std::string path = ResolvePath(name);
  struct stat st;
  if (!StatPath(path, st)) return true;
  if (!S_ISREG(st.st_mode)) return false;
  // No write bit at all is the read-only attribute of Windows; the check on
  // the bits also holds for a process that may write everything.
  if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return false;
  return ::access(path.c_str(), W_OK) == 0;
}

std::string MakeUniqueTempFolder(const std::string& prefix) {
  const char* tmp = ::getenv("TMPDIR");
  std::string pattern = JoinPath(tmp && *tmp ? tmp : "/tmp", prefix + "XXXXXX");
  if (!::mkdtemp(pattern.data())) return {};
  return pattern;
}

bool SetReadOnly(const std::string& name, bool readOnly) {
  const std::string path = ResolvePath(name);
  struct stat st;
  if (!StatPath(path, st)) return false;
  mode_t mode = st.st_mode & 07777;
  mode = readOnly ? (mode & ~(S_IWUSR | S_IWGRP | S_IWOTH)) : (mode | S_IWUSR);
  return ::chmod(path.c_str(), mode) == 0;
}

}  // namespace fm
