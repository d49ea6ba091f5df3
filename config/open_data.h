// Reading the open data of data/: CSV lines with double-quoted fields and
// the lines of a text file. The starter configuration files, the demo
// installation and the benchmark inputs are all made from it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace fm::opendata {

// The fields of one CSV line. A double-quoted field may hold commas and
// doubled quotes; a CR at the end of the line is dropped.
std::vector<std::string> SplitCsvLine(std::string_view line);

// The lines of a text, without their line ends (LF or CR LF); a last line
// without a line end counts, an empty text has no line.
std::vector<std::string> SplitLines(std::string_view text);

}  // namespace fm::opendata
