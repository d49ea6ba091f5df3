// Files of a set written beside their targets, then renamed into place
// together; the earlier files are moved aside first so that a failure can
// put them back.
#include "platform/file_atomic.h"

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

AtomicFileSet::~AtomicFileSet() { Discard(); }

OutputFile* AtomicFileSet::Create(const std::string& target) {
  Entry entry;
  entry.target = ExistingSpelling(target);
  if (!CanReplaceFile(entry.target)) return nullptr;
  entry.staged = entry.target + kStagedSuffix;
  entry.backup = entry.target + kBackupSuffix;
  entry.file = std::make_unique<OutputFile>();
  if (!entry.file->Create(entry.staged)) return nullptr;
  entries_.push_back(std::move(entry));
  return entries_.back().file.get();
}

bool AtomicFileSet::Commit(size_t* failedIndex) {
  auto fail = [&](size_t index) {
    if (failedIndex) *failedIndex = index;
    Discard();
    return false;
  };
  for (size_t i = 0; i < entries_.size(); ++i) {
    if (!entries_[i].file->Close()) return fail(i);
  }

  // hadEarlier[i]: the target's earlier file now lies at its backup name.
  std::vector<bool> hadEarlier(entries_.size(), false);
  size_t placed = 0;
  for (; placed < entries_.size(); ++placed) {
    Entry& e = entries_[placed];
    if (!CanReplaceFile(e.target)) break;
    if (IsRegularFile(e.target)) {
      RemoveFile(e.backup);
      if (!ReplaceFileWith(e.target, e.backup)) break;
      hadEarlier[placed] = true;
    }
    if (!ReplaceFileWith(e.staged, e.target)) {
      ReplaceFileWith(e.backup, e.target);
      hadEarlier[placed] = false;
      break;
    }
  }

  if (placed < entries_.size()) {
    // Put back what was there before, newest first.
    for (size_t j = placed; j-- > 0;) {
      Entry& e = entries_[j];
      if (hadEarlier[j]) {
        ReplaceFileWith(e.backup, e.target);
      } else {
        RemoveFile(e.target);
      }
    }
    return fail(placed);
  }

  for (size_t i = 0; i < entries_.size(); ++i) {
    if (hadEarlier[i]) RemoveFile(entries_[i].backup);
  }
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
