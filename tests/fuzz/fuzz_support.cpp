#include "tests/fuzz/fuzz_support.h"

#include <stdlib.h>

#include <filesystem>
#include <stdexcept>

#include "platform/file_paths.h"
#include "platform/file_text.h"

namespace fm::fuzz {
namespace {

class Scratch {
 public:
  Scratch() {
    // In memory where the system has such a folder: the writers under test
    // make their files reach the disk, which a disk does at a few hundred
    // files a second.
    std::error_code error;
    const std::filesystem::path base = std::filesystem::is_directory("/dev/shm", error)
                                           ? std::filesystem::path("/dev/shm")
                                           : std::filesystem::temp_directory_path();
    std::string pattern = (base / "fmfuzz.XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("no scratch folder");
    path_ = pattern;
  }
  ~Scratch() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace

const std::string& ScratchFolder() {
  static Scratch scratch;
  return scratch.Path();
}

std::string WriteScratchFile(const std::string& name, std::string_view bytes) {
  std::string path = JoinPath(ScratchFolder(), name);
  if (!WriteFileBytes(path, bytes)) throw std::runtime_error("cannot write " + path);
  return path;
}

uint8_t ByteCursor::Byte() {
  if (text_.empty()) return 0;
  uint8_t value = static_cast<uint8_t>(text_.front());
  text_.remove_prefix(1);
  return value;
}

std::string_view ByteCursor::Line() {
  size_t end = text_.find('\n');
  std::string_view line = text_.substr(0, end);
  text_.remove_prefix(end == std::string_view::npos ? text_.size() : end + 1);
  return line;
}

}  // namespace fm::fuzz
