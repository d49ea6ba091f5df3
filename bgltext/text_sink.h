// The output files of a run and the console. Every byte of section text and
// control files goes through a TextSink: the formatter writes into its
// buffer, which is handed on in blocks, each block first counted against the
// run's output budget. A write or close that fails, and a budget that runs
// out, throw OutputFailure, so no failure passes as success.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "bgltext/text_format.h"

namespace bgltext {

// Why the output of a run stopped, and which file it was writing.
struct OutputFailure {
  enum Kind { WriteFailed, OverBudget } kind;
  std::string path;
};

// The bytes that all output files of one run may hold together.
class OutputLedger {
 public:
  void SetLimit(uint64_t limit) { limit_ = limit; }
  uint64_t Limit() const { return limit_; }
  uint64_t Written() const { return written_; }
  // Counts n bytes about to be written; throws OverBudget instead when they
  // would pass the limit.
  void Charge(size_t n, const std::string& path) {
    if (n > limit_ - written_) throw OutputFailure{OutputFailure::OverBudget, path};
    written_ += n;
  }

 private:
  uint64_t limit_ = UINT64_MAX;
  uint64_t written_ = 0;
};

// One output file: a FILE* (owned) or, for tests and fuzzing, a string.
// Text is written by Put<format>(sink, ...) with CR LF line ends, the bytes
// Windows text mode writes.
class TextSink {
 public:
  TextSink() = default;
  TextSink(const TextSink&) = delete;
  TextSink& operator=(const TextSink&) = delete;
  ~TextSink() { Abandon(); }

  // Closes what was open (dropping its buffered text), then writes into file
  // or appends to memory; path names the output in messages. failWrites
  // makes every write to memory fail (tests of the failure path).
  void OpenFile(FILE* file, std::string path, OutputLedger& ledger);
  void OpenMemory(std::string* memory, std::string path, OutputLedger& ledger,
                  bool failWrites = false);
  bool IsOpen() const { return open_; }
  const std::string& Path() const { return path_; }

  // Room for n bytes at the end of the buffer; Commit(end) keeps what was
  // written up to end.
  char* Reserve(size_t n) {
    if (memory_) {
      // Memory outputs are written in place; the text past `charged_` is
      // counted at the next block.
      size_t at = memory_->size();
      memory_->resize(at + n);
      return memory_->data() + at;
    }
    if (capacity_ - used_ < n) Grow(n);
    return data_.get() + used_;
  }
  void Commit(char* end) {
    if (memory_) {
      memory_->resize(static_cast<size_t>(end - memory_->data()));
      if (memory_->size() - charged_ >= kBlock) Flush();
      return;
    }
    used_ = static_cast<size_t>(end - data_.get());
    if (used_ >= kBlock) Flush();
  }

  // Hands the buffered text on.
  void Flush();
  // Flushes and closes. The file is closed whatever happens; a failed write
  // or close throws OutputFailure.
  void Close();
  // Closes without writing what is buffered (after a failure).
  void Abandon();

 private:
  void Grow(size_t n);
  // Blocks stay below the C library's threshold for mapping allocations of
  // their own, whose release would make it hand freed memory back to the
  // system after every run of a process that runs many.
  static constexpr size_t kBlock = 1 << 15;

  bool open_ = false;
  FILE* file_ = nullptr;
  std::string* memory_ = nullptr;
  bool failWrites_ = false;
  std::string path_;
  OutputLedger* ledger_ = nullptr;
  std::unique_ptr<char[]> data_;
  size_t used_ = 0, capacity_ = 0;
  size_t charged_ = 0;  // memory outputs: the bytes counted so far
};

// The text of one record, written into the sink's buffer under a single
// reservation and handed to the sink by Close(), also when the record was
// cut short. Direct: every piece goes to the sink at once, for records
// between whose reads label lines may be written.
class RecordText {
 public:
  RecordText(TextSink& sink, bool direct) : sink_(sink), direct_(direct) {}
  RecordText(const RecordText&) = delete;
  RecordText& operator=(const RecordText&) = delete;

  char* Reserve(size_t n) {
    if (direct_) return sink_.Reserve(n);
    if (n > static_cast<size_t>(limit_ - out_)) Renew(n);
    return out_;
  }
  void Commit(char* end) {
    if (direct_) {
      sink_.Commit(end);
    } else {
      out_ = end;
    }
  }
  void Close() {
    char* end = out_;
    out_ = limit_ = nullptr;
    if (end) sink_.Commit(end);
  }

 private:
  void Renew(size_t n) {
    Close();
    size_t room = n > kRoom ? n : kRoom;
    out_ = sink_.Reserve(room);
    limit_ = out_ + room;
  }
  static constexpr size_t kRoom = 4096;

  TextSink& sink_;
  bool direct_;
  char* out_ = nullptr;
  char* limit_ = nullptr;
};

// The console channel: standard output in the program, a string in tests.
class Console {
 public:
  explicit Console(FILE* file = stdout) : file_(file) {}
  explicit Console(std::string* capture) : capture_(capture) {}
  void Write(const std::string& text);

 private:
  FILE* file_ = nullptr;
  std::string* capture_ = nullptr;
};

// Writes the formatted text on the console.
template <FormatText F, typename... Args>
void Say(Console& console, const Args&... args) {
  console.Write(Format<F>(args...));
}

}  // namespace bgltext
