// Windows command-line splitting, shared by the POSIX process start.
#include "platform/command_line.h"

namespace fm {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The program name: no backslash escapes, a quote only opens or closes.
std::size_t SplitProgramName(std::string_view line, std::string& name) {
  std::size_t i = 0;
  if (i < line.size() && line[i] == '"') {
    ++i;
    while (i < line.size() && line[i] != '"') name += line[i++];
    if (i < line.size()) ++i;  // the closing quote
  } else {
    while (i < line.size() && !IsBlank(line[i])) name += line[i++];
  }
  return i;
}

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view line) {
  std::vector<std::string> words;
  std::string word;
  std::size_t i = SplitProgramName(line, word);
  words.push_back(word);

  while (true) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i >= line.size()) break;

    word.clear();
    bool quoted = false;
    while (i < line.size()) {
      const char c = line[i];
      if (c == '\\') {
        std::size_t slashes = 0;
        while (i < line.size() && line[i] == '\\') {
          ++slashes;
          ++i;
        }
        if (i < line.size() && line[i] == '"') {
          word.append(slashes / 2, '\\');
          if (slashes % 2 == 1) {
            word += '"';
            ++i;
          }
          // An even count leaves the quote to the branch below.
        } else {
          word.append(slashes, '\\');
        }
      } else if (c == '"') {
        if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
          word += '"';
          i += 2;
        } else {
          quoted = !quoted;
          ++i;
        }
      } else if (IsBlank(c) && !quoted) {
        break;
      } else {
        word += c;
        ++i;
      }
    }
    words.push_back(word);
  }
  return words;
}

}  // namespace fm
