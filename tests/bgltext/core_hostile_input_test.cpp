// Hostile files against the loader, the header, the section walk and the
// airport directory: random bytes, random headers, mutated and truncated
// directories, huge counts and sizes, sizes of zero, random compressed
// streams. Every run must end with a defined status and output bounded by
// its input, never crash or hang.
#include <gtest/gtest.h>

#include <chrono>
#include <random>

#include "tests/bgltext/bgl_builder.h"
#include "tests/bgltext/run_helpers.h"

namespace bgltest {
namespace {

using Bytes = std::vector<uint8_t>;

void ExpectDefinedEnd(const Bytes& file, const bgltext::RunOptions& options = {}) {
  auto t0 = std::chrono::steady_clock::now();
  auto r = RunBgl(file, options);
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  ASSERT_TRUE(r.status == 0 || r.status == 1 || r.status == -1) << r.status;
  size_t out = 0;
  for (const auto& [path, text] : r.files) out += text.size();
  // Every line of output costs input bytes, so output stays within a
  // multiple of the input (plus the fixed header and section lines).
  ASSERT_LE(out, 64 * file.size() + 64 * 1024) << "output " << out << " for input " << file.size();
  ASSERT_LT(seconds, 5.0);
}

Bytes RandomBytes(std::mt19937& rng, size_t n) {
  Bytes b(n);
  for (auto& x : b) x = static_cast<uint8_t>(rng());
  return b;
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

TEST(CoreHostileInput, RandomFilesOfEverySize) {
  std::mt19937 rng(20261207);
  for (int i = 0; i < 400; ++i) {
    size_t n = (i % 4 == 0) ? rng() % 200 : 128 + rng() % 2000;
    ExpectDefinedEnd(RandomBytes(rng, n));
  }
}

TEST(CoreHostileInput, RandomHeadersOverRandomBodies) {
  // Section offsets point into the body or past the end; the marker and the
  // compression marker appear now and then.
  std::mt19937 rng(77);
  for (int i = 0; i < 400; ++i) {
    Bytes file = RandomBytes(rng, 168 + rng() % 3000);
    for (size_t slot = 18; slot < 126; slot += 4) {
      uint32_t v = (rng() % 3 == 0) ? 0 : static_cast<uint32_t>(rng() % (file.size() + 64));
      for (int k = 0; k < 4; ++k) file[slot + k] = static_cast<uint8_t>(v >> (8 * k));
    }
    if (rng() % 2) {
      uint32_t marker = 0x87654321u;
      for (int k = 0; k < 4; ++k) file[118 + k] = static_cast<uint8_t>(marker >> (8 * k));
    }
    ExpectDefinedEnd(file);
  }
}

TEST(CoreHostileInput, MutatedAndTruncatedDirectories) {
  const Bytes sample = SampleDirectory();
  std::mt19937 rng(5);
  for (int i = 0; i < 1500; ++i) {
    Bytes file = sample;
    int kind = i % 5;
    if (kind == 0) {
      file.resize(128 + rng() % (file.size() - 128));
    } else if (kind == 1) {
      for (int k = 0; k < 1 + static_cast<int>(rng() % 8); ++k)
        file[168 + rng() % (file.size() - 168)] ^= 1u << (rng() % 8);
    } else {
      // A size, count, length or offset dword replaced by 0, 1, a huge value
      // or a value near the end of the file.
      const uint32_t values[] = {
          0, 1, 4, 0x7FFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFF8u, static_cast<uint32_t>(file.size())};
      size_t at = 156 + 4 * (rng() % ((file.size() - 160) / 4));
      uint32_t v = values[rng() % 7];
      for (int k = 0; k < 4; ++k) file[at + k] = static_cast<uint8_t>(v >> (8 * k));
    }
    ExpectDefinedEnd(file);
  }
}

TEST(CoreHostileInput, HugeCountsAndZeroSizes) {
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
  ExpectDefinedEnd(b.Build());
  auto r = RunBgl(b.Build());
  EXPECT_EQ(r.status, 1);
}

TEST(CoreHostileInput, RandomCompressedStreams) {
  std::mt19937 rng(99);
  for (int i = 0; i < 300; ++i) {
    BglBuilder b;
    Bytes file = b.Build();
    ByteWriter w;
    uint32_t size = (i % 3 == 0) ? 0xFFFFFFFFu : rng() % 5000;
    w.U32(0xABCDEF01u).U32(size).U32(0).U32(0).U32(0).Bytes({'J', 'M', 0, 0});
    w.Bytes(RandomBytes(rng, rng() % 600));
    file.insert(file.end(), w.Data().begin(), w.Data().end());
    ExpectDefinedEnd(file);
  }
}

TEST(CoreHostileInput, MultiFileModeToo) {
  const Bytes sample = SampleDirectory();
  std::mt19937 rng(11);
  for (int i = 0; i < 200; ++i) {
    Bytes file = sample;
    file[168 + rng() % (file.size() - 168)] = static_cast<uint8_t>(rng());
    ExpectDefinedEnd(file, MultiOptions());
  }
}

}  // namespace
}  // namespace bgltest
