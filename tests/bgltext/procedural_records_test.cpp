// Procedural scenery records, one case per handler family and table row
// kind: the record's bytes beside the text it must give. Every record sits
// at offset 0x100 inside a section 9 area; jumps in these cases point at
// the record itself, so its label line stands in front of it.
#include <gtest/gtest.h>

#include <algorithm>

#include "bgltext/procedural_handlers.h"

#include "tests/bgltext/run_helpers.h"
#include "tests/bgltext/scenery_program_writer.h"

namespace bgltest {
namespace {

struct Case {
  const char* what;
  std::vector<uint8_t> bytes;
  const char* text;
};

std::string DecodeRecords(const std::vector<uint8_t>& records, bgltext::RunOptions options = {}) {
  auto r = RunBgl(ProceduralImage(records), options);
  EXPECT_EQ(r.status, 0) << r.console;
  return Between(SingleText(r), kProceduralAreaLine, "EndA\n\n;;;;; End of LatRange\n");
}

void ExpectCases(const std::vector<Case>& cases) {
  for (const Case& c : cases) EXPECT_EQ(DecodeRecords(c.bytes), c.text) << c.what;
}

std::vector<uint8_t> Name12(const std::string& name, const std::string& ext) {
  std::string n = name, e = ext;
  n.resize(8, ' ');
  e.resize(4, ' ');
  return ByteWriter().Text(n).Text(e).Data();
}

TEST(ProceduralRecords, OperandDescriptions) {
  ExpectCases({
      {"empty", Op(0x05).Data(), "\tStartSurface\n"},
      {"W signed", Op(0x17).I16(-1).Data(), "\tTextureEnable( -1 )\n"},
      {"WW", Op(0x4D).U16(1).I16(-2).Data(), "\tVar2Low64K( 1 -2 )\n"},
      {"Wx", Op(0x40).U16(0xCDAB).Data(), "\tShadowPosInd( cdab )\n"},
      {"ULx", Op(0x89).U32(0xDEADBEEF).Data(), "\tVarBase( deadbeef )\n"},
      {"Seed", Op(0x3D).U8(0x0A).U8(0xFF).U16(0x1234).U32(1).I32(-1).U16(0x9999).U16(1).I16(-1).U16(2).I16(-2).Data(),
       "\tSeed( a ff 1234 1 -1 1 -1 2 -2 )\n"},
      {"j first", Op(0x4A).I16(0).U16(0xABCD).U16(1).U16(2).I16(-3).Data(),
       ":L00000100\n\tLandingLights( :L00000100 abcd 1 2 -3 )\n"},
      {"J last", Op(0xA1).U16(1).U16(2).I32(0).Data(), ":L00000100\n\tRegisterBitmapClass( 1 2 :L00000100 )\n"},
  });
}

TEST(ProceduralRecords, DescriptionLettersDirectly) {
  // U makes the next B or W unsigned; s reads without writing.
  bgltext::OpcodeRow row{0x05, "Probe", bgltext::OperandDescription, "UBBUWWBsWsLs"};
  auto r = RunHandler(row, ByteWriter().U8(0x05).U8(0).U8(0xFF).U8(0xFF).U16(0xFFFF).U16(0xFFFF).U8(1).U16(2).U32(3).Data());
  EXPECT_EQ(r.text, "\tProbe( 255 -1 65535 -1 )\n");
  EXPECT_EQ(r.fatalStatus, -2);

  bgltext::OpcodeRow bad{0x05, "Probe", bgltext::OperandDescription, "WQ"};
  r = RunHandler(bad, ByteWriter().U8(0x05).U8(0).U16(7).U16(8).Data());
  EXPECT_EQ(r.console, "AnaGen: Internal error\n");
  EXPECT_EQ(r.fatalStatus, 1);
}

TEST(ProceduralRecords, FixedShapes) {
  ExpectCases({
      {"Forever", Op(0x01).Data(), ";;; Forever (Infinite loop)\n"},
      {"Nop", Op(0x02).Data(), ";;; Nop \n"},
      {"NopBX", ByteWriter().U8(0x04).U8(0x7F).Data(), ";;; NopBX\n\tDbx( 4 7F )\n"},
      {"point", Op(0x0A).U16(1).I16(-2).U16(3).U16(0x9999).Data(), "\tMoveTo( 1 -2 3 )\n"},
      {"three values", Op(0x37).U16(1).U16(2).I16(-1).Data(), "\tDot( 1 2 -1 )\n"},
      {"define point", Op(0x0E).U16(0xFFFF).I16(-1).U16(2).U16(3).Data(), "\tDefPoint( 65535 -1 2 3 )\n"},
      {"point number", Op(0x0F).U16(5).Data(), "\tMoveToPt( 5 )\n"},
      {"DefPPoint", Op(0x11).U16(1).U16(2).I16(-3).U16(4).U16(5).Data(),
       "\t;;; DefPPoint instruction is not supported by SCASM.\n\t;;; DefPPoint 1 2 -3 4 5\n"
       "\tDbx( 11 0 )\tDbw( 1 2 -3 4 5 )\n"},
      {"MoveToPPt", Op(0x12).U16(7).Data(),
       "\t;;; MoveToPPt instruction isnot supported by SCASM.\n\t;;; MoveToPPt 7\n\tDbx( 12 0 )\tDbw( 7 )\n"},
      {"set variable", Op(0x16).U16(0xAB).I16(-1).Data(), "\tSetVar( AB -1 )\n"},
      {"colour pair", Op(0x51).U8(0x0A).U8(0xF0).Data(), "\tLineColor( 0A F0 )\n"},
      {"RGB", Op(0x2D).U8(0x0F).U8(16).U8(32).U8(48).Data(), "\tRGBSColor( 0F 16 32 48 )\n"},
      {"load colour", Op(0x65).U16(0xBEEF).Data(), "\tLoadSurfaceColor( BEEF )\n"},
      {"brightness full", Op(0x30).U16(32767).Data(), "\tBrightness( 100 )\n"},
      {"brightness rounds", Op(0x30).U16(16384).Data(), "\tBrightness( 50 )\n"},
      {"AutoPoints", Op(0x31).U16(1).U16(2).U16(3).U16(4).U16(5).U16(6).U16(7).U16(8).Data(),
       "\tAutoPoints( 1 2  3 4 5  6 7 8 )\n"},
      {"DotLine", Op(0x45).U16(1).U16(2).U16(3).U16(4).U16(5).U16(6).U16(7).Data(), "\tDotLine( 1 2 3  4 5 6  7 )\n"},
      {"BigDot", Op(0x28).U16(1).U16(2).U16(3).I16(-1).Data(), "\tBigDot( 1 2 3 -1 )\n"},
      {"RoadStart", Op(0x69).U16(1).U16(2).U16(3).U16(4).Data(), "\tRoadStart( 1  2 3 4 )\n"},
      {"RRStart", Op(0xA8).U16(1).U16(2).U16(3).U16(4).I16(-5).Data(), "\tRRStart( 1 2 3 4 -5 )\n"},
      {"I_95", Op(0x95).U16(1).U16(2).U16(3).Data(), "\tI_95( 1 2 3 )\n"},
      {"Building", Op(0x49).U16(0x1A).U16(0x2B).U16(3).U16(4).U16(5).U16(6).U16(7).U16(8).Data(),
       "\tBuilding( 3 4 5  6 7 8  1A 2B )\n"},
      {"Weather", Op(0x57).U16(0xAB).U16(0x4000).U16(1).U16(2).Data(), "\tWeather( AB 90.00 1 2 )\n"},
      {"MoveTexture", Op(0x58).I32(256).I32(-256).I32(128).I32(0).Data(),
       "\tMoveTexture( 1.000000 -1.000000 0.500000 0.000000 )\n"},
  });
}

TEST(ProceduralRecords, Drawing) {
  ExpectCases({
      {"TexRelief", Op(0x15).U16(1).U16(0).U16(1).U16(2).U16(3).U16(4).U16(0).U16(0)
                        .U8(5).U8(6).I16(-1).U8(7).U8(8).U16(9).Data(),
       "\tTexRelief( 1 0 1 2 3 4\n\t\t5 6 -1\n\n\t\t7 8 9\n\n\t)\n"},
      {"Bitmap", ByteWriter(Op(0x18).U16(1).U16(2).U16(3).U16(4)).Bytes(Name12("RUNWAY", "BMP")).U16(0).Data(),
       "\tBitmap( RUNWAY.BMP 1 2 3 4 )\n"},
      {"Bitmap without extension", ByteWriter(Op(0x18).U16(1).U16(2).U16(3).U16(4)).Bytes(Name12("RUNWAY", "")).U16(0).Data(),
       "\tBitmap( RUNWAY 1 2 3 4 )\n"},
      {"Palette", ByteWriter(Op(0x19)).Bytes(Name12("PAL", "")).U16(0).Data(), "\tPalette( PAL )\n"},
      {"Points", Op(0x1A).U16(3).U16(2).U16(1).U16(2).U16(3).I16(-1).I16(-2).I16(-3).Data(),
       "\tPoints( 3\n\t\t1 2 3\n\t\t-1 -2 -3\n\t)\n"},
      {"VecPoly", Op(0x1D).U16(2).U16(1).U16(2).U16(3).U16(4).U16(5).U16(6).U16(7).U16(8).Data(),
       "\tVecPoly( m  1 2 3  4 5 6\n\t\t7 8 )\n"},
      {"TexVecPoly", Op(0x60).U16(1).U16(1).U16(2).U16(3).U16(4).U16(5).U16(6).U16(7).U16(8).U16(9).Data(),
       "\tTexVecPoly( m  1 2 3  4 5 6\n\t\t7 8 9\n\t)\n"},
      {"TexPoly", Op(0x20).U16(2).U16(1).U16(2).U16(3).U32(0x4000).U16(4).U16(5).U16(6).U16(7).U16(8).U16(9).Data(),
       "\tTexPoly( m 1 2 3 0.50\t\t4 5 6\n\t\t7 8 9\n\t)\n"},
      {"Poly", Op(0x3E).U16(2).U16(1).U16(2).U16(3).U32(32767).I16(-1).U16(5).Data(),
       "\tPoly( m 1 2 3 1.000000   -1 5 )\n"},
      {"PolyM", Op(0x90).U16(2).U16(1).U16(2).U16(3).U32(0).U16(0).U8(0x81).U8(5).Data(),
       "\tPolyM( m 1 2 3 0.000000   -1 5 )\n"},
      {"VecPoints", Op(0x29).U16(5).U16(1).U16(1).U16(2).U16(3).U16(4).U16(5).U16(6).Data(),
       "\tVecPoints( 5\n\t\t1 2 3   4 5 6\n\t)\n"},
      {"MeshWith1Tex", Op(0x9A).U16(1).U16(1).U16(1).U16(2).U16(3).U16(4).U16(0).U16(0)
                           .U8(0xFF).U8(2).U8(0).U8(0x20).U8(0).U8(8).U16(1).U16(2).U16(3).I16(-4).Data(),
       "\tMeshWith1Tex( 1 1 1 2 3 4 -1 2 2.000000 2.000000\n\t\t1 2 \n\t\t3 -4 \n\t\t)\n"},
      {"MeshWith1Tex without grid", Op(0x9A).U16(0x8000).U16(1).Fill(8).Fill(4).U8(0).U8(0).U8(0).U8(16).U8(0).U8(4).Data(),
       "\tMeshWith1Tex( -32768 1 0 0 0 0 0 0 1.000000 1.000000\n\t\t)\n"},
      {"MeshWithTexList", Op(0xA3).U16(2).U16(1).Fill(8).Fill(4).U8(0).U8(0).U8(0).U8(16).U8(0).U8(4)
                              .U16(1).U16(2).U16(3).U16(4).U16(5).U16(6).U8(0xA).U8(0xB).Data(),
       "\tMeshWithTexList( 2 1 0 0 0 0 0 0 1.000000 1.000000\n\t\t1 2 \n\t\t3 4 \n\t\t5 6 \n\t\t"
       "\n\t\ta \n\t\tb \n\t\t)\n"},
  });
}

TEST(ProceduralRecords, ControlFlow) {
  ExpectCases({
      {"IfVarRange2", Op(0x1C).U16(0).U16(0xA).I16(-1).U16(5).U16(0xB).U16(0).U16(1).Data(),
       ":L00000100\n\tIfVarRange2( :L00000100 a -1 5  b 0 1 )\n"},
      {"IfVarRange3", Op(0x21).U16(0).U16(0xA).U16(1).U16(2).U16(0xB).U16(3).U16(4).U16(0xC).U16(5).U16(6).Data(),
       ":L00000100\n;;; IfVarRange3\n\tDbx( 21 0 )\n\tDwd( 0 )\t; :L00000100\n"
       "\tDwx( a )\t; var1\n\tDwd( 1 2 )\t; min1, max1\n\tDwx( b )\t; var2\n\tDwd( 3 4 )\t; min2, max2\n"
       "\tDwx( c )\t; var3\n\tDwd( 5 6 )\t; min3, max3\n"},
      {"MonitorTr", Op(0x1B).U16(0).U16(1).U16(2).U16(3).U16(4).U16(5).U16(6).U16(7).U16(8).U16(9).Data(),
       ":L00000100\n\tMonitorTr( :L00000100\n\t\t1 2 3\n\t\t4 5 6\n\t\t7 8 9\n"},
      {"IfVarRange", Op(0x24).U16(0).U16(0xA).U16(1).U16(0xFFFF).Data(),
       ":L00000100\n\tIfVarRange( :L00000100 A 1 65535 )\n"},
      {"RotatedCall", Op(0x33).U16(0).U16(0x4000).U16(0x8000).U16(0).Data(),
       ":L00000100\n\tRotatedCall( :L00000100 90.00 180.00 0.00 )\n"},
      {"IfVarAnd", Op(0x39).U16(0).U16(0xA).U16(0xFF).Data(), ":L00000100\n\tIfVarAnd( :L00000100 A FF )\n"},
      {"CallAsm", Op(0x54).U16(0).U16(0xB).Data(), ":L00000100\n\tCallAsm( :L00000100 B )\n"},
      {"SenseBorder", Op(0x70).U16(0).U16(2).U16(1).I16(-1).U16(2).I16(-2).Data(),
       ":L00000100\n\tSenseBorder( :L00000100\n\t\t1 -1\n\t\t2 -2\n\t)\n"},
      {"VectorJump", Op(0x25).U16(0).U16(1).U16(2).U16(3).I32(-32767).Data(),
       ":L00000100\n\tVectorJump( :L00000100 m 1 2 3 -1.000000 )\n"},
      {"SetScaleX", Op(0x34).U16(0).U16(1).U16(2).U16(3).Data(), ":L00000100\n\tSetScaleX( :L00000100 1 2 3 )\n"},
      {"PitchCall", Op(0x3B).U16(0).I16(-1).Data(), ":L00000100\n\tPitchCall( :L00000100 ffffffff  )\n"},
      {"ShadowCallVI", Op(0x41).U16(0).U16(0x1F).Data(), ":L00000100\n\tShadowCallVI( :L00000100 1f )\n"},
      {"TransformCall", Op(0x46).U16(0).U16(1).U16(2).U16(3).U16(0x4000).U16(0xA).U16(0x8000).U16(0xB).U16(0).U16(0xC).Data(),
       ":L00000100\n\tTransformCall( :L00000100 1 2 3\n\t\t90.00 A  180.00 B  0.00 C )\n"},
      {"IfVRes", Op(0x5F).U16(0).U16(1).I16(-1).Data(), ":L00000100\n\tIfVRes( :L00000100 1 -1 )\n"},
      {"Monitor3D", Op(0x73).U16(0).U16(1).U16(2).U16(3).U16(4).U16(5).U16(6).Data(),
       ":L00000100\n\tMonitor3D( :L00000100 1 2  3 4  5 6 )\n"},
      {"LayerCall", Op(0x74).U16(0).U16(5).Data(), ":L00000100\n\tLayerCall( :L00000100 5 )\n"},
      {"MonitorPt", Op(0x62).U16(0).U16(2).U16(1).U16(2).Data(), ":L00000100\n\tMonitorPt( :L00000100\n\t\t1 2 )\n"},
      {"SetScale", Op(0x83).U16(0).U16(1).U16(2).U32(0x20000).Data(),
       ":L00000100\n\tSetScale( :L00000100 1 2 0.500000 )\n"},
      {"I_96", Op(0x96).U16(0).I16(-1).Data(), ":L00000100\n\tI_96( :L00000100 -1 )\n"},
      {"I_98", Op(0x98).U16(0).U16(1).U16(2).U16(3).U16(4).U16(5).U16(6).I16(-1).U16(0xA).U16(0xB).Data(),
       ":L00000100\n\tI_98( :L00000100  1 2 3  4 5 6  FFFFFFFF A B )\n"},
      {"RotateToAircraft", Op(0xA7).U16(0).U16(1).U16(2).U16(3).U16(4).U16(5).U16(6).U16(7).U16(8).U16(9).Data(),
       ":L00000100\n\tRotateToAircraft( :L00000100  1 2 3  4 5 6  7 8 9 )\n"},
      {"EnumBitmaps", Op(0x64).U16(0).U16(2).U16(1).I16(-1).Data(), ":L00000100\n\tEnumBitmaps( :L00000100 1 -1 )\n"},
  });
}

TEST(ProceduralRecords, Objects) {
  ByteWriter position;
  position.U16(0).I32(Lat32Raw(45)).U16(0).U32(Lon32Raw(90)).U16(0x8000).I32(10);
  ExpectCases({
      {"RefPoints", ByteWriter(Op(0x2F).U16(0).U16(1).U16(2).U16(0).U32(0x10000)).Bytes(position.Data()).Data(),
       ":L00000100\n\tRefPoint( 2 :L00000100 1.000000 N45:0:0.00 E90:0:0.00 E= 10.500000 v1= 1 v2= 2 )\n"},
      {"RefPoint 77, scale 0", ByteWriter(Op(0x77).U16(0).U16(1).U16(2).U16(0).U32(0)).Bytes(position.Data()).Data(),
       ":L00000100\n\tRefPoint( 7 :L00000100 65536.000000 N45:0:0.00 E90:0:0.00 v1= 1 v2= 2 )\n"},
      {"RefPoint indirect", Op(0x4C).U16(0).U16(1).U16(2).U16(0).U32(0x20000).U16(0x1F).Data(),
       ":L00000100\n\tRefPoint( ind :L00000100 0.500000 1f v1= 1 v2= 2 )\n"},
      {"ShadowPos", ByteWriter(Op(0x82)).Bytes(position.Data()).Data(),
       "\tShadowPos( N45:0:0.00 E90:0:0.00 10.500000 )\n"},
      {"CallLibObj", Op(0x63).U16(5).U32(0x11111111).U32(0x22222222).U32(0x33333333).U32(0x44444444).Data(),
       "\tCallLibObj( 5 11111111 22222222 33333333 44444444 )\n"},
      {"CallDll", Op(0x8C).Bytes({1, 2, 3, 4, 5, 6}).U8(5).U8(0xAA).U8(0xBB).Data(),
       "; SubRoutine Call from FSASMLIB.DLL\n\tDbx( 8C 0 )\n\tDbx( 1 2 3 4 5 6 )\n\tDbx( 5 )\n\tDbx( AA BB )\n"},
      {"CallDll short length", Op(0x8C).Bytes({1, 2, 3, 4, 5, 6}).U8(2).Data(),
       "; SubRoutine Call from FSASMLIB.DLL\n\tDbx( 8C 0 )\n\tDbx( 1 2 3 4 5 6 )\n\tDbx( 2 )\n\tDbx( )\n"},
      {"LoadBitmap", Op(0x43).U16(16).U16(0xA).U16(0xB9).U8(1).U8(2).U8(3).U8(4).Text("AB").U16(0).Data(),
       "\tLoadBitmap( a LWFS1 2 1 3 4 AB )\n"},
      {"LoadBitmap long name", Op(0x43).U16(112).U16(0xA).U16(0x02).U8(1).U8(2).U8(3).U8(4).Fill(100, 'x').Data(),
       "\tLoadBitmap( a 2 2 1 3 4 invalid )\n"},
  });
}

TEST(ProceduralRecords, AdvancedBuildings) {
  auto words = [](uint8_t kind, int count) {
    ByteWriter w = Op(0xA0);
    w.U16(0).U16(kind);
    for (int i = 1; i <= count; ++i) w.U16(i);
    return w.Data();
  };
  ExpectCases({
      {"NORMAL", words(4, 18),
       "\tAdvBldg( NORMAL 1 2\n\t\tLEVEL1\t3\t4\t5\t\t6\n\t\tLEVEL2\t7\t8\t9\t10\t11\n"
       "\t\tLEVEL3\t12\t13\t14\t\t15\n\t\tROOF\t16\t\t17\t\t18\n\t)\n"},
      {"PEAKED", words(7, 20),
       "\tAdvBldg( PEAKED 1 2\n\t\tLEVEL1\t3\t4\t5\t\t6\n\t\tLEVEL2\t7\t8\t9\t10\t11\n"
       "\t\tLEVEL3\t12\t13\t14\t\t15\n\t\tROOF\t16\t\t17\t\t18\t19\t20\n\t)\n"},
      {"SLOPED", words(9, 20),
       "\tAdvBldg( SLOPED 1 2 3 4\n\t\tLEVEL1\t5\t6\t7\t\t8\n\t\tLEVEL2\t9\t10\t11\t12\t13\n"
       "\t\tLEVEL3\t14\t15\t16\t\t17\n\t\tROOF\t18\t\t19\t\t20\n\t)\n"},
      {"POLY", words(11, 17),
       "\tAdvBldg( POLY 1 2 3\n\t\tLEVEL1\t4\t5\n\t\tLEVEL2\t7\t8\t9\t\t10\n"
       "\t\tLEVEL3\t11\t12\t13\n\t\tROOF\t14\t15\t16\t\t17\n\t)\n"},
      {"unknown kind", Op(0xA0).U16(8).U16(5).U8(0xAB).U8(1).Data(), "\tAdvBldg( UNKNOWN[5]\nAB 1 )\n"},
  });
}

TEST(ProceduralRecords, Runways) {
  ByteWriter position;
  position.U16(0).I32(Lat32Raw(45)).U16(0).U32(Lon32Raw(90)).U16(0x8000).I32(10);
  ByteWriter runway = Op(0xAA);
  runway.U16(0).U8(0).Bytes(position.Data()).U16(0x4001).U16(3000).U16(45).U8(0x1F).U8(0x2E).U8(4).U8(0x3D);
  runway.U8(0x49);
  runway.U16(0).U16(100).U16(0).U16(200).U16(0).U16(300).U16(0).U16(400).U16(0);  // ThrOffN, ThrOffF, ExtN, ExtF
  runway.U8(0xA).U8(1).U8(2).U8(0xB).U16(0x0201).I16(-5).U16(6).U16(7).U16(0);
  runway.U8(0xC).U8(3).U8(4).U8(0xD).U16(0x0401).U16(8).U16(9).U16(10);
  ByteWriter data = Op(0x42);
  data.Bytes(position.Data()).U16(0x8001).U16(3000).U16(45).U8(0x1F).U8(0x89).U16(0x3D).U8(4).U8(0);
  data.U16(100).U16(300).U16(200).U16(400);
  data.U8(0xA).U8(1).U8(2).U8(3).U16(0x0201).I16(-5).U16(6).U16(7);
  data.U8(0xC).U8(3).U8(4).U8(5).U16(0x0401).U16(8).I16(-9).U16(10);
  ExpectCases({
      {"Runway", runway.Data(),
       "\tRunway( N45:0:0.00 E90:0:0.00\n\t\talt\t10.50\n\t\theading\t90.01\n\t\tlength\t3000\n\t\twidth\t45\n"
       "\t\tmarkers\t1F\n\t\tthreshold\t2E\n\t\tsurface\t4\n\t\tlights\t3D\n\t\tid\t9L\n"
       "\t\tThrOffN\t100\n\t\tExtN\t300\n\t\tThrOffF\t200\n\t\tExtF\t400\n"
       "\t\tTHRLightsN\ta\n\t\tAprLN\t1\n\t\tStrobesN\t2\n\t\tVasiTypeN\tb\n\t\tVasiSlopeN\t2.82\n"
       "\t\tVasiSideN\t65531\n\t\tVasiDistN\t6\n\t\tVasiSpaceN\t7\n"
       "\t\tTHRLightsF\tc\n\t\tAprLF\t3\n\t\tStrobesF\t4\n\t\tVasiTypeF\td\n\t\tVasiSlopeF\t5.63\n"
       "\t\tVasiSideF\t8\n\t\tVasiDistF\t9\n\t\tVasiSpaceF\t10\n\t)\n"},
      {"RunwayData", data.Data(),
       "\tRunwayData( N45:0:0.00 E90:0:0.00\n\t\talt\t10.50\n\t\theading\t180.01\n\t\tlength\t3000\n\t\twidth\t45\n"
       "\t\tmarkers\t1F\n\t\tid\t9R\n\t\tlights\t3D\n\t\tsurface\t4\n"
       "\t\tThrOffN\t100\n\t\tExtN\t300\n\t\tThrOffF\t200\n\t\tExtF\t400\n"
       "\t\tTHRLightsN\ta\n\t\tAprLN\t1\n\t\tStrobesN\t2\n\t\tVasiBarsN\t3\n\t\tVasiSlopeN\t2.82\n"
       "\t\tVasiSideN\t5\n\t\tVasiDistN\t-6\n\t\tVasiSpaceN\t7\n"
       "\t\tTHRLightsF\tc\n\t\tAprLF\t3\n\t\tStrobesF\t4\n\t\tVasiBarsF\t5\n\t\tVasiSlopeF\t5.63\n"
       "\t\tVasiSideF\t8\n\t\tVasiDistF\t-9\n\t\tVasiSpaceF\t10\n\t)\n"},
      {"RunwayLights", Op(0x72).U16(0x4000).U16(45).U16(3000).U8(0xA).U8(1).U8(2).U8(3).U16(0x0201).I16(-5).U16(6).U16(7).Data(),
       "\tRunwayLights(\n\t\theading\t90.00\n\t\tlength\t3000\n\t\twidth\t45\n\t\tTHRLights\t0a\n\t\tAprL\t1\n"
       "\t\tStrobes\t2\n\t\tVasiBars\t3\n\t\tVasiSlope\t2.82\n\t\tVasiSide\t-5\n\t\tVasiDist\t6\n\t\tVasiSpace\t7\n\t\t)\n"},
  });
}

TEST(ProceduralRecords, RawDumpsAndLibraryCallLayouts) {
  ExpectCases({
      {"raw 4", Op(0x1F).U8(0xAB).U8(0xCD).Data(),
       ";;; Set19B2(0x1f) - SCASM does not support this record\n\tDbx( 1F 0 AB CD )\n"},
      {"PatternLine covers its opcode word", Op(0x36).Data(),
       ";;; PatternLine(0x36) - SCASM does not support this record\n\tDbx( 36 0 )\n"},
      {"FILE_MARKER_32", Op(0x8D).U32(0x04030201).Data(),
       ";;; FILE_MARKER_32(0x8d) - SCASM does not support this record\n\tDbx( 8D 0 1 2 3 4 )\n"},
      {"VFILE_MARKER", Op(0x8E).I16(-1).Data(),
       ";;; VFILE_MARKER(0x8e) - SCASM does not support this record\n\tDbx( 8E 0 FF FF )\n"},
  });
  bgltext::RunOptions fs98;
  fs98.fs98Library = true;
  EXPECT_EQ(DecodeRecords(Op(0x63).U32(1).U32(2).U32(0xA).U32(0xFFFFFFFF).Data(), fs98),
            "\tCallLibObj1( 1 2 A FFFFFFFF )\n");
}

TEST(ProceduralRecords, TableHasARowForEveryKnownOpcode) {
  const std::vector<int> unknown = {0x00, 0x7B, 0x85, 0x86, 0x91, 0x94, 0x9B, 0x9C, 0x9D, 0x9E, 0xA2, 0xA4, 0xA6, 0xAB};
  int rows = 0;
  for (int op = 0; op < 256; ++op) {
    bool expectRow = op <= 0xAC && std::find(unknown.begin(), unknown.end(), op) == unknown.end();
    EXPECT_EQ(bgltext::ProceduralTable().Find(static_cast<uint8_t>(op)) != nullptr, expectRow) << op;
    rows += expectRow;
  }
  EXPECT_EQ(rows, 159);
  EXPECT_EQ(DecodeRecords({0x7B, 0xAD}), ";;; unknown record id: 0x7b\n;;; unknown record id: 0xad\n");
}

}  // namespace
}  // namespace bgltest
