// The layering of the product, checked against the build: no source
// belongs to two libraries or programs, the libraries depend on each other
// without a cycle, and a source includes only headers of its own library or
// of the libraries it builds on. The build writes the manifest it reads.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kSourceDir = FM_SOURCE_DIR;

// Lines "layer NAME KIND", then its "depends NAME" and "source PATH" lines.
struct Manifest {
  std::map<std::string, std::vector<std::string>> depends, sources;
  std::map<std::string, std::string> owner;  // source -> layer
};

Manifest ReadManifest() {
  Manifest m;
  std::ifstream in(FM_LAYER_MANIFEST);
  EXPECT_TRUE(in) << "cannot read " << FM_LAYER_MANIFEST;
  std::string line, layer;
  while (std::getline(in, line)) {
    std::istringstream words(line);
    std::string key, value;
    words >> key >> value;
    if (key == "layer") {
      layer = value;
      m.depends[layer];
    } else if (key == "depends") {
      m.depends[layer].push_back(value);
    } else if (key == "source") {
      m.sources[layer].push_back(value);
      const auto [it, added] = m.owner.emplace(value, layer);
      EXPECT_TRUE(added || it->second == layer) << value << " in " << it->second << ", " << layer;
    }
  }
  return m;
}

// Every layer reachable from `name` through its dependencies, itself included.
std::set<std::string> Reachable(const Manifest& m, const std::string& name) {
  std::set<std::string> seen;
  std::vector<std::string> todo{name};
  while (!todo.empty()) {
    const std::string next = todo.back();
    todo.pop_back();
    if (!seen.insert(next).second || !m.depends.count(next)) continue;
    todo.insert(todo.end(), m.depends.at(next).begin(), m.depends.at(next).end());
  }
  return seen;
}

TEST(Layering, LibrariesFormNoCycleAndSourcesIncludeOnlyTheirOwnAndLowerLayers) {
  const Manifest m = ReadManifest();
  ASSERT_FALSE(m.depends.empty());
  for (const auto& [name, depends] : m.depends) {
    for (const std::string& d : depends) {
      EXPECT_FALSE(Reachable(m, d).count(name)) << "cycle: " << name << " -> " << d << " -> ...";
    }
  }
  for (const auto& [name, sources] : m.sources) {
    const std::set<std::string> allowed = Reachable(m, name);
    for (const std::string& source : sources) {
      std::ifstream in(kSourceDir / source);
      EXPECT_TRUE(in) << name << " lists missing " << source;
      for (std::string line; std::getline(in, line);) {
        const size_t p = line.find_first_not_of(" \t");
        if (p == std::string::npos || line.compare(p, 10, "#include \"") != 0) continue;
        const std::string include = line.substr(p + 10, line.find('"', p + 10) - p - 10);
        // A folder-relative include names its neighbour; a generated file
        // is not in the tree.
        auto owner = m.owner.find(include);
        if (owner == m.owner.end()) {
          owner = m.owner.find((fs::path(source).parent_path() / include).generic_string());
        }
        if (owner == m.owner.end()) {
          EXPECT_FALSE(fs::exists(kSourceDir / include))
              << source << " includes " << include << ", which no layer owns";
        } else {
          EXPECT_TRUE(allowed.count(owner->second))
              << source << " (" << name << ") includes " << include << " of " << owner->second
              << ", which " << name << " does not build on";
        }
      }
    }
  }
}

}  // namespace
