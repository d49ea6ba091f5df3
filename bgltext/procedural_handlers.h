// Handler families of the procedural scenery records (sections 9 and 10) and
// the rows that sections 15 and 16 share with them. Each handler is entered
// with the cursor just after the opcode byte; records with a 16-bit opcode
// word read and ignore its high byte first.
#pragma once

#include "bgltext/area_loop.h"

namespace bgltext {

// Operand descriptions and fixed-shape families.
void OperandDescription(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
inline constexpr RowHandler kDescribed{OperandDescription, RowArgument::Operands};
void InfiniteLoop(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void NoOperation(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void NopBx(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void PointRecord(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void ThreeValues(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void RelativeJump16(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void RelativeJump32(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void DefinePoint(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void PointNumber(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void UnsupportedPoint(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void UnsupportedPointNumber(BglRun& run, const OpcodeRow& row, uint8_t opcode,
                            uint32_t recordStart);
void SetVariable(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void ColourPair(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void RgbColour(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void LoadColour(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void Brightness(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void AutoPoints(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void DotLine(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void DotValues(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void PathStart(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void RrStart(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void ThreeUnsigned(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void BuildingRecord(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void WeatherRecord(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void MoveTexture(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void SetElevation(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);

// Drawing: relief grids, bitmaps, point lists, polygons and meshes.
void TexRelief(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void BitmapFile(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void PaletteFile(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void PointList(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void VectorPolygon(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void TexturedVectorPolygon(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void TexturedPolygon(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void Polygon(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void PolyM(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void VecPoints(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void MeshWith1Tex(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void MeshWithTexList(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);

// Control flow: tests, calls and monitors with jump operands.
void IfVarRange2(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void IfVarRange3(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void MonitorTr(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void IfVarRange(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void RotatedCall(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void IfVarAnd(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void CallAsm(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void SenseBorder(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void VectorJump(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void SetScaleX(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void PitchCall(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void ShadowCallVi(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void TransformCall(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void ResolutionTest(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void Monitor3D(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void LayerCall(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void MonitorPt(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void SetScale(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void JumpWithValue(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void JumpNineHex(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void JumpNineDecimal(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void EnumBitmaps(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);

// Objects: reference points, library and DLL calls, bitmaps, buildings.
void RefPoints(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void IndirectRefPoint(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void ShadowPos(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void CallLibObj(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void CallDll(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void LoadBitmap(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void AdvBldg(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);

// Runways.
void RunwayRecord(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void RunwayData(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);
void RunwayLights(BglRun& run, const OpcodeRow& row, uint8_t opcode, uint32_t recordStart);

// The procedural table: 159 rows, and the row for an opcode (null if none).
const OpcodeIndex& ProceduralTable();

}  // namespace bgltext
