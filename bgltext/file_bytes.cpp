// Input files mapped or read whole.
#include "bgltext/file_bytes.h"

#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace bgltext {
namespace {

// Reads what f holds into a buffer of its own; the size told by seeking is
// only a first guess, the loop reads whatever the file really holds.
bool ReadAll(FILE* f, std::unique_ptr<uint8_t[]>& out, size_t& size) {
  size_t capacity = 1 << 16;
  if (std::fseek(f, 0, SEEK_END) == 0) {
    long told = std::ftell(f);
    if (told > 0) capacity = static_cast<size_t>(told) + 1;
    std::fseek(f, 0, SEEK_SET);
  }
  std::unique_ptr<uint8_t[]> buffer(new uint8_t[capacity]);
  size = 0;
  for (;;) {
    size_t n = std::fread(buffer.get() + size, 1, capacity - size, f);
    size += n;
    if (size < capacity) break;
    std::unique_ptr<uint8_t[]> bigger(new uint8_t[capacity * 2]);
    std::memcpy(bigger.get(), buffer.get(), size);
    buffer = std::move(bigger);
    capacity *= 2;
  }
  if (std::ferror(f)) return false;
  out = std::move(buffer);
  return true;
}

bool ReadWhole(const std::string& path, std::unique_ptr<uint8_t[]>& out, size_t& size) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  bool ok = false;
  try {
    ok = ReadAll(f, out, size);
  } catch (...) {
    std::fclose(f);
    throw;
  }
  std::fclose(f);
  return ok;
}

// The mapped view of a regular, non-empty file, or null.
void* MapFile(const std::string& path, size_t& size) {
#ifdef _WIN32
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  LARGE_INTEGER length{};
  void* view = nullptr;
  if (GetFileSizeEx(file, &length) && length.QuadPart > 0 &&
      static_cast<unsigned long long>(length.QuadPart) <= SIZE_MAX) {
    HANDLE mapping = CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
    if (mapping) {
      view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
      CloseHandle(mapping);
      size = static_cast<size_t>(length.QuadPart);
    }
  }
  CloseHandle(file);
  return view;
#else
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat st {};
  void* view = nullptr;
  if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0) {
    size = static_cast<size_t>(st.st_size);
    view = mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
    if (view == MAP_FAILED) view = nullptr;
  }
  close(fd);
  return view;
#endif
}

// A folder opens like a file on some systems and tells a size that is no
// size; it is not an input file.
bool IsFolder(const std::string& path) {
#ifdef _WIN32
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
#else
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
#endif
}

void Unmap(void* view, size_t size) {
#ifdef _WIN32
  (void)size;
  UnmapViewOfFile(view);
#else
  munmap(view, size);
#endif
}

}  // namespace

FileBytes& FileBytes::operator=(FileBytes&& other) noexcept {
  if (this != &other) {
    Release();
    data_ = std::exchange(other.data_, nullptr);
    size_ = std::exchange(other.size_, 0);
    mapping_ = std::exchange(other.mapping_, nullptr);
    heap_ = std::move(other.heap_);
  }
  return *this;
}

bool FileBytes::Open(const std::string& path) {
  Release();
  size_t size = 0;
  if (void* view = MapFile(path, size)) {
    mapping_ = view;
    data_ = static_cast<const uint8_t*>(view);
    size_ = size;
    return true;
  }
  // Empty files, devices and pipes, and files the system would not map.
  if (IsFolder(path) || !ReadWhole(path, heap_, size)) return false;
  data_ = heap_.get();
  size_ = size;
  return true;
}

void FileBytes::Release() {
  if (mapping_) Unmap(mapping_, size_);
  mapping_ = nullptr;
  heap_.reset();
  data_ = nullptr;
  size_ = 0;
}

}  // namespace bgltext
