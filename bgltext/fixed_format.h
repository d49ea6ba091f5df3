// "%.<p>f" of a double, byte for byte as printf writes it, fast for the
// values the format holds (coordinates, altitudes, angles).
#pragma once

#include <cstddef>

namespace bgltext {

// Writes v with precision decimals (0 to 9) at buf (at least 400 bytes) and
// returns the end. Values whose rounding is plain are written from one
// scaled integer; the rest (near-ties, large values, infinities) go through
// the exact conversion.
char* WriteFixed(char* buf, double v, int precision);

}  // namespace bgltext
