// The BGL file in memory with its read cursor and little-endian readers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "bgltext/bgltext_error.h"
#include "bgltext/label_table.h"

namespace bgltext {

// Called by the byte, word, dword and bytes readers before they read, while
// the pass mode is Print, so a label line stands in front of its record.
class LabelPlacer {
 public:
  virtual void PlaceLabel(uint32_t offset) = 0;

 protected:
  ~LabelPlacer() = default;
};

class BglImage {
 public:
  BglImage() = default;
  explicit BglImage(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}

  void Assign(std::vector<uint8_t> bytes) {
    bytes_ = std::move(bytes);
    cursor_ = 0;
  }
  const std::vector<uint8_t>& Bytes() const { return bytes_; }
  // The size of the file the image was loaded from (before decompression).
  void SetSourceSize(uint64_t size) { sourceSize_ = size; }
  uint64_t SourceSize() const { return sourceSize_; }
  size_t Size() const { return bytes_.size(); }

  // The ReadCursor: an offset from the start of the image.
  size_t Pos() const { return cursor_; }
  // An offset past the end is clamped to the end.
  void Seek(uint64_t offset) {
    cursor_ = offset > bytes_.size() ? bytes_.size() : static_cast<size_t>(offset);
  }
  size_t Remaining() const { return bytes_.size() - cursor_; }

  // Set while the pass mode is Print; null otherwise. The placer is asked
  // only while labels holds a target.
  void SetLabelPlacer(LabelPlacer* placer, const LabelTable* labels) {
    placer_ = placer;
    labels_ = labels;
  }

  // Each reader throws EndOfData when it would pass the end of the image.
  uint8_t Byte() {
    Place();
    Need(1);
    return bytes_[cursor_++];
  }
  uint16_t Word() {
    Place();
    Need(2);
    uint16_t v = static_cast<uint16_t>(bytes_[cursor_] | (bytes_[cursor_ + 1] << 8));
    cursor_ += 2;
    return v;
  }
  // The 24-bit reader places no label.
  uint32_t U24() {
    Need(3);
    uint32_t v = bytes_[cursor_] | (bytes_[cursor_ + 1] << 8) |
                 (static_cast<uint32_t>(bytes_[cursor_ + 2]) << 16);
    cursor_ += 3;
    return v;
  }
  uint32_t Dword() {
    Place();
    Need(4);
    uint32_t v = bytes_[cursor_] | (bytes_[cursor_ + 1] << 8) |
                 (static_cast<uint32_t>(bytes_[cursor_ + 2]) << 16) |
                 (static_cast<uint32_t>(bytes_[cursor_ + 3]) << 24);
    cursor_ += 4;
    return v;
  }
  int16_t SWord() { return static_cast<int16_t>(Word()); }
  int32_t SDword() { return static_cast<int32_t>(Dword()); }
  // Reads n bytes into dest, or skips them when dest is null.
  void ReadBytes(size_t n, void* dest);
  // Reads bytes up to and including a 0 byte; the text (without the 0) goes
  // to out, of which at most maxKeep bytes are kept.
  void ReadZeroText(std::vector<char>& out, size_t maxKeep);

  // Reads up to n bytes (stopping at the end without error); in Print mode
  // the caller writes them. Returns the bytes read.
  std::vector<uint8_t> SkipAndCollect(size_t n);

 private:
  void Need(size_t n) const {
    if (bytes_.size() - cursor_ < n) throw EndOfData;
  }
  void Place() {
    if (placer_ && labels_->MayHold(static_cast<uint32_t>(cursor_)))
      placer_->PlaceLabel(static_cast<uint32_t>(cursor_));
  }

  std::vector<uint8_t> bytes_;
  size_t cursor_ = 0;
  uint64_t sourceSize_ = 0;
  LabelPlacer* placer_ = nullptr;
  const LabelTable* labels_ = nullptr;
};

}  // namespace bgltext
