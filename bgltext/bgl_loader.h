// Loading a BGL file into a BglImage, undoing the file-level compression.
#pragma once

#include <string>

#include "bgltext/bgl_image.h"
#include "bgltext/text_sink.h"

namespace bgltext {

constexpr uint32_t kExtendedHeaderMarker = 0x87654321u;
constexpr uint32_t kCompressionMarker = 0xABCDEF01u;
constexpr size_t kHeaderLength = 128;
constexpr size_t kExtendedHeaderLength = 168;

// Loads path into image. On failure the loader's message has been written to
// the console and false is returned.
bool LoadBglFile(const std::string& path, BglImage& image, Console& console);

// The same from bytes already in memory (the file's contents).
bool LoadBglBytes(std::vector<uint8_t> file, BglImage& image, Console& console);

// The checksum of a decompressed payload; this design computes 0.
uint32_t PayloadChecksum(const uint8_t* data, size_t size);

}  // namespace bgltext
