#include "tests/fuzz/fuzz_support.h"

#include <stdlib.h>

#include <filesystem>
#include <stdexcept>

#include "platform/file_paths.h"
#include "platform/file_text.h"

namespace fm::fuzz {

const std::string& ScratchFolder() {
  // In memory where the system has such a folder: the writers under test
  // make their files reach the disk, which a disk does at a few hundred
  // files a second.
  static const struct Scratch {
    Scratch() {
      std::error_code error;
      path = std::filesystem::is_directory("/dev/shm", error)
                 ? "/dev/shm/fmfuzz.XXXXXX"
                 : (std::filesystem::temp_directory_path() / "fmfuzz.XXXXXX").string();
      if (!mkdtemp(path.data())) throw std::runtime_error("no scratch folder");
    }
    ~Scratch() {
      std::error_code ignored;
      std::filesystem::remove_all(path, ignored);
    }
    std::string path;
  } scratch;
  return scratch.path;
}

std::string WriteScratchFile(const std::string& name, std::string_view bytes) {
  std::string path = JoinPath(ScratchFolder(), name);
  if (!WriteFileBytes(path, bytes)) throw std::runtime_error("cannot write " + path);
  return path;
}

}  // namespace fm::fuzz
