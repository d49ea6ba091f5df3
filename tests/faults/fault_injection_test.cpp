// Faults met by every file the system writes and reads, as one table: each
// row names the file, the fault and what must come of it, and the test
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
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "aircraft/airlines_cfg.h"
#include "geo/air_nat.h"
#include "geo/airport_cache.h"
#include "platform/file_paths.h"
#include "platform/file_system.h"
#include "resources/resource.h"
#include "tests/faults/file_readers.h"
#include "tests/support/fake_os.h"
#include "tests/support/fixture_installation.h"
#include "tests/support/recording_sheet.h"
#include "tools/traffic_container.h"
#include "tools/traffic_tools.h"
#include "wizard/wizard.h"

namespace fm::testing {
namespace {

constexpr char kEarlier[] = "earlier content\r\n";

// Locks a folder so that no name can be made, removed or renamed in it:
// immutable (for root, whom modes do not stop) and without write
// permission. Unlocks it again; gives whether the folder is locked now.
bool LockFolder(const std::string& path, bool lock) {
  if (const int fd = open(path.c_str(), O_RDONLY | O_DIRECTORY); fd >= 0) {
    int flags = 0;
    if (ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
      flags = lock ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
      ioctl(fd, FS_IOC_SETFLAGS, &flags);
    }
    close(fd);
  }
  chmod(path.c_str(), lock ? 0555 : 0755);
  const std::string probe = JoinPath(path, "probe.tmp");
  if (!lock || !WriteFileBytes(probe, "x")) return lock;
  RemoveFile(probe);
  return false;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  for (size_t at; (at = text.find(from)) != std::string::npos;) text.replace(at, from.size(), to);
  return text;
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
    for (const char* line : {"[Jet]", "<\"Boeing\">"}) state.categories.AddConfigLine(line);
    AircraftModel& model = state.aircraftModels.emplace_back();
    model.category = "Jet";
    model.variations["Boeing 737 BA"].atcAirline = "SPEEDBIRD";
    state.airportStore.AddAirport("Europe", "United Kingdom", "", "London", "EGLL Heathrow",
                                  "EGLL");
    state.airportStore.Airlines().Add("United Kingdom", {"SPEEDBIRD"});
    state.trafficAircraft["AC#1"] = {"300", "Boeing 737-400"};
    state.flightPlans.push_back(
        {"AC#1,N1,10%,24Hr,IFR,00:00:00,01:00:00,350,F,1001,EGLL", "AC#1", {{"EGLL"}}});
  }
  std::string Work(const char* name) const { return installation.WorkPath(name); }
  // Presses a button of the generate page that may end the process: the
  // texts of the boxes shown (the system's own, or all), joined by " + ",
  // and how it ended.
  std::string Press(int id, bool sheetBoxes = true) {
    std::string text, ending;
    try {
      sheet.HostOf(4).Press(id);
    } catch (const ProcessEnded& ended) {
      ending = "; exit " + std::to_string(ended.exitCode);
    }
    if (!sheetBoxes) sheet.boxes.clear();
    for (const auto& box : sheet.boxes) text += (text.empty() ? "" : " + ") + box.text;
    for (const auto& box : os.boxes) text += (text.empty() ? "" : " + ") + box.text;
    return (text.empty() ? "no box" : text) + ending;
  }
  void GenerateFirst() {
    sheet.HostOf(4).Press(IDC_GENERATE);
    sheet.boxes.clear();
  }
};

// What became of the files of a case: "earlier kept" when each has its
// earlier bytes, "new file" when each has new bytes, else file by file.
std::string Fate(Scene& scene, const std::vector<const char*>& names) {
  std::string detail;
  std::set<std::string> fates;
  for (const char* name : names) {
    std::string bytes;
    const char* fate = !ReadFileBytes(scene.Work(name), bytes) ? "missing"
                       : bytes.empty()                         ? "emptied"
                       : bytes == kEarlier                     ? "kept"
                                                               : "new";
    fates.insert(fate);
    detail += std::string(detail.empty() ? "" : ", ") + name + " " + fate;
  }
  if (fates.size() == 1 && *fates.begin() == "kept") return "earlier kept";
  return fates.size() == 1 && *fates.begin() == "new" ? "new file" : detail;
}

const char* const kWriteFaults[] = {"full disk", "read-only folder", "vanished between steps"};

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

// A writer that replaces its one file whole or not at all.
WriteCase WholeFile(const char* name, std::function<bool(Scene&, const std::string&)> write) {
  return {name,
          {name},
          {},
          [=](Scene& s) { return write(s, s.Work(name)) ? "written" : "not written"; },
          {"not written; earlier kept", "not written; earlier kept", "written; new file"}};
}

const std::vector<WriteCase>& WriteCases() {
  static const std::vector<WriteCase> cases = {
      // Each run truncates the report at its start and flushes it as it
      // goes; a disk that fills up leaves it partial, and the page says so.
      {"report.txt",
       {"report.txt"},
       {},
       [](Scene& s) { return s.Press(IDC_GENERATE); },
       {"report.txt could not be written completely. + Generation complete. 1 plans generated.; "
        "report.txt emptied",
        "Cannot create report.txt. Generation has failed.; report.txt missing",
        "Generation complete. 1 plans generated.; new file"},
       false},
      {"aircraft.txt + FlightPlans.txt",
       {"aircraft.txt", "FlightPlans.txt"},
       [](Scene& s) { s.GenerateFirst(); },
       [](Scene& s) { return s.Press(IDC_SAVE_ONLY); },
       {"Cannot aircraft.txt; exit 1; earlier kept", "Cannot aircraft.txt; exit 1; earlier kept",
        "The new AI traffic plans and new AI airctaft are saved. You may edit them and after you "
        "have finished press Compile Only button to compile and apply the changes.; new file"}},
      WholeFile("sccache.txt",
                [](Scene& s, const std::string& path) {
                  return SaveCache(s.wizard.State().airportStore, path);
                }),
      WholeFile("airlines.cfg",
                [](Scene& s, const std::string& path) {
                  return WriteAirlinesCfg(path, s.wizard.State().aircraftModels);
                }),
      WholeFile("new_air_nat.cfg",
                [](Scene& s, const std::string& path) {
                  return WriteCountryList(s.wizard.State().airportStore, path);
                }),
      {"traffic decompiler: Aircraft.txt, FlightPlans.txt, Airports.txt",
       {"Aircraft.txt", "FlightPlans.txt", "Airports.txt"},
       [](Scene& s) {
         s.installation.SetTrafficBgl(EncodeTrafficFile(
             {"AC#1,300,\"Boeing\"\r\n",
              "AC#1,N1,10%,24Hr,IFR,00:00:00,01:00:00,350,F,1001,EGLL\r\n", "EGLL\r\n"}));
       },
       [](Scene& s) {
         // The line names the temporary installation.
         const std::string line =
             DecompileTraffic(s.installation.Root(), s.installation.WorkFolder()).line;
         return Replaced(Replaced(line, s.installation.WorkFolder(), "<work>"),
                         s.installation.Root(), "<FS2002>");
       },
       {"cannot write Aircraft.txt in <work>; no file was changed; earlier kept",
        "cannot write Aircraft.txt in <work>; no file was changed; earlier kept",
        "decompiled <FS2002>/SCENEDB/ATC/SCENERY/TRAFFIC.BGL into Aircraft.txt, FlightPlans.txt "
        "and Airports.txt; new file"}},
  };
  return cases;
}

std::string RunWrite(const WriteCase& c, int fault) {
  Scene scene;
  const bool earlier = fault == 0 || (fault == 1 && c.earlierInReadOnlyFolder);
  // Written before, unless gone again by the time of the write.
  for (const char* name : c.names) {
    if (earlier) WriteFileBytes(scene.Work(name), kEarlier);
  }
  if (c.prepare) c.prepare(scene);
  const std::string folder = scene.installation.WorkFolder();
  if (fault == 1 && !LockFolder(folder, true)) return "not run: no folder can be locked";
  // A full disk: every file fails past its first byte, the writes coming
  // back short (EFBIG) instead of stopping the process.
  signal(SIGXFSZ, SIG_IGN);
  rlimit limit{};
  getrlimit(RLIMIT_FSIZE, &limit);
  const rlimit full{fault == 0 ? 0 : limit.rlim_cur, limit.rlim_max};
  setrlimit(RLIMIT_FSIZE, &full);
  const std::string told = c.write(scene);
  setrlimit(RLIMIT_FSIZE, &limit);
  if (fault == 1) LockFolder(folder, false);
  const std::string fate = Fate(scene, c.names);
  return told == "no box" ? fate : told + "; " + fate;
}

// The traffic compiler is unpacked into a temporary file and started; the
// box names the file, which must be gone afterwards.
std::string RunExtraction(FakeStep step, OsError error) {
  Scene scene;
  scene.os.Fail(step, error);
  scene.GenerateFirst();
  std::string seen = scene.Press(IDC_SAVE_AND_COMPILE, false);
  const size_t from = seen.find("(\"") + 2, to = seen.find('"', from);
  if (from > 1 && to != std::string::npos && to > from) {
    const std::string path = seen.substr(from, to - from);
    seen.replace(from, path.size(), "<temp file>");
    if (PathExists(path)) seen += "; temp file left behind";
  }
  return seen;
}

// Reads of a missing file, an empty file and a folder in place of the file.
const std::pair<const char*, std::vector<const char*>> kReadExpected[] = {
    {"air_class.cfg", {"not read, 0 categories", "read, 0 categories", "not read, 0 categories"}},
    {"air_nat.cfg", {"missing", "loaded, 0 countries", "missing"}},
    {"sccache.txt", {kCacheInvalidText, kCacheInvalidText, kCacheInvalidText}},
    {"Aircraft.txt", {"not read, 0 aircraft", "read, 0 aircraft", "not read, 0 aircraft"}},
    {"FlightPlans.txt", {"not read, 0 plans", "read, 0 plans", "not read, 0 plans"}},
    {"aircraft.cfg", {"not read, 0 models", "read, 1 models", "not read, 0 models"}},
    {"a BGL file given to bgltext",
     {"can't open, status -1", "opened, status 1", "can't open, status -1"}},
    {"temp.sca", {"not opened", "read, 0 airports", "not opened"}},
};
const char* const kReadFaults[] = {"missing", "empty", "a folder"};

std::string RunRead(const std::string& file, int fault) {
  FixtureInstallation installation;
  MakeDirectory(installation.WorkPath("case"));
  const std::string path = installation.WorkPath("case/" + file);
  if (fault == 1) WriteFileBytes(path, "");
  if (fault == 2) MakeDirectory(path);
  return ReadAs(file, path);
}

TEST(FaultInjectionTest, EveryWriteAndReadMeetsItsFaults) {
  std::printf("\n| file | fault | expected | seen |\n|---|---|---|---|\n");
  auto row = [](const std::string& file, const char* fault, const std::string& expected,
                const std::string& seen) {
    std::printf("| %s | %s | %s | %s |\n", file.c_str(), fault, expected.c_str(), seen.c_str());
    EXPECT_TRUE(seen == expected || seen.rfind("not run", 0) == 0) << file << ", " << fault;
  };
  for (const WriteCase& c : WriteCases()) {
    for (int fault = 0; fault < 3; ++fault) {
      row(c.file, kWriteFaults[fault], c.expected[fault], RunWrite(c, fault));
    }
  }
  const std::tuple<FakeStep, OsError, const char*> extractions[] = {
      {FakeStep::WriteFlushClose, 28,
       "CFile::Write/Flush/Close failed during extraction of (135) - 0x1C + "
       "CreateProcess (\"\" /np) failed: 0x2"},
      {FakeStep::UniqueTempFile, 13,
       "GetTempFileName failed during extraction of (135) - 0xD + "
       "CreateProcess (\"\" /np) failed: 0x2"},
      {FakeStep::Start, 2, "CreateProcess (\"<temp file>\" /np) failed: 0x2"},
  };
  for (int fault = 0; fault < 3; ++fault) {
    const auto& [step, error, expected] = extractions[fault];
    row("temp file of the traffic compiler", kWriteFaults[fault], expected,
        RunExtraction(step, error));
  }
  for (const auto& [file, expected] : kReadExpected) {
    for (int fault = 0; fault < 3; ++fault) {
      row(file, kReadFaults[fault], expected[fault], RunRead(file, fault));
    }
  }
}

}  // namespace
}  // namespace fm::testing
