// The file services: lines read as Windows text mode reads them, a failed
// read told apart from the end of a file, text written with CR LF, names
// listed without regard to case as Windows does, and sets of files replaced
// whole or not at all, also after an interrupted write.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "platform/file_atomic.h"
#include "platform/file_paths.h"
#include "platform/file_system.h"
#include "platform/file_text.h"
#include "tests/support/fixture_installation.h"

namespace fm {
namespace {

using Lines = std::vector<std::string>;

class FileServicesTest : public ::testing::Test {
 protected:
  Lines Names(const std::string& folder, const std::string& pattern = "*") {
    std::vector<DirEntry> entries;
    EXPECT_TRUE(ListDirectory(folder, pattern, entries));
    Lines names;
    for (const DirEntry& e : entries) names.push_back(e.name + (e.isDirectory ? "/" : ""));
    return names;
  }
  std::string Work(const char* name) { return installation.WorkPath(name); }

  testing::FixtureInstallation installation;
};

// A read that fails part-way ends the lines with an error, never with what
// looks like the end of a shorter file; the line it broke into is not given.
TEST_F(FileServicesTest, LinesAsTextModeReadsThemAndAFailedReadIsNoEnd) {
  const std::string a(65535, 'a'), b(200000, 'b'), abc = "abc\r\ndef\nghi";
  const struct {
    std::string bytes;
    size_t chunk;     // bytes a read at most
    int failingRead;  // from 1; 0 for none
    Lines lines;
  } cases[] = {
      {"a\r\n\r\n", 65536, 0, {"a", ""}},
      // A CR that is not followed by LF is part of the line.
      {"a\rb\r\r\nc\r", 65536, 0, {"a\rb\r", "c\r"}},
      // Lines that straddle the reader's chunks, the CR LF split between two.
      {a + "\r\n" + b + "\r\nend", 65536, 0, {a, b, "end"}},
      // Reads of "abc\r\n", "def\ng", "hi", then the end.
      {abc, 5, 3, {"abc", "def"}},  // "g" came before the failure and is no line
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.bytes.substr(0, 12) + ", failing read " + std::to_string(c.failingRead));
    int reads = 0;
    TextLineReader reader([&](std::FILE* file, char* buffer, size_t size) -> std::ptrdiff_t {
      if (++reads == c.failingRead) return -1;
      return static_cast<std::ptrdiff_t>(std::fread(buffer, 1, std::min(size, c.chunk), file));
    });
    ASSERT_TRUE(reader.Open(installation.WorkFileBytes("lines.txt", c.bytes)));
    Lines lines;
    std::string line;
    while (reader.ReadLine(line)) lines.push_back(line);
    EXPECT_EQ(lines, c.lines);
    EXPECT_EQ(reader.Failed(), c.failingRead != 0);
    EXPECT_FALSE(reader.ReadLine(line)) << "nothing follows the end or a failure";
  }
}

TEST_F(FileServicesTest, TextIsWrittenWithCrLfAndNamesAreListedWithoutRegardToCase) {
  OutputFile file;
  ASSERT_TRUE(file.Create(Work("out.txt")));
  file.WriteLine("one");
  file.WriteText("two\nthree\r\n");
  file.WriteBytes("raw\n");
  ASSERT_TRUE(file.Close());
  // Text mode turns every LF into CR LF, even one that follows a CR.
  EXPECT_EQ(installation.ReadWorkFile("out.txt"), "one\r\ntwo\r\nthree\r\r\nraw\n");
  for (const char* name : {"b.bgl", "A_2.BGL", "a_1.bgl", "Z.txt", "_x.bgl", "c.BGL"}) {
    installation.WorkFileBytes(std::string("scenery/") + name, "x");
  }
  ASSERT_TRUE(MakeDirectory(Work("scenery/Folder.bgl")));
  // Compared upper-cased, '_' comes after every letter.
  EXPECT_EQ(Names(Work("scenery"), "*.bgl"),
            (Lines{"a_1.bgl", "A_2.BGL", "b.bgl", "c.BGL", "Folder.bgl/", "_x.bgl"}));
}

// Bytes that a text-mode slip or a truncation would change.
const std::string kOldFirst("old\r\nfirst\0\r\rend", 16);
const std::string kOldSecond = "old second\nwithout CR";

// When the last file of a set fails to be placed, the earlier files are there
// afterwards byte for byte, the new one is gone and nothing is left beside
// them.
TEST_F(FileServicesTest, WhenTheSecondOfASetCannotBePlacedTheEarlierFilesStay) {
  const std::string first = installation.WorkFileBytes("first.txt", kOldFirst);
  const std::string second = installation.WorkFileBytes("second.txt", kOldSecond);
  // Every rename checks that no target that was there before is missing.
  AtomicFileSet set([&](const std::string& from, const std::string& to) {
    EXPECT_TRUE(IsRegularFile(first) && IsRegularFile(second)) << "a target went missing";
    return FileNameOf(to) != "second.txt" && ReplaceFileWith(from, to);
  });
  // A new file, a file put back, then the one that fails.
  for (const std::string& path : {Work("fresh.txt"), first, second}) {
    OutputFile* file = set.Create(path);
    ASSERT_NE(file, nullptr);
    file->WriteLine("new");
  }
  size_t failedIndex = 9;
  EXPECT_FALSE(set.Commit(&failedIndex));
  EXPECT_EQ(failedIndex, 2u);
  EXPECT_EQ(installation.ReadWorkFile("first.txt"), kOldFirst);
  EXPECT_EQ(installation.ReadWorkFile("second.txt"), kOldSecond);
  EXPECT_EQ(Names(installation.WorkFolder()), (Lines{"first.txt", "second.txt"}));
}

// What a process killed in the middle of a write leaves beside a target, and
// what the next write of that target finds there before it writes anything.
TEST_F(FileServicesTest, AnInterruptedWriteIsClearedOrRecoveredAtTheNextWrite) {
  const struct {
    const char* what;
    bool targetThere;
    Lines leftovers;     // beside first.txt, holding "left"
    std::string target;  // first.txt once the next write has started
  } cases[] = {
      {"earlier content kept, target in place", true, {"first.txt.fmix-old"}, "old"},
      {"target lost, new content beside",
       false,
       {"first.txt.fmix-new", "first.txt.fmix-old"},
       "left"},
  };
  const std::string first = Work("first.txt");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    RemoveFile(first);
    if (c.targetThere) installation.WorkFileBytes("first.txt", "old");
    for (const std::string& name : c.leftovers) installation.WorkFileBytes(name, "left");
    ASSERT_NE(AtomicFileSet().Create(first), nullptr);  // not committed
    EXPECT_EQ(installation.ReadWorkFile("first.txt"), c.target);
    AtomicFileSet set;
    set.Create(first)->WriteLine("next");
    ASSERT_TRUE(set.Commit());
    EXPECT_EQ(installation.ReadWorkFile("first.txt"), "next\r\n");
    EXPECT_EQ(Names(installation.WorkFolder()), Lines{"first.txt"});
  }
}

}  // namespace
}  // namespace fm
