// The fixture installation: folders and files through the platform's file
// services, the pointer to the root through the environment or the registry.
#include "tests/support/fixture_installation.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <stdlib.h>
#endif

#include "platform/file_paths.h"
#include "platform/file_system.h"
#include "platform/file_text.h"

namespace fm::testing {
namespace {

constexpr const char* kTempPrefix = "fmfix";
constexpr const char* kAircraftFolder = "AIRCRAFT";
constexpr const char* kAfdSceneryFolder = "SCENEDB/AFDFILES/SCENERY";
constexpr const char* kTrafficBgl = "SCENEDB/ATC/SCENERY/TRAFFIC.BGL";
constexpr const char* kBackupTrafficBgl = "SCENEDB/ATC/BACKUP_TRAFFIC.BGL";
constexpr const char* kDefaultTrafficBgl = "fixture traffic.bgl";

#ifdef _WIN32
// The FS2002 key of the 32-bit view, as a 64-bit program reaches it.
constexpr const char* kFsKey =
    "SOFTWARE\\Wow6432Node\\Microsoft\\Microsoft Games\\Flight Simulator\\8.0";
constexpr const char* kFsValue = "EXE Path";
#else
constexpr const char* kFsRootVariable = "FLEETMIX_FS_ROOT";
#endif

std::string Below(const std::string& folder, std::string_view relative) {
  std::string path = folder;
  size_t pos = 0;
  while (pos <= relative.size()) {
    size_t slash = relative.find('/', pos);
    if (slash == std::string_view::npos) slash = relative.size();
    if (slash > pos) path = JoinPath(path, relative.substr(pos, slash - pos));
    pos = slash + 1;
  }
  return path;
}

std::string WriteWithFolders(const std::string& path, std::string_view bytes, bool asText) {
  MakeDirectories(std::string(FolderOf(path)));
  bool ok = asText ? WriteTextFile(path, bytes) : WriteFileBytes(path, bytes);
  return ok ? path : std::string();
}

}  // namespace

FixtureInstallation::FixtureInstallation() {
  base_ = MakeUniqueTempFolder(kTempPrefix);
  if (base_.empty()) return;
  root_ = JoinPath(base_, "FS2002");
  work_ = JoinPath(base_, "work");
  ready_ = MakeDirectories(RootPath(kAircraftFolder)) &&
           MakeDirectories(RootPath(kAfdSceneryFolder)) && MakeDirectories(work_) &&
           !SetTrafficBgl(kDefaultTrafficBgl).empty();
}

FixtureInstallation::~FixtureInstallation() {
  RestoreSystemSetting();
  if (!base_.empty()) RemoveTree(base_);
}

std::string FixtureInstallation::RootPath(std::string_view relative) const {
  return Below(root_, relative);
}

std::string FixtureInstallation::WorkPath(std::string_view relative) const {
  return Below(work_, relative);
}

std::string FixtureInstallation::AddAircraft(std::string_view folder, std::string_view cfgText) {
  std::string path = JoinPath(JoinPath(RootPath(kAircraftFolder), folder), "aircraft.cfg");
  return WriteWithFolders(path, cfgText, true);
}

std::string FixtureInstallation::AddRootFile(std::string_view relative, std::string_view bytes) {
  return WriteWithFolders(RootPath(relative), bytes, false);
}

std::string FixtureInstallation::SetTrafficBgl(std::string_view bytes) {
  return WriteWithFolders(TrafficBglPath(), bytes, false);
}

std::string FixtureInstallation::TrafficBglPath() const { return RootPath(kTrafficBgl); }

std::string FixtureInstallation::BackupTrafficBglPath() const {
  return RootPath(kBackupTrafficBgl);
}

std::string FixtureInstallation::WorkFile(std::string_view name, std::string_view text) {
  return WriteWithFolders(WorkPath(name), text, true);
}

std::string FixtureInstallation::WorkFileBytes(std::string_view name, std::string_view bytes) {
  return WriteWithFolders(WorkPath(name), bytes, false);
}

std::string FixtureInstallation::ReadWorkFile(std::string_view name) const {
  std::string bytes;
  ReadFileBytes(WorkPath(name), bytes);
  return bytes;
}

#ifdef _WIN32

bool FixtureInstallation::PointSystemAtRoot() {
  if (!pointed_) {
    char earlier[MAX_PATH] = {};
    DWORD size = sizeof earlier;
    hadEarlier_ = ::RegGetValueA(HKEY_LOCAL_MACHINE, kFsKey, kFsValue, RRF_RT_REG_SZ, nullptr,
                                 earlier, &size) == ERROR_SUCCESS;
    earlier_ = earlier;
  }
  pointed_ = true;
  return ::RegSetKeyValueA(HKEY_LOCAL_MACHINE, kFsKey, kFsValue, REG_SZ, root_.c_str(),
                           static_cast<DWORD>(root_.size() + 1)) == ERROR_SUCCESS;
}

// The key is made again when a test has deleted it.
void FixtureInstallation::RestoreSystemSetting() {
  if (!pointed_) return;
  pointed_ = false;
  if (hadEarlier_) {
    ::RegSetKeyValueA(HKEY_LOCAL_MACHINE, kFsKey, kFsValue, REG_SZ, earlier_.c_str(),
                      static_cast<DWORD>(earlier_.size() + 1));
  } else {
    ::RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kFsKey, kFsValue);
  }
}

#else

bool FixtureInstallation::PointSystemAtRoot() {
  if (!pointed_) {
    const char* earlier = ::getenv(kFsRootVariable);
    hadEarlier_ = earlier != nullptr;
    earlier_ = earlier ? earlier : "";
  }
  pointed_ = true;
  return ::setenv(kFsRootVariable, root_.c_str(), 1) == 0;
}

void FixtureInstallation::RestoreSystemSetting() {
  if (!pointed_) return;
  pointed_ = false;
  if (hadEarlier_) {
    ::setenv(kFsRootVariable, earlier_.c_str(), 1);
  } else {
    ::unsetenv(kFsRootVariable);
  }
}

#endif

}  // namespace fm::testing
