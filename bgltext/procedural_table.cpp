// The procedural OpcodeTable of sections 9 and 10: one row per record kind,
// {opcode, SCASM name, handler, argument}. The argument is an operand
// description for OperandDescription, the record's total length in bytes
// for the raw dumps, or null.
#include <new>
#include <vector>

#include "bgltext/procedural_handlers.h"
#include "bgltext/record_io.h"

namespace bgltext {
namespace {

constexpr char kSwitchNoMemory[] = "no enough memory";

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
    run.Fatal(1, kSwitchNoMemory);
  }
  for (uint16_t i = 0; i < count; ++i) targets.push_back(start + static_cast<uint32_t>(img.SWord()));
  WriteSwitchRecord(run, variable, defaultTarget, targets);
}

constexpr auto Raw = RawDumpProcedural;
constexpr auto Desc = OperandDescription;

// clang-format off
constexpr OpcodeRow kRows[] = {
  // opcode  name                    handler                  argument
  {0x01, "Forever",               InfiniteLoop,            nullptr},
  {0x02, "Nop",                   NoOperation,             nullptr},
  {0x03, "Switch",                SwitchRecord,            nullptr},
  {0x04, "NopBX",                 NopBx,                   nullptr},
  {0x05, "StartSurface",          Desc,                    ""},
  {0x06, "MoveTo",                ThreeValues,             nullptr},
  {0x07, "DrawTo",                ThreeValues,             nullptr},
  {0x08, "EndSurface",            Desc,                    ""},
  {0x09, "StartDrawing",          Raw,                     "2"},
  {0x0A, "MoveTo",                PointRecord,             nullptr},
  {0x0B, "DrawTo",                PointRecord,             nullptr},
  {0x0C, "CloseDrawing",          Raw,                     "2"},
  {0x0D, "Jump",                  RelativeJump16,          nullptr},
  {0x0E, "DefPoint",              DefinePoint,             nullptr},
  {0x0F, "MoveToPt",              PointNumber,             nullptr},
  {0x10, "DrawToPt",              PointNumber,             nullptr},
  {0x11, "DefPPoint",             UnsupportedPoint,        nullptr},
  {0x12, "MoveToPPt",             UnsupportedPointNumber,  nullptr},
  {0x13, "DrawToPPt",             UnsupportedPointNumber,  nullptr},
  {0x14, "SurfaceColer",          ColourPair,              nullptr},
  {0x15, "TexRelief",             TexRelief,               nullptr},
  {0x16, "SetVar",                SetVariable,             nullptr},
  {0x17, "TextureEnable",         Desc,                    "W"},
  {0x18, "Bitmap",                BitmapFile,              nullptr},
  {0x19, "Palette",               PaletteFile,             nullptr},
  {0x1A, "Points",                PointList,               nullptr},
  {0x1B, "MonitorTr",             MonitorTr,               nullptr},
  {0x1C, "IfVarRange2",           IfVarRange2,             nullptr},
  {0x1D, "VecPoly",               VectorPolygon,           nullptr},
  {0x1E, "BitmapMode",            Desc,                    "W"},
  {0x1F, "Set19B2",               Raw,                     "4"},
  {0x20, "TexPoly",               TexturedPolygon,         nullptr},
  {0x21, "IfVarRange3",           IfVarRange3,             nullptr},
  {0x22, "Return",                Desc,                    ""},
  {0x23, "Call",                  RelativeJump16,          nullptr},
  {0x24, "IfVarRange",            IfVarRange,              nullptr},
  {0x25, "VectorJump",            VectorJump,              nullptr},
  {0x26, "SetVar",                SetVariable,             nullptr},
  {0x27, "TexWindow",             Polygon,                 nullptr},
  {0x28, "BigDot",                DotValues,               nullptr},
  {0x29, "VecPoints",             VecPoints,               nullptr},
  {0x2A, "ShadedPoly",            Polygon,                 nullptr},
  {0x2B, "PerspectiveCall32",     RelativeJump32,          nullptr},
  {0x2C, "VectorJump",            VectorJump,              nullptr},
  {0x2D, "RGBSColor",             RgbColour,               nullptr},
  {0x2E, "RGBLColor",             RgbColour,               nullptr},
  {0x2F, "RefPoints",             RefPoints,               nullptr},
  {0x30, "Brightness",            Brightness,              nullptr},
  {0x31, "AutoPoints",            AutoPoints,              nullptr},
  {0x32, "PerspectiveCall",       RelativeJump16,          nullptr},
  {0x33, "RotatedCall",           RotatedCall,             nullptr},
  {0x34, "SetScaleX",             SetScaleX,               nullptr},
  {0x35, "DotLine",               DotLine,                 nullptr},
  // Every record starts with its 16-bit opcode word, so PatternLine's dump
  // covers both of its bytes.
  {0x36, "PatternLine",           Raw,                     "2"},
  {0x37, "Dot",                   ThreeValues,             nullptr},
  {0x38, "ConcavePoly",           Desc,                    ""},
  {0x39, "IfVarAnd",              IfVarAnd,                nullptr},
  {0x3A, "CondNSRefPointInd",     Raw,                     "12"},
  {0x3B, "PitchCall",             PitchCall,               nullptr},
  {0x3C, "CondNSRefPoint",        Raw,                     "28"},
  {0x3D, "Seed",                  Desc,                    "BxBxWxLLWsWWWW"},
  {0x3E, "Poly",                  Polygon,                 nullptr},
  {0x3F, "ShadowCall",            RelativeJump16,          nullptr},
  {0x40, "ShadowPosInd",          Desc,                    "Wx"},
  {0x41, "ShadowCallVI",          ShadowCallVi,            nullptr},
  {0x42, "RunwayData",            RunwayData,              nullptr},
  {0x43, "LoadBitmap",            LoadBitmap,              nullptr},
  {0x44, "RunwayData",            RunwayData,              nullptr},
  {0x45, "DotLine",               DotLine,                 nullptr},
  {0x46, "TransformCall",         TransformCall,           nullptr},
  {0x47, "Rec47",                 Raw,                     "4"},
  {0x48, "VarSeg",                Desc,                    "Wx"},
  {0x49, "Building",              BuildingRecord,          nullptr},
  {0x4A, "LandingLights",         Desc,                    "jWxWWW"},
  {0x4B, "Rec4B",                 Raw,                     "4"},
  {0x4C, "RefPoint",              IndirectRefPoint,        nullptr},
  {0x4D, "Var2Low64K",            Desc,                    "WW"},
  {0x4E, "Low64K2Var",            Desc,                    "WW"},
  {0x4F, "EquVar",                Raw,                     "6"},
  {0x50, "ShadedColor",           ColourPair,              nullptr},
  {0x51, "LineColor",             ColourPair,              nullptr},
  {0x52, "SurfaceColor",          ColourPair,              nullptr},
  {0x53, "Color53",               Raw,                     "4"},
  {0x54, "CallAsm",               CallAsm,                 nullptr},
  {0x55, "SurfaceType",           DotValues,               nullptr},
  {0x56, "SetWeather",            RelativeJump16,          nullptr},
  {0x57, "Weather",               WeatherRecord,           nullptr},
  {0x58, "MoveTexture",           MoveTexture,             nullptr},
  {0x59, "VarSegId",              Desc,                    ""},
  {0x5A, "SeedAddObj",            RelativeJump16,          nullptr},
  {0x5B, "CallInd",               Desc,                    "Wx"},
  {0x5C, "FarCall",               Raw,                     "6"},
  {0x5D, "RepeatBitmap",          ThreeValues,             nullptr},
  {0x5E, "Rec5E",                 Raw,                     "4"},
  {0x5F, "IfVRes",                ResolutionTest,          nullptr},
  {0x60, "TexVecPoly",            TexturedVectorPolygon,   nullptr},
  {0x61, "Nop6",                  Raw,                     "6"},
  {0x62, "MonitorPt",             MonitorPt,               nullptr},
  {0x63, "CallLibObj",            CallLibObj,              nullptr},
  {0x64, "EnumBitmaps",           EnumBitmaps,             nullptr},
  {0x65, "LoadSurfaceColor",      LoadColour,              nullptr},
  {0x66, "LoadShadedColor",       LoadColour,              nullptr},
  {0x67, "LoadLineColor",         LoadColour,              nullptr},
  {0x68, "TexPolyShading",        ThreeValues,             nullptr},
  {0x69, "RoadStart",             PathStart,               nullptr},
  {0x6A, "RoadCont",              ThreeValues,             nullptr},
  {0x6B, "RiverStart",            PathStart,               nullptr},
  {0x6C, "RiverCont",             ThreeValues,             nullptr},
  {0x6D, "IfHRes",                ResolutionTest,          nullptr},
  {0x6E, "TaxiwayStart",          PathStart,               nullptr},
  {0x6F, "TaxiwayCont",           ThreeValues,             nullptr},
  {0x70, "SenseBorder",           SenseBorder,             nullptr},
  {0x71, "Rec71",                 Raw,                     "4"},
  {0x72, "RunwayLights",          RunwayLights,            nullptr},
  {0x73, "Monitor3D",             Monitor3D,               nullptr},
  {0x74, "LayerCall",             LayerCall,               nullptr},
  {0x75, "AddMountain",           RelativeJump16,          nullptr},
  {0x76, "Perspective",           Desc,                    ""},
  {0x77, "RefPoint",              RefPoints,               nullptr},
  {0x78, "HighwayWLineTo",        Raw,                     "10"},
  {0x79, "HighwayWLineTo79",      Raw,                     "10"},
  {0x7A, "ShadedTexPoly",         TexturedPolygon,         nullptr},
  {0x7C, "Error7C",               Raw,                     "2"},
  {0x7D, "POverride",             Desc,                    ""},
  {0x7E, "SetVar7E",              SetVariable,             nullptr},
  {0x7F, "City",                  Desc,                    ""},
  {0x80, "DotPt",                 Desc,                    "W"},
  {0x81, "Smoothing",             Desc,                    "W"},
  {0x82, "ShadowPos",             ShadowPos,               nullptr},
  {0x83, "SetScale",              SetScale,                nullptr},
  {0x84, "SurfaceNormal",         Raw,                     "10"},
  {0x87, "CustomColors",          Desc,                    "W"},
  {0x88, "Jump32",                RelativeJump32,          nullptr},
  {0x89, "VarBase",               Desc,                    "ULx"},
  {0x8A, "Call32",                RelativeJump32,          nullptr},
  {0x8B, "LayerCall32",           RelativeJump32,          nullptr},
  {0x8C, "CallDll",               CallDll,                 nullptr},
  // The file markers: the opcode word with a dword, and the opcode word
  // with one signed word.
  {0x8D, "FILE_MARKER_32",        Raw,                     "6"},
  {0x8E, "VFILE_MARKER",          Raw,                     "4"},
  {0x8F, "Transparency",          Desc,                    "ULx"},
  {0x90, "PolyM",                 PolyM,                   nullptr},
  {0x92, "MipMap",                Desc,                    "W"},
  {0x93, "I_93",                  Desc,                    "Wx"},
  {0x95, "I_95",                  ThreeUnsigned,           nullptr},
  {0x96, "I_96",                  JumpWithValue,           nullptr},
  {0x97, "I_97",                  Raw,                     "6"},
  {0x98, "I_98",                  JumpNineHex,             nullptr},
  {0x99, "SetCrashCode",          Desc,                    "W"},
  {0x9A, "MeshWith1Tex",          MeshWith1Tex,            nullptr},
  {0x9F, "I_9F",                  Desc,                    "ULx"},
  {0xA0, "AdvBldg",               AdvBldg,                 nullptr},
  {0xA1, "RegisterBitmapClass",   Desc,                    "WWJ"},
  {0xA3, "MeshWithTexList",       MeshWithTexList,         nullptr},
  {0xA5, "LoadBitmapClass",       Desc,                    "W"},
  {0xA7, "RotateToAircraft",      JumpNineDecimal,         nullptr},
  {0xA8, "RRStart",               RrStart,                 nullptr},
  {0xA9, "I_A9",                  Raw,                     "18"},
  {0xAA, "Runway",                RunwayRecord,            nullptr},
  {0xAC, "I_AC",                  Raw,                     "4"},
};
// clang-format on
static_assert(sizeof kRows / sizeof kRows[0] == 159, "one row per procedural record kind");

}  // namespace

const OpcodeIndex& ProceduralTable() {
  static const OpcodeIndex index(kRows);
  return index;
}

}  // namespace bgltext
