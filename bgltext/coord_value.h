// Coordinate and angle encodings of the BGL format and their text form.
#pragma once

#include <cstdint>
#include <string>

namespace bgltext {

enum class CoordKind { Plain, Latitude, Longitude };

// One decoded value: the number, the raw integer it came from and its kind.
struct CoordValue {
  double value = 0.0;
  int64_t raw = 0;
  CoordKind kind = CoordKind::Plain;  // a "%s" of the formatter writes the hemisphere form
};

// Latitudes wrap above 90 by 180, longitudes above 180 by 360.
CoordValue Lat32(int32_t raw);
CoordValue Lat32Fine(int32_t raw);
CoordValue Lat24(uint32_t raw24);  // bit 23 is the sign
CoordValue Lat48(uint16_t frac, int32_t whole);
CoordValue Lon32(uint32_t raw);
CoordValue Lon24(uint32_t raw24);
CoordValue Lon48(uint16_t frac, int32_t whole);
double Alt48(uint16_t frac, int32_t whole);  // metres, no wrap
double Angle16(uint16_t raw);
double Angle32(uint32_t raw);

// Writes the hemisphere text form of v (a latitude, else a longitude) into
// buf (at least kCoordTextMax bytes), returning the end.
constexpr size_t kCoordTextMax = 400;
char* WriteCoord(char* buf, double v, bool latitude);

}  // namespace bgltext
