// "%.<p>f" of a double, byte for byte as printf writes it.
#include "bgltext/fixed_format.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace bgltext {
namespace {

constexpr double kPowers[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};

// Below this the product v × 10^p is within 2^-20 of the exact product, far
// inside the margin kept from a tie.
constexpr double kFastLimit = 4294967296.0;
constexpr double kTieMargin = 1e-4;

char* Exact(char* buf, double v, int precision) {
  return std::to_chars(buf, buf + 400, v, std::chars_format::fixed, precision).ptr;
}

}  // namespace

char* WriteFixed(char* buf, double v, int precision) {
  if (precision < 0 || precision > 9) return Exact(buf, v, precision);
  double x = std::fabs(v) * kPowers[precision];
  if (!(x < kFastLimit)) return Exact(buf, v, precision);
  double whole = std::floor(x);
  double frac = x - whole;
  if (std::fabs(frac - 0.5) < kTieMargin) return Exact(buf, v, precision);
  uint64_t n = static_cast<uint64_t>(whole) + (frac > 0.5 ? 1 : 0);
  // printf keeps the sign of a negative value that rounds to zero.
  if (std::signbit(v)) *buf++ = '-';
  char digits[24];
  char* end = std::to_chars(digits, digits + sizeof digits, n).ptr;
  int count = static_cast<int>(end - digits);
  // At least one digit before the point.
  int lead = count - precision;
  if (lead <= 0) {
    *buf++ = '0';
  } else {
    for (int i = 0; i < lead; ++i) *buf++ = digits[i];
  }
  if (precision == 0) return buf;
  *buf++ = '.';
  for (int i = lead; i < 0; ++i) *buf++ = '0';
  for (int i = lead < 0 ? 0 : lead; i < count; ++i) *buf++ = digits[i];
  return buf;
}

}  // namespace bgltext
