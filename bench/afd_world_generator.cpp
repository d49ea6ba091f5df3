// Builds a world-size airport-directory BGL file from the open airport list.
#include "bench/afd_world_generator.h"

#include <cmath>
#include <fstream>
#include <map>

namespace bglbench {
namespace {

class Writer {
 public:
  void U32(uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
  }
  void U16(uint32_t v) {
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
  }
  void Text(const std::string& s) {
    b.insert(b.end(), s.begin(), s.end());
    b.push_back(0);
  }
  void Fixed48(double v) {
    double f = std::floor(v);
    U16(0);
    U16(static_cast<uint32_t>((v - f) * 65536.0) & 0xFFFF);
    U32(static_cast<uint32_t>(static_cast<int32_t>(f)));
  }
  void Position(const AirportRow& a, double dLat, double dLon) {
    Fixed48((a.lat + dLat) * 10001750.0 / 90.0);
    Fixed48((a.lon + dLon) * 4294967296.0 / 360.0);
    Fixed48(a.altFeet * 0.3048);
  }
  void Patch(size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
  }
  std::vector<uint8_t> b;
};

std::vector<std::string> SplitCsv(const std::string& line) {
  std::vector<std::string> out(1);
  bool quoted = false;
  for (size_t i = 0; i < line.size(); ++i) {
    char c = line[i];
    if (c == '"') {
      if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
        out.back() += '"';
        ++i;
      } else {
        quoted = !quoted;
      }
    } else if (c == ',' && !quoted) {
      out.emplace_back();
    } else if (c != '\r') {
      out.back() += c;
    }
  }
  return out;
}

uint32_t Bcd(int mhz100, int khz) {
  // mhz100 = 118..136, khz = 0..99: nibbles 1 1 8 . x y
  return (static_cast<uint32_t>(mhz100 / 100) << 24) | ((mhz100 / 10 % 10) << 20) |
         ((mhz100 % 10) << 16) | ((khz / 10) << 12) | ((khz % 10) << 8);
}

}  // namespace

std::string DefaultAirportsCsv() { return BENCH_AIRPORTS_CSV; }

std::vector<AirportRow> ReadAirportsCsv(const std::string& path, size_t limit) {
  std::vector<AirportRow> rows;
  std::ifstream in(path);
  std::string line;
  std::getline(in, line);  // column names
  while (std::getline(in, line)) {
    auto f = SplitCsv(line);
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
  Writer w;
  w.b.assign(168, 0);
  w.Patch(118, 0x87654321u);
  w.Patch(144, 0x200);
  std::vector<uint32_t> starts;
  w.Patch(164, static_cast<uint32_t>(w.b.size()));
  for (size_t i = 0; i < airports.size(); ++i) {
    const AirportRow& a = airports[i];
    starts.push_back(static_cast<uint32_t>(w.b.size()));
    w.U32(1);
    size_t sizeAt = w.b.size();
    w.U32(0);
    w.U32(1);
    w.U32(0);
    auto sub = [&](uint32_t type, auto&& payload) {
      w.U32(type);
      size_t at = w.b.size();
      w.U32(0);
      payload();
      w.Patch(at, static_cast<uint32_t>(w.b.size() - at - 4));
    };
    sub(0x10001, [&] {
      w.Position(a, 0, 0);
      w.U32(0);
    });
    if (icaoAfterPosition) sub(0x10006, [&] { w.Text(a.icao); });
    for (int r = 0; r < 2; ++r) {
      sub(0x10002, [&] {
        w.Position(a, 0.001 * r, 0.001 * r);
        uint32_t heading = static_cast<uint32_t>((i * 37 + r * 90) % 360 * (4294967296.0 / 360.0));
        w.U32(heading);
        w.U32(heading ^ 0x80000000u);
        w.U32(1500 + static_cast<uint32_t>(i % 2000));
        w.U32(30 + r * 15);
        w.U32(static_cast<uint32_t>(r + 1));
        w.U32(static_cast<uint32_t>(-1));
        w.U32(static_cast<uint32_t>(i % 10));
      });
    }
    sub(0x10005, [&] {
      w.Position(a, 0.0005, 0.0005);
      w.U32(static_cast<uint32_t>(i * 12345u));
      w.U32(9);
      w.U32(1);
      w.U32(0);
    });
    if (!icaoAfterPosition) sub(0x10006, [&] { w.Text(a.icao); });
    for (int f = 0; f < 3; ++f) {
      sub(0x20001, [&] {
        w.U32(Bcd(118 + static_cast<int>((i + f) % 19), static_cast<int>(i * 5 % 100)));
        w.U32(f + 1);
      });
    }
    w.U32(0);
    w.U32(0);
    w.Patch(sizeAt, static_cast<uint32_t>(w.b.size() - sizeAt - 4));
  }
  w.U32(0);
  // Name lists: one per country, with the country, then each airport's city
  // and airport name.
  std::map<std::string, std::vector<size_t>> byCountry;
  for (size_t i = 0; i < airports.size(); ++i) byCountry[airports[i].country].push_back(i);
  w.Patch(156, static_cast<uint32_t>(w.b.size()));
  uint32_t id = 1;
  auto entry = [&](uint32_t kind, uint32_t ref, const std::string& text) {
    w.U32(0x30002);
    w.U32(static_cast<uint32_t>(8 + text.size() + 1));
    w.U32(kind);
    w.U32(ref);
    w.Text(text);
  };
  for (const auto& [country, list] : byCountry) {
    w.U32(0x30001);
    size_t sizeAt = w.b.size();
    w.U32(0);
    w.U32(id++);
    w.U32(0);
    w.U32(0);
    w.U32(static_cast<uint32_t>(1 + 2 * list.size()));
    entry(0x20001, 0, country);
    for (size_t i : list) {
      entry(0x40001, 0, airports[i].city);
      entry(0x50001, starts[i], airports[i].name);
    }
    w.Patch(sizeAt, static_cast<uint32_t>(w.b.size() - sizeAt - 4));
  }
  w.U32(0);
  w.U32(0);
  return w.b;
}

}  // namespace bglbench
