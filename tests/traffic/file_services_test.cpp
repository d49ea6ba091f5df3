// The file services: lines read as Windows text mode reads them, CR LF
// written on every platform, names resolved without regard to case, sorted
// listings, and files replaced whole or not at all.
#include <gtest/gtest.h>

#include "platform/file_atomic.h"
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

TEST_F(FileServicesTest, TextIsWrittenWithCrLfInBinaryMode) {
  OutputFile file;
  ASSERT_TRUE(file.Create(installation.WorkPath("out.txt")));
  file.WriteLine("one");
  file.WriteText("two\nthree\r\n");
  file.WriteBytes("raw\n");
  ASSERT_TRUE(file.Close());
  // Text mode turns every LF into CR LF, even one that follows a CR.
  EXPECT_EQ(installation.ReadWorkFile("out.txt"), "one\r\ntwo\r\nthree\r\r\nraw\n");
}

TEST_F(FileServicesTest, OpeningAMissingFileFails) {
  TextLineReader reader;
  EXPECT_FALSE(reader.Open(installation.WorkPath("absent.txt")));
  OutputFile file;
  EXPECT_FALSE(file.Create(installation.WorkPath("no folder/out.txt")));
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

class AtomicFileSetTest : public FileServicesTest {
 protected:
  void SetUp() override {
    FileServicesTest::SetUp();
    first = installation.WorkFile("first.txt", "old first\n");
    second = installation.WorkFile("second.txt", "old second\n");
  }
  std::string first, second;
};

TEST_F(AtomicFileSetTest, CommitReplacesEveryFileOfTheSet) {
  AtomicFileSet set;
  set.Create(first)->WriteLine("new first");
  set.Create(installation.WorkPath("third.txt"))->WriteLine("new third");
  ASSERT_TRUE(set.Commit());
  EXPECT_EQ(installation.ReadWorkFile("first.txt"), "new first\r\n");
  EXPECT_EQ(installation.ReadWorkFile("third.txt"), "new third\r\n");
  EXPECT_EQ(Names(installation.WorkFolder(), "*"), (Lines{"first.txt", "second.txt", "third.txt"}));
}

TEST_F(AtomicFileSetTest, FailureToPlaceTheSecondPutsTheFirstBack) {
  AtomicFileSet set;
  set.Create(first)->WriteLine("new first");
  set.Create(second)->WriteLine("new second");
  // Something now stands where the second file goes and cannot be replaced.
  ASSERT_TRUE(RemoveFile(second));
  ASSERT_TRUE(MakeDirectory(second));
  size_t failedIndex = 9;
  EXPECT_FALSE(set.Commit(&failedIndex));
  EXPECT_EQ(failedIndex, 1u);
  EXPECT_EQ(installation.ReadWorkFile("first.txt"), "old first\r\n");
  EXPECT_EQ(Names(installation.WorkFolder(), "*"), (Lines{"first.txt", "second.txt/"}));
}

TEST_F(AtomicFileSetTest, FailureOfTheSecondRemovesAFirstFileThatIsNew) {
  AtomicFileSet set;
  set.Create(installation.WorkPath("fresh.txt"))->WriteLine("new");
  set.Create(second)->WriteLine("new second");
  ASSERT_TRUE(SetReadOnly(second, true));
  EXPECT_FALSE(set.Commit());
  EXPECT_EQ(Names(installation.WorkFolder(), "*"), (Lines{"first.txt", "second.txt"}));
  EXPECT_EQ(installation.ReadWorkFile("second.txt"), "old second\r\n");
}

TEST_F(AtomicFileSetTest, AReadOnlyTargetIsRefusedAndStaysUntouched) {
  ASSERT_TRUE(SetReadOnly(first, true));
  AtomicFileSet set;
  EXPECT_EQ(set.Create(first), nullptr);
  EXPECT_EQ(installation.ReadWorkFile("first.txt"), "old first\r\n");
  EXPECT_EQ(set.Create(installation.WorkFolder()), nullptr);  // a folder
}

TEST_F(AtomicFileSetTest, AnUncommittedSetChangesNothing) {
  {
    AtomicFileSet set;
    set.Create(first)->WriteLine("new first");
  }
  EXPECT_EQ(installation.ReadWorkFile("first.txt"), "old first\r\n");
  EXPECT_EQ(Names(installation.WorkFolder(), "*"), (Lines{"first.txt", "second.txt"}));
}

}  // namespace
}  // namespace fm
