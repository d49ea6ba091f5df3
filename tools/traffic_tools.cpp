// The traffic decompiler and compiler: reading, checking and writing their
// files, and the one line each run ends with.
#include "tools/traffic_tools.h"

#include <cstdio>
#include <cstring>

#include "platform/file_paths.h"
#include "platform/file_system.h"
#include "platform/file_text.h"
#include "platform/os_interface.h"
#include "tools/traffic_container.h"

namespace fm {
namespace {

constexpr const char* kTrafficFolders[] = {"SCENEDB", "ATC", "SCENERY"};
constexpr const char* kTrafficFileName = "TRAFFIC.BGL";

#if defined(_WIN32)
constexpr const char* kRootKeyMissing =
    "cannot find the FS2002 folder: the registry key HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\"
    "Microsoft Games\\Flight Simulator\\8.0 is missing (is FS2002 installed?)";
constexpr const char* kRootValueMissing =
    "cannot find the FS2002 folder: the value \"EXE Path\" of the FS2002 registry key is missing "
    "or not a text";
#else
constexpr const char* kRootKeyMissing =
    "cannot find the FS2002 folder: FLEETMIX_FS_ROOT is not set";
constexpr const char* kRootValueMissing =
    "cannot find the FS2002 folder: FLEETMIX_FS_ROOT is empty";
#endif

ToolOutcome Failed(std::string line) { return {kToolFailed, std::move(line)}; }

std::string FolderName(const std::string& folder) {
  return folder.empty() ? std::string("the current folder") : folder;
}

std::string ProblemLine(const std::string& path, TrafficFileProblem problem) {
  switch (problem) {
    case TrafficFileProblem::kNotOurs:
      return path +
             " is not a traffic file of the Fleetmix traffic tools (FS2002's own traffic needs "
             "the outside traffic tools: see the Fleetmix README)";
    case TrafficFileProblem::kUnknownVersion:
      return path + " is a traffic file of a version these traffic tools do not read";
    case TrafficFileProblem::kCutShort:
      return path + " is cut short: it ends before its content does";
    case TrafficFileProblem::kDamaged:
      return path + " is damaged: its checksum does not match its content";
    case TrafficFileProblem::kNone:
      break;
  }
  return {};
}

}  // namespace

std::string InstalledTrafficPath(const std::string& fsRoot) {
  std::string path = fsRoot;
  for (const char* folder : kTrafficFolders) path = JoinPath(path, folder);
  return JoinPath(path, kTrafficFileName);
}

bool FindFsFolder(std::string& fsRoot, ToolOutcome& outcome) {
  const SettingRead read = Os().ReadFsRootSetting();
  if (read.status == SettingStatus::Ok) {
    fsRoot = read.value;
    return true;
  }
  outcome = Failed(read.status == SettingStatus::KeyMissing ? kRootKeyMissing : kRootValueMissing);
  return false;
}

ToolOutcome DecompileTraffic(const std::string& fsRoot, const std::string& workFolder,
                             AtomicFileSet::RenameFunction rename) {
  const std::string source = InstalledTrafficPath(fsRoot);
  if (!IsRegularFile(source)) return Failed("there is no traffic file " + source);
  std::string bytes;
  if (!ReadFileBytes(source, bytes)) return Failed("cannot read " + source);
  TrafficTexts texts;
  const TrafficFileProblem problem = DecodeTrafficFile(bytes, texts);
  if (problem != TrafficFileProblem::kNone) return Failed(ProblemLine(source, problem));

  // The three files change together or not at all.
  AtomicFileSet files(rename ? std::move(rename) : AtomicFileSet::RenameFunction(ReplaceFileWith));
  const std::pair<const char*, std::string_view> outputs[] = {
      {kToolAircraftFile, texts.aircraft},
      {kToolFlightPlansFile, texts.flightPlans},
      {kToolAirportsFile, texts.airports},
  };
  for (const auto& [name, text] : outputs) {
    OutputFile* file = files.Create(JoinPath(workFolder, name));
    if (file == nullptr) {
      return Failed(std::string("cannot write ") + name + " in " + FolderName(workFolder) +
                    "; no file was changed");
    }
    file->WriteBytes(text);
  }
  size_t failedIndex = 0;
  if (!files.Commit(&failedIndex)) {
    return Failed(std::string("cannot write ") + outputs[failedIndex].first + " in " +
                  FolderName(workFolder) + "; no file was changed");
  }
  return {0, "decompiled " + source + " into Aircraft.txt, FlightPlans.txt and Airports.txt"};
}

ToolOutcome CompileTraffic(const std::string& fsRoot, const std::string& workFolder,
                           AtomicFileSet::RenameFunction rename) {
  std::string inputs[3];
  const char* names[3] = {kToolAircraftFile, kToolFlightPlansFile, kToolAirportsFile};
  for (int i = 0; i < 3; ++i) {
    const std::string path = JoinPath(workFolder, names[i]);
    if (!IsRegularFile(path)) {
      return Failed(std::string("cannot find ") + names[i] + " in " + FolderName(workFolder));
    }
    if (!ReadFileBytes(path, inputs[i])) return Failed("cannot read " + path);
  }

  const std::string target = InstalledTrafficPath(fsRoot);
  const std::string folder(FolderOf(target));
  if (!IsDirectory(folder)) {
    return Failed("there is no folder " + folder + ": is " + fsRoot + " an FS2002 folder?");
  }
  const std::string packed = EncodeTrafficFile({inputs[0], inputs[1], inputs[2]});
  for (std::string& input : inputs) std::string().swap(input);

  AtomicFileSet files(rename ? std::move(rename) : AtomicFileSet::RenameFunction(ReplaceFileWith));
  OutputFile* file = files.Create(target);
  if (file != nullptr) file->WriteBytes(packed);
  if (file == nullptr || !files.Commit()) {
    return Failed("cannot write " + target + "; the installed traffic is unchanged");
  }
  return {0, "compiled Aircraft.txt, FlightPlans.txt and Airports.txt into " + target};
}

int TrafficToolMain(std::string_view programName, int argc, char** argv,
                    TrafficToolOperation operation) {
  const std::string name(programName);
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument != "/np" && argument != "/NP" && argument != "-np") {
      std::fprintf(stderr, "usage: %s [/np]\n", name.c_str());
      return kToolUsage;
    }
  }
  ToolOutcome outcome;
  std::string fsRoot;
  if (FindFsFolder(fsRoot, outcome)) outcome = operation(fsRoot, {}, {});
  std::FILE* stream = outcome.ok() ? stdout : stderr;
  std::fprintf(stream, "%s: %s\n", name.c_str(), outcome.line.c_str());
  std::fflush(stream);
  return outcome.exitCode;
}

}  // namespace fm
