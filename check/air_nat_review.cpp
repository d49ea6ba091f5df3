// The air_nat.cfg grammar, told line by line: what the reader drops, and the
// blanks and commas that it keeps as part of a name.
#include "check/air_nat_review.h"

#include <string_view>

#include "aircraft/aircraft_text.h"
#include "platform/file_text.h"

namespace fm {
namespace {

constexpr char kOneCharacter[] = "a single character: the line is ignored";
constexpr char kNoSlash[] = "no slash: the line is ignored";

bool IsBlank(char c) { return TrimBlanks(std::string_view(&c, 1)).empty(); }

std::string Quoted(std::string_view text) {
  std::string quoted(1, '"');
  quoted.append(text);
  quoted += '"';
  return quoted;
}

void AddReason(std::string& reasons, const std::string& reason) {
  if (!reasons.empty()) reasons += "; ";
  reasons += reason;
}

// The surprises in one callsign piece; `first` is the piece after the slash.
void ReviewCallsign(std::string_view piece, bool first, bool onlyPiece, std::string_view country,
                    std::string& reasons) {
  if (piece.empty()) {
    // "Country/" alone is the documented way to give a country the empty
    // callsign; a comma too many gives it by accident.
    if (!onlyPiece) {
      AddReason(reasons,
                "an empty callsign (a comma too many): aircraft without an airline "
                "qualify for " +
                    Quoted(country));
    }
    return;
  }
  if (IsBlank(piece.front())) {
    AddReason(reasons, std::string(first ? "a blank after the slash" : "a blank after a comma") +
                           ": the callsign is " + Quoted(piece));
  } else if (IsBlank(piece.back())) {
    AddReason(reasons, "a blank before a comma: the callsign is " + Quoted(piece));
  }
}

class Reviewer {
 public:
  void Line(std::string text) {
    NumberedLine line{++number_, std::move(text)};
    const std::string_view trimmed = TrimBlanks(line.text);
    if (trimmed.empty() || trimmed[0] == ';' || trimmed[0] == '/') return;  // blank or comment
    if (trimmed.size() < 2) return Note(std::move(line), kOneCharacter);
    const size_t slash = trimmed.find('/');
    if (slash == std::string_view::npos) return Note(std::move(line), kNoSlash);

    const std::string country(trimmed.substr(0, slash));
    const auto earlier = review_.countryLines.find(country);
    if (earlier != review_.countryLines.end()) {
      return Note(std::move(line), Quoted(country) + " is named on line " +
                                       std::to_string(earlier->second.number) +
                                       " already: the line is ignored");
    }
    std::string reasons;
    if (IsBlank(country.back())) {
      AddReason(reasons, "a blank before the slash: the country is " + Quoted(country));
    }
    std::string_view rest = trimmed.substr(slash + 1);
    const bool onlyPiece = rest.find(',') == std::string_view::npos;
    for (bool first = true;; first = false) {
      const size_t comma = rest.find(',');
      ReviewCallsign(rest.substr(0, comma), first, onlyPiece, country, reasons);
      if (comma == std::string_view::npos) break;
      rest.remove_prefix(comma + 1);
    }
    review_.countryLines.emplace(country, line);
    if (!reasons.empty()) Note(std::move(line), reasons);
  }

  AirNatReview& Review() { return review_; }

 private:
  void Note(NumberedLine line, std::string reason) {
    review_.notes.push_back({std::move(line), std::move(reason)});
  }

  AirNatReview review_;
  int number_ = 0;
};

}  // namespace

AirNatReview ReviewAirNatFile(const std::string& path) {
  Reviewer reviewer;
  TextLineReader reader;
  if (!reader.Open(path)) return {};
  reviewer.Review().opened = true;
  std::string line;
  while (reader.ReadLine(line)) reviewer.Line(line);
  reviewer.Review().readFailed = reader.Failed();
  return std::move(reviewer.Review());
}

}  // namespace fm
