// The air_nat.cfg grammar and the country list.
#include "geo/air_nat.h"

#include <set>

#include "platform/file_atomic.h"
#include "platform/file_text.h"

namespace fm {
namespace {

constexpr std::string_view kBlanks = " \t\n\v\f\r";

std::string_view Trimmed(std::string_view line) {
  const size_t first = line.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return line.substr(first, line.find_last_not_of(kBlanks) - first + 1);
}

}  // namespace

void ReadAirNatLine(std::string_view line, AirlineCountryMap& map) {
  line = Trimmed(line);
  if (line.size() < 2 || line[0] == ';' || line[0] == '/') return;
  const size_t slash = line.find('/');
  if (slash == std::string_view::npos) return;
  const std::string country(line.substr(0, slash));
  if (map.FindCountryAirlines(country) != nullptr) return;  // the first line wins

  // Every piece between commas is a callsign, the empty one included; a
  // further slash is part of a callsign.
  AirlineCountryMap::Callsigns callsigns;
  std::string_view rest = line.substr(slash + 1);
  for (;;) {
    const size_t comma = rest.find(',');
    callsigns.emplace(rest.substr(0, comma));
    if (comma == std::string_view::npos) break;
    rest.remove_prefix(comma + 1);
  }
  map.Add(country, std::move(callsigns));
}

AirNatRead ReadAirNatFile(const std::string& path, AirlineCountryMap& map) {
  map.Clear();
  TextLineReader reader;
  if (!reader.Open(path)) return AirNatRead::Missing;
  std::string line;
  while (reader.ReadLine(line)) ReadAirNatLine(line, map);
  if (reader.Failed()) {
    map.Clear();
    return AirNatRead::ReadFailed;
  }
  return AirNatRead::Loaded;
}

bool WriteCountryList(const AirportStore& store, const std::string& path) {
  std::set<std::string> names;
  for (const auto& [region, countries] : store.Places()) {
    for (const auto& [country, states] : countries) names.insert(country);
  }
  // Written beside an earlier list and renamed over it, whole or not at all.
  AtomicFileSet files;
  OutputFile* file = files.Create(path);
  if (file == nullptr) return false;
  for (const std::string& name : names) file->WriteLine(name);
  return files.Commit();
}

}  // namespace fm
