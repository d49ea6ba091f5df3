// Reading bgltext's airport containers and name lists.
#include "geo/scenery_text.h"

#include <algorithm>
#include <climits>

namespace fm {
namespace {

constexpr std::string_view kIcaoId = "ICAO_ID( \"";
constexpr std::string_view kNameEntry = "NameEntry( ";
constexpr std::string_view kEndNameList = "EndNL";

bool Contains(std::string_view line, std::string_view text) {
  return line.find(text) != std::string_view::npos;
}

enum class LineKind { Other, AirportContainer, NameList };

// What a line starts: an airport container when it holds "Container( APT "
// anywhere, else a name list when it holds "NameList( ". Both texts hold
// "( ", so one pass over the line's parentheses finds either.
LineKind Classify(std::string_view line) {
  constexpr std::string_view kContainer = "Container", kApt = "( APT ", kList = "NameList";
  bool nameList = false;
  for (size_t p = line.find('('); p != std::string_view::npos; p = line.find('(', p + 1)) {
    const std::string_view before = line.substr(0, p), after = line.substr(p);
    if (before.ends_with(kContainer) && after.starts_with(kApt)) return LineKind::AirportContainer;
    if (before.ends_with(kList) && after.starts_with("( ")) nameList = true;
  }
  return nameList ? LineKind::NameList : LineKind::Other;
}

// The current places of a name list, and the city they name once an
// airport has been stored there.
struct Places {
  std::string region, country, state, city;
  CityAirports* airports = nullptr;
};

void TakeNameEntry(const NameEntry& entry, Places& places, const ContainerIds& ids,
                   AirportStore& store) {
  if (entry.kind == "REGION") {
    places.region = entry.name;
    places.country.clear();
    places.state.clear();
    places.city.clear();
  } else if (entry.kind == "COUNTRY") {
    places.country = entry.name;
    places.state.clear();
    places.city.clear();
  } else if (entry.kind == "STATE") {
    places.state = entry.name;
    places.city.clear();
  } else if (entry.kind == "CITY") {
    places.city = entry.name;
  } else if (entry.kind == "AIRPORT") {
    auto id = ids.find(entry.number);
    if (id == ids.end()) return;
    if (places.airports == nullptr) {
      places.airports = &store.CityOf(places.region, places.country, places.state, places.city);
    }
    store.AddAirportToCity(*places.airports, places.region, places.country, places.state,
                           places.city, entry.name, id->second);
    return;
  } else {
    return;
  }
  places.airports = nullptr;
}

}  // namespace

std::int32_t LeadingInt(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  return static_cast<std::int32_t>(value);
}

bool ParseNameEntry(std::string_view line, NameEntry& entry) {
  entry.kind.clear();
  entry.number = 0;
  entry.name.clear();
  const size_t at = line.find(kNameEntry);
  if (at == std::string_view::npos) return false;
  std::string_view rest = line.substr(at + kNameEntry.size());
  const size_t kindEnd = rest.find(' ');
  entry.kind.assign(rest.substr(0, kindEnd));
  if (kindEnd == std::string_view::npos) return true;
  rest.remove_prefix(kindEnd + 1);
  const size_t numberEnd = rest.find(' ');
  if (numberEnd == std::string_view::npos) return true;
  entry.number = LeadingInt(rest.substr(0, numberEnd));
  rest.remove_prefix(numberEnd + 1);
  const size_t open = rest.find('"');
  if (open == std::string_view::npos) return true;
  const size_t close = rest.find('"', open + 1);
  if (close == std::string_view::npos) return true;
  entry.name.assign(rest.substr(open + 1, close - open - 1));
  return true;
}

SceneryTextRead ReadSceneryText(TextLineReader& reader, AirportStore& store) {
  ContainerIds ids;
  NameEntry entry;
  std::string line;
  auto finish = [&] {
    return reader.Failed() ? SceneryTextRead::ReadFailed : SceneryTextRead::Done;
  };
  while (reader.ReadLine(line)) {
    const LineKind kind = Classify(line);
    if (kind == LineKind::AirportContainer) {
      // The number starts four characters after the first "APT" and ends
      // before the next blank.
      const size_t from = std::min(line.find("APT") + 4, line.size());
      const size_t to = line.find(' ', from);
      const std::int32_t number = LeadingInt(std::string_view(line).substr(from, to - from));
      // The ICAO identifier is on the second line after the container's.
      if (!reader.ReadLine(line) || !reader.ReadLine(line)) return finish();
      const size_t icao = line.find(kIcaoId);
      if (icao == std::string::npos) return finish();
      const size_t start = icao + kIcaoId.size();
      const size_t quote = line.find('"', start);
      ids.emplace(number, line.substr(start, quote == std::string::npos ? quote : quote - start));
    } else if (kind == LineKind::NameList) {
      Places places;
      while (reader.ReadLine(line) && !Contains(line, kEndNameList)) {
        ParseNameEntry(line, entry);
        TakeNameEntry(entry, places, ids, store);
      }
    }
  }
  return finish();
}

}  // namespace fm
