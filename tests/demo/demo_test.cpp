// The demo installation as the build makes it: a second build, also one
// over what a run left in it, gives the same bytes. That it is consistent
// (every aircraft in a category but the airship meant to have none, every
// callsign, country, airport and traffic title known) is the configuration
// check's finding on it in cli-demo-run.sh.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "demo/demo_builder.h"
#include "platform/file_system.h"
#include "platform/file_text.h"

namespace fm {
namespace {

// Every file below `root`, relative path -> bytes.
std::map<std::string, std::string> Tree(const std::string& root) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    const std::string path = entry.path().string();
    if (entry.is_regular_file()) ReadFileBytes(path, files[path.substr(root.size())]);
  }
  return files;
}

TEST(DemoInstallation, BuildsTheSameBytesAgain) {
  const std::string out = MakeUniqueTempFolder("fmdemo"), again = MakeUniqueTempFolder("fmdemo");
  demo::DemoBuild built;
  std::string problem;
  ASSERT_TRUE(demo::BuildDemo(FM_SOURCE_DIR, out, built, problem)) << problem;
  ASSERT_TRUE(demo::BuildDemo(FM_SOURCE_DIR, again, built, problem)) << problem;
  ASSERT_TRUE(WriteFileBytes(again + "/work/report.txt", "left by a run"));
  ASSERT_TRUE(demo::BuildDemo(FM_SOURCE_DIR, again, built, problem)) << problem;
  EXPECT_TRUE(Tree(out) == Tree(again)) << "two builds differ";
  EXPECT_GE(Tree(out).size(), static_cast<size_t>(built.aircraftFolders + built.afdFiles));
  RemoveTree(again);
  RemoveTree(out);
}

}  // namespace
}  // namespace fm
