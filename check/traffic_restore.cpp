// The restore of the traffic backup: the current file kept under a new name,
// the backup's bytes written beside the target and renamed over it.
#include "check/traffic_restore.h"

#include <cstdio>

#include "platform/file_paths.h"
#include "platform/file_system.h"
#include "platform/file_text.h"
#include "platform/os_interface.h"
#include "traffic/traffic_import.h"

namespace fm {
namespace {

constexpr char kCannotRestore[] = "Cannot restore the traffic: ";
constexpr char kNothingChanged[] = "; nothing was changed.";
// The new content beside its target, as every whole-file replacement names it.
constexpr char kStagedSuffix[] = ".fmix-new";
constexpr int kMostKeptCopies = 999;

std::string ErrorCode(OsError error) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", error);
  return text;
}

int Refuse(std::ostream& err, const std::string& why) {
  err << kCannotRestore << why << "\n";
  return kRestoreFailed;
}

// The first kept name that nothing stands at yet; "" when all are taken.
std::string FreeKeptName(const std::string& installed) {
  for (int n = 1; n <= kMostKeptCopies; ++n) {
    std::string name = installed + kKeptTrafficSuffix;
    if (n > 1) {
      name += '.';
      name += std::to_string(n);
    }
    if (!PathExists(name)) return name;
  }
  return {};
}

// Makes a copied file reach the disk before the file it was copied from is
// replaced. A file system that cannot flush a file still has the copy.
void FlushCopyToDisk(const std::string& path) {
  if (std::FILE* file = std::fopen(path.c_str(), "r+b")) {
    FlushFileToDisk(file);
    std::fclose(file);
  }
}

}  // namespace

int RestoreTraffic(const std::string& fsRoot, std::ostream& out, std::ostream& err) {
  const std::string installed = ResolvePath(InstalledTrafficBgl(fsRoot));
  const std::string backup = ResolvePath(BackupTrafficBgl(fsRoot));
  if (!IsRegularFile(backup)) {
    return Refuse(err, "there is no backup " + backup + " (the first traffic import makes it)" +
                           kNothingChanged);
  }
  std::string bytes;
  if (!ReadFileBytes(backup, bytes))
    return Refuse(err, backup + " cannot be read" + kNothingChanged);

  std::string kept;
  if (PathExists(installed)) {
    if (!IsRegularFile(installed) || !CanReplaceFile(installed)) {
      return Refuse(err, installed + " is read-only or not a file" + kNothingChanged);
    }
    std::string current;
    if (!ReadFileBytes(installed, current)) {
      return Refuse(err, installed + " cannot be read" + kNothingChanged);
    }
    if (current == bytes) {
      out << installed << " already holds the backup; nothing was changed.\n";
      return kRestoreDone;
    }
    kept = FreeKeptName(installed);
    if (kept.empty()) {
      return Refuse(err, "every name " + installed + kKeptTrafficSuffix +
                             ".N for keeping the current traffic is taken" + kNothingChanged);
    }
    const OsStatus copied = Os().CopyIfAbsent(installed, kept);
    if (!copied.ok) {
      return Refuse(err, "the current traffic cannot be kept as " + kept + " (" +
                             ErrorCode(copied.error) + ")" + kNothingChanged);
    }
    FlushCopyToDisk(kept);
  }

  // From here a failure takes the kept copy away again: the traffic it
  // keeps is still in place.
  const std::string staged = installed + kStagedSuffix;
  if (PathExists(staged)) Os().RemoveFile(staged);  // left by a restore that stopped
  const WriteResult written = Os().WriteWholeFile(staged, bytes, false);
  const bool placed = written.ok() && ReplaceFileWith(staged, installed);
  if (!placed) {
    Os().RemoveFile(staged);
    if (!kept.empty()) Os().RemoveFile(kept);
    const std::string why = written.ok()
                                ? installed + " cannot be replaced"
                                : staged + " cannot be written (" + ErrorCode(written.error) + ")";
    return Refuse(err, why + kNothingChanged);
  }
  FlushFolderToDisk(std::string(FolderOf(installed)));

  out << "Restored " << installed << " from " << backup << ".\n";
  if (!kept.empty()) out << "The traffic it replaced is kept as " << kept << ".\n";
  return kRestoreDone;
}

}  // namespace fm
