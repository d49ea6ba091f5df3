// Section 15 records by operand shape (one-byte opcodes), and an opcode
// that section 16's area table does not hold.
#include <gtest/gtest.h>

#include "tests/bgltext/run_helpers.h"
#include "tests/bgltext/scenery_program_writer.h"

namespace bgltest {
namespace {

struct Case {
  const char* what;
  std::vector<uint8_t> bytes;
  const char* text;
};

std::string DynamicText(const std::vector<uint8_t>& records) {
  auto r = RunBgl(DynamicImage(records));
  EXPECT_EQ(r.status, 0) << r.console;
  return Between(SingleText(r), kDynamicAreaLines, "End15\n\n");
}

std::string MarkerAreaText(const std::vector<uint8_t>& records) {
  auto r = RunBgl(MarkerAreaImage(records));
  EXPECT_EQ(r.status, 0) << r.console;
  return Between(SingleText(r), kMarkerAreaLine, "End16\n\n");
}

ByteWriter Pos48() {
  ByteWriter w;
  w.U16(0).I32(Lat32Raw(45)).U16(0).U32(Lon32Raw(90));
  return w;
}

TEST(DynamicSection, RecordsByOperandShape) {
  const std::vector<Case> cases = {
      {"gear zero", Op1(0x04).U8(0).Data(), "\tGear( 0 )\n"},
      {"heading", Op1(0x07).U16(0x8000).Data(), "\tHeading( 180.000000 )\n"},
      {"move", Op1(0x12).U16(1).I16(-1).Data(), "\tMoveX( 1 -1 )\n"},
      {"move two", Op1(0x16).U16(1).U16(2).I16(-3).Data(), "\tMoveXZ( 1 2 -3 )\n"},
      {"move 3D", Op1(0x18).U16(1).U16(2).U16(3).U16(4).Data(), "\tMove3D( 1 2 3 4 )\n"},
      {"accelerate two", Op1(0x1C).U16(1).U16(8192).U16(2).U16(3).Data(),
       "\tAccelerateXY( 1 2.00 2 3 )\n"},
      {"accelerate 3D", Op1(0x1F).U16(1).U16(2048).U16(1).U16(2).U16(3).Data(),
       "\tAccelerate3D( 1 0.50 1 2 3 )\n"},
      {"latitude reference", Op1(0x34).U16(0).I32(Lat32Raw(45)).Data(), "\tLatRef( N45:0:0.00 )\n"},
      {"move to position",
       Op1(0x39).Bytes(Pos48().U16(0).U32(7).U32(0x40000000).Data()).U32(0x80000000u).U32(0).Data(),
       "\tMoveToPos1( N45:0:0.00 E90:0:0.00 7 90.000000 180.000000 0.000000 )\n"},
      {"refuel", Op1(0x3E).I32(-1).Data(), "\tRefuel( -1 )\n"},
      {"ACS", Op1(0x42).U8(3).Data(), "\tACS( 3 )\n"},
      {"unknown", Op1(0x05).Data(), ";;; unknown record id: 0x5\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(DynamicText(c.bytes), c.text) << c.what;
}

TEST(MarkerSection, RecordOutsideTheAreaTableIsUnknown) {
  EXPECT_EQ(MarkerAreaText(Op(0x0A).Data()),
            ";;; unknown record id: 0xa\n;;; unknown record id: 0x0\n");
}

}  // namespace
}  // namespace bgltest
