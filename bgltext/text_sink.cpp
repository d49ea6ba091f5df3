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
  charged_ = memory->size();
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
  if (memory_) {
    size_t n = memory_->size() - charged_;
    if (n == 0) return;
    // Text that is not counted, or cannot be written, is not kept.
    try {
      ledger_->Charge(n, path_);
      if (failWrites_) throw OutputFailure{OutputFailure::WriteFailed, path_};
    } catch (const OutputFailure&) {
      memory_->resize(charged_);
      throw;
    }
    charged_ += n;
    return;
  }
  if (used_ == 0) return;
  size_t n = used_;
  used_ = 0;
  ledger_->Charge(n, path_);
  if (std::fwrite(data_.get(), 1, n, file_) != n)
    throw OutputFailure{OutputFailure::WriteFailed, path_};
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
  if (memory_) memory_->resize(charged_);
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
