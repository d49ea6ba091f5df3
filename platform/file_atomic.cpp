// Files of a set written beside their targets, made to reach the disk, then
// renamed over their targets together. The earlier content of every file
// that a later failure of the set may need to put back is kept under a
// second name (a hard link where the file system has them) while the set is
// renamed.
#include "platform/file_atomic.h"

#include <algorithm>
#include <cstring>

#include "platform/file_paths.h"
#include "platform/file_system.h"

namespace fm {
namespace {

constexpr const char* kStagedSuffix = ".fmix-new";
constexpr const char* kBackupSuffix = ".fmix-old";

// The target under the spelling it already has in its folder, so that
// replacing "Aircraft.txt" by "aircraft.txt" keeps the name the folder shows.
std::string ExistingSpelling(const std::string& target) {
  const std::string resolved = ResolvePath(target);
  const std::string_view name = FileNameOf(resolved);
  if (name.empty() || name.find_first_of("*?") != std::string_view::npos) return resolved;
  const std::string folder(FolderOf(resolved));
  std::vector<DirEntry> entries;
  if (!ListDirectory(folder.empty() ? "." : folder, std::string(name), entries) ||
      entries.empty()) {
    return resolved;
  }
  for (const DirEntry& e : entries) {
    if (e.name == name) return resolved;  // an exact name is the file meant
  }
  return folder.empty() ? entries.front().name : JoinPath(folder, entries.front().name);
}

}  // namespace

AtomicFileSet::AtomicFileSet() : AtomicFileSet(ReplaceFileWith) {}

AtomicFileSet::AtomicFileSet(RenameFunction rename) : rename_(std::move(rename)) {}

AtomicFileSet::~AtomicFileSet() { Discard(); }

bool AtomicFileSet::ClearLeftovers(std::string& target) {
  const std::string staged = target + kStagedSuffix;
  if (PathExists(staged) && !RemoveFile(staged)) return false;
  const std::string backup = target + kBackupSuffix;
  if (!PathExists(backup)) return true;
  if (PathExists(target)) return RemoveFile(backup);
  // The earlier write stopped after moving the target aside: the kept file
  // is the target, under the spelling it had.
  const std::string kept = ExistingSpelling(backup);
  target = kept.substr(0, kept.size() - std::strlen(kBackupSuffix));
  return rename_(kept, target);
}

OutputFile* AtomicFileSet::Create(const std::string& target) {
  Entry entry;
  entry.target = ExistingSpelling(target);
  if (!ClearLeftovers(entry.target)) return nullptr;
  if (!CanReplaceFile(entry.target)) return nullptr;
  entry.staged = entry.target + kStagedSuffix;
  entry.backup = entry.target + kBackupSuffix;
  entry.file = std::make_unique<OutputFile>();
  if (!entry.file->Create(entry.staged)) return nullptr;
  entries_.push_back(std::move(entry));
  return entries_.back().file.get();
}

bool AtomicFileSet::Fail(size_t index, size_t* failedIndex) {
  if (failedIndex) *failedIndex = index;
  failedTarget_ = entries_[index].target;
  Discard();
  return false;
}

void AtomicFileSet::FlushFolders() const {
  std::vector<std::string> folders;
  for (const Entry& e : entries_) {
    std::string folder(FolderOf(e.target));
    if (std::find(folders.begin(), folders.end(), folder) != folders.end()) continue;
    // A file system that cannot flush a folder still has the renames made;
    // there is nothing better to do than go on.
    FlushFolderToDisk(folder);
    folders.push_back(std::move(folder));
  }
}

bool AtomicFileSet::Commit(size_t* failedIndex) {
  failedTarget_.clear();
  unrestored_.clear();
  const size_t count = entries_.size();

  // Every new content whole on the disk before any target changes.
  for (size_t i = 0; i < count; ++i) {
    bool written = entries_[i].file->FlushToDisk();
    if (!entries_[i].file->Close() || !written) return Fail(i, failedIndex);
  }
  // A target may have become read-only or a folder since Create.
  for (size_t i = 0; i < count; ++i) {
    if (!CanReplaceFile(entries_[i].target)) return Fail(i, failedIndex);
  }

  // Keep the earlier content of every file that a later one's failure would
  // have to put back: all but the last.
  std::vector<bool> hadEarlier(count, false);
  auto dropBackups = [&](size_t from) {
    for (size_t j = from; j < count; ++j) {
      if (hadEarlier[j]) RemoveFile(entries_[j].backup);
    }
  };
  for (size_t i = 0; i + 1 < count; ++i) {
    Entry& e = entries_[i];
    if (!IsRegularFile(e.target)) continue;
    if (PathExists(e.backup)) RemoveFile(e.backup);
    if (!LinkOrCopyFile(e.target, e.backup)) {
      dropBackups(0);
      return Fail(i, failedIndex);
    }
    hadEarlier[i] = true;
  }

  size_t placed = 0;
  while (placed < count && rename_(entries_[placed].staged, entries_[placed].target)) ++placed;

  if (placed < count) {
    // Put back what was there before, newest first; a file that was not
    // there before goes again.
    for (size_t j = placed; j-- > 0;) {
      Entry& e = entries_[j];
      bool restored = hadEarlier[j] ? rename_(e.backup, e.target) : RemoveFile(e.target);
      if (!restored) unrestored_.push_back(e.target);  // its backup stays beside it
    }
    dropBackups(placed);
    FlushFolders();
    return Fail(placed, failedIndex);
  }

  FlushFolders();
  dropBackups(0);
  entries_.clear();
  return true;
}

void AtomicFileSet::Discard() {
  for (Entry& e : entries_) {
    e.file->Close();
    RemoveFile(e.staged);
  }
  entries_.clear();
}

}  // namespace fm
