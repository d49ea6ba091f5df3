// Loading a BGL file: a plain copy of the file, or the header followed by the
// decompressed payload.
#include "bgltext/bgl_loader.h"

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

// The bytes of the file being loaded.
struct FileView {
  const uint8_t* data;
  size_t size;
};

uint32_t DwordAt(FileView b, size_t at) {
  if (at + 4 > b.size) return 0;
  return b.data[at] | (b.data[at + 1] << 8) | (static_cast<uint32_t>(b.data[at + 2]) << 16) |
         (static_cast<uint32_t>(b.data[at + 3]) << 24);
}

void PutDword(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

enum class Layout { Plain, Compressed };

Layout DecideLayout(FileView file, size_t& headerLength) {
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

bool Decompress(FileView file, size_t headerLength, BglImage& image, Console& console) {
  if (file.size < headerLength + kCompressionHeaderLength) {
    Say<kDecompressFailed>(console);
    return false;
  }
  uint32_t payloadSize = DwordAt(file, headerLength + 4);
  uint32_t storedChecksum = DwordAt(file, headerLength + 8);
  const uint8_t* stream = file.data + headerLength + kCompressionHeaderLength;
  size_t streamLength = file.size - headerLength - kCompressionHeaderLength;
  // A claim that the stream's length cannot honestly back is refused before
  // anything is allocated for it.
  if (payloadSize > JmPayloadLimit(streamLength)) {
    Say<kDecompressFailed>(console);
    return false;
  }
  std::vector<uint8_t> out;
  out.reserve(headerLength + payloadSize);
  out.assign(file.data, file.data + headerLength);
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

// Loads the file's bytes, which `keep` hands to the image when the file is
// not compressed.
template <typename Keep>
bool Load(FileView file, BglImage& image, Console& console, Keep keep) {
  image.SetSourceSize(file.size);
  try {
    size_t headerLength = 0;
    if (DecideLayout(file, headerLength) == Layout::Compressed)
      return Decompress(file, headerLength, image, console);
    keep();
    return true;
  } catch (const std::bad_alloc&) {
    Say<kUnknownError>(console);
    return false;
  }
}

}  // namespace

uint32_t PayloadChecksum(const uint8_t*, size_t) { return 0; }

bool LoadBglBytes(std::vector<uint8_t> file, BglImage& image, Console& console) {
  return Load(FileView{file.data(), file.size()}, image, console,
              [&] { image.Assign(std::move(file)); });
}

bool LoadBglFile(const std::string& path, BglImage& image, Console& console) {
  FileBytes file;
  try {
    if (!file.Open(path)) {
      Say<kMapFailed>(console, path);
      return false;
    }
  } catch (const std::bad_alloc&) {
    Say<kNoMemory>(console);
    return false;
  }
  return Load(FileView{file.Data(), file.Size()}, image, console,
              [&] { image.Assign(std::move(file)); });
}

}  // namespace bgltext
