// Procedural scenery records of the handler families that the whole-file
// texts do not reach, the switch record, and a library object whose name is
// longer than its header area: the bytes beside the text they must give. Every
// record sits at offset 0x100 inside a section 9 area; jumps in these cases
// point at the record itself, so its label line stands in front of it.
#include <gtest/gtest.h>

#include <algorithm>

#include "bgltext/procedural_handlers.h"

#include "tests/bgltext/run_helpers.h"
#include "tests/bgltext/scenery_program_writer.h"

namespace bgltest {
namespace {

std::string DecodeRecords(const std::vector<uint8_t>& records) {
  auto r = RunBgl(ProceduralImage(records));
  EXPECT_EQ(r.status, 0) << r.console;
  return Between(SingleText(r), kProceduralAreaLine, "EndA\n\n;;;;; End of LatRange\n");
}

// Appends 16-bit words (negative ones as two's complement).
ByteWriter W(ByteWriter w, std::initializer_list<int> words) {
  for (int v : words) w.U16(static_cast<uint32_t>(v) & 0xFFFF);
  return w;
}
ByteWriter W(uint8_t opcode, std::initializer_list<int> words) { return W(Op(opcode), words); }

ByteWriter AdvancedBuilding(int kind) {
  ByteWriter w = W(0xA0, {0, kind});
  for (int i = 1; i <= 20; ++i) w.U16(i);
  return w;
}

TEST(ProceduralRecords, OneRecordOfEachHandlerFamily) {
  ByteWriter position;
  position.U16(0).I32(Lat32Raw(45)).U16(0).U32(Lon32Raw(90)).U16(0x8000).I32(10);
  ByteWriter data = Op(0x42);  // RunwayData
  data.Bytes(position.Data()).U16(0x8001).U16(3000).U16(45).U8(0x1F).U8(0x89).U16(0x3D).U8(4);
  data.U8(0).U16(100).U16(300).U16(200).U16(400);
  data.U8(0xA).U8(1).U8(2).U8(3).U16(0x0201).I16(-5).U16(6).U16(7);
  data.U8(0xC).U8(3).U8(4).U8(5).U16(0x0401).U16(8).I16(-9).U16(10);
  const std::pair<ByteWriter, const char*> cases[] = {
      // Operand descriptions.
      {W(0x05, {}), "\tStartSurface\n"},
      {W(0x4D, {1, -2}), "\tVar2Low64K( 1 -2 )\n"},
      {W(0x40, {0xCDAB}), "\tShadowPosInd( cdab )\n"},
      {W(0xA1, {1, 2, 0, 0}), ":L00000100\n\tRegisterBitmapClass( 1 2 :L00000100 )\n"},
      // Fixed shapes.
      {W(0x37, {1, 2, -1}), "\tDot( 1 2 -1 )\n"},
      {W(0x0E, {0xFFFF, -1, 2, 3}), "\tDefPoint( 65535 -1 2 3 )\n"},
      {W(0x0F, {5}), "\tMoveToPt( 5 )\n"},
      {Op(0x2D).Bytes({0x0F, 16, 32, 48}), "\tRGBSColor( 0F 16 32 48 )\n"},
      {W(0x65, {0xBEEF}), "\tLoadSurfaceColor( BEEF )\n"},
      {W(0x31, {1, 2, 3, 4, 5, 6, 7, 8}), "\tAutoPoints( 1 2  3 4 5  6 7 8 )\n"},
      {W(0x45, {1, 2, 3, 4, 5, 6, 7}), "\tDotLine( 1 2 3  4 5 6  7 )\n"},
      {W(0x28, {1, 2, 3, -1}), "\tBigDot( 1 2 3 -1 )\n"},
      {W(0x69, {1, 2, 3, 4}), "\tRoadStart( 1  2 3 4 )\n"},
      {W(0xA8, {1, 2, 3, 4, -5}), "\tRRStart( 1 2 3 4 -5 )\n"},
      {W(0x95, {1, 2, 3}), "\tI_95( 1 2 3 )\n"},
      {W(0x57, {0xAB, 0x4000, 1, 2}), "\tWeather( AB 90.00 1 2 )\n"},
      {Op(0x58).I32(256).I32(-256).I32(128).I32(0),
       "\tMoveTexture( 1.000000 -1.000000 0.500000 0.000000 )\n"},
      // Drawing.
      {W(0x15, {1, 0, 1, 2, 3, 4, 0, 0}).Bytes({5, 6, 0xFF, 0xFF, 7, 8, 9, 0}),
       "\tTexRelief( 1 0 1 2 3 4\n\t\t5 6 -1\n\n\t\t7 8 9\n\n\t)\n"},
      {W(0x18, {1, 2, 3, 4}).Text("RUNWAY  BMP ").U16(0), "\tBitmap( RUNWAY.BMP 1 2 3 4 )\n"},
      {W(0x18, {1, 2, 3, 4}).Text("RUNWAY      ").U16(0), "\tBitmap( RUNWAY 1 2 3 4 )\n"},
      {Op(0x19).Text("PAL         ").U16(0), "\tPalette( PAL )\n"},
      {W(0x1A, {3, 2, 1, 2, 3, -1, -2, -3}), "\tPoints( 3\n\t\t1 2 3\n\t\t-1 -2 -3\n\t)\n"},
      {W(0x1D, {2, 1, 2, 3, 4, 5, 6, 7, 8}), "\tVecPoly( m  1 2 3  4 5 6\n\t\t7 8 )\n"},
      {W(0x60, {1, 1, 2, 3, 4, 5, 6, 7, 8, 9}), "\tTexVecPoly( m  1 2 3  4 5 6\n\t\t7 8 9\n\t)\n"},
      {W(0x3E, {2, 1, 2, 3, 32767, 0, -1, 5}), "\tPoly( m 1 2 3 1.000000   -1 5 )\n"},
      {W(0x29, {5, 1, 1, 2, 3, 4, 5, 6}), "\tVecPoints( 5\n\t\t1 2 3   4 5 6\n\t)\n"},
      {W(W(0x9A, {1, 1, 1, 2, 3, 4, 0, 0}).Bytes({0xFF, 2, 0, 0x20, 0, 8}), {1, 2, 3, -4}),
       "\tMeshWith1Tex( 1 1 1 2 3 4 -1 2 2.000000 2.000000\n\t\t1 2 \n\t\t3 -4 \n\t\t)\n"},
      {W(0x9A, {0x8000, 1, 0, 0, 0, 0, 0, 0}).Bytes({0, 0, 0, 16, 0, 4}),
       "\tMeshWith1Tex( -32768 1 0 0 0 0 0 0 1.000000 1.000000\n\t\t)\n"},
      {W(W(0xA3, {2, 1, 0, 0, 0, 0, 0, 0}).Bytes({0, 0, 0, 16, 0, 4}), {1, 2, 3, 4, 5, 6})
           .Bytes({0xA, 0xB}),
       "\tMeshWithTexList( 2 1 0 0 0 0 0 0 1.000000 1.000000\n\t\t1 2 \n\t\t3 4 \n\t\t5 6 \n\t\t"
       "\n\t\ta \n\t\tb \n\t\t)\n"},
      // Control flow.
      {W(0x1C, {0, 0xA, -1, 5, 0xB, 0, 1}),
       ":L00000100\n\tIfVarRange2( :L00000100 a -1 5  b 0 1 )\n"},
      {W(0x1B, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}),
       ":L00000100\n\tMonitorTr( :L00000100\n\t\t1 2 3\n\t\t4 5 6\n\t\t7 8 9\n"},
      {W(0x25, {0, 1, 2, 3, -32767, -1}),
       ":L00000100\n\tVectorJump( :L00000100 m 1 2 3 -1.000000 )\n"},
      {W(0x34, {0, 1, 2, 3}), ":L00000100\n\tSetScaleX( :L00000100 1 2 3 )\n"},
      {W(0x41, {0, 0x1F}), ":L00000100\n\tShadowCallVI( :L00000100 1f )\n"},
      {W(0x46, {0, 1, 2, 3, 0x4000, 0xA, 0x8000, 0xB, 0, 0xC}),
       ":L00000100\n\tTransformCall( :L00000100 1 2 3\n\t\t90.00 A  180.00 B  0.00 C )\n"},
      {W(0x5F, {0, 1, -1}), ":L00000100\n\tIfVRes( :L00000100 1 -1 )\n"},
      {W(0x74, {0, 5}), ":L00000100\n\tLayerCall( :L00000100 5 )\n"},
      {W(0x83, {0, 1, 2, 0, 2}), ":L00000100\n\tSetScale( :L00000100 1 2 0.500000 )\n"},
      {W(0x96, {0, -1}), ":L00000100\n\tI_96( :L00000100 -1 )\n"},
      {W(0x98, {0, 1, 2, 3, 4, 5, 6, -1, 0xA, 0xB}),
       ":L00000100\n\tI_98( :L00000100  1 2 3  4 5 6  FFFFFFFF A B )\n"},
      {W(0xA7, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}),
       ":L00000100\n\tRotateToAircraft( :L00000100  1 2 3  4 5 6  7 8 9 )\n"},
      // Objects.
      {Op(0x82).Bytes(position.Data()), "\tShadowPos( N45:0:0.00 E90:0:0.00 10.500000 )\n"},
      {Op(0x8C).Bytes({1, 2, 3, 4, 5, 6, 5, 0xAA, 0xBB}),
       "; SubRoutine Call from FSASMLIB.DLL\n\tDbx( 8C 0 )\n\tDbx( 1 2 3 4 5 6 )\n\tDbx( 5 )\n"
       "\tDbx( AA BB )\n"},
      {Op(0x8C).Bytes({1, 2, 3, 4, 5, 6, 2}),  // a length below its own three bytes
       "; SubRoutine Call from FSASMLIB.DLL\n\tDbx( 8C 0 )\n\tDbx( 1 2 3 4 5 6 )\n\tDbx( 2 )\n"
       "\tDbx( )\n"},
      {W(0x43, {112, 0xA, 2}).Bytes({1, 2, 3, 4}).Fill(100, 'x'),  // a name too long to keep
       "\tLoadBitmap( a 2 2 1 3 4 invalid )\n"},
      {AdvancedBuilding(7),
       "\tAdvBldg( PEAKED 1 2\n\t\tLEVEL1\t3\t4\t5\t\t6\n\t\tLEVEL2\t7\t8\t9\t10\t11\n"
       "\t\tLEVEL3\t12\t13\t14\t\t15\n\t\tROOF\t16\t\t17\t\t18\t19\t20\n\t)\n"},
      {AdvancedBuilding(9),
       "\tAdvBldg( SLOPED 1 2 3 4\n\t\tLEVEL1\t5\t6\t7\t\t8\n\t\tLEVEL2\t9\t10\t11\t12\t13\n"
       "\t\tLEVEL3\t14\t15\t16\t\t17\n\t\tROOF\t18\t\t19\t\t20\n\t)\n"},
      // Runways.
      {data,
       "\tRunwayData( N45:0:0.00 "
       "E90:0:0.00\n\t\talt\t10.50\n\t\theading\t180.01\n\t\tlength\t3000\n"
       "\t\twidth\t45\n\t\tmarkers\t1F\n\t\tid\t9R\n\t\tlights\t3D\n\t\tsurface\t4\n"
       "\t\tThrOffN\t100\n\t\tExtN\t300\n\t\tThrOffF\t200\n\t\tExtF\t400\n"
       "\t\tTHRLightsN\ta\n\t\tAprLN\t1\n\t\tStrobesN\t2\n\t\tVasiBarsN\t3\n\t\tVasiSlopeN\t2.82\n"
       "\t\tVasiSideN\t5\n\t\tVasiDistN\t-6\n\t\tVasiSpaceN\t7\n"
       "\t\tTHRLightsF\tc\n\t\tAprLF\t3\n\t\tStrobesF\t4\n\t\tVasiBarsF\t5\n\t\tVasiSlopeF\t5.63\n"
       "\t\tVasiSideF\t8\n\t\tVasiDistF\t-9\n\t\tVasiSpaceF\t10\n\t)\n"},
      {W(W(0x72, {0x4000, 45, 3000}).Bytes({0xA, 1, 2, 3}), {0x0201, -5, 6, 7}),
       "\tRunwayLights(\n\t\theading\t90.00\n\t\tlength\t3000\n\t\twidth\t45\n\t\tTHRLights\t0a\n"
       "\t\tAprL\t1\n\t\tStrobes\t2\n\t\tVasiBars\t3\n\t\tVasiSlope\t2.82\n\t\tVasiSide\t-5\n"
       "\t\tVasiDist\t6\n\t\tVasiSpace\t7\n\t\t)\n"},
      // Switch (count 2, variable 0xA, default +0xE, targets +0xC, +0) at 0x100, then Returns
      // at 0x10C and 0x10E.
      {W(0x03, {2, 0xA, 0xE, 0xC, 0, 0x22, 0x22}),
       ":L00000100\n\t;;; Switch instruction is not implemented in scasm.\n"
       "\t;;; So bgltext simulates this by IfVarRange.\n"
       "\tIfVarRange( :L0000010C A 0 0 )\n\tIfVarRange( :L00000100 A 1 1 )\n\tJump( :L0000010E "
       ")\n\n"
       ":L0000010C\n\tReturn\n:L0000010E\n\tReturn\n"},
      // PatternLine's raw dump covers just its opcode word.
      {Op(0x36), ";;; PatternLine(0x36) - SCASM does not support this record\n\tDbx( 36 0 )\n"},
  };
  for (const auto& [bytes, text] : cases) EXPECT_EQ(DecodeRecords(bytes.Data()), text);
}

TEST(LibraryObjects, NameLongerThanItsAreaIsWrittenWhole) {
  BglBuilder b;
  uint32_t s = b.BeginSection(10);
  b.Body().U32(0x18).U32(0).U32(0).U32(0).U32(0).U32(0);
  b.Body().Fill(s + 0x18 - b.Here());
  std::string name(150, 'n');
  b.Body().Fill(16).U8(1).U32(41 + 151).U32(41 + 151).U32(1).U32(0x20000).U32(0).U32(0).TextZ(name);
  auto r = RunBgl(b.Build(), MultiOptions());
  EXPECT_EQ(MultiText(r, "bgt10.sca"),
            "ObjID( 00000000 00000000 00000000 00000000 )\n"
            "LibObj( PWR 1 SIZE 1 SCALE 0.500000 TYPE 0x0 PROP 0 NAME \"" +
                name + "\" )\nEndObj\n\n\n");
}

TEST(ProceduralRecords, DescriptionLettersDirectly) {
  // U makes the next B or W unsigned; s reads without writing.
  constexpr bgltext::OpcodeRow row{0x05, "Probe", bgltext::OperandDescription,
                                   bgltext::Operands("UBBUWWBsWsLs")};
  auto r = RunHandler(row, W(Op(0x05).Bytes({0xFF, 0xFF}), {-1, -1}).U8(1).U16(2).U32(3).Data());
  EXPECT_EQ(r.text, "\tProbe( 255 -1 65535 -1 )\n");
  EXPECT_EQ(r.fatalStatus, -2);
}

TEST(ProceduralRecords, TableHasARowForEveryKnownOpcode) {
  const std::vector<int> unknown = {0x00, 0x7B, 0x85, 0x86, 0x91, 0x94, 0x9B,
                                    0x9C, 0x9D, 0x9E, 0xA2, 0xA4, 0xA6, 0xAB};
  int rows = 0;
  for (int op = 0; op < 256; ++op) {
    bool expectRow = op <= 0xAC && std::find(unknown.begin(), unknown.end(), op) == unknown.end();
    EXPECT_EQ(bgltext::ProceduralTable().Find(static_cast<uint8_t>(op)) != nullptr, expectRow)
        << op;
    rows += expectRow;
  }
  EXPECT_EQ(rows, 159);
  EXPECT_EQ(DecodeRecords({0x7B, 0xAD}),
            ";;; unknown record id: 0x7b\n;;; unknown record id: 0xad\n");
}

}  // namespace
}  // namespace bgltest
