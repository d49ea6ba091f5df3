// The layering of the product, checked against the build: every source
// belongs to one library or program, the libraries depend on each other
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

struct Layer {
  std::string kind;
  std::vector<std::string> depends;
  std::vector<std::string> sources;
};

struct Manifest {
  std::map<std::string, Layer> layers;
  std::map<std::string, std::string> owner;  // source -> layer
  std::vector<std::string> problems;
};

Manifest ReadManifest() {
  Manifest m;
  std::ifstream in(FM_LAYER_MANIFEST);
  EXPECT_TRUE(in) << "cannot read " << FM_LAYER_MANIFEST;
  std::string line;
  Layer* current = nullptr;
  std::string currentName;
  while (std::getline(in, line)) {
    std::istringstream words(line);
    std::string key, value, kind;
    words >> key >> value >> kind;
    if (key == "layer") {
      currentName = value;
      current = &m.layers[value];
      current->kind = kind;
    } else if (current && key == "depends") {
      current->depends.push_back(value);
    } else if (current && key == "source") {
      current->sources.push_back(value);
      auto [it, added] = m.owner.emplace(value, currentName);
      if (!added && it->second != currentName) {
        m.problems.push_back(value + " belongs to " + it->second + " and " + currentName);
      }
    }
  }
  return m;
}

// Every layer reachable from `name` through its dependencies, itself included.
std::set<std::string> Reachable(const Manifest& m, const std::string& name) {
  std::set<std::string> seen;
  std::vector<std::string> todo{name};
  while (!todo.empty()) {
    std::string next = todo.back();
    todo.pop_back();
    if (!seen.insert(next).second) continue;
    auto it = m.layers.find(next);
    if (it != m.layers.end())
      todo.insert(todo.end(), it->second.depends.begin(), it->second.depends.end());
  }
  return seen;
}

std::vector<std::string> QuotedIncludes(const fs::path& file) {
  std::vector<std::string> includes;
  std::ifstream in(file);
  std::string line;
  while (std::getline(in, line)) {
    size_t p = line.find_first_not_of(" \t");
    if (p == std::string::npos || line.compare(p, 8, "#include") != 0) continue;
    size_t open = line.find('"', p);
    size_t close = open == std::string::npos ? open : line.find('"', open + 1);
    if (close != std::string::npos) includes.push_back(line.substr(open + 1, close - open - 1));
  }
  return includes;
}

const fs::path kSourceDir = FM_SOURCE_DIR;

TEST(Layering, EverySourceHasOneOwnerAndEveryDependencyExists) {
  const Manifest m = ReadManifest();
  ASSERT_FALSE(m.layers.empty());
  for (const std::string& problem : m.problems) ADD_FAILURE() << problem;
  for (const auto& [name, layer] : m.layers) {
    for (const std::string& d : layer.depends) {
      EXPECT_TRUE(m.layers.count(d)) << name << " depends on unknown " << d;
    }
    for (const std::string& s : layer.sources) {
      EXPECT_TRUE(fs::exists(kSourceDir / s)) << name << " lists missing " << s;
    }
  }
  // Every source file in a folder that holds product code is listed.
  std::set<std::string> folders;
  for (const auto& [source, layer] : m.owner) folders.insert(source.substr(0, source.find('/')));
  for (const std::string& folder : folders) {
    for (const auto& entry : fs::recursive_directory_iterator(kSourceDir / folder)) {
      const std::string ext = entry.path().extension().string();
      if (ext != ".cpp" && ext != ".h") continue;
      const std::string rel = fs::relative(entry.path(), kSourceDir).generic_string();
      EXPECT_TRUE(m.owner.count(rel)) << rel << " belongs to no library or program";
    }
  }
}

TEST(Layering, LibrariesFormNoCycle) {
  const Manifest m = ReadManifest();
  for (const auto& [name, layer] : m.layers) {
    for (const std::string& d : layer.depends) {
      EXPECT_FALSE(Reachable(m, d).count(name))
          << "cycle: " << name << " -> " << d << " -> ... -> " << name;
    }
  }
}

TEST(Layering, SourcesIncludeOnlyTheirOwnAndLowerLayers) {
  const Manifest m = ReadManifest();
  for (const auto& [name, layer] : m.layers) {
    const std::set<std::string> allowed = Reachable(m, name);
    for (const std::string& source : layer.sources) {
      for (const std::string& include : QuotedIncludes(kSourceDir / source)) {
        auto owner = m.owner.find(include);
        if (owner == m.owner.end()) {
          // A path of the tree that no layer owns (a generated file is not
          // in the tree, and a folder-relative include names its neighbour).
          const fs::path beside = fs::path(source).parent_path() / include;
          owner = m.owner.find(beside.generic_string());
          if (owner == m.owner.end()) {
            EXPECT_FALSE(fs::exists(kSourceDir / include))
                << source << " includes " << include << ", which no layer owns";
            continue;
          }
        }
        EXPECT_TRUE(allowed.count(owner->second))
            << source << " (" << name << ") includes " << include << " of " << owner->second
            << ", which " << name << " does not build on";
      }
    }
  }
}

}  // namespace
