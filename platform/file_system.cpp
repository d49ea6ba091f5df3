// The portable part of the file-system services: sorted, filtered listings
// and the operations built from the per-platform primitives.
#include "platform/file_system.h"

#include <algorithm>

#include "platform/file_paths.h"
#include "platform/os_interface.h"

namespace fm {

// Through the OS interface, so that a test can make any removal fail.
bool RemoveFile(const std::string& path) { return Os().RemoveFile(ResolvePath(path)).ok; }

void SortDirEntries(std::vector<DirEntry>& entries) {
  std::vector<std::pair<std::string, DirEntry>> keyed;
  keyed.reserve(entries.size());
  for (DirEntry& e : entries) keyed.emplace_back(FoldFileNameCase(e.name), std::move(e));
  std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
    if (a.first != b.first) return a.first < b.first;
    return a.second.name < b.second.name;
  });
  entries.clear();
  for (auto& k : keyed) entries.push_back(std::move(k.second));
}

bool ListDirectory(const std::string& folder, const std::string& pattern,
                   std::vector<DirEntry>& entries) {
  entries.clear();
  std::vector<DirEntry> all;
  if (!ReadDirectoryEntries(ResolvePath(folder), all)) return false;
  for (DirEntry& e : all) {
    if (MatchesFilePattern(pattern, e.name)) entries.push_back(std::move(e));
  }
  SortDirEntries(entries);
  return true;
}

bool MakeDirectories(const std::string& path) {
  if (path.empty() || IsDirectory(path)) return true;
  std::string_view parent = FolderOf(path);
  if (!parent.empty() && parent != path && !MakeDirectories(std::string(parent))) return false;
  return MakeDirectory(path);
}

bool RemoveTree(const std::string& path) {
  if (!IsDirectory(path)) return !PathExists(path) || RemoveFile(path);
  std::vector<DirEntry> entries;
  bool ok = ReadDirectoryEntries(path, entries);
  for (const DirEntry& e : entries) {
    std::string child = JoinPath(path, e.name);
    if (e.isDirectory) {
      // A link to a folder goes as a file: what it points to stays.
      if (!RemoveFile(child)) ok = RemoveTree(child) && ok;
    } else {
      SetReadOnly(child, false);
      ok = RemoveFile(child) && ok;
    }
  }
  return RemoveEmptyDirectory(path) && ok;
}

}  // namespace fm
