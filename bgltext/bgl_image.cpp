// The BGL file in memory: the readers that are not inline.
#include "bgltext/bgl_image.h"

#include <cstring>

namespace bgltext {

void BglImage::ReadBytes(size_t n, void* dest) {
  Place();
  Need(n);
  if (dest != nullptr && n != 0) std::memcpy(dest, bytes_.data() + cursor_, n);
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

std::vector<uint8_t> BglImage::SkipAndCollect(size_t n) {
  size_t take = n < Remaining() ? n : Remaining();
  std::vector<uint8_t> out(bytes_.begin() + static_cast<std::ptrdiff_t>(cursor_),
                           bytes_.begin() + static_cast<std::ptrdiff_t>(cursor_ + take));
  cursor_ += take;
  return out;
}

}  // namespace bgltext
