// Text files as Windows text mode reads and writes them, byte-identical on
// every platform: CR LF written explicitly in binary mode, CR LF and LF both
// accepted on reading, lines of any length.
#pragma once

#include <cstddef>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

namespace fm {

// Reads a file line by line; the line end is never part of a line, and a
// last line without a line end still counts. A read that fails is not the
// end of the file: ReadLine gives false for both, and Failed() tells them
// apart, so a caller never takes the lines before a failure for the whole
// file.
class TextLineReader {
 public:
  // Reads up to `size` bytes of `file` into `buffer`: the count read, 0 at
  // the end of the file, -1 when the read failed.
  using ReadChunkFunction =
      std::function<std::ptrdiff_t(std::FILE* file, char* buffer, size_t size)>;

  TextLineReader() = default;
  // Reads through `readChunk` instead of the C library (tests fail a read
  // part-way with it).
  explicit TextLineReader(ReadChunkFunction readChunk);
  ~TextLineReader();
  TextLineReader(const TextLineReader&) = delete;
  TextLineReader& operator=(const TextLineReader&) = delete;

  // Opens the file (its name resolved as the system resolves names). A
  // folder is not a file and fails, as a missing file does.
  bool Open(const std::string& path);
  bool IsOpen() const { return file_ != nullptr; }
  // The next line into `line`; false at the end of the file and after a
  // read error (then Failed() is true and `line` is empty).
  bool ReadLine(std::string& line);
  // True once a read has failed; the reader gives no further line.
  bool Failed() const { return failed_; }
  void Close();

 private:
  bool Refill();

  ReadChunkFunction readChunk_;
  std::FILE* file_ = nullptr;
  std::string buffer_;
  size_t begin_ = 0;  // first unread byte of buffer_
  size_t end_ = 0;    // one past the last valid byte of buffer_
  bool atEnd_ = false;
  bool failed_ = false;
};

// Writes a file in binary mode; WriteText turns every LF into CR LF as
// Windows text mode does.
class OutputFile {
 public:
  OutputFile() = default;
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // Creates or truncates the file (an existing file of another letter case
  // is the one truncated).
  bool Create(const std::string& path);
  bool IsOpen() const { return file_ != nullptr; }
  void WriteBytes(std::string_view bytes);
  void WriteText(std::string_view text);
  // The line followed by the line end, with text-mode translation.
  void WriteLine(std::string_view line);
  bool Flush();
  // Flushes and makes everything written so far reach the disk, so that a
  // crash after this leaves the content whole.
  bool FlushToDisk();
  // False when any write, the flush or the close failed.
  bool Close();

 private:
  std::FILE* file_ = nullptr;
  bool failed_ = false;
};

// The whole file as bytes; false when it cannot be opened (a folder cannot)
// or a read fails.
bool ReadFileBytes(const std::string& path, std::string& bytes);
// Creates or truncates the file with exactly these bytes.
bool WriteFileBytes(const std::string& path, std::string_view bytes);
// Creates or truncates the file with the text, each LF written as CR LF.
bool WriteTextFile(const std::string& path, std::string_view text);

}  // namespace fm
