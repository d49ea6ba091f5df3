// Text files read and written the way Windows text mode does, on both
// platforms, through the C library in binary mode.
#include "platform/file_text.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "platform/file_paths.h"
#include "platform/file_system.h"

namespace fm {
namespace {

constexpr size_t kReadChunk = 1 << 16;

// The file opened for reading in binary mode; nullptr when it cannot be
// opened or is a folder (POSIX opens a folder and fails only its reads).
std::FILE* OpenForReading(const std::string& path) {
  std::FILE* file = std::fopen(ResolvePath(path).c_str(), "rb");
  if (!file) return nullptr;
  struct stat st;
  if (::fstat(::fileno(file), &st) != 0 || S_ISDIR(st.st_mode)) {
    std::fclose(file);
    errno = EISDIR;
    return nullptr;
  }
  return file;
}

std::ptrdiff_t ReadChunk(std::FILE* file, char* buffer, size_t size) {
  size_t got = std::fread(buffer, 1, size, file);
  if (got == 0 && std::ferror(file)) return -1;
  return static_cast<std::ptrdiff_t>(got);
}

}  // namespace

TextLineReader::TextLineReader(ReadChunkFunction readChunk) : readChunk_(std::move(readChunk)) {}

TextLineReader::~TextLineReader() { Close(); }

bool TextLineReader::Open(const std::string& path) {
  Close();
  begin_ = end_ = 0;
  atEnd_ = failed_ = false;
  file_ = OpenForReading(path);
  if (!file_) return false;
  buffer_.resize(kReadChunk);
  return true;
}

void TextLineReader::Close() {
  if (file_) std::fclose(file_);
  file_ = nullptr;
}

bool TextLineReader::Refill() {
  if (atEnd_ || failed_ || !file_) return false;
  begin_ = end_ = 0;
  std::ptrdiff_t got = readChunk_ ? readChunk_(file_, buffer_.data(), buffer_.size())
                                  : ReadChunk(file_, buffer_.data(), buffer_.size());
  if (got < 0) {
    failed_ = true;
  } else if (got == 0) {
    atEnd_ = true;
  } else {
    end_ = static_cast<size_t>(got);
  }
  return end_ != 0;
}

bool TextLineReader::ReadLine(std::string& line) {
  line.clear();
  if (!file_ || failed_) return false;
  bool started = false;
  for (;;) {
    if (begin_ == end_ && !Refill()) {
      if (failed_) {
        line.clear();  // the part before a failed read is no line
        return false;
      }
      return started;  // a last line without LF
    }
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

bool OutputFile::FlushToDisk() {
  if (!Flush() || !FlushFileToDisk(file_)) failed_ = true;
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
  std::FILE* file = OpenForReading(path);
  if (!file) return false;
  std::string chunk(kReadChunk, '\0');
  std::ptrdiff_t got;
  while ((got = ReadChunk(file, chunk.data(), chunk.size())) > 0) bytes.append(chunk.data(), got);
  std::fclose(file);
  if (got < 0) bytes.clear();
  return got == 0;
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
