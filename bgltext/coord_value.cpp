// Coordinate and angle encodings of the BGL format and their text form.
#include "bgltext/coord_value.h"

#include "bgltext/fixed_format.h"
#include "bgltext/text_format.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace bgltext {
namespace {

constexpr double kLatUnits = 10001750.0;
constexpr double kTwo32 = 4294967296.0;
constexpr double kTwo24 = 16777216.0;

double WrapLat(double v) { return v > 90.0 ? v - 180.0 : v; }
double WrapLon(double v) { return v > 180.0 ? v - 360.0 : v; }

int32_t SignExtend24(uint32_t raw24) {
  raw24 &= 0xFFFFFFu;
  return (raw24 & 0x800000u) ? static_cast<int32_t>(raw24) - 0x1000000
                             : static_cast<int32_t>(raw24);
}

CoordValue Make(double v, int64_t raw, CoordKind kind) {
  CoordValue c;
  c.value = v;
  c.raw = raw;
  c.kind = kind;
  return c;
}

double Fixed48(uint16_t frac, int32_t whole) { return whole + frac / 65536.0; }

}  // namespace

// "%c%d:%d:%.2f", with the bytes printf gives for these directives.
char* WriteCoord(char* buf, double v, bool latitude) {
  char hemi = v > 0 ? (latitude ? 'N' : 'E') : (latitude ? 'S' : 'W');
  double a = std::fabs(v);
  if (!(a < 2147483647.0)) a = 2147483647.0;  // beyond any encoding; keeps the cast defined
  int d = static_cast<int>(a);
  double r = (a - d) * 60.0;
  int m = static_cast<int>(r);
  double s = (r - m) * 60.0;
  *buf++ = hemi;
  buf = format_detail::WriteDecimal32(buf, static_cast<uint32_t>(d));
  *buf++ = ':';
  buf = format_detail::WriteDecimal32(buf, static_cast<uint32_t>(m));
  *buf++ = ':';
  return WriteFixed(buf, s, 2);
}

CoordValue Lat32(int32_t raw) {
  return Make(WrapLat(raw * 90.0 / kLatUnits), raw, CoordKind::Latitude);
}

CoordValue Lat32Fine(int32_t raw) {
  return Make(WrapLat(raw * 90.0 / (kLatUnits * 128.0)), raw, CoordKind::Latitude);
}

CoordValue Lat24(uint32_t raw24) {
  int32_t r = SignExtend24(raw24);
  return Make(WrapLat(r * 180.0 / kLatUnits), r, CoordKind::Latitude);
}

CoordValue Lat48(uint16_t frac, int32_t whole) {
  return Make(WrapLat(Fixed48(frac, whole) * 90.0 / kLatUnits), whole, CoordKind::Latitude);
}

CoordValue Lon32(uint32_t raw) {
  return Make(WrapLon(raw * 360.0 / kTwo32), raw, CoordKind::Longitude);
}

CoordValue Lon24(uint32_t raw24) {
  int32_t r = SignExtend24(raw24);
  return Make(WrapLon(r * 360.0 / kTwo24), r, CoordKind::Longitude);
}

CoordValue Lon48(uint16_t frac, int32_t whole) {
  return Make(WrapLon(Fixed48(frac, whole) * 360.0 / kTwo32), whole, CoordKind::Longitude);
}

double Alt48(uint16_t frac, int32_t whole) { return Fixed48(frac, whole); }
double Angle16(uint16_t raw) { return raw * 360.0 / 65536.0; }
double Angle32(uint32_t raw) { return raw * 360.0 / kTwo32; }

}  // namespace bgltext
