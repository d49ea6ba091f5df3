// FS2002's key in a Wine prefix. system.reg is the text that Wine's server
// keeps of HKEY_LOCAL_MACHINE, one block per key:
//
//   [Software\\Wow6432Node\\Microsoft\\Microsoft Games\\Flight Simulator\\8.0] 1796594576
//   #time=1dd85cd8c931354
//   "EXE Path"="C:\\Program Files\\FS 2002 \xe9"
//
// Key names, value names and strings escape a backslash and their own
// delimiters with a backslash, control characters as C escapes (\t) or in
// octal, and every UTF-16 unit above 127 as \x with up to four hex digits
// (all four when a hex digit follows). Other value types carry a tag before
// their data (str(2):, hex:, dword:).
#include "platform/posix/wine_registry.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <iterator>
#include <string_view>
#include <utility>
#include <vector>

#include <unistd.h>

#include "platform/file_text.h"

namespace fm {

namespace {

// The installer's key in the 32-bit view first, then the plain key.
constexpr std::string_view kFsKeys[] = {
    "Software\\Wow6432Node\\Microsoft\\Microsoft Games\\Flight Simulator\\8.0",
    "Software\\Microsoft\\Microsoft Games\\Flight Simulator\\8.0",
};
constexpr std::size_t kViews = std::size(kFsKeys);
constexpr std::string_view kFsValue = "EXE Path";
// The program reads the value into 260 bytes, its terminating zero included.
constexpr std::size_t kFsValueBuffer = 260;

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Registry names compare without regard to letter case.
bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// Escaped UTF-16 units as UTF-8, a surrogate pair joined into one character.
class Utf16ToUtf8 {
 public:
  explicit Utf16ToUtf8(std::string& out) : out_(out) {}
  ~Utf16ToUtf8() { Flush(); }

  void Unit(char32_t unit) {
    if (high_ != 0 && unit >= 0xDC00 && unit <= 0xDFFF) {
      AppendUtf8(out_, 0x10000 + ((high_ - 0xD800) << 10) + (unit - 0xDC00));
      high_ = 0;
      return;
    }
    Flush();
    if (unit >= 0xD800 && unit <= 0xDBFF) {
      high_ = unit;
    } else {
      AppendUtf8(out_, unit);
    }
  }
  void Byte(char c) {
    Flush();
    out_ += c;  // Wine reads unescaped bytes as UTF-8: they stay as they are
  }

 private:
  void Flush() {
    if (high_ != 0) AppendUtf8(out_, high_);
    high_ = 0;
  }

  std::string& out_;
  char32_t high_ = 0;
};

// Undoes Wine's escaping from text[at] up to the unescaped `end`, leaving
// `at` after it. False when the text ends first.
bool Unescape(std::string_view text, std::size_t& at, char end, std::string& out) {
  static constexpr std::string_view kLetters = "abefnrtv";
  static constexpr char kControls[] = {'\a', '\b', '\x1b', '\f', '\n', '\r', '\t', '\v'};
  out.clear();
  Utf16ToUtf8 units(out);
  while (at < text.size() && text[at] != end) {
    const char c = text[at++];
    if (c != '\\' || at == text.size()) {
      units.Byte(c);
      continue;
    }
    const char escape = text[at++];
    if (const std::size_t letter = kLetters.find(escape); letter != std::string_view::npos) {
      units.Unit(static_cast<unsigned char>(kControls[letter]));
    } else if (escape == 'x' && at < text.size() && HexDigit(text[at]) >= 0) {
      char32_t unit = 0;
      for (int digits = 0; digits < 4 && at < text.size() && HexDigit(text[at]) >= 0; ++digits) {
        unit = unit * 16 + static_cast<char32_t>(HexDigit(text[at++]));
      }
      units.Unit(unit);
    } else if (escape >= '0' && escape <= '7') {
      char32_t unit = static_cast<char32_t>(escape - '0');
      for (int digits = 1; digits < 3 && at < text.size() && text[at] >= '0' && text[at] <= '7';
           ++digits) {
        unit = unit * 8 + static_cast<char32_t>(text[at++] - '0');
      }
      units.Unit(unit);
    } else {
      units.Byte(escape);  // "\\", "\"", "\[", "\]", and "\x" without digits
    }
  }
  if (at == text.size()) return false;
  ++at;
  return true;
}

// The characters Windows counts in the value: one per UTF-16 unit.
std::size_t Utf16Length(std::string_view utf8) {
  std::size_t units = 0;
  for (const char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte & 0xC0) != 0x80) units += byte >= 0xF0 ? 2 : 1;
  }
  return units;
}

// Appends the components of `path` split at any of `separators`: "." is
// dropped, ".." takes back the component before it but never one of the
// first `floor` (a Windows path stays on its drive).
void AddComponents(std::vector<std::string>& parts, std::string_view path,
                   std::string_view separators, std::size_t floor, bool absolute) {
  std::size_t begin = 0;
  while (begin <= path.size()) {
    std::size_t end = path.find_first_of(separators, begin);
    if (end == std::string_view::npos) end = path.size();
    const std::string_view part = path.substr(begin, end - begin);
    begin = end + 1;
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      if (parts.size() > floor && parts.back() != "..") {
        parts.pop_back();
        continue;
      }
      if (absolute || floor > 0) continue;  // nothing above the root or the drive
    }
    parts.emplace_back(part);
  }
}

// The POSIX folder behind a Windows path: its drive through the prefix's
// dosdevices link (c: -> ../drive_c, z: -> /), the rest joined with '/'.
bool MapToPrefix(const std::string& prefix, const std::string& windowsPath, std::string& posix) {
  if (windowsPath.size() < 2 || windowsPath[1] != ':' || LowerAscii(windowsPath[0]) < 'a' ||
      LowerAscii(windowsPath[0]) > 'z') {
    return false;
  }
  const std::string devices = prefix + "/dosdevices";
  const std::string link = devices + '/' + LowerAscii(windowsPath[0]) + ':';
  std::vector<char> target(PATH_MAX);
  const ssize_t length = ::readlink(link.c_str(), target.data(), target.size());
  std::string drive;
  if (length > 0 && static_cast<std::size_t>(length) < target.size()) {
    drive.assign(target.data(), static_cast<std::size_t>(length));
    if (drive.front() != '/') drive = devices + '/' + drive;
  } else if (length < 0 && errno == EINVAL) {
    drive = link;  // a folder in place of the link serves as well
  } else {
    return false;
  }
  const bool absolute = drive.front() == '/';
  std::vector<std::string> parts;
  AddComponents(parts, drive, "/", 0, absolute);
  AddComponents(parts, std::string_view(windowsPath).substr(2), "\\/", parts.size(), absolute);
  std::string joined(absolute ? 1 : 0, '/');
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) joined += '/';
    joined += parts[i];
  }
  if (joined.empty()) joined += '.';
  posix = std::move(joined);
  return true;
}

// What one view's key holds, as far as the program's value is concerned.
struct KeySeen {
  bool key = false;
  bool value = false;
  bool plainString = false;
  std::string text;
};

// Reads the value line `"name"=data` when it names the program's value.
void ReadValueLine(std::string_view line, KeySeen& seen) {
  std::size_t at = 1;
  std::string name;
  if (!Unescape(line, at, '"', name) || !SameName(name, kFsValue) || seen.value) return;
  if (at >= line.size() || line[at] != '=') return;
  seen.value = true;
  if (++at >= line.size() || line[at] != '"') return;  // str(2):, hex:, dword: ...
  ++at;
  seen.plainString = Unescape(line, at, '"', seen.text);
}

}  // namespace

std::string WinePrefixFolder() {
  const char* prefix = std::getenv("WINEPREFIX");
  if (prefix != nullptr && *prefix != '\0') return prefix;
  const char* home = std::getenv("HOME");
  if (home != nullptr && *home != '\0') return std::string(home) + "/.wine";
  return {};
}

SettingRead ReadWineFsRoot(const std::string& prefix) {
  SettingRead read;  // the key is missing until a view shows it
  read.error = ENOENT;
  TextLineReader reader;
  if (prefix.empty() || !reader.Open(prefix + "/system.reg")) return read;

  KeySeen views[kViews];
  KeySeen* current = nullptr;
  std::string line;
  std::string name;
  while (reader.ReadLine(line)) {
    if (!line.empty() && line.front() == '[') {
      if (current == &views[0]) break;  // the 32-bit view wins: nothing more to learn
      current = nullptr;
      std::size_t at = 1;
      if (!Unescape(line, at, ']', name)) continue;
      for (std::size_t view = 0; view < kViews; ++view) {
        if (!views[view].key && SameName(name, kFsKeys[view])) {
          views[view].key = true;
          current = &views[view];
        }
      }
    } else if (current != nullptr && !line.empty() && line.front() == '"') {
      ReadValueLine(line, *current);
    }
  }
  if (reader.Failed()) {
    read.error = EIO;
    return read;
  }

  const KeySeen* key = views[0].key ? &views[0] : views[1].key ? &views[1] : nullptr;
  if (key == nullptr) return read;
  read.status = SettingStatus::ValueMissing;
  // The program takes the text up to its terminating zero.
  const std::string value = key->text.substr(0, key->text.find('\0'));
  if (!key->plainString || value.empty() || Utf16Length(value) >= kFsValueBuffer ||
      !MapToPrefix(prefix, value, read.value)) {
    read.value.clear();
    return read;
  }
  read.status = SettingStatus::Ok;
  read.error = 0;
  return read;
}

}  // namespace fm
