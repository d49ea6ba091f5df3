// Text files read and written the way Windows text mode does, on both
// platforms, through the C library in binary mode.
#include "platform/file_text.h"

#include <cstring>

#include "platform/file_paths.h"

namespace fm {
namespace {

constexpr size_t kReadChunk = 1 << 16;

}  // namespace

TextLineReader::~TextLineReader() { Close(); }

bool TextLineReader::Open(const std::string& path) {
  Close();
  file_ = std::fopen(ResolvePath(path).c_str(), "rb");
  if (!file_) return false;
  buffer_.resize(kReadChunk);
  begin_ = end_ = 0;
  atEnd_ = false;
  return true;
}

void TextLineReader::Close() {
  if (file_) std::fclose(file_);
  file_ = nullptr;
}

bool TextLineReader::Refill() {
  if (atEnd_ || !file_) return false;
  begin_ = 0;
  end_ = std::fread(buffer_.data(), 1, buffer_.size(), file_);
  if (end_ == 0) atEnd_ = true;
  return end_ != 0;
}

bool TextLineReader::ReadLine(std::string& line) {
  line.clear();
  if (!file_) return false;
  bool started = false;
  for (;;) {
    if (begin_ == end_ && !Refill()) return started;  // a last line without LF
    const char* start = buffer_.data() + begin_;
    const void* lf = std::memchr(start, '\n', end_ - begin_);
    if (lf) {
      size_t length = static_cast<const char*>(lf) - start;
      line.append(start, length);
      begin_ += length + 1;
      // CR LF is one line end; a CR anywhere else is part of the line.
      if (!line.empty() && line.back() == '\r') line.pop_back();
      return true;
    }
    line.append(start, end_ - begin_);
    begin_ = end_;
    started = true;
  }
}

OutputFile::~OutputFile() { Close(); }

bool OutputFile::Create(const std::string& path) {
  Close();
  failed_ = false;
  file_ = std::fopen(ResolvePath(path).c_str(), "wb");
  return file_ != nullptr;
}

void OutputFile::WriteBytes(std::string_view bytes) {
  if (!file_) {
    failed_ = true;
    return;
  }
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
    failed_ = true;
  }
}

void OutputFile::WriteText(std::string_view text) {
  while (!text.empty()) {
    size_t lf = text.find('\n');
    if (lf == std::string_view::npos) {
      WriteBytes(text);
      return;
    }
    WriteBytes(text.substr(0, lf));
    WriteBytes("\r\n");
    text.remove_prefix(lf + 1);
  }
}

void OutputFile::WriteLine(std::string_view line) {
  WriteText(line);
  WriteBytes("\r\n");
}

bool OutputFile::Flush() {
  if (!file_ || std::fflush(file_) != 0) failed_ = true;
  return !failed_;
}

bool OutputFile::Close() {
  if (!file_) return !failed_;
  if (std::fflush(file_) != 0) failed_ = true;
  if (std::ferror(file_)) failed_ = true;
  if (std::fclose(file_) != 0) failed_ = true;
  file_ = nullptr;
  return !failed_;
}

bool ReadFileBytes(const std::string& path, std::string& bytes) {
  bytes.clear();
  std::FILE* file = std::fopen(ResolvePath(path).c_str(), "rb");
  if (!file) return false;
  char chunk[kReadChunk];
  size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) bytes.append(chunk, got);
  bool ok = !std::ferror(file);
  std::fclose(file);
  return ok;
}

bool WriteFileBytes(const std::string& path, std::string_view bytes) {
  OutputFile file;
  if (!file.Create(path)) return false;
  file.WriteBytes(bytes);
  return file.Close();
}

bool WriteTextFile(const std::string& path, std::string_view text) {
  OutputFile file;
  if (!file.Create(path)) return false;
  file.WriteText(text);
  return file.Close();
}

}  // namespace fm
