// The one formatter of bgltext. A format is a literal given as a template
// argument; it is parsed when the program is built into pieces (literal runs,
// kept once as written and once with every line end as CR LF, and
// conversions), and every call is checked against its arguments' types, so a
// wrong format or argument is a build error rather than wrong text.
//
// Conversions: %d %i (int), %u %x %X (unsigned int; "ll" before them takes
// 64 bits), %c, %s, %f and %.<0-9>f, with an optional '0' flag and width
// (not for %f), and %%. The bytes are those printf writes for the same
// directive. %s takes a C string, a std::string (up to its first 0 byte, as
// printf of c_str() would), a TextSpan, or a CoordValue (its hemisphere form).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <tuple>
#include <type_traits>
#include <utility>

#include "bgltext/coord_value.h"
#include "bgltext/fixed_format.h"

namespace bgltext {

// A format literal usable as a template argument.
template <size_t N>
struct FormatText {
  char text[N]{};
  consteval FormatText(const char (&s)[N]) {
    for (size_t i = 0; i < N; ++i) text[i] = s[i];
  }
};

// Bytes to write as they are (a "%s" argument that may hold 0 bytes).
struct TextSpan {
  const char* data;
  size_t size;
};

// A "%s" argument known to hold no line end, such as a word of a table:
// its bytes are copied without a search.
struct Word {
  const char* data;
  size_t size;
};

namespace format_detail {

enum class Conv : uint8_t { Literal, Int, Unsigned, HexLower, HexUpper, Char, String, Fixed };

struct Piece {
  Conv conv = Conv::Literal;
  bool zeroFill = false;
  bool wide = false;  // "ll": 64 bits
  uint8_t precision = 6;
  uint16_t width = 0;
  // Literal: its text in the plain pool and in the CR LF pool.
  uint16_t at = 0, length = 0, crAt = 0, crLength = 0;
};

template <size_t N>
struct Parsed {
  std::array<Piece, N> pieces{};
  size_t count = 0;
  size_t conversions = 0;
  std::array<char, N> pool{};
  size_t poolSize = 0;
  std::array<char, 2 * N> crPool{};
  size_t crPoolSize = 0;
};

constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Throwing in a constant evaluation makes a bad format a build error.
template <size_t N>
consteval Parsed<N> Parse(const FormatText<N>& f) {
  Parsed<N> p;
  auto literal = [&p](char c) {
    if (p.count == 0 || p.pieces[p.count - 1].conv != Conv::Literal) {
      Piece q;
      q.at = static_cast<uint16_t>(p.poolSize);
      q.crAt = static_cast<uint16_t>(p.crPoolSize);
      p.pieces[p.count++] = q;
    }
    Piece& q = p.pieces[p.count - 1];
    p.pool[p.poolSize++] = c;
    ++q.length;
    if (c == '\n') {
      p.crPool[p.crPoolSize++] = '\r';
      ++q.crLength;
    }
    p.crPool[p.crPoolSize++] = c;
    ++q.crLength;
  };
  size_t i = 0;
  const char* t = f.text;
  while (i + 1 < N) {
    char c = t[i++];
    if (c != '%') {
      literal(c);
      continue;
    }
    if (t[i] == '%') {
      literal('%');
      ++i;
      continue;
    }
    Piece q;
    if (t[i] == '0') {
      q.zeroFill = true;
      ++i;
    }
    while (IsDigit(t[i])) q.width = static_cast<uint16_t>(q.width * 10 + (t[i++] - '0'));
    bool precision = false;
    if (t[i] == '.') {
      ++i;
      if (!IsDigit(t[i]) || IsDigit(t[i + 1])) throw "precision is one digit";
      q.precision = static_cast<uint8_t>(t[i++] - '0');
      precision = true;
    }
    if (t[i] == 'l' && t[i + 1] == 'l') {
      q.wide = true;
      i += 2;
    }
    switch (t[i++]) {
      case 'd':
      case 'i':
        q.conv = Conv::Int;
        break;
      case 'u':
        q.conv = Conv::Unsigned;
        break;
      case 'x':
        q.conv = Conv::HexLower;
        break;
      case 'X':
        q.conv = Conv::HexUpper;
        break;
      case 'c':
        q.conv = Conv::Char;
        break;
      case 's':
        q.conv = Conv::String;
        break;
      case 'f':
        q.conv = Conv::Fixed;
        break;
      default:
        throw "unsupported conversion";
    }
    if (precision && q.conv != Conv::Fixed) throw "precision only on %f";
    if (q.conv == Conv::Fixed && (q.width != 0 || q.zeroFill)) throw "no width on %f";
    if (q.wide && q.conv != Conv::Int && q.conv != Conv::Unsigned && q.conv != Conv::HexLower &&
        q.conv != Conv::HexUpper)
      throw "ll only on integers";
    p.pieces[p.count++] = q;
    ++p.conversions;
  }
  return p;
}

template <FormatText F>
struct Compiled {
  static constexpr auto parsed = Parse(F);
  // Bytes the literal runs take (in the longer, CR LF form).
  static constexpr size_t literalBytes = parsed.crPoolSize;
  // The argument that the conversion of piece i takes.
  static constexpr size_t ArgIndex(size_t piece) {
    size_t n = 0;
    for (size_t k = 0; k < piece; ++k)
      if (parsed.pieces[k].conv != Conv::Literal) ++n;
    return n;
  }
};

// Arguments as the conversions take them.
struct IntArg {
  uint64_t bits;  // the value's two's-complement bits
};
struct FloatArg {
  double value;
};
struct StringArg {
  const char* data;
  size_t size;
};
struct WordArg {
  const char* data;
  size_t size;
};
struct CoordArg {
  const CoordValue* coord;
};

template <typename T>
constexpr auto Adapt(const T& v) {
  if constexpr (std::is_same_v<T, bool>) {
    static_assert(!std::is_same_v<T, bool>, "no bool arguments");
  } else if constexpr (std::is_integral_v<T> || std::is_enum_v<T>) {
    return IntArg{static_cast<uint64_t>(static_cast<int64_t>(v))};
  } else if constexpr (std::is_floating_point_v<T>) {
    return FloatArg{static_cast<double>(v)};
  } else if constexpr (std::is_same_v<T, CoordValue>) {
    return CoordArg{&v};
  } else if constexpr (std::is_same_v<T, TextSpan>) {
    return StringArg{v.data, v.size};
  } else if constexpr (std::is_same_v<T, Word>) {
    return WordArg{v.data, v.size};
  } else if constexpr (std::is_same_v<T, std::string>) {
    return StringArg{v.c_str(), std::strlen(v.c_str())};
  } else {
    static_assert(std::is_convertible_v<T, const char*>, "argument of no known kind");
    const char* s = v;
    return StringArg{s, std::strlen(s)};
  }
}

// The most bytes an argument can take (with its conversion's width).
constexpr size_t Bound(const IntArg&) { return 24; }
constexpr size_t Bound(const FloatArg&) { return 400; }
constexpr size_t Bound(const StringArg& s) { return 2 * s.size; }
constexpr size_t Bound(const WordArg& s) { return s.size; }
constexpr size_t Bound(const CoordArg&) { return kCoordTextMax; }

// "00" to "99": two decimal digits at a time.
inline constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Digits of v written backwards from end; returns the first digit.
char* WriteDecimal(char* end, uint64_t v);
// The number of decimal digits of v.
inline size_t DecimalDigits(uint64_t v) {
  size_t n = 1;
  for (; v >= 100; v /= 100) n += 2;
  return n + (v >= 10 ? 1 : 0);
}

// The digits of a 32-bit v written at out, returning their end: the common
// case of the formatter, the fixed-point writer and coordinates, in 32-bit
// arithmetic.
inline char* WriteDecimal32(char* out, uint32_t v) {
  size_t digits = v < 10 ? 1 : v < 100 ? 2 : v < 1000 ? 3 : v < 10000 ? 4 : 5;
  if (v >= 100000) {
    for (uint32_t rest = v / 100000; rest != 0; rest /= 10) ++digits;
  }
  char* end = out + digits;
  char* at = end;
  for (; v >= 100; v /= 100) {
    const unsigned pair = v % 100 * 2;
    *--at = kDigitPairs[pair + 1];
    *--at = kDigitPairs[pair];
  }
  if (v >= 10) {
    *--at = kDigitPairs[v * 2 + 1];
    *--at = kDigitPairs[v * 2];
  } else {
    *--at = static_cast<char>('0' + v);
  }
  return end;
}
char* WriteHex(char* end, uint64_t v, bool upper);
// Bytes of s, every "\n" written as CR LF when crlf is set.
char* WriteText(char* out, const char* s, size_t size, bool crlf);

inline char* Pad(char* out, size_t count, char c) {
  for (size_t i = 0; i < count; ++i) *out++ = c;
  return out;
}

template <Piece P, bool CrLf, typename A>
char* WriteConversion(char* out, const A& a) {
  constexpr Conv kConv = P.conv;
  if constexpr (kConv == Conv::Fixed) {
    static_assert(std::is_same_v<A, FloatArg>, "%f takes a floating-point value");
    return WriteFixed(out, a.value, P.precision);
  } else if constexpr (kConv == Conv::String) {
    static_assert(
        std::is_same_v<A, StringArg> || std::is_same_v<A, CoordArg> || std::is_same_v<A, WordArg>,
        "%s takes a text or a coordinate");
    if constexpr (std::is_same_v<A, CoordArg>) {
      if constexpr (P.width == 0)
        return WriteCoord(out, a.coord->value, a.coord->kind == CoordKind::Latitude);
      char buf[kCoordTextMax];
      char* end = WriteCoord(buf, a.coord->value, a.coord->kind == CoordKind::Latitude);
      size_t n = static_cast<size_t>(end - buf);
      if (P.width > n) out = Pad(out, P.width - n, ' ');
      std::memcpy(out, buf, n);
      return out + n;
    } else if constexpr (std::is_same_v<A, WordArg>) {
      if (P.width > a.size) out = Pad(out, P.width - a.size, ' ');
      for (size_t i = 0; i < a.size; ++i) out[i] = a.data[i];
      return out + a.size;
    } else {
      if (P.width > a.size) out = Pad(out, P.width - a.size, ' ');
      return WriteText(out, a.data, a.size, CrLf);
    }
  } else {
    static_assert(std::is_same_v<A, IntArg>, "an integer conversion takes an integer");
    if constexpr (kConv == Conv::Char) {
      if (P.width > 1) out = Pad(out, P.width - 1u, ' ');
      char c = static_cast<char>(a.bits);
      if (CrLf && c == '\n') *out++ = '\r';
      *out++ = c;
      return out;
    } else if constexpr (P.width == 0 && (kConv == Conv::Int || kConv == Conv::Unsigned)) {
      // Written in place: the digits are counted first.
      uint64_t v;
      if constexpr (kConv == Conv::Int) {
        int64_t s = P.wide ? static_cast<int64_t>(a.bits) : static_cast<int32_t>(a.bits);
        if (s < 0) *out++ = '-';
        v = s < 0 ? 0ull - static_cast<uint64_t>(s) : static_cast<uint64_t>(s);
      } else {
        v = P.wide ? a.bits : static_cast<uint32_t>(a.bits);
      }
      if (v <= UINT32_MAX) return WriteDecimal32(out, static_cast<uint32_t>(v));
      char* end = out + DecimalDigits(v);
      WriteDecimal(end, v);
      return end;
    } else {
      char buf[24];
      char* end = buf + sizeof buf;
      char* first;
      bool negative = false;
      if constexpr (kConv == Conv::Int) {
        int64_t v = P.wide ? static_cast<int64_t>(a.bits) : static_cast<int32_t>(a.bits);
        negative = v < 0;
        first = WriteDecimal(end,
                             negative ? 0ull - static_cast<uint64_t>(v) : static_cast<uint64_t>(v));
      } else {
        uint64_t v = P.wide ? a.bits : static_cast<uint32_t>(a.bits);
        first = kConv == Conv::Unsigned ? WriteDecimal(end, v)
                                        : WriteHex(end, v, kConv == Conv::HexUpper);
      }
      size_t digits = static_cast<size_t>(end - first);
      size_t length = digits + (negative ? 1 : 0);
      if (P.zeroFill) {
        if (negative) *out++ = '-';
        if (P.width > length) out = Pad(out, P.width - length, '0');
      } else {
        if (P.width > length) out = Pad(out, P.width - length, ' ');
        if (negative) *out++ = '-';
      }
      std::memcpy(out, first, digits);
      return out + digits;
    }
  }
}

template <FormatText F, bool CrLf, size_t I, typename Tuple>
char* WritePiece(char* out, const Tuple& args) {
  using C = Compiled<F>;
  constexpr Piece kPiece = C::parsed.pieces[I];
  if constexpr (kPiece.conv == Conv::Literal) {
    constexpr size_t at = CrLf ? kPiece.crAt : kPiece.at;
    constexpr size_t n = CrLf ? kPiece.crLength : kPiece.length;
    const char* pool = CrLf ? C::parsed.crPool.data() : C::parsed.pool.data();
    std::memcpy(out, pool + at, n);
    return out + n;
  } else {
    return WriteConversion<kPiece, CrLf>(out, std::get<C::ArgIndex(I)>(args));
  }
}

// The most bytes the format can write with these arguments.
template <FormatText F, typename Tuple>
size_t BoundOf(const Tuple& args) {
  return std::apply(
      [](const auto&... a) { return Compiled<F>::literalBytes + (size_t{0} + ... + Bound(a)); },
      args);
}

// Writes at out, which has room for BoundOf(args) bytes; returns the end.
template <FormatText F, bool CrLf, typename Tuple>
char* WriteAll(char* out, const Tuple& args) {
  using C = Compiled<F>;
  static_assert(C::parsed.conversions == std::tuple_size_v<Tuple>,
                "the number of arguments does not match the format");
  return [&]<size_t... I>(std::index_sequence<I...>) {
    ((out = WritePiece<F, CrLf, I>(out, args)), ...);
    return out;
  }
  (std::make_index_sequence<C::parsed.count>{});
}

}  // namespace format_detail

// Any destination with Reserve(n) -> char* and Commit(char* end): the bytes
// are written with CR LF line ends.
template <FormatText F, typename Sink, typename... Args>
void Put(Sink& sink, const Args&... args) {
  auto adapted = std::make_tuple(format_detail::Adapt(args)...);
  char* out = sink.Reserve(format_detail::BoundOf<F>(adapted));
  sink.Commit(format_detail::WriteAll<F, true>(out, adapted));
}

// Appends the text with its line ends as written ("\n").
template <FormatText F, typename... Args>
void AppendFormat(std::string& s, const Args&... args) {
  auto adapted = std::make_tuple(format_detail::Adapt(args)...);
  size_t at = s.size();
  s.resize(at + format_detail::BoundOf<F>(adapted));
  char* end = format_detail::WriteAll<F, false>(s.data() + at, adapted);
  s.resize(static_cast<size_t>(end - s.data()));
}

template <FormatText F, typename... Args>
std::string Format(const Args&... args) {
  std::string s;
  AppendFormat<F>(s, args...);
  return s;
}

}  // namespace bgltext
