// Procedural runway records: Runway, RunwayData and RunwayLights.
#include <string>

#include "bgltext/navaid_text.h"
#include "bgltext/procedural_handlers.h"
#include "bgltext/record_io.h"
#include "bgltext/record_texts.h"

namespace bgltext {
namespace {

// Lines that Runway and RunwayData share.
constexpr FormatText kDimensionLines =
    "\t\talt\t%.2f\n\t\theading\t%.2f\n\t\tlength\t%d\n\t\twidth\t%d\n";
constexpr FormatText kVasiGeometryLines =
    "\t\tVasiSlope%c\t%.2f\n\t\tVasiSide%c\t%d\n\t\tVasiDist%c\t%d\n\t\tVasiSpace%c\t%d\n";
constexpr FormatText kThresholdLines =
    "\t\tThrOffN\t%d\n\t\tExtN\t%d\n\t\tThrOffF\t%d\n\t\tExtF\t%d\n";

// A 48-bit latitude, longitude and altitude.
struct Position {
  CoordValue lat, lon;
  double alt;
};

Position ReadPosition(BglImage& img) {
  Position p{};
  uint16_t f = img.Word();
  p.lat = Lat48(f, img.SDword());
  f = img.Word();
  p.lon = Lon48(f, img.SDword());
  f = img.Word();
  p.alt = Alt48(f, img.SDword());
  return p;
}

// The lights and VASI of one runway end.
struct RunwayEnd {
  unsigned thrLights, aprL, strobes, vasi;
  double vasiSlope;
  int vasiSide, vasiDist, vasiSpace;
};

RunwayEnd ReadRunwayEnd(BglImage& img) {
  RunwayEnd e{};
  e.thrLights = img.Byte();
  e.aprL = img.Byte();
  e.strobes = img.Byte();
  e.vasi = img.Byte();
  e.vasiSlope = Angle16(img.Word());
  e.vasiSide = img.SWord();
  e.vasiDist = img.SWord();
  e.vasiSpace = img.SWord();
  return e;
}

// Runway writes the VASI type in hexadecimal and the distances unsigned.
void PrintRunwayEnd(BglRun& run, const RunwayEnd& e, char end) {
  Print<"\t\tTHRLights%c\t%x\n\t\tAprL%c\t%d\n\t\tStrobes%c\t%d\n\t\tVasiType%c\t%x\n">(
      run, end, e.thrLights, end, e.aprL, end, e.strobes, end, e.vasi);
  Print<kVasiGeometryLines>(run, end, e.vasiSlope, end, static_cast<uint16_t>(e.vasiSide), end,
                            static_cast<uint16_t>(e.vasiDist), end,
                            static_cast<uint16_t>(e.vasiSpace));
}

// RunwayData writes VASI bars in decimal; the near end's side and distance
// are written negated.
void PrintRunwayDataEnd(BglRun& run, const RunwayEnd& e, char end, int sign) {
  Print<"\t\tTHRLights%c\t%x\n\t\tAprL%c\t%d\n\t\tStrobes%c\t%d\n\t\tVasiBars%c\t%d\n">(
      run, end, e.thrLights, end, e.aprL, end, e.strobes, end, e.vasi);
  Print<kVasiGeometryLines>(run, end, e.vasiSlope, end, sign * e.vasiSide, end, sign * e.vasiDist,
                            end, e.vasiSpace);
}

}  // namespace

void RunwayRecord(BglRun& run, const OpcodeRow&, uint8_t, uint32_t) {
  BglImage& img = run.image;
  SkipHighByte(run);
  img.Word();
  img.Byte();
  Position p = ReadPosition(img);
  double heading = Angle16(img.Word());
  unsigned length = img.Word(), width = img.Word();
  unsigned markers = img.Byte(), threshold = img.Byte();
  unsigned surface = img.Byte(), lights = img.Byte();
  uint8_t id = img.Byte();
  unsigned offsets[4];  // ThrOffN, ThrOffF, ExtN, ExtF as stored
  for (unsigned& o : offsets) {
    img.Word();
    o = img.Word();
  }
  img.Word();
  RunwayEnd n = ReadRunwayEnd(img);
  img.Word();
  RunwayEnd f = ReadRunwayEnd(img);
  if (!Printing(run)) return;
  Print<"\tRunway( %s %s\n">(run, p.lat, p.lon);
  Print<kDimensionLines>(run, p.alt, heading + 0.005, length, width);
  Print<"\t\tmarkers\t%02X\n\t\tthreshold\t%02X\n\t\tsurface\t%d\n\t\tlights\t%02X\n\t\tid\t%s\n">(
      run, markers, threshold, surface, lights, RunwayDesignator(id));
  Print<kThresholdLines>(run, offsets[0], offsets[2], offsets[1], offsets[3]);
  PrintRunwayEnd(run, n, 'N');
  PrintRunwayEnd(run, f, 'F');
  Print<kCloseLine>(run);
}

void RunwayData(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  BglImage& img = run.image;
  SkipHighByte(run);
  Position p = ReadPosition(img);
  double heading = Angle16(img.Word());
  unsigned length = img.Word(), width = img.Word();
  unsigned markers = img.Byte();
  uint8_t id = img.Byte();
  unsigned lights = img.Word();
  unsigned surface = img.Byte();
  img.Byte();
  unsigned thrOffN = img.Word(), extN = img.Word(), thrOffF = img.Word(), extF = img.Word();
  RunwayEnd n = ReadRunwayEnd(img);
  RunwayEnd f = ReadRunwayEnd(img);
  if (!Printing(run)) return;
  Print<"\t%s( %s %s\n">(run, row.name, p.lat, p.lon);
  Print<kDimensionLines>(run, p.alt, heading + 0.005, length, width);
  Print<"\t\tmarkers\t%02X\n\t\tid\t%s\n\t\tlights\t%02X\n\t\tsurface\t%d\n">(
      run, markers, RunwayDesignator(id), lights, surface);
  Print<kThresholdLines>(run, thrOffN, extN, thrOffF, extF);
  PrintRunwayDataEnd(run, n, 'N', -1);
  PrintRunwayDataEnd(run, f, 'F', 1);
  Print<kCloseLine>(run);
}

void RunwayLights(BglRun& run, const OpcodeRow& row, uint8_t, uint32_t) {
  BglImage& img = run.image;
  SkipHighByte(run);
  double heading = Angle16(img.Word());
  unsigned w1 = img.Word(), w2 = img.Word();
  RunwayEnd e = ReadRunwayEnd(img);
  Print<"\t%s(\n\t\theading\t%.2f\n\t\tlength\t%d\n\t\twidth\t%d\n">(run, row.name, heading, w2,
                                                                     w1);
  Print<"\t\tTHRLights\t%02x\n\t\tAprL\t%d\n\t\tStrobes\t%d\n\t\tVasiBars\t%d\n">(
      run, e.thrLights, e.aprL, e.strobes, e.vasi);
  Print<"\t\tVasiSlope\t%.2f\n\t\tVasiSide\t%d\n\t\tVasiDist\t%d\n\t\tVasiSpace\t%d\n\t\t)\n">(
      run, e.vasiSlope, e.vasiSide, e.vasiDist, e.vasiSpace);
}

}  // namespace bgltext
