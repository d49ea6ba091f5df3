// Building the demo installation from the repository's sources.
#include "demo/demo_builder.h"

#include <vector>

#include "demo/demo_airports.h"
#include "demo/demo_traffic.h"
#include "platform/file_paths.h"
#include "platform/file_system.h"
#include "platform/file_text.h"
#include "tools/traffic_tools.h"

namespace fm::demo {
namespace {

std::string Path(const std::string& base, std::initializer_list<const char*> names) {
  std::string path = base;
  for (const char* name : names) path = JoinPath(path, name);
  return path;
}

bool CopyFile(const std::string& from, const std::string& to, std::string& problem) {
  std::string bytes;
  if (!ReadFileBytes(from, bytes)) {
    problem = "cannot read " + from;
    return false;
  }
  if (!WriteFileBytes(to, bytes)) {
    problem = "cannot write " + to;
    return false;
  }
  return true;
}

bool MakeFolder(const std::string& path, std::string& problem) {
  if (MakeDirectories(path)) return true;
  problem = "cannot make the folder " + path;
  return false;
}

bool CopyAircraft(const std::string& sourceDir, const std::string& fsRoot, DemoBuild& built,
                  std::string& problem) {
  const std::string from = Path(sourceDir, {"demo", "aircraft"});
  std::vector<DirEntry> folders;
  if (!ListDirectory(from, "*", folders)) {
    problem = "cannot list " + from;
    return false;
  }
  for (const DirEntry& folder : folders) {
    if (!folder.isDirectory) continue;
    const std::string target = Path(fsRoot, {"AIRCRAFT", folder.name.c_str()});
    if (!MakeFolder(target, problem) || !CopyFile(Path(from, {folder.name.c_str(), "aircraft.cfg"}),
                                                  JoinPath(target, "aircraft.cfg"), problem)) {
      return false;
    }
    ++built.aircraftFolders;
  }
  return true;
}

bool WriteAirportsAndTraffic(const std::string& sourceDir, const std::string& outDir,
                             const std::string& fsRoot, DemoBuild& built, std::string& problem) {
  std::string csv;
  const std::string csvPath = Path(sourceDir, {"data", "airports.csv"});
  if (!ReadFileBytes(csvPath, csv)) {
    problem = "cannot read " + csvPath;
    return false;
  }
  std::vector<DemoAirport> airports;
  if (!ChooseDemoAirports(csv, airports, problem)) return false;
  built.airports = static_cast<int>(airports.size());

  const std::string scenery = Path(fsRoot, {"SCENEDB", "AFDFILES", "SCENERY"});
  if (!MakeFolder(scenery, problem)) return false;
  for (const AfdFile& file : BuildAfdFiles(airports)) {
    const std::string path = JoinPath(scenery, file.name);
    if (!WriteFileBytes(path, std::string(file.bytes.begin(), file.bytes.end()))) {
      problem = "cannot write " + path;
      return false;
    }
    ++built.afdFiles;
  }

  const DemoTraffic traffic = MakeDemoTraffic(airports);
  built.plans = traffic.plans;
  const std::string texts = JoinPath(outDir, "traffic");
  if (!MakeFolder(texts, problem)) return false;
  for (auto [name, bytes] : {std::pair{kToolAircraftFile, &traffic.aircraft},
                             std::pair{kToolFlightPlansFile, &traffic.flightPlans},
                             std::pair{kToolAirportsFile, &traffic.airports}}) {
    if (!WriteFileBytes(JoinPath(texts, name), *bytes)) {
      problem = "cannot write " + JoinPath(texts, name);
      return false;
    }
  }
  if (!MakeFolder(std::string(FolderOf(InstalledTrafficPath(fsRoot))), problem)) return false;
  const ToolOutcome compiled = CompileTraffic(fsRoot, texts);
  if (!compiled.ok()) problem = compiled.line;
  return compiled.ok();
}

}  // namespace

bool BuildDemo(const std::string& sourceDir, const std::string& outDir, DemoBuild& built,
               std::string& problem) {
  built = DemoBuild();
  const std::string fsRoot = JoinPath(outDir, "FS2002");
  const std::string work = JoinPath(outDir, "work");
  for (const std::string& old : {fsRoot, work, JoinPath(outDir, "traffic")}) {
    if (PathExists(old) && !RemoveTree(old)) {
      problem = "cannot remove the earlier " + old;
      return false;
    }
  }
  if (!MakeFolder(JoinPath(fsRoot, "AIRCRAFT"), problem) || !MakeFolder(work, problem)) {
    return false;
  }
  if (!CopyAircraft(sourceDir, fsRoot, built, problem) ||
      !WriteAirportsAndTraffic(sourceDir, outDir, fsRoot, built, problem)) {
    return false;
  }
  for (const char* name : {"air_class.cfg", "air_nat.cfg"}) {
    if (!CopyFile(Path(sourceDir, {"config", name}), JoinPath(work, name), problem)) return false;
  }
  return true;
}

}  // namespace fm::demo
