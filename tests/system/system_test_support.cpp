// Helpers of the system services tests.
#include "tests/system/system_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#if defined(_WIN32)
#include <windows.h>
#endif

namespace fm::testing {
namespace {

std::optional<std::string> GetEnv(const std::string& name) {
#if defined(_WIN32)
  char buffer[32768];
  const DWORD length = GetEnvironmentVariableA(name.c_str(), buffer, sizeof buffer);
  if (length == 0 && GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
  return std::string(buffer, length);
#else
  const char* value = std::getenv(name.c_str());
  if (value == nullptr) return std::nullopt;
  return std::string(value);
#endif
}

void SetEnv(const std::string& name, const std::optional<std::string>& value) {
#if defined(_WIN32)
  SetEnvironmentVariableA(name.c_str(), value ? value->c_str() : nullptr);
#else
  if (value) {
    setenv(name.c_str(), value->c_str(), 1);
  } else {
    unsetenv(name.c_str());
  }
#endif
}

}  // namespace

ScopedEnv::ScopedEnv(std::string name, const std::optional<std::string>& value)
    : name_(std::move(name)), previous_(GetEnv(name_)) {
  SetEnv(name_, value);
}

ScopedEnv::~ScopedEnv() { SetEnv(name_, previous_); }

namespace {

std::string FreshFolder(const std::string& name) {
  namespace fs = std::filesystem;
  const fs::path path = fs::absolute(fs::path(name));
  fs::remove_all(path);
  fs::create_directories(path);
  return path.string();
}

#if defined(_WIN32)
constexpr const char* kTempVariables[] = {"TMP", "TEMP"};
#else
constexpr const char* kTempVariables[] = {"TMPDIR"};
#endif

}  // namespace

ScopedTempFolder::ScopedTempFolder(const std::string& name) : path_(FreshFolder(name)) {
  for (const char* variable : kTempVariables) {
    redirections_.push_back(std::make_unique<ScopedEnv>(variable, path_));
  }
}

ScopedTempFolder::~ScopedTempFolder() {
  while (!redirections_.empty()) redirections_.pop_back();  // newest first
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::vector<std::string> ScopedTempFolder::Names() const {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(path_)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string ScopedTempFolder::Join(const std::string& name) const {
  return path_ + kSeparator + name;
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void ExpectOneErrorBox(const FakeOs& os, const std::string& text) {
  ASSERT_EQ(os.boxes.size(), 1u) << text;
  EXPECT_EQ(os.boxes[0].text, text);
  EXPECT_EQ(os.boxes[0].caption, "AI Traffic Fleetmixer");
  EXPECT_EQ(os.boxes[0].icon, BoxIcon::Error);
}

}  // namespace fm::testing
