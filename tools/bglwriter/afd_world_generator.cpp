// Builds airport-directory BGL files from the open airport list, written
// with the BGL builder.
#include "tools/bglwriter/afd_world_generator.h"

#include <cstdlib>
#include <fstream>
#include <map>
#include <utility>

#include "config/open_data.h"
#include "tools/bglwriter/bgl_builder.h"

namespace bglbench {
namespace {

uint32_t Bcd(int mhz100, int khz) {
  // mhz100 = 118..136, khz = 0..99: nibbles 1 1 8 . x y
  return (static_cast<uint32_t>(mhz100 / 100) << 24) | ((mhz100 / 10 % 10) << 20) |
         ((mhz100 % 10) << 16) | ((khz / 10) << 12) | ((khz % 10) << 8);
}

// Name-entry kinds of the airport directory.
constexpr uint32_t kRegion = 0x10001, kCountry = 0x20001, kState = 0x30001, kCity = 0x40001,
                   kAirportName = 0x50001;

}  // namespace

std::string DefaultAirportsCsv() { return FM_AIRPORTS_CSV; }

std::vector<AirportRow> ReadAirportsCsv(const std::string& path, size_t limit) {
  std::vector<AirportRow> rows;
  std::ifstream in(path);
  std::string line;
  std::getline(in, line);  // column names
  while (std::getline(in, line)) {
    auto f = fm::opendata::SplitCsvLine(line);
    if (f.size() < 7) continue;
    AirportRow r;
    r.icao = f[0];
    r.name = f[1];
    r.city = f[2];
    r.country = f[3];
    r.lat = std::atof(f[4].c_str());
    r.lon = std::atof(f[5].c_str());
    r.altFeet = std::atof(f[6].c_str());
    rows.push_back(r);
    if (limit != 0 && rows.size() == limit) break;
  }
  return rows;
}

std::vector<uint8_t> BuildAfdFile(const std::vector<AirportRow>& airports, bool icaoAfterPosition) {
  bgltest::BglBuilder bgl;
  bgl.Extended({}, 0x200);
  bgltest::AfdWriter afd(bgl);
  afd.BeginContainers();
  std::vector<uint32_t> starts;
  for (size_t i = 0; i < airports.size(); ++i) {
    const AirportRow& a = airports[i];
    const double alt = a.altFeet * 0.3048;
    starts.push_back(afd.BeginContainer(1));
    afd.AirportPosition(a.lat, a.lon, alt);
    if (icaoAfterPosition) afd.Icao(a.icao);
    for (int r = 0; r < 2; ++r) {
      const uint32_t heading =
          static_cast<uint32_t>((i * 37 + r * 90) % 360 * (4294967296.0 / 360.0));
      afd.Located(0x10002, a.lat + 0.001 * r, a.lon + 0.001 * r, alt,
                  {heading, heading ^ 0x80000000u, 1500 + static_cast<int64_t>(i % 2000),
                   30 + r * 15, r + 1, -1, static_cast<int64_t>(i % 10)});
    }
    afd.Located(0x10005, a.lat + 0.0005, a.lon + 0.0005, alt,
                {static_cast<uint32_t>(i * 12345u), 9, 1, 0});
    if (!icaoAfterPosition) afd.Icao(a.icao);
    for (int f = 0; f < 3; ++f) {
      afd.Frequency(Bcd(118 + static_cast<int>((i + f) % 19), static_cast<int>(i * 5 % 100)),
                    static_cast<uint32_t>(f + 1));
    }
    afd.EndContainer();
  }
  afd.EndContainers();

  std::map<std::pair<std::string, std::string>, std::vector<size_t>> lists;
  for (size_t i = 0; i < airports.size(); ++i) {
    lists[{airports[i].region, airports[i].country}].push_back(i);
  }
  afd.BeginNameLists();
  uint32_t id = 1;
  for (const auto& [place, members] : lists) {
    const auto& [region, country] = place;
    uint32_t count = (region.empty() ? 0 : 1) + 1;
    for (size_t i : members) count += (airports[i].state.empty() ? 0 : 1) + 2;
    afd.BeginNameList(id++, count);
    if (!region.empty()) afd.NameEntry(kRegion, 0, region);
    afd.NameEntry(kCountry, 0, country);
    for (size_t i : members) {
      if (!airports[i].state.empty()) afd.NameEntry(kState, 0, airports[i].state);
      afd.NameEntry(kCity, 0, airports[i].city);
      afd.NameEntry(kAirportName, starts[i], airports[i].name);
    }
    afd.EndNameList();
  }
  afd.EndNameLists();
  return bgl.Build();
}

}  // namespace bglbench
