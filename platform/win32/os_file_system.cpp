// File-system services on Windows, through the ANSI API: the file system
// already ignores letter case, so names are used as given.
#include <io.h>
#include <windows.h>

#include <cstdio>

#include "platform/file_paths.h"
#include "platform/file_system.h"

namespace fm {
namespace {

DWORD AttributesOf(const std::string& path) { return ::GetFileAttributesA(path.c_str()); }

}  // namespace

std::string FoldFileNameCase(std::string_view name) {
  std::string folded(name);
  if (!folded.empty()) ::CharUpperBuffA(folded.data(), static_cast<DWORD>(folded.size()));
  return folded;
}

std::string ResolvePath(const std::string& path) { return path; }

bool ReadDirectoryEntries(const std::string& folder, std::vector<DirEntry>& entries) {
  entries.clear();
  WIN32_FIND_DATAA data;
  HANDLE find = ::FindFirstFileA(JoinPath(folder.empty() ? "." : folder, "*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) {
    return ::GetLastError() == ERROR_FILE_NOT_FOUND;  // an empty drive root
  }
  do {
    std::string name = data.cFileName;
    if (name == "." || name == "..") continue;
    entries.push_back({name, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
  } while (::FindNextFileA(find, &data));
  ::FindClose(find);
  return true;
}

bool PathExists(const std::string& path) { return AttributesOf(path) != INVALID_FILE_ATTRIBUTES; }

bool IsDirectory(const std::string& path) {
  DWORD attributes = AttributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsRegularFile(const std::string& path) {
  DWORD attributes = AttributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool MakeDirectory(const std::string& path) {
  if (::CreateDirectoryA(path.c_str(), nullptr)) return true;
  return ::GetLastError() == ERROR_ALREADY_EXISTS && IsDirectory(path);
}


bool RemoveEmptyDirectory(const std::string& path) { return ::RemoveDirectoryA(path.c_str()) != 0; }

bool ReplaceFileWith(const std::string& from, const std::string& to) {
  return ::MoveFileExA(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool LinkOrCopyFile(const std::string& file, const std::string& copy) {
  if (::CreateHardLinkA(copy.c_str(), file.c_str(), nullptr)) return true;
  // FAT volumes and some shares have no second names.
  return ::GetLastError() != ERROR_ALREADY_EXISTS && ::CopyFileA(file.c_str(), copy.c_str(), TRUE);
}

bool FlushFileToDisk(std::FILE* file) {
  if (!file) return false;
  HANDLE handle = reinterpret_cast<HANDLE>(::_get_osfhandle(::_fileno(file)));
  return handle != INVALID_HANDLE_VALUE && ::FlushFileBuffers(handle);
}

bool FlushFolderToDisk(const std::string&) { return true; }

bool CanReplaceFile(const std::string& path) {
  DWORD attributes = AttributesOf(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) return true;
  return !(attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY));
}

std::string MakeUniqueTempFolder(const std::string& prefix) {
  char buffer[MAX_PATH + 1];
  DWORD length = ::GetTempPathA(sizeof buffer, buffer);
  if (length == 0 || length > MAX_PATH) return {};
  const std::string folder(buffer, length);
  DWORD seed = ::GetTickCount() ^ (::GetCurrentProcessId() << 16);
  for (DWORD attempt = 0; attempt < 1000; ++attempt) {
    char name[32];
    std::snprintf(name, sizeof name, "%08lX", static_cast<unsigned long>(seed + attempt * 7919u));
    std::string path = JoinPath(folder, prefix + name);
    if (::CreateDirectoryA(path.c_str(), nullptr)) return path;
    if (::GetLastError() != ERROR_ALREADY_EXISTS) return {};
  }
  return {};
}

bool SetReadOnly(const std::string& path, bool readOnly) {
  DWORD attributes = AttributesOf(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  attributes = readOnly ? (attributes | FILE_ATTRIBUTE_READONLY)
                        : (attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
  if (attributes == 0) attributes = FILE_ATTRIBUTE_NORMAL;
  return ::SetFileAttributesA(path.c_str(), attributes) != 0;
}

}  // namespace fm
