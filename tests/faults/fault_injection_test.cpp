// Faults met by every file the system writes and reads, as one table: each
// case names the file, the fault and what must come of it, and the test
// prints the table with what it saw. "Kept" means the file that was there
// before is there with the same bytes; nothing may be torn or lost.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <list>
#include <string>
#include <vector>

#include "aircraft/aircraft_category.h"
#include "aircraft/aircraft_cfg_reader.h"
#include "aircraft/airlines_cfg.h"
#include "bgltext/driver.h"
#include "geo/air_nat.h"
#include "geo/airport_cache.h"
#include "geo/scenery_text.h"
#include "platform/file_paths.h"
#include "platform/file_system.h"
#include "platform/file_text.h"
#include "resources/resource.h"
#include "services/status_sink.h"
#include "tests/support/fake_os.h"
#include "tests/support/fixture_installation.h"
#include "tests/support/recording_host.h"
#include "tests/support/recording_sheet.h"
#include "tools/traffic_container.h"
#include "tools/traffic_tools.h"
#include "traffic/traffic_files.h"
#include "wizard/wizard.h"

namespace fm {
namespace {

using testing::FixtureInstallation;
using testing::ProcessEnded;
using testing::RecordingHost;
using testing::RecordingSheet;
using testing::ScopedFakeOs;

constexpr char kEarlier[] = "earlier content\r\n";

// Every file written from now on fails past its first byte, as on a full
// disk: the writes come back short (EFBIG) instead of stopping the process.
class FullDisk {
 public:
  FullDisk() {
    signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &earlier_);
    rlimit limit = earlier_;
    limit.rlim_cur = 0;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FullDisk() { setrlimit(RLIMIT_FSIZE, &earlier_); }

 private:
  rlimit earlier_{};
};

// A folder in which no name can be made, removed or renamed: immutable for
// root (whom modes do not stop), else without write permission. Locked()
// is false where neither holds.
class ReadOnlyFolder {
 public:
  explicit ReadOnlyFolder(std::string path) : path_(std::move(path)) {
    if (geteuid() == 0) {
      SetImmutable(true);
    } else {
      chmod(path_.c_str(), 0555);
    }
    const std::string probe = JoinPath(path_, "probe.tmp");
    locked_ = !WriteFileBytes(probe, "x");
    if (!locked_) RemoveFile(probe);
  }
  ~ReadOnlyFolder() {
    if (geteuid() == 0) SetImmutable(false);
    chmod(path_.c_str(), 0755);
  }
  bool Locked() const { return locked_; }

 private:
  void SetImmutable(bool on) {
    const int fd = open(path_.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    int flags = 0;
    if (ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
      flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
      ioctl(fd, FS_IOC_SETFLAGS, &flags);
    }
    close(fd);
  }

  std::string path_;
  bool locked_ = false;
};

std::string Bytes(const std::string& path) {
  std::string bytes;
  return ReadFileBytes(path, bytes) ? bytes : "<missing>";
}

enum class Fault { kFullDisk, kReadOnlyFolder, kVanished };
constexpr Fault kFaults[] = {Fault::kFullDisk, Fault::kReadOnlyFolder, Fault::kVanished};
const char* FaultName(Fault fault) {
  static const char* const names[] = {"full disk", "read-only folder", "vanished between steps"};
  return names[static_cast<int>(fault)];
}

// One installation per case, with the wizard's pages on the recording sheet.
struct Scene {
  ScopedFakeOs os;
  FixtureInstallation installation;
  CWizard wizard;
  RecordingSheet sheet{&wizard};

  Scene() {
    WizardState& state = wizard.State();
    state.workFolder = installation.WorkFolder();
    state.categories.AddConfigLine("[Jet]");
    state.categories.AddConfigLine("<\"Boeing\">");
    AircraftModel& model = state.aircraftModels.emplace_back();
    model.category = "Jet";
    model.variations["Boeing 737 BA"].atcAirline = "SPEEDBIRD";
    state.airportStore.AddAirport("Europe", "United Kingdom", "", "London", "EGLL Heathrow",
                                  "EGLL");
    state.airportStore.Airlines().Add("United Kingdom", {"SPEEDBIRD"});
    state.trafficAircraft["AC#1"] = {"300", "Boeing 737-400"};
    FlightPlan& plan = state.flightPlans.emplace_back();
    plan.lineText = "AC#1,N1,10%,24Hr,IFR,00:00:00,01:00:00,350,F,1001,EGLL";
    plan.aircraftId = "AC#1";
    plan.legs.push_back({"EGLL"});
  }
  std::string Work(const char* name) const { return installation.WorkPath(name); }
  // The texts of the boxes shown, joined by " + ".
  std::string Boxes() const {
    std::string text;
    for (const auto& box : sheet.boxes) text += (text.empty() ? "" : " + ") + box.text;
    for (const auto& box : os.boxes) text += (text.empty() ? "" : " + ") + box.text;
    return text.empty() ? "no box" : text;
  }
  // Runs a step that may end the process; tells how it ended.
  std::string Ending(const std::function<void()>& step) {
    try {
      step();
    } catch (const ProcessEnded& ended) {
      return "; exit " + std::to_string(ended.exitCode);
    }
    return "";
  }
};

// What became of the files of a case: "earlier kept" when each has its
// earlier bytes, "new file" when each has new bytes, else file by file.
std::string Fate(Scene& scene, const std::vector<const char*>& names, bool hadEarlier) {
  bool allKept = true, allNew = true;
  std::string detail;
  for (const char* name : names) {
    const std::string bytes = Bytes(scene.Work(name));
    const bool kept = hadEarlier && bytes == kEarlier;
    const bool fresh = bytes != "<missing>" && !bytes.empty() && !kept;
    allKept = allKept && kept;
    allNew = allNew && fresh;
    const char* fate = kept ? "kept" : fresh ? "new" : bytes.empty() ? "emptied" : "missing";
    detail += std::string(detail.empty() ? "" : ", ") + name + " " + fate;
  }
  if (allKept) return "earlier kept";
  if (allNew) return "new file";
  return detail;
}

struct WriteCase {
  const char* file;
  std::vector<const char*> names;  // the files it writes in the work folder
  // What comes before the write, done before the fault sets in.
  std::function<void(Scene&)> prepare;
  // The write; gives what the user is told.
  std::function<std::string(Scene&)> write;
  // Per fault: what the user is told and what becomes of the files.
  const char* expected[3];
  // Whether the files are there before the write in a read-only folder (a
  // file written in place is not stopped by its folder).
  bool earlierInReadOnlyFolder = true;
};

RecordingHost& GeneratePage(Scene& scene) { return scene.sheet.HostOf(4); }

std::string Generate(Scene& scene) {
  GeneratePage(scene).Press(IDC_GENERATE);
  return scene.Boxes();
}

void GenerateFirst(Scene& scene) {
  GeneratePage(scene).Press(IDC_GENERATE);
  scene.sheet.boxes.clear();
}

std::string Save(Scene& scene) {
  const std::string ending = scene.Ending([&] { GeneratePage(scene).Press(IDC_SAVE_ONLY); });
  return scene.Boxes() + ending;
}

void InstallTraffic(Scene& scene) {
  scene.installation.SetTrafficBgl(EncodeTrafficFile(
      {"AC#1,300,\"Boeing\"\r\n", "AC#1,N1,10%,24Hr,IFR,00:00:00,01:00:00,350,F,1001,EGLL\r\n",
       "EGLL\r\n"}));
}

std::string Written(bool ok) { return ok ? "written" : "not written"; }

constexpr char kSavedAsNewFiles[] =
    "The new AI traffic plans and new AI airctaft are saved. You may edit them and after you "
    "have finished press Compile Only button to compile and apply the changes.; new file";

const std::vector<WriteCase>& WriteCases() {
  static const std::vector<WriteCase> cases = {
      // Each run truncates the report at its start and flushes it as it
      // goes; a disk that fills up leaves it partial, and the page says so.
      {"report.txt",
       {"report.txt"},
       {},
       Generate,
       {"report.txt could not be written completely. + Generation complete. 1 plans generated.; "
        "report.txt emptied",
        "Cannot create report.txt. Generation has failed.; report.txt missing",
        "Generation complete. 1 plans generated.; new file"},
       false},
      {"aircraft.txt + FlightPlans.txt",
       {"aircraft.txt", "FlightPlans.txt"},
       GenerateFirst,
       Save,
       {"Cannot aircraft.txt; exit 1; earlier kept", "Cannot aircraft.txt; exit 1; earlier kept",
        kSavedAsNewFiles}},
      {"sccache.txt",
       {"sccache.txt"},
       {},
       [](Scene& s) {
         return Written(SaveCache(s.wizard.State().airportStore, s.Work("sccache.txt")));
       },
       {"not written; earlier kept", "not written; earlier kept", "written; new file"}},
      {"airlines.cfg",
       {"airlines.cfg"},
       {},
       [](Scene& s) {
         return Written(WriteAirlinesCfg(s.Work("airlines.cfg"), s.wizard.State().aircraftModels));
       },
       {"not written; earlier kept", "not written; earlier kept", "written; new file"}},
      {"new_air_nat.cfg",
       {"new_air_nat.cfg"},
       {},
       [](Scene& s) {
         return Written(WriteCountryList(s.wizard.State().airportStore, s.Work("new_air_nat.cfg")));
       },
       {"not written; earlier kept", "not written; earlier kept", "written; new file"}},
      {"traffic decompiler: Aircraft.txt, FlightPlans.txt, Airports.txt",
       {"Aircraft.txt", "FlightPlans.txt", "Airports.txt"},
       InstallTraffic,
       [](Scene& s) {
         std::string line =
             DecompileTraffic(s.installation.Root(), s.installation.WorkFolder()).line;
         // The line names the temporary installation.
         for (const std::string& folder : {s.installation.WorkFolder(), s.installation.Root()}) {
           for (size_t at; (at = line.find(folder)) != std::string::npos;) {
             line.replace(at, folder.size(),
                          folder == s.installation.Root() ? "<FS2002>" : "<work>");
           }
         }
         return line;
       },
       {"cannot write Aircraft.txt in <work>; no file was changed; earlier kept",
        "cannot write Aircraft.txt in <work>; no file was changed; earlier kept",
        "decompiled <FS2002>/SCENEDB/ATC/SCENERY/TRAFFIC.BGL into Aircraft.txt, FlightPlans.txt "
        "and Airports.txt; new file"}},
  };
  return cases;
}

struct Row {
  std::string what, fault, expected, seen;
};

void PrintTable(const char* title, const std::vector<Row>& rows) {
  std::printf("\n%s\n| file | fault | expected | seen |\n|---|---|---|---|\n", title);
  for (const Row& row : rows) {
    std::printf("| %s | %s | %s | %s |\n", row.what.c_str(), row.fault.c_str(),
                row.expected.c_str(), row.seen.c_str());
  }
}

TEST(FaultInjectionTest, EveryWriteMeetsAFullDiskAReadOnlyFolderAndAVanishedFile) {
  std::vector<Row> rows;
  for (const WriteCase& c : WriteCases()) {
    for (Fault fault : kFaults) {
      Scene scene;
      ASSERT_TRUE(scene.installation.IsReady());
      const bool earlier = fault == Fault::kFullDisk ||
                           (fault == Fault::kReadOnlyFolder && c.earlierInReadOnlyFolder);
      for (const char* name : c.names) {
        if (earlier) {
          ASSERT_TRUE(WriteFileBytes(scene.Work(name), kEarlier));
        }
      }
      if (c.prepare) c.prepare(scene);
      std::string told;
      if (fault == Fault::kFullDisk) {
        FullDisk full;
        told = c.write(scene);
      } else if (fault == Fault::kReadOnlyFolder) {
        ReadOnlyFolder locked(scene.installation.WorkFolder());
        if (!locked.Locked()) {
          rows.push_back({c.file, FaultName(fault), "-", "not run: no folder can be locked"});
          continue;
        }
        told = c.write(scene);
      } else {
        // Written before, gone by the time of the write.
        for (const char* name : c.names) ASSERT_TRUE(WriteFileBytes(scene.Work(name), kEarlier));
        for (const char* name : c.names) RemoveFile(scene.Work(name));
        told = c.write(scene);
      }
      const std::string fate = Fate(scene, c.names, earlier);
      const std::string seen = told == "no box" ? fate : told + "; " + fate;
      const std::string expected = c.expected[static_cast<int>(fault)];
      rows.push_back({c.file, FaultName(fault), expected, seen});
      EXPECT_EQ(seen, expected) << c.file << ", " << FaultName(fault);
    }
  }
  PrintTable("Writes", rows);
}

TEST(FaultInjectionTest, AnExtractedToolMeetsAFullDiskAReadOnlyTempFolderAndAVanishedProgram) {
  struct Case {
    const char* fault;
    testing::FakeStep step;
    OsError error;
    const char* expected;
  };
  const Case cases[] = {
      {"full disk", testing::FakeStep::WriteFlushClose, 28,
       "CFile::Write/Flush/Close failed during extraction of (135) - 0x1C + "
       "CreateProcess (\"\" /np) failed: 0x2"},
      {"read-only folder", testing::FakeStep::UniqueTempFile, 13,
       "GetTempFileName failed during extraction of (135) - 0xD + "
       "CreateProcess (\"\" /np) failed: 0x2"},
      {"vanished between steps", testing::FakeStep::Start, 2,
       "CreateProcess (\"<temp file>\" /np) failed: 0x2"},
  };
  std::vector<Row> rows;
  for (const Case& c : cases) {
    Scene scene;
    scene.os.Fail(c.step, c.error);
    scene.sheet.HostOf(4).Press(IDC_GENERATE);
    scene.sheet.boxes.clear();
    std::string ending = scene.Ending([&] { scene.sheet.HostOf(4).Press(IDC_SAVE_AND_COMPILE); });
    std::string seen;
    for (const auto& box : scene.os.boxes) seen += (seen.empty() ? "" : " + ") + box.text;
    seen += ending;
    // The extracted program is named by the box; it must be gone afterwards.
    const std::string head = "CreateProcess (\"";
    const size_t from = seen.find(head);
    const size_t to = from == std::string::npos ? from : seen.find('"', from + head.size());
    if (to != std::string::npos && to > from + head.size()) {
      const std::string path = seen.substr(from + head.size(), to - from - head.size());
      seen.replace(from + head.size(), path.size(), "<temp file>");
      if (PathExists(path)) seen += "; temp file left behind";
    }
    rows.push_back({"temp file of the traffic compiler", c.fault, c.expected, seen});
    EXPECT_EQ(seen, c.expected) << c.fault;
  }
  PrintTable("Extracted tools", rows);
}

struct ReadCase {
  const char* file;
  // Reads the file at the path; gives what came of it.
  std::function<std::string(const std::string& path)> read;
  const char* missing;
  const char* empty;
  const char* folder;
};

std::string Read(bool ok) { return ok ? "read" : "not read"; }

const std::vector<ReadCase>& ReadCases() {
  static const std::vector<ReadCase> cases = {
      {"air_class.cfg",
       [](const std::string& path) {
         AircraftCategories categories;
         const bool ok = categories.LoadCategories(path);
         return Read(ok) + ", " + std::to_string(categories.size()) + " categories";
       },
       "not read, 0 categories", "read, 0 categories", "not read, 0 categories"},
      {"air_nat.cfg",
       [](const std::string& path) {
         AirlineCountryMap map;
         switch (ReadAirNatFile(path, map)) {
           case AirNatRead::Loaded:
             return "loaded, " + std::to_string(map.Countries().size()) + " countries";
           case AirNatRead::Missing:
             return std::string("missing");
           case AirNatRead::ReadFailed:
             return std::string("read failed");
         }
         return std::string();
       },
       "missing", "loaded, 0 countries", "missing"},
      {"sccache.txt",
       [](const std::string& path) {
         AirportStore store;
         NoStatus status;
         const CacheLoad loaded = LoadCache(store, path, status);
         return loaded == CacheLoad::Loaded ? std::string("loaded") : CacheLoadText(loaded);
       },
       kCacheInvalidText, kCacheInvalidText, kCacheInvalidText},
      {"Aircraft.txt",
       [](const std::string& path) {
         TrafficAircraftMap aircraft;
         int lines = 0;
         const bool ok = ReadAircraftFile(path, aircraft, lines);
         return Read(ok) + ", " + std::to_string(aircraft.size()) + " aircraft";
       },
       "not read, 0 aircraft", "read, 0 aircraft", "not read, 0 aircraft"},
      {"FlightPlans.txt",
       [](const std::string& path) {
         std::list<FlightPlan> plans;
         FlightPlanCounts counts;
         const bool ok = ReadFlightPlansFile(path, plans, counts);
         return Read(ok) + ", " + std::to_string(plans.size()) + " plans";
       },
       "not read, 0 plans", "read, 0 plans", "not read, 0 plans"},
      {"aircraft.cfg",
       [](const std::string& path) {
         AircraftModelList models;
         AircraftCategories categories;
         const std::string folder =
             path.substr(0, path.size() - std::string("/aircraft.cfg").size());
         const bool ok = ReadAircraftCfg(folder, categories, models);
         return Read(ok) + ", " + std::to_string(models.size()) + " models";
       },
       "not read, 0 models", "read, 1 models", "not read, 0 models"},
      {"a BGL file given to bgltext",
       [](const std::string& path) {
         std::string console;
         bgltext::Console capture(&console);
         const int status =
             bgltext::RunBgltext({path, path + ".sca"}, capture, [](const char*, const char*) {});
         const bool cannotOpen = console.find("Can't open file : " + path) != std::string::npos;
         return std::string(cannotOpen ? "can't open" : "opened") + ", status " +
                std::to_string(status);
       },
       "can't open, status -1", "opened, status 1", "can't open, status -1"},
      {"temp.sca",
       [](const std::string& path) {
         TextLineReader reader;
         if (!reader.Open(path)) return std::string("not opened");
         AirportStore store;
         const bool done = ReadSceneryText(reader, store) == SceneryTextRead::Done;
         return std::string(done ? "read" : "failed") + ", " +
                std::to_string(store.Index().size()) + " airports";
       },
       "not opened", "read, 0 airports", "not opened"},
  };
  return cases;
}

TEST(FaultInjectionTest, EveryReadMeetsAMissingFileAnEmptyFileAndAFolder) {
  std::vector<Row> rows;
  for (const ReadCase& c : ReadCases()) {
    for (int kind = 0; kind < 3; ++kind) {
      FixtureInstallation installation;
      ASSERT_TRUE(installation.IsReady());
      const std::string folder = installation.WorkPath("case");
      ASSERT_TRUE(MakeDirectory(folder));
      const std::string path = JoinPath(folder, c.file);
      const char* fault = kind == 0 ? "missing" : kind == 1 ? "empty" : "a folder";
      const char* expected = kind == 0 ? c.missing : kind == 1 ? c.empty : c.folder;
      if (kind == 1) {
        ASSERT_TRUE(WriteFileBytes(path, ""));
      }
      if (kind == 2) {
        ASSERT_TRUE(MakeDirectory(path));
      }
      const std::string seen = c.read(path);
      rows.push_back({c.file, fault, expected, seen});
      EXPECT_EQ(seen, expected) << c.file << ", " << fault;
    }
  }
  PrintTable("Reads", rows);
}

}  // namespace
}  // namespace fm
