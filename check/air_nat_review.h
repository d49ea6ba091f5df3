// air_nat.cfg read again line by line for the configuration check: the
// lines its reader ignores or takes otherwise than they look, quoted with
// their numbers, and the line that gives each country its callsigns.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace fm {

// One line of the file as written (without its line end), 1-based.
struct NumberedLine {
  int number = 0;
  std::string text;
};

// A line that the reader ignores or reads with a surprise in it, and why
// ("no slash: the line is ignored"; several reasons joined by "; ").
struct AirNatLineNote {
  NumberedLine line;
  std::string reason;
};

struct AirNatReview {
  bool opened = false;
  bool readFailed = false;            // the lines after a failed read are not reviewed
  std::vector<AirNatLineNote> notes;  // in line order
  std::map<std::string, NumberedLine> countryLines;  // country -> the line that counts
};

// Reviews the file with the grammar of its reader (geo/air_nat.cpp).
AirNatReview ReviewAirNatFile(const std::string& path);

}  // namespace fm
