// "%.<p>f" of a double, byte for byte as printf writes it.
#include "bgltext/fixed_format.h"

#include "bgltext/text_format.h"

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

// The last Count decimal digits of v, written backwards from end.
template <int Count>
void WriteDigits(char* end, uint32_t v) {
  if constexpr (Count >= 2) {
    unsigned pair = v % 100 * 2;
    end[-1] = format_detail::kDigitPairs[pair + 1];
    end[-2] = format_detail::kDigitPairs[pair];
    WriteDigits<Count - 2>(end - 2, v / 100);
  } else if constexpr (Count == 1) {
    end[-1] = static_cast<char>('0' + v % 10);
  }
}

char* Exact(char* buf, double v, int precision) {
  return std::to_chars(buf, buf + 400, v, std::chars_format::fixed, precision).ptr;
}

// The fast path with the precision known when the program is built, so the
// scale divides by multiplication.
template <int P>
char* WriteFixedAt(char* buf, double v) {
  constexpr uint32_t kScale = static_cast<uint32_t>(kPowers[P]);
  double x = std::fabs(v) * kPowers[P];
  if (!(x < kFastLimit)) return Exact(buf, v, P);
  // x is not negative and below 2^32, so the conversion is its floor; the
  // rounded value can reach 2^32 only from a tie, which was sent on above.
  uint64_t whole = static_cast<uint64_t>(x);
  double frac = x - static_cast<double>(whole);
  if (std::fabs(frac - 0.5) < kTieMargin) return Exact(buf, v, P);
  uint64_t rounded = whole + (frac > 0.5 ? 1 : 0);
  if (rounded > UINT32_MAX) return Exact(buf, v, P);
  uint32_t n = static_cast<uint32_t>(rounded);
  // printf keeps the sign of a negative value that rounds to zero.
  if (std::signbit(v)) *buf++ = '-';
  char* end = format_detail::WriteDecimal32(buf, n / kScale);
  if constexpr (P == 0) {
    return end;
  } else {
    *end++ = '.';
    WriteDigits<P>(end + P, n % kScale);
    return end + P;
  }
}

}  // namespace

char* WriteFixed(char* buf, double v, int precision) {
  switch (precision) {
    case 0:
      return WriteFixedAt<0>(buf, v);
    case 1:
      return WriteFixedAt<1>(buf, v);
    case 2:
      return WriteFixedAt<2>(buf, v);
    case 3:
      return WriteFixedAt<3>(buf, v);
    case 4:
      return WriteFixedAt<4>(buf, v);
    case 5:
      return WriteFixedAt<5>(buf, v);
    case 6:
      return WriteFixedAt<6>(buf, v);
    case 7:
      return WriteFixedAt<7>(buf, v);
    case 8:
      return WriteFixedAt<8>(buf, v);
    case 9:
      return WriteFixedAt<9>(buf, v);
    default:
      return Exact(buf, v, precision);
  }
}

}  // namespace bgltext
