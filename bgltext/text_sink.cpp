// Buffered text output with printf-style formats.
#include "bgltext/text_sink.h"

#include <cstring>

namespace bgltext {

void AppendVPrintf(std::string& out, const char* format, va_list args) {
  char local[512];
  va_list copy;
  va_copy(copy, args);
  int n = std::vsnprintf(local, sizeof local, format, copy);
  va_end(copy);
  if (n < 0) return;
  if (static_cast<size_t>(n) < sizeof local) {
    out.append(local, static_cast<size_t>(n));
    return;
  }
  size_t at = out.size();
  out.resize(at + static_cast<size_t>(n) + 1);
  std::vsnprintf(&out[at], static_cast<size_t>(n) + 1, format, args);
  out.resize(at + static_cast<size_t>(n));
}

void AppendPrintf(std::string& out, const char* format, ...) {
  va_list args;
  va_start(args, format);
  AppendVPrintf(out, format, args);
  va_end(args);
}

void AppendCrLf(std::string& out, const char* text, size_t length) {
  const char* end = text + length;
  while (text < end) {
    const char* nl =
        static_cast<const char*>(std::memchr(text, '\n', static_cast<size_t>(end - text)));
    if (!nl) {
      out.append(text, static_cast<size_t>(end - text));
      return;
    }
    out.append(text, static_cast<size_t>(nl - text));
    out.append("\r\n", 2);
    text = nl + 1;
  }
}

void TextSink::VPrintf(const char* format, va_list args) {
  if (!target_) return;
  scratch_.clear();
  AppendVPrintf(scratch_, format, args);
  Write(scratch_.data(), scratch_.size());
}

void TextSink::Printf(const char* format, ...) {
  va_list args;
  va_start(args, format);
  VPrintf(format, args);
  va_end(args);
}

void TextSink::Flush() {
  if (file_ && !buffer_.empty()) std::fwrite(buffer_.data(), 1, buffer_.size(), file_);
  buffer_.clear();
}

void TextSink::Close() {
  Flush();
  if (file_) std::fclose(file_);
  file_ = nullptr;
  target_ = nullptr;
}

void Console::Printf(const char* format, ...) {
  va_list args;
  va_start(args, format);
  if (capture_) {
    AppendVPrintf(*capture_, format, args);
  } else if (file_) {
    std::vfprintf(file_, format, args);
  }
  va_end(args);
}

void Console::Write(const char* text) {
  if (capture_) {
    capture_->append(text);
  } else if (file_) {
    std::fputs(text, file_);
  }
}

}  // namespace bgltext
