// Text forms shared by the navigation-aid, menu and marker decoders:
// identifier and name cleaning, BCD frequencies and runway designators.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace bgltext {

// Width of the fixed identifier and name fields of VOR, ILS and NDB records.
constexpr size_t kNavaidIdWidth = 5;
constexpr size_t kNavaidNameWidth = 24;
// Titles and names read up to a 0 byte keep at most this many characters.
constexpr size_t kTitleKeep = 99;
// ATIS messages keep at most this many output characters.
constexpr size_t kAtisMessageKeep = 255;

// Blanks become '_', '(' becomes '{' and ')' becomes '}'.
std::string CleanTitle(const char* text, size_t length);
// As CleanTitle, then trailing '_' are removed (the first character stays).
std::string CleanNavaidName(const char* text, size_t length);
// A fixed-width field: cut at its width or its first 0 byte, then cleaned
// as a navaid name.
std::string CleanNavaidField(const uint8_t* field, size_t width);
// As CleanTitle; every byte of 128 or more becomes '%' and the byte minus 63.
// The result is cut to kAtisMessageKeep characters.
std::string CleanAtisMessage(const char* text, size_t length);

// Four BCD nibbles with a literal leading 1: 0x1810 is "118.10".
std::string BcdFrequency(uint16_t code);
// An NDB frequency: the nibbles of w at bits 8, 4, 0 and of f at bits 4, 0,
// followed by a blank.
std::string NdbFrequency(uint16_t w, uint8_t f);
// The low 6 bits are the number; the top two bits choose "", "L", "R", "C".
std::string RunwayDesignator(uint8_t code);

}  // namespace bgltext
