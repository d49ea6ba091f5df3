// Files replaced whole or not at all: a set renamed into place together, the
// earlier files put back byte for byte when one cannot be placed, a failure
// to put one back reported, and what an interrupted write left behind
// cleared or recovered at the next write.
#include <gtest/gtest.h>

#include "platform/file_atomic.h"
#include "platform/file_paths.h"
#include "platform/file_system.h"
#include "tests/support/fixture_installation.h"

namespace fm {
namespace {

using testing::FixtureInstallation;
using Names = std::vector<std::string>;

// Bytes that a text-mode slip or a truncation would change.
const std::string kOldFirst("old\r\nfirst\0\r\rend", 16);
const std::string kOldSecond = "old second\nwithout CR";

class AtomicFileSetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(installation.IsReady());
    first = installation.WorkFileBytes("first.txt", kOldFirst);
    second = installation.WorkFileBytes("second.txt", kOldSecond);
  }

  Names Listing() {
    std::vector<DirEntry> entries;
    EXPECT_TRUE(ListDirectory(installation.WorkFolder(), "*", entries));
    Names names;
    for (const DirEntry& e : entries) names.push_back(e.name + (e.isDirectory ? "/" : ""));
    return names;
  }

  // A set whose renames fail where `fails` says, and which checks at every
  // rename that no target that was there before is missing.
  AtomicFileSet SetFailingWhere(
      std::function<bool(std::string_view from, std::string_view to)> fails) {
    return AtomicFileSet([this, fails](const std::string& from, const std::string& to) {
      EXPECT_TRUE(IsRegularFile(first) && IsRegularFile(second)) << "a target went missing";
      if (fails(FileNameOf(from), FileNameOf(to))) return false;
      return ReplaceFileWith(from, to);
    });
  }

  // Writes the pair, the first as `newFirst` and the second as "new second".
  bool WritePair(AtomicFileSet& set, const std::string& firstTarget, size_t* failedIndex) {
    OutputFile* a = set.Create(firstTarget);
    OutputFile* b = set.Create(second);
    if (!a || !b) return false;
    a->WriteLine("new first");
    b->WriteLine("new second");
    return set.Commit(failedIndex);
  }

  FixtureInstallation installation;
  std::string first, second;
};

TEST_F(AtomicFileSetTest, CommitReplacesEveryFileOfTheSet) {
  AtomicFileSet set = SetFailingWhere([](auto, auto) { return false; });
  set.Create(first)->WriteLine("new first");
  set.Create(installation.WorkPath("third.txt"))->WriteLine("new third");
  set.Create(second)->WriteLine("new second");
  ASSERT_TRUE(set.Commit());
  EXPECT_EQ(installation.ReadWorkFile("first.txt"), "new first\r\n");
  EXPECT_EQ(installation.ReadWorkFile("second.txt"), "new second\r\n");
  EXPECT_EQ(installation.ReadWorkFile("third.txt"), "new third\r\n");
  EXPECT_EQ(Listing(), (Names{"first.txt", "second.txt", "third.txt"}));
}

// However the second file of a pair fails to be placed, both earlier files
// are there afterwards byte for byte, and nothing is left beside them.
TEST_F(AtomicFileSetTest, WhenTheSecondCannotBePlacedBothEarlierFilesStayIntact) {
  struct Case {
    const char* what;
    bool firstIsNew;
    bool secondTurnsReadOnly;  // after Create, before Commit
  };
  const Case cases[] = {
      {"its rename fails", false, false},
      {"its rename fails, the first is new", true, false},
      {"it became read-only", false, true},
      {"it became read-only, the first is new", true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetUp();
    const std::string firstTarget = c.firstIsNew ? installation.WorkPath("fresh.txt") : first;
    AtomicFileSet set = SetFailingWhere(
        [](auto from, auto to) { return from == "second.txt.fmix-new" && to == "second.txt"; });
    OutputFile* a = set.Create(firstTarget);
    OutputFile* b = set.Create(second);
    ASSERT_TRUE(a && b);
    a->WriteLine("new first");
    b->WriteLine("new second");
    if (c.secondTurnsReadOnly) {
      ASSERT_TRUE(SetReadOnly(second, true));
    }
    size_t failedIndex = 9;
    EXPECT_FALSE(set.Commit(&failedIndex));
    EXPECT_EQ(failedIndex, 1u);
    EXPECT_EQ(FileNameOf(set.FailedTarget()), "second.txt");
    EXPECT_EQ(set.Unrestored(), Names{});
    EXPECT_EQ(installation.ReadWorkFile("first.txt"), kOldFirst);
    EXPECT_EQ(installation.ReadWorkFile("second.txt"), kOldSecond);
    EXPECT_EQ(Listing(), (Names{"first.txt", "second.txt"}));
    SetReadOnly(second, false);
  }
}

TEST_F(AtomicFileSetTest, AFolderStandingAtTheSecondTargetFailsTheSet) {
  AtomicFileSet set;
  set.Create(first)->WriteLine("new first");
  set.Create(second)->WriteLine("new second");
  ASSERT_TRUE(RemoveFile(second));
  ASSERT_TRUE(MakeDirectory(second));
  size_t failedIndex = 9;
  EXPECT_FALSE(set.Commit(&failedIndex));
  EXPECT_EQ(failedIndex, 1u);
  EXPECT_EQ(installation.ReadWorkFile("first.txt"), kOldFirst);
  EXPECT_EQ(Listing(), (Names{"first.txt", "second.txt/"}));
}

TEST_F(AtomicFileSetTest, AFirstFileThatCannotBePutBackIsReported) {
  AtomicFileSet set = SetFailingWhere(
      [](auto from, auto to) { return to == "second.txt" || from == "first.txt.fmix-old"; });
  size_t failedIndex = 9;
  EXPECT_FALSE(WritePair(set, first, &failedIndex));
  EXPECT_EQ(failedIndex, 1u);
  ASSERT_EQ(set.Unrestored().size(), 1u);
  EXPECT_EQ(FileNameOf(set.Unrestored()[0]), "first.txt");
  // The earlier content is not lost: it lies beside the new one.
  EXPECT_EQ(installation.ReadWorkFile("first.txt"), "new first\r\n");
  EXPECT_EQ(installation.ReadWorkFile("first.txt.fmix-old"), kOldFirst);
  EXPECT_EQ(installation.ReadWorkFile("second.txt"), kOldSecond);
}

// What a process killed in the middle of a write leaves beside a target, and
// what the next write of that target finds there before it writes anything.
TEST_F(AtomicFileSetTest, AnInterruptedWriteIsClearedOrRecoveredAtTheNextWrite) {
  struct Case {
    const char* what;
    bool targetThere;
    Names leftovers;     // beside first.txt, holding "left"
    std::string target;  // first.txt once the next write has started
  };
  const Case cases[] = {
      {"new content not yet renamed", true, {"first.txt.fmix-new"}, kOldFirst},
      {"earlier content kept, target in place", true, {"first.txt.fmix-old"}, kOldFirst},
      {"both, target in place", true, {"first.txt.fmix-new", "first.txt.fmix-old"}, kOldFirst},
      {"target moved aside and lost", false, {"first.txt.fmix-old"}, "left"},
      {"target lost, new content beside",
       false,
       {"first.txt.fmix-new", "first.txt.fmix-old"},
       "left"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetUp();
    if (!c.targetThere) {
      ASSERT_TRUE(RemoveFile(first));
    }
    for (const std::string& name : c.leftovers) installation.WorkFileBytes(name, "left");

    {
      AtomicFileSet set;
      ASSERT_NE(set.Create(first), nullptr);
      // Not committed: the target is as the interrupted write should have
      // left it.
    }
    EXPECT_EQ(installation.ReadWorkFile("first.txt"), c.target);
    EXPECT_EQ(Listing(), (Names{"first.txt", "second.txt"}));

    AtomicFileSet set;
    set.Create(first)->WriteLine("next");
    ASSERT_TRUE(set.Commit());
    EXPECT_EQ(installation.ReadWorkFile("first.txt"), "next\r\n");
    EXPECT_EQ(Listing(), (Names{"first.txt", "second.txt"}));
  }
}

#ifndef _WIN32
TEST_F(AtomicFileSetTest, ARecoveredTargetKeepsTheSpellingItHad) {
  ASSERT_TRUE(RemoveFile(first));
  installation.WorkFileBytes("First.TXT.fmix-old", "left");
  AtomicFileSet set;
  set.Create(installation.WorkPath("first.txt"))->WriteLine("next");
  ASSERT_TRUE(set.Commit());
  EXPECT_EQ(Listing(), (Names{"First.TXT", "second.txt"}));
  EXPECT_EQ(installation.ReadWorkFile("First.TXT"), "next\r\n");
}
#endif

TEST_F(AtomicFileSetTest, AReadOnlyTargetIsRefusedAndStaysUntouched) {
  ASSERT_TRUE(SetReadOnly(first, true));
  AtomicFileSet set;
  EXPECT_EQ(set.Create(first), nullptr);
  EXPECT_EQ(installation.ReadWorkFile("first.txt"), kOldFirst);
  EXPECT_EQ(set.Create(installation.WorkFolder()), nullptr);  // a folder
  SetReadOnly(first, false);
}

}  // namespace
}  // namespace fm
