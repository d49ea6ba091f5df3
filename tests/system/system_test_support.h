// Helpers of the system services tests: a fresh temporary folder that the
// platform's temporary-folder service points at, environment variables set
// for one test, and a small file reader.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace fm::testing {

// Sets (or with nullopt removes) an environment variable of this process
// and its children, and puts the old value back afterwards.
class ScopedEnv {
 public:
  ScopedEnv(std::string name, const std::optional<std::string>& value);
  ~ScopedEnv();
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  std::string name_;
  std::optional<std::string> previous_;
};

// A new, empty folder below the working folder that the temporary-folder
// service answers for the lifetime of the object (TMP and TEMP on Windows,
// TMPDIR on POSIX). The folder and its content go with the object.
class ScopedTempFolder {
 public:
  explicit ScopedTempFolder(const std::string& name);
  ~ScopedTempFolder();

  // The absolute path, without a trailing separator.
  const std::string& Path() const { return path_; }
  // The names in the folder, sorted.
  std::vector<std::string> Names() const;
  std::string Join(const std::string& name) const;

 private:
  std::string path_;
  std::vector<std::unique_ptr<ScopedEnv>> redirections_;
};

std::optional<std::string> ReadWholeFile(const std::string& path);

}  // namespace fm::testing
