// Replacing files whole or not at all. Each file is written beside its target
// and renamed over it only when every file of the set has been written; the
// files of one set are renamed in order, and when one of them cannot be put
// in place the ones already renamed get their earlier content back.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/file_text.h"

namespace fm {

class AtomicFileSet {
 public:
  AtomicFileSet() = default;
  // Files not committed are discarded; their targets stay as they were.
  ~AtomicFileSet();
  AtomicFileSet(const AtomicFileSet&) = delete;
  AtomicFileSet& operator=(const AtomicFileSet&) = delete;

  // Starts the new content of `target`. Gives nullptr when the target may not
  // be replaced (a read-only file, a folder) or the file beside it cannot be
  // created. The writer belongs to the set.
  OutputFile* Create(const std::string& target);

  // Closes every file and renames each over its target. On failure every
  // target keeps its earlier content (or stays absent) and `failedIndex`
  // tells which file of the set, in creation order, could not be written or
  // put in place.
  bool Commit(size_t* failedIndex = nullptr);

  // Drops every file not yet committed.
  void Discard();

 private:
  struct Entry {
    std::string target;
    std::string staged;  // the new content, beside the target
    std::string backup;  // the earlier content while the set is renamed
    std::unique_ptr<OutputFile> file;
  };
  std::vector<Entry> entries_;
};

}  // namespace fm
