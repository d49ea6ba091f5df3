// The fixture installation: folders and files through the platform's file
// services, the pointer to the root through the environment or the registry.
#include "tests/support/fixture_installation.h"

#include <algorithm>

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

// The system's pointer to the FS2002 root: on Windows the "EXE Path" value of
// the FS2002 key in the 32-bit registry view (as a 64-bit program reaches
// it; writing makes the key again when a test has deleted it), elsewhere
// FLEETMIX_FS_ROOT.
#ifdef _WIN32
constexpr const char* kFsKey =
    "SOFTWARE\\Wow6432Node\\Microsoft\\Microsoft Games\\Flight Simulator\\8.0";

std::optional<std::string> ReadSetting() {
  char text[MAX_PATH] = {};
  DWORD size = sizeof text;
  const LSTATUS status =
      ::RegGetValueA(HKEY_LOCAL_MACHINE, kFsKey, "EXE Path", RRF_RT_REG_SZ, nullptr, text, &size);
  if (status != ERROR_SUCCESS) return std::nullopt;
  return text;
}
bool WriteSetting(const std::string& value) {
  return ::RegSetKeyValueA(HKEY_LOCAL_MACHINE, kFsKey, "EXE Path", REG_SZ, value.c_str(),
                           static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}
void DeleteSetting() { ::RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kFsKey, "EXE Path"); }
#else
std::optional<std::string> ReadSetting() {
  const char* text = ::getenv("FLEETMIX_FS_ROOT");
  if (text == nullptr) return std::nullopt;
  return text;
}
bool WriteSetting(const std::string& value) {
  return ::setenv("FLEETMIX_FS_ROOT", value.c_str(), 1) == 0;
}
void DeleteSetting() { ::unsetenv("FLEETMIX_FS_ROOT"); }
#endif

std::string Below(const std::string& folder, std::string_view relative) {
  std::string path = JoinPath(folder, relative);
  std::replace(path.begin() + folder.size(), path.end(), '/', kPathSeparator);
  return path;
}

std::string WriteWithFolders(const std::string& path, std::string_view bytes, bool asText) {
  MakeDirectories(std::string(FolderOf(path)));
  bool ok = asText ? WriteTextFile(path, bytes) : WriteFileBytes(path, bytes);
  return ok ? path : std::string();
}

}  // namespace

FixtureInstallation::FixtureInstallation() {
  base_ = MakeUniqueTempFolder("fmfix");
  if (base_.empty()) return;
  root_ = JoinPath(base_, "FS2002");
  work_ = JoinPath(base_, "work");
  ready_ = MakeDirectories(RootPath("AIRCRAFT")) &&
           MakeDirectories(RootPath("SCENEDB/AFDFILES/SCENERY")) && MakeDirectories(work_) &&
           !SetTrafficBgl("fixture traffic.bgl").empty();
}

FixtureInstallation::~FixtureInstallation() {
  if (pointed_ && earlier_) {
    WriteSetting(*earlier_);
  } else if (pointed_) {
    DeleteSetting();
  }
  if (!base_.empty()) RemoveTree(base_);
}

std::string FixtureInstallation::RootPath(std::string_view relative) const {
  return Below(root_, relative);
}

std::string FixtureInstallation::WorkPath(std::string_view relative) const {
  return Below(work_, relative);
}

std::string FixtureInstallation::AddAircraft(std::string_view folder, std::string_view cfgText) {
  return WriteWithFolders(RootPath("AIRCRAFT/" + std::string(folder) + "/aircraft.cfg"), cfgText,
                          true);
}

std::string FixtureInstallation::AddRootFile(std::string_view relative, std::string_view bytes) {
  return WriteWithFolders(RootPath(relative), bytes, false);
}

std::string FixtureInstallation::WorkFileBytes(std::string_view name, std::string_view bytes) {
  return WriteWithFolders(WorkPath(name), bytes, false);
}

std::string FixtureInstallation::WorkFile(std::string_view name, std::string_view text) {
  return WriteWithFolders(WorkPath(name), text, true);
}

std::string FixtureInstallation::ReadWorkFile(std::string_view name) const {
  std::string bytes;
  ReadFileBytes(WorkPath(name), bytes);
  return bytes;
}

bool FixtureInstallation::PointSystemAtRoot() {
  if (!pointed_) earlier_ = ReadSetting();
  pointed_ = true;
  return WriteSetting(root_);
}

}  // namespace fm::testing
