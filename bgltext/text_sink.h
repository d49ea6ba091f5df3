// Buffered text output with printf-style formats: the section text streams,
// the control files and the console all write through these.
#pragma once

#include <charconv>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <string>

#include "bgltext/fixed_format.h"

#if defined(__GNUC__)
#define BGLTEXT_PRINTF(fmt, args) __attribute__((format(gnu_printf, fmt, args)))
#else
#define BGLTEXT_PRINTF(fmt, args)
#endif

namespace bgltext {

// Appends text to out with every "\n" written as CR LF.
void AppendCrLf(std::string& out, const char* text, size_t length);

// Writes into a FILE* (owned, closed on Close) or appends to a string. The
// bytes are those Windows text mode writes: every "\n" becomes CR LF.
//
// Besides the printf-style calls it offers direct appends for the hot paths;
// they give the same bytes as the printf directives named beside them.
class TextSink {
 public:
  TextSink() = default;
  explicit TextSink(FILE* file) { Open(file); }
  explicit TextSink(std::string* memory) { Open(memory); }
  TextSink(const TextSink&) = delete;
  TextSink& operator=(const TextSink&) = delete;
  ~TextSink() { Close(); }

  // Closes what was open, then writes into file (owned) or memory.
  void Open(FILE* file) {
    Close();
    file_ = file;
    target_ = &buffer_;
  }
  void Open(std::string* memory) {
    Close();
    target_ = memory;
  }
  bool IsOpen() const { return target_ != nullptr; }

  // Text that may hold "\n".
  void Write(const char* text, size_t length) {
    if (!target_) return;
    AppendCrLf(*target_, text, length);
    MaybeFlush();
  }
  void Write(const std::string& text) { Write(text.data(), text.size()); }
  void Printf(const char* format, ...) BGLTEXT_PRINTF(2, 3);
  void VPrintf(const char* format, va_list args);

  // Direct appends (the caller has checked IsOpen()). Raw text must not hold
  // "\n"; Newline writes the line end.
  void Raw(const char* text, size_t length) { target_->append(text, length); }
  template <size_t N>
  void Raw(const char (&text)[N]) {
    target_->append(text, N - 1);
  }
  void Char(char c) { target_->push_back(c); }
  void Newline() {
    target_->append("\r\n", 2);
    MaybeFlush();
  }
  void Int(int64_t v) { Number(v, 10); }        // %d
  void Unsigned(uint64_t v) { Number(v, 10); }  // %u
  void Hex(uint64_t v) { Number(v, 16); }       // %x
  void Fixed(double v, int precision) {         // %.<precision>f, %f is 6
    char buf[400];
    target_->append(buf, static_cast<size_t>(WriteFixed(buf, v, precision) - buf));
  }

  void Flush();
  void Close();

 private:
  template <typename T>
  void Number(T v, int base) {
    char buf[24];
    auto r = std::to_chars(buf, buf + sizeof buf, v, base);
    target_->append(buf, static_cast<size_t>(r.ptr - buf));
  }
  void MaybeFlush() {
    if (file_ && buffer_.size() >= kFlushSize) Flush();
  }

  static constexpr size_t kFlushSize = 1 << 16;
  FILE* file_ = nullptr;
  std::string* target_ = nullptr;  // &buffer_ for a file, else the memory
  std::string buffer_;
  std::string scratch_;
};

// The console channel: standard output in the program, a string in tests.
class Console {
 public:
  explicit Console(FILE* file = stdout) : file_(file) {}
  explicit Console(std::string* capture) : capture_(capture) {}
  void Printf(const char* format, ...) BGLTEXT_PRINTF(2, 3);
  void Write(const char* text);

 private:
  FILE* file_ = nullptr;
  std::string* capture_ = nullptr;
};

// printf into a std::string (appending).
void AppendPrintf(std::string& out, const char* format, ...) BGLTEXT_PRINTF(2, 3);
void AppendVPrintf(std::string& out, const char* format, va_list args);

}  // namespace bgltext
