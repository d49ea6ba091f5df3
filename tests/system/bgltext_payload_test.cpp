// Fleetmix carries bgltext as embedded program 132: extracted, started with
// the scenery import's command line on an airport-directory file in a folder
// with a blank in its name, it leaves the airport text in temp.sca.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "platform/file_paths.h"
#include "platform/file_system.h"
#include "services/system_command_lines.h"
#include "services/system_services.h"
#include "tests/system/system_test_support.h"
#include "tools/bglwriter/afd_world_generator.h"

namespace fm {
namespace {

TEST(BgltextPayloadTest, SceneryCommandLineLeavesTheAirportTextInTempSca) {
  const std::string root = MakeUniqueTempFolder("fmix-scenery");
  ASSERT_FALSE(root.empty());
  const std::string folder = JoinPath(root, "Scenery World");
  ASSERT_TRUE(MakeDirectory(folder));
  {
    const std::vector<uint8_t> image = bglbench::BuildAfdFile(
        {{"EGLL", "Heathrow", "London", "United Kingdom", 51.5, -0.5, 80, "Europe", ""}});
    std::ofstream out(JoinPath(folder, "APX21010.BGL"), std::ios::binary);
    out.write(reinterpret_cast<const char*>(image.data()),
              static_cast<std::streamsize>(image.size()));
  }
  std::remove("temp.sca");

  {
    ExtractedTool bgltext = ExtractTool(132);
    ASSERT_FALSE(bgltext.Empty());
    const std::string commandLine =
        BgltextCommandLine(bgltext.Path(), folder, "APX21010.BGL", "temp.sca");
    EXPECT_EQ(commandLine, "\"" + bgltext.Path() + "\" \"" + folder + kCommandPathSeparator +
                               "APX21010.BGL\" temp.sca");
    ASSERT_TRUE(RunTool(commandLine, true, false));
  }

  const std::string text = testing::ReadWholeFile("temp.sca").value_or("");
  for (const char* line :
       {"Container( APT 1 )\r\n", "\tICAO_ID( \"EGLL\" )\r\n", "EndC\r\n", "NameList( 1 )\r\n",
        "\tNameEntry( REGION 0 \"Europe\")\r\n", "\tNameEntry( COUNTRY 0 \"United Kingdom\")\r\n",
        "\tNameEntry( CITY 0 \"London\")\r\n", "\tNameEntry( AIRPORT 1 \"Heathrow\")\r\n",
        "EndNL\r\n"}) {
    EXPECT_NE(text.find(line), std::string::npos) << "missing " << line << " in:\n" << text;
  }
  EXPECT_EQ(text.find("\n\n"), std::string::npos) << "every line ends with CR LF";

  std::remove("temp.sca");
  RemoveTree(root);
}

}  // namespace
}  // namespace fm
