// The file passes of the scenery import.
#include "geo/scenery_import.h"

#include <exception>
#include <vector>

#include "geo/scenery_text.h"
#include "platform/file_paths.h"
#include "platform/file_system.h"
#include "platform/file_text.h"
#include "services/system_command_lines.h"
#include "services/system_services.h"

namespace fm {
namespace {

// The BGL files of the folder ("*.bgl", sorted as the file system lists
// them); a folder that cannot be read has none.
std::vector<DirEntry> SceneryFiles(const std::string& folder) {
  std::vector<DirEntry> entries;
  if (!ListDirectory(folder, "*.bgl", entries)) entries.clear();
  return entries;
}

// Deletes temp.sca when it goes, whichever way the file's turn ends.
class SceneryTextFile {
 public:
  explicit SceneryTextFile(std::string path) : path_(std::move(path)) { RemoveFile(path_); }
  ~SceneryTextFile() { RemoveFile(path_); }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

SceneryImportRun ImportFiles(AirportStore& store, const std::string& folder,
                             const std::string& workFolder, const ExtractedTool& tool,
                             StatusSink& status) {
  // Counting pass, then the processing pass over a new search.
  int total = 0;
  for (const DirEntry& entry : SceneryFiles(folder)) {
    if (!entry.isDirectory) ++total;
  }
  const std::string textPath = JoinPath(workFolder, kSceneryTextFile);
  const std::string textArgument = SceneryTextArgument(workFolder);
  int number = 0;
  for (const DirEntry& entry : SceneryFiles(folder)) {
    ++number;
    if (entry.isDirectory) continue;
    status.ShowStatus("Importing AFD: Processing " + entry.name + " (" + std::to_string(number) +
                      " of " + std::to_string(total) + ")");
    // A temp.sca left from an earlier run must not stand for this file's.
    SceneryTextFile text(textPath);
    if (!RunTool(BgltextCommandLine(tool.Path(), folder, entry.name, textArgument), true, false)) {
      return SceneryImportRun::ToolNotStarted;
    }
    TextLineReader reader;
    if (!reader.Open(text.Path())) continue;
    if (ReadSceneryText(reader, store) == SceneryTextRead::ReadFailed) {
      return SceneryImportRun::Failed;
    }
  }
  return SceneryImportRun::Completed;
}

}  // namespace

std::string SceneryFolder(const std::string& fsRoot) {
  return ResolvePath(JoinPath(JoinPath(JoinPath(fsRoot, "SCENEDB"), "AFDFILES"), "SCENERY"));
}

std::string SceneryTextArgument(const std::string& workFolder) {
  if (workFolder.empty()) return kSceneryTextFile;
  const std::string path = JoinPath(workFolder, kSceneryTextFile);
  return path.find_first_of(" \t") == std::string::npos ? path : '"' + path + '"';
}

SceneryImportRun RunSceneryImport(AirportStore& store, const std::string& workFolder,
                                  StatusSink& status) {
  const std::string folder = SceneryFolder(FindFsRoot());
  ExtractedTool tool = ExtractTool(kBgltextPayload);
  try {
    return ImportFiles(store, folder, workFolder, tool, status);
  } catch (const std::exception&) {
    return SceneryImportRun::Failed;
  }
}

}  // namespace fm
