// Loading a BGL file: a plain copy of the file, or the header followed by the
// decompressed payload.
#include "bgltext/bgl_loader.h"

#include <cstdio>
#include <cstring>
#include <new>

#include "bgltext/jm_decompress.h"

namespace bgltext {
namespace {

constexpr FormatText kMapFailed = "Can't open file : %s\n";
constexpr FormatText kNoMemory = "no memory.\n";
constexpr FormatText kSizeMismatch = "Size mismatch.\n";
constexpr FormatText kBadChecksum = "Bad checksum.\n";
constexpr FormatText kDecompressFailed = "Decompression of BGL file failed.\n";
constexpr FormatText kUnknownError = "Unknown error\n";

// The compressed header: marker, payload size, checksum, 8 bytes unused.
constexpr size_t kCompressionHeaderLength = 20;

uint32_t DwordAt(const std::vector<uint8_t>& b, size_t at) {
  if (at + 4 > b.size()) return 0;
  return b[at] | (b[at + 1] << 8) | (static_cast<uint32_t>(b[at + 2]) << 16) |
         (static_cast<uint32_t>(b[at + 3]) << 24);
}

void PutDword(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// Reads the whole file; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& out) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  out.clear();
  // One allocation of the file's size when it can be told; the loop below
  // still reads whatever the file really holds.
  if (std::fseek(f, 0, SEEK_END) == 0) {
    long size = std::ftell(f);
    if (size > 0) out.reserve(static_cast<size_t>(size));
    std::fseek(f, 0, SEEK_SET);
  }
  size_t n;
  do {
    size_t at = out.size();
    if (out.capacity() > at) {
      out.resize(out.capacity());
      n = std::fread(out.data() + at, 1, out.size() - at, f);
      out.resize(at + n);
    } else {
      char chunk[1 << 14];
      n = std::fread(chunk, 1, sizeof chunk, f);
      out.insert(out.end(), chunk, chunk + n);
    }
  } while (n > 0);
  bool ok = !std::ferror(f);
  std::fclose(f);
  return ok;
}

enum class Layout { Plain, Compressed };

Layout DecideLayout(const std::vector<uint8_t>& file, size_t& headerLength) {
  headerLength = kHeaderLength;
  if (DwordAt(file, 118) == kExtendedHeaderMarker) {
    headerLength = kExtendedHeaderLength;
    // A file with name lists, containers or a section 8 is never compressed.
    if (DwordAt(file, 54) || DwordAt(file, 156) || DwordAt(file, 160) || DwordAt(file, 164))
      return Layout::Plain;
  }
  if (DwordAt(file, headerLength) != kCompressionMarker) return Layout::Plain;
  return Layout::Compressed;
}

bool Decompress(const std::vector<uint8_t>& file, size_t headerLength, BglImage& image,
                Console& console) {
  if (file.size() < headerLength + kCompressionHeaderLength) {
    Say<kDecompressFailed>(console);
    return false;
  }
  uint32_t payloadSize = DwordAt(file, headerLength + 4);
  uint32_t storedChecksum = DwordAt(file, headerLength + 8);
  const uint8_t* stream = file.data() + headerLength + kCompressionHeaderLength;
  size_t streamLength = file.size() - headerLength - kCompressionHeaderLength;
  // A claim that the stream's length cannot honestly back is refused before
  // anything is allocated for it.
  if (payloadSize > JmPayloadLimit(streamLength)) {
    Say<kDecompressFailed>(console);
    return false;
  }
  std::vector<uint8_t> out;
  out.reserve(headerLength + payloadSize);
  out.assign(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(headerLength));
  PutDword(out, 122, 0);
  size_t produced = 0;
  if (!JmDecompress(stream, streamLength, out, payloadSize, produced)) {
    Say<kDecompressFailed>(console);
    return false;
  }
  if (produced != payloadSize) {
    Say<kSizeMismatch>(console);
    return false;
  }
  if (PayloadChecksum(out.data() + headerLength, produced) != storedChecksum) {
    Say<kBadChecksum>(console);
    return false;
  }
  image.Assign(std::move(out));
  return true;
}

}  // namespace

uint32_t PayloadChecksum(const uint8_t*, size_t) { return 0; }

bool LoadBglBytes(std::vector<uint8_t> file, BglImage& image, Console& console) {
  image.SetSourceSize(file.size());
  try {
    size_t headerLength = 0;
    if (DecideLayout(file, headerLength) == Layout::Compressed)
      return Decompress(file, headerLength, image, console);
    image.Assign(std::move(file));
    return true;
  } catch (const std::bad_alloc&) {
    Say<kUnknownError>(console);
    return false;
  }
}

bool LoadBglFile(const std::string& path, BglImage& image, Console& console) {
  std::vector<uint8_t> file;
  try {
    if (!ReadWholeFile(path, file)) {
      Say<kMapFailed>(console, path);
      return false;
    }
  } catch (const std::bad_alloc&) {
    Say<kNoMemory>(console);
    return false;
  }
  return LoadBglBytes(std::move(file), image, console);
}

}  // namespace bgltext
