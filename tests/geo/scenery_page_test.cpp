// The scenery page through the recording sheet, with bgltext embedded as
// program 132 and run for real on fixture airport directories.
#include <gtest/gtest.h>

#include "geo/airport_cache.h"
#include "geo/scenery_import.h"
#include "platform/file_paths.h"
#include "platform/file_system.h"
#include "resources/resource.h"
#include "tests/support/fake_os.h"
#include "tests/support/recording_wizard_driver.h"
#include "tests/support/scenery_scenarios.h"

namespace fm::testing {
namespace {

constexpr char kCompleted[] = "Import completed. 6 airports in 4 countries";

class SceneryPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(installation.IsReady());
    os.SetFsRoot(installation.Root());
    AddSceneryFixture(installation);
  }
  // A wizard of its own, on the scenery page, as a fresh run of the program.
  struct Run {
    explicit Run(const FixtureInstallation& installation) {
      wizard.State().aircraftModels.emplace_back();
      wizard.State().workFolder = installation.WorkFolder();
      driver.Next();
      driver.Next();
    }
    RecordingHost& Host() { return driver.Sheet().ActiveHost(); }
    std::vector<std::string> Boxes() {
      std::vector<std::string> texts;
      for (const RecordedBox& box : driver.Sheet().boxes) texts.push_back(box.text);
      return texts;
    }
    CWizard wizard;
    RecordingWizardDriver driver{wizard};
  };
  FixtureInstallation installation;
  ScopedFakeOs os;
};

TEST_F(SceneryPageTest, ImportThenLoadCachedInAFreshRun) {
  {
    Run run(installation);
    SceneryImportScenario(run.driver, installation);
    // bgltext ran once per file, quoted, with temp.sca of the working folder.
    ASSERT_EQ(os.startedCommands.size(), 2u);
    const std::string& first = os.startedCommands[0];
    const std::string tool = first.substr(1, first.find('"', 1) - 1);
    EXPECT_EQ(first, "\"" + tool + "\" \"" + installation.RootPath("SCENEDB/AFDFILES/SCENERY") +
                         kPathSeparator + "AFDEUR.BGL\" " + installation.WorkPath("temp.sca"));
    EXPECT_FALSE(PathExists(tool)) << "the unpacked bgltext is deleted";
    EXPECT_EQ(SceneryTextArgument(""), "temp.sca");
    EXPECT_EQ(SceneryTextArgument("a b"), std::string("\"a b") + kPathSeparator + "temp.sca\"");
    const auto* airlines =
        run.wizard.State().airportStore.Airlines().FindCountryAirlines("United Kingdom");
    ASSERT_NE(airlines, nullptr);
    EXPECT_EQ(*airlines, (std::set<std::string>{"SHAMROCK", "SPEEDBIRD"}));
  }
  Run fresh(installation);
  std::vector<std::string> progress;
  fresh.Host().onDispatch = [&] { progress.push_back(fresh.Host().GetText(IDC_STATUS)); };
  SceneryLoadCachedScenario(fresh.driver);
  EXPECT_EQ(progress.front(), "0% processed");
  EXPECT_EQ(progress.back(), "Filling tree....");
  EXPECT_EQ(installation.ReadWorkFile("sccache.txt"), FixtureSceneryCache()) << "not rewritten";
}

TEST_F(SceneryPageTest, ImportFailuresStopWhereTheyShould) {
  {  // bgltext cannot be started: its box, then the page's; nothing loaded.
    Run run(installation);
    os.Fail(FakeStep::Start, 2);
    run.Host().Press(IDC_IMPORT);
    os.Succeed(FakeStep::Start);
    EXPECT_EQ(os.startedCommands.size(), 1u);
    EXPECT_EQ(run.Boxes(),
              std::vector<std::string>{"BGL disassembler is missing. Import has failed."});
    EXPECT_EQ(os.boxes.size(), 1u);
    EXPECT_TRUE(run.driver.TreeLines(IDC_PLACE_TREE).empty());
    EXPECT_FALSE(run.Host().IsControlEnabled(IDC_GENERATE_AIR_NAT));
    EXPECT_EQ(installation.ReadWorkFile("sccache.txt"), "");
  }
  {  // air_nat.cfg missing: the airports stay in the store, no tree, no cache.
    RemoveFile(installation.WorkPath("air_nat.cfg"));
    Run run(installation);
    run.Host().Press(IDC_IMPORT);
    EXPECT_EQ(run.Boxes(), std::vector<std::string>{"air_nat.cfg is missing"});
    EXPECT_EQ(run.Host().GetText(IDC_STATUS), "Import failed.");
    EXPECT_TRUE(run.driver.TreeLines(IDC_PLACE_TREE).empty());
    EXPECT_EQ(installation.ReadWorkFile("sccache.txt"), "");
    EXPECT_EQ(run.driver.EnabledButtons(), unsigned{kWizardBack});
    run.driver.Back();
    run.driver.Next();
    EXPECT_EQ(run.driver.EnabledButtons(), unsigned{kWizardBack | kWizardNext})
        << "the store holds airports";
  }
}

TEST_F(SceneryPageTest, AnUnwritableCacheIsToldAndKeptWhole) {
  installation.WorkFileBytes("sccache.txt", "earlier");
  ASSERT_TRUE(SetReadOnly(installation.WorkPath("sccache.txt"), true));
  Run run(installation);
  run.Host().Press(IDC_IMPORT);
  SetReadOnly(installation.WorkPath("sccache.txt"), false);
  ASSERT_EQ(run.driver.Sheet().boxes.size(), 1u);
  EXPECT_EQ(run.driver.Sheet().boxes[0].icon, BoxIcon::Warning);
  EXPECT_EQ(run.Host().GetText(IDC_STATUS), kCompleted);
  EXPECT_EQ(run.driver.TreeLines(IDC_PLACE_TREE), FixtureSceneryTree());
  EXPECT_EQ(installation.ReadWorkFile("sccache.txt"), "earlier");
}

TEST_F(SceneryPageTest, EmptySceneryFolderCompletesWithNothing) {
  RemoveTree(installation.RootPath("SCENEDB/AFDFILES/SCENERY"));
  Run run(installation);
  run.Host().Press(IDC_IMPORT);
  EXPECT_EQ(run.Host().GetText(IDC_STATUS), "Import completed. 0 airports in 0 countries");
  EXPECT_EQ(installation.ReadWorkFile("sccache.txt"), "00000000\r\n 0.70\r\n");
  EXPECT_TRUE(run.Host().IsControlEnabled(IDC_GENERATE_AIR_NAT));
}

TEST_F(SceneryPageTest, LoadCachedFailures) {
  Run run(installation);
  run.Host().Press(IDC_LOAD_CACHED);
  ASSERT_EQ(os.boxes.size(), 1u);
  EXPECT_EQ(os.boxes[0].text, "Cache file is not yet present, or is not valid. Import first");
  EXPECT_EQ(os.boxes[0].caption, "AI Traffic Fleetsorter");
  EXPECT_EQ(os.boxes[0].icon, BoxIcon::Warning);
  EXPECT_EQ(run.Host().GetText(IDC_STATUS), "Load failed.");
  EXPECT_FALSE(run.Host().IsControlEnabled(IDC_GENERATE_AIR_NAT));

  installation.WorkFileBytes("sccache.txt", "00000001\r\n0.70\r\n");
  run.Host().Press(IDC_LOAD_CACHED);
  EXPECT_EQ(os.boxes.back().text, "Cache file was created with previous version. Import first");
}

TEST_F(SceneryPageTest, TreeHidesDefaultStatesAndShowsEmptyNames) {
  Run run(installation);
  AirportStore& store = run.wizard.State().airportStore;
  store.AddAirport("R", "C", "", "", "Nameless city", "AAAA");
  store.AddAirport("R", "C", "S", "T", "Airport", "BBBB");
  run.Host().RunHandler([&] { run.wizard.Scenery().FillPlaceTree(); });
  EXPECT_EQ(run.driver.TreeLines(IDC_PLACE_TREE),
            (std::vector<std::string>{"R", "  C", "    ", "      Nameless city (AAAA)", "    S",
                                      "      T", "        Airport (BBBB)"}));
  std::vector<int> images;
  for (TreeItem item = 1; run.Host().TreeImage(IDC_PLACE_TREE, item) >= 0; ++item)
    images.push_back(run.Host().TreeImage(IDC_PLACE_TREE, item));
  EXPECT_EQ(images, (std::vector<int>{0, 1, 3, 4, 2, 3, 4}));
}

TEST_F(SceneryPageTest, CountryListAndNotepad) {
  os.Fail(FakeStep::Start, 2);  // no Notepad here; the command lines are recorded
  Run run(installation);
  run.Host().Press(IDC_VIEW_AIR_NAT);
  EXPECT_EQ(os.startedCommands.back(), "notepad " + installation.WorkPath("air_nat.cfg"));
  run.wizard.State().workFolder.clear();
  run.Host().Press(IDC_VIEW_AIR_NAT);
  EXPECT_EQ(os.startedCommands.back(), "notepad air_nat.cfg");
  run.wizard.State().workFolder = installation.WorkFolder();

  run.Host().EnableControl(IDC_GENERATE_AIR_NAT, true);
  run.Host().Press(IDC_GENERATE_AIR_NAT);
  EXPECT_EQ(os.startedCommands.back(), "notepad " + installation.WorkPath("new_air_nat.cfg"));

  const size_t started = os.startedCommands.size();
  run.wizard.State().workFolder = installation.WorkPath("missing folder");
  run.Host().Press(IDC_GENERATE_AIR_NAT);
  EXPECT_EQ(run.driver.Sheet().boxes.back().text, "Cannot open new_air_nat.cfg for writing.");
  EXPECT_EQ(os.startedCommands.size(), started) << "no Notepad without the file";
}

TEST_F(SceneryPageTest, NothingStartsWhileAnImportDispatches) {
  installation.WorkFile("sccache.txt", FixtureSceneryCache());
  Run run(installation);
  int clicks = 0;
  run.Host().onDispatch = [&] {
    ++clicks;
    for (int id : {IDC_IMPORT, IDC_LOAD_CACHED, IDC_GENERATE_AIR_NAT})
      run.wizard.Scenery().OnButton(id);
  };
  run.Host().Press(IDC_IMPORT);
  EXPECT_GT(clicks, 2);
  EXPECT_EQ(os.startedCommands.size(), 2u) << "one bgltext run per file, nothing else";
  EXPECT_EQ(installation.ReadWorkFile("new_air_nat.cfg"), "");
  EXPECT_EQ(run.Host().GetText(IDC_STATUS), kCompleted);
}

}  // namespace
}  // namespace fm::testing
