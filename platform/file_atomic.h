// Replacing files whole or not at all. Each file is written beside its target
// and reaches the disk before anything is renamed; then each is renamed over
// its target in one step, so a target is never missing and never half
// written, whenever the process or the machine stops. The files of one set
// are renamed in order, and when one of them cannot be put in place the ones
// already renamed get their earlier content back.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/file_text.h"

namespace fm {

class AtomicFileSet {
 public:
  // Renames `from` over `to` in one step; ReplaceFileWith unless a test
  // gives its own to fail a chosen rename.
  using RenameFunction = std::function<bool(const std::string& from, const std::string& to)>;

  AtomicFileSet();
  explicit AtomicFileSet(RenameFunction rename);
  // Files not committed are discarded; their targets stay as they were.
  ~AtomicFileSet();
  AtomicFileSet(const AtomicFileSet&) = delete;
  AtomicFileSet& operator=(const AtomicFileSet&) = delete;

  // Starts the new content of `target`. What an interrupted earlier write of
  // the target left beside it goes first: a new content not yet renamed
  // ("<target>.fmix-new") is deleted; a kept earlier content
  // ("<target>.fmix-old") is put back when the target is missing (that
  // write lost it), else deleted. Gives nullptr when such a file cannot be
  // cleared, the target may not be replaced (a read-only file, a folder) or
  // the file beside it cannot be created. The writer belongs to the set.
  OutputFile* Create(const std::string& target);

  // Closes every file, makes it reach the disk and renames each over its
  // target. On failure `failedIndex` tells which file of the set, in
  // creation order, could not be written or put in place, and every target
  // keeps its earlier content (or stays absent) unless Unrestored() names it.
  bool Commit(size_t* failedIndex = nullptr);

  // After a failed Commit: the target that could not be written or put in
  // place.
  const std::string& FailedTarget() const { return failedTarget_; }
  // After a failed Commit: targets already replaced that could not get their
  // earlier state back. Each keeps its new content; an earlier content lies
  // beside it as "<target>.fmix-old" until the next write of that target.
  const std::vector<std::string>& Unrestored() const { return unrestored_; }

  // Drops every file not yet committed.
  void Discard();

 private:
  struct Entry {
    std::string target;
    std::string staged;  // the new content, beside the target
    std::string backup;  // the earlier content while the set is renamed
    std::unique_ptr<OutputFile> file;
  };

  bool ClearLeftovers(std::string& target);
  bool Fail(size_t index, size_t* failedIndex);
  void FlushFolders() const;

  RenameFunction rename_;
  std::vector<Entry> entries_;
  std::string failedTarget_;
  std::vector<std::string> unrestored_;
};

}  // namespace fm
