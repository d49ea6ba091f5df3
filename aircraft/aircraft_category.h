// The categories of interchangeable aircraft, read from air_class.cfg, and
// the two questions they answer: the category of an installed aircraft
// (from its ATC type and model) and of a traffic aircraft (from its title).
#pragma once

#include <cstddef>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace fm {

// One category: the merged lines of every section of air_class.cfg that
// bears its name.
struct AircraftCategory {
  // The plain lines, trimmed, as written; matched upper-cased against the
  // upper-cased "type model" of installed aircraft.
  std::set<std::string> modelPatterns;
  // The quoted strings of the lines that begin with "<"; matched as written
  // against the titles of traffic aircraft.
  std::set<std::string> titlePatterns;
};

// The category table: a sorted map from category name to category, whose
// order is the order of every search. It is changed only by Clear and by
// loading; the answers to the two questions are kept, so asking again for
// the same aircraft costs one look-up.
class AircraftCategories {
 public:
  using Map = std::map<std::string, AircraftCategory>;

  AircraftCategories() = default;
  // A copy or a moved table works out its answers anew.
  AircraftCategories(const AircraftCategories& other) : categories_(other.categories_) {}
  AircraftCategories(AircraftCategories&& other) noexcept
      : categories_(std::move(other.categories_)) {
    other.Clear();
  }
  AircraftCategories& operator=(const AircraftCategories& other);
  AircraftCategories& operator=(AircraftCategories&& other) noexcept;

  const Map& Entries() const { return categories_; }
  Map::const_iterator begin() const { return categories_.begin(); }
  Map::const_iterator end() const { return categories_.end(); }
  Map::const_iterator find(const std::string& name) const { return categories_.find(name); }
  size_t size() const { return categories_.size(); }
  bool empty() const { return categories_.empty(); }

  void Clear();

  // Reads air_class.cfg at `path` into the table (which the caller has
  // emptied). False when the file cannot be opened or a read fails part-way;
  // the table then holds what was read before.
  bool LoadCategories(const std::string& path);
  // One line of air_class.cfg, as LoadCategories takes it (headers, "<"
  // lines of quoted titles, plain model lines); lines before the first
  // header are ignored.
  void AddConfigLine(std::string_view line);

  // The category of an installed aircraft: the first category, in key
  // order, with a model pattern inside "atcType atcModel" (both sides
  // upper-cased); "Unknown" when none matched or the name found is shorter
  // than 2 characters. Never empty.
  std::string ClassifyModel(const std::string& atcType, const std::string& atcModel) const;

  // The category of a traffic aircraft: the first category, in key order,
  // with a title pattern inside the title (case-sensitive); empty when none.
  std::string ClassifyTrafficTitle(const std::string& title) const;

 private:
  struct ModelRule {
    std::string upperPattern;
    const std::string* category;
  };
  struct TitleRule {
    const std::string* pattern;
    const std::string* category;
  };
  void BuildRules() const;

  Map categories_;
  AircraftCategory* current_ = nullptr;  // the section being read

  // The patterns in search order, and the answers given so far; rebuilt
  // after any change of the table.
  mutable bool rulesBuilt_ = false;
  mutable std::vector<ModelRule> modelRules_;
  mutable std::vector<TitleRule> titleRules_;
  mutable std::unordered_map<std::string, std::string> modelAnswers_;
  mutable std::unordered_map<std::string, std::string> titleAnswers_;
};

}  // namespace fm
