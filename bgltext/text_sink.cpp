// Output files of a run: buffering, the budget and checked writes.
#include "bgltext/text_sink.h"

#include <cstring>

namespace bgltext {

void TextSink::OpenFile(FILE* file, std::string path, OutputLedger& ledger) {
  Abandon();
  // The sink buffers whole blocks itself, so each fwrite reaches the file at
  // once and its result tells whether the bytes were written.
  std::setvbuf(file, nullptr, _IONBF, 0);
  file_ = file;
  path_ = std::move(path);
  ledger_ = &ledger;
  open_ = true;
}

void TextSink::OpenMemory(std::string* memory, std::string path, OutputLedger& ledger,
                          bool failWrites) {
  Abandon();
  memory_ = memory;
  failWrites_ = failWrites;
  path_ = std::move(path);
  ledger_ = &ledger;
  open_ = true;
}

void TextSink::Grow(size_t n) {
  size_t capacity = capacity_ == 0 ? 2 * kBlock : capacity_;
  while (capacity - used_ < n) capacity *= 2;
  std::unique_ptr<char[]> data(new char[capacity]);
  if (used_ != 0) std::memcpy(data.get(), data_.get(), used_);
  data_ = std::move(data);
  capacity_ = capacity;
}

void TextSink::Flush() {
  if (used_ == 0) return;
  size_t n = used_;
  used_ = 0;
  ledger_->Charge(n, path_);
  bool written = memory_ ? !failWrites_ : std::fwrite(data_.get(), 1, n, file_) == n;
  if (!written) throw OutputFailure{OutputFailure::WriteFailed, path_};
  if (memory_) memory_->append(data_.get(), n);
}

void TextSink::Close() {
  if (!open_) return;
  try {
    Flush();
  } catch (const OutputFailure&) {
    Abandon();
    throw;
  }
  FILE* file = file_;
  file_ = nullptr;
  Abandon();
  if (file && std::fclose(file) != 0) throw OutputFailure{OutputFailure::WriteFailed, path_};
}

void TextSink::Abandon() {
  if (file_) std::fclose(file_);
  file_ = nullptr;
  memory_ = nullptr;
  failWrites_ = false;
  used_ = 0;
  open_ = false;
}

void Console::Write(const std::string& text) {
  if (capture_) {
    capture_->append(text);
  } else if (file_) {
    std::fwrite(text.data(), 1, text.size(), file_);
  }
}

}  // namespace bgltext
