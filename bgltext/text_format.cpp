// The formatter's digit and text writers.
#include "bgltext/text_format.h"

#include <cstring>

namespace bgltext::format_detail {

char* WriteDecimal(char* end, uint64_t v) {
  while (v >= 100) {
    unsigned pair = static_cast<unsigned>(v % 100) * 2;
    v /= 100;
    *--end = kDigitPairs[pair + 1];
    *--end = kDigitPairs[pair];
  }
  if (v >= 10) {
    unsigned pair = static_cast<unsigned>(v) * 2;
    *--end = kDigitPairs[pair + 1];
    *--end = kDigitPairs[pair];
  } else {
    *--end = static_cast<char>('0' + v);
  }
  return end;
}

char* WriteHex(char* end, uint64_t v, bool upper) {
  const char* digits = upper ? "0123456789ABCDEF" : "0123456789abcdef";
  do {
    *--end = digits[v & 15];
    v >>= 4;
  } while (v != 0);
  return end;
}

char* WriteText(char* out, const char* s, size_t size, bool crlf) {
  if (!crlf) {
    std::memcpy(out, s, size);
    return out + size;
  }
  const char* end = s + size;
  if (size < 64) {
    // Names and words: eight bytes at a time while they hold no line end,
    // which costs less than the calls below.
    constexpr uint64_t kOnes = 0x0101010101010101ull, kHighs = 0x8080808080808080ull;
    while (end - s >= 8) {
      uint64_t w;
      std::memcpy(&w, s, 8);
      uint64_t x = w ^ (kOnes * '\n');
      if ((x - kOnes) & ~x & kHighs) break;
      std::memcpy(out, s, 8);
      s += 8;
      out += 8;
    }
    for (; s < end; ++s) {
      if (*s == '\n') *out++ = '\r';
      *out++ = *s;
    }
    return out;
  }
  while (s < end) {
    const char* nl = static_cast<const char*>(std::memchr(s, '\n', static_cast<size_t>(end - s)));
    const char* stop = nl ? nl : end;
    std::memcpy(out, s, static_cast<size_t>(stop - s));
    out += stop - s;
    if (!nl) break;
    *out++ = '\r';
    *out++ = '\n';
    s = nl + 1;
  }
  return out;
}

}  // namespace bgltext::format_detail
