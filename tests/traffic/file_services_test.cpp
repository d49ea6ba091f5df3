// The file services: lines read as Windows text mode reads them, CR LF
// written on every platform, a failed read told apart from the end of a
// file, names resolved without regard to case, and sorted listings.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "platform/file_paths.h"
#include "platform/file_system.h"
#include "platform/file_text.h"
#include "tests/support/fixture_installation.h"

namespace fm {
namespace {

using testing::FixtureInstallation;

class FileServicesTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(installation.IsReady()); }

  std::vector<std::string> LinesOf(const std::string& bytes) {
    std::string path = installation.WorkFileBytes("lines.txt", bytes);
    TextLineReader reader;
    EXPECT_TRUE(reader.Open(path));
    std::vector<std::string> lines;
    std::string line;
    while (reader.ReadLine(line)) lines.push_back(line);
    return lines;
  }

  std::vector<std::string> Names(const std::string& folder, const std::string& pattern) {
    std::vector<DirEntry> entries;
    EXPECT_TRUE(ListDirectory(folder, pattern, entries));
    std::vector<std::string> names;
    for (const DirEntry& e : entries) names.push_back(e.name + (e.isDirectory ? "/" : ""));
    return names;
  }

  FixtureInstallation installation;
};

using Lines = std::vector<std::string>;

TEST_F(FileServicesTest, LinesEndAtCrLfOrLfAndNeverKeepTheLineEnd) {
  EXPECT_EQ(LinesOf(""), Lines{});
  EXPECT_EQ(LinesOf("a\r\nb\nc"), (Lines{"a", "b", "c"}));
  EXPECT_EQ(LinesOf("a\r\n\r\n"), (Lines{"a", ""}));
  EXPECT_EQ(LinesOf("\n"), (Lines{""}));
  // A CR that is not followed by LF is part of the line.
  EXPECT_EQ(LinesOf("a\rb\r\r\nc\r"), (Lines{"a\rb\r", "c\r"}));
}

TEST_F(FileServicesTest, LinesLongerThanTheReadBufferComeWhole) {
  // Lines that straddle the reader's chunks, with the CR LF split between two.
  std::string a(65535, 'a'), b(200000, 'b');
  EXPECT_EQ(LinesOf(a + "\r\n" + b + "\r\nend"), (Lines{a, b, "end"}));
  EXPECT_EQ(LinesOf(std::string(65536, 'c') + "\n"), (Lines{std::string(65536, 'c')}));
}

TEST_F(FileServicesTest, AFolderIsNoFileToRead) {
  const std::string folder = installation.WorkPath("folder.txt");
  ASSERT_TRUE(MakeDirectory(folder));
  TextLineReader reader;
  EXPECT_FALSE(reader.Open(folder));
  std::string bytes = "earlier";
  EXPECT_FALSE(ReadFileBytes(folder, bytes));
  EXPECT_EQ(bytes, "");
}

// A read that fails part-way ends the lines with an error, never with what
// looks like the end of a shorter file; the line it broke into is not given.
TEST_F(FileServicesTest, AFailedReadIsAnErrorAndNotTheEnd) {
  const std::string path = installation.WorkFileBytes("lines.txt", "abc\r\ndef\nghi");
  struct Case {
    int failingRead;  // 1-based; 0 for none
    Lines lines;
  };
  // The file comes five bytes a read: "abc\r\n", "def\ng", "hi", then the end.
  const Case cases[] = {
      {0, {"abc", "def", "ghi"}},  // no failure: the last line without a line end counts
      {1, {}},
      {2, {"abc"}},
      {3, {"abc", "def"}},  // "g" came before the failure and is no line
      {4, {"abc", "def"}},  // where the end would have come
  };
  for (const Case& c : cases) {
    int reads = 0;
    TextLineReader reader([&](std::FILE* file, char* buffer, size_t size) -> std::ptrdiff_t {
      if (++reads == c.failingRead) return -1;
      return static_cast<std::ptrdiff_t>(std::fread(buffer, 1, std::min<size_t>(size, 5), file));
    });
    ASSERT_TRUE(reader.Open(path));
    Lines lines;
    std::string line;
    while (reader.ReadLine(line)) lines.push_back(line);
    EXPECT_EQ(lines, c.lines) << "failing read " << c.failingRead;
    EXPECT_EQ(reader.Failed(), c.failingRead != 0) << "failing read " << c.failingRead;
    EXPECT_FALSE(reader.ReadLine(line)) << "nothing follows the end or a failure";
  }
}

TEST_F(FileServicesTest, TextIsWrittenWithCrLfInBinaryMode) {
  OutputFile file;
  ASSERT_TRUE(file.Create(installation.WorkPath("out.txt")));
  file.WriteLine("one");
  file.WriteText("two\nthree\r\n");
  file.WriteBytes("raw\n");
  ASSERT_TRUE(file.Close());
  // Text mode turns every LF into CR LF, even one that follows a CR.
  EXPECT_EQ(installation.ReadWorkFile("out.txt"), "one\r\ntwo\r\nthree\r\r\nraw\n");
  OutputFile nowhere;
  EXPECT_FALSE(nowhere.Create(installation.WorkPath("no folder/out.txt")));
}

TEST_F(FileServicesTest, PatternsMatchWithoutRegardToCase) {
  EXPECT_TRUE(MatchesFilePattern("*.bgl", "AFD_EUR.BGL"));
  EXPECT_TRUE(MatchesFilePattern("*.bgl", "x.bgl.bgl"));
  EXPECT_FALSE(MatchesFilePattern("*.bgl", "x.bglx"));
  EXPECT_FALSE(MatchesFilePattern("*.bgl", "bgl"));
  EXPECT_TRUE(MatchesFilePattern("*.*", "NoDot"));
  EXPECT_TRUE(MatchesFilePattern("a?c*", "ABCdef"));
  EXPECT_FALSE(MatchesFilePattern("a?c", "ac"));
}

TEST_F(FileServicesTest, ListingIsSortedByUpperCasedNamesAndFiltered) {
  const std::string folder = installation.WorkPath("scenery");
  for (const char* name : {"b.bgl", "A_2.BGL", "a_1.bgl", "Z.txt", "_x.bgl", "c.BGL"}) {
    installation.WorkFileBytes(std::string("scenery/") + name, "x");
  }
  ASSERT_TRUE(MakeDirectory(JoinPath(folder, "Folder.bgl")));
  // '_' sorts after the upper-case letters and before the lower-case ones:
  // comparing upper-cased names puts it after every letter.
  EXPECT_EQ(Names(folder, "*.bgl"),
            (Lines{"a_1.bgl", "A_2.BGL", "b.bgl", "c.BGL", "Folder.bgl/", "_x.bgl"}));
  EXPECT_EQ(Names(folder, "*.*"),
            (Lines{"a_1.bgl", "A_2.BGL", "b.bgl", "c.BGL", "Folder.bgl/", "Z.txt", "_x.bgl"}));
  std::vector<DirEntry> none;
  EXPECT_FALSE(ListDirectory(installation.WorkPath("absent"), "*.*", none));
}

#ifndef _WIN32
TEST_F(FileServicesTest, NamesResolveCaseInsensitivelyAsWindowsWould) {
  installation.WorkFileBytes("SceneDB/AfdFiles/Scenery/Afd_Eur.bgl", "x");
  const std::string work = installation.WorkFolder();
  EXPECT_EQ(ResolvePath(work + "/SCENEDB/AFDFILES/SCENERY/AFD_EUR.BGL"),
            work + "/SceneDB/AfdFiles/Scenery/Afd_Eur.bgl");
  // A name that does not exist keeps the spelling asked for; the folders
  // above it are still found.
  EXPECT_EQ(ResolvePath(work + "/scenedb/New/File.TXT"), work + "/SceneDB/New/File.TXT");

  std::string bytes;
  EXPECT_TRUE(ReadFileBytes(work + "/scenedb/afdfiles/scenery/afd_eur.BGL", bytes));
  EXPECT_EQ(bytes, "x");
  EXPECT_EQ(Names(work + "/SCENEDB/AFDFILES/SCENERY", "*.BGL"), Lines{"Afd_Eur.bgl"});
  // Writing and making folders find the existing names as well.
  ASSERT_TRUE(MakeDirectories(work + "/SCENEDB/AFDFILES/SCENERY/More"));
  ASSERT_TRUE(WriteFileBytes(work + "/SCENEDB/afdfiles/scenery/AFD_EUR.BGL", "y"));
  EXPECT_EQ(Names(work + "/SceneDB/AfdFiles/Scenery", "*"), (Lines{"Afd_Eur.bgl", "More/"}));
  EXPECT_EQ(Names(work, "*"), Lines{"SceneDB/"});
}

TEST_F(FileServicesTest, AnExactNameWinsOverAnotherSpelling) {
  const std::string work = installation.WorkFolder();
  for (const char* name : {"/dup.txt", "/DUP.txt"}) {
    std::FILE* file = std::fopen((work + name).c_str(), "wb");  // exact names, both kept
    ASSERT_NE(file, nullptr);
    std::fputs(name, file);
    std::fclose(file);
  }
  EXPECT_EQ(ResolvePath(work + "/DUP.txt"), work + "/DUP.txt");
  EXPECT_EQ(ResolvePath(work + "/dup.txt"), work + "/dup.txt");
  // Without an exact name, the first in byte order of the others.
  EXPECT_EQ(ResolvePath(work + "/Dup.TXT"), work + "/DUP.txt");
}
#endif

}  // namespace
}  // namespace fm
