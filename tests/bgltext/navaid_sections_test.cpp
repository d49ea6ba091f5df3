// Records whose length field is 0 end their walk instead of being read
// again for ever: ATIS messages (13) and airport menus (11).
#include <gtest/gtest.h>

#include "tests/bgltext/run_helpers.h"
#include "tests/bgltext/scenery_program_writer.h"

namespace bgltest {
namespace {

TEST(AtisSection, ZeroLengthEndsTheWalk) {
  ByteWriter unit;
  unit.U8(4).U16(0x1810).U24(Lat24Raw(18)).U24(Lon24Raw(90)).U8(10).U16(0);
  unit.U8(0x49).U8(0xC9).U8(0).U8(0x89).TextZ("HELLO (A) \x80");
  unit.U8(5);  // would be fatal if the record were read again
  auto r = RunBgl(LatRangeImage(13, kRecordsAt, unit.Data()));
  EXPECT_EQ(r.status, 0) << r.console;
  EXPECT_EQ(SectionBody(SingleText(r), 13),
            "LatRange( S0:0:0.00 S0:0:0.00 )\n"
            "ATIS(\n\t20\n\tN18:0:0.00\n\tE90:0:0.00\n\t118.10\n\t9L 9C 0 9R\n\tHELLO_{A}_%A )\n");
}

TEST(MenuSection, ZeroLengthEndsTheMenus) {
  BglBuilder b;
  uint32_t s = b.BeginSection(11);
  b.Body().U8(1).U16(0).U32(0).TextZ("Title (1)");
  b.Body().U8(1).U16(14).U32(0).TextZ("Second").U8(0);
  b.PatchBodyU32(s + 3, static_cast<uint32_t>(b.Here() - s));
  b.Body().U8(0);
  auto r = RunBgl(b.Build(), MultiOptions());
  EXPECT_EQ(r.status, 0) << r.console;
  EXPECT_EQ(MultiText(r, "bgt11-1.sca"),
            ";;; Disassembled by bgltext ver 2.2\n;;; section 11 - Airport\n"
            "Header( 1 S0:0:0.00 S0:0:0.00 W0:0:0.00 W0:0:0.00 )\n"
            "LatRange( S0:0:0.00 S0:0:0.00 )\nMenu( Title_{1} )\n");
  EXPECT_EQ(r.files.count(MultiPath("bgt11-2.sca")), 0u);
}

}  // namespace
}  // namespace bgltest
