// Helpers of the system services tests.
#include "tests/system/system_test_support.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "platform/file_text.h"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace fm::testing {
namespace fs = std::filesystem;

ScopedEnv::ScopedEnv(std::string name, const std::optional<std::string>& value)
    : name_(std::move(name)) {
#if defined(_WIN32)
  char buffer[32768];
  const DWORD length = GetEnvironmentVariableA(name_.c_str(), buffer, sizeof buffer);
  if (length != 0 || GetLastError() != ERROR_ENVVAR_NOT_FOUND) previous_.emplace(buffer, length);
  SetEnvironmentVariableA(name_.c_str(), value ? value->c_str() : nullptr);
#else
  if (const char* old = std::getenv(name_.c_str())) previous_ = old;
  value ? setenv(name_.c_str(), value->c_str(), 1) : unsetenv(name_.c_str());
#endif
}

ScopedEnv::~ScopedEnv() {
#if defined(_WIN32)
  SetEnvironmentVariableA(name_.c_str(), previous_ ? previous_->c_str() : nullptr);
#else
  previous_ ? setenv(name_.c_str(), previous_->c_str(), 1) : unsetenv(name_.c_str());
#endif
}

ScopedTempFolder::ScopedTempFolder(const std::string& name)
    : path_(fs::absolute(fs::path(name)).string()) {
  fs::remove_all(path_);
  fs::create_directories(path_);
#if defined(_WIN32)
  for (const char* variable : {"TMP", "TEMP"})
#else
  for (const char* variable : {"TMPDIR"})
#endif
    redirections_.push_back(std::make_unique<ScopedEnv>(variable, path_));
}

ScopedTempFolder::~ScopedTempFolder() {
  while (!redirections_.empty()) redirections_.pop_back();  // newest first
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

std::vector<std::string> ScopedTempFolder::Names() const {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(path_))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::string ScopedTempFolder::Join(const std::string& name) const {
  return (fs::path(path_) / name).string();
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
  std::string bytes;
  return ReadFileBytes(path, bytes) ? std::optional(bytes) : std::nullopt;
}

}  // namespace fm::testing
