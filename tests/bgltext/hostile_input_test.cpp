// Hostile files against the loader, the header, the section walk, the
// airport directory and the interpreted sections: random bytes, random
// headers, mutated and truncated directories, huge counts and sizes, sizes
// of zero, jumps outside the image and random compressed streams. Every run
// ends with a status that agrees with its console, and its text stays within
// the output budget.
#include <gtest/gtest.h>

#include <random>

#include "tests/bgltext/run_helpers.h"

namespace bgltest {
namespace {

using Bytes = std::vector<uint8_t>;

// A run that succeeds says "Done." last; one that fails does not say it.
bgltext::MemoryRunResult ExpectDefinedEnd(const Bytes& file,
                                          const bgltext::RunOptions& options = {}) {
  auto r = RunBgl(file, options);
  EXPECT_EQ(r.status == 0, static_cast<bool>(EndsWith(r.console, "Done.\n\n")))
      << r.status << r.console;
  EXPECT_LE(OutputBytes(r), bgltext::OutputBudget(file.size()));
  return r;
}

Bytes RandomBytes(std::mt19937& rng, size_t n) {
  Bytes b(n);
  for (auto& x : b) x = static_cast<uint8_t>(rng());
  return b;
}

void PutDword(Bytes& file, size_t at, uint32_t v) {
  for (int k = 0; k < 4; ++k) file[at + k] = static_cast<uint8_t>(v >> (8 * k));
}

// A directory with a few containers of every sub-record and name lists.
Bytes SampleDirectory() {
  BglBuilder b;
  b.Extended({9, 8, 7}, 0x200).Bounds(5000875, -5000875, 0x40000000u, 0xC0000000u);
  AfdWriter afd(b);
  afd.BeginContainers();
  std::vector<uint32_t> starts;
  for (int i = 0; i < 4; ++i) {
    starts.push_back(afd.BeginContainer(1 + i % 3));
    afd.Located(0x10001, 10.0 * i, 20.0 * i, 5.0 * i, {0});              // airport
    afd.Located(0x10002, 1, 2, 3, {4, 5, 6, 7, 1, 8, 3});                // runway
    afd.Located(0x10005, 1, 2, 3, {4, 5, 2, 6});                         // start
    afd.Located(0x10004, 1, 2, 3, {4, 0x01134000u, 1, 2, 3, 0}, "NAV");  // navaid
    afd.Icao("ICAO");
    afd.Frequency(0x01180000u, 5);
    afd.EndContainer();
  }
  afd.EndContainers();
  afd.BeginNameLists();
  afd.BeginNameList(7, 5);
  afd.NameEntry(0x20001, 0, "Country");
  for (uint32_t s : starts) afd.NameEntry(0x50001, s, "Airport");
  afd.EndNameList();
  afd.EndNameLists();
  return b.Build();
}

TEST(HostileInput, RandomAndMutatedFiles) {
  const Bytes sample = SampleDirectory();
  std::mt19937 rng(20261207);
  for (int i = 0; i < 1800; ++i) {
    Bytes file = sample;
    switch (i % 6) {
      case 0:  // random bytes, section offsets into them or past their end
        file = RandomBytes(rng, 168 + rng() % 2000);
        for (size_t slot = 18; slot < 126; slot += 4)
          PutDword(file, slot, rng() % 3 ? static_cast<uint32_t>(rng() % (file.size() + 64)) : 0);
        if (rng() % 2) PutDword(file, 118, 0x87654321u);
        break;
      case 1:  // the directory cut short
        file.resize(128 + rng() % (file.size() - 128));
        break;
      case 2:  // bits flipped
        for (int k = 0; k < 1 + static_cast<int>(rng() % 8); ++k)
          file[168 + rng() % (file.size() - 168)] ^= 1u << (rng() % 8);
        break;
      case 3: {  // a size, count, length or offset made 0, 1, huge or near the end
        const uint32_t values[] = {
            0, 1, 4, 0x7FFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFF8u, static_cast<uint32_t>(file.size())};
        PutDword(file, 156 + 4 * (rng() % ((file.size() - 160) / 4)), values[rng() % 7]);
        break;
      }
      case 4: {  // a random compressed stream
        file = BglBuilder().Build();
        ByteWriter w;
        w.U32(0xABCDEF01u).U32(i % 4 == 0 ? 0xFFFFFFFFu : rng() % 5000).U32(0).U32(0).U32(0);
        w.Bytes({'J', 'M', 0, 0}).Bytes(RandomBytes(rng, rng() % 600));
        file.insert(file.end(), w.Data().begin(), w.Data().end());
        break;
      }
      default:  // one byte changed, in multi-file mode
        file[168 + rng() % (file.size() - 168)] = static_cast<uint8_t>(rng());
        ExpectDefinedEnd(file, MultiOptions());
        continue;
    }
    ExpectDefinedEnd(file);
  }
}

TEST(HostileInput, HugeCountsAndZeroSizesInTheDirectory) {
  BglBuilder b;
  b.Extended({}, 1);
  AfdWriter afd(b);
  afd.BeginContainers();
  b.Body().U32(1).U32(0).U32(1).U32(0);            // size 0: the next container at its kind field
  b.Body().U32(1).U32(0xFFFFFFFFu).U32(1).U32(0);  // a size past the end
  b.Body().U32(0x10006).U32(0);                    // a sub-record of size 0
  b.Body().U32(0);
  afd.BeginNameLists();
  b.Body().U32(0x30001).U32(0).U32(1).U32(0).U32(0).U32(0xFFFFFFFFu);  // four billion entries
  b.Body().U32(0x30002).U32(0xFFFFFFFFu).U32(0x50001).U32(0);          // a text of four gigabytes
  EXPECT_EQ(ExpectDefinedEnd(b.Build()).status, 1);
}

TEST(HostileInput, RandomBytesInsideInterpretedAreas) {
  std::mt19937 rng(1234);
  for (int i = 0; i < 300; ++i) {
    auto records = RandomBytes(rng, rng() % 600);
    int delta = static_cast<int>(rng() % 64) - 32;
    for (const auto& image : {ProceduralImage(records, delta), DynamicImage(records, delta),
                              MarkerAreaImage(records, delta), MarkerImage(records)}) {
      // Unknown bytes are written as such; only the budget may end the run.
      auto r = ExpectDefinedEnd(image);
      EXPECT_TRUE(r.status == 0 || r.console.find("output limit reached") != std::string::npos);
    }
  }
}

TEST(HostileInput, RandomSections) {
  std::mt19937 rng(99);
  for (int section : {0, 1, 9, 10, 11, 13, 14, 15, 16, 19}) {
    for (int i = 0; i < 120; ++i) {
      BglBuilder b;
      b.Frequencies(static_cast<uint16_t>(rng() % 8), static_cast<uint16_t>(rng() % 8));
      b.BeginSection(section);
      b.Body().Bytes(RandomBytes(rng, rng() % 400));
      bgltext::RunOptions options = rng() % 2 ? MultiOptions() : bgltext::RunOptions{};
      options.fs98Library = rng() % 2;
      EXPECT_NE(ExpectDefinedEnd(b.Build(), options).status, -1) << section;
    }
  }
}

TEST(HostileInput, HugeCountsAndFarJumps) {
  for (const auto& records : {
           Op(0x1A).U16(0).U16(0xFFFF).Data(),                // Points
           Op(0x70).I16(0).U16(0xFFFF).Data(),                // SenseBorder
           Op(0x03).U16(0xFFFF).U16(1).I16(0).Data(),         // Switch
           Op(0x15).U16(0xFFFF).U16(0xFFFF).Fill(12).Data(),  // TexRelief
           Op(0x9A).U16(0x7FFF).U16(0x8000).Fill(12).Bytes({0, 0, 0, 0xFF, 0, 0xFF}).Data(),
           Op(0x0D).I16(-0x8000).Data(),  // Jump before the image
       }) {
    auto r = RunBgl(ProceduralImage(records));
    EXPECT_EQ(r.status, 0) << r.console;
  }
  auto far = RunBgl(ProceduralImage(Op(0x88).I32(0x7FFFFFFF).Data()));
  EXPECT_NE(SingleText(far).find("\tJump32( :L800000FF )\n"), std::string::npos) << SingleText(far);
  // Half a million texture-list lines from a 27-byte record: over the budget.
  auto lines = RunBgl(ProceduralImage(
      Op(0xA3).U16(0x7FFF).U16(0x8000).Fill(12).Bytes({0, 0, 0, 0xFF, 0, 0xFF}).Data()));
  EXPECT_EQ(lines.status, 1);
  EXPECT_NE(lines.console.find("output limit reached"), std::string::npos);
}

}  // namespace
}  // namespace bgltest
