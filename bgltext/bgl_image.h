// The BGL file in memory with its read cursor and little-endian readers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "bgltext/bgltext_error.h"
#include "bgltext/file_bytes.h"
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
  BglImage(const BglImage&) = delete;
  BglImage& operator=(const BglImage&) = delete;

  // The image is the bytes given, or the file as it was opened.
  void Assign(std::vector<uint8_t> bytes) {
    file_ = FileBytes();
    owned_ = std::move(bytes);
    View(owned_.data(), owned_.size());
  }
  void Assign(FileBytes file) {
    owned_.clear();
    file_ = std::move(file);
    View(file_.Data(), file_.Size());
  }
  // The size of the file the image was loaded from (before decompression).
  void SetSourceSize(uint64_t size) { sourceSize_ = size; }
  uint64_t SourceSize() const { return sourceSize_; }
  size_t Size() const { return size_; }

  // The ReadCursor: an offset from the start of the image.
  size_t Pos() const { return cursor_; }
  // An offset past the end is clamped to the end.
  void Seek(uint64_t offset) { cursor_ = offset > size_ ? size_ : static_cast<size_t>(offset); }
  size_t Remaining() const { return size_ - cursor_; }

  // Set while the pass mode is Print; null otherwise. The placer is asked
  // only while labels holds a target.
  void SetLabelPlacer(LabelPlacer* placer, const LabelTable* labels) {
    placer_ = placer;
    labels_ = labels;
  }

  // True when a read may write a label line before it.
  bool PlacesLabels() const { return placer_ != nullptr; }

  // Each reader throws EndOfData when it would pass the end of the image.
  uint8_t Byte() {
    Place();
    Need(1);
    return bytes_[cursor_++];
  }
  uint16_t Word() {
    Place();
    Need(2);
    const uint8_t* p = bytes_ + cursor_;
    cursor_ += 2;
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
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
    const uint8_t* p = bytes_ + cursor_;
    cursor_ += 4;
    return p[0] | (p[1] << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
  }
  int16_t SWord() { return static_cast<int16_t>(Word()); }
  int32_t SDword() { return static_cast<int32_t>(Dword()); }
  // Reads n bytes into dest, or skips them when dest is null.
  void ReadBytes(size_t n, void* dest);
  // Reads bytes up to and including a 0 byte; the text (without the 0) goes
  // to out, of which at most maxKeep bytes are kept.
  void ReadZeroText(std::vector<char>& out, size_t maxKeep);

  // The next n bytes in place, passed; throws EndOfData as ReadBytes does.
  const uint8_t* ViewBytes(size_t n) {
    Place();
    Need(n);
    const uint8_t* at = bytes_ + cursor_;
    cursor_ += n;
    return at;
  }
  // The next n bytes in place, passed, when they are all there and no label
  // can fall among them; null (and nothing read) otherwise. Records read
  // whole this way are decoded at once instead of value by value.
  const uint8_t* TakeWhole(size_t n) {
    if (placer_ || size_ - cursor_ < n) return nullptr;
    const uint8_t* at = bytes_ + cursor_;
    cursor_ += n;
    return at;
  }
  // The bytes up to the next 0 byte, in place; the 0 byte is passed. False
  // when the image ends first: text then holds the rest of the image, which
  // is passed. Labels are placed as the byte reader would place them.
  bool ViewZeroText(const uint8_t*& text, size_t& length);

  // Reads up to n bytes (stopping at the end without error); in Print mode
  // the caller writes them. Returns the bytes read.
  std::vector<uint8_t> SkipAndCollect(size_t n);

 private:
  void Need(size_t n) const {
    if (size_ - cursor_ < n) throw EndOfData;
  }
  void Place() {
    if (placer_ && labels_->MayHold(static_cast<uint32_t>(cursor_)))
      placer_->PlaceLabel(static_cast<uint32_t>(cursor_));
  }

  void View(const uint8_t* data, size_t size) {
    bytes_ = data;
    size_ = size;
    cursor_ = 0;
  }

  std::vector<uint8_t> owned_;
  FileBytes file_;
  const uint8_t* bytes_ = nullptr;
  size_t size_ = 0;
  size_t cursor_ = 0;
  uint64_t sourceSize_ = 0;
  LabelPlacer* placer_ = nullptr;
  const LabelTable* labels_ = nullptr;
};

}  // namespace bgltext
