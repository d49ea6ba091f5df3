// Trimming and upper-casing of configuration text. Plain ASCII, which is
// nearly every line, is upper-cased here; a line with other bytes goes
// through the platform's case mapping, which knows the code page.
#include "aircraft/aircraft_text.h"

#include "platform/file_paths.h"

namespace fm {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

bool IsAscii(std::string_view text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

}  // namespace

std::string_view TrimBlanks(std::string_view text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

void UpperCaseInto(std::string_view text, std::string& out) {
  if (!IsAscii(text)) {
    out = FoldFileNameCase(text);  // the code page's mapping on Windows
    return;
  }
  out.assign(text);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
}

std::string UpperCaseText(std::string_view text) {
  std::string out;
  UpperCaseInto(text, out);
  return out;
}

}  // namespace fm
