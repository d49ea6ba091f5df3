// The bytes of an input file, read-only. A regular file is mapped where the
// system can map files, so a large scenery file is neither zero-filled nor
// copied before it is decoded; anything else is read into memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace bgltext {

class FileBytes {
 public:
  FileBytes() = default;
  FileBytes(FileBytes&& other) noexcept { *this = std::move(other); }
  FileBytes& operator=(FileBytes&& other) noexcept;
  FileBytes(const FileBytes&) = delete;
  FileBytes& operator=(const FileBytes&) = delete;
  ~FileBytes() { Release(); }

  // False when the file cannot be opened or read; throws std::bad_alloc when
  // its bytes do not fit in memory.
  bool Open(const std::string& path);
  const uint8_t* Data() const { return data_; }
  size_t Size() const { return size_; }

 private:
  void Release();

  const uint8_t* data_ = nullptr;
  size_t size_ = 0;
  void* mapping_ = nullptr;  // the mapped view, when the file is mapped
  std::unique_ptr<uint8_t[]> heap_;
};

}  // namespace bgltext
