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
#include "tools/bglwriter/bgl_builder.h"

namespace fm {
namespace {

constexpr uint32_t kAirportContainer = 1;
constexpr uint32_t kRegion = 0x10001, kCountry = 0x20001, kCity = 0x40001, kAirportName = 0x50001;

std::vector<uint8_t> AirportDirectory() {
  bgltest::BglBuilder bgl;
  bgl.Extended({}, 0x200);
  bgltest::AfdWriter afd(bgl);
  afd.BeginContainers();
  const uint32_t heathrow = afd.BeginContainer(kAirportContainer);
  afd.AirportPosition(51.5, -0.5, 25.0);
  afd.Icao("EGLL");
  afd.EndContainer();
  afd.EndContainers();
  afd.BeginNameLists();
  afd.BeginNameList(1, 4);
  afd.NameEntry(kRegion, 0, "Europe");
  afd.NameEntry(kCountry, 0, "United Kingdom");
  afd.NameEntry(kCity, 0, "London");
  afd.NameEntry(kAirportName, heathrow, "Heathrow");
  afd.EndNameList();
  afd.EndNameLists();
  return bgl.Build();
}

TEST(BgltextPayloadTest, SceneryCommandLineLeavesTheAirportTextInTempSca) {
  const std::string root = MakeUniqueTempFolder("fmix-scenery");
  ASSERT_FALSE(root.empty());
  const std::string folder = JoinPath(root, "Scenery World");
  ASSERT_TRUE(MakeDirectory(folder));
  {
    const std::vector<uint8_t> image = AirportDirectory();
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
