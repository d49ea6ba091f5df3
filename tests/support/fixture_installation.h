// A throw-away FS2002 installation for tests: the simulator's folder tree in
// a fresh temporary folder, a separate working folder for the wizard's own
// files, and the system pointed at that tree on request. Everything it made
// is removed, and the system's earlier setting restored, when it ends.
//
//   FixtureInstallation installation;
//   installation.AddAircraft("B737", "[fltsim.0]\ntitle=Boeing 737\n");
//   installation.WorkFileBytes("air_class.cfg", "...");
//   installation.PointSystemAtRoot();  // tests doing this take LOCK registry
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace fm::testing {

class FixtureInstallation {
 public:
  // Makes <temp>/FS2002 with AIRCRAFT, SCENEDB/AFDFILES/SCENERY and
  // SCENEDB/ATC/SCENERY/TRAFFIC.BGL, and the working folder <temp>/work.
  FixtureInstallation();
  ~FixtureInstallation();
  FixtureInstallation(const FixtureInstallation&) = delete;
  FixtureInstallation& operator=(const FixtureInstallation&) = delete;

  // False when the folders could not be made (tests assert this first).
  bool IsReady() const { return ready_; }

  // The FS2002 root folder, without a trailing separator.
  const std::string& Root() const { return root_; }
  const std::string& WorkFolder() const { return work_; }

  // Paths below the root or the working folder; `relative` uses '/' and is
  // turned into the platform's separator.
  std::string RootPath(std::string_view relative) const;
  std::string WorkPath(std::string_view relative) const;

  // AIRCRAFT/<folder>/aircraft.cfg with the text (LF written as CR LF);
  // gives the file's path.
  std::string AddAircraft(std::string_view folder, std::string_view cfgText);
  // Files below the root or in the working folder with exactly these bytes;
  // folders are made. Each gives the file's path ("" when it failed).
  std::string AddRootFile(std::string_view relative, std::string_view bytes);
  std::string SetTrafficBgl(std::string_view bytes) { return AddRootFile(kTrafficBgl, bytes); }
  std::string WorkFileBytes(std::string_view name, std::string_view bytes);
  // A file of the working folder with the text (LF written as CR LF).
  std::string WorkFile(std::string_view name, std::string_view text);

  std::string TrafficBglPath() const { return RootPath(kTrafficBgl); }
  std::string BackupTrafficBglPath() const { return RootPath("SCENEDB/ATC/BACKUP_TRAFFIC.BGL"); }
  // The bytes of a file of the working folder ("" when it is missing).
  std::string ReadWorkFile(std::string_view name) const;

  // Makes the system find this installation: FLEETMIX_FS_ROOT on POSIX; on
  // Windows the "EXE Path" value of the FS2002 key in the 32-bit registry
  // view. The earlier setting comes back when the fixture ends.
  bool PointSystemAtRoot();

 private:
  static constexpr char kTrafficBgl[] = "SCENEDB/ATC/SCENERY/TRAFFIC.BGL";

  bool ready_ = false;
  std::string base_;
  std::string root_;
  std::string work_;

  bool pointed_ = false;
  std::optional<std::string> earlier_;  // the earlier setting, if any
};

}  // namespace fm::testing
