// Text helpers of the catalogue's readers: trimming the white space the
// configuration files carry, and upper-casing as the system's code page does.
#pragma once

#include <string>
#include <string_view>

namespace fm {

// The text without space, tab, CR, LF, VT and FF at both ends.
std::string_view TrimBlanks(std::string_view text);

// The text upper-cased: a-z become A-Z everywhere; on Windows the ANSI code
// page's mapping applies to the other bytes as well.
std::string UpperCaseText(std::string_view text);
// The same into `out`, whose storage is reused (the readers call it per line).
void UpperCaseInto(std::string_view text, std::string& out);

}  // namespace fm
