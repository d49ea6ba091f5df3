// Writing and reading sccache.txt.
#include "geo/airport_cache.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string_view>

#include "platform/file_atomic.h"
#include "platform/file_text.h"

namespace fm {
namespace {

constexpr size_t kWriteChunk = 1 << 16;

// Collects the lines and hands them to the file in large pieces.
class CacheWriter {
 public:
  explicit CacheWriter(OutputFile& file) : file_(file) { buffer_.reserve(kWriteChunk * 2); }
  ~CacheWriter() { Flush(); }
  void Line(char kind, const std::string& text) {
    buffer_ += kind;
    buffer_ += text;
    buffer_ += "\r\n";
    if (buffer_.size() >= kWriteChunk) Flush();
  }
  void Line(std::string_view text) {
    buffer_ += text;
    buffer_ += "\r\n";
  }
  void Airport(const std::string& icao, const std::string& name) {
    buffer_ += '5';
    buffer_ += icao;
    buffer_ += ' ';
    buffer_ += name;
    buffer_ += "\r\n";
    if (buffer_.size() >= kWriteChunk) Flush();
  }
  void Flush() {
    file_.WriteBytes(buffer_);
    buffer_.clear();
  }

 private:
  OutputFile& file_;
  std::string buffer_;
};

// The count line: blanks skipped, an optional sign, then the digits up to
// the first other character; no digits give 0.
long long LeadingNumber(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    if (value < LLONG_MAX / 100) value = value * 10 + (text[i] - '0');
  }
  return negative ? -value : value;
}

// The whole percentage of the lines handled so far. A count line of 0 or
// less, which the writer never gives, shows 0% until the first line is
// handled and 100% after it; a count far below the lines stays within int.
int Percent(long long processed, long long total) {
  if (total <= 0) return processed > 0 ? 100 : 0;
  const double percent = std::floor(static_cast<double>(processed) / total * 100.0);
  return percent >= INT_MAX ? INT_MAX : static_cast<int>(percent);
}

}  // namespace

bool SaveCache(const AirportStore& store, const std::string& path) {
  AtomicFileSet files;
  OutputFile* file = files.Create(path);
  if (file == nullptr) return false;
  {
    // The count is known before the records, so the count line is written
    // once with its real value.
    const PlaceCounts counts = store.CountPlaces();
    const long long records = static_cast<long long>(counts.regions) + counts.countries +
                              counts.states + counts.cities + counts.airports;
    char countLine[32];
    std::snprintf(countLine, sizeof countLine, "%08lld", records);
    CacheWriter out(*file);
    out.Line(countLine);
    out.Line(kCacheVersion);
    for (const auto& [region, countries] : store.Places()) {
      out.Line('1', region);
      for (const auto& [country, states] : countries) {
        out.Line('2', country);
        for (const auto& [state, cities] : states) {
          out.Line('3', state);
          for (const auto& [city, airports] : cities) {
            out.Line('4', city);
            for (const auto& [name, icao] : airports) out.Airport(icao, name);
          }
        }
      }
    }
  }
  return files.Commit();
}

CacheLoad LoadCache(AirportStore& store, const std::string& path, StatusSink& status) {
  TextLineReader reader;
  if (!reader.Open(path)) return CacheLoad::Invalid;
  store.ClearPlaces();

  std::string line;
  if (!reader.ReadLine(line)) return CacheLoad::Invalid;
  const long long total = LeadingNumber(line);
  if (!reader.ReadLine(line)) return CacheLoad::Invalid;
  if (line != kCacheVersion) return CacheLoad::OldVersion;

  // The current places; a level line does not clear the levels below it.
  std::string places[4];         // region, country, state, city
  CityAirports* city = nullptr;  // the city of the current places, once used
  long long processed = 0;
  std::optional<int> shown;
  while (reader.ReadLine(line)) {
    if (line.empty()) continue;
    const int percent = Percent(processed, total);
    if (percent != shown) {
      shown = percent;
      status.ShowStatus(std::to_string(percent) + "% processed");
    }
    const char kind = line[0];
    if (kind >= '1' && kind <= '4') {
      // A bare kind digit (a level of empty name, as the writer gives it)
      // sets its level to the empty text.
      places[kind - '1'].assign(line, 1);
      city = nullptr;
    } else if (kind == '5') {
      // A line without a blank, which the writer never gives, names an
      // airport by its identifier alone.
      const size_t blank = line.find(' ', 1);
      const std::string icao =
          line.substr(1, blank == std::string::npos ? std::string::npos : blank - 1);
      const std::string name = blank == std::string::npos ? std::string() : line.substr(blank + 1);
      if (city == nullptr) city = &store.CityOf(places[0], places[1], places[2], places[3]);
      store.AddAirportToCity(*city, places[0], places[1], places[2], places[3], name, icao);
    }
    ++processed;
  }
  if (reader.Failed()) {
    store.ClearPlaces();
    return CacheLoad::Invalid;
  }
  return CacheLoad::Loaded;
}

const char* CacheLoadText(CacheLoad result) {
  switch (result) {
    case CacheLoad::Loaded:
      return "";
    case CacheLoad::Invalid:
      return kCacheInvalidText;
    case CacheLoad::OldVersion:
      return kCacheOldVersionText;
  }
  return "";
}

}  // namespace fm
