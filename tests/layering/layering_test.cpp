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

TEST(Layering, LibrariesFormNoCycleAndSourcesIncludeOnlyTheirOwnAndLowerLayers) {
  // Lines "layer NAME KIND", then its "depends NAME" and "source PATH" lines.
  std::map<std::string, std::vector<std::string>> depends;
  std::map<std::string, std::string> owner;  // source -> layer
  std::ifstream manifest(FM_LAYER_MANIFEST);
  ASSERT_TRUE(manifest) << "cannot read " << FM_LAYER_MANIFEST;
  std::string layer;
  for (std::string line; std::getline(manifest, line);) {
    std::istringstream words(line);
    std::string key, value;
    words >> key >> value;
    if (key == "layer") {
      layer = value;
      depends[layer];
    } else if (key == "depends") {
      depends[layer].push_back(value);
    } else if (key == "source") {
      const auto [it, added] = owner.emplace(value, layer);
      EXPECT_TRUE(added || it->second == layer) << value << " in " << it->second << ", " << layer;
    }
  }
  ASSERT_FALSE(depends.empty());
  // Every layer reachable from `name` through its dependencies, itself included.
  auto reachable = [&](const std::string& name) {
    std::set<std::string> seen;
    for (std::vector<std::string> todo{name}; !todo.empty();) {
      const std::string next = todo.back();
      todo.pop_back();
      const auto it = depends.find(next);
      if (seen.insert(next).second && it != depends.end()) {
        todo.insert(todo.end(), it->second.begin(), it->second.end());
      }
    }
    return seen;
  };
  for (const auto& [name, on] : depends) {
    for (const std::string& d : on) {
      EXPECT_FALSE(reachable(d).count(name)) << "cycle: " << name << " -> " << d << " -> ...";
    }
  }
  for (const auto& [source, name] : owner) {
    const std::set<std::string> allowed = reachable(name);
    std::ifstream in(fs::path(FM_SOURCE_DIR) / source);
    for (std::string line; std::getline(in, line);) {
      const size_t p = line.find_first_not_of(" \t");
      if (p == std::string::npos || line.compare(p, 10, "#include \"") != 0) continue;
      const std::string include = line.substr(p + 10, line.find('"', p + 10) - p - 10);
      // A folder-relative include names its neighbour; a generated file
      // is not in the tree.
      auto found = owner.find(include);
      if (found == owner.end()) {
        found = owner.find((fs::path(source).parent_path() / include).generic_string());
      }
      if (found == owner.end()) {
        EXPECT_FALSE(fs::exists(fs::path(FM_SOURCE_DIR) / include))
            << source << " includes " << include << ", which no layer owns";
      } else {
        EXPECT_TRUE(allowed.count(found->second))
            << source << " (" << name << ") includes " << include << " of " << found->second
            << ", which " << name << " does not build on";
      }
    }
  }
}

}  // namespace
