// The procedural OpcodeTable of sections 9 and 10: one row per record kind,
// {opcode, SCASM name, handler, argument}. The argument is the operand list
// of OperandDescription, the record's total length for the raw dumps, or
// none; both are checked when the program is built.
#include <new>
#include <vector>

#include "bgltext/procedural_handlers.h"
#include "bgltext/record_io.h"

namespace bgltext {
namespace {

constexpr FormatText kSwitchNoMemory = "no enough memory";

// Switch: the opcode word, a count word, the variable word, the default
// displacement word, then count displacement words.
void SwitchRecord(BglRun& run, const OpcodeRow&, uint8_t, uint32_t start) {
  BglImage& img = run.image;
  SkipHighByte(run);
  uint16_t count = img.Word();
  uint16_t variable = img.Word();
  uint32_t defaultTarget = start + static_cast<uint32_t>(img.SWord());
  std::vector<uint32_t> targets;
  try {
    targets.reserve(count);
  } catch (const std::bad_alloc&) {
    Fatal<kSwitchNoMemory>(run, 1);
  }
  for (uint16_t i = 0; i < count; ++i)
    targets.push_back(start + static_cast<uint32_t>(img.SWord()));
  WriteSwitchRecord(run, variable, defaultTarget, targets);
}

constexpr RowHandler Raw = kRawProcedural;
constexpr RowHandler Desc = kDescribed;

// clang-format off
constexpr OpcodeRow kRows[] = {
  // opcode  name                    handler                  argument
  {0x01, "Forever",               InfiniteLoop,            {}},
  {0x02, "Nop",                   NoOperation,             {}},
  {0x03, "Switch",                SwitchRecord,            {}},
  {0x04, "NopBX",                 NopBx,                   {}},
  {0x05, "StartSurface",          Desc,                    Operands("")},
  {0x06, "MoveTo",                ThreeValues,             {}},
  {0x07, "DrawTo",                ThreeValues,             {}},
  {0x08, "EndSurface",            Desc,                    Operands("")},
  {0x09, "StartDrawing",          Raw,                     RawLength(2)},
  {0x0A, "MoveTo",                PointRecord,             {}},
  {0x0B, "DrawTo",                PointRecord,             {}},
  {0x0C, "CloseDrawing",          Raw,                     RawLength(2)},
  {0x0D, "Jump",                  RelativeJump16,          {}},
  {0x0E, "DefPoint",              DefinePoint,             {}},
  {0x0F, "MoveToPt",              PointNumber,             {}},
  {0x10, "DrawToPt",              PointNumber,             {}},
  {0x11, "DefPPoint",             UnsupportedPoint,        {}},
  {0x12, "MoveToPPt",             UnsupportedPointNumber,  {}},
  {0x13, "DrawToPPt",             UnsupportedPointNumber,  {}},
  {0x14, "SurfaceColer",          ColourPair,              {}},  // spelt so in every listing users have
  {0x15, "TexRelief",             TexRelief,               {}},
  {0x16, "SetVar",                SetVariable,             {}},
  {0x17, "TextureEnable",         Desc,                    Operands("W")},
  {0x18, "Bitmap",                BitmapFile,              {}},
  {0x19, "Palette",               PaletteFile,             {}},
  {0x1A, "Points",                PointList,               {}},
  {0x1B, "MonitorTr",             MonitorTr,               {}},
  {0x1C, "IfVarRange2",           IfVarRange2,             {}},
  {0x1D, "VecPoly",               VectorPolygon,           {}},
  {0x1E, "BitmapMode",            Desc,                    Operands("W")},
  {0x1F, "Set19B2",               Raw,                     RawLength(4)},
  {0x20, "TexPoly",               TexturedPolygon,         {}},
  {0x21, "IfVarRange3",           IfVarRange3,             {}},
  {0x22, "Return",                Desc,                    Operands("")},
  {0x23, "Call",                  RelativeJump16,          {}},
  {0x24, "IfVarRange",            IfVarRange,              {}},
  {0x25, "VectorJump",            VectorJump,              {}},
  {0x26, "SetVar",                SetVariable,             {}},
  {0x27, "TexWindow",             Polygon,                 {}},
  {0x28, "BigDot",                DotValues,               {}},
  {0x29, "VecPoints",             VecPoints,               {}},
  {0x2A, "ShadedPoly",            Polygon,                 {}},
  {0x2B, "PerspectiveCall32",     RelativeJump32,          {}},
  {0x2C, "VectorJump",            VectorJump,              {}},
  {0x2D, "RGBSColor",             RgbColour,               {}},
  {0x2E, "RGBLColor",             RgbColour,               {}},
  {0x2F, "RefPoints",             RefPoints,               {}},
  {0x30, "Brightness",            Brightness,              {}},
  {0x31, "AutoPoints",            AutoPoints,              {}},
  {0x32, "PerspectiveCall",       RelativeJump16,          {}},
  {0x33, "RotatedCall",           RotatedCall,             {}},
  {0x34, "SetScaleX",             SetScaleX,               {}},
  {0x35, "DotLine",               DotLine,                 {}},
  // Every record starts with its 16-bit opcode word, so PatternLine's dump
  // covers both of its bytes.
  {0x36, "PatternLine",           Raw,                     RawLength(2)},
  {0x37, "Dot",                   ThreeValues,             {}},
  {0x38, "ConcavePoly",           Desc,                    Operands("")},
  {0x39, "IfVarAnd",              IfVarAnd,                {}},
  {0x3A, "CondNSRefPointInd",     Raw,                     RawLength(12)},
  {0x3B, "PitchCall",             PitchCall,               {}},
  {0x3C, "CondNSRefPoint",        Raw,                     RawLength(28)},
  {0x3D, "Seed",                  Desc,                    Operands("BxBxWxLLWsWWWW")},
  {0x3E, "Poly",                  Polygon,                 {}},
  {0x3F, "ShadowCall",            RelativeJump16,          {}},
  {0x40, "ShadowPosInd",          Desc,                    Operands("Wx")},
  {0x41, "ShadowCallVI",          ShadowCallVi,            {}},
  {0x42, "RunwayData",            RunwayData,              {}},
  {0x43, "LoadBitmap",            LoadBitmap,              {}},
  {0x44, "RunwayData",            RunwayData,              {}},
  {0x45, "DotLine",               DotLine,                 {}},
  {0x46, "TransformCall",         TransformCall,           {}},
  {0x47, "Rec47",                 Raw,                     RawLength(4)},
  {0x48, "VarSeg",                Desc,                    Operands("Wx")},
  {0x49, "Building",              BuildingRecord,          {}},
  {0x4A, "LandingLights",         Desc,                    Operands("jWxWWW")},
  {0x4B, "Rec4B",                 Raw,                     RawLength(4)},
  {0x4C, "RefPoint",              IndirectRefPoint,        {}},
  {0x4D, "Var2Low64K",            Desc,                    Operands("WW")},
  {0x4E, "Low64K2Var",            Desc,                    Operands("WW")},
  {0x4F, "EquVar",                Raw,                     RawLength(6)},
  {0x50, "ShadedColor",           ColourPair,              {}},
  {0x51, "LineColor",             ColourPair,              {}},
  {0x52, "SurfaceColor",          ColourPair,              {}},
  {0x53, "Color53",               Raw,                     RawLength(4)},
  {0x54, "CallAsm",               CallAsm,                 {}},
  {0x55, "SurfaceType",           DotValues,               {}},
  {0x56, "SetWeather",            RelativeJump16,          {}},
  {0x57, "Weather",               WeatherRecord,           {}},
  {0x58, "MoveTexture",           MoveTexture,             {}},
  {0x59, "VarSegId",              Desc,                    Operands("")},
  {0x5A, "SeedAddObj",            RelativeJump16,          {}},
  {0x5B, "CallInd",               Desc,                    Operands("Wx")},
  {0x5C, "FarCall",               Raw,                     RawLength(6)},
  {0x5D, "RepeatBitmap",          ThreeValues,             {}},
  {0x5E, "Rec5E",                 Raw,                     RawLength(4)},
  {0x5F, "IfVRes",                ResolutionTest,          {}},
  {0x60, "TexVecPoly",            TexturedVectorPolygon,   {}},
  {0x61, "Nop6",                  Raw,                     RawLength(6)},
  {0x62, "MonitorPt",             MonitorPt,               {}},
  {0x63, "CallLibObj",            CallLibObj,              {}},
  {0x64, "EnumBitmaps",           EnumBitmaps,             {}},
  {0x65, "LoadSurfaceColor",      LoadColour,              {}},
  {0x66, "LoadShadedColor",       LoadColour,              {}},
  {0x67, "LoadLineColor",         LoadColour,              {}},
  {0x68, "TexPolyShading",        ThreeValues,             {}},
  {0x69, "RoadStart",             PathStart,               {}},
  {0x6A, "RoadCont",              ThreeValues,             {}},
  {0x6B, "RiverStart",            PathStart,               {}},
  {0x6C, "RiverCont",             ThreeValues,             {}},
  {0x6D, "IfHRes",                ResolutionTest,          {}},
  {0x6E, "TaxiwayStart",          PathStart,               {}},
  {0x6F, "TaxiwayCont",           ThreeValues,             {}},
  {0x70, "SenseBorder",           SenseBorder,             {}},
  {0x71, "Rec71",                 Raw,                     RawLength(4)},
  {0x72, "RunwayLights",          RunwayLights,            {}},
  {0x73, "Monitor3D",             Monitor3D,               {}},
  {0x74, "LayerCall",             LayerCall,               {}},
  {0x75, "AddMountain",           RelativeJump16,          {}},
  {0x76, "Perspective",           Desc,                    Operands("")},
  {0x77, "RefPoint",              RefPoints,               {}},
  {0x78, "HighwayWLineTo",        Raw,                     RawLength(10)},
  {0x79, "HighwayWLineTo79",      Raw,                     RawLength(10)},
  {0x7A, "ShadedTexPoly",         TexturedPolygon,         {}},
  {0x7C, "Error7C",               Raw,                     RawLength(2)},
  {0x7D, "POverride",             Desc,                    Operands("")},
  {0x7E, "SetVar7E",              SetVariable,             {}},
  {0x7F, "City",                  Desc,                    Operands("")},
  {0x80, "DotPt",                 Desc,                    Operands("W")},
  {0x81, "Smoothing",             Desc,                    Operands("W")},
  {0x82, "ShadowPos",             ShadowPos,               {}},
  {0x83, "SetScale",              SetScale,                {}},
  {0x84, "SurfaceNormal",         Raw,                     RawLength(10)},
  {0x87, "CustomColors",          Desc,                    Operands("W")},
  {0x88, "Jump32",                RelativeJump32,          {}},
  {0x89, "VarBase",               Desc,                    Operands("ULx")},
  {0x8A, "Call32",                RelativeJump32,          {}},
  {0x8B, "LayerCall32",           RelativeJump32,          {}},
  {0x8C, "CallDll",               CallDll,                 {}},
  // The file markers: the opcode word with a dword, and the opcode word
  // with one signed word.
  {0x8D, "FILE_MARKER_32",        Raw,                     RawLength(6)},
  {0x8E, "VFILE_MARKER",          Raw,                     RawLength(4)},
  {0x8F, "Transparency",          Desc,                    Operands("ULx")},
  {0x90, "PolyM",                 PolyM,                   {}},
  {0x92, "MipMap",                Desc,                    Operands("W")},
  {0x93, "I_93",                  Desc,                    Operands("Wx")},
  {0x95, "I_95",                  ThreeUnsigned,           {}},
  {0x96, "I_96",                  JumpWithValue,           {}},
  {0x97, "I_97",                  Raw,                     RawLength(6)},
  {0x98, "I_98",                  JumpNineHex,             {}},
  {0x99, "SetCrashCode",          Desc,                    Operands("W")},
  {0x9A, "MeshWith1Tex",          MeshWith1Tex,            {}},
  {0x9F, "I_9F",                  Desc,                    Operands("ULx")},
  {0xA0, "AdvBldg",               AdvBldg,                 {}},
  {0xA1, "RegisterBitmapClass",   Desc,                    Operands("WWJ")},
  {0xA3, "MeshWithTexList",       MeshWithTexList,         {}},
  {0xA5, "LoadBitmapClass",       Desc,                    Operands("W")},
  {0xA7, "RotateToAircraft",      JumpNineDecimal,         {}},
  {0xA8, "RRStart",               RrStart,                 {}},
  {0xA9, "I_A9",                  Raw,                     RawLength(18)},
  {0xAA, "Runway",                RunwayRecord,            {}},
  {0xAC, "I_AC",                  Raw,                     RawLength(4)},
};
// clang-format on
static_assert(sizeof kRows / sizeof kRows[0] == 159, "one row per procedural record kind");
static_assert(ArgumentsMatch(kRows));

}  // namespace

const OpcodeIndex& ProceduralTable() {
  static const OpcodeIndex index(kRows);
  return index;
}

}  // namespace bgltext
