// Reading air_class.cfg and classifying aircraft with it.
#include "aircraft/aircraft_category.h"

#include "aircraft/aircraft_text.h"
#include "platform/file_text.h"

namespace fm {
namespace {

constexpr char kUnknownCategory[] = "Unknown";

// The strings between the first and second double quote, the third and
// fourth, and so on; an unpaired last quote is ignored.
void AddQuotedStrings(std::string_view text, std::set<std::string>& strings) {
  size_t pos = 0;
  for (;;) {
    const size_t open = text.find('"', pos);
    if (open == std::string_view::npos) return;
    const size_t close = text.find('"', open + 1);
    if (close == std::string_view::npos) return;
    strings.emplace(text.substr(open + 1, close - open - 1));
    pos = close + 1;
  }
}

}  // namespace

AircraftCategories& AircraftCategories::operator=(const AircraftCategories& other) {
  if (this != &other) {
    categories_ = other.categories_;
    current_ = nullptr;
    rulesBuilt_ = false;
  }
  return *this;
}

AircraftCategories& AircraftCategories::operator=(AircraftCategories&& other) noexcept {
  if (this != &other) {
    categories_ = std::move(other.categories_);
    current_ = nullptr;
    rulesBuilt_ = false;
    other.Clear();
  }
  return *this;
}

void AircraftCategories::Clear() {
  categories_.clear();
  current_ = nullptr;
  rulesBuilt_ = false;
}

bool AircraftCategories::LoadCategories(const std::string& path) {
  TextLineReader reader;
  if (!reader.Open(path)) return false;
  current_ = nullptr;
  std::string line;
  while (reader.ReadLine(line)) AddConfigLine(line);
  current_ = nullptr;
  return !reader.Failed();
}

void AircraftCategories::AddConfigLine(std::string_view rawLine) {
  const std::string_view line = TrimBlanks(rawLine);
  if (line.empty() || line[0] == ';') return;
  rulesBuilt_ = false;

  // Any line with a "]" is a header; its first character is skipped,
  // whatever it is.
  if (const size_t bracket = line.find(']'); bracket != std::string_view::npos) {
    const std::string name(bracket == 0 ? std::string_view() : line.substr(1, bracket - 1));
    current_ = &categories_[name];
    return;
  }
  if (current_ == nullptr) return;  // before the first header

  if (line[0] == '<') {
    const size_t close = line.find('>', 1);
    if (close == std::string_view::npos) return;
    AddQuotedStrings(line.substr(1, close - 1), current_->titlePatterns);
    return;
  }
  current_->modelPatterns.emplace(line);
}

void AircraftCategories::BuildRules() const {
  modelRules_.clear();
  titleRules_.clear();
  modelAnswers_.clear();
  titleAnswers_.clear();
  for (const auto& [name, category] : categories_) {
    // A hit in a category without a name gives no result, so the search
    // goes on past it as though it had missed.
    if (!name.empty()) {
      for (const std::string& pattern : category.modelPatterns) {
        modelRules_.push_back({UpperCaseText(pattern), &name});
      }
    }
    for (const std::string& pattern : category.titlePatterns) {
      titleRules_.push_back({&pattern, &name});
    }
  }
  rulesBuilt_ = true;
}

std::string AircraftCategories::ClassifyModel(const std::string& atcType,
                                              const std::string& atcModel) const {
  if (!rulesBuilt_) BuildRules();
  std::string subject = UpperCaseText(atcType + " " + atcModel);

  if (auto known = modelAnswers_.find(subject); known != modelAnswers_.end()) {
    return known->second;
  }
  std::string result;
  for (const ModelRule& rule : modelRules_) {
    if (subject.find(rule.upperPattern) != std::string::npos) {
      result = *rule.category;
      break;
    }
  }
  if (result.size() < 2) result = kUnknownCategory;
  modelAnswers_.emplace(std::move(subject), result);
  return result;
}

std::string AircraftCategories::ClassifyTrafficTitle(const std::string& title) const {
  if (!rulesBuilt_) BuildRules();
  if (auto known = titleAnswers_.find(title); known != titleAnswers_.end()) {
    return known->second;
  }
  std::string result;
  for (const TitleRule& rule : titleRules_) {
    if (title.find(*rule.pattern) != std::string::npos) {
      result = *rule.category;
      break;
    }
  }
  titleAnswers_.emplace(title, result);
  return result;
}

}  // namespace fm
