// The print channel of the record handlers, with a fast path for the
// conversions that make up nearly all of their output.
#include "bgltext/record_format.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "bgltext/bgl_run.h"
#include "bgltext/fixed_format.h"

namespace bgltext {
namespace {

// Digits of v written backwards from end, two at a time; returns the
// first digit.
char* Decimal(char* end, unsigned long long v) {
  static constexpr char kPairs[] =
      "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
      "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
      "8081828384858687888990919293949596979899";
  while (v >= 100) {
    unsigned pair = static_cast<unsigned>(v % 100) * 2;
    v /= 100;
    *--end = kPairs[pair + 1];
    *--end = kPairs[pair];
  }
  if (v >= 10) {
    unsigned pair = static_cast<unsigned>(v) * 2;
    *--end = kPairs[pair + 1];
    *--end = kPairs[pair];
  } else {
    *--end = static_cast<char>('0' + v);
  }
  return end;
}

char* Hex(char* end, unsigned v, bool upper) {
  const char* digits = upper ? "0123456789ABCDEF" : "0123456789abcdef";
  do {
    *--end = digits[v & 15];
    v >>= 4;
  } while (v != 0);
  return end;
}

// The precision of a plain "%f" or "%.Nf" conversion, or -1.
int FixedPrecision(const char* spec, size_t length) {
  if (length == 2 && spec[1] == 'f') return 6;
  if (length == 4 && spec[1] == '.' && spec[2] >= '0' && spec[2] <= '9' && spec[3] == 'f') return spec[2] - '0';
  return -1;
}

// Where formatted bytes go: Raw takes bytes without "\n", Text any bytes.
// StringOut appends them as they are; SinkOut collects them in blocks for a
// section text and writes every "\n" as its line end.
class StringOut {
 public:
  explicit StringOut(std::string& out) : out_(out) {}
  void Raw(const char* s, size_t length) { out_.append(s, length); }
  void Padded(const char* s, size_t length) { out_.append(s, length); }
  void Text(const char* s, size_t length) { out_.append(s, length); }
  void Char(char c) { out_.push_back(c); }

 private:
  std::string& out_;
};

class SinkOut {
 public:
  explicit SinkOut(TextSink& sink) : sink_(sink) {}
  ~SinkOut() {
    Flush();
    // Lets the sink pass its buffer on to the file once it is full.
    sink_.Write("", 0);
  }
  [[gnu::always_inline]] void Raw(const char* s, size_t length) {
    if (used_ + length > sizeof buf_) {
      Flush();
      if (length > sizeof buf_) {
        sink_.Raw(s, length);
        return;
      }
    }
    // Most pieces are a few bytes long: a plain loop beats a call to memcpy.
    if (length <= 8) {
      for (size_t i = 0; i < length; ++i) buf_[used_ + i] = s[i];
    } else {
      std::memcpy(buf_ + used_, s, length);
    }
    used_ += length;
  }
  // s may be read a fixed block of 16 bytes beyond its start.
  [[gnu::always_inline]] void Padded(const char* s, size_t length) {
    if (length <= 16 && used_ + 16 <= sizeof buf_) {
      std::memcpy(buf_ + used_, s, 16);
      used_ += length;
      return;
    }
    Raw(s, length);
  }
  void Text(const char* s, size_t length) {
    if (used_ + 2 * length > sizeof buf_) {
      for (size_t i = 0; i < length; ++i) Char(s[i]);
      return;
    }
    for (size_t i = 0; i < length; ++i) {
      if (s[i] == '\n') buf_[used_++] = '\r';
      buf_[used_++] = s[i];
    }
  }
  // A line end is written as CR LF.
  [[gnu::always_inline]] void Char(char c) {
    if (used_ + 2 > sizeof buf_) Flush();
    if (c == '\n') buf_[used_++] = '\r';
    buf_[used_++] = c;
  }

 private:
  void Flush() {
    if (used_ != 0) sink_.Raw(buf_, used_);
    used_ = 0;
  }
  TextSink& sink_;
  char buf_[512];
  size_t used_ = 0;
};

template <typename Out>
void Fill(Out& out, size_t count, char c) {
  for (size_t i = 0; i < count; ++i) out.Char(c);
}

// One conversion that the fast path does not take; spec runs from '%' to
// the conversion letter.
template <typename Out>
void Fallback(Out& out, const char* spec, size_t specLength, va_list& args) {
  char fmt[32];
  char local[400];
  if (specLength >= sizeof fmt) return;
  std::memcpy(fmt, spec, specLength);
  fmt[specLength] = 0;
  int n = 0;
  switch (spec[specLength - 1]) {
    case 'f':
    case 'F':
    case 'e':
    case 'E':
    case 'g':
    case 'G':
      n = std::snprintf(local, sizeof local, fmt, va_arg(args, double));
      break;
    case 's':
      n = std::snprintf(local, sizeof local, fmt, va_arg(args, const char*));
      break;
    default:
      n = std::snprintf(local, sizeof local, fmt, va_arg(args, int));
      break;
  }
  if (n > 0) out.Text(local, static_cast<size_t>(n) < sizeof local ? static_cast<size_t>(n) : sizeof local - 1);
}

// A format taken apart once: literal runs split at their line ends, and
// conversions with their flags. Emit keeps the programs of the formats it
// has seen, by address (its formats are literals or named constants).
struct Piece {
  enum Kind : uint8_t { kLiteral, kNewline, kInt, kUnsigned, kHexLower, kHexUpper, kChar, kString, kFixed, kOther };
  Kind kind;
  char fill;
  uint8_t precision;
  uint16_t width;
  const char* text;  // literal text (in the pool), or the conversion's spec for kOther
  uint32_t length;
  uint32_t offset = 0;  // literal text: its place in the pool
};

struct Program {
  const char* format = nullptr;
  std::vector<Piece> pieces;
  // The literal runs, followed by kPadding bytes so that they can be copied
  // in fixed-size blocks.
  std::string pool;
};

constexpr size_t kPadding = 16;

void CompilePieces(const char* format, Program& program) {
  program.format = format;
  program.pieces.clear();
  program.pool.clear();
  const char* p = format;
  auto literal = [&program](const char* from, const char* to) {
    while (from < to) {
      const char* nl = static_cast<const char*>(std::memchr(from, '\n', static_cast<size_t>(to - from)));
      const char* end = nl ? nl : to;
      if (end != from) {
        program.pieces.push_back({Piece::kLiteral, 0, 0, 0, nullptr, static_cast<uint32_t>(end - from),
                                  static_cast<uint32_t>(program.pool.size())});
        program.pool.append(from, static_cast<size_t>(end - from));
      }
      if (!nl) return;
      program.pieces.push_back({Piece::kNewline, 0, 0, 0, nullptr, 0});
      from = nl + 1;
    }
  };
  while (*p) {
    const char* percent = std::strchr(p, '%');
    if (percent == nullptr) {
      literal(p, p + std::strlen(p));
      return;
    }
    literal(p, percent);
    const char* spec = percent;
    p = percent + 1;
    if (*p == '%') {
      program.pieces.push_back({Piece::kLiteral, 0, 0, 0, nullptr, 1, static_cast<uint32_t>(program.pool.size())});
      program.pool.push_back('%');
      ++p;
      continue;
    }
    char fill = ' ';
    if (*p == '0') {
      fill = '0';
      ++p;
    }
    unsigned width = 0;
    while (*p >= '0' && *p <= '9' && width < 1000) width = width * 10 + static_cast<unsigned>(*p++ - '0');
    Piece piece{Piece::kOther, fill, 0, static_cast<uint16_t>(width), spec, 0};
    switch (*p) {
      case 'd':
      case 'i':
        piece.kind = Piece::kInt;
        break;
      case 'u':
        piece.kind = Piece::kUnsigned;
        break;
      case 'x':
        piece.kind = Piece::kHexLower;
        break;
      case 'X':
        piece.kind = Piece::kHexUpper;
        break;
      case 'c':
        piece.kind = Piece::kChar;
        break;
      case 's':
        piece.kind = Piece::kString;
        break;
      default: {
        const char* letter = p;
        while (*letter && std::strchr("diouxXcsfFeEgGp", *letter) == nullptr) ++letter;
        if (*letter == 0) return;
        piece.length = static_cast<uint32_t>(letter - spec + 1);
        int precision = FixedPrecision(spec, piece.length);
        if (precision >= 0) {
          piece.kind = Piece::kFixed;
          piece.precision = static_cast<uint8_t>(precision);
        }
        p = letter;
        break;
      }
    }
    program.pieces.push_back(piece);
    ++p;
  }
}

void Compile(const char* format, Program& program) {
  CompilePieces(format, program);
  program.pool.append(kPadding, '\0');
  for (Piece& piece : program.pieces)
    if (piece.kind == Piece::kLiteral) piece.text = program.pool.data() + piece.offset;
}

template <typename Out>
void PutInt(Out& out, int v, char fill, size_t width) {
  // The digits end kPadding bytes into buf, so Padded may copy a fixed block.
  char buf[2 * kPadding];
  char* end = buf + kPadding;
  unsigned long long magnitude = v < 0 ? 0ull - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
  char* first = Decimal(end, magnitude);
  size_t length = static_cast<size_t>(end - first) + (v < 0 ? 1 : 0);
  if (fill == '0') {
    if (v < 0) out.Char('-');
    if (width > length) Fill(out, width - length, '0');
  } else {
    if (width > length) Fill(out, width - length, ' ');
    if (v < 0) out.Char('-');
  }
  out.Padded(first, static_cast<size_t>(end - first));
}

template <typename Out>
void PutUnsigned(Out& out, unsigned v, int base, bool upper, char fill, size_t width) {
  char buf[2 * kPadding];
  char* end = buf + kPadding;
  char* first = base == 10 ? Decimal(end, v) : Hex(end, v, upper);
  size_t length = static_cast<size_t>(end - first);
  if (width > length) Fill(out, width - length, fill);
  out.Padded(first, length);
}

template <typename Out>
void Run(Out& out, const Program& program, va_list& ap) {
  for (const Piece& piece : program.pieces) {
    switch (piece.kind) {
      case Piece::kLiteral:
        out.Padded(piece.text, piece.length);
        break;
      case Piece::kNewline:
        out.Char('\n');
        break;
      case Piece::kInt:
        PutInt(out, va_arg(ap, int), piece.fill, piece.width);
        break;
      case Piece::kUnsigned:
        PutUnsigned(out, va_arg(ap, unsigned), 10, false, piece.fill, piece.width);
        break;
      case Piece::kHexLower:
      case Piece::kHexUpper:
        PutUnsigned(out, va_arg(ap, unsigned), 16, piece.kind == Piece::kHexUpper, piece.fill, piece.width);
        break;
      case Piece::kChar:
        if (piece.width > 1) Fill(out, piece.width - 1u, ' ');
        out.Char(static_cast<char>(va_arg(ap, int)));
        break;
      case Piece::kString: {
        const char* s = va_arg(ap, const char*);
        size_t length = std::strlen(s);
        if (piece.width > length) Fill(out, piece.width - length, ' ');
        out.Text(s, length);
        break;
      }
      case Piece::kFixed: {
        char local[400];
        char* end = WriteFixed(local, va_arg(ap, double), piece.precision);
        out.Raw(local, static_cast<size_t>(end - local));
        break;
      }
      case Piece::kOther:
        Fallback(out, piece.text, piece.length, ap);
        break;
    }
  }
}

// The decoder runs on one thread; the cache is shared by every run.
const Program& ProgramFor(const char* format) {
  static constexpr size_t kSlots = 1024;
  static Program programs[kSlots];
  uintptr_t key = reinterpret_cast<uintptr_t>(format);
  size_t at = ((key >> 3) ^ (key >> 13)) % kSlots;
  // Two places per format; a format that finds both taken replaces the first.
  for (size_t i = 0; i < 2; ++i) {
    Program& slot = programs[(at + i) % kSlots];
    if (slot.format == format) return slot;
    if (slot.format == nullptr) {
      Compile(format, slot);
      return slot;
    }
  }
  Compile(format, programs[at]);
  return programs[at];
}

}  // namespace

void AppendRecordFormat(std::string& out, const char* format, ...) {
  Program program;
  Compile(format, program);
  StringOut o(out);
  va_list args;
  va_start(args, format);
  Run(o, program, args);
  va_end(args);
}

void Emit(BglRun& run, const char* format, ...) {
  TextSink* sink = run.Text();
  if (sink == nullptr) return;
  const Program& program = ProgramFor(format);
  SinkOut o(*sink);
  va_list args;
  va_start(args, format);
  Run(o, program, args);
  va_end(args);
}

}  // namespace bgltext
