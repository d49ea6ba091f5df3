// Text forms shared by the navigation-aid, menu and marker decoders.
#include "bgltext/navaid_text.h"

#include "bgltext/text_format.h"

#include <cstring>

namespace bgltext {
namespace {

constexpr FormatText kBcdFormat = "1%d%d.%d%d";
constexpr FormatText kNdbFormat = "%d%d%d.%d%d ";
constexpr FormatText kRunwayFormat = "%d%s";
constexpr const char* kRunwaySides[4] = {"", "L", "R", "C"};

char CleanChar(char c) {
  switch (c) {
    case ' ':
      return '_';
    case '(':
      return '{';
    case ')':
      return '}';
    default:
      return c;
  }
}

}  // namespace

std::string CleanTitle(const char* text, size_t length) {
  if (length == 0) return {};
  std::string out(text, length);
  for (char& c : out) c = CleanChar(c);
  return out;
}

std::string CleanNavaidName(const char* text, size_t length) {
  std::string out = CleanTitle(text, length);
  while (out.size() > 1 && out.back() == '_') out.pop_back();
  return out;
}

std::string CleanNavaidField(const uint8_t* field, size_t width) {
  const void* zero = std::memchr(field, 0, width);
  size_t length = zero ? static_cast<size_t>(static_cast<const uint8_t*>(zero) - field) : width;
  return CleanNavaidName(reinterpret_cast<const char*>(field), length);
}

std::string CleanAtisMessage(const char* text, size_t length) {
  std::string out;
  for (size_t i = 0; i < length && out.size() < kAtisMessageKeep; ++i) {
    unsigned char b = static_cast<unsigned char>(text[i]);
    if (b >= 128) {
      out.push_back('%');
      out.push_back(static_cast<char>(b - 63));
    } else {
      out.push_back(CleanChar(static_cast<char>(b)));
    }
  }
  if (out.size() > kAtisMessageKeep) out.resize(kAtisMessageKeep);
  return out;
}

std::string BcdFrequency(uint16_t code) {
  return Format<kBcdFormat>((code >> 12) & 15, (code >> 8) & 15, (code >> 4) & 15, code & 15);
}

std::string NdbFrequency(uint16_t w, uint8_t f) {
  return Format<kNdbFormat>((w >> 8) & 15, (w >> 4) & 15, w & 15, (f >> 4) & 15, f & 15);
}

std::string RunwayDesignator(uint8_t code) {
  return Format<kRunwayFormat>(code & 0x3F, kRunwaySides[code >> 6]);
}

}  // namespace bgltext
