// The BGL file in memory: the readers that are not inline.
#include "bgltext/bgl_image.h"

#include <cstring>

namespace bgltext {

void BglImage::ReadBytes(size_t n, void* dest) {
  Place();
  Need(n);
  if (dest != nullptr && n != 0) std::memcpy(dest, bytes_ + cursor_, n);
  cursor_ += n;
}

void BglImage::ReadZeroText(std::vector<char>& out, size_t maxKeep) {
  // On EndOfData out holds the bytes read so far.
  out.clear();
  for (;;) {
    uint8_t c = Byte();
    if (c == 0) return;
    if (out.size() < maxKeep) out.push_back(static_cast<char>(c));
  }
}

bool BglImage::ViewZeroText(const uint8_t*& text, size_t& length) {
  text = bytes_ + cursor_;
  const void* zero = std::memchr(text, 0, size_ - cursor_);
  length = zero ? static_cast<size_t>(static_cast<const uint8_t*>(zero) - text) : size_ - cursor_;
  if (placer_) {
    // One placement per byte read, the 0 byte (or the end) included.
    for (size_t at = cursor_; at <= cursor_ + length && at < size_ + 1; ++at) {
      if (labels_->MayHold(static_cast<uint32_t>(at)))
        placer_->PlaceLabel(static_cast<uint32_t>(at));
    }
  }
  if (!zero) {
    cursor_ = size_;
    return false;
  }
  cursor_ += length + 1;
  return true;
}

std::vector<uint8_t> BglImage::SkipAndCollect(size_t n) {
  size_t take = n < Remaining() ? n : Remaining();
  std::vector<uint8_t> out(bytes_ + cursor_, bytes_ + cursor_ + take);
  cursor_ += take;
  return out;
}

}  // namespace bgltext
