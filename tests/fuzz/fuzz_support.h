// What the fuzz targets share: a scratch folder of the process for the
// readers that take a path, and a cursor that cuts fuzz bytes into lines.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace fm::fuzz {

// A folder of this process, made on first use and removed at exit (in
// memory where the system allows).
const std::string& ScratchFolder();

// Writes the bytes to `name` in the scratch folder and gives its path.
std::string WriteScratchFile(const std::string& name, std::string_view bytes);

// Takes the fuzz input apart from the front, a line at a time.
class ByteCursor {
 public:
  ByteCursor(const uint8_t* data, size_t size) : text_(reinterpret_cast<const char*>(data), size) {}
  bool Empty() const { return text_.empty(); }
  // The text up to the next LF (or the end), without it.
  std::string_view Line() {
    const size_t end = text_.find('\n');
    const std::string_view line = text_.substr(0, end);
    text_.remove_prefix(end == std::string_view::npos ? text_.size() : end + 1);
    return line;
  }

 private:
  std::string_view text_;
};

}  // namespace fm::fuzz
