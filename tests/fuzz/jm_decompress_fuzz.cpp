// The "JM" decompressor alone. The first byte gives how many of the next
// bytes stand for the file header that matches may reach back into; the
// rest is the stream.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "bgltext/jm_decompress.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const size_t headerLength = data[0] < size - 1 ? data[0] : size - 1;
  const uint8_t* stream = data + 1 + headerLength;
  const size_t streamLength = size - 1 - headerLength;
  std::vector<uint8_t> out(data + 1, data + 1 + headerLength);
  const size_t limit = static_cast<size_t>(bgltext::JmPayloadLimit(streamLength));
  size_t produced = 0;
  const bool ok = bgltext::JmDecompress(stream, streamLength, out, limit, produced);
  // What was appended is what was counted, and never past the limit.
  if (ok && (produced > limit || out.size() != headerLength + produced)) std::abort();
  return 0;
}
