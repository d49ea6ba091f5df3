// Text files as Windows text mode reads and writes them, byte-identical on
// every platform: CR LF written explicitly in binary mode, CR LF and LF both
// accepted on reading, lines of any length.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace fm {

// Reads a file line by line; the line end is never part of a line, and a
// last line without a line end still counts.
class TextLineReader {
 public:
  TextLineReader() = default;
  ~TextLineReader();
  TextLineReader(const TextLineReader&) = delete;
  TextLineReader& operator=(const TextLineReader&) = delete;

  // Opens the file (its name resolved as the system resolves names).
  bool Open(const std::string& path);
  bool IsOpen() const { return file_ != nullptr; }
  // The next line into `line`; false at the end of the file.
  bool ReadLine(std::string& line);
  void Close();

 private:
  bool Refill();

  std::FILE* file_ = nullptr;
  std::string buffer_;
  size_t begin_ = 0;  // first unread byte of buffer_
  size_t end_ = 0;    // one past the last valid byte of buffer_
  bool atEnd_ = false;
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
  // False when any write, the flush or the close failed.
  bool Close();

 private:
  std::FILE* file_ = nullptr;
  bool failed_ = false;
};

// The whole file as bytes; false when it cannot be read.
bool ReadFileBytes(const std::string& path, std::string& bytes);
// Creates or truncates the file with exactly these bytes.
bool WriteFileBytes(const std::string& path, std::string_view bytes);
// Creates or truncates the file with the text, each LF written as CR LF.
bool WriteTextFile(const std::string& path, std::string_view text);

}  // namespace fm
