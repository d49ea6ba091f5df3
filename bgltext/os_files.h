// The few operating-system services that bgltext needs besides the C library.
#pragma once

#include <string>

namespace bgltext {

// Creates a directory; an existing one or a failure is ignored.
void MakeDirectory(const std::string& path);

// The error box shown when the program is started without arguments; where
// there is no such box the text goes to standard output.
void ShowErrorBox(const char* caption, const char* text);

}  // namespace bgltext
