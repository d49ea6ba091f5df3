// The text machinery's own checks: a label referenced in the printing pass
// that the collecting pass never registered is a fatal error, and the
// LatRange subtable passes over bytes that are not entries.
#include <gtest/gtest.h>

#include "bgltext/bgl_run.h"
#include "bgltext/lat_range.h"
#include "tests/bgltext/bgl_builder.h"
#include "tests/bgltext/run_helpers.h"

namespace bgltest {
namespace {

// A run on raw bytes with its single output already open.
struct Harness {
  explicit Harness(std::vector<uint8_t> bytes) : con(&console), run(Prepare(), con) {
    run.image.Assign(std::move(bytes));
    run.DecideOutputBase();
    run.OpenSectionOutput("bgthead.txt", true);
  }
  static bgltext::RunOptions Prepare() {
    bgltext::RunOptions o;
    o.inputPath = "in.bgl";
    o.memoryOutput = true;
    return o;
  }
  std::string console;
  bgltext::Console con;
  bgltext::BglRun run;
};

TEST(Labels, MissingLabelIsAFatalError) {
  Harness h({0});
  h.run.SetPass(bgltext::DecodePass::Print);
  try {
    h.run.ReferenceLabel(0x1234);
    FAIL() << "no exit";
  } catch (bgltext::FatalExit e) {
    EXPECT_EQ(e.status, 1);
  }
  EXPECT_EQ(h.console, "Internal error : no label(0x1234)\n");
}

TEST(LatRange, OtherBytesInTheSubtableArePassedOver) {
  ByteWriter w;
  for (int i = 0; i < 99; ++i) {
    if (i % 10 == 0) w.U8(7);
    w.U8(21).U16(0x1000 + i).U16(0x2000 + i).U32(static_cast<uint32_t>(i));
  }
  w.U8(0);
  Harness h(w.Data());
  auto entries = bgltext::ReadLatRangeSubtable(h.run);
  ASSERT_EQ(entries.size(), 99u);
  EXPECT_EQ(entries[98].offset, 98u);
  EXPECT_EQ(entries[0].first.raw, 0x1000 * 256);
  EXPECT_EQ(h.console, "");
}

}  // namespace
}  // namespace bgltest
