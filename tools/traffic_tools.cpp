// The traffic decompiler and compiler: reading, checking and writing their
// files, and the one line each run ends with.
#include "tools/traffic_tools.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>

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
    "cannot find the FS2002 folder: FLEETMIX_FS_ROOT is not set, and the Wine prefix "
    "($WINEPREFIX, else ~/.wine) holds no FS2002 registry key";
constexpr const char* kRootValueMissing =
    "cannot find the FS2002 folder: FLEETMIX_FS_ROOT is empty, or the FS2002 key of the Wine "
    "prefix has no usable \"EXE Path\"";
#endif

constexpr size_t kCopyChunk = 1 << 20;
constexpr const char* kOutputs[3] = {kToolAircraftFile, kToolFlightPlansFile, kToolAirportsFile};

ToolOutcome Failed(std::string line) { return {kToolFailed, std::move(line)}; }

std::string FolderName(const std::string& folder) {
  return folder.empty() ? std::string("the current folder") : folder;
}

ToolOutcome CannotWrite(const char* name, const std::string& folder) {
  return Failed(std::string("cannot write ") + name + " in " + FolderName(folder) +
                "; no file was changed");
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
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(
      std::fopen(ResolvePath(source).c_str(), "rb"), &std::fclose);
  if (!in) return Failed("cannot read " + source);

  // The file goes through a chunk at a time, into its three files and the
  // checksum; they are renamed into place only once the checksum matched.
  std::string chunk(kCopyChunk, '\0');
  auto read = [&](size_t size) -> std::optional<std::string_view> {
    const size_t got = std::fread(chunk.data(), 1, size, in.get());
    if (got < size && std::ferror(in.get())) return std::nullopt;
    return std::string_view(chunk.data(), got);
  };
  const ToolOutcome unreadable = Failed("cannot read " + source);
  const ToolOutcome cutShort = Failed(ProblemLine(source, TrafficFileProblem::kCutShort));

  std::optional<std::string_view> head = read(kTrafficHeaderSize);
  if (!head) return unreadable;
  TrafficFileLayout layout;
  const TrafficFileProblem problem = ReadTrafficHead(*head, layout);
  if (problem != TrafficFileProblem::kNone) return Failed(ProblemLine(source, problem));
  std::uint32_t crc = Crc32(*head);

  AtomicFileSet files(rename ? std::move(rename) : AtomicFileSet::RenameFunction(ReplaceFileWith));
  for (int i = 0; i < 3; ++i) {
    OutputFile* file = files.Create(JoinPath(workFolder, kOutputs[i]));
    if (file == nullptr) return CannotWrite(kOutputs[i], workFolder);
    for (std::uint64_t left = layout.lengths[i]; left > 0;) {
      const size_t size = left < chunk.size() ? static_cast<size_t>(left) : chunk.size();
      const std::optional<std::string_view> part = read(size);
      if (!part) return unreadable;
      if (part->size() < size) return cutShort;
      crc = Crc32(*part, crc);
      file->WriteBytes(*part);
      left -= size;
    }
  }
  const std::optional<std::string_view> tail = read(kTrafficChecksumSize);
  if (!tail) return unreadable;
  if (tail->size() < kTrafficChecksumSize) return cutShort;
  if (StoredTrafficChecksum(*tail) != crc || std::fgetc(in.get()) != EOF) {
    return Failed(ProblemLine(source, TrafficFileProblem::kDamaged));
  }
  if (std::ferror(in.get())) return unreadable;

  size_t failedIndex = 0;
  if (!files.Commit(&failedIndex)) return CannotWrite(kOutputs[failedIndex], workFolder);
  return {0, "decompiled " + source + " into Aircraft.txt, FlightPlans.txt and Airports.txt"};
}

ToolOutcome CompileTraffic(const std::string& fsRoot, const std::string& workFolder,
                           AtomicFileSet::RenameFunction rename) {
  std::string inputs[3];
  for (int i = 0; i < 3; ++i) {
    const std::string path = JoinPath(workFolder, kOutputs[i]);
    if (!IsRegularFile(path)) {
      return Failed(std::string("cannot find ") + kOutputs[i] + " in " + FolderName(workFolder));
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
